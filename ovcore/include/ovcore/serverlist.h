// Server lists: the log sources of a profile, one protocol for the whole list.
//
// Conventions: a null list pointer where a list is required is a programming
// error; it is asserted and the call then returns 0 (or null, or does nothing).
// Getters copy into the caller's buffer, which must hold the field's size
// (SERVERINFO_*_SIZE); setters copy bounded to the field and always terminate.
#pragma once
#include "ovcore/ovcore_base.h"

// Protocol codes of a list, from the log path's prefix.
#define SERVER_PROTOCOL_FILE 0
#define SERVER_PROTOCOL_FTP 1
#define SERVER_PROTOCOL_HTTP 2
#define SERVER_PROTOCOL_ODBC 4

#define SERVERINFO_NAME_SIZE 256
#define SERVERINFO_PATH_SIZE 300
#define SERVERINFO_USERNAME_SIZE 64
#define SERVERINFO_PASSWORD_SIZE 64

// Buffer size that always holds ServerList_GetDisplayName's result.
#define SERVERLIST_DISPLAYNAME_SIZE 320

#pragma pack(push, 1)
typedef struct ServerInfo {
    char szName[SERVERINFO_NAME_SIZE];
    char szPath[SERVERINFO_PATH_SIZE];
    char szUsername[SERVERINFO_USERNAME_SIZE];
    char szPassword[SERVERINFO_PASSWORD_SIZE];
} ServerInfo;

typedef struct ServerList {
    DWORD dwProtocol;
    DWORD dwIsCluster;
    DWORD dwCount;
    ServerInfo** lpServers; // heap array of dwCount entries, owned; null when empty
} ServerList;
#pragma pack(pop)

static_assert(sizeof(ServerInfo) == 684, "ServerInfo layout");
#ifndef _WIN64
static_assert(sizeof(ServerList) == 16, "ServerList layout");
#endif

// New zero-filled entry with name and path (bounded); user name and password
// empty. Null when memory is short.
ORB_EXPORT(ServerInfo*) ServerInfo_New(const char* szName, const char* szPath);
// Frees an entry; null allowed.
ORB_EXPORT(void) ServerInfo_Free(ServerInfo* lpInfo);
// Copies all four texts of lpSrc into lpDest.
ORB_EXPORT(void) ServerInfo_Copy(ServerInfo* lpDest, const ServerInfo* lpSrc);
// Getters: copy the field into szOut (field-sized); return szOut.
ORB_EXPORT(char*) ServerInfo_GetName(const ServerInfo* lpInfo, char* szOut);
ORB_EXPORT(char*) ServerInfo_GetPath(const ServerInfo* lpInfo, char* szOut);
ORB_EXPORT(char*) ServerInfo_GetUsername(const ServerInfo* lpInfo, char* szOut);
ORB_EXPORT(char*) ServerInfo_GetPassword(const ServerInfo* lpInfo, char* szOut);
// Setters: copy at most 255 / 299 / 63 / 63 characters; a null text empties.
ORB_EXPORT(void) ServerInfo_SetName(ServerInfo* lpInfo, const char* szText);
ORB_EXPORT(void) ServerInfo_SetPath(ServerInfo* lpInfo, const char* szText);
ORB_EXPORT(void) ServerInfo_SetUsername(ServerInfo* lpInfo, const char* szText);
ORB_EXPORT(void) ServerInfo_SetPassword(ServerInfo* lpInfo, const char* szText);
// 1 when name, path, user name and password are equal (with case), else 0.
ORB_EXPORT(int) ServerInfo_IsEqual(const ServerInfo* a, const ServerInfo* b);

// New empty list; null when memory is short.
ORB_EXPORT(ServerList*) ServerList_New();
// Zeroes all four fields without freeing anything (null ignored).
ORB_EXPORT(void) ServerList_Init(ServerList* lpSList);
// New list with one entry "LocalMachine" holding the path; the list without
// entry when the entry cannot be made; null when the list cannot.
ORB_EXPORT(ServerList*) ServerList_NewWithOnePath(DWORD dwProtocol, const char* szPath);
// Frees every entry and the array; count 0 (null ignored).
ORB_EXPORT(void) ServerList_FreeContents(ServerList* lpSList);
// Frees the contents, then the list (null ignored).
ORB_EXPORT(void) ServerList_Free(ServerList* lpSList);
ORB_EXPORT(DWORD) ServerList_Count(const ServerList* lpSList);
ORB_EXPORT(DWORD) ServerList_GetProtocol(const ServerList* lpSList);
ORB_EXPORT(DWORD) ServerList_GetIsCluster(const ServerList* lpSList);
ORB_EXPORT(void) ServerList_SetProtocol(ServerList* lpSList, DWORD dwProtocol);
ORB_EXPORT(void) ServerList_SetIsCluster(ServerList* lpSList, DWORD dwIsCluster);
// Appends the entry, which the list then owns. 1 on success; 0 when the array
// cannot grow: the list keeps its old array and the caller keeps the entry.
ORB_EXPORT(int) ServerList_Add(ServerList* lpSList, ServerInfo* lpInfo);
// Appends a new entry made from the four texts. 1 on success, 0 when nothing
// was added.
ORB_EXPORT(int)
ServerList_AddServer(ServerList* lpSList, const char* szName, const char* szPath,
                     const char* szUsername, const char* szPassword);
// Frees entry n and closes the gap; n past the end does nothing.
ORB_EXPORT(void) ServerList_Delete(ServerList* lpSList, DWORD n);
// Entry n, or null past the end. The list keeps it.
ORB_EXPORT(ServerInfo*) ServerList_Get(const ServerList* lpSList, DWORD n);
// Destination takes protocol and cluster flag, loses its entries and gets a
// deep copy of every source entry in order. 1 on success; 0 when an entry
// could not be copied (the destination then holds those made so far). Null
// arguments or a list copied onto itself change nothing.
ORB_EXPORT(int) ServerList_Copy(ServerList* lpDest, const ServerList* lpSrc);
// Protocol text and first log path, or "<no file>" for an empty list, into a
// buffer of at least SERVERLIST_DISPLAYNAME_SIZE bytes. Returns szText.
ORB_EXPORT(char*) ServerList_GetDisplayName(const ServerList* lpSList, char* szText);
// Server n's log path (or "<no file>" past the end) into 300 bytes.
ORB_EXPORT(char*) ServerList_GetPath(const ServerList* lpSList, DWORD n, char* szText);
// Server n's name (or empty past the end) into 256 bytes.
ORB_EXPORT(char*) ServerList_GetServerName(const ServerList* lpSList, DWORD n, char* szText);
// 1 when both are the same list, or protocol, cluster flag, count and every
// entry pairwise are equal; 0 otherwise (also when only one is null).
ORB_EXPORT(int) ServerList_IsEqual(const ServerList* a, const ServerList* b);

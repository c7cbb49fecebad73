// A profile's list of servers: one protocol, a cluster flag and owned entries.
#include "ovcore/serverlist.h"
#include "ovkit/ovassert.h"
#include "profile/server_protocol.h"
#include "ovkit/text_copy.h"
#include <cstdlib>
#include <cstring>

static const char kNoFile[] = "<no file>";

ServerList* ORB_CALL ServerList_New() {
    return static_cast<ServerList*>(std::calloc(1, sizeof(ServerList)));
}

void ORB_CALL ServerList_Init(ServerList* lpSList) {
    if (lpSList)
        std::memset(lpSList, 0, sizeof *lpSList);
}

ServerList* ORB_CALL ServerList_NewWithOnePath(DWORD dwProtocol, const char* szPath) {
    ServerList* list = ServerList_New();
    if (!list)
        return nullptr;
    list->dwProtocol = dwProtocol;
    ServerInfo* info = ServerInfo_New("LocalMachine", szPath);
    if (info && !ServerList_Add(list, info))
        ServerInfo_Free(info);
    return list;
}

void ORB_CALL ServerList_FreeContents(ServerList* lpSList) {
    if (!lpSList)
        return;
    for (DWORD i = 0; i < lpSList->dwCount; i++)
        ServerInfo_Free(lpSList->lpServers[i]);
    std::free(lpSList->lpServers);
    lpSList->lpServers = nullptr;
    lpSList->dwCount = 0;
}

void ORB_CALL ServerList_Free(ServerList* lpSList) {
    ServerList_FreeContents(lpSList);
    std::free(lpSList);
}

DWORD ORB_CALL ServerList_Count(const ServerList* lpSList) {
    OV_ASSERT(lpSList);
    return lpSList ? lpSList->dwCount : 0;
}

DWORD ORB_CALL ServerList_GetProtocol(const ServerList* lpSList) {
    OV_ASSERT(lpSList);
    return lpSList ? lpSList->dwProtocol : 0;
}

DWORD ORB_CALL ServerList_GetIsCluster(const ServerList* lpSList) {
    OV_ASSERT(lpSList);
    return lpSList ? lpSList->dwIsCluster : 0;
}

void ORB_CALL ServerList_SetProtocol(ServerList* lpSList, DWORD dwProtocol) {
    OV_ASSERT(lpSList);
    if (lpSList)
        lpSList->dwProtocol = dwProtocol;
}

void ORB_CALL ServerList_SetIsCluster(ServerList* lpSList, DWORD dwIsCluster) {
    OV_ASSERT(lpSList);
    if (lpSList)
        lpSList->dwIsCluster = dwIsCluster;
}

int ORB_CALL ServerList_Add(ServerList* lpSList, ServerInfo* lpInfo) {
    OV_ASSERT(lpSList);
    if (!lpSList || !lpInfo)
        return 0;
    size_t bytes = (lpSList->dwCount + 1) * sizeof(ServerInfo*);
    void* grown = std::realloc(lpSList->lpServers, bytes);
    if (!grown)
        return 0; // the old array stays valid and owned by the list
    lpSList->lpServers = static_cast<ServerInfo**>(grown);
    lpSList->lpServers[lpSList->dwCount++] = lpInfo;
    return 1;
}

int ORB_CALL ServerList_AddServer(ServerList* lpSList, const char* szName, const char* szPath,
                                  const char* szUsername, const char* szPassword) {
    OV_ASSERT(lpSList);
    if (!lpSList)
        return 0;
    ServerInfo* info = ServerInfo_New(szName, szPath);
    if (!info)
        return 0;
    ServerInfo_SetUsername(info, szUsername);
    ServerInfo_SetPassword(info, szPassword);
    if (ServerList_Add(lpSList, info))
        return 1;
    ServerInfo_Free(info);
    return 0;
}

void ORB_CALL ServerList_Delete(ServerList* lpSList, DWORD n) {
    OV_ASSERT(lpSList);
    if (!lpSList || n >= lpSList->dwCount)
        return;
    ServerInfo_Free(lpSList->lpServers[n]);
    std::memmove(&lpSList->lpServers[n], &lpSList->lpServers[n + 1],
                 (lpSList->dwCount - n - 1) * sizeof(ServerInfo*));
    lpSList->dwCount--;
    if (lpSList->dwCount == 0) {
        std::free(lpSList->lpServers);
        lpSList->lpServers = nullptr;
    }
}

ServerInfo* ORB_CALL ServerList_Get(const ServerList* lpSList, DWORD n) {
    OV_ASSERT(lpSList);
    if (!lpSList || n >= lpSList->dwCount)
        return nullptr;
    return lpSList->lpServers[n];
}

int ORB_CALL ServerList_Copy(ServerList* lpDest, const ServerList* lpSrc) {
    if (!lpDest || !lpSrc)
        return 0;
    if (lpDest == lpSrc)
        return 1;
    ServerList_FreeContents(lpDest);
    lpDest->dwProtocol = lpSrc->dwProtocol;
    lpDest->dwIsCluster = lpSrc->dwIsCluster;
    for (DWORD i = 0; i < lpSrc->dwCount; i++) {
        ServerInfo* copy = ServerInfo_New(nullptr, nullptr);
        if (!copy)
            return 0;
        ServerInfo_Copy(copy, lpSrc->lpServers[i]);
        if (!ServerList_Add(lpDest, copy)) {
            ServerInfo_Free(copy);
            return 0;
        }
    }
    return 1;
}

char* ORB_CALL ServerList_GetDisplayName(const ServerList* lpSList, char* szText) {
    OV_ASSERT(lpSList && szText);
    if (!szText)
        return nullptr;
    if (!lpSList) {
        szText[0] = '\0';
        return szText;
    }
    const char* path = lpSList->dwCount ? lpSList->lpServers[0]->szPath : kNoFile;
    OvkitCopyText(szText, SERVERLIST_DISPLAYNAME_SIZE,
                  ServerProtocolPrefixFor(lpSList->dwProtocol, path));
    size_t used = std::strlen(szText);
    OvkitCopyText(szText + used, SERVERLIST_DISPLAYNAME_SIZE - used, path);
    return szText;
}

char* ORB_CALL ServerList_GetPath(const ServerList* lpSList, DWORD n, char* szText) {
    OV_ASSERT(lpSList && szText);
    if (!szText)
        return nullptr;
    const ServerInfo* info = lpSList ? ServerList_Get(lpSList, n) : nullptr;
    OvkitCopyText(szText, SERVERINFO_PATH_SIZE, info ? info->szPath : kNoFile);
    return szText;
}

char* ORB_CALL ServerList_GetServerName(const ServerList* lpSList, DWORD n, char* szText) {
    OV_ASSERT(lpSList && szText);
    if (!szText)
        return nullptr;
    const ServerInfo* info = lpSList ? ServerList_Get(lpSList, n) : nullptr;
    OvkitCopyText(szText, SERVERINFO_NAME_SIZE, info ? info->szName : "");
    return szText;
}

int ORB_CALL ServerList_IsEqual(const ServerList* a, const ServerList* b) {
    if (a == b)
        return 1;
    if (!a || !b)
        return 0;
    if (a->dwProtocol != b->dwProtocol || a->dwIsCluster != b->dwIsCluster ||
        a->dwCount != b->dwCount)
        return 0;
    for (DWORD i = 0; i < a->dwCount; i++) {
        if (!ServerInfo_IsEqual(a->lpServers[i], b->lpServers[i]))
            return 0;
    }
    return 1;
}

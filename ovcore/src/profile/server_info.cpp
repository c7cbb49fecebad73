// One server of a list: its name, log path and credentials.
#include "ovcore/serverlist.h"
#include "ovkit/text_copy.h"
#include <cstdlib>
#include <cstring>

ServerInfo* ORB_CALL ServerInfo_New(const char* szName, const char* szPath) {
    ServerInfo* info = static_cast<ServerInfo*>(std::calloc(1, sizeof(ServerInfo)));
    if (!info)
        return nullptr;
    OvkitCopyText(info->szName, szName);
    OvkitCopyText(info->szPath, szPath);
    return info;
}

void ORB_CALL ServerInfo_Free(ServerInfo* lpInfo) {
    std::free(lpInfo);
}

void ORB_CALL ServerInfo_Copy(ServerInfo* lpDest, const ServerInfo* lpSrc) {
    if (!lpDest || !lpSrc || lpDest == lpSrc)
        return;
    OvkitCopyText(lpDest->szName, lpSrc->szName);
    OvkitCopyText(lpDest->szPath, lpSrc->szPath);
    OvkitCopyText(lpDest->szUsername, lpSrc->szUsername);
    OvkitCopyText(lpDest->szPassword, lpSrc->szPassword);
}

char* ORB_CALL ServerInfo_GetName(const ServerInfo* lpInfo, char* szOut) {
    OvkitCopyText(szOut, SERVERINFO_NAME_SIZE, lpInfo ? lpInfo->szName : "");
    return szOut;
}

char* ORB_CALL ServerInfo_GetPath(const ServerInfo* lpInfo, char* szOut) {
    OvkitCopyText(szOut, SERVERINFO_PATH_SIZE, lpInfo ? lpInfo->szPath : "");
    return szOut;
}

char* ORB_CALL ServerInfo_GetUsername(const ServerInfo* lpInfo, char* szOut) {
    OvkitCopyText(szOut, SERVERINFO_USERNAME_SIZE, lpInfo ? lpInfo->szUsername : "");
    return szOut;
}

char* ORB_CALL ServerInfo_GetPassword(const ServerInfo* lpInfo, char* szOut) {
    OvkitCopyText(szOut, SERVERINFO_PASSWORD_SIZE, lpInfo ? lpInfo->szPassword : "");
    return szOut;
}

void ORB_CALL ServerInfo_SetName(ServerInfo* lpInfo, const char* szText) {
    if (lpInfo)
        OvkitCopyText(lpInfo->szName, szText);
}

void ORB_CALL ServerInfo_SetPath(ServerInfo* lpInfo, const char* szText) {
    if (lpInfo)
        OvkitCopyText(lpInfo->szPath, szText);
}

void ORB_CALL ServerInfo_SetUsername(ServerInfo* lpInfo, const char* szText) {
    if (lpInfo)
        OvkitCopyText(lpInfo->szUsername, szText);
}

void ORB_CALL ServerInfo_SetPassword(ServerInfo* lpInfo, const char* szText) {
    if (lpInfo)
        OvkitCopyText(lpInfo->szPassword, szText);
}

int ORB_CALL ServerInfo_IsEqual(const ServerInfo* a, const ServerInfo* b) {
    if (a == b)
        return 1;
    if (!a || !b)
        return 0;
    return std::strcmp(a->szName, b->szName) == 0 && std::strcmp(a->szPath, b->szPath) == 0 &&
           std::strcmp(a->szUsername, b->szUsername) == 0 &&
           std::strcmp(a->szPassword, b->szPassword) == 0;
}

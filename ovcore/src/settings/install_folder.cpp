#include "settings/install_folder.h"

#include <string.h>

#include "core/engine_instance.h"

// A module file name is at most 255 characters.
#define INSTALL_NAME_MAX 256

static char g_moduleName[INSTALL_NAME_MAX];
static size_t g_folderLength;

BOOL InstallFolder_SetFromFileName(const char* fileName) {
    if (!fileName)
        return FALSE;
    size_t length = strlen(fileName);
    if (length >= INSTALL_NAME_MAX)
        return FALSE;
    memcpy(g_moduleName, fileName, length + 1);
    while (length > 0 && g_moduleName[length - 1] != '\\')
        --length;
    g_folderLength = length;
    return TRUE;
}

BOOL InstallFolder_IsSet(void) {
    return g_moduleName[0] != 0;
}

void InstallFolder_EnsureSet(void) {
    if (InstallFolder_IsSet())
        return;
    char name[INSTALL_NAME_MAX];
    DWORD n = GetModuleFileNameA(Engine_Instance(), name, INSTALL_NAME_MAX);
    if (n > 0 && n < INSTALL_NAME_MAX)
        InstallFolder_SetFromFileName(name);
}

BOOL InstallFolder_BuildPath(char* out, const char* tail) {
    size_t tailLength = strlen(tail);
    if (g_folderLength + tailLength >= MAX_PATH) {
        out[0] = 0;
        return FALSE;
    }
    memcpy(out, g_moduleName, g_folderLength);
    memcpy(out + g_folderLength, tail, tailLength + 1);
    return TRUE;
}

void InstallFolder_Reset(void) {
    g_moduleName[0] = 0;
    g_folderLength = 0;
}

// Application paths: all built from the install folder.
#include "ovcore/settings.h"

#include <string.h>

#include "settings/install_folder.h"

ORB_EXPORT(void) ORB_InitApplicationPath(HMODULE module) {
    char name[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, name, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        InstallFolder_SetFromFileName(name);
}

static char* BuildOrNull(char* buffer, const char* tail) {
    return InstallFolder_BuildPath(buffer, tail) ? buffer : NULL;
}

ORB_EXPORT(char*) ORB_GetExePath(char* buffer) {
    return BuildOrNull(buffer, "");
}

ORB_EXPORT(char*) ORB_GetMainPath(char* buffer) {
    return BuildOrNull(buffer, "ovdesk\\");
}

ORB_EXPORT(int) ORB_GetDatfilesPath(char* buffer) {
    return InstallFolder_BuildPath(buffer, "ovdesk\\datfiles\\") ? 0 : -1;
}

ORB_EXPORT(char*) ORB_GetReportsPath(char* buffer) {
    return BuildOrNull(buffer, "reports\\Web Analysis\\");
}

ORB_EXPORT(char*) ORB_GetTemplatePath(char* buffer) {
    return BuildOrNull(buffer, "ovdesk\\template\\");
}

ORB_EXPORT(char*) GetBaseIniPath(char* buffer) {
    InstallFolder_EnsureSet();
    if (!InstallFolder_BuildPath(buffer, "ostrevan.ini"))
        return NULL;
    return buffer + strlen(buffer) - strlen("ostrevan.ini");
}

ORB_EXPORT(char*) GetModuleIniPath(char* buffer) {
    return BuildOrNull(buffer, "ovdesk\\ovdesk.ini");
}

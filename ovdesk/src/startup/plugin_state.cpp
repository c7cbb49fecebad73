// Module-wide state of the plug-in: instance, language module, folders.
#include "startup/plugin_state.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstring>

namespace {
HINSTANCE g_instance = nullptr;
char g_moduleDirectory[MAX_PATH] = "";
char g_dataFolder[MAX_PATH] = "";
} // namespace

HINSTANCE g_languageModule = nullptr;
short g_engineClientSlot = -1;
DWORD g_engineNetworkWord = 0;

void SetPluginInstance(HINSTANCE instance) {
    g_instance = instance;
    g_languageModule = instance;
}

HINSTANCE GetPluginInstance(void) {
    return g_instance;
}
HINSTANCE GetLanguageModule(void) {
    return g_languageModule ? g_languageModule : g_instance;
}
const char* GetModuleDirectory(void) {
    return g_moduleDirectory;
}
DWORD GetEngineNetworkWord(void) {
    return g_engineNetworkWord;
}
short GetEngineClientSlot(void) {
    return g_engineClientSlot;
}

int FindModuleDirectory(HINSTANCE instance) {
    char name[MAX_PATH];
    g_moduleDirectory[0] = '\0';
    g_dataFolder[0] = '\0';
    DWORD length = GetModuleFileNameA(instance, name, sizeof name);
    // A full buffer means the name was cut: refuse rather than use a wrong folder.
    if (length == 0 || length >= sizeof name)
        return 0;
    char* slash = strrchr(name, '\\');
    if (!slash)
        return 0;
    slash[1] = '\0';
    strcpy(g_moduleDirectory, name);
    return (int)strlen(g_moduleDirectory);
}

const char* GetDataFilesFolder(void) {
    if (!g_dataFolder[0] && g_moduleDirectory[0]) {
        int n =
            snprintf(g_dataFolder, sizeof g_dataFolder, "%sovdesk\\datfiles\\", g_moduleDirectory);
        if (n < 0 || n >= (int)sizeof g_dataFolder) {
            g_dataFolder[0] = '\0';
            return g_dataFolder;
        }
        char level[MAX_PATH];
        snprintf(level, sizeof level, "%sovdesk", g_moduleDirectory);
        CreateDirectoryA(level, nullptr);
        CreateDirectoryA(g_dataFolder, nullptr);
    }
    return g_dataFolder;
}

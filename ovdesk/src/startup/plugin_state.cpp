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

int SetModuleDirectoryFromName(const char* name, DWORD length) {
    g_moduleDirectory[0] = '\0';
    g_dataFolder[0] = '\0';
    // A name as long as the buffer was cut: refuse rather than use a wrong folder.
    if (!name || length == 0 || length >= MAX_PATH || strlen(name) != length)
        return 0;
    const char* slash = strrchr(name, '\\');
    if (!slash)
        return 0;
    size_t directory = slash - name + 1;
    memcpy(g_moduleDirectory, name, directory);
    g_moduleDirectory[directory] = '\0';
    return (int)directory;
}

int FindModuleDirectory(HINSTANCE instance) {
    char name[MAX_PATH];
    DWORD length = GetModuleFileNameA(instance, name, sizeof name);
    if (length >= sizeof name)
        name[sizeof name - 1] = '\0';
    return SetModuleDirectoryFromName(name, length);
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

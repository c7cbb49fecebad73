// The language module <LANG>.LNG named by [Language] Program, and the help
// files named after the same setting.
#include "startup/plugin_state.h"
#include "startup/startup_parts.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include <cstdio>

extern HINSTANCE g_languageModule;

namespace {
char g_helpPath[MAX_PATH] = "ENGLISH.HLP";
char g_secondHelpPath[MAX_PATH] = "";
} // namespace

void LoadLanguageModule(void) {
    char language[31];
    GetBaseProfileString("Language", "Program", "ENGLISH", language, sizeof language);
    char file[64];
    snprintf(file, sizeof file, "%s.LNG", language[0] ? language : "ENGLISH");
    HINSTANCE module = LoadLibraryA(file);
    if (module)
        g_languageModule = module;
    const char* folder = language[0] ? language : "english";
    snprintf(g_helpPath, sizeof g_helpPath, "%sHelp\\%s\\ovdesk.hlp", GetModuleDirectory(), folder);
    snprintf(g_secondHelpPath, sizeof g_secondHelpPath, "%sHelp\\%s\\ovm_ent.hlp",
             GetModuleDirectory(), folder);
}

void FreeLanguageModule(void) {
    if (g_languageModule && g_languageModule != GetPluginInstance())
        FreeLibrary(g_languageModule);
    g_languageModule = GetPluginInstance();
}

const char* GetHelpPath(void) {
    return g_helpPath;
}
const char* GetSecondHelpPath(void) {
    return g_secondHelpPath;
}

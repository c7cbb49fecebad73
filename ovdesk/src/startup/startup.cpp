// Start-up and shut-down of the plug-in: window classes, icons, display
// settings, the viewer's control library, the language module, and the
// registration with the engine.
#include "startup/plugin_state.h"
#include "startup/startup_parts.h"
#include "desk_services.h"
#include "report_run/report_delivery.h"
#include "report_run/progress_dialog.h"
#include "ovcore/ovcore.h"
#include "cstctls4.h"
#include "ovkit/dll_binding.h"
#include "imaging/vic32_wrappers.h"

extern HINSTANCE g_languageModule;
extern short g_engineClientSlot;
extern DWORD g_engineNetworkWord;

namespace {
HMODULE g_controlLibrary = nullptr;

// Calls ordinal 66 (register) or 67 (unregister) of CSTCTLS4.dll when the
// library is there; the plug-in runs without it (no report viewer then).
void CallControlLibrary(int ordinal) {
    if (!g_controlLibrary)
        return;
    if (ordinal == CSTCTLS4_ORDINAL_REGISTER) {
        decltype(&CstRegisterControls) start;
        if (OvkitBindOrdinal(g_controlLibrary, &start, CSTCTLS4_ORDINAL_REGISTER))
            start(GetPluginInstance());
    } else {
        decltype(&CstUnregisterControls) stop;
        if (OvkitBindOrdinal(g_controlLibrary, &stop, CSTCTLS4_ORDINAL_UNREGISTER))
            stop(GetPluginInstance());
    }
}

void StartControlLibrary(void) {
    g_controlLibrary = LoadLibraryA("CSTCTLS4.dll");
    CallControlLibrary(CSTCTLS4_ORDINAL_REGISTER);
}

void StopControlLibrary(void) {
    CallControlLibrary(CSTCTLS4_ORDINAL_UNREGISTER);
    if (g_controlLibrary)
        FreeLibrary(g_controlLibrary);
    g_controlLibrary = nullptr;
}

BOOL RegisterWithEngine(HINSTANCE instance) {
    ORB_PUMPPROC pump = &PeekMessageCallback;
    g_engineClientSlot =
        ORB_Register(GetDataFilesFolder(), GetModuleProfileInt("Defaults", "Timeout", 60), 0x454E,
                     pump, &g_engineNetworkWord, GetLanguageModule(), 0, 0, &DisplayReportError);
    if (g_engineClientSlot == -1) {
        DeskMessageBox(nullptr, "Failed to register with OVCORE.DLL", "Error", MB_OK);
        return FALSE;
    }
    ORB_InitApplicationPath(instance);
    ORB_SetUnattended(IsDeskUnattended());
    char author[256], company[256];
    GetAuthorCompanyDefaults(author, sizeof author, company, sizeof company);
    ORB_NotifyIniFileChanged(0);
    return TRUE;
}
} // namespace

BOOL StartUpPlugin(HINSTANCE instance) {
    SetPluginInstance(instance);
    RegisterPluginWindowClasses(instance);
    LoadIconTable();
    if (!FindModuleDirectory(instance)) {
        // Without its folder the plug-in can find neither data nor settings.
        ShutDownPlugin();
        return FALSE;
    }
    ReadRepaintSettings();
    GetDisplayColorCount(nullptr, nullptr);
    StartControlLibrary();
    LoadLanguageModule();
    if (!RegisterWithEngine(instance)) {
        ShutDownPlugin();
        return FALSE;
    }
    return TRUE;
}

void ShutDownPlugin(void) {
    FreeResourceCache();
    FreeIconTable();
    UnregisterPluginWindowClasses();
    StopControlLibrary();
    if (g_engineClientSlot != -1) {
        ORB_DeRegister(g_engineClientSlot);
        g_engineClientSlot = -1;
    }
    FreeLanguageModule();
    FreeDefinitionListBuffer();
    ovimaging::ReleaseLibrary();
}

void DetachPlugin(void) {
    FreeEditedFilter();
}

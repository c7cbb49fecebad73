// Library entry of ovdesk.dll.
#include "startup/plugin_state.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return StartUpPlugin(instance);
    case DLL_PROCESS_DETACH:
        DetachPlugin();
        break;
    }
    return TRUE;
}

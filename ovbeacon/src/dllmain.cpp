#include <windows.h>

#include "agent_link.h"
#include "agent_state.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        ovbeacon::Agent().module = instance;
        DisableThreadLibraryCalls(instance);
    }
    // At process exit other threads are already gone: nothing to wait for.
    if (reason == DLL_PROCESS_DETACH && !reserved)
        ovbeacon::StopAgentWorker();
    return TRUE;
}

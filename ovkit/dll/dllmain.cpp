// ovkit.dll entry: kept small; the work lives in the library's start-up code.
#include "ovkit/startup.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return OvkitProcessAttach(instance);
    case DLL_PROCESS_DETACH:
        OvkitProcessDetach();
        break;
    }
    return TRUE;
}

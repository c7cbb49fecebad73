#include "core/engine_instance.h"

#include <string.h>

#include "core/engine_state.h"

HINSTANCE Engine_Instance(void) {
    EngineState& s = Engine_State();
    if (!s.engineInstance) {
        HMODULE module = NULL;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&Engine_Instance), &module);
        s.engineInstance = module;
    }
    return s.engineInstance;
}

BOOL Engine_ModuleFolder(char* folder) {
    folder[0] = 0;
    char name[MAX_PATH];
    DWORD n = GetModuleFileNameA(Engine_Instance(), name, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return FALSE;
    char* slash = strrchr(name, '\\');
    if (!slash)
        return FALSE;
    slash[1] = 0;
    lstrcpynA(folder, name, MAX_PATH);
    return TRUE;
}

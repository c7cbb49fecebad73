#include "logread/unzip_library.h"
#include "ovkit/dll_binding.h"

DUNZIP_ENTRY Dunzip_GetEntry() {
    static DUNZIP_ENTRY entry = nullptr;
    static BOOL tried = FALSE;
    if (!tried) {
        tried = TRUE;
        HMODULE library = LoadLibraryA("DUNZIP32.dll");
        entry = OvkitProcAddress<DUNZIP_ENTRY>(library, DUNZIP_ENTRY_NAME);
    }
    return entry;
}

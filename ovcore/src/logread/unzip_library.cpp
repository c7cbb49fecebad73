#include "logread/unzip_library.h"

DUNZIP_ENTRY Dunzip_GetEntry() {
    static DUNZIP_ENTRY entry = nullptr;
    static BOOL tried = FALSE;
    if (!tried) {
        tried = TRUE;
        HMODULE library = LoadLibraryA("DUNZIP32.dll");
        if (library)
            entry = reinterpret_cast<DUNZIP_ENTRY>(GetProcAddress(library, DUNZIP_ENTRY_NAME));
    }
    return entry;
}

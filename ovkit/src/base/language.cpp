#include "files/module_folder.h"
#include "ovkit/resources.h"

int OVKIT_CALL OVKIT_ReadRuntimeLanguage(HINSTANCE module, char* buffer) {
    const DWORD kBufferSize = 30; // callers give at least this much
    char ini[MAX_PATH];
    if (!OvkitPathBesideModule(module, "ostrevan.ini", ini, sizeof ini)) {
        lstrcpynA(buffer, "ENGLISH", kBufferSize);
        return lstrlenA(buffer);
    }
    return static_cast<int>(
        GetPrivateProfileStringA("Language", "Program", "ENGLISH", buffer, kBufferSize, ini));
}

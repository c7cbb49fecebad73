#include "ovkit/settings_file.h"
#include "module_folder.h"
#include <cstdio>

void OVKIT_CALL OVKIT_GetConfigFilePath(char* buffer) {
    if (buffer)
        OvkitPathBesideLibrary("OSTREVAN.INI", buffer, MAX_PATH);
}

BOOL OVKIT_CALL OVKIT_WritePrivateProfileInt(const char* section, const char* key, DWORD value,
                                             const char* file) {
    char text[16];
    std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(value));
    return WritePrivateProfileStringA(section, key, text, file);
}

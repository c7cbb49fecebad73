// Bounded reads of registry text values for the log finders.
#include "log_sources/registry_values.h"

bool ReadRegistryText(HKEY key, const char* subkey, const char* name, char* text, DWORD size) {
    HKEY opened = key;
    if (subkey && RegOpenKeyExA(key, subkey, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, bytes = size;
    LONG status = RegQueryValueExA(opened, name, nullptr, &type, (BYTE*)text, &bytes);
    if (opened != key)
        RegCloseKey(opened);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // A stored value need not carry its zero.
    if (bytes == 0) {
        text[0] = '\0';
    } else if (text[bytes - 1] != '\0') {
        if (bytes >= size)
            return false;
        text[bytes] = '\0';
    }
    return true;
}

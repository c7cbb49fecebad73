// Default author and company of the module settings, from the registered
// owner and organisation of Windows.
#include "startup/startup_parts.h"
#include "ovcore/ovcore.h"

namespace {
BOOL ReadRegisteredValue(const char* name, char* buffer, DWORD size) {
    static const char* const keys[] = {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"};
    for (const char* key : keys) {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
            continue;
        DWORD type = 0, length = size - 1;
        LONG status = RegQueryValueExA(handle, name, nullptr, &type, (BYTE*)buffer, &length);
        RegCloseKey(handle);
        if (status == ERROR_SUCCESS && type == REG_SZ) {
            buffer[length < size ? length : size - 1] = '\0';
            return TRUE;
        }
    }
    return FALSE;
}

void CompleteSetting(const char* key, const char* registryName, char* buffer, int size) {
    GetModuleProfileString("Main", key, "", buffer, size);
    if (buffer[0])
        return;
    if (ReadRegisteredValue(registryName, buffer, size) && buffer[0])
        WriteModuleProfileString("Main", key, buffer);
}
} // namespace

void GetAuthorCompanyDefaults(char* author, int authorSize, char* company, int companySize) {
    CompleteSetting("Author", "RegisteredOwner", author, authorSize);
    CompleteSetting("Company", "RegisteredOrganization", company, companySize);
}

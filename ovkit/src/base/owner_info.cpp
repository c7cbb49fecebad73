#include "ovkit/browser.h"
#include "ovkit/settings_file.h"

namespace {

const char* const kWindowsKeys[2] = {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                     "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"};

// [Main] key of the library's settings; when empty, the registered value of
// Windows, which is then kept in the settings.
void ReadName(const char* key, const char* registryValue, char* out, int size, const char* ini) {
    if (!out || size <= 0)
        return;
    GetPrivateProfileStringA("Main", key, "", out, size, ini);
    if (out[0])
        return;
    for (const char* windowsKey : kWindowsKeys) {
        if (OVKIT_FindRegistryStringData(HKEY_LOCAL_MACHINE, windowsKey, registryValue, out,
                                         size) &&
            out[0]) {
            WritePrivateProfileStringA("Main", key, out, ini);
            return;
        }
    }
}

} // namespace

void OVKIT_CALL OVKIT_GetOwnerInfo(char* author, int authorSize, char* company, int companySize) {
    char ini[MAX_PATH];
    OVKIT_GetConfigFilePath(ini);
    ReadName("Author", "RegisteredOwner", author, authorSize, ini);
    ReadName("Company", "RegisteredOrganization", company, companySize, ini);
}

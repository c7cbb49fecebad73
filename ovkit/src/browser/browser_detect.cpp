#include "browser_detect.h"
#include "ovkit/browser.h"
#include "ovkit/pathutil.h"
#include "ovkit/settings_file.h"
#include "ovkit/text_copy.h"
#include <cstring>

namespace {

const size_t kNameSize = 64;

struct RegistryRow {
    const char* subKey;
    const char* name;
    const char* programFile;
};
const RegistryRow kRegistryRows[] = {
    {"SOFTWARE\\Classes\\http\\shell\\open\\command", "Default Browser", "NETSCAPE.EXE"},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Netscape.exe", "Netscape Navigator",
     "NETSCAPE.EXE"},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE", "Internet Explorer",
     "IEXPLORE.EXE"},
};

struct SettingsRow {
    const char* file;
    const char* section;
    const char* key;
    const char* programFile;
    const char* name;
};
const SettingsRow kSettingsRows[] = {
    {"WIN.INI", "Netscape", "ini", "NETSCAPE.EXE", "Netscape Navigator"},
    {"MOSAIC.INI", "Document Caching", "Cache Directory", "MOSAIC.EXE", "Mosaic"},
    {"QDECK.INI", "QMOSAIC", "Program", "QMOSAIC.EXE", "Quarterdeck QMosaic"},
    {"WEBSTATN.INI", "Setup", "BaseDir", "BROWSE95.EXE", "Oracle PowerBrowser"},
};

struct FixedRow {
    const char* path; // on drive C; D and E are tried too
    const char* name;
};
const FixedRow kFixedRows[] = {
    {"C:\\Program Files\\Plus!\\Microsoft Internet\\iexplore.exe", "Internet Explorer"},
    {"C:\\PROGRA~1\\PLUS!\\MICROS~1\\IEXPLORE.EXE", "Internet Explorer"},
    {"C:\\Program Files\\Netscape\\Navigator\\Program\\Netscape.exe", "Netscape Navigator"},
    {"C:\\PROGRA~1\\NETSCAPE\\NAVIGA~1\\PROGRAM\\NETSCAPE.EXE", "Netscape Navigator"},
    {"C:\\WEBSITE\\EMOSAIC\\EMOSAIC.EXE", "Web Site EMosaic"},
};

bool FileExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void GiveName(char* name, const char* text) {
    if (name)
        OvkitCopyPart(name, kNameSize, text, std::strlen(text));
}

bool FromUserSetting(char* path) {
    char ini[MAX_PATH];
    OVKIT_GetConfigFilePath(ini);
    GetPrivateProfileStringA("Browser", "Path", "", path, MAX_PATH, ini);
    return path[0] != '\0';
}

bool FromRegistry(char* path, const char** name) {
    for (const RegistryRow& row : kRegistryRows) {
        char value[MAX_PATH];
        if (!OVKIT_FindRegistryStringData(HKEY_LOCAL_MACHINE, row.subKey, "", value, sizeof value))
            continue;
        OvkitProgramFromCommand(value, row.programFile, path);
        if (path[0] && FileExists(path)) {
            *name = row.name;
            return true;
        }
    }
    return false;
}

bool FromSettingsFiles(char* path, const char** name) {
    for (const SettingsRow& row : kSettingsRows) {
        char folder[MAX_PATH];
        GetPrivateProfileStringA(row.section, row.key, "", folder, sizeof folder, row.file);
        if (!folder[0])
            continue;
        OVKIT_ConstructFullFilename(folder, row.programFile, path);
        if (FileExists(path)) {
            *name = row.name;
            return true;
        }
    }
    return false;
}

bool FromFixedPaths(char* path, const char** name) {
    for (const FixedRow& row : kFixedRows) {
        for (char drive = 'C'; drive <= 'E'; ++drive) {
            OvkitCopyPart(path, MAX_PATH, row.path, std::strlen(row.path));
            path[0] = drive;
            if (FileExists(path)) {
                *name = row.name;
                return true;
            }
        }
    }
    return false;
}

} // namespace

void OvkitProgramFromCommand(const char* value, const char* programFile, char* out) {
    out[0] = '\0';
    while (*value == '"')
        ++value;
    const char* end = std::strchr(value, '"');
    size_t length = end ? static_cast<size_t>(end - value) : std::strlen(value);
    OvkitCopyPart(out, MAX_PATH, value, length);
    CharUpperA(out);
    if (!std::strstr(out, "EXE"))
        OVKIT_ConstructFullFilename(out, programFile, out);
    char* exe = std::strstr(out, ".EXE");
    if (exe)
        exe[4] = '\0';
}

BOOL OVKIT_CALL OVKIT_DetectBrowser(HWND window, char* path, char* name) {
    if (!path)
        return FALSE;
    path[0] = '\0';
    if (FromUserSetting(path)) {
        GiveName(name, "User-selected browser");
        return TRUE;
    }
    const char* found = nullptr;
    if (FromRegistry(path, &found) || FromSettingsFiles(path, &found) ||
        FromFixedPaths(path, &found)) {
        GiveName(name, found);
        return TRUE;
    }
    path[0] = '\0';
    MessageBoxA(window, "Unable to detect your browser.", OVKIT_CAPTION, MB_ICONERROR);
    return FALSE;
}

BOOL OVKIT_CALL OVKIT_FindRegistryStringData(HKEY root, const char* subKey, const char* name,
                                             char* out, DWORD size) {
    if (!out || size == 0)
        return FALSE;
    out[0] = '\0';
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = 0;
    DWORD length = size;
    LONG status = RegQueryValueExA(key, name && *name ? name : nullptr, nullptr, &type,
                                   reinterpret_cast<BYTE*>(out), &length);
    RegCloseKey(key);
    bool text = type == REG_SZ || type == REG_EXPAND_SZ;
    if (status != ERROR_SUCCESS || !text) {
        out[0] = '\0';
        return FALSE;
    }
    // A stored value need not end in a NUL.
    out[length < size ? length : size - 1] = '\0';
    return TRUE;
}

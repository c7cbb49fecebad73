// The eight settings accessors: Windows private-profile calls on the base and
// module settings files, opened afresh by every call.
#include "ovcore/settings.h"

#include "settings/install_folder.h"
#include "ovkit/text_copy.h"

// Builds the path of one settings file; FALSE when it does not fit.
static BOOL BaseFile(char* path) {
    return GetBaseIniPath(path) != NULL;
}

static BOOL ModuleFile(char* path) {
    InstallFolder_EnsureSet();
    return GetModuleIniPath(path) != NULL;
}

// GetPrivateProfileInt reads "4294967291" as the 32-bit pattern of -5.
static int ReadInt(BOOL ok, const char* path, const char* section, const char* key, int def) {
    return ok ? (int)GetPrivateProfileIntA(section, key, def, path) : def;
}

static DWORD ReadString(BOOL ok, const char* path, const char* section, const char* key,
                        const char* def, char* buffer, DWORD size) {
    if (!ok) {
        OvkitCopyText(buffer, size, def);
        return buffer && size ? lstrlenA(buffer) : 0;
    }
    return GetPrivateProfileStringA(section, key, def ? def : "", buffer, size, path);
}

static BOOL WriteString(BOOL ok, const char* path, const char* section, const char* key,
                        const char* value) {
    return ok && WritePrivateProfileStringA(section, key, value, path);
}

static BOOL WriteInt(BOOL ok, const char* path, const char* section, const char* key, int value) {
    char text[16];
    wsprintfA(text, "%lu", (unsigned long)(DWORD)value);
    return WriteString(ok, path, section, key, text);
}

ORB_EXPORT(int) GetBaseProfileInt(const char* section, const char* key, int def) {
    char path[MAX_PATH];
    return ReadInt(BaseFile(path), path, section, key, def);
}

ORB_EXPORT(DWORD)
GetBaseProfileString(const char* section, const char* key, const char* def, char* buffer,
                     DWORD size) {
    char path[MAX_PATH];
    return ReadString(BaseFile(path), path, section, key, def, buffer, size);
}

ORB_EXPORT(BOOL) WriteBaseProfileString(const char* section, const char* key, const char* value) {
    char path[MAX_PATH];
    return WriteString(BaseFile(path), path, section, key, value);
}

ORB_EXPORT(BOOL) WriteBaseProfileInt(const char* section, const char* key, int value) {
    char path[MAX_PATH];
    return WriteInt(BaseFile(path), path, section, key, value);
}

ORB_EXPORT(int) GetModuleProfileInt(const char* section, const char* key, int def) {
    char path[MAX_PATH];
    return ReadInt(ModuleFile(path), path, section, key, def);
}

ORB_EXPORT(DWORD)
GetModuleProfileString(const char* section, const char* key, const char* def, char* buffer,
                       DWORD size) {
    char path[MAX_PATH];
    return ReadString(ModuleFile(path), path, section, key, def, buffer, size);
}

ORB_EXPORT(BOOL)
WriteModuleProfileString(const char* section, const char* key, const char* value) {
    char path[MAX_PATH];
    return WriteString(ModuleFile(path), path, section, key, value);
}

ORB_EXPORT(BOOL) WriteModuleProfileInt(const char* section, const char* key, int value) {
    char path[MAX_PATH];
    return WriteInt(ModuleFile(path), path, section, key, value);
}

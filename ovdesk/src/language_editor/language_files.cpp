// Finding, reading and writing the language files.
#include "language_editor/language_files.h"
#include "desk_services.h"
#include "ovcore/settings.h"
#include <windows.h>
#include <algorithm>
#include <cctype>
#include <cstring>

namespace langedit {

std::string TemplateFolder(void) {
    return std::string(GetModuleDirectory()) + "ovdesk\\template\\";
}

std::vector<std::string> ListLanguages(void) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((TemplateFolder() + "*.RPL").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::string name = found.cFileName;
            names.push_back(name.substr(0, name.find('.')));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    // In name order, as an NTFS folder lists them, whatever the file system.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return _stricmp(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

std::string LanguagePath(const std::string& name, const char* extension) {
    return TemplateFolder() + name + extension;
}

std::string StartingCopyPath(const std::string& rplPath) {
    size_t dot = rplPath.rfind('.');
    size_t slash = rplPath.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return rplPath + ".ORG";
    return rplPath.substr(0, dot) + ".ORG";
}

bool ReadWhole(const std::string& path, std::string* text) {
    text->clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0, size = GetFileSize(file, &high), got = 0;
    bool read = size != INVALID_FILE_SIZE && high == 0 && size < (64u << 20);
    if (read && size) {
        text->resize(size);
        read = ReadFile(file, &(*text)[0], size, &got, nullptr) && got == size;
    }
    CloseHandle(file);
    if (!read)
        text->clear();
    return read;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool done = WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr) &&
                written == text.size() && FlushFileBuffers(file);
    CloseHandle(file);
    return done;
}

std::string DefaultLanguage(void) {
    char name[MAX_PATH] = "";
    GetModuleProfileString("Language", "Report", "ENGLISH", name, sizeof name);
    return name;
}

void SetDefaultLanguage(const std::string& name) {
    WriteModuleProfileString("Language", "Report", name.c_str());
}

bool IsValidLanguageName(const std::string& name) {
    if (name.empty() || name.size() > 63 || name.find_first_of("\\/:*?\"<>|.") != std::string::npos)
        return false;
    if (name.find_first_not_of(' ') == std::string::npos || name.back() == ' ')
        return false;
    for (char c : name)
        if ((unsigned char)c < 32)
            return false;
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kDevices)
        if (_stricmp(name.c_str(), device) == 0)
            return false;
    bool port =
        name.size() == 4 &&
        (_strnicmp(name.c_str(), "COM", 3) == 0 || _strnicmp(name.c_str(), "LPT", 3) == 0) &&
        isdigit((unsigned char)name[3]);
    return !port;
}

} // namespace langedit

// A stand-in for the office programs in the hand-over tests, copied in as
// WINWORD.EXE or EXCEL.EXE. It appends its command line to "<program>.calls"
// and answers the progress dialog the way the office macros do: the
// spreadsheet program also keeps a copy of the OV_EXCEL.INI beside it
// ("<program>.ini") and the two registry values it was started with; the
// word processor keeps a copy of the report text it was given
// ("<program>.text"). A file "<program>.fail" makes it answer failure; a
// file "<program>.mute" makes it answer nothing.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
const UINT kOfficePercent = 10001;

std::string g_self;

void Append(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Folder() {
    return g_self.substr(0, g_self.find_last_of('\\') + 1);
}

DWORD RegistryNumber(const char* name) {
    DWORD value = 0xFFFFFFFF, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\8.0\\Excel\\Microsoft Excel",
                 name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

void Answer(HWND dialog) {
    if (Exists(g_self + ".mute") || !dialog)
        return;
    SendMessageA(dialog, kOfficePercent, 50, 0);
    SendMessageA(dialog, kOfficePercent, 100, Exists(g_self + ".fail") ? 0 : 1);
}

void ActAsSpreadsheet() {
    std::string ini = Folder() + "OV_EXCEL.INI";
    CopyFileA(ini.c_str(), (g_self + ".ini").c_str(), FALSE);
    char line[96];
    snprintf(line, sizeof line, "Options6=%lu NoXL5ModuleTabsAlert=%lu\r\n",
             (unsigned long)RegistryNumber("Options6"),
             (unsigned long)RegistryNumber("NoXL5ModuleTabsAlert"));
    Append(g_self + ".calls", line);
    UINT handle = GetPrivateProfileIntA("Ostrevane", "HWND", 0, ini.c_str());
    Answer((HWND)(ULONG_PTR)handle);
}

void ActAsWordProcessor(const char* commandLine) {
    // The report text is the quoted argument that ends in ".TXT".
    const char* end = strstr(commandLine, ".TXT\"");
    const char* open = end;
    while (open && open > commandLine && *open != '"')
        --open;
    if (end && *open == '"')
        CopyFileA(std::string(open + 1, end + 4).c_str(), (g_self + ".text").c_str(), FALSE);
    Answer(FindWindowA(nullptr, "Microsoft Word Report"));
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    g_self = self;
    const char* commandLine = GetCommandLineA();
    Append(g_self + ".calls", std::string(commandLine) + "\r\n");
    if (strstr(commandLine, "/mOVCreateOstrevaneReport"))
        ActAsWordProcessor(commandLine);
    else if (strstr(commandLine, " /e"))
        ActAsSpreadsheet();
    return 0;
}

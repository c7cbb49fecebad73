// A stand-in web browser for the launch tests: writes its own command line to
// the file named by OV_BROWSER_RECORD and exits.
#include <windows.h>
#include <cstring>

int main() {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("OV_BROWSER_RECORD", path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return 1;
    // Written aside and renamed, so a waiting test never reads half a line.
    char temp[MAX_PATH + 8];
    lstrcpyA(temp, path);
    lstrcatA(temp, ".tmp");
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
    return MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

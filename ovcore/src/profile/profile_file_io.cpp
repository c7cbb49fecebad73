#include "profile/profile_file_io.h"
#include "core/engine_state.h"
#include "ovcore/settings.h"
#include <cstdlib>

static ProfileWriteFn g_write = WriteFile;

ProfileWriteFn ProfileFile_SetWriteFunction(ProfileWriteFn fn) {
    ProfileWriteFn previous = g_write;
    g_write = fn ? fn : WriteFile;
    return previous;
}

BOOL ProfileFile_WriteAll(HANDLE file, const char* data, DWORD length) {
    DWORD written = 0;
    return g_write(file, data, length, &written, nullptr) && written == length;
}

char* ProfileFile_ReadAll(const char* path, DWORD* length) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size;
    char* text = nullptr;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF) {
        DWORD bytes = static_cast<DWORD>(size.QuadPart);
        text = static_cast<char*>(std::malloc(bytes + 1));
        DWORD read = 0;
        if (text && ReadFile(file, text, bytes, &read, nullptr) && read == bytes) {
            text[bytes] = '\0';
            *length = bytes;
        } else {
            std::free(text);
            text = nullptr;
        }
    }
    CloseHandle(file);
    return text;
}

bool ProfileFile_DataFolder(char* folder) {
    const char* registered = Engine_State().dataFolder;
    if (registered[0]) {
        lstrcpynA(folder, registered, MAX_PATH);
        return true;
    }
    return ORB_GetDatfilesPath(folder) == 0;
}

#include "whole_file.h"

bool OvkitReadWholeFile(const char* path, std::string& out) {
    out.clear();
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE && size < (64u << 20);
    if (ok && size) {
        out.resize(size);
        DWORD read = 0;
        ok = ReadFile(file, &out[0], size, &read, nullptr) && read == size;
    }
    CloseHandle(file);
    if (!ok)
        out.clear();
    return ok;
}

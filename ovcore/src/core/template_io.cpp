#include "core/template_io.h"

namespace {

const int kOpenTries = 10;
const DWORD kRetryMs = 250;

} // namespace

HANDLE OpenTemplateFile(const char* path, DWORD access, DWORD* error) {
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        HANDLE file = CreateFileA(path, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        *error = GetLastError();
        if (*error != ERROR_SHARING_VIOLATION)
            break;
        if (attempt + 1 < kOpenTries)
            Sleep(kRetryMs);
    }
    return INVALID_HANDLE_VALUE;
}

bool ReadWholeFile(HANDLE file, std::string& text) {
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size >= 0x7FFFFFFF)
        return false;
    text.resize(size);
    DWORD got = 0;
    if (size && !ReadFile(file, &text[0], size, &got, nullptr))
        return false;
    text.resize(got);
    return true;
}

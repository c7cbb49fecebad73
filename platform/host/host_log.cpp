// Small file helpers of the stand-in host.
#include "host_session.h"
#include <cstdio>

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

std::string ReadFrom(const std::string& path, long long offset) {
    std::string text;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return text;
    if (fseek(file, (long)offset, SEEK_SET) == 0) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
    }
    fclose(file);
    return text;
}

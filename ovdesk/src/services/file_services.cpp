// File and path operations of the plug-in's dialogs.
#include "services/file_services.h"
#include "desk_services.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "ovkit/text_copy.h"

namespace {
enum { COPY_BLOCK = 2048, READ_PIECE = 32000 };

const char* FileNameStart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == ':')
            name = p + 1;
    return name;
}

} // namespace

int CopyFileContents(const char* source, const char* target) {
    HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return 0;
    HANDLE out = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    char* buffer = (char*)malloc(COPY_BLOCK);
    int ok = out != INVALID_HANDLE_VALUE && buffer;
    for (DWORD got = 0; ok && ReadFile(in, buffer, COPY_BLOCK, &got, nullptr) && got > 0;) {
        DWORD put = 0;
        ok = WriteFile(out, buffer, got, &put, nullptr) && put == got;
    }
    free(buffer);
    CloseHandle(in);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    if (!ok)
        DeleteFileA(target);
    return ok;
}

void* ReadWholeFile(const char* name, HGLOBAL* block, int showMessage, DWORD shareMode,
                    DWORD* size) {
    *block = nullptr;
    *size = 0;
    if (!FileIsPresent(name))
        return nullptr;
    HANDLE file = CreateFileA(name, GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (showMessage) {
            char text[MAX_PATH + 32];
            snprintf(text, sizeof text, "Couldn't open file %s.", name);
            DeskMessageBox(nullptr, text, OVDESK_CAPTION, MB_OK | MB_ICONWARNING);
        }
        return nullptr;
    }
    DWORD length = GetFileSize(file, nullptr);
    HGLOBAL handle = length == INVALID_FILE_SIZE ? nullptr : GlobalAlloc(GMEM_MOVEABLE, length + 1);
    char* data = handle ? (char*)GlobalLock(handle) : nullptr;
    DWORD done = 0;
    while (data && done < length) {
        DWORD piece = length - done < READ_PIECE ? length - done : READ_PIECE, got = 0;
        if (!ReadFile(file, data + done, piece, &got, nullptr) || got != piece)
            break;
        done += got;
    }
    CloseHandle(file);
    if (!data || done != length) {
        if (data)
            GlobalUnlock(handle);
        if (handle)
            GlobalFree(handle);
        return nullptr;
    }
    data[length] = '\0';
    *block = handle;
    *size = length;
    return data;
}

int WriteFileChunk(const char*, HANDLE file, const void* data, DWORD count, DWORD* written) {
    *written = 0;
    return WriteFile(file, data, count, written, nullptr) && *written == count;
}

int FileIsPresent(const char* path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return 1;
}

void BuildModulePath(const char* directory, const char* file, char* path) {
    if (!directory)
        directory = GetModuleDirectory();
    size_t n = strlen(directory);
    const char* slash = n && directory[n - 1] == '\\' ? "" : "\\";
    snprintf(path, MAX_PATH, "%s%s%s", directory, slash, file);
}

void GetModulePathParts(HMODULE module, char* fullName, char* directory) {
    DWORD n = GetModuleFileNameA(module, fullName, MAX_PATH);
    if (n >= MAX_PATH)
        fullName[MAX_PATH - 1] = '\0';
    GetDirectoryPart(fullName, directory);
}

void GetDirectoryPart(const char* path, char* out) {
    OvkitCopyPart(out, MAX_PATH, path, FileNameStart(path) - path);
}

void GetFileNamePart(const char* path, char* out) {
    const char* name = FileNameStart(path);
    OvkitCopyPart(out, MAX_PATH, name, strlen(name));
}

void GetFileExtension(const char* path, char* out) {
    const char* dot = strrchr(FileNameStart(path), '.');
    OvkitCopyPart(out, MAX_PATH, dot ? dot : "", dot ? strlen(dot) : 0);
}

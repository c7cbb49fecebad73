#include "module_folder.h"
#include <cstring>

HMODULE OvkitLibraryModule() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OvkitLibraryModule), &self);
    return self;
}

bool OvkitModuleFolder(HMODULE module, char* out, size_t size) {
    if (!out || size == 0)
        return false;
    out[0] = '\0';
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return false;
    char* slash = std::strrchr(path, '\\');
    size_t keep = slash ? static_cast<size_t>(slash - path) + 1 : 0;
    if (keep + 1 > size)
        return false;
    std::memcpy(out, path, keep);
    out[keep] = '\0';
    return true;
}

bool OvkitLibraryFolder(char* out, size_t size) {
    HMODULE self = OvkitLibraryModule();
    if (!self) {
        if (out && size)
            out[0] = '\0';
        return false;
    }
    return OvkitModuleFolder(self, out, size);
}

bool OvkitPathBesideModule(HMODULE module, const char* fileName, char* out, size_t size) {
    if (!OvkitModuleFolder(module, out, size))
        return false;
    size_t used = std::strlen(out);
    size_t name = std::strlen(fileName);
    if (used + name + 1 > size) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out + used, fileName, name + 1);
    return true;
}

bool OvkitPathBesideLibrary(const char* fileName, char* out, size_t size) {
    HMODULE self = OvkitLibraryModule();
    if (!self) {
        if (out && size)
            out[0] = '\0';
        return false;
    }
    return OvkitPathBesideModule(self, fileName, out, size);
}

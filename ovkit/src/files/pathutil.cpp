#include "ovkit/pathutil.h"
#include "ovkit/ovassert.h"
#include "ovkit/text_copy.h"
#include <cstring>
#include <initializer_list>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Last '\', '/' or ':' of the text, or null.
const char* LastPathSeparator(const char* text) {
    const char* last = nullptr;
    for (const char* p = text; *p; ++p)
        if (IsSeparator(*p) || *p == ':')
            last = p;
    return last;
}

BOOL EnsureEnd(char* text, char separator) {
    if (!text || !*text)
        return FALSE;
    size_t n = std::strlen(text);
    if (IsSeparator(text[n - 1]))
        return FALSE;
    if (n + 1 >= MAX_PATH) {
        OV_ASSERT(n + 1 < MAX_PATH);
        return FALSE;
    }
    text[n] = separator;
    text[n + 1] = '\0';
    return TRUE;
}

char LowerPathChar(char c) {
    if (c == '\\')
        return '/';
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    return c;
}

} // namespace

void OVKIT_CALL OVKIT_GetLocalDirectory(HINSTANCE, char* out) {
    if (!out)
        return;
    out[0] = '\0';
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&OVKIT_GetLocalDirectory), &self))
        return;
    char file[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, file, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    const char* slash = std::strrchr(file, '\\');
    OvkitCopyPart(out, MAX_PATH, file, slash ? static_cast<size_t>(slash - file) + 1 : 0);
}

BOOL OVKIT_CALL OVKIT_IsolateDirectory(const char* path, char* out) {
    OV_ASSERT(path && out);
    if (!out)
        return FALSE;
    if (!path) {
        out[0] = '\0';
        return FALSE;
    }
    const char* last = LastPathSeparator(path);
    return OvkitCopyWhole(out, MAX_PATH, path, last ? static_cast<size_t>(last - path) + 1 : 0);
}

BOOL OVKIT_CALL OVKIT_IsolateFilename(const char* path, char* out) {
    OV_ASSERT(path && out);
    if (!out)
        return FALSE;
    if (!path) {
        out[0] = '\0';
        return FALSE;
    }
    const char* last = LastPathSeparator(path);
    const char* name = last ? last + 1 : path;
    return OvkitCopyWhole(out, MAX_PATH, name, std::strlen(name));
}

char* OVKIT_CALL OVKIT_ConstructFullFilename(const char* folder, const char* name, char* out) {
    OV_ASSERT(out);
    if (!out)
        return out;
    // Built aside: out may be the folder's own buffer.
    char joined[MAX_PATH] = "";
    bool fits = !folder || OvkitCopyWhole(joined, MAX_PATH, folder, std::strlen(folder));
    size_t n = std::strlen(joined);
    if (fits && n && !IsSeparator(joined[n - 1]))
        fits = OvkitAppendText(joined, MAX_PATH, "\\");
    if (fits && name)
        fits = OvkitAppendText(joined, MAX_PATH, name);
    if (!fits) {
        out[0] = '\0';
        return nullptr;
    }
    std::memcpy(out, joined, std::strlen(joined) + 1);
    return out;
}

BOOL OVKIT_CALL OVKIT_ParsePath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    if (!path)
        path = "";
    const char* rest = path;
    if (path[0] && path[1] == ':')
        rest = path + 2;
    const char* nameStart = rest;
    for (const char* p = rest; *p; ++p)
        if (IsSeparator(*p))
            nameStart = p + 1;
    const char* dot = std::strrchr(nameStart, '.');
    const char* nameEnd = dot ? dot : nameStart + std::strlen(nameStart);
    bool fits = true;
    if (drive)
        fits = OvkitCopyWhole(drive, 3, path, static_cast<size_t>(rest - path)) && fits;
    if (dir)
        fits = OvkitCopyWhole(dir, MAX_PATH, rest, static_cast<size_t>(nameStart - rest)) && fits;
    if (fname)
        fits =
            OvkitCopyWhole(fname, MAX_PATH, nameStart, static_cast<size_t>(nameEnd - nameStart)) &&
            fits;
    if (ext)
        fits = OvkitCopyWhole(ext, MAX_PATH, dot ? dot + 1 : "", dot ? std::strlen(dot + 1) : 0) &&
               fits;
    if (fits)
        return TRUE;
    for (char* part : {drive, dir, fname, ext})
        if (part)
            part[0] = '\0';
    return FALSE;
}

char* OVKIT_CALL OVKIT_StripExtension(char* text) {
    if (!text)
        return nullptr;
    char* dot = std::strrchr(text, '.');
    if (dot)
        *dot = '\0';
    return dot;
}

BOOL OVKIT_CALL OVKIT_StripEndSlash(char* text) {
    if (!text || !*text)
        return FALSE;
    size_t n = std::strlen(text);
    if (!IsSeparator(text[n - 1]))
        return FALSE;
    text[n - 1] = '\0';
    return TRUE;
}

BOOL OVKIT_CALL OVKIT_EnsureEndSlash(char* text) {
    return EnsureEnd(text, '/');
}

BOOL OVKIT_CALL OVKIT_EnsureEndBackslash(char* text) {
    return EnsureEnd(text, '\\');
}

char* OVKIT_CALL FindSlashOrBackSlash(const char* text) {
    if (!text)
        return nullptr;
    const char* hit = text + std::strcspn(text, "/\\");
    return *hit ? const_cast<char*>(hit) : nullptr;
}

int OVKIT_CALL OVKIT_stricmpf(const char* a, const char* b) {
    OV_ASSERT(a && b);
    if (!a || !b)
        return a == b ? 0 : (a ? 1 : -1);
    for (;; ++a, ++b) {
        int ca = static_cast<unsigned char>(LowerPathChar(*a));
        int cb = static_cast<unsigned char>(LowerPathChar(*b));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

// CompanyDb_Lookup: the in-memory entries, then a binary search of the
// sorted company file in 1,024-byte windows, read straight once fewer than
// 401 bytes remain. Keys compare without regard to case, whole.
#include "ovcore/company.h"
#include <ctype.h>
#include <string.h>
#include "ovkit/text_copy.h"

namespace {

const int kWindow = 1024;
const LONGLONG kStraight = 401;

struct Window {
    char data[kWindow + 1];
    int size;
    int start;     // first line start at or after the asked position
    LONGLONG base; // file position of data[0]
};

// Reads the window holding the first line that starts at or after pos.
bool ReadWindow(HANDLE file, LONGLONG pos, Window& w) {
    LARGE_INTEGER from, at;
    from.QuadPart = pos > 0 ? pos - 1 : 0;
    DWORD got = 0;
    if (!SetFilePointerEx(file, from, &at, FILE_BEGIN) || at.QuadPart != from.QuadPart ||
        !ReadFile(file, w.data, kWindow, &got, nullptr) || got < 2)
        return false;
    CompanyDb_Unscramble(w.data, int(got));
    w.size = int(got);
    w.base = from.QuadPart;
    // The file's last line may lack its line end.
    if (w.size < kWindow && w.data[w.size - 1] != '\n')
        w.data[w.size++] = '\n';
    const char* nl = static_cast<const char*>(memchr(w.data, '\n', size_t(w.size)));
    w.start = pos == 0 ? 0 : nl ? int(nl - w.data) + 1 : w.size;
    return true;
}

// Key length and the index after the line end of the line at i; false when
// the window holds no whole line with a comma there.
bool LineAt(const Window& w, int i, int* keyLength, int* next) {
    int k = i;
    while (k < w.size && w.data[k] != ',' && w.data[k] != '\r' && w.data[k] != '\n')
        ++k;
    int e = k;
    while (e < w.size && w.data[e] != '\n')
        ++e;
    if (k >= w.size || w.data[k] != ',' || e >= w.size)
        return false;
    *keyLength = k - i;
    *next = e + 1;
    return true;
}

int CompareKey(const char* key, const char* lineKey, int length) {
    for (int i = 0; i < length; ++i) {
        int a = tolower(static_cast<unsigned char>(key[i]));
        int b = tolower(static_cast<unsigned char>(lineKey[i]));
        if (a != b)
            return a < b ? -1 : 1; // a key's end sorts first
    }
    return key[length] ? 1 : 0;
}

bool FromEntries(const CompanyList* list, const char* key, CompanyRecord* r) {
    for (int i = 0; list->Entries && i < list->EntryCount; ++i) {
        const CompanyEntry& e = list->Entries[i];
        if (!e.Key || _stricmp(e.Key, key) != 0)
            continue;
        memset(r, 0, sizeof *r);
        r->KeyLength = WORD(strlen(e.Key));
        r->FieldsOffset = WORD(r->KeyLength + 1);
        OvkitCopyText(r->Line, sizeof r->Line, e.Line);
        OvkitCopyText(r->Name, sizeof r->Name, e.Name);
        OvkitCopyText(r->Second, sizeof r->Second, e.Second);
        OvkitCopyText(r->Third, sizeof r->Third, e.Third);
        return true;
    }
    return false;
}

int Parse(const Window& w, int i, CompanyRecord* record) {
    return CompanyDb_ParseLine(w.data + i, w.size - i, record, nullptr);
}

int SearchFile(HANDLE file, LONGLONG size, const char* key, CompanyRecord* record) {
    static Window w; // one user-interface thread; keeps 1 KiB off the stack
    LONGLONG low = 0, high = size;
    int keyLength = 0, next = 0;
    while (high - low >= kStraight) {
        LONGLONG mid = low + (high - low) / 2;
        if (!ReadWindow(file, mid, w))
            return 0;
        LONGLONG line = w.base + w.start;
        // No whole line starting in [mid, high): the lines left start before mid.
        if (line >= high || !LineAt(w, w.start, &keyLength, &next)) {
            high = mid;
            continue;
        }
        int c = CompareKey(key, w.data + w.start, keyLength);
        if (c == 0)
            return Parse(w, w.start, record);
        if (c < 0)
            high = line;
        else
            low = w.base + next;
    }
    if (low >= high || !ReadWindow(file, low, w))
        return 0;
    for (int i = w.start; w.base + i < high; i = next) {
        if (!LineAt(w, i, &keyLength, &next))
            return 0;
        int c = CompareKey(key, w.data + i, keyLength);
        if (c <= 0)
            return c == 0 ? Parse(w, i, record) : 0;
    }
    return 0;
}

} // namespace

ORB_EXPORT(int)
CompanyDb_Lookup(const CompanyList* list, LONGLONG fileSize, const char* key,
                 CompanyRecord* record) {
    if (!list || !key || !*key || !record)
        return 0;
    if (FromEntries(list, key, record))
        return 1;
    if (!list->File || list->File == INVALID_HANDLE_VALUE || fileSize <= 0)
        return 0;
    return SearchFile(list->File, fileSize, key, record);
}

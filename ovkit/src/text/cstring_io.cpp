// CString: formatting, string-table loading, number conversion and the
// stored form (16-bit length with the NUL counted, then the bytes).
#include "ovkit/cstring.h"
#include "string_heap.h"
#include <cstdio>
#include <cstdlib>

namespace {

const int kResourceBuffer = 260;     // string-table entries: at most 259 characters
const SIZE_T kFormatLimit = 1 << 26; // a result this long means a broken format
const int kMaxStoredLength = 65534;  // the length word also counts the NUL

// vsnprintf into buf; the full length of the result, or -1 (some runtimes
// report a truncated result as -1 instead of its length).
int FormatInto(char* buf, SIZE_T size, const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(buf, size, format, copy);
    va_end(copy);
    return n;
}

} // namespace

void CString::AppendFormatted(const char* format, va_list args) {
    if (!format)
        return;
    char small[kResourceBuffer];
    int n = FormatInto(small, sizeof small, format, args);
    if (n >= 0 && n < static_cast<int>(sizeof small)) {
        Append(small, n);
        return;
    }
    // Longer than the small buffer: grow until the whole result fits.
    SIZE_T size = n >= 0 ? static_cast<SIZE_T>(n) + 1 : 2 * sizeof small;
    while (size <= kFormatLimit) {
        char* buf = ovkit::StringAlloc(size);
        if (!buf)
            return;
        n = FormatInto(buf, size, format, args);
        if (n >= 0 && static_cast<SIZE_T>(n) < size) {
            Append(buf, n);
            ovkit::StringFree(buf);
            return;
        }
        ovkit::StringFree(buf);
        size = n >= 0 ? static_cast<SIZE_T>(n) + 1 : 2 * size;
    }
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatted(format, args);
    va_end(args);
}

void CString::Format(void* module, unsigned int id, ...) {
    char format[kResourceBuffer];
    if (::LoadStringA(static_cast<HINSTANCE>(module), id, format, sizeof format) <= 0)
        return;
    va_list args;
    va_start(args, id);
    AppendFormatted(format, args);
    va_end(args);
}

int CString::LoadStringA(void* module, unsigned int id) {
    Empty();
    char text[kResourceBuffer];
    if (::LoadStringA(static_cast<HINSTANCE>(module), id, text, sizeof text) <= 0)
        return 0;
    *this = text;
    return !IsEmpty();
}

long CString::AsInt() const {
    return IsEmpty() ? 0 : strtol(m_pchData, nullptr, 10);
}

float CString::AsFloat() const {
    return IsEmpty() ? 0.0f : static_cast<float>(strtod(m_pchData, nullptr));
}

int CString::Save(void* fileHandle) {
    HANDLE file = static_cast<HANDLE>(fileHandle);
    int length = GetLength();
    if (length > kMaxStoredLength)
        return 0; // the length word would wrap: write nothing
    WORD stored = m_pchData ? static_cast<WORD>(length + 1) : 0;
    DWORD written = 0;
    if (!WriteFile(file, &stored, sizeof stored, &written, nullptr) || written != sizeof stored)
        return 0;
    if (!stored)
        return 1;
    return WriteFile(file, m_pchData, stored, &written, nullptr) && written == stored;
}

int CString::Restore(void* fileHandle) {
    HANDLE file = static_cast<HANDLE>(fileHandle);
    Empty();
    WORD stored = 0;
    DWORD read = 0;
    if (!ReadFile(file, &stored, sizeof stored, &read, nullptr) || read != sizeof stored)
        return 0;
    if (!stored)
        return 1;
    char* text = ovkit::StringAlloc(stored);
    if (!text)
        return 0;
    if (!ReadFile(file, text, stored, &read, nullptr) || read != stored) {
        ovkit::StringFree(text); // a partly read text is not kept
        return 0;
    }
    text[stored - 1] = 0; // a damaged record must not leave the text unterminated
    m_pchData = text;
    return 1;
}

// CString: the replace family. One forward pass over the text: each search
// starts after the previous occurrence, so inserted text is never searched
// again (replacing a by aa in aaa gives aaaaaa).
#include "ovkit/cstring.h"
#include "ovkit/ovassert.h"
#include "string_heap.h"
#include <climits>
#include <cstring>

namespace {

enum ReplaceMode { kFirst = 1, kLast = 2, kAll = 4, kNoCase = 8 };

// A pointer that failed the readability check is treated as an empty text.
const char* ReadableOrEmpty(const char* text) {
    return IsBadStringPtrA(text, UINT_MAX) ? "" : text;
}

int IndexOf(const char* text, const char* sub, int from) {
    const char* hit = strstr(text + from, sub);
    return hit ? static_cast<int>(hit - text) : -1;
}

int LastIndexOf(const char* text, const char* sub) {
    int subLength = static_cast<int>(strlen(sub));
    for (int i = static_cast<int>(strlen(text)) - subLength; i >= 0; --i)
        if (strncmp(text + i, sub, subLength) == 0)
            return i;
    return -1;
}

} // namespace

const CString& CString::ReplaceWith(const char* lpcszOld, const char* lpcszNew, int mode) {
    // clang-format off
    OV_ASSERT(IsBadStringPtr( lpcszOld, UINT_MAX ) == FALSE);
    OV_ASSERT(IsBadStringPtr( lpcszNew, UINT_MAX ) == FALSE);
    // clang-format on
    CString oldText(ReadableOrEmpty(lpcszOld));
    CString newText(ReadableOrEmpty(lpcszNew));
    if (oldText.IsEmpty() || IsEmpty())
        return *this;
    // The NoCase variants search upper-cased copies; the lengths are the same.
    CString haystack(*this);
    if (mode & kNoCase) {
        haystack.MakeUpper();
        oldText.MakeUpper();
    }
    const int oldLength = oldText.GetLength();
    const int newLength = newText.GetLength();
    int first = (mode & kLast) ? LastIndexOf(haystack, oldText) : IndexOf(haystack, oldText, 0);
    if (first < 0)
        return *this;
    int count = 1;
    if (mode & kAll)
        for (int p = first; (p = IndexOf(haystack, oldText, p + oldLength)) >= 0;)
            ++count;

    const int length = GetLength();
    char* out = ovkit::StringAlloc(static_cast<SIZE_T>(length) +
                                   static_cast<SIZE_T>(count) * newLength + 1);
    if (!out)
        return *this;
    int from = 0, written = 0;
    for (int i = 0, p = first; i < count; ++i) {
        memcpy(out + written, m_pchData + from, p - from);
        written += p - from;
        memcpy(out + written, static_cast<const char*>(newText), newLength);
        written += newLength;
        from = p + oldLength;
        if (i + 1 < count)
            p = IndexOf(haystack, oldText, from);
    }
    memcpy(out + written, m_pchData + from, length - from);
    ovkit::StringFree(m_pchData);
    m_pchData = out;
    return *this;
}

const CString& CString::Replace(const char* lpcszOld, const char* lpcszNew) {
    return ReplaceWith(lpcszOld, lpcszNew, kAll);
}

const CString& CString::ReplaceNoCase(const char* lpcszOld, const char* lpcszNew) {
    return ReplaceWith(lpcszOld, lpcszNew, kAll | kNoCase);
}

const CString& CString::ReplaceFirst(const char* lpcszOld, const char* lpcszNew) {
    return ReplaceWith(lpcszOld, lpcszNew, kFirst);
}

const CString& CString::ReplaceFirstNoCase(const char* lpcszOld, const char* lpcszNew) {
    return ReplaceWith(lpcszOld, lpcszNew, kFirst | kNoCase);
}

const CString& CString::ReplaceLast(const char* lpcszOld, const char* lpcszNew) {
    return ReplaceWith(lpcszOld, lpcszNew, kLast);
}

const CString& CString::ReplaceLastNoCase(const char* lpcszOld, const char* lpcszNew) {
    return ReplaceWith(lpcszOld, lpcszNew, kLast | kNoCase);
}

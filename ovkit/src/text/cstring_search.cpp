// CString: searching, filtering, case changes and trimming.
#include "ovkit/cstring.h"
#include "string_heap.h"
#include <cctype>
#include <cstring>

namespace {

// Greatest index at which sub begins in text (overlaps count), or -1.
int LastIndexOf(const char* text, const char* sub) {
    int length = static_cast<int>(strlen(text));
    int subLength = static_cast<int>(strlen(sub));
    for (int i = length - subLength; i >= 0; --i)
        if (strncmp(text + i, sub, subLength) == 0)
            return i;
    return -1;
}

// Every byte of text that is (keep 1) or is not (keep 0) in the set.
CString Filter(const char* text, const char* set, int keep) {
    CString result;
    int length = static_cast<int>(strlen(text));
    char* kept = ovkit::StringAlloc(length + 1);
    if (!kept)
        return result;
    int n = 0;
    for (const char* p = text; *p; ++p) {
        int inSet = set && strchr(set, *p) != nullptr;
        if (inSet == keep)
            kept[n++] = *p;
    }
    if (n)
        result = kept;
    ovkit::StringFree(kept);
    return result;
}

CString Upper(const char* text) {
    CString copy(text);
    copy.MakeUpper();
    return copy;
}

} // namespace

CString CString::SpanIncluding(const char* set) const {
    return Filter(*this, set, 1);
}

CString CString::SpanExcluding(const char* set) const {
    return Filter(*this, set, 0);
}

void CString::MakeUpper() {
    if (m_pchData)
        _strupr(m_pchData);
}

void CString::MakeLower() {
    if (m_pchData)
        _strlwr(m_pchData);
}

void CString::MakeReverse() {
    if (m_pchData)
        _strrev(m_pchData);
}

void CString::TrimLeft() {
    if (!m_pchData)
        return;
    const char* p = m_pchData;
    while (*p && isspace(static_cast<unsigned char>(*p)))
        p = CharNextA(p);
    if (p != m_pchData)
        *this = CString(p);
}

void CString::TrimRight() {
    if (!m_pchData)
        return;
    char* lastRun = nullptr; // start of the white space that runs to the end
    for (char* p = m_pchData; *p; p = CharNextA(p)) {
        if (isspace(static_cast<unsigned char>(*p))) {
            if (!lastRun)
                lastRun = p;
        } else {
            lastRun = nullptr;
        }
    }
    if (lastRun)
        *lastRun = 0;
}

int CString::Find(char ch) const {
    if (IsEmpty() || !ch)
        return -1;
    const char* hit = strchr(m_pchData, ch);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::Find(const char* sub) const {
    if (IsEmpty() || !sub)
        return -1;
    const char* hit = strstr(m_pchData, sub);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::FindNoCase(const char* sub) const {
    if (IsEmpty() || !sub)
        return -1;
    return Upper(m_pchData).Find(Upper(sub));
}

int CString::ReverseFind(char ch) const {
    if (IsEmpty() || !ch)
        return -1;
    const char* hit = strrchr(m_pchData, ch);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::ReverseFind(const char* sub) const {
    if (IsEmpty() || !sub)
        return -1;
    return LastIndexOf(m_pchData, sub);
}

int CString::ReverseFindNoCase(const char* sub) const {
    if (IsEmpty() || !sub)
        return -1;
    return LastIndexOf(Upper(m_pchData), Upper(sub));
}

int CString::FindOneOf(const char* set) const {
    if (IsEmpty() || !set)
        return -1;
    const char* hit = strpbrk(m_pchData, set);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

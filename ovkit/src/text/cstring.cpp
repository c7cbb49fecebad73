// CString: construction, access, assignment, appending and comparison.
#include "ovkit/cstring.h"
#include "ovkit/ovassert.h"
#include "string_heap.h"
#include <cstdlib>
#include <cstring>

using ovkit::StringAlloc;
using ovkit::StringFree;

namespace {

const char kEmptyText[] = "";

// Shared by every string: the wide view is valid until the next conversion.
wchar_t g_wideView[520];

// A heap copy of length bytes of text plus a NUL; null when out of memory.
char* CopyText(const char* text, SIZE_T length) {
    char* copy = StringAlloc(length + 1);
    if (copy)
        memcpy(copy, text, length);
    return copy;
}

// A heap copy of the wide text in the ANSI code page; a character the page
// lacks becomes its replacement character, so the text is never cut. Null
// when the text is null or memory runs out.
char* CopyWide(const unsigned short* wide) {
    static_assert(sizeof(wchar_t) == sizeof(unsigned short), "wide text is UTF-16");
    if (!wide)
        return nullptr;
    const wchar_t* source = reinterpret_cast<const wchar_t*>(wide);
    int size = WideCharToMultiByte(CP_ACP, 0, source, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return nullptr;
    char* copy = StringAlloc(static_cast<SIZE_T>(size));
    if (copy && WideCharToMultiByte(CP_ACP, 0, source, -1, copy, size, nullptr, nullptr) != size) {
        StringFree(copy);
        copy = nullptr;
    }
    return copy;
}

} // namespace

CString::CString() : m_pchData(nullptr) {}

CString::CString(const char* text) : m_pchData(nullptr) {
    if (text)
        m_pchData = CopyText(text, strlen(text));
}

CString::CString(const CString& other) : m_pchData(nullptr) {
    if (other.m_pchData)
        m_pchData = CopyText(other.m_pchData, strlen(other.m_pchData));
}

CString::CString(const unsigned short* wide) : m_pchData(CopyWide(wide)) {}

CString::CString(void* window, unsigned int itemId) : m_pchData(nullptr) {
    char text[260];
    UINT length = GetDlgItemTextA(static_cast<HWND>(window), itemId, text, sizeof text);
    if (length > 0 && length < sizeof text)
        m_pchData = CopyText(text, length);
}

CString::~CString() {
    StringFree(m_pchData);
}

int CString::GetLength() const {
    return m_pchData ? static_cast<int>(strlen(m_pchData)) : 0;
}

int CString::IsEmpty() const {
    return !m_pchData || !m_pchData[0];
}

void CString::Empty() {
    StringFree(m_pchData);
    m_pchData = nullptr;
}

char CString::GetAt(int nIndex) const {
    OV_ASSERT(nIndex >= 0);
    OV_ASSERT(nIndex < GetLength());
    if (nIndex < 0 || nIndex >= GetLength())
        return 0;
    return m_pchData[nIndex];
}

char CString::operator[](int nIndex) const {
    return GetAt(nIndex);
}

void CString::SetAt(int nIndex, char ch) {
    OV_ASSERT(nIndex >= 0);
    OV_ASSERT(nIndex < GetLength());
    if (nIndex >= 0 && nIndex < GetLength())
        m_pchData[nIndex] = ch;
}

CString::operator const char*() const {
    return m_pchData ? m_pchData : kEmptyText;
}

CString::operator const unsigned short*() const {
    // The same code page as the wide constructor, so a text converts back.
    const int limit = sizeof g_wideView / sizeof g_wideView[0] - 1;
    const char* text = m_pchData ? m_pchData : kEmptyText;
    int bytes = static_cast<int>(strnlen(text, limit));
    int length = bytes ? MultiByteToWideChar(CP_ACP, 0, text, bytes, g_wideView, limit) : 0;
    g_wideView[length] = 0;
    return reinterpret_cast<const unsigned short*>(g_wideView);
}

// Each assignment copies before it frees, so a source that points into this
// string's own text stays readable.
const CString& CString::operator=(const CString& other) {
    if (this != &other)
        *this = other.m_pchData;
    return *this;
}

const CString& CString::operator=(const char* text) {
    char* copy = text ? CopyText(text, strlen(text)) : nullptr;
    StringFree(m_pchData);
    m_pchData = copy;
    return *this;
}

const CString& CString::operator=(char ch) {
    return *this = CString().operator+=(ch);
}

const CString& CString::operator=(const unsigned short* wide) {
    char* copy = CopyWide(wide);
    StringFree(m_pchData);
    m_pchData = copy;
    return *this;
}

void CString::Append(const char* text, int length) {
    int oldLength = GetLength();
    char* joined = StringAlloc(static_cast<SIZE_T>(oldLength) + length + 1);
    if (!joined)
        return; // out of memory: the text stays as it was
    if (oldLength)
        memcpy(joined, m_pchData, oldLength);
    if (length)
        memcpy(joined + oldLength, text, length);
    StringFree(m_pchData);
    m_pchData = joined;
}

const CString& CString::operator+=(const CString& other) {
    Append(other, other.GetLength());
    return *this;
}

const CString& CString::operator+=(const char* text) {
    Append(text, text ? static_cast<int>(strlen(text)) : 0);
    return *this;
}

const CString& CString::operator+=(char ch) {
    Append(&ch, ch ? 1 : 0);
    return *this;
}

int CString::Compare(const char* text) const {
    if (!text)
        text = kEmptyText;
    if (IsEmpty() && text[0])
        return -1;
    return lstrcmpA(*this, text);
}

int CString::CompareNoCase(const char* text) const {
    if (!text)
        text = kEmptyText;
    if (IsEmpty() && text[0])
        return -1;
    return lstrcmpiA(*this, text);
}

int CString::operator==(const CString& other) const {
    return Compare(other) == 0;
}
int CString::operator==(const char* text) const {
    return Compare(text) == 0;
}
int CString::operator!=(const CString& other) const {
    return Compare(other) != 0;
}
int CString::operator!=(const char* text) const {
    return Compare(text) != 0;
}
int CString::operator<(const CString& other) const {
    return Compare(other) < 0;
}
int CString::operator<(const char* text) const {
    return Compare(text) < 0;
}
int CString::operator>(const CString& other) const {
    return Compare(other) > 0;
}
int CString::operator>(const char* text) const {
    return Compare(text) > 0;
}
int CString::operator<=(const CString& other) const {
    return Compare(other) <= 0;
}
int CString::operator<=(const char* text) const {
    return Compare(text) <= 0;
}
int CString::operator>=(const CString& other) const {
    return Compare(other) >= 0;
}
int CString::operator>=(const char* text) const {
    return Compare(text) >= 0;
}

void CString::AllocCopy(CString& dest, int count, int index, int extra) const {
    if (count + extra < 1)
        return;
    char* copy = StringAlloc(static_cast<SIZE_T>(count) + extra + 1);
    if (!copy)
        return;
    if (count > 0)
        memcpy(copy, m_pchData + index, count);
    StringFree(dest.m_pchData);
    dest.m_pchData = copy;
}

CString CString::Mid(int first, int count) const {
    int length = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    CString result;
    if (first >= length)
        return result;
    if (count > length - first)
        count = length - first;
    AllocCopy(result, count, first, 0);
    return result;
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength() - first);
}

CString CString::Left(int n) const {
    int length = GetLength();
    CString result;
    AllocCopy(result, n < 0 ? 0 : (n > length ? length : n), 0, 0);
    return result;
}

CString CString::Right(int n) const {
    int length = GetLength();
    int count = n < 0 ? 0 : (n > length ? length : n);
    CString result;
    AllocCopy(result, count, length - count, 0);
    return result;
}

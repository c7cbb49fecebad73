// CString: the library's owner of one heap text (null means empty).
//
// No reference counting and no spare capacity: every change that alters the
// length makes a buffer of exactly length + 1 bytes. Every member that
// allocates or frees is defined inside ovkit, so a string may be made in one
// module and changed or destroyed in another.
//
// Conventions: indices are 0-based byte positions; searches return an index
// or -1; comparisons return negative, 0 or positive (operators 1 or 0);
// Save/Restore/LoadStringA return 1 on success, 0 on failure.
#pragma once
#include "ovkit/ovkit_base.h"
#include <stdarg.h>

class OVKIT_API CString {
  public:
    CString();
    CString(const char* text);
    CString(const CString& other);
    // Wide text (UTF-16, the size of wchar_t), converted to the ANSI code page;
    // a character the page lacks becomes the page's replacement character.
    CString(const unsigned short* wide);
    // Text of a dialog item, at most 259 characters.
    CString(void* window, unsigned int itemId);
    ~CString();

    int GetLength() const;
    int IsEmpty() const;
    void Empty();
    // Out of range: assertion, then 0 (GetAt) or nothing (SetAt).
    char GetAt(int nIndex) const;
    char operator[](int nIndex) const;
    void SetAt(int nIndex, char ch);

    // Never null: an empty string gives a zero-length text.
    operator const char*() const;
    // Wide view (from the ANSI code page) in one buffer of 520 characters shared
    // by all strings (at most 519 bytes are converted); overwritten by the next
    // conversion.
    operator const unsigned short*() const;

    const CString& operator=(const CString& other);
    const CString& operator=(const char* text);
    const CString& operator=(char ch);
    const CString& operator=(const unsigned short* wide);
    const CString& operator+=(const CString& other);
    // A null text appends nothing.
    const CString& operator+=(const char* text);
    const CString& operator+=(char ch);

    // lstrcmpA order; -1 when this is empty and text is not. Null text counts as "".
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;
    int operator==(const CString& other) const;
    int operator==(const char* text) const;
    int operator!=(const CString& other) const;
    int operator!=(const char* text) const;
    int operator<(const CString& other) const;
    int operator<(const char* text) const;
    int operator>(const CString& other) const;
    int operator>(const char* text) const;
    int operator<=(const CString& other) const;
    int operator<=(const char* text) const;
    int operator>=(const CString& other) const;
    int operator>=(const char* text) const;

    CString Mid(int first, int count) const;
    CString Mid(int first) const;
    CString Left(int n) const;
    CString Right(int n) const;
    // Filters the whole text by the set (a null set matches nothing).
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    void TrimLeft();
    void TrimRight();

    int Find(char ch) const;
    int Find(const char* sub) const;
    int FindNoCase(const char* sub) const;
    int ReverseFind(char ch) const;
    int ReverseFind(const char* sub) const;
    int ReverseFindNoCase(const char* sub) const;
    int FindOneOf(const char* set) const;

    // Formats (printf conversions) and appends the whole result to the text.
    void Format(const char* format, ...);
    // The same with a format from the module's string table; nothing when absent.
    void Format(void* module, unsigned int id, ...);
    // Empties, then loads the string-table entry (at most 259 characters).
    int LoadStringA(void* module, unsigned int id);

    // 0 when empty, else strtol (base 10) / strtod of the text.
    long AsInt() const;
    float AsFloat() const;

    // Stored form: 16-bit length counting the NUL (0 for a null text), then the
    // bytes. Save of more than 65,534 characters writes nothing and returns 0;
    // a failed Restore leaves the string empty.
    int Save(void* fileHandle);
    int Restore(void* fileHandle);

    const CString& Replace(const char* lpcszOld, const char* lpcszNew);
    const CString& ReplaceNoCase(const char* lpcszOld, const char* lpcszNew);
    const CString& ReplaceFirst(const char* lpcszOld, const char* lpcszNew);
    const CString& ReplaceFirstNoCase(const char* lpcszOld, const char* lpcszNew);
    const CString& ReplaceLast(const char* lpcszOld, const char* lpcszNew);
    const CString& ReplaceLastNoCase(const char* lpcszOld, const char* lpcszNew);

  protected:
    // dest gets count bytes from index plus extra zero bytes and a NUL;
    // nothing when count + extra < 1.
    void AllocCopy(CString& dest, int count, int index, int extra) const;

  private:
    void Append(const char* text, int length);
    void AppendFormatted(const char* format, va_list args);
    const CString& ReplaceWith(const char* lpcszOld, const char* lpcszNew, int mode);

    char* m_pchData;
};

static_assert(sizeof(CString) == sizeof(void*), "CString is one pointer");

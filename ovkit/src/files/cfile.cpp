#include "ovkit/cfile.h"
#include "ovkit/ovassert.h"
#include <cstdlib>
#include <cstring>

namespace {

int IsNullOrEmpty(const char* text) {
    return !text || !text[0];
}

// A second handle to the same open file; INVALID_HANDLE_VALUE for none.
HANDLE Duplicate(HANDLE file) {
    HANDLE copy = INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return copy;
    HANDLE self = GetCurrentProcess();
    if (!DuplicateHandle(self, file, self, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        copy = INVALID_HANDLE_VALUE;
    return copy;
}

} // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE) {}

CFile::CFile(const CFile& other)
    : m_hFile(Duplicate(other.m_hFile)), m_strFileName(other.m_strFileName) {}

CFile& CFile::operator=(const CFile& other) {
    if (this != &other) {
        Close();
        m_hFile = Duplicate(other.m_hFile);
        if (m_hFile != INVALID_HANDLE_VALUE)
            m_strFileName = other.m_strFileName;
    }
    return *this;
}

CFile::~CFile() {
    Close();
}

void* CFile::operator new(size_t size) {
    return malloc(size);
}

void CFile::operator delete(void* block) {
    free(block);
}

int CFile::IsOpenChecked() const {
    OV_ASSERT(m_hFile != INVALID_HANDLE_VALUE);
    return m_hFile != INVALID_HANDLE_VALUE;
}

int CFile::Open(const char* name, unsigned long access, unsigned long shareMode,
                unsigned long disposition, unsigned long flags) {
    // Copied before Close(): the name may be this file's own (GetFileName()).
    CString kept(name);
    Close();
    if (kept.IsEmpty())
        return 0;
    HANDLE file = CreateFileA(kept, access, shareMode, nullptr, disposition, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    m_hFile = file;
    m_strFileName = kept;
    return 1;
}

void CFile::Close() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_strFileName.Empty();
}

unsigned int CFile::Read(void* buffer, unsigned int n) {
    IsOpenChecked();
    if (!buffer || IsBadWritePtr(buffer, n))
        return 0;
    DWORD read = 0;
    return ReadFile(m_hFile, buffer, n, &read, nullptr) ? read : 0;
}

unsigned int CFile::Write(const void* data, unsigned int n) {
    IsOpenChecked();
    if (!data || IsBadReadPtr(data, n))
        return 0;
    DWORD written = 0;
    return WriteFile(m_hFile, data, n, &written, nullptr) ? written : 0;
}

void CFile::Flush() {
    IsOpenChecked();
    FlushFileBuffers(m_hFile);
}

long CFile::Seek(long offset, unsigned int origin) {
    IsOpenChecked();
    return static_cast<long>(SetFilePointer(m_hFile, offset, nullptr, origin));
}

void CFile::SetLength(unsigned long n) {
    IsOpenChecked();
    if (SetFilePointer(m_hFile, static_cast<LONG>(n), nullptr, FILE_BEGIN) == n)
        SetEndOfFile(m_hFile);
}

unsigned long CFile::GetLength() const {
    IsOpenChecked();
    return GetFileSize(m_hFile, nullptr);
}

unsigned long CFile::GetPosition() const {
    IsOpenChecked();
    return SetFilePointer(m_hFile, 0, nullptr, FILE_CURRENT);
}

const char* CFile::GetFileName() const {
    return m_strFileName;
}

int CFile::GetTime(FILETIME* created, FILETIME* accessed, FILETIME* written) {
    IsOpenChecked();
    return GetFileTime(m_hFile, created, accessed, written) != 0;
}

CFile& CFile::operator<<(const char* text) {
    if (text && text[0])
        Write(text, static_cast<unsigned int>(strlen(text)));
    return *this;
}

CFile& CFile::operator<<(CString& text) {
    if (!text.IsEmpty())
        Write(static_cast<const char*>(text), text.GetLength());
    return *this;
}

// One byte per read, so the position ends just after the line feed; the bytes
// are gathered in a small buffer to spare an allocation per byte. Zero bytes
// add nothing.
CFile& CFile::operator>>(CString& line) {
    char chunk[256];
    int used = 0;
    char byte = 0;
    while (byte != '\n' && Read(&byte, 1) == 1) {
        if (byte)
            chunk[used++] = byte;
        if (used == static_cast<int>(sizeof chunk) - 1) {
            chunk[used] = 0;
            line += chunk;
            used = 0;
        }
    }
    if (used) {
        chunk[used] = 0;
        line += chunk;
    }
    return *this;
}

int CFile::Rename(const char* from, const char* to) {
    if (IsNullOrEmpty(from) || IsNullOrEmpty(to))
        return 0;
    return MoveFileA(from, to) != 0;
}

int CFile::Remove(const char* name) {
    if (IsNullOrEmpty(name))
        return 0;
    return DeleteFileA(name) != 0;
}

unsigned long CFile::GetAttributes(const char* name) {
    if (IsNullOrEmpty(name))
        return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesA(name);
}

int CFile::SetAttributes(const char* name, unsigned long attributes) {
    if (IsNullOrEmpty(name))
        return 0;
    return SetFileAttributesA(name, attributes) != 0;
}

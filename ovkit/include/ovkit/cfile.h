// CFile: a thin owner of one Windows file handle. Each operation is one
// Windows call; failures show in the results (0, or 0xFFFFFFFF from Seek and
// GetAttributes) and the reason is GetLastError right after the call.
// A copy holds a duplicate of the handle, so every handle is closed once.
#pragma once
#include "ovkit/cstring.h"

class OVKIT_API CFile {
  public:
    CFile();
    CFile(const CFile& other);
    CFile& operator=(const CFile& other);
    virtual ~CFile();

    // The numbers are CreateFileA's. Closes any open file first.
    // 1 on success; 0 for a null or empty name or when CreateFileA fails.
    int Open(const char* name, unsigned long access, unsigned long shareMode,
             unsigned long disposition, unsigned long flags);
    void Close();

    // Bytes read or written; 0 for a null or inaccessible buffer or a failure.
    unsigned int Read(void* buffer, unsigned int n);
    unsigned int Write(const void* data, unsigned int n);
    void Flush();
    // origin: FILE_BEGIN, FILE_CURRENT or FILE_END; the new position, or
    // 0xFFFFFFFF on failure.
    long Seek(long offset, unsigned int origin);
    // Ends the file at n; the position stays at n.
    void SetLength(unsigned long n);
    unsigned long GetLength() const;
    unsigned long GetPosition() const;
    // The name given to Open; a zero-length text while closed.
    const char* GetFileName() const;
    // GetFileTime; any pointer may be null. Nonzero on success.
    int GetTime(FILETIME* created, FILETIME* accessed, FILETIME* written);

    // Writes the text without its terminator; null or empty writes nothing.
    CFile& operator<<(const char* text);
    CFile& operator<<(CString& text);
    // Appends one line, its line feed included, to the string (which is not
    // emptied first); at the end of the file it appends what is left or nothing.
    CFile& operator>>(CString& line);

    // 0 (or 0xFFFFFFFF for GetAttributes) for a null or empty name.
    static int Rename(const char* from, const char* to);
    static int Remove(const char* name);
    static unsigned long GetAttributes(const char* name);
    static int SetAttributes(const char* name, unsigned long attributes);

    // Objects made in another module are still freed on ovkit's side.
    static void* operator new(size_t size);
    static void operator delete(void* block);

  private:
    int IsOpenChecked() const;

    HANDLE m_hFile;
    CString m_strFileName;
};

// A whole file in memory and bounded reads of its fixed-offset fields: a
// field that lies past the end of the file reads as empty (0 or ""), a text
// ends at its terminator, its width, the end of the file or the target's
// size, whichever comes first. Older files may be truncated or carry
// unterminated texts, so every field goes through these.
#pragma once
#include <windows.h>
#include <string>

struct FileImage {
    std::string Bytes;
    DWORD Size() const { return (DWORD)Bytes.size(); }
    // Whether bytes [offset, offset + width) all lie inside the file.
    bool Holds(DWORD offset, DWORD width) const;
    BYTE Byte(DWORD offset) const;
    WORD Word(DWORD offset) const;
    DWORD Dword(DWORD offset) const;
    // Copies the text at offset (at most width bytes) into out of outSize
    // bytes, always terminated.
    void Text(DWORD offset, DWORD width, char* out, DWORD outSize) const;
};

// Reads the whole file; false when it cannot be opened or read whole (or is
// larger than limit bytes).
bool ReadFileImage(const char* path, FileImage* image, DWORD limit = 64u << 20);

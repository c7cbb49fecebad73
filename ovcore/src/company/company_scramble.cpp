// The stored form of the company list: each byte from 32 up is moved a fixed
// distance around the 224 non-control byte values.
#include "ovcore/company.h"
#include <string>

namespace {

const int kFirst = 32;
const int kValues = 256 - kFirst;
const int kShift = 79;

void Shift(char* bytes, int length, int by) {
    for (int i = 0; bytes && i < length; ++i) {
        int b = static_cast<unsigned char>(bytes[i]);
        if (b >= kFirst)
            bytes[i] = char(kFirst + (b - kFirst + by) % kValues);
    }
}

bool ReadWhole(const char* path, std::string& text) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE && size < 0x7FFFFFFF;
    DWORD got = 0;
    if (ok) {
        text.resize(size);
        ok = !size || (ReadFile(file, &text[0], size, &got, nullptr) && got == size);
    }
    CloseHandle(file);
    return ok;
}

} // namespace

ORB_EXPORT(void) CompanyDb_Scramble(char* bytes, int length) {
    Shift(bytes, length, kShift);
}

ORB_EXPORT(void) CompanyDb_Unscramble(char* bytes, int length) {
    Shift(bytes, length, kValues - kShift);
}

ORB_EXPORT(int) CompanyDb_EncodeFile(const char* textPath, const char* outPath) {
    std::string text;
    if (!textPath || !outPath || !ReadWhole(textPath, text))
        return 0;
    if (!text.empty())
        CompanyDb_Scramble(&text[0], int(text.size()));
    HANDLE out = CreateFileA(outPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return 0;
    DWORD wrote = 0;
    bool ok = text.empty() || (WriteFile(out, text.data(), DWORD(text.size()), &wrote, nullptr) &&
                               wrote == text.size());
    CloseHandle(out);
    if (!ok)
        DeleteFileA(outPath);
    return ok ? 1 : 0;
}

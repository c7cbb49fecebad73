// ovkit's own settings file OSTREVAN.INI (in the library's folder), and the
// helpers that read and write settings: integers, the owner and company
// names, and the text form in which passwords are kept.
#pragma once
#include "ovkit/ovkit_base.h"

// The library's folder + "OSTREVAN.INI" into buffer (MAX_PATH bytes); empty
// when the folder cannot be read.
OVKIT_EXPORT(void) OVKIT_GetConfigFilePath(char* buffer);

// Writes value as "%lu". Returns what WritePrivateProfileStringA returns.
OVKIT_EXPORT(BOOL)
OVKIT_WritePrivateProfileInt(const char* section, const char* key, DWORD value, const char* file);

// author and company (either may be null) get [Main] Author and [Main]
// Company of OSTREVAN.INI; an empty one is taken from the registered owner
// and organisation of Windows and written back. Each is cut to its size - 1.
OVKIT_EXPORT(void) OVKIT_GetOwnerInfo(char* author, int authorSize, char* company, int companySize);

// Password text form: "Encrypt://" and two upper-case hex digits per byte,
// each byte XOR key first.
// out must hold 10 + 2 x strlen(password) + 1 bytes. 1 on success; 0 for a
// null argument.
OVKIT_EXPORT(BOOL) OVKIT_EncryptPassword(const char* password, char* out, BYTE key);
// A text without the prefix (any case) is copied unchanged; otherwise the
// pairs of hex digits behind it give the bytes, XOR key, up to the first pair
// that is not two hex digits (an odd last digit included). out must hold
// strlen(text) + 1 bytes, which always suffices. 1 on success; 0 for a null
// argument.
OVKIT_EXPORT(BOOL) OVKIT_DecryptPassword(const char* text, char* out, BYTE key);

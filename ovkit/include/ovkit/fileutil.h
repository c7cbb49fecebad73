// Whole-file reading, writing and copying, and file look-up and counting.
//
// Open, read and write failures are shown in a message box (no owner, caption
// "Ostrevane User Interface DLL", error icon) where noted.
#pragma once
#include "ovkit/ovkit_base.h"

// Clears *found and looks the name (wildcards allowed) up. 1 when something
// matched (*found then describes it), else 0.
OVKIT_EXPORT(BOOL) OVKIT_FindFile(const char* name, WIN32_FIND_DATAA* found);

// Reads the whole file into a movable, zero-filled global block of its size
// plus 63 bytes, so the data is always followed by NUL bytes; the block is
// locked and its handle stored in *handle. style is an OpenFile style word
// (OF_READ, OF_SHARE_DENY_NONE, ...). *size gets the bytes read (fewer than
// the size found when the file shrank meanwhile). Returns the block, or null:
// silently when the file does not exist, with "Unable to open %s." when
// showErrors is set and it cannot be opened, always with "Unable to read from
// %s." when a read fails. Release the block with OVKIT_UnlockAndFree(handle).
OVKIT_EXPORT(char*)
OVKIT_ReadEntireFile(const char* path, HGLOBAL* handle, BOOL showErrors, UINT style, DWORD* size);
// Creates (or truncates) the file and writes length bytes. 1 when all was
// written; 0 silently when it cannot be created, 0 with "Unable to write to
// %s." when a write fails.
OVKIT_EXPORT(BOOL) OVKIT_WriteEntireFile(const char* path, const void* data, DWORD length);
// Copies the bytes of source to destination (no times or attributes). 1 on
// success; 0 when the source cannot be read or is empty, or the write fails.
OVKIT_EXPORT(BOOL) OVKIT_MyCopyFile(const char* source, const char* destination);
// Number of entries matching folder and pattern joined as they stand (no
// separator is added) that are not folders; 0 when nothing matches.
OVKIT_EXPORT(int) OVKIT_CountFiles(const char* folder, const char* pattern);

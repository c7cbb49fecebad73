// File access of the profile writer and reader.
#pragma once
#include <windows.h>

// Writes all bytes of the text to the file; FALSE when fewer were written.
BOOL ProfileFile_WriteAll(HANDLE file, const char* data, DWORD length);
// The whole file as a zero-terminated heap block (malloc) and its length;
// null when it cannot be opened, is empty, or cannot be read whole.
char* ProfileFile_ReadAll(const char* path, DWORD* length);

// The function that writes to the file, as WriteFile. Tests put a failing one
// in its place to show what a failed write leaves behind. Null restores
// WriteFile. Returns the previous function.
typedef BOOL(WINAPI* ProfileWriteFn)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
ProfileWriteFn ProfileFile_SetWriteFunction(ProfileWriteFn fn);

// The data folder that profile files live in (ends in a backslash): the one
// registered by the client, else the install layout's. False when unknown.
bool ProfileFile_DataFolder(char* folder /* MAX_PATH */);

// Reading an opened file whole into a locked global block. Private to ovkit;
// kept apart from OVKIT_ReadEntireFile so that a file shorter than its
// directory entry said can be tested.
#pragma once
#include "ovkit/ovkit_base.h"

// Reads up to expected bytes of file into a new locked block (expected + 63
// bytes, zero-filled; handle stored in *handle). *size gets the bytes actually
// read. Null on an allocation failure (the memory helpers tell the user) or a
// failed read ("Unable to read from %s." with path; the block is released and
// *handle cleared).
char* ReadOpenedFile(HANDLE file, DWORD expected, HGLOBAL* handle, DWORD* size, const char* path);

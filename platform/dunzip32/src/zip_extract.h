// Unpacking one zip member (stored or deflated) to a file.
#pragma once
#include "zip_directory.h"
#include "dunzip32.h"

// Writes the member's data to `destination` (created, replacing any file),
// reporting progress through the callback; returns a DUNZIP_* result. A
// failed or stopped extraction deletes the partial file.
int ZipExtractToFile(HANDLE archive, const ZipMember& member, LPCSTR destination,
                     DUNZIP_PROGRESS progress, HWND window);

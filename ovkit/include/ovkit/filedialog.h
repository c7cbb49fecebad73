// The common open/save dialog with the library's defaults.
#pragma once
#include "ovkit/ovkit_base.h"

// Replaces every byte 0x01 of the text by NUL in place: a filter list written
// "desc\1pattern\1...\1\1" becomes the double-NUL list the dialogs take.
OVKIT_EXPORT(void) OVKIT_ConvertFileList(char* list);

// Shows the open dialog (open set) or the save dialog. path, folder and
// defaultName are in/out buffers of 260 bytes: when path names an existing
// file its folder becomes the initial folder, else path = folder + default
// name. filter is a 0x01-separated list (converted in place); the default
// extension is that of its first pattern. Returns non-zero when the user
// chose a file (then in path), 0 when cancelled.
OVKIT_EXPORT(BOOL)
OVKIT_GetFilename(HWND owner, HINSTANCE instance, char* path, char* folder, char* defaultName,
                  char* filter, const char* title, BOOL open);

// Opening and reading report templates, which the plug-in's editors may
// hold open for a moment.
#pragma once
#include <windows.h>
#include <string>

// Opens an existing file with access (others may read), retrying for about
// 2.5 seconds while another process holds it. INVALID_HANDLE_VALUE on
// failure, the cause in *error.
HANDLE OpenTemplateFile(const char* path, DWORD access, DWORD* error);

// The whole file from its current position; false on a read failure or a
// file of 2 GiB or more.
bool ReadWholeFile(HANDLE file, std::string& text);

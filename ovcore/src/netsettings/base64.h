// Base64 (RFC 4648 alphabet, "=" padding) for HTTP Basic credentials.
#pragma once
#include <windows.h>

// Encodes length bytes into out (size bytes, terminated). FALSE, out empty,
// when the encoding does not fit.
BOOL Base64_Encode(const void* data, DWORD length, char* out, DWORD size);

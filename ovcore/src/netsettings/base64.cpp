#include "netsettings/base64.h"

static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

BOOL Base64_Encode(const void* data, DWORD length, char* out, DWORD size) {
    if (size == 0)
        return FALSE;
    out[0] = 0;
    if ((length + 2) / 3 * 4 >= size)
        return FALSE;
    const BYTE* in = static_cast<const BYTE*>(data);
    char* o = out;
    for (DWORD i = 0; i < length; i += 3) {
        DWORD rest = length - i;
        DWORD group = (DWORD)in[i] << 16 | (rest > 1 ? (DWORD)in[i + 1] << 8 : 0) |
                      (rest > 2 ? in[i + 2] : 0);
        *o++ = kAlphabet[group >> 18 & 63];
        *o++ = kAlphabet[group >> 12 & 63];
        *o++ = rest > 1 ? kAlphabet[group >> 6 & 63] : '=';
        *o++ = rest > 2 ? kAlphabet[group & 63] : '=';
    }
    *o = 0;
    return TRUE;
}

#include "text/html_escape.h"

#include <string.h>
#include <windows.h>

// The reference of a character that must not stand as it is, else null.
static const char* ReferenceOf(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    default:
        return nullptr;
    }
}

size_t EscapeHtmlText(const char* text, char* out, size_t size) {
    if (!out || size == 0)
        return 0;
    size_t used = 0, taken = 0;
    for (; text && text[taken]; ++taken) {
        const char* reference = ReferenceOf(text[taken]);
        size_t length = reference ? strlen(reference) : 1;
        if (used + length >= size)
            break;
        if (reference)
            memcpy(out + used, reference, length);
        else
            out[used] = text[taken];
        used += length;
    }
    out[used] = 0;
    return taken;
}

void AppendHtmlText(char* out, size_t size, const char* text) {
    if (!out || size == 0)
        return;
    size_t used = strnlen(out, size - 1);
    EscapeHtmlText(text, out + used, size - used);
}

namespace {

struct NamedReference {
    const char* name;
    unsigned code; // the Unicode code point
};

const NamedReference kNamed[] = {
    {"amp", '&'},      {"lt", '<'},        {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},    {"copy", 0xA9},     {"reg", 0xAE},     {"trade", 0x2122}, {"euro", 0x20AC},
    {"ndash", 0x2013}, {"mdash", 0x2014},  {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C},
    {"rdquo", 0x201D}, {"hellip", 0x2026}, {"laquo", 0xAB},   {"raquo", 0xBB},
};

// The value of a digit, or 16 when c is none.
unsigned DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9')
        return (unsigned)(c - '0');
    if (hex && c >= 'a' && c <= 'f')
        return (unsigned)(c - 'a' + 10);
    if (hex && c >= 'A' && c <= 'F')
        return (unsigned)(c - 'A' + 10);
    return 16;
}

// The code point of a numeric reference's body ("#233", "#xE9"), or 0.
unsigned NumericCode(const char* body, size_t length) {
    bool hex = length >= 2 && (body[1] == 'x' || body[1] == 'X');
    size_t at = hex ? 2 : 1;
    if (at >= length || length - at > 6)
        return 0;
    unsigned code = 0;
    for (; at < length; ++at) {
        unsigned digit = DigitValue(body[at], hex);
        if (digit >= (hex ? 16u : 10u))
            return 0;
        code = code * (hex ? 16 : 10) + digit;
    }
    return code;
}

// The code point of the reference whose body (between '&' and ';') is
// body, or 0.
unsigned ReferenceCode(const char* body, size_t length) {
    if (length >= 1 && body[0] == '#')
        return NumericCode(body, length);
    for (const NamedReference& named : kNamed)
        if (strlen(named.name) == length && strncmp(named.name, body, length) == 0)
            return named.code;
    return 0;
}

// The code page's byte of a code point, or 0 when it has none.
char CodePageByte(unsigned code) {
    if (code == 0 || code > 0xFFFF)
        return 0;
    WCHAR wide = (WCHAR)code;
    char byte = 0;
    BOOL lost = FALSE;
    if (WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &wide, 1, &byte, 1, nullptr, &lost) != 1 ||
        lost)
        return 0;
    return byte;
}

} // namespace

void DecodeHtmlReferences(char* text) {
    char* to = text;
    for (const char* from = text; from && *from;) {
        const char* end = *from == '&' ? strchr(from, ';') : nullptr;
        char byte =
            end && end - from <= 12 ? CodePageByte(ReferenceCode(from + 1, end - from - 1)) : 0;
        if (byte) {
            *to++ = byte;
            from = end + 1;
        } else {
            *to++ = *from++;
        }
    }
    if (to)
        *to = 0;
}

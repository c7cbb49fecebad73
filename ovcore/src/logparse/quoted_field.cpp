// Quoted fields of the common and combined formats with Apache's escapes:
// a quote inside a field is written \" and a backslash \\.
#include "logparse/ascii_text.h"
#include "logparse/parse_common.h"

namespace {

bool Closes(const LineScan& s, DWORD quote, QuoteClose rule) {
    if (rule == CLOSE_AT_ANY || quote + 1 >= s.end)
        return true;
    char next = s.line[quote + 1];
    return rule == CLOSE_BEFORE_BLANK ? next == ' ' : !IsAsciiAlnum(next);
}

// The first quote from s.pos that closes by the rule; with escapes honoured,
// a quote behind a backslash is text. *escaped: a backslash was passed.
DWORD FindClosingQuote(const LineScan& s, QuoteClose rule, bool honourEscapes, bool* escaped) {
    char other = honourEscapes ? '\\' : '"';
    for (DWORD i = s.pos; i < s.end; ++i) {
        i += (DWORD)FindAnyOf3(s.line + i, s.end - i, '"', other, other);
        if (i >= s.end)
            break;
        if (s.line[i] == '\\') {
            *escaped = true;
            ++i; // the byte behind the backslash is text
        } else if (Closes(s, i, rule)) {
            return i;
        }
    }
    return s.end;
}

} // namespace

DWORD QuotedFieldEnd(const LineScan& s, QuoteClose rule, bool* escaped) {
    *escaped = false;
    DWORD close = FindClosingQuote(s, rule, true, escaped);
    if (close < s.end || !*escaped)
        return close;
    // A server that writes no escapes may end a field with a backslash.
    *escaped = false;
    return FindClosingQuote(s, rule, false, escaped);
}

void UnescapeQuotedText(char* text) {
    char* out = text;
    for (const char* in = text; *in; ++in) {
        if (in[0] == '\\' && (in[1] == '"' || in[1] == '\\'))
            ++in;
        *out++ = *in;
    }
    *out = 0;
}

// Steps shared by the line parsers.
#pragma once
#include "logparse/line_end.h"
#include "logparse/parsers.h"
#include "ovkit/text_copy.h"
#include <string.h>

// Length of the text's first line with the CR/LF run behind it; the whole
// length when it has no line end. Reads at most length bytes.
DWORD FirstLineLength(const char* text, DWORD length);
// FirstLineLength for a text whose LineEndOffset is known to be `end`: only
// a NUL there makes it look further.
DWORD FirstLineLengthFrom(const char* text, DWORD end, DWORD length);
// Offset of the first CR, LF or NUL of the text (length when none).
DWORD LineEndOffset(const char* text, DWORD length);
// Fills res for a rejected line of `consumed` bytes (its own length, taken
// before any field was cut) and answers 0.
BOOL RejectLine(LineParseResult* res, DWORD consumed);
// Fills res for an accepted line of `consumed` bytes and answers 1.
BOOL AcceptLine(LineParseResult* res, DWORD consumed);
// Copies text (and its terminator) into the line buffer at *cursor, growing
// the buffer when the spare bytes do not hold it; *cursor moves behind it.
// The copy, or null when the buffer cannot grow. Growing moves the record's
// text pointers; other pointers into the line are stale afterwards.
char* AppendLineText(HitRecord* rec, DWORD* cursor, const char* text);
// Method code of a method text (prefix compare, any case): HIT_METHOD_*;
// HIT_METHOD_OTHER for an empty text; -1 for any other method.
int MethodCodeFromText(const char* text);
// The finishing step of the field-splitting formats: database-template URL
// rewrite, hit time, method code, client address and completion. 1, or 0
// when the line is to be rejected.
BOOL FinishParsedLine(DWORD code, HitRecord* rec);
// Moves the method text to the protocol of the service logs: "SENT" -> "GET"
// and "CREATED" -> "PUT" with protocol "FTP"; GET, POST, HEAD and PUT give
// "HTTP/1.0". The method is upper-cased in place; texts are written at
// *cursor. 1, or 0 for any other method.
BOOL SetServiceProtocol(HitRecord* rec, DWORD* cursor);

// A cursor over the first line of the record's buffer: fields are cut in
// place by writing terminators; `end` is the first CR, LF or NUL.
struct LineScan {
    char* line;
    DWORD end;
    DWORD pos;

    LineScan(HitRecord* rec, const LineParseContext* ctx)
        : line(rec->lpLine), end(LineEndOffset(rec->lpLine, ctx->dwLength)), pos(0) {}
    bool AtEnd() const { return pos >= end; }
    char Peek() const { return pos < end ? line[pos] : 0; }
    void SkipBlanks() {
        while (pos < end && line[pos] == ' ')
            ++pos;
    }
    // Offset of the next c at or after pos within the line, or end.
    DWORD Find(char c) const {
        return pos >= end ? end : pos + (DWORD)FindAnyOf3(line + pos, end - pos, c, c, c);
    }
    // The text from pos to `stop` (cut there, trailing blanks removed); pos
    // moves behind the stop character.
    char* CutAt(DWORD stop) {
        char* start = line + pos;
        // TrimFieldEnd, inline: every field of every line passes here.
        line[stop] = 0;
        for (DWORD i = stop; i > 0 && line[i - 1] == ' ';)
            line[--i] = 0;
        pos = stop < end ? stop + 1 : end;
        return start;
    }
    // The next count fields, each closed by sep, into cols; false when the
    // line ends before the last of those separators.
    bool CutColumns(char sep, char** cols, int count) {
        for (int i = 0; i < count; ++i) {
            DWORD stop = Find(sep);
            if (stop >= end)
                return false;
            cols[i] = CutAt(stop);
        }
        return true;
    }
    // The next field up to the separator sep (or the line end), after
    // skipping leading blanks when sep is a blank. Null at the line end.
    char* CutField(char sep) {
        if (sep == ' ')
            SkipBlanks();
        if (AtEnd())
            return nullptr;
        return CutAt(Find(sep));
    }
};

// Which quote closes a quoted field: any, one followed by a blank, or one
// followed by neither a letter nor a digit (the line end closes for all).
enum QuoteClose { CLOSE_AT_ANY, CLOSE_BEFORE_BLANK, CLOSE_BEFORE_NON_ALNUM };
// The quote from s.pos that closes the field by the rule, a quote behind a
// backslash being text (Apache writes a quote inside a field as \" and a
// backslash as \\); when the line has no such quote, the first that closes
// with backslashes taken as plain text; s.end when none. *escaped: the
// field holds backslash escapes to undo.
DWORD QuotedFieldEnd(const LineScan& s, QuoteClose rule, bool* escaped);
// Undoes the escapes \" and \\ of a quoted field in place; other
// backslashes (\xhh and the like, which stand for bytes a report cannot
// show) stay as written.
void UnescapeQuotedText(char* text);

// "-" gives the shared empty text.
inline char* DashOrText(char* field) {
    return (field && field[0] == '-' && field[1] == 0) ? HitRecord_EmptyText : field;
}
// LimitUrlLength and UnescapeURLText in one; the text's new length.
size_t LimitAndUnescapeUrl(char* url);
// Limits and unescapes a URL field; a lone "?" at its end goes.
void CleanUrlField(char* url);

// Common and combined log lines (format code 2) and their variants: proxy,
// multi-home (a server word), cookie, weekday dates, pipe sections and
// continuation lines.
#include "logparse/ascii_text.h"
#include "logparse/parse_common.h"
#include <ctype.h>
#include <string.h>

namespace {

// Whether the fourth blank-separated word of the line begins with "[".
bool FourthWordIsBracket(const LineScan& s) {
    DWORD i = 0;
    for (int word = 0; word < 3; ++word) {
        while (i < s.end && s.line[i] == ' ')
            ++i;
        while (i < s.end && s.line[i] != ' ')
            ++i;
    }
    while (i < s.end && s.line[i] == ' ')
        ++i;
    return i < s.end && s.line[i] == '[';
}

void SetServerAddr(HitRecord* rec, char* text) {
    if (!text)
        return;
    rec->lpszServerAddr = strchr(text, '/') ? HitRecord_EmptyText : DashOrText(text);
}

// Client, server and user words, then the bracketed date.
bool ReadHead(HitRecord* rec, LineScan& s) {
    bool standard = FourthWordIsBracket(s);
    char* client = s.CutField(' ');
    if (!client)
        return false;
    rec->lpszClientAddr = client;
    s.SkipBlanks();
    // Lines without the identity and user words have the date next.
    if (s.Peek() != '[') {
        char* server = s.CutField(' ');
        if (!server)
            return false;
        SetServerAddr(rec, server);
        s.SkipBlanks();
    }
    if (s.Peek() == '[') {
        // no user word
    } else if (standard) {
        char* user = s.CutField(' ');
        if (!user)
            return false;
        rec->lpszUserName = DashOrText(user);
        s.SkipBlanks();
    } else {
        // A user name may hold blanks: it runs to the blank before "[".
        DWORD bracket = s.Find('[');
        if (bracket >= s.end || s.line[bracket - 1] != ' ')
            return false;
        rec->lpszUserName = DashOrText(s.CutAt(bracket - 1));
        s.pos = bracket;
    }
    if (s.Peek() != '[')
        return false;
    ++s.pos;
    DWORD close = s.Find(']');
    if (close >= s.end)
        return false;
    rec->lpszDateTime = s.CutAt(close);
    s.SkipBlanks();
    if (s.Peek() != '"' && !s.AtEnd()) {
        SetServerAddr(rec, s.CutField(' '));
        s.SkipBlanks();
    }
    return true;
}

// The comma-and-pipe layout: agent to "|", referrer to ",", the rest of the
// request to its closing quote, then status and bytes.
bool ReadAlternativeTail(HitRecord* rec, LineScan& s) {
    DWORD pipe = s.Find('|');
    if (pipe >= s.end)
        return false;
    rec->lpszUserAgent = s.CutAt(pipe);
    DWORD comma = s.Find(',');
    if (comma >= s.end)
        return false;
    char* referrer = s.CutAt(comma);
    CleanUrlField(referrer);
    rec->lpszReferrer = referrer;
    s.SkipBlanks();
    DWORD quote = s.Find('"');
    if (quote >= s.end)
        return false;
    char* protocol = s.CutAt(quote);
    char* query = strchr(protocol, '?');
    if (query) {
        *query = 0;
        char* blank = strrchr(protocol, ' ');
        protocol = blank ? blank + 1 : protocol;
    }
    rec->lpszProtocol = protocol;
    char* status = s.CutField(' ');
    s.SkipBlanks();
    if (!status || s.AtEnd())
        return false;
    rec->lpszStatus = status;
    rec->lpszBytesOut = s.CutAt(s.end);
    return true;
}

// The text from s.pos to stop with its backslash escapes undone when it
// holds any.
char* UnescapedCut(LineScan& s, DWORD stop, bool escaped) {
    char* text = s.CutAt(stop);
    if (escaped)
        UnescapeQuotedText(text);
    return text;
}

enum RequestResult { REQUEST_BAD, REQUEST_OK, REQUEST_ALTERNATIVE };

// "METHOD URL PROTOCOL" in double quotes; a "-" request has neither URL nor
// protocol. The request ends at a quote followed by a blank or the line end
// (quotes inside a URL are part of it); the protocol runs to a quote that is
// not followed by a letter or digit.
RequestResult ReadRequest(HitRecord* rec, LineScan& s, bool* proxy) {
    if (s.Peek() != '"')
        return REQUEST_BAD;
    ++s.pos;
    bool escaped = false;
    DWORD blank = s.Find(' '), quote = QuotedFieldEnd(s, CLOSE_BEFORE_BLANK, &escaped);
    if (quote >= s.end)
        return REQUEST_BAD;
    if (quote < blank) {
        rec->lpszMethod = DashOrText(UnescapedCut(s, quote, escaped));
        return REQUEST_OK;
    }
    rec->lpszMethod = DashOrText(s.CutAt(blank));
    s.SkipBlanks();
    blank = s.Find(' ');
    // With no backslash before it, the quote found from the method is the
    // one a search from the URL finds.
    if (escaped)
        quote = QuotedFieldEnd(s, CLOSE_BEFORE_BLANK, &escaped);
    bool alternative = blank < quote && blank > s.pos && s.line[blank - 1] == ',';
    char* url = UnescapedCut(s, quote <= blank ? quote : blank, escaped);
    *proxy = StartsWith(url, "http://", 7);
    CleanUrlField(url);
    rec->lpszUrl = DashOrText(url);
    if (alternative)
        return REQUEST_ALTERNATIVE;
    if (quote <= blank)
        return REQUEST_OK;
    DWORD close = QuotedFieldEnd(s, CLOSE_BEFORE_NON_ALNUM, &escaped);
    if (close >= s.end)
        return REQUEST_BAD;
    char* protocol = UnescapedCut(s, close, escaped);
    if (protocol[0] == '"') // some servers write a stray quote before it
        ++protocol;
    rec->lpszProtocol = protocol;
    return REQUEST_OK;
}

// "| agent | referrer" to the line end.
void ReadPipeSection(HitRecord* rec, LineScan& s) {
    ++s.pos;
    s.SkipBlanks();
    rec->lpszUserAgent = DashOrText(s.CutAt(s.Find('|')));
    s.SkipBlanks();
    if (!s.AtEnd()) {
        char* referrer = s.CutAt(s.end);
        CleanUrlField(referrer);
        rec->lpszReferrer = referrer;
    }
}

// Quoted referrer, agent and cookie, or the unquoted words of older logs.
void ReadTail(HitRecord* rec, LineScan& s, bool proxy) {
    int next = 0; // 0 referrer, 1 agent, 2 cookie
    int brackets = 0;
    while (true) {
        s.SkipBlanks();
        if (s.AtEnd())
            return;
        char c = s.Peek();
        if (c == '"') {
            ++s.pos;
            bool escaped = false;
            DWORD close = QuotedFieldEnd(s, CLOSE_AT_ANY, &escaped);
            char* text = UnescapedCut(s, close, escaped);
            int slot = brackets >= 2 ? 2 : next++;
            if (slot == 0) {
                CleanUrlField(text);
                rec->lpszReferrer = text;
            } else if (slot == 1) {
                rec->lpszUserAgent = DashOrText(text);
            } else if (slot == 2) {
                rec->lpszCookie = text;
            }
        } else if (c == '|') {
            ReadPipeSection(rec, s);
            return;
        } else if (c == '[') {
            DWORD close = s.Find(']');
            s.pos = close < s.end ? close + 1 : s.end;
            ++brackets;
        } else {
            char* word = s.CutField(' ');
            if (proxy)
                return;
            if (next == 0 && (strchr(word, ':') || strcmp(word, "-") == 0)) {
                CleanUrlField(word);
                rec->lpszReferrer = word;
                next = 1; // quoted fields behind it are agent and cookie
            } else if (word[0] != '(') {
                SetServerAddr(rec, word);
            }
        }
    }
}

// A next line that begins with "/" continues the record: "agent words referrer".
DWORD ReadContinuation(HitRecord* rec, const LineParseContext* ctx, DWORD consumed) {
    char* next = rec->lpLine + consumed;
    DWORD left = ctx->dwLength - consumed;
    if (consumed >= ctx->dwLength || next[0] != '/')
        return consumed;
    DWORD end = LineEndOffset(next, left);
    int blanks = 0;
    DWORD last = 0;
    for (DWORD i = 0; i < end; ++i)
        if (next[i] == ' ') {
            ++blanks;
            last = i;
        }
    if (blanks != 3)
        return consumed;
    DWORD total = consumed + FirstLineLength(next, left);
    next[end] = 0;
    next[last] = 0;
    rec->lpszReferrer = next + last + 1;
    rec->lpszUserAgent = next;
    return total;
}

} // namespace

BOOL ParseCommonLogLine(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    LineScan s(rec, ctx);
    DWORD consumed = FirstLineLengthFrom(rec->lpLine, s.end, ctx->dwLength);
    bool proxy = false;
    if (!ReadHead(rec, s))
        return RejectLine(res, consumed);
    RequestResult request = ReadRequest(rec, s, &proxy);
    if (request == REQUEST_BAD)
        return RejectLine(res, consumed);
    if (request == REQUEST_ALTERNATIVE) {
        if (!ReadAlternativeTail(rec, s) || !FinishParsedLine(2, rec))
            return RejectLine(res, consumed);
        return AcceptLine(res, consumed);
    }
    char* status = s.CutField(' ');
    char* bytes = s.CutField(' ');
    if (!status || !bytes)
        return RejectLine(res, consumed);
    rec->lpszStatus = status;
    rec->lpszBytesOut = bytes;
    s.SkipBlanks();
    // Only a line that ends at its bytes has its agent and referrer on a
    // continuation line; behind any other the next line is a line of its own.
    bool endsAtBytes = s.AtEnd();
    ReadTail(rec, s, proxy);
    if (endsAtBytes)
        consumed = ReadContinuation(rec, ctx, consumed);
    if (!FinishParsedLine(2, rec))
        return RejectLine(res, consumed);
    return AcceptLine(res, consumed);
}

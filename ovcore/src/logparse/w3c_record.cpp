// W3C extended log lines (format code 11): directives and record lines.
#include "logparse/line_end.h"
#include "logparse/parse_common.h"
#include "logparse/w3c_map.h"
#include "ovcore/hittime.h"
#include <string.h>

namespace {

const DWORD kMaxLine = 16384;

// One column of the line: [start, stop) before any cutting.
struct Column {
    DWORD start;
    DWORD stop;
    bool hasQuote; // only then does the text need unquoting
};

// The column that starts at i; quotes may hold blanks ("" is one quote).
Column NextColumn(const char* line, DWORD end, DWORD i) {
    Column c = {i, i, false};
    bool quoted = false;
    while (c.stop < end) {
        if (!quoted) { // straight to the column's end or its next quote
            c.stop += (DWORD)FindAnyOf3(line + c.stop, end - c.stop, ' ', '\t', '"');
            if (c.stop >= end || line[c.stop] != '"')
                break;
        }
        char ch = line[c.stop];
        if (ch == '"') {
            c.hasQuote = true;
            if (quoted && c.stop + 1 < end && line[c.stop + 1] == '"')
                c.stop += 2;
            else {
                quoted = !quoted;
                ++c.stop;
            }
            continue;
        }
        if (!quoted && (ch == ' ' || ch == '\t'))
            break;
        ++c.stop;
    }
    return c;
}

// The line's columns, split once: blanks and tabs between them count once.
// The first W3C_MAX_COLUMNS are kept; `count` counts them all.
struct LineColumns {
    Column column[W3C_MAX_COLUMNS];
    DWORD count;
};

#if defined(__SSE2__)
void AddColumn(LineColumns* out, DWORD start, DWORD stop) {
    if (out->count < W3C_MAX_COLUMNS)
        out->column[out->count] = Column{start, stop, false};
    ++out->count;
}

// Bit i set where text[i] (of 16 bytes) is a blank or a tab.
unsigned SeparatorMask(const char* text) {
    __m128i block = _mm_loadu_si128((const __m128i*)text);
    __m128i sep = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(' ')),
                               _mm_cmpeq_epi8(block, _mm_set1_epi8('\t')));
    return (unsigned)_mm_movemask_epi8(sep);
}

// The columns of a line without quotes (most lines), 16 bytes at a time: a
// column starts where a separator run ends and stops where the next begins.
void SplitUnquotedColumns(const char* line, DWORD end, LineColumns* out) {
    bool inColumn = false;
    DWORD start = 0;
    for (DWORD base = 0; base < end; base += 16) {
        unsigned seps;
        if (end - base >= 16) {
            seps = SeparatorMask(line + base);
        } else {
            char tail[16];
            memset(tail, ' ', sizeof(tail));
            memcpy(tail, line + base, end - base);
            seps = SeparatorMask(tail);
        }
        unsigned text = ~seps & 0xFFFFu;
        unsigned before = ((text << 1) | (inColumn ? 1u : 0u)) & 0xFFFFu; // text at i - 1
        unsigned edges = (text ^ before) & 0xFFFFu;
        while (edges) {
            DWORD at = base + (DWORD)__builtin_ctz(edges);
            edges &= edges - 1;
            if (!inColumn)
                start = at;
            else
                AddColumn(out, start, at);
            inColumn = !inColumn;
        }
        inColumn = (text >> 15) & 1u;
    }
    if (inColumn)
        AddColumn(out, start, end);
}
#endif

void SplitColumns(const char* line, DWORD end, LineColumns* out) {
    out->count = 0;
#if defined(__SSE2__)
    if (FindAnyOf3(line, end, '"', '"', '"') >= end) {
        SplitUnquotedColumns(line, end, out);
        return;
    }
#endif
    for (DWORD i = 0; i < end;) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        Column c = NextColumn(line, end, i);
        if (out->count < W3C_MAX_COLUMNS)
            out->column[out->count] = c;
        ++out->count;
        i = c.stop;
    }
}

// Removes the quotes of a column in place ("" inside quotes is one quote).
void Unquote(char* s) {
    char* out = s;
    bool quoted = false;
    for (char* p = s; *p;) {
        if (*p != '"') {
            *out++ = *p++;
        } else if (quoted && p[1] == '"') {
            *out++ = '"';
            p += 2;
        } else {
            quoted = !quoted;
            ++p;
        }
    }
    *out = 0;
}

bool Digits(const char* p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i] < '0' || p[i] > '9')
            return false;
    return true;
}

int Two(const char* p) {
    return (p[0] - '0') * 10 + (p[1] - '0');
}

// 'yyyy-mm-dd' and "hh:mm" or "hh:mm:ss" to a hit time (the file is in GMT).
ORB_TIME W3CTime(const char* date, const char* time) {
    // Each test stops at the terminator of a shorter text.
    if (!Digits(date, 4) || date[4] != '-' || !Digits(date + 5, 2) || date[7] != '-' ||
        !Digits(date + 8, 2))
        return ORB_TIME_INVALID;
    if (!Digits(time, 2) || time[2] != ':' || !Digits(time + 3, 2))
        return ORB_TIME_INVALID;
    struct tm t;
    memset(&t, 0, sizeof(t));
    t.tm_year = TwoDigitYear(date);
    t.tm_mon = Two(date + 5) - 1;
    t.tm_mday = Two(date + 8);
    t.tm_hour = Two(time);
    t.tm_min = Two(time + 3);
    if (time[5] == ':' && Digits(time + 6, 2))
        t.tm_sec = Two(time + 6);
    if (!IsValidHitTime(&t))
        return ORB_TIME_INVALID;
    return HitTime_FromGmtFields(&t);
}

// Every read applies the directives it passes, a read made only for a
// record's time included: its callers start it with the directives in force
// at its position. Such a read shows no box for a bad "#Fields:": the
// analysis's own read of the line does.
void ReadDirective(W3CFieldMap* map, const char* line, DWORD end, BOOL quiet) {
    if (end >= 7 && memcmp(line, "#Date: ", 7) == 0) {
        DWORD i = 7;
        while (i < end && line[i] != ' ' && line[i] != '\t')
            ++i;
        OvkitCopyPart(map->szDate, sizeof(map->szDate), line + 7, i - 7);
    } else if (end >= 9 && memcmp(line, "#Fields: ", 9) == 0) {
        DWORD warned = map->bWarned;
        if (quiet)
            map->bWarned = 1;
        // The text keeps its line end: the directive needs it.
        W3C_ParseFields(map, line + 9, end + 1 - 9);
        if (quiet)
            map->bWarned = warned;
    }
}

// The file's map, made with the default fields on first need; null when
// memory runs out.
W3CFieldMap* MapOf(W3CFieldMap** slot) {
    if (!*slot && (*slot = W3CFieldMap_New()) != nullptr)
        W3C_SetDefaultFields(*slot);
    return *slot;
}

// The fields of one record line, collected by the column walk.
struct W3CLine {
    char date[12];
    char time[12];
    char stem[300];
    char query[300];
};

void PointField(HitRecord* rec, int field, char* text) {
    char* value = (text[0] == '-' && text[1] == 0) ? HitRecord_EmptyText : text;
    switch (field) {
    case W3C_CLIENT_IP:
        rec->lpszClientAddr = value;
        break;
    case W3C_USERNAME:
        rec->lpszUserName = value;
        break;
    case W3C_METHOD:
        rec->lpszMethod = value;
        break;
    case W3C_STATUS:
        rec->lpszStatus = value;
        break;
    case W3C_BYTES_OUT:
        rec->lpszBytesOut = value;
        break;
    case W3C_BYTES_IN:
        rec->lpszBytesIn = value;
        break;
    case W3C_USER_AGENT:
        ReplaceByte(value, TextLength(value), '+', ' ');
        rec->lpszUserAgent = value;
        break;
    case W3C_COOKIE:
        rec->lpszCookie = value;
        break;
    case W3C_REFERRER:
        rec->lpszReferrer = value;
        break;
    case W3C_COMPUTER_NAME:
        rec->lpszServerName = value;
        break;
    case W3C_SERVER_IP:
        if (!rec->lpszServerName[0])
            rec->lpszServerName = value;
        break;
    default:
        break;
    }
}

enum WalkResult { WALK_DONE, WALK_SKIP, WALK_TIME_ONLY };

// Copies a column aside (bounded) without its quotes.
void CopyColumn(char* dest, size_t size, const char* line, const Column& c) {
    OvkitCopyPart(dest, size, line + c.start, c.stop - c.start);
    if (c.hasQuote)
        Unquote(dest);
}

// The time of a line read only for its time, from its date or the "#Date:".
WalkResult TimeOnly(HitRecord* rec, const W3CFieldMap* map, const W3CLine* f) {
    ORB_TIME t = W3CTime(f->date[0] ? f->date : map->szDate, f->time);
    if (t == ORB_TIME_INVALID)
        return WALK_SKIP;
    rec->dwTime = t;
    return WALK_TIME_ONLY;
}

// Puts the split columns into the record. In an initial read it stops as
// soon as the time is known: at the "time" column, or at the "date" column
// when that comes later.
WalkResult WalkColumns(HitRecord* rec, const W3CFieldMap* map, const LineColumns* cols,
                       BOOL initialRead, W3CLine* out) {
    char* line = rec->lpLine;
    DWORD kept = cols->count < map->dwColumns ? cols->count : map->dwColumns;
    for (DWORD col = 0; col < kept; ++col) {
        const Column& c = cols->column[col];
        int field = map->aiColumn[col];
        if (field == W3C_DATE) {
            CopyColumn(out->date, sizeof(out->date), line, c);
            if (initialRead && out->time[0])
                return TimeOnly(rec, map, out);
        } else if (field == W3C_TIME) {
            CopyColumn(out->time, sizeof(out->time), line, c);
            if (initialRead && (out->date[0] || !map->bHasDate)) {
                if (TimeOnly(rec, map, out) == WALK_TIME_ONLY)
                    return WALK_TIME_ONLY;
                if (strlen(out->time) != 10 || !strchr(out->time, '-'))
                    return WALK_SKIP;
                OvkitCopyText(out->date, sizeof(out->date), out->time);
            }
        } else if (field == W3C_URI_STEM) {
            CopyColumn(out->stem, sizeof(out->stem), line, c);
        } else if (field == W3C_URI_QUERY) {
            CopyColumn(out->query, sizeof(out->query), line, c);
        } else if (field >= 0) {
            TrimFieldEnd(line, c.stop);
            if (c.hasQuote)
                Unquote(line + c.start);
            PointField(rec, field, line + c.start);
        }
    }
    return WALK_DONE;
}

// Stem, "?" and query (each "-" counting as empty), limited and unescaped,
// written behind the line.
bool SetUrl(HitRecord* rec, W3CLine* f, DWORD* cursor) {
    if (strcmp(f->stem, "-") == 0)
        f->stem[0] = 0;
    if (strcmp(f->query, "-") == 0)
        f->query[0] = 0;
    if (!f->stem[0])
        return true;
    // Put together where it stays, then limited and unescaped in place.
    size_t stem = strlen(f->stem), query = strlen(f->query);
    DWORD size = (DWORD)(stem + (query ? 1 + query : 0) + 1);
    if (!HitRecord_EnsureRoom(rec, *cursor, size))
        return false;
    char* at = rec->lpLine + *cursor;
    memcpy(at, f->stem, stem);
    if (query) {
        at[stem] = '?';
        memcpy(at + stem + 1, f->query, query);
    }
    at[size - 1] = 0;
    *cursor += (DWORD)LimitAndUnescapeUrl(at) + 1;
    rec->lpszUrl = at;
    return true;
}

// FTP service logs write the session number before the command: "[12]sent".
void SkipSessionPrefix(HitRecord* rec) {
    const char* m = rec->lpszMethod;
    if (m[0] != '[')
        return;
    const char* close = strchr(m, ']');
    if (close && close[1])
        rec->lpszMethod = (char*)close + 1;
}

// The record from the split columns with the given map.
BOOL ParseColumns(HitRecord* rec, const W3CFieldMap* map, const LineColumns* cols, DWORD end,
                  BOOL initialRead, LineParseResult* res) {
    W3CLine f;
    f.date[0] = f.time[0] = f.stem[0] = f.query[0] = 0; // all that is read of an unset field
    WalkResult walk = WalkColumns(rec, map, cols, initialRead, &f);
    if (walk == WALK_TIME_ONLY)
        return TRUE;
    if (walk == WALK_SKIP)
        return FALSE;
    for (DWORD c = cols->count; c < map->dwColumns; ++c)
        if (map->aiColumn[c] >= 0)
            return FALSE; // a declared column is missing

    DWORD cursor = end + 1;
    if (!SetUrl(rec, &f, &cursor))
        return FALSE;
    if (!rec->lpszMethod[0]) {
        char* get = AppendLineText(rec, &cursor, "GET");
        if (!get)
            return FALSE;
        rec->lpszMethod = get;
    }
    rec->lpszProtocol = HitRecord_EmptyText;
    ORB_TIME t = W3CTime(f.date[0] ? f.date : map->szDate, f.time);
    if (t == ORB_TIME_INVALID)
        return FALSE;
    rec->dwTime = t;
    SkipSessionPrefix(rec);
    if (!SetServiceProtocol(rec, &cursor)) {
        res->bRebase = TRUE;
        return FALSE;
    }
    rec->wMethod = (WORD)MethodCodeFromText(rec->lpszMethod);
    FitClientAddress(rec);
    CompleteHitRecord(rec);
    return TRUE;
}

} // namespace

BOOL W3C_ParseRecord(HitRecord* rec, const LineParseContext* ctx, LineParseResult* res) {
    res->bRebase = FALSE;
    char* line = rec->lpLine;
    DWORD end = LineEndOffset(line, ctx->dwLength);
    DWORD consumed = FirstLineLengthFrom(line, end, ctx->dwLength);
    if (!ctx->lppW3CMap)
        return RejectLine(res, consumed);
    W3CFieldMap* map = MapOf(ctx->lppW3CMap);
    if (!map)
        return RejectLine(res, consumed);
    if (line[0] == '#') {
        ReadDirective(map, line, end, ctx->bInitialRead);
        return RejectLine(res, consumed);
    }
    if (map->aiColumn[0] == W3C_COLUMN_NONE || end > kMaxLine)
        return RejectLine(res, consumed);

    LineColumns cols;
    SplitColumns(line, end, &cols);
    if (cols.count <= map->dwDeclared) {
        if (!ParseColumns(rec, map, &cols, end, ctx->bInitialRead, res))
            return RejectLine(res, consumed);
        return AcceptLine(res, consumed);
    }
    // A line with more columns than its directive: with a "date" column the
    // line is damaged; otherwise the file writes the full field list, which
    // stays in the map until the next "#Fields:" once a line parses with it.
    if (map->aiColumn[0] == W3C_DATE)
        return RejectLine(res, consumed);
    W3CFieldMap full = *map;
    W3C_SetFullFields(&full);
    if (cols.count > full.dwDeclared ||
        !ParseColumns(rec, &full, &cols, end, ctx->bInitialRead, res))
        return RejectLine(res, consumed);
    *map = full;
    return AcceptLine(res, consumed);
}

BOOL W3C_ApplyDirective(W3CFieldMap** slot, const char* line, DWORD end, BOOL quiet) {
    W3CFieldMap* map = MapOf(slot);
    if (map)
        ReadDirective(map, line, end, quiet);
    return map != nullptr;
}

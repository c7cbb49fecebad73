// Kind 3: a header block whenever the visitor changes, then one line per hit
// in five columns: time, method, (result kept aside), size, URL.
#include <string.h>

#include "hit_listing_format.h"
#include "ovcore/registration.h"

#define STRING_VISITOR_DATE_FORMAT 5669
#define VISITOR_RULE_MAX 77
#define URL_NAME_MAX 40
// Directory pieces never get shorter than this; nor are they broken when the
// line has no more room than this.
#define URL_PIECE_MIN 5
// A broken directory goes on after five tabs.
#define URL_CONTINUATION "\t\t\t\t\t"

// Copies value into the kept field (cut to its size); TRUE when it changed.
static BOOL Keep(char* kept, size_t size, const char* value) {
    char cut[160];
    lstrcpynA(cut, value ? value : "", (int)size);
    if (strcmp(kept, cut) == 0)
        return FALSE;
    strcpy(kept, cut);
    return TRUE;
}

static BOOL KeepVisitor(ViewReportBuffer* b, const HitRecord* hit) {
    char date[LISTING_DATE_SIZE];
    Listing_FormatHitTime(date, LoadCachedString(STRING_VISITOR_DATE_FORMAT), hit);
    BOOL changed = Keep(b->lastClient, sizeof(b->lastClient), hit->szClientAddr);
    changed |= Keep(b->lastProtocol, sizeof(b->lastProtocol), hit->lpszProtocol);
    changed |= Keep(b->lastUser, sizeof(b->lastUser), hit->lpszUserName);
    changed |= Keep(b->lastAgent, sizeof(b->lastAgent), hit->lpszUserAgent);
    changed |= Keep(b->lastDate, sizeof(b->lastDate), date);
    return changed;
}

static void AddRule(ListingText* t, int lineWidth) {
    int rule = lineWidth < VISITOR_RULE_MAX ? lineWidth : VISITOR_RULE_MAX;
    ListingText_Repeat(t, '-', rule > 0 ? (size_t)rule : 0);
}

static void AddValue(ListingText* t, const char* label, const char* value, BOOL always) {
    if (!always && (!value || !value[0]))
        return;
    ListingText_Format(t, "%s\t", label);
    ListingText_Add(t, MARK_VALUE);
    ListingText_Add(t, value ? value : "");
    ListingText_EndLine(t);
}

static void AddVisitorHeader(ListingText* t, int lineWidth, const ViewReportBuffer* b,
                             const HitRecord* hit) {
    ListingText_EndLine(t);
    AddRule(t, lineWidth);
    ListingText_EndLine(t);
    AddValue(t, "Address:", b->lastClient, TRUE);
    AddValue(t, "Server:", hit->szServerAddr, FALSE);
    AddValue(t, "Authenticated User:", b->lastUser, FALSE);
    AddValue(t, "Browser:", b->lastAgent, FALSE);
    AddValue(t, "Referrer:", hit->lpszReferrer, FALSE);
    AddValue(t, "Protocol:", b->lastProtocol, TRUE);
    AddValue(t, "Date:", b->lastDate, TRUE);
    AddRule(t, lineWidth);
    ListingText_EndLine(t);
}

static BOOL IsPathBreak(char c) {
    return c == '\\' || c == '/' || c == ':';
}

// Length of the next directory piece that fits in room: up to and including
// the last separator within it, else room less the minimum piece.
static size_t PieceLength(const char* dir, size_t room) {
    for (size_t n = room; n > URL_PIECE_MIN; --n)
        if (IsPathBreak(dir[n - 1]))
            return n;
    return room - URL_PIECE_MIN;
}

// The URL: its directory broken at separators to the line width, then the
// file-name mark and the file name (cut to 40 characters).
static void AddUrl(ListingText* t, int lineWidth, const char* url) {
    size_t nameStart = strlen(url);
    while (nameStart > 0 && !IsPathBreak(url[nameStart - 1]))
        --nameStart;
    const char* dir = url;
    size_t dirLength = nameStart ? nameStart : strlen(url);
    const char* name = nameStart ? url + nameStart : "";
    size_t width = lineWidth > 0 ? (size_t)lineWidth : 0;
    while (ListingText_LineLength(t) + dirLength > width) {
        size_t used = ListingText_LineLength(t);
        size_t room = width > used ? width - used : 0;
        if (room <= URL_PIECE_MIN)
            break;
        size_t piece = PieceLength(dir, room);
        ListingText_AddCount(t, dir, piece);
        ListingText_EndLine(t);
        ListingText_Add(t, URL_CONTINUATION);
        dir += piece;
        dirLength -= piece;
    }
    ListingText_AddCount(t, dir, dirLength);
    ListingText_Add(t, MARK_FILE);
    ListingText_AddCount(t, name, URL_NAME_MAX);
}

// Separator before the next column: a blank and a tab behind a column
// shorter than its width, a tab alone otherwise.
static void NextColumn(ListingText* t, size_t columnStart, int width) {
    ListingText_Add(t, t->length - columnStart < (size_t)width ? " \t" : "\t");
}

void Listing_FormatVisitorLine(HitListing* listing, const HitRecord* hit, ListingText* t) {
    ViewReportBuffer* b = listing->buffers.table[listing->buffers.writeTarget];
    if (KeepVisitor(b, hit))
        AddVisitorHeader(t, listing->lineWidth, b, hit);
    const int* widths = listing->columnWidths;
    size_t column = t->length;
    char time[LISTING_DATE_SIZE];
    Listing_FormatHitTime(time, " %T", hit);
    ListingText_Add(t, time);
    NextColumn(t, column, widths[0]);
    column = t->length;
    ListingText_Add(t, MARK_VALUE);
    ListingText_Add(t, hit->lpszMethod ? hit->lpszMethod : "");
    ListingText_Add(t, MARK_END);
    NextColumn(t, column, widths[1]);
    NextColumn(t, t->length, widths[2]); // the result is written below the line
    column = t->length;
    Listing_AddSize(t, "%5lu.%1luK", hit->dwBytes);
    NextColumn(t, column, widths[3]);
    AddUrl(t, listing->lineWidth, hit->lpszUrl ? hit->lpszUrl : "");
    if (!hit->bSuccess) {
        ListingText_EndLine(t);
        ListingText_Add(t, "\t\t");
        Listing_AddResult(t, hit);
    }
    ListingText_EndLine(t);
}

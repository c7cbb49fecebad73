// The listing header: written once per run, appended to every buffer file
// when the buffer is started.
#include <string.h>

#include "hit_listing.h"
#include "listing_text.h"
#include "ovcore/registration.h"

#define STRING_HEADER_PROFILE 5520
#define STRING_HEADER_LOG 5521
#define STRING_HEADER_LOG_FILE 5522
#define STRING_HEADER_CALLER 5523
#define STRING_HEADER_CREATED 5524
#define STRING_HEADER_FROM 5525
#define STRING_HEADER_TO 5526
#define STRING_HEADER_KIND 5527
#define STRING_HEADER_GROUPING 5528
#define STRING_KIND_FIRST 5506     // + kind 0..4
#define STRING_GROUPING_FIRST 5510 // + option 0..9
#define STRING_CREATED_FORMAT 5666
#define STRING_FROM_FORMAT 5667
#define STRING_TO_FORMAT 5668
#define HEADER_RULE_MAX 59
#define HEADER_TIME_SIZE 100

// Label and value of one header line, in their style marks.
static void AddValueLine(ListingText* t, UINT id, const char* value) {
    ListingText_Format(t, LoadCachedString(id), MARK_LABEL, MARK_VALUE, value);
    ListingText_EndLine(t);
}

static void AddTimeLine(ListingText* t, UINT id, UINT formatId, const struct tm* when) {
    char text[HEADER_TIME_SIZE];
    FormatIntlDateTime(text, sizeof(text), LoadCachedString(formatId), when, NULL);
    AddValueLine(t, id, text);
}

// Names of kinds and options beyond their string ranges are empty rather
// than some neighbouring text.
static const char* NameFrom(UINT first, int value, int last) {
    return value >= 0 && value <= last ? LoadCachedString(first + (UINT)value) : "";
}

DWORD HitListing_FormatHeader(HitListing* listing, char* text, DWORD size, DWORD* lines) {
    ListingText t;
    ListingText_Init(&t, text, size);
    ListingText_Format(&t, LoadCachedString(STRING_HEADER_PROFILE), MARK_FILE,
                       listing->profileFileName);
    ListingText_EndLine(&t);
    ListingText_Format(&t, LoadCachedString(STRING_HEADER_LOG), MARK_FILE, listing->logPath);
    ListingText_EndLine(&t);
    ListingText_EndLine(&t);
    AddValueLine(&t, STRING_HEADER_LOG_FILE, listing->logPath);
    AddValueLine(&t, STRING_HEADER_CALLER, listing->callerText);
    time_t now = listing->now ? listing->now : time(NULL);
    AddTimeLine(&t, STRING_HEADER_CREATED, STRING_CREATED_FORMAT, localtime(&now));
    AddTimeLine(&t, STRING_HEADER_FROM, STRING_FROM_FORMAT, TimeToGmTm(&listing->start));
    AddTimeLine(&t, STRING_HEADER_TO, STRING_TO_FORMAT, TimeToGmTm(&listing->end));
    AddValueLine(&t, STRING_HEADER_KIND, NameFrom(STRING_KIND_FIRST, listing->kind, 4));
    AddValueLine(&t, STRING_HEADER_GROUPING, NameFrom(STRING_GROUPING_FIRST, listing->option, 9));
    int rule = listing->lineWidth < HEADER_RULE_MAX ? listing->lineWidth : HEADER_RULE_MAX;
    ListingText_Repeat(&t, '/', rule > 0 ? (size_t)rule : 0);
    ListingText_EndLine(&t);
    *lines = t.lines;
    return (DWORD)t.length;
}

int HitListing_StartBuffer(HitListing* listing) {
    ViewBufferSet* set = &listing->buffers;
    DWORD target = set->writeTarget;
    if (!ViewBuffers_OpenFile(set, target))
        return 0x8008;
    ViewReportBuffer* b = set->table[target];
    if (b->started)
        return 0;
    b->started = 1;
    if (!listing->headerWritten) {
        listing->headerWritten = 1;
        listing->headerSize = HitListing_FormatHeader(
            listing, listing->headerText, sizeof(listing->headerText), &listing->headerLines);
    }
    b->lineCount += listing->headerLines;
    if (!ViewBuffers_SeekEnd(set, target) ||
        !ViewBuffers_Write(set, target, listing->headerText, (WORD)listing->headerSize))
        return 0x8008;
    return 0;
}

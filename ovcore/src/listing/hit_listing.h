// Hit listings: report kinds 2 and 3 write every kept hit as readable text
// into view-report buffers, split into one buffer per grouping value; kind 4
// (and any other kind with buffers) only groups, so its files hold the
// listing header alone and are kept after the run.
//
// The report run embeds a HitListing, calls HitListing_Open when it opens,
// HitListing_AddHit for each hit the DNS stage hands on, in log order, and
// HitListing_Close when it closes. The viewer's ADT_* exports work on
// `buffers` (view_buffers.h).
#pragma once
#include <time.h>
#include <windows.h>

#include "view_buffers.h"
#include "ovcore/dates.h"
#include "ovcore/hitrecord.h"

#define LISTING_TEXT_SIZE 3096
#define LISTING_COLUMNS 16

// Report kinds that list or group hits.
#define LISTING_KIND_HITS 2     // one block per hit
#define LISTING_KIND_VISITORS 3 // a header per visitor, one line per hit
#define LISTING_KIND_BUFFERS 4  // grouped buffers with headers only, kept

// Grouping options (0 none, 7 has no value).
#define LISTING_GROUP_NONE 0
#define LISTING_GROUP_SUFFIX 1
#define LISTING_GROUP_COUNTRY 2
#define LISTING_GROUP_PROTOCOL 3
#define LISTING_GROUP_METHOD 4
#define LISTING_GROUP_DATE 5
#define LISTING_GROUP_RESULT 6
#define LISTING_GROUP_CLIENT 8
#define LISTING_GROUP_DOMAIN 9

struct HitListingSetup {
    int kind;
    int option;               // LISTING_GROUP_*
    int lineWidth;            // the plug-in passes 76
    const char* outputFolder; // not empty: files go beside the engine library
    const char* profileFileName;
    const char* logPath;
    const char* callerText;
    ORB_TIME start; // report range
    ORB_TIME end;
    time_t now; // creation time shown in the header; 0 reads the clock
};

struct HitListing {
    int kind;
    int option;
    int lineWidth;
    DWORD headerWritten;
    DWORD headerLines;
    DWORD headerSize;
    char headerText[LISTING_TEXT_SIZE];
    char hitText[LISTING_TEXT_SIZE];
    int columnWidths[LISTING_COLUMNS]; // the kind-3 line uses the first four
    char profileFileName[MAX_PATH];
    char logPath[MAX_PATH];
    char callerText[55];
    ORB_TIME start;
    ORB_TIME end;
    time_t now;
    ViewBufferSet buffers;
};

// Sets the listing up, makes the first buffer and writes its header.
// 0, or -1 when the first buffer cannot be made (nothing is left open).
int HitListing_Open(HitListing* listing, const HitListingSetup* setup);
// Files the hit: selects its buffer by grouping value and appends its text.
// 1 taken, 0 when the text could not be written (the run must stop).
int HitListing_AddHit(HitListing* listing, const HitRecord* hit);
// Closes the buffer files; deletes them unless the kind is 4.
void HitListing_Close(HitListing* listing);

// The steps behind them (hit_listing_*.cpp).
// Starts the write target: writes the listing header into its file once.
// 0, or 0x8008 when the header could not be written.
int HitListing_StartBuffer(HitListing* listing);
// Formats the header into text (size bytes); its length, and its lines.
DWORD HitListing_FormatHeader(HitListing* listing, char* text, DWORD size, DWORD* lines);
// Selects the hit's buffer and formats its text into hitText. The text's
// length (0: nothing to write, also when grouping could not make a buffer)
// and its lines.
DWORD HitListing_FormatHit(HitListing* listing, const HitRecord* hit, DWORD* lines);
// Moves the write target to the buffer of the hit's grouping value, making
// and starting one for a new value. FALSE when that failed.
BOOL HitListing_SelectBuffer(HitListing* listing, const HitRecord* hit);

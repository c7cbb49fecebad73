// View-report buffers: the temporary files a hit listing is written into and
// the viewer pages through. A listing is split into one buffer per grouping
// value; every buffer file begins with the listing header.
//
// Files are named "~RRR_BBB.TMP" (run number and buffer index, three
// hexadecimal digits each). The run number is the first one whose first
// buffer file does not exist yet, claimed by creating that file, so kept
// files of earlier runs are never overwritten and two processes never share
// a name. At most VIEW_BUFFER_MAX_OPEN files are open at once; the others are
// reopened on demand.
#pragma once
#include <windows.h>

#define VIEW_BUFFER_MAX_OPEN 5
#define VIEW_BUFFER_GROUP_SIZE 260
#define VIEW_BUFFER_DISPLAY_SIZE 50
// Highest run number of the file names (12 bits).
#define VIEW_BUFFER_LAST_RUN 0xFFF

#pragma pack(push, 1)
struct ViewReportBuffer {
    DWORD fileOpen;
    DWORD lastUse;       // use stamp: rises with every use, so the oldest is unique
    DWORD groupAssigned; // 1 once the buffer has its grouping value
    DWORD started;       // 1 once its header was written
    char group[VIEW_BUFFER_GROUP_SIZE];
    char displayName[VIEW_BUFFER_DISPLAY_SIZE];
    DWORD groupLength; // counting the terminator; 0 for no value
    HANDLE file;
    char fileName[MAX_PATH];
    DWORD lineCount; // lines written to the file so far
    LONG attached;   // the caller's value
    // Last visitor header of a kind-3 listing in this buffer.
    char lastClient[60];
    char lastProtocol[60];
    char lastUser[60];
    char lastAgent[160];
    char lastDate[60];
};
#pragma pack(pop)
#ifndef _WIN64
static_assert(sizeof(ViewReportBuffer) == 1002, "view-report buffer record layout");
#endif

struct ViewBufferSet {
    HGLOBAL tableHandle;      // movable block of record pointers
    ViewReportBuffer** table; // its locked address while the run lives
    DWORD count;
    DWORD writeTarget; // buffer that receives the next text
    DWORD current;     // buffer being viewed
    WORD openCount;    // buffer files open now
    WORD runNumber;    // first part of the file names
    BOOL runClaimed;   // runNumber holds a claimed number
    BOOL engineFolder; // files go to the engine library's folder (else the current one)
    DWORD useStamp;
};

// Empties the set. engineFolder: the run has an output folder, so the files
// go beside the engine library, recorded by full path.
void ViewBuffers_Init(ViewBufferSet* set, BOOL engineFolder);
// Makes a new buffer, creates its file and makes it the write target.
// 0, or -1 when the table cannot grow, the record cannot be made or the file
// cannot be created (the count is then unchanged).
int ViewBuffers_Create(ViewBufferSet* set);
// Opens buffer index's file when it is closed, first closing the least
// recently used one (never the current or the write target) when the limit
// is reached; stamps its use. 1, or 0 when it cannot be opened.
BOOL ViewBuffers_OpenFile(ViewBufferSet* set, DWORD index);
// Opens the buffer's file and moves to its end. 1, or 0 (a failed seek is
// reported as "Bad handle").
BOOL ViewBuffers_SeekEnd(ViewBufferSet* set, DWORD index);
// Appends length bytes to the buffer's file at its position. 1 when every
// byte was written; 0 on a short write, or after reporting the system's
// error text when the write was refused.
BOOL ViewBuffers_Write(ViewBufferSet* set, DWORD index, const char* bytes, WORD length);
// Closes every file, deletes them unless keepFiles, frees the records and
// the table. The set is empty afterwards.
void ViewBuffers_Free(ViewBufferSet* set, BOOL keepFiles);
// Buffer n, or null when n is at or past the count.
ViewReportBuffer* ViewBuffers_At(const ViewBufferSet* set, DWORD n);

// The viewer's stepping, behind the run's ADT_* exports.
// Each select opens the new current buffer's file and returns its attached
// value; n at or past the count changes nothing and gives 0.
LONG ViewBuffers_Select(ViewBufferSet* set, DWORD n);
LONG ViewBuffers_Previous(ViewBufferSet* set); // wraps from 0 to the last
LONG ViewBuffers_Next(ViewBufferSet* set);     // wraps from the last to 0
// Grouping value of buffer n, or null when n is at or past the count.
const char* ViewBuffers_Description(const ViewBufferSet* set, DWORD n);
// Stores value in the current buffer; the record, or null without buffers.
ViewReportBuffer* ViewBuffers_Attach(ViewBufferSet* set, LONG value);
// The current buffer's file (opened when needed), or INVALID_HANDLE_VALUE.
HANDLE ViewBuffers_CurrentFile(ViewBufferSet* set);
// Copies the current buffer's recorded path into buffer (MAX_PATH
// characters, cut when longer); empty without buffers. Returns buffer.
char* ViewBuffers_CurrentFileName(const ViewBufferSet* set, char* buffer);

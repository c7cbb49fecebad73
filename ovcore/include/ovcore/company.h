// The company list: which organisation stands behind a client domain. The
// list file holds text lines "key,name,second field,third field" ended by
// CR LF and sorted by key without regard to case; its bytes other than
// control characters are stored shifted (CompanyDb_Scramble). A look-up
// reads a few 1,024-byte windows by binary search, never the whole file.
#pragma once
#include "ovcore/ovcore_base.h"

#define COMPANY_NAME_SIZE 50
#define COMPANY_SECOND_SIZE 30
#define COMPANY_THIRD_SIZE 40
#define COMPANY_LINE_SIZE 300

#pragma pack(push, 1)
struct CompanyRecord {
    WORD KeyLength;
    WORD FieldsOffset; // offset of the text after the key's comma in Line
    WORD Reserved;
    char Name[COMPANY_NAME_SIZE];
    char Second[COMPANY_SECOND_SIZE];
    char Third[COMPANY_THIRD_SIZE];
    char Line[COMPANY_LINE_SIZE];
};
static_assert(sizeof(CompanyRecord) == 426, "CompanyRecord is 426 bytes");
#pragma pack(pop)

// One entry of the small in-memory list searched before the file.
struct CompanyEntry {
    const char* Key;
    const char* Line;
    const char* Name;
    const char* Second;
    const char* Third;
};

struct CompanyList {
    HANDLE File; // open for reading, or INVALID_HANDLE_VALUE / null for none
    int EntryCount;
    const CompanyEntry* Entries;
};

// Shift a buffer to (from) the stored form in place; control characters
// (below 32) stay as they are.
ORB_EXPORT(void) CompanyDb_Scramble(char* bytes, int length);
ORB_EXPORT(void) CompanyDb_Unscramble(char* bytes, int length);

// Writes the stored form of a plain company text file (its lines sorted by
// key). 1 when written, 0 when either file fails (no partial output left).
ORB_EXPORT(int) CompanyDb_EncodeFile(const char* textPath, const char* outPath);

// 1 and the record when key is listed (in-memory entries first, without
// case), else 0: also for no open file, a failed seek or a short read.
ORB_EXPORT(int)
CompanyDb_Lookup(const CompanyList* list, LONGLONG fileSize, const char* key,
                 CompanyRecord* record);

// Receives the progress texts of CompanyDb_Verify.
typedef void(CALLBACK* CompanyStatusProc)(const char* text);

// Looks every key of the company file up again, reporting "Looking for: %s
// of %ld" (key, line number) through status (may be null). Each miss asks
// whether to stop ("Stop?", Yes ends the check). Returns the misses, or -1
// when the file cannot be read.
ORB_EXPORT(int) CompanyDb_Verify(const CompanyList* list, CompanyStatusProc status);

// Fields of one plain line of at most length bytes: 1, the record and the
// bytes through the line end in *lineLength; 0 when the line has no end or
// no comma. Name and second field are title-cased.
ORB_EXPORT(int)
CompanyDb_ParseLine(const char* line, int length, CompanyRecord* record, int* lineLength);

// In place, letters a-z only: upper-cases the first character (unless the
// text begins "k.v."), each character after a blank, ",", "-" or "&", and
// around the first of two dots two places apart ("u.s.a." -> "U.S.A.").
ORB_EXPORT(void) TitleCaseName(char* text);

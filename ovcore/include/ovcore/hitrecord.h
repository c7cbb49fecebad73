// One parsed log line (a hit) and the small text routines every line parser
// shares. Records are made and consumed on the report run's thread.
#pragma once
#include "ovcore/ovcore_base.h"

// Method codes of a hit.
#define HIT_METHOD_GET 0
#define HIT_METHOD_PUT 1
#define HIT_METHOD_POST 2
#define HIT_METHOD_HEAD 3
#define HIT_METHOD_OTHER 4

// Spare zero bytes behind every line copy: parsers write short fixed texts
// (method, protocol, status) there without reallocating.
#define HIT_LINE_SPARE 128

#pragma pack(push, 1)
struct HitRecord {
    DWORD dwSize;     // own size once completed; HitRecord_SetDefaults leaves the text total
    DWORD dwTimeCopy; // copy of dwTime once completed
    DWORD dwPending;  // cleared when the reader hands the record out
    DWORD dwTime;     // local wall-clock seconds read as UTC (see hittime.h)
    WORD wMethod;     // HIT_METHOD_*
    DWORD dwBytes;    // bytes transferred; saturates at 0xFFFFFFFF
    BYTE bSuccess;
    DWORD dwStatus;
    char szClientAddr[100];
    char szDomain[60];
    char szDomainType[50];
    char szCountry[50];
    char szServerAddr[100];
    WORD wFormat;      // log-format code of the line (code 9 stored as 7)
    WORD wServerIndex; // index in the profile's server list
    char* lpszProtocol;
    char* lpszUrl;
    char* lpszServerAddr;
    char* lpszUserName;
    char* lpszReferrer;
    char* lpszUserAgent;
    char* lpszCookie; // null: the line has no cookie column
    char* lpszStatus;
    char* lpszBytesIn;
    char* lpszBytesOut;
    char* lpszMethod;
    char* lpszClientAddr;
    char* lpszDateTime;
    char* lpszServerName;
    DWORD dwValid;    // 1 for every parsed line; 0 is ignored by the analysis
    DWORD dwLineSize; // usable bytes of lpLine (text + spare)
    char* lpLine;     // the record's own copy of the line; owned by the record
};
#pragma pack(pop)
#ifndef _WIN64
static_assert(sizeof(HitRecord) == 459, "HitRecord layout is shared with the DNS ring");
#endif

// The one shared empty text: text pointers that have no value point here.
// It is never freed; nothing may write into it.
extern char HitRecord_EmptyText[1];

// Gives the record the line: the text, 128 zero bytes and one more zero
// (dwLineSize = length + 128), and resets the record for parsing. The
// record's own buffer (lpLine, null or a buffer it owns) is reused when it
// holds the line, else replaced by a bigger one: reading line after line
// allocates only when a longer line comes. 1, or 0 when no buffer can be
// allocated (record unchanged).
BOOL HitRecord_SetLine(HitRecord* rec, const char* text, DWORD length);
// Moves the line into a buffer of newSize bytes (copying min(old, new) bytes),
// moves every text pointer that pointed into the old buffer and frees the old
// one when freeOld. The new buffer, or null (record unchanged).
char* HitRecord_SetLineBuffer(HitRecord* rec, char* oldBuffer, DWORD newSize, BOOL freeOld);
// Makes sure `needed` bytes fit from `offset` of the line buffer, growing it
// (with room to spare) when not. 1, or 0 when the buffer cannot grow.
BOOL HitRecord_EnsureRoom(HitRecord* rec, DWORD offset, DWORD needed);
// Copies source into target with its own line buffer, pointers moved along.
// Frees the source's line and/or the source itself when asked. 1, or 0.
BOOL DuplicateHitRecord(HitRecord* source, HitRecord* target, BOOL freeSource, BOOL freeSourceLine);
// New record filled by DuplicateHitRecord, or null (nothing allocated).
HitRecord* HitRecord_Clone(HitRecord* source, BOOL freeSource, BOOL freeSourceLine);
// Zero-filled new record without a line, or null.
HitRecord* HitRecord_New();
// Frees the line buffer and the record; null accepted.
void HitRecord_Free(HitRecord* rec);
// Fills the record with the defaults of the partial formats (referrer and
// agent lines): url, referrer and userAgent may lie in the record's own line
// buffer (buffer must be rec->lpLine); they are copied aside first and the
// buffer grows when the texts do not fit. The total length written, or 0 when
// the buffer could not grow (record unchanged).
DWORD HitRecord_SetDefaults(HitRecord* rec, char* buffer, const char* url, const char* referrer,
                            const char* userAgent);
// Last step of every parser (cookie, status, success, bytes, size). Repeatable.
void CompleteHitRecord(HitRecord* rec);
// Copies the client-address text into szClientAddr (long host names keep
// their tail) and sets the three name texts.
void FitClientAddress(HitRecord* rec);

// Text routines over the line buffer.
void TrimFieldEnd(char* line, DWORD index);
DWORD SkipBlanksAfter(const char* line, DWORD index);
void LimitUrlLength(char* text);
void UnescapeURLText(char* text);
void DashToEmpty(char* field, char** slot);
// Offset behind the first line end and the CR/LF run after it (the text's
// length when it has none); cut writes a terminator at the line end.
DWORD GetLineLength(char* text, BOOL cut);
DWORD FindLineEnd(const char* text, DWORD length);
// 0-11 for "Jan".."Dec" (any case, first three characters), else -1.
int MonthFromName(const char* text);
// Years since 1900: 0-69 -> +100, 70-99 as is, 1900+ -> -1900; -1 invalid.
int TwoDigitYear(const char* text);
// Decimal value of the leading digits; saturates at 0xFFFFFFFF.
DWORD ParseDecimalSaturated(const char* text);

// The record reader: from a byte position to the next complete hit.
#include "ovcore/logread.h"
#include "logread/parser_call.h"
#include "logparse/line_end.h"
#include <stdlib.h>
#include <string.h>

namespace {

struct ReadState {
    LogFile* file;
    HitRecord* record;
    DWORD initialRead;
    DWORD window;
    ULONGLONG position;
    ULONGLONG limit;
    DWORD* skipped;
};

DWORD OwnLineLength(const char* text, DWORD length) {
    DWORD lf = (DWORD)FindLineFeed(text, length);
    return lf < length ? lf + 1 : length;
}

BOOL IsRedetected(int code) {
    return code == LOGFMT_UNKNOWN || code == LOGFMT_NOT_RECORD || code == LOGFMT_REFERRER ||
           code == LOGFMT_AGENT || code == LOGFMT_DATED_REFERRER;
}

enum Attempt { ATTEMPT_ACCEPTED, ATTEMPT_REJECTED, ATTEMPT_NO_MEMORY };

// One parse of the line with one code. *consumed: the bytes the parser
// consumed (0 when it did not say), the cut date included.
Attempt TryCode(ReadState& s, int code, char* text, DWORD length, DWORD* consumed) {
    DWORD cut = 0;
    if (code == LOGFMT_DATED_REFERRER || code == LOGFMT_DATED_AGENT)
        cut = DropBracketedDate(&text, &length, &code);
    *consumed = 0;
    if (!ParserCall_HasParser(code))
        return ATTEMPT_REJECTED;
    if (!HitRecord_SetLine(s.record, text, length))
        return ATTEMPT_NO_MEMORY;
    s.record->dwValid = 1;
    s.record->wFormat = (WORD)(code == LOGFMT_DATED_REFERRER ? LOGFMT_REFERRER : code);
    ParseOutcome out = {};
    BOOL ok = ParserCall_Run(code, s.file, s.record, s.initialRead, &out);
    if (out.consumed)
        *consumed = cut + out.consumed;
    if (out.rebase && s.window) {
        ULONGLONG size = s.file->qwFileSize;
        s.limit = s.position + s.window < size ? s.position + s.window : size;
    }
    if (!ok) {
        s.record->dwValid = 0; // the buffer stays for the next line
        return ATTEMPT_REJECTED;
    }
    if (code != LOGFMT_NOT_RECORD)
        s.file->dwLogFormat = (DWORD)code;
    if (*consumed == 0)
        *consumed = cut + OwnLineLength(text, length);
    return ATTEMPT_ACCEPTED;
}

// The line at s.position: settled code first, one re-detection after a rejection.
// *consumed: the bytes to move past (the rejected line only when rejected).
Attempt ParseLine(ReadState& s, char* text, DWORD length, DWORD* consumed) {
    int code = (int)s.file->dwLogFormat;
    BOOL detected = FALSE;
    DWORD lastConsumed = 0;
    for (;;) {
        if (IsRedetected(code)) {
            code = DetectLogFormat(s.file, text, length);
            detected = TRUE;
        }
        Attempt a = TryCode(s, code, text, length, consumed);
        if (a != ATTEMPT_REJECTED)
            return a;
        if (*consumed)
            lastConsumed = *consumed;
        if (detected)
            break;
        code = LOGFMT_NOT_RECORD;
    }
    DWORD own = OwnLineLength(text, length);
    *consumed = lastConsumed && lastConsumed <= own ? lastConsumed : own;
    return ATTEMPT_REJECTED;
}

// A bounded copy without the system's call: one per record.
void CopyServerAddress(HitRecord* r) {
    const char* server = r->lpszServerAddr;
    r->szServerAddr[0] = 0;
    if (!server || !server[0] || strcmp(server, "-") == 0)
        return;
    size_t n = TextLength(server);
    if (n > sizeof(r->szServerAddr) - 1)
        n = sizeof(r->szServerAddr) - 1;
    memmove(r->szServerAddr, server, n);
    r->szServerAddr[n] = 0;
}

void HandOut(HitRecord* r) {
    CopyServerAddress(r);
    r->dwPending = 0;
}

// The last line of a file may lack its line end; it is a line all the same
// when it holds more than blanks and control bytes.
BOOL IsLastLine(const ReadState& s, const char* text, DWORD length) {
    if (s.position + length < s.file->qwFileSize)
        return FALSE;
    for (DWORD i = 0; i < length; i++)
        if ((unsigned char)text[i] > ' ')
            return TRUE;
    return FALSE;
}

void CountSkip(ReadState& s) {
    if (s.skipped)
        (*s.skipped)++;
}

// Bytes to pass over in a piece that holds no line end behind its
// unprintable prefix; *inLongLine tells whether the reader is inside a line
// longer than the buffer. Only printable text that fills the whole buffer is
// such a line: unprintable bytes (blank lines, a run of NULs) are passed
// over alone and the text behind them is looked at afresh, so that a good
// line there is read, not taken for the rest of an over-long line.
DWORD PassOverPiece(ReadState& s, const char* text, DWORD length, DWORD prefix, BOOL* inLongLine) {
    BOOL endsLine = FindLineFeed(text, prefix) < prefix;
    if (*inLongLine) {
        if (!endsLine)
            return length; // more of the over-long line
        CountSkip(s);      // which ended in the prefix
        *inLongLine = FALSE;
    }
    if (prefix > 0 && prefix < length)
        return prefix;
    *inLongLine = prefix == 0 && length >= s.file->dwBufferSize;
    return length;
}

} // namespace

int LogRecord_ReadNextCounted(LogFile* file, ULONGLONG position, HitRecord* record,
                              ULONGLONG* newPosition, DWORD window, DWORD initialRead,
                              DWORD* skipped, ULONGLONG* recordStart) {
    *newPosition = position;
    if (!LogFile_IsOpen(file))
        return LOGREAD_NONE;
    // An ODBC source counts its positions in rows: a line's start is its
    // row's position, and the next line is the source's next row.
    BOOL rows = LogFile_GetSourceKind(file) == LOGSOURCE_ODBC;
    ReadState s = {file, record, initialRead, window, position, 0, skipped};
    ULONGLONG size = file->qwFileSize;
    s.limit = window && position + window < size ? position + window : size;
    if (!window)
        s.limit = position;
    BOOL inLongLine = FALSE;
    for (;;) {
        char* text = nullptr;
        DWORD length = 0;
        ULONGLONG lineAt = s.position;
        if (LogFile_ReadLineAt(file, s.position, &text, &length) != LOGREAD_RECORD)
            return LOGREAD_NONE;
        DWORD prefix = 0;
        BOOL hasLine = SkipToLine(text, length, &prefix) || IsLastLine(s, text, length);
        DWORD consumed;
        if (!hasLine) {
            consumed = PassOverPiece(s, text, length, prefix, &inLongLine);
        } else if (inLongLine) {
            consumed = OwnLineLength(text, length); // the rest of the over-long line
            inLongLine = FALSE;
            CountSkip(s);
        } else {
            s.position += prefix;
            Attempt a = ParseLine(s, text + prefix, length - prefix, &consumed);
            if (a == ATTEMPT_NO_MEMORY)
                return LOGREAD_NONE;
            if (a == ATTEMPT_ACCEPTED) {
                if (recordStart)
                    *recordStart = rows ? lineAt : s.position;
                *newPosition = LogFile_PositionAfter(file, lineAt, prefix + consumed);
                HandOut(record);
                return LOGREAD_RECORD;
            }
            CountSkip(s);
        }
        s.position = LogFile_PositionAfter(file, lineAt, (DWORD)(s.position - lineAt) + consumed);
        *newPosition = s.position;
        if (s.position >= s.limit)
            return LOGREAD_NONE;
    }
}

int LogRecord_ReadNext(LogFile* file, ULONGLONG position, HitRecord* record, ULONGLONG* newPosition,
                       DWORD window, DWORD initialRead) {
    return LogRecord_ReadNextCounted(file, position, record, newPosition, window, initialRead,
                                     nullptr, nullptr);
}

int ReadNextLogRecord(void*, LogFile* file, ULONGLONG position, HitRecord* record,
                      ULONGLONG* newPosition, DWORD window, DWORD initialRead) {
    return LogRecord_ReadNext(file, position, record, newPosition, window, initialRead);
}

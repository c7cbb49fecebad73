// Line-buffer set-up, duplication and release of hit records.
#include "ovcore/hitrecord.h"
#include "logparse/record_pool.h"
#include "ovkit/ovassert.h"
#include <malloc.h>
#include <stdlib.h>
#include <string.h>

char HitRecord_EmptyText[1] = {0};

static char** TextSlot(HitRecord* rec, int i) {
    char** first = &rec->lpszProtocol;
    return first + i;
}
static const int kTextSlots = 14;

static void ResetForParsing(HitRecord* rec) {
    for (int i = 0; i < kTextSlots; ++i)
        *TextSlot(rec, i) = HitRecord_EmptyText;
    rec->dwSize = rec->dwTimeCopy = rec->dwPending = rec->dwTime = 0;
    rec->wMethod = HIT_METHOD_OTHER;
    rec->dwBytes = 0;
    rec->bSuccess = 0;
    rec->dwStatus = 0;
    rec->szClientAddr[0] = rec->szDomain[0] = rec->szDomainType[0] = 0;
    rec->szCountry[0] = rec->szServerAddr[0] = 0;
    rec->wFormat = 1;
    rec->wServerIndex = 0;
    rec->dwValid = 0;
}

// A buffer of at least `needed` bytes: the record's own when it is big enough
// (reading a file reuses one buffer line after line), else a new one; a
// buffer that grows gets room to spare, so that slowly growing lines do not
// reallocate each time. Null when memory runs out (the record's buffer is kept).
static char* LineBufferFor(HitRecord* rec, size_t needed) {
    // Every buffer holds at least dwLineSize + 1 bytes: ask the heap only beyond that.
    if (rec->lpLine && ((size_t)rec->dwLineSize + 1 >= needed || _msize(rec->lpLine) >= needed))
        return rec->lpLine;
    size_t size = rec->lpLine ? needed + needed / 2 : needed;
    char* buffer = (char*)malloc(size);
    if (buffer) {
        free(rec->lpLine);
        rec->lpLine = nullptr;
    }
    return buffer;
}

BOOL HitRecord_SetLine(HitRecord* rec, const char* text, DWORD length) {
    char* buffer = LineBufferFor(rec, (size_t)length + HIT_LINE_SPARE + 1);
    if (!buffer)
        return FALSE;
    memmove(buffer, text, length);
    memset(buffer + length, 0, HIT_LINE_SPARE + 1);
    rec->lpLine = buffer;
    rec->dwLineSize = length + HIT_LINE_SPARE;
    ResetForParsing(rec);
    return TRUE;
}

// Moves pointers into [from, from + size) to the same offset in `to`;
// pointers at the source record's own client-address buffer follow too.
static void MoveTextPointers(HitRecord* rec, const char* from, DWORD size, char* to,
                             const HitRecord* fromRec) {
    for (int i = 0; i < kTextSlots; ++i) {
        char** slot = TextSlot(rec, i);
        char* p = *slot;
        if (p && from && p >= from && p <= from + size)
            *slot = to + (p - from);
        else if (fromRec && p == fromRec->szClientAddr)
            *slot = rec->szClientAddr;
        else if (fromRec && p == fromRec->szServerAddr)
            *slot = rec->szServerAddr;
    }
}

char* HitRecord_SetLineBuffer(HitRecord* rec, char* oldBuffer, DWORD newSize, BOOL freeOld) {
    char* buffer = (char*)malloc((size_t)newSize + 1);
    if (!buffer)
        return nullptr;
    DWORD keep = rec->dwLineSize < newSize ? rec->dwLineSize : newSize;
    if (oldBuffer)
        memcpy(buffer, oldBuffer, keep);
    memset(buffer + keep, 0, (size_t)newSize + 1 - keep);
    if (oldBuffer)
        MoveTextPointers(rec, oldBuffer, rec->dwLineSize, buffer, nullptr);
    rec->lpLine = buffer;
    rec->dwLineSize = newSize;
    if (freeOld)
        free(oldBuffer);
    return buffer;
}

BOOL HitRecord_EnsureRoom(HitRecord* rec, DWORD offset, DWORD needed) {
    if (offset <= rec->dwLineSize && needed <= rec->dwLineSize - offset)
        return TRUE;
    DWORD grown = offset + needed + HIT_LINE_SPARE;
    if (grown < offset) // wrapped
        return FALSE;
    // A buffer reused line after line often has the room already: the texts
    // written behind a long line need no new buffer then.
    if (rec->lpLine && _msize(rec->lpLine) > grown) {
        memset(rec->lpLine + rec->dwLineSize, 0, (size_t)grown + 1 - rec->dwLineSize);
        rec->dwLineSize = grown;
        return TRUE;
    }
    return HitRecord_SetLineBuffer(rec, rec->lpLine, grown, TRUE) != nullptr;
}

HitRecord* HitRecord_New() {
    return (HitRecord*)calloc(1, sizeof(HitRecord));
}

// Copies source into target with `line` (room for source's line and its
// NUL, or null when source has none) as target's line buffer.
static void CopyRecord(HitRecord* source, HitRecord* target, char* line, BOOL freeSource,
                       BOOL freeSourceLine) {
    if (line) {
        memcpy(line, source->lpLine, source->dwLineSize);
        line[source->dwLineSize] = 0;
    }
    memcpy(target, source, sizeof(HitRecord));
    target->lpLine = line;
    if (source->lpLine)
        MoveTextPointers(target, source->lpLine, source->dwLineSize, line, source);
    else
        MoveTextPointers(target, nullptr, 0, nullptr, source);
    if (freeSourceLine && source != target) {
        free(source->lpLine);
        source->lpLine = nullptr;
    }
    if (freeSource && source != target)
        free(source);
}

BOOL DuplicateHitRecord(HitRecord* source, HitRecord* target, BOOL freeSource,
                        BOOL freeSourceLine) {
    OV_ASSERT(source != nullptr);
    if (!source || !target)
        return FALSE;
    char* line = nullptr;
    if (source->lpLine && !(line = (char*)malloc((size_t)source->dwLineSize + 1)))
        return FALSE;
    CopyRecord(source, target, line, freeSource, freeSourceLine);
    return TRUE;
}

HitRecord* HitRecord_Clone(HitRecord* source, BOOL freeSource, BOOL freeSourceLine) {
    // A kept record whose buffer holds the line saves the two allocations a
    // hit would cost on its way through the DNS ring.
    HitRecord* rec = source ? RecordPool_Take() : nullptr;
    if (!rec)
        return nullptr;
    char* spare = rec->lpLine;
    if (source->lpLine && spare && _msize(spare) > source->dwLineSize) {
        CopyRecord(source, rec, spare, freeSource, freeSourceLine);
        return rec;
    }
    free(spare);
    rec->lpLine = nullptr;
    rec->dwLineSize = 0;
    if (!DuplicateHitRecord(source, rec, freeSource, freeSourceLine)) {
        free(rec);
        return nullptr;
    }
    return rec;
}

void HitRecord_Free(HitRecord* rec) {
    if (!rec || RecordPool_Keep(rec))
        return;
    free(rec->lpLine);
    free(rec);
}

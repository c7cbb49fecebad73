// Freed hit records kept for the reader: handing out one record per line
// would otherwise cost two heap round trips a line.
#pragma once
#include "ovcore/hitrecord.h"

// A record for the reader to fill: zero-filled like HitRecord_New, except
// that it may keep the line buffer of a freed record (lpLine and dwLineSize
// set). Null when memory runs out.
HitRecord* RecordPool_Take();
// Keeps the record (with its line buffer) for RecordPool_Take when the pool
// has room and the buffer is of a usual size; 0 when the caller must free it.
BOOL RecordPool_Keep(HitRecord* rec);

// A thread that reads ahead for another (the run's log reader) keeps the
// records it takes back in a stash of its own: the two threads would
// otherwise meet at the shared pool's lock several times a hit.
#define RECORD_STASH_SIZE 64
struct RecordStash {
    HitRecord* records[RECORD_STASH_SIZE];
    int count;
};
// From now on the calling thread takes from and keeps into the stash first
// (null: the shared pool alone). The stash must outlive that use.
void RecordPool_UseStash(RecordStash* stash);
// Frees every record of the stash.
void RecordPool_EmptyStash(RecordStash* stash);

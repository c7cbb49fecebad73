// The run's reader thread: it makes the reads of the logs ahead of the
// client's thread and hands them over in batches through a ring with one
// writer and one reader, so that reading and counting run on two cores.
// The client's thread takes the reads one by one in the order they were
// made and does with each what it would have done with its own read. The
// threads meet only at a batch's end (no lock per read) and wait, on an
// event, only when the ring is full or empty. Callbacks, boxes and the
// message pump stay on the client's thread: a message the reader raises is
// held with its read and shown when that read is taken, so a stopped run
// shows nothing of the reads it did not take.
#pragma once
#include "core/held_messages.h"
#include "ovcore/hitrecord.h"

// One read as the client's thread would have made it.
struct AheadRead {
    int code;              // LOGREAD_*: LOGREAD_NONE is the last read
    HitRecord* hit;        // the reader's; valid until the next ReadAhead_Next or ReadAhead_Stop
    BOOL refreshed;        // the done percent was due just before this read
    DWORD percent;         // its value then
    HeldMessage* messages; // raised during the read; the taker shows or frees them
};

// Makes one read on the reader thread: everything but the messages.
typedef void (*AheadReadFn)(void* source, AheadRead* read);

struct ReadAhead;

// Starts the reader thread over the source, with room for capacity reads
// (a power of two, at least 64). Null when memory or the thread cannot be
// had: the caller then reads on its own thread.
ReadAhead* ReadAhead_Start(AheadReadFn read, void* source, DWORD capacity);
// The next read in order, waiting while the reader is behind; its messages
// pass to the caller. Not called again after a read of LOGREAD_NONE.
void ReadAhead_Next(ReadAhead* ahead, AheadRead* read);
// Stops the reader wherever it is, waits for its thread and frees the reads
// not taken (messages unseen) and the rest. Null is allowed.
void ReadAhead_Stop(ReadAhead* ahead);

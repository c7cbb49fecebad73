#include "run/read_ahead.h"

#include "logparse/record_pool.h"
#include "ovcore/logread.h"
#include <atomic>
#include <malloc.h>
#include <new>
#include <stdlib.h>
#include <string.h>

// Reads handed over at once: the threads touch each other's index once a
// batch, not once a read.
#define AHEAD_BATCH 64

struct ReadAhead {
    AheadReadFn read;
    void* source;
    AheadRead* slots;
    DWORD mask;
    HANDLE thread;
    HANDLE dataReady;  // the reader published reads while the taker waited
    HANDLE spaceReady; // the taker freed slots (or asks to stop) while the reader waited
    RecordStash stash; // the reader thread's spare records

    // Written by the reader thread.
    alignas(64) std::atomic<DWORD> written;
    std::atomic<LONG> readerWaits;
    std::atomic<DWORD> readerResumesAt; // the taken count that wakes the waiting reader
    // Written by the client's thread.
    alignas(64) std::atomic<DWORD> taken;
    std::atomic<LONG> takerWaits;
    std::atomic<DWORD> takerResumesAt; // the written count that wakes the waiting taker
    std::atomic<LONG> stop;
    DWORD next;     // the slot of the next read to take
    DWORD seen;     // the reader's count last seen
    DWORD released; // the count last published as taken
};

namespace {

DWORD Capacity(const ReadAhead* a) {
    return a->mask + 1;
}

// --- the reader thread ---

// A wake-up costs a round trip through the Wine server on each side, so
// a waiting side is woken only once a good part of the ring is ready for
// it (or the reads have ended), not for every batch.
BOOL Reached(DWORD count, DWORD mark) {
    return (LONG)(count - mark) >= 0;
}

void Publish(ReadAhead* a, DWORD count, BOOL last) {
    a->written.store(count, std::memory_order_seq_cst);
    if (a->takerWaits.load(std::memory_order_seq_cst) &&
        (last || Reached(count, a->takerResumesAt.load())) && a->takerWaits.exchange(0))
        SetEvent(a->dataReady);
}

// Waits until the ring has a free slot; FALSE when asked to stop.
BOOL WaitForSpace(ReadAhead* a, DWORD count) {
    DWORD resume = count - Capacity(a) / 2;
    a->readerResumesAt.store(resume);
    for (;;) {
        a->readerWaits.store(1, std::memory_order_seq_cst);
        DWORD taken = a->taken.load(std::memory_order_seq_cst);
        BOOL room = Reached(taken, resume);
        if (room || a->stop.load()) {
            a->readerWaits.store(0);
            return room && !a->stop.load();
        }
        WaitForSingleObject(a->spaceReady, INFINITE);
    }
}

// Fills the slot with the next read; the slot's earlier record, long taken,
// goes back to the stash for the reads to come.
BOOL ReadInto(ReadAhead* a, AheadRead* slot) {
    HitRecord_Free(slot->hit);
    memset(slot, 0, sizeof(*slot));
    Engine_HoldMessagesOfThread(&slot->messages);
    a->read(a->source, slot);
    Engine_HoldMessagesOfThread(nullptr);
    return slot->code != LOGREAD_NONE;
}

DWORD WINAPI ReaderMain(void* arg) {
    ReadAhead* a = static_cast<ReadAhead*>(arg);
    RecordPool_UseStash(&a->stash);
    DWORD count = 0, freeUntil = Capacity(a);
    for (;;) {
        if (count == freeUntil) {
            Publish(a, count, FALSE);
            if (!WaitForSpace(a, count))
                break;
            freeUntil = a->taken.load() + Capacity(a);
        }
        BOOL more = ReadInto(a, &a->slots[count & a->mask]);
        count++;
        if (!more || count % AHEAD_BATCH == 0 ||
            (a->takerWaits.load(std::memory_order_relaxed) &&
             Reached(count, a->takerResumesAt.load(std::memory_order_relaxed))))
            Publish(a, count, !more);
        if (!more || a->stop.load(std::memory_order_relaxed))
            break;
    }
    RecordPool_UseStash(nullptr);
    return 0;
}

// --- the client's thread ---

void Release(ReadAhead* a, DWORD count) {
    a->released = count;
    a->taken.store(count, std::memory_order_seq_cst);
    if (a->readerWaits.load(std::memory_order_seq_cst) &&
        Reached(count, a->readerResumesAt.load()) && a->readerWaits.exchange(0))
        SetEvent(a->spaceReady);
}

void WaitForData(ReadAhead* a) {
    a->takerResumesAt.store(a->next + Capacity(a) / 4);
    for (;;) {
        a->takerWaits.store(1, std::memory_order_seq_cst);
        a->seen = a->written.load(std::memory_order_seq_cst);
        // Woken early (the reads ended) or not at all yet: what is there
        // is taken.
        if (a->seen != a->next) {
            a->takerWaits.store(0);
            return;
        }
        WaitForSingleObject(a->dataReady, INFINITE);
    }
}

void FreeAll(ReadAhead* a) {
    for (DWORD i = 0; a->slots && i < Capacity(a); i++) {
        HitRecord_Free(a->slots[i].hit);
        Engine_FreeHeldMessages(a->slots[i].messages);
    }
    RecordPool_EmptyStash(&a->stash);
    if (a->dataReady)
        CloseHandle(a->dataReady);
    if (a->spaceReady)
        CloseHandle(a->spaceReady);
    free(a->slots);
    a->~ReadAhead();
    _aligned_free(a);
}

} // namespace

ReadAhead* ReadAhead_Start(AheadReadFn read, void* source, DWORD capacity) {
    if (!read || capacity < AHEAD_BATCH || (capacity & (capacity - 1)) != 0)
        return nullptr;
    // The two threads' fields lie on cache lines of their own.
    void* memory = _aligned_malloc(sizeof(ReadAhead), alignof(ReadAhead));
    if (!memory)
        return nullptr;
    memset(memory, 0, sizeof(ReadAhead));
    ReadAhead* a = new (memory) ReadAhead();
    a->read = read;
    a->source = source;
    a->mask = capacity - 1;
    a->slots = (AheadRead*)calloc(capacity, sizeof(AheadRead));
    a->dataReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    a->spaceReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (a->slots && a->dataReady && a->spaceReady)
        a->thread = CreateThread(nullptr, 0, ReaderMain, a, 0, nullptr);
    if (!a->thread) {
        FreeAll(a);
        return nullptr;
    }
    return a;
}

void ReadAhead_Next(ReadAhead* a, AheadRead* read) {
    if (a->next - a->released >= AHEAD_BATCH)
        Release(a, a->next);
    if (a->next == a->seen) {
        a->seen = a->written.load(std::memory_order_acquire);
        if (a->next == a->seen) {
            Release(a, a->next);
            WaitForData(a);
        }
    }
    AheadRead* slot = &a->slots[a->next & a->mask];
    *read = *slot;
    slot->messages = nullptr;
    a->next++;
}

void ReadAhead_Stop(ReadAhead* a) {
    if (!a)
        return;
    a->stop.store(1, std::memory_order_seq_cst);
    SetEvent(a->spaceReady);
    WaitForSingleObject(a->thread, INFINITE);
    CloseHandle(a->thread);
    FreeAll(a);
}

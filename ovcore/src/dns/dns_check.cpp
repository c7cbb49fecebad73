// Handing finished entries at the head of the ring on, in log order.
#include "dns_cache.h"
#include "dns_ring_state.h"
#include "filter/hit_filter.h"
#include "core/message_sink.h"
#include "core/report_kinds.h"
#include "core/progress_callback.h"
#include "ovcore/profile.h"

#include <string.h>

// Names, completion, filter, then the run's listing or tables. 1 done
// (dropped by the filter included), 0 failed.
static int ProcessResolvedHit(LONG state, HitRecord* hit, DnsRun* run) {
    SetHitNames(state, hit, run->dnsMode);
    CompleteHitRecord(hit);
    if (FilterHit(run->filters, hit) <= 0)
        return 1;
    if (run->reportKind == REPORT_KIND_FILTER_ONLY || !run->handOn)
        return 1;
    return run->handOn(run, hit);
}

// A server entry passes its name to the next entry's hit (the same hit's
// client entry) while that still holds the dotted address.
static void PassServerName(DNSFifoEntry* e, LONG index) {
    DnsRingState& r = DnsRing_State();
    if (index == r.tail)
        return;
    DNSFifoEntry* next = &DnsRing_Entries()[(index + 1) % (LONG)DnsRing_Size()];
    if (!next->hit || !IsItAnIPAddr(next->hit->szServerAddr))
        return;
    if (e->text && e->text[0])
        lstrcpynA(next->hit->szServerAddr, e->text, DNS_NAME_SIZE);
    else
        next->hit->szServerAddr[0] = 0;
}

static void ShareDNSResultWithDuplicates(LONG index, LONG state) {
    DnsRingState& r = DnsRing_State();
    DNSFifoEntry* ring = DnsRing_Entries();
    const char* text = ring[index].text;
    for (LONG i = index; i != r.tail;) {
        i = (i + 1) % (LONG)DnsRing_Size();
        DNSFifoEntry* d = &ring[i];
        if (d->duplicateOf != index)
            continue;
        if (text && d->text)
            lstrcpynA(d->text, text, DNS_NAME_SIZE);
        DnsEntry_Publish(d, state);
    }
}

// Caches the entry's result, shares it with the entries waiting on it and
// frees the entry.
static void ReleaseEntry(LONG index, LONG state) {
    DNSFifoEntry* e = &DnsRing_Entries()[index];
    if (e->duplicateOf < 0) {
        if (state != DNS_STATE_CACHED)
            AddToDNSCache(e->address, e->text);
        ShareDNSResultWithDuplicates(index, state);
    }
    FreeDNSFifoEntry(e);
}

// Moves the head past a released entry. TRUE when the ring is now empty.
static BOOL AdvanceHead(LONG released) {
    DnsRingState& r = DnsRing_State();
    if (released == r.tail) {
        r.head = 0;
        r.tail = -1;
        return TRUE;
    }
    r.head = (r.head + 1) % (LONG)DnsRing_Size();
    return FALSE;
}

// The client's progress callback or pump, by elapsed time: once a record
// would make it most of the run's work.
#define DNS_TICK_INTERVAL_MS 25

static void Tick(const DnsRun* run) {
    static DWORD s_lastTick;
    if (run->dnsMode == DNS_MODE_OFF)
        return;
    DWORD now = GetTickCount();
    if (now - s_lastTick < DNS_TICK_INTERVAL_MS)
        return;
    s_lastTick = now;
    CallProgressTick();
}

int CheckDNS(DnsRun* run) {
    DNSFifoEntry* ring = DnsRing_Entries();
    DnsRingState& r = DnsRing_State();
    if (!ring || !run || DnsRing_IsEmpty())
        return DNS_CHECK_EMPTY;
    Tick(run);
    DNSFifoEntry* head = &ring[r.head];
    if (r.head != 0 && DnsEntry_State(head) == DNS_STATE_RUNNING && head->duplicateOf >= 0)
        Engine_MessageBox(NULL, "Fifo is stuck with a duplicate at the start", "CheckDNS", MB_OK);
    for (;;) {
        LONG index = r.head;
        DNSFifoEntry* e = &ring[index];
        LONG state = DnsEntry_State(e);
        if (state == DNS_STATE_RUNNING || state == DNS_STATE_EMPTY)
            break;
        Tick(run);
        int processed = 1;
        if (e->which == DNS_CLIENT_ADDRESS) {
            if (e->abandoned)
                SetHitNames(state, e->hit, run->dnsMode);
            else
                processed = ProcessResolvedHit(state, e->hit, run);
        } else {
            PassServerName(e, index);
        }
        // A failed hit is released like the others: an emptied head would
        // stall the ring for every later run.
        ReleaseEntry(index, state);
        if (AdvanceHead(index))
            return processed ? DNS_CHECK_EMPTY : DNS_CHECK_FAILED;
        if (!processed)
            return DNS_CHECK_FAILED;
        if (DnsEntry_State(&ring[r.head]) == DNS_STATE_RUNNING)
            break;
    }
    return IsDNSFifoBusy() ? DNS_CHECK_BUSY : DNS_CHECK_PENDING;
}

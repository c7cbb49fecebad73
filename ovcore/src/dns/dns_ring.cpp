// The ring's storage: allocation at registration, release with the last
// client, and adding entries at the tail.
#include "dns_ring_state.h"

#include <stdlib.h>

#include "dns_lookup_threads.h"

// How long the last deregistration waits for look-up threads in flight.
#define DNS_RELEASE_WAIT_MS 3000

static DnsRingState g_ring = {0, -1, {0, 0, 0}};

DnsRingState& DnsRing_State(void) {
    return g_ring;
}

DNSFifoEntry* DnsRing_Entries(void) {
    return reinterpret_cast<DNSFifoEntry*>(Engine_State().dnsRing);
}

DWORD DnsRing_Size(void) {
    return Engine_State().dnsRingEntries;
}

const DnsRingStats& DnsRing_Stats(void) {
    return g_ring.stats;
}

BOOL DnsRing_IsEmpty(void) {
    return g_ring.tail < 0;
}

void ResetDNSFifoEntry(DNSFifoEntry* e) {
    e->request = (HANDLE)-1;
    e->startTick = 0;
    e->duplicateOf = -1;
    e->hit = NULL;
    e->hostBuffer = NULL;
    e->address = 0;
    e->threadId = 0;
    e->thread = (HANDLE)-1;
    e->text = NULL;
    e->which = 0;
    e->abandoned = 0;
    DnsEntry_Publish(e, DNS_STATE_EMPTY);
}

void FreeDNSFifoEntry(DNSFifoEntry* e) {
    if (e->thread != (HANDLE)-1 && e->thread)
        CloseHandle(e->thread);
    HitRecord_Free(e->hit);
    ResetDNSFifoEntry(e);
}

// Waits, within one overall limit, for every look-up thread still writing
// into the ring. FALSE when one is still running at the end.
static BOOL WaitForLookupThreads(DNSFifoEntry* ring, DWORD size) {
    DWORD start = GetTickCount();
    for (DWORD i = 0; i < size; ++i) {
        DNSFifoEntry* e = &ring[i];
        if (e->thread == (HANDLE)-1 || !e->thread || DnsEntry_State(e) != DNS_STATE_RUNNING)
            continue;
        DWORD spent = GetTickCount() - start;
        DWORD left = spent < DNS_RELEASE_WAIT_MS ? DNS_RELEASE_WAIT_MS - spent : 0;
        if (!DnsLookup_WaitForThread(e, left))
            return FALSE;
    }
    return TRUE;
}

// Frees a ring that is no longer the engine's, unless a look-up thread still
// runs into it.
static void FreeRing(DNSFifoEntry* ring, DWORD size) {
    if (!ring)
        return;
    if (!WaitForLookupThreads(ring, size)) {
        OutputDebugStringA("DNS look-ups still running: their ring is left allocated\n");
        return;
    }
    for (DWORD i = 0; i < size; ++i)
        if (ring[i].hit || ring[i].thread != (HANDLE)-1)
            FreeDNSFifoEntry(&ring[i]);
    free(ring);
}

BOOL DnsRing_Allocate(DWORD entries) {
    EngineState& s = Engine_State();
    if (s.dnsRing && !DnsRing_IsEmpty())
        return TRUE; // a run is using it
    DNSFifoEntry* ring = static_cast<DNSFifoEntry*>(calloc(entries, sizeof(DNSFifoEntry)));
    if (!ring)
        return FALSE;
    for (DWORD i = 0; i < entries; ++i)
        ResetDNSFifoEntry(&ring[i]);
    FreeRing(DnsRing_Entries(), DnsRing_Size());
    s.dnsRing = reinterpret_cast<BYTE*>(ring);
    s.dnsRingEntries = entries;
    g_ring.head = 0;
    g_ring.tail = -1;
    return TRUE;
}

void DnsRing_Release(void) {
    EngineState& s = Engine_State();
    FreeRing(DnsRing_Entries(), DnsRing_Size());
    s.dnsRing = NULL;
    g_ring.head = 0;
    g_ring.tail = -1;
}

void AbandonDNSFifo(void) {
    DNSFifoEntry* ring = DnsRing_Entries();
    if (!ring || DnsRing_IsEmpty())
        return;
    for (LONG i = g_ring.head;; i = (i + 1) % (LONG)DnsRing_Size()) {
        ring[i].abandoned = 1;
        if (i == g_ring.tail)
            break;
    }
}

static BOOL IsFull(void) {
    LONG n = (LONG)DnsRing_Size();
    return g_ring.tail >= 0 &&
           (g_ring.tail == g_ring.head - 1 || (g_ring.head == 0 && g_ring.tail == n - 1));
}

BOOL IsDNSFifoBusy(void) {
    if (IsFull())
        return TRUE;
    if (!DnsLookup_Threaded() || DnsRing_IsEmpty())
        return FALSE;
    DNSFifoEntry* ring = DnsRing_Entries();
    LONG inFlight = 0;
    for (LONG i = g_ring.head; i != g_ring.tail; i = (i + 1) % (LONG)DnsRing_Size())
        if (DnsEntry_State(&ring[i]) == DNS_STATE_RUNNING && ring[i].duplicateOf < 0)
            ++inFlight;
    if (inFlight > g_ring.stats.peakInFlight)
        g_ring.stats.peakInFlight = inFlight;
    return inFlight >= DnsLookup_ThreadLimit();
}

LONG AddToDNSFifo(DnsRun* run, HitRecord* hit) {
    while (!DnsRing_IsEmpty() && IsDNSFifoBusy()) {
        Sleep(10);
        if (CheckDNS(run) == DNS_CHECK_FAILED)
            return -2;
    }
    HitRecord* copy = HitRecord_Clone(hit, FALSE, FALSE);
    if (!copy)
        return -1;
    LONG n = (LONG)DnsRing_Size();
    g_ring.tail = g_ring.tail < 0 ? 0 : (g_ring.tail + 1) % n; // an empty ring starts at 0
    DNSFifoEntry* e = &DnsRing_Entries()[g_ring.tail];
    ResetDNSFifoEntry(e);
    e->hit = copy;
    return g_ring.tail;
}

void DropDNSFifoTail(void) {
    FreeDNSFifoEntry(&DnsRing_Entries()[g_ring.tail]);
    if (g_ring.tail == g_ring.head) {
        g_ring.head = 0;
        g_ring.tail = -1;
    } else {
        LONG n = (LONG)DnsRing_Size();
        g_ring.tail = (g_ring.tail + n - 1) % n;
    }
}

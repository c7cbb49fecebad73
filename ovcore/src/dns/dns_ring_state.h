// The ring's engine-wide positions and its entry steps, shared by the queue
// and check halves.
#pragma once
#include "dns_ring.h"

struct DnsRingState {
    LONG head; // first pending entry
    LONG tail; // last entry added; -1 when the ring is empty (head is then 0)
    DnsRingStats stats;
};

DnsRingState& DnsRing_State(void);
// The engine's ring and its size; null when no client registered one.
DNSFifoEntry* DnsRing_Entries(void);
DWORD DnsRing_Size(void);

void ResetDNSFifoEntry(DNSFifoEntry* e);
// Closes the thread handle, frees the hit copy, resets the entry.
void FreeDNSFifoEntry(DNSFifoEntry* e);
// The ring is full, or (threaded mode) the look-ups in flight reached the
// limit.
BOOL IsDNSFifoBusy(void);
// Waits for room (checking the ring), then puts a copy of the hit at the
// tail. The new tail index; -1 no copy could be made (ring unchanged); -2 a
// check while waiting failed.
LONG AddToDNSFifo(DnsRun* run, HitRecord* hit);
// Takes the tail entry back out (its hit copy freed).
void DropDNSFifoTail(void);

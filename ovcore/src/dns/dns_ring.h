// The DNS look-up ring: every hit of a report run passes through a fixed-size
// engine-wide ring of pending entries, so reverse look-ups of client (and
// server) addresses run while the log is read, and hits are still handed on
// strictly in log order. Look-ups run on one short-lived thread each
// (threaded mode) or through WinSock's asynchronous look-up answering the
// hidden "DNSLOOK" window (window-driven mode).
//
// Everything but the look-up threads runs on the client's thread. A thread
// writes only its entry's name text and then its state; the state is
// published with an interlocked store and read back with one, so the text
// is complete whenever the state says the look-up ended.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include "core/engine_state.h"
#include "core/net_binding.h"
#include "ovcore/filters.h"
#include "ovcore/hitrecord.h"

// Entry states.
#define DNS_STATE_RUNNING 1 // look-up running, or waiting for the entry it shares
#define DNS_STATE_RESOLVED 2
#define DNS_STATE_FAILED 3
#define DNS_STATE_CACHED 4
#define DNS_STATE_KEPT 5 // look-ups off: the address stays
#define DNS_STATE_EMPTY 6
#define DNS_STATE_TIMED_OUT 7
#define DNS_STATE_NAME 8 // the field already holds a name

// Which address an entry serves.
#define DNS_CLIENT_ADDRESS 0
#define DNS_SERVER_ADDRESS 1

// Run DNS modes.
#define DNS_MODE_OFF 0
#define DNS_MODE_ON 1
#define DNS_MODE_UNTIL_NAME 2 // on until a client address turns out to be a name

// CheckDNS answers.
#define DNS_CHECK_PENDING 1
#define DNS_CHECK_BUSY 2   // pending, and the ring is full or the thread limit reached
#define DNS_CHECK_FAILED 3 // a hit could not be processed: the run must stop
#define DNS_CHECK_EMPTY 4

// The message the DNS window receives with a look-up's answer.
#define WM_DNS_ANSWER (WM_USER + 10)

struct DNSFifoEntry {
    HANDLE request;      // asynchronous request; (HANDLE)-1 none
    volatile LONG state; // DNS_STATE_*; see DnsEntry_State
    DWORD startTick;     // threaded look-ups
    LONG duplicateOf;    // index of the earlier entry whose look-up it shares; -1 none
    HitRecord* hit;      // the entry's own copy
    char* hostBuffer;    // MAXGETHOSTSTRUCT bytes while a window-driven look-up runs
    DWORD address;       // network order
    DWORD threadId;
    HANDLE thread;   // (HANDLE)-1 none
    char* text;      // the hit copy's field that receives the name (DNS_NAME_SIZE bytes)
    DWORD which;     // DNS_CLIENT_ADDRESS or DNS_SERVER_ADDRESS
    DWORD abandoned; // released without its hit being analysed
};
#ifndef _WIN64
static_assert(sizeof(DNSFifoEntry) == ENGINE_DNS_ENTRY_SIZE, "DNS ring entry layout");
#endif

struct DnsRun;
// Takes a resolved, named and kept hit on to the listing or the statistics
// (every report kind but 5). 1 taken, 0 failed: the run must stop.
typedef int (*DnsHandOnProc)(DnsRun* run, HitRecord* hit);

// What the ring needs of one report run.
struct DnsRun {
    int dnsMode;                  // DNS_MODE_*; may drop from DNS_MODE_UNTIL_NAME to off once
    int reportKind;               // REPORT_KIND_*
    DWORD timeoutMs;              // bounds one window-driven look-up
    const ProfileFilter* filters; // the profile's chain
    DnsHandOnProc handOn;         // null: kept hits go nowhere
    void* owner;                  // for handOn
};

// Engine-wide diagnosis counters.
struct DnsRingStats {
    LONG peakInFlight;
    LONG timeouts; // window-driven
    int lastError; // of the last window-driven answer; 65535 after a time-out
};

// --- The ring (dns_ring.cpp) ---

// Makes the engine's ring of the given size, every entry empty. A ring that
// still holds entries of a running run is kept as it is. FALSE when memory
// is short (the old ring stays).
BOOL DnsRing_Allocate(DWORD entries);
// Releases the ring at the last deregistration. Look-up threads still in
// flight get a bounded wait; when one outlasts it, the ring and its hit
// copies are left allocated for it (a leak, never a write into freed memory).
void DnsRing_Release(void);
BOOL DnsRing_IsEmpty(void);
const DnsRingStats& DnsRing_Stats(void);

// Marks every entry from head to tail abandoned: released later without
// their hits being analysed (a closed run).
void AbandonDNSFifo(void);

// Queues a copy of the hit (the caller keeps and frees its own) and starts
// its look-ups. 1 queued; 0 no copy could be made (the record is skipped);
// -1 the ring is missing or processing an earlier hit failed while waiting
// for room (the run must stop).
int QueueHitForDNS(DnsRun* run, HitRecord* hit);
// Hands on every finished entry at the head of the ring. DNS_CHECK_*.
int CheckDNS(DnsRun* run);

// --- Look-ups (dns_lookup.cpp) ---

// Threaded mode unless the system is Windows NT before 4; ForceSlowDNS turns
// it off, ForceFastDNS on.
BOOL DnsLookup_Threaded(void);
// Look-ups in flight allowed in threaded mode.
LONG DnsLookup_ThreadLimit(void);
// Starts the look-up of the entry's address text (window-driven: waits for
// it, pumping the client's messages, at most the run's time-out).
void StartDNSLookup(DnsRun* run, DNSFifoEntry* entry, DnsRingStats* stats);
// Creates the hidden window of class "DNSLOOK" (class registered once per
// process); it lives until the process ends. Null on failure.
HWND CreateDNSWindow(void);

// The WinSock functions the look-ups call (WSAStartup, WSACleanup,
// gethostbyaddr, WSAAsyncGetHostByAddr, WSACancelAsyncRequest): the bound
// ones, unless a test puts its own in their place. Null restores the bound.
void DnsLookup_SetResolver(const WinsockApi* resolver);

// --- Host names (host_names.cpp) ---

// Fills the hit's domain, suffix and country from the host name in its
// client field. Suffix and country may hold a display text, its terminator
// and a short code after it; every field stays within its size.
void SplitHostName(HitRecord* hit);
// The names a hit gets for its entry's state under the run's DNS mode.
void SetHitNames(int state, HitRecord* hit, int dnsMode);

// Acquire read of an entry's state; release store of a new one.
inline LONG DnsEntry_State(DNSFifoEntry* e) {
    return InterlockedCompareExchange(&e->state, 0, 0);
}
inline void DnsEntry_Publish(DNSFifoEntry* e, LONG state) {
    InterlockedExchange(&e->state, state);
}

// Queueing hits on the ring and starting the look-ups of their addresses.
#include "dns_cache.h"
#include "dns_ring_state.h"
#include "core/engine_settings.h"
#include "ovcore/profile.h"

#include <string.h>

// The first earlier entry that looks the same address up (or already has):
// resolved with the same address, or running, failed or timed out with the
// same text. -1 when none.
static LONG FindDNSDuplicate(LONG index, const char* text) {
    DNSFifoEntry* ring = DnsRing_Entries();
    LONG n = (LONG)DnsRing_Size();
    DWORD address = DNSCache_AddressOf(text);
    for (LONG i = DnsRing_State().head; i != index; i = (i + 1) % n) {
        DNSFifoEntry* e = &ring[i];
        if (e->duplicateOf >= 0 || !e->text)
            continue;
        LONG state = DnsEntry_State(e);
        if (state == DNS_STATE_RESOLVED && e->address == address && address != INADDR_NONE)
            return i;
        if ((state == DNS_STATE_RUNNING || state == DNS_STATE_FAILED ||
             state == DNS_STATE_TIMED_OUT) &&
            strcmp(e->text, text) == 0)
            return i;
    }
    return -1;
}

static void ResolveDNSFifoEntry(DnsRun* run, DWORD which, LONG index, char* text) {
    DNSFifoEntry* e = &DnsRing_Entries()[index];
    e->which = which;
    e->text = text;
    if (!IsItAnIPAddr(text)) {
        if (run->dnsMode == DNS_MODE_UNTIL_NAME && which == DNS_CLIENT_ADDRESS)
            run->dnsMode = DNS_MODE_OFF; // later hits are not looked up
        DnsEntry_Publish(e, DNS_STATE_NAME);
        return;
    }
    LONG earlier = FindDNSDuplicate(index, text);
    if (earlier >= 0) {
        e->duplicateOf = earlier;
        DnsEntry_Publish(e, DNS_STATE_RUNNING);
        return;
    }
    if (LookupDNSCache(text, &e->address) != DNS_CACHE_NOT_FOUND) {
        DnsEntry_Publish(e, DNS_STATE_CACHED);
        return;
    }
    StartDNSLookup(run, e, &DnsRing_State().stats);
}

// Look-ups off: the entry keeps the address, or the name the log gave.
static int QueueUnresolved(DnsRun* run, HitRecord* hit) {
    LONG index = AddToDNSFifo(run, hit);
    if (index < 0)
        return index == -1 ? 0 : -1;
    DNSFifoEntry* e = &DnsRing_Entries()[index];
    e->text = e->hit->szClientAddr;
    DnsEntry_Publish(e, IsItAnIPAddr(e->text) ? DNS_STATE_KEPT : DNS_STATE_NAME);
    return 1;
}

int QueueHitForDNS(DnsRun* run, HitRecord* hit) {
    if (!DnsRing_Entries() || !run || !hit)
        return -1;
    if (run->dnsMode == DNS_MODE_OFF)
        return QueueUnresolved(run, hit);
    LONG server = -1;
    if (!Engine_Settings().defaults.disableServerLookup && hit->szServerAddr[0]) {
        server = AddToDNSFifo(run, hit);
        if (server < 0)
            return server == -1 ? 0 : -1;
    }
    LONG client = AddToDNSFifo(run, hit);
    if (client < 0) {
        // The server entry hands its name to the entry after it, which must
        // be this hit's client entry: take it back out.
        if (server >= 0)
            DropDNSFifoTail();
        return client == -1 ? 0 : -1;
    }
    DNSFifoEntry* ring = DnsRing_Entries();
    if (server >= 0)
        ResolveDNSFifoEntry(run, DNS_SERVER_ADDRESS, server, ring[server].hit->szServerAddr);
    ResolveDNSFifoEntry(run, DNS_CLIENT_ADDRESS, client, ring[client].hit->szClientAddr);
    return 1;
}

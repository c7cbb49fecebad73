// What the two look-up halves share: the resolver in force, the name copy,
// and the window-driven look-up.
#pragma once
#include "dns_ring.h"

const WinsockApi& DnsLookup_Resolver(void);
// Clears the entry's name field and copies the name in (at most 99).
void DnsLookup_PutName(DNSFifoEntry* e, const char* name);
// Asks WinSock for the entry's name with an answer to the DNS window and
// waits for it, at most the run's time-out, pumping the client's messages.
void DnsLookup_AskWindow(DnsRun* run, DNSFifoEntry* e, DnsRingStats* stats);

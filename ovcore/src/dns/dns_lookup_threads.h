// Waiting for a look-up thread, for the ring's release.
#pragma once
#include "dns_ring.h"

// TRUE when the entry's thread ended (or published its state) within ms.
BOOL DnsLookup_WaitForThread(DNSFifoEntry* entry, DWORD ms);

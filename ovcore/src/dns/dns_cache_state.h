// The engine-wide state of the DNS cache, shared by its file and look-up
// halves.
#pragma once
#include <windows.h>

struct DnsCacheState {
    HANDLE text;      // NSLOOKUP.DTX
    HANDLE index;     // NSLOOKUP.DIN
    DWORD* addresses; // N addresses, newest first; 0 ends the used part
    DWORD* offsets;   // N line offsets (low 32 bits)
    DWORD entries;    // N
};

DnsCacheState& DnsCache_State(void);
// Closes both files and frees both arrays without writing the index.
void DnsCache_Drop(void);

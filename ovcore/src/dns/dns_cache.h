// The DNS cache: names found by reverse look-ups, kept across runs in two
// files of the data folder. "NSLOOKUP.DTX" holds one line per look-up,
// "name a.b.c.d HEXTIME\r\n", appended and never rewritten; "NSLOOKUP.DIN"
// holds N addresses (newest first, 0 ends them) followed by N offsets of
// their lines, read at opening and written back at closing.
//
// Only one process may write the cache: a second one (the import program
// beside the plug-in, say) must run with the cache off, or the index the
// first one writes back at closing drops the second one's names.
//
// The cache is "on" while both files are open and both arrays exist.
#pragma once
#include <windows.h>

// Size of a name field that look-ups write into (a hit's address fields).
#define DNS_NAME_SIZE 100

// Answers of LookupDNSCache.
#define DNS_CACHE_NOT_FOUND 0
#define DNS_CACHE_FOUND 4
#define DNS_CACHE_NOT_ADDRESS 5

// Opens (or creates) both files in folder (ends in a backslash) and reads
// the index. 1 when the cache is on, 0 when a file could not be opened or
// the arrays not made (cache off, nothing left open).
int LoadDNSCache(const char* folder);
// Writes the index back and closes both files; the cache is then off.
void CloseDNSCache(void);
// Reopens the cache in the registered folder when any part of it is missing.
// 1 when it is on afterwards.
int DNSCache_EnsureOpen(void);
BOOL DNSCache_IsOn(void);
// Entries of the index (N).
DWORD DNSCache_Entries(void);

// The IPv4 address of a dotted text (network order), INADDR_NONE when the
// text is not one or WinSock is not bound.
DWORD DNSCache_AddressOf(const char* text);
// Looks the address text up. text has DNS_NAME_SIZE bytes. *address receives
// the address in any case. DNS_CACHE_FOUND: the cached name replaced the
// text; DNS_CACHE_NOT_ADDRESS: text unchanged; DNS_CACHE_NOT_FOUND.
int LookupDNSCache(char* text, DWORD* address);
// Appends a line for the name and puts it at the head of the index. Skipped
// for address 0, a null text or a cache that is off. A short write turns the
// cache off (the index file keeps what the last clean close wrote).
void AddToDNSCache(DWORD address, const char* text);

// Starting look-ups: the mode and limits, the look-up thread and the
// resolver the look-ups call.
#include "dns_cache.h"
#include "dns_lookup_threads.h"
#include "dns_lookup_window.h"
#include "core/engine_settings.h"
#include "core/message_sink.h"
#include "core/net_binding.h"

#include <string.h>

static const WinsockApi* g_testResolver = NULL;

void DnsLookup_SetResolver(const WinsockApi* resolver) {
    g_testResolver = resolver;
}

const WinsockApi& DnsLookup_Resolver(void) {
    return g_testResolver ? *g_testResolver : NetBinding_Winsock();
}

static void SystemVersion(DWORD* platform, DWORD* major) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    *platform = info.dwPlatformId;
    *major = info.dwMajorVersion;
}

BOOL DnsLookup_Threaded(void) {
    DWORD platform, major;
    SystemVersion(&platform, &major);
    const EngineDefaults& s = Engine_Settings().defaults;
    BOOL threaded = !(platform == VER_PLATFORM_WIN32_NT && major < 4);
    if (threaded && s.forceSlowDNS)
        threaded = FALSE;
    if (!threaded && s.forceFastDNS)
        threaded = TRUE;
    return threaded;
}

LONG DnsLookup_ThreadLimit(void) {
    if (Engine_Settings().defaults.maxDNSThreads)
        return Engine_Settings().defaults.maxDNSThreads;
    DWORD platform, major;
    SystemVersion(&platform, &major);
    return platform == VER_PLATFORM_WIN32_WINDOWS ? 5 : 32;
}

// Clears the name field and copies the host name in, at most 99 characters.
void DnsLookup_PutName(DNSFifoEntry* e, const char* name) {
    memset(e->text, 0, DNS_NAME_SIZE);
    lstrcpynA(e->text, name, DNS_NAME_SIZE);
}

// Writes only its own entry: the name, then the state, published last.
static DWORD WINAPI DNSLookupThread(LPVOID param) {
    DNSFifoEntry* e = static_cast<DNSFifoEntry*>(param);
    const WinsockApi& r = DnsLookup_Resolver();
    WSADATA data;
    if (!r.WSAStartup || r.WSAStartup(MAKEWORD(1, 1), &data) != 0) {
        Engine_MessageBox(NULL, "DNS lookup WinSock initialization failed", "Debug", MB_OK);
        DnsEntry_Publish(e, DNS_STATE_FAILED); // else the ring would wait for it for ever
        return 0;
    }
    DWORD address = e->address;
    hostent* host = r.gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
    if (host && host->h_name) {
        DnsLookup_PutName(e, host->h_name);
        DnsEntry_Publish(e, DNS_STATE_RESOLVED);
    } else {
        DnsEntry_Publish(e, DNS_STATE_FAILED);
    }
    r.WSACleanup();
    return 0;
}

BOOL DnsLookup_WaitForThread(DNSFifoEntry* e, DWORD ms) {
    DWORD start = GetTickCount();
    while (DnsEntry_State(e) == DNS_STATE_RUNNING) {
        if (WaitForSingleObject(e->thread, 10) == WAIT_OBJECT_0)
            return TRUE;
        if (GetTickCount() - start >= ms)
            return DnsEntry_State(e) != DNS_STATE_RUNNING;
    }
    return TRUE;
}

static void StartLookupThread(DNSFifoEntry* e) {
    e->startTick = GetTickCount();
    DnsEntry_Publish(e, DNS_STATE_RUNNING);
    HANDLE thread = CreateThread(NULL, 0, DNSLookupThread, e, 0, &e->threadId);
    if (!thread) {
        DnsEntry_Publish(e, DNS_STATE_FAILED);
        return;
    }
    e->thread = thread;
}

void StartDNSLookup(DnsRun* run, DNSFifoEntry* e, DnsRingStats* stats) {
    if (strcmp(e->text, "0.0.0.0") == 0) {
        DnsEntry_Publish(e, DNS_STATE_FAILED);
        return;
    }
    if (DnsLookup_Threaded())
        StartLookupThread(e);
    else
        DnsLookup_AskWindow(run, e, stats);
}

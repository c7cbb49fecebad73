// Window-driven look-ups: WinSock's asynchronous look-up answers the hidden
// "DNSLOOK" window, whose messages arrive through the client's pump.
#include "dns_lookup_window.h"

#include <stdlib.h>

#include "dns_ring_state.h"
#include "core/engine_instance.h"
#include "core/progress_callback.h"
#include "ovcore/dns.h"

static HWND g_window = NULL;
static BOOL g_answered = FALSE;

ORB_EXPORT(LRESULT) DNSWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY)
        return 0;
    if (msg == WM_CLOSE) {
        DestroyWindow(wnd);
        return 0;
    }
    DNSFifoEntry* ring = DnsRing_Entries();
    if (msg == WM_DNS_ANSWER && ring) {
        for (DWORD i = 0; i < DnsRing_Size(); ++i) {
            DNSFifoEntry* e = &ring[i];
            if (e->request == (HANDLE)-1 || e->request != (HANDLE)wParam)
                continue;
            int error = WSAGETASYNCERROR(lParam);
            DnsRing_State().stats.lastError = error;
            e->request = (HANDLE)-1;
            g_answered = TRUE;
            DnsEntry_Publish(e, error ? DNS_STATE_FAILED : DNS_STATE_RESOLVED);
            break;
        }
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND CreateDNSWindow(void) {
    static BOOL registered = FALSE;
    DnsRing_State().stats.timeouts = 0;
    if (g_window && IsWindow(g_window))
        return g_window;
    HINSTANCE instance = Engine_Instance();
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DNSWndProc;
        wc.hInstance = instance;
        wc.lpszClassName = "DNSLOOK";
        registered = RegisterClassA(&wc) != 0;
    }
    g_window = CreateWindowA(
        "DNSLOOK", "DNS Window", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
    return g_window;
}

// One pass of the wait: the client's pump (a stop request sets the abort
// flag); without one, the DNS window's own answers are dispatched here.
static void PumpOnce(HWND window) {
    if (CallProgressTick() == PROGRESS_NO_CALLBACK) {
        MSG msg;
        while (PeekMessageA(&msg, window, WM_DNS_ANSWER, WM_DNS_ANSWER, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
}

void DnsLookup_AskWindow(DnsRun* run, DNSFifoEntry* e, DnsRingStats* stats) {
    const WinsockApi& r = DnsLookup_Resolver();
    // The run made the window; made here only when it is gone.
    HWND window = g_window && IsWindow(g_window) ? g_window : CreateDNSWindow();
    e->hostBuffer = static_cast<char*>(calloc(MAXGETHOSTSTRUCT, 1));
    if (!window || !e->hostBuffer || !r.WSAAsyncGetHostByAddr) {
        free(e->hostBuffer);
        e->hostBuffer = NULL;
        DnsEntry_Publish(e, DNS_STATE_FAILED);
        return;
    }
    g_answered = FALSE;
    DnsEntry_Publish(e, DNS_STATE_RUNNING);
    DWORD address = e->address;
    HANDLE request = r.WSAAsyncGetHostByAddr(window, WM_DNS_ANSWER, (const char*)&address, 4,
                                             AF_INET, e->hostBuffer, MAXGETHOSTSTRUCT);
    if (!request) { // refused: no answer will ever come
        free(e->hostBuffer);
        e->hostBuffer = NULL;
        DnsEntry_Publish(e, DNS_STATE_FAILED);
        return;
    }
    e->request = request;
    DWORD start = GetTickCount();
    while (!g_answered) {
        if (GetTickCount() - start > run->timeoutMs) {
            stats->timeouts++;
            stats->lastError = 65535;
            g_answered = TRUE;
            e->request = (HANDLE)-1;
            DnsEntry_Publish(e, DNS_STATE_TIMED_OUT);
            r.WSACancelAsyncRequest(request);
            // A cancelled request may still be answered into its buffer, so
            // the buffer is left to it.
            e->hostBuffer = NULL;
            return;
        }
        PumpOnce(window);
    }
    hostent* host = reinterpret_cast<hostent*>(e->hostBuffer);
    if (DnsEntry_State(e) == DNS_STATE_RESOLVED && host->h_name && host->h_name[0])
        DnsLookup_PutName(e, host->h_name);
    free(e->hostBuffer);
    e->hostBuffer = NULL;
}

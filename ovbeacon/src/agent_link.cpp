#include "agent_link.h"

#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "agent_state.h"
#include "trace.h"
#include "trap_queue.h"

namespace ovbeacon {

namespace {

constexpr DWORD kRetryMs = 100;
constexpr DWORD kAnswerMs = 1000;
constexpr DWORD kMutexMs = 1000;

struct LinkObjects {
    HANDLE map = nullptr;
    AgentRequestBlock* view = nullptr;
    HANDLE mutex = nullptr;
    HANDLE getRequest = nullptr;
    HANDLE getResponse = nullptr;
    HANDLE trapRequest = nullptr;
    HANDLE trapResponse = nullptr;
};

// Written by the worker under the exclusive lock; a get exchange holds it
// shared, so the objects never close under it.
SRWLOCK g_linkLock = SRWLOCK_INIT;
LinkObjects g_link;
volatile LONG g_connected = 0;
HANDLE g_stop = nullptr;

void CloseLink(LinkObjects* o) {
    for (HANDLE h : {o->mutex, o->getRequest, o->getResponse, o->trapRequest, o->trapResponse})
        if (h)
            CloseHandle(h);
    if (o->view)
        UnmapViewOfFile(o->view);
    if (o->map)
        CloseHandle(o->map);
    *o = LinkObjects();
}

HANDLE OpenNamedEvent(const char* format) {
    char name[64];
    snprintf(name, sizeof name, format, Agent().instance);
    return OpenEventA(EVENT_ALL_ACCESS, FALSE, name);
}

// Opens every object or none.
bool OpenLink(LinkObjects* o) {
    char name[64];
    snprintf(name, sizeof name, kMapNameFormat, Agent().instance);
    o->map = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (!o->map)
        return false;
    o->view = static_cast<AgentRequestBlock*>(
        MapViewOfFile(o->map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(AgentRequestBlock)));
    snprintf(name, sizeof name, kMutexNameFormat, Agent().instance);
    o->mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name);
    o->getRequest = OpenNamedEvent(kGetRequestFormat);
    o->getResponse = OpenNamedEvent(kGetResponseFormat);
    o->trapRequest = OpenNamedEvent(kTrapRequestFormat);
    o->trapResponse = OpenNamedEvent(kTrapResponseFormat);
    if (o->view && o->mutex && o->getRequest && o->getResponse && o->trapRequest && o->trapResponse)
        return true;
    CloseLink(o);
    return false;
}

bool Connect() {
    LinkObjects opened;
    if (!OpenLink(&opened))
        return false;
    AcquireSRWLockExclusive(&g_linkLock);
    g_link = opened;
    InterlockedExchange(&g_connected, 1);
    ReleaseSRWLockExclusive(&g_linkLock);
    Trace("ovbeacon: IPC Objects Opened!\r\n");
    return true;
}

void Disconnect() {
    AcquireSRWLockExclusive(&g_linkLock);
    InterlockedExchange(&g_connected, 0);
    CloseLink(&g_link);
    ReleaseSRWLockExclusive(&g_linkLock);
}

// A trap request: the trap number in decimal, blanks, then the trap's text.
void TakeTrapRequest() {
    AgentRequestBlock block;
    memcpy(&block, g_link.view, sizeof block);
    block.value[kValueSize - 1] = '\0';
    if (block.instance != Agent().instance || block.kind != kKindTrap)
        return;
    const char* text = block.value + strspn(block.value, "0123456789");
    text += strspn(text, " \t");
    PushTrap(atoi(block.value), text);
    SetEvent(Agent().trapEvent);
}

// Waits for the stop event; true when it came.
bool StopWithin(DWORD ms) {
    return WaitForSingleObject(g_stop, ms) == WAIT_OBJECT_0;
}

DWORD WINAPI AgentWorkerThread(LPVOID module) {
    Trace("ovbeacon: Thread Started\r\n");
    while (!StopWithin(0)) {
        if (!InterlockedCompareExchange(&g_connected, 0, 0)) {
            if (!Connect() && StopWithin(kRetryMs))
                break;
            continue;
        }
        HANDLE waits[2] = {g_stop, g_link.trapRequest};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            break;
        Trace("ovbeacon %u: Trap Request\r\n", Agent().instance);
        TakeTrapRequest();
        SetEvent(g_link.trapResponse);
    }
    Disconnect();
    Trace("ovbeacon: Thread Terminated\r\n");
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

} // namespace

bool StartAgentWorker() {
    if (!g_stop)
        g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HMODULE self = nullptr;
    if (!g_stop || !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                       reinterpret_cast<LPCSTR>(&AgentWorkerThread), &self))
        return false;
    HANDLE thread = CreateThread(nullptr, 0, AgentWorkerThread, self, 0, nullptr);
    if (!thread) {
        FreeLibrary(self);
        return false;
    }
    CloseHandle(thread);
    return true;
}

void StopAgentWorker() {
    if (g_stop)
        SetEvent(g_stop);
}

int ForwardAgentRequest(AgentRequestBlock* block) {
    int result = -1;
    AcquireSRWLockShared(&g_linkLock);
    DWORD got = WAIT_FAILED;
    if (InterlockedCompareExchange(&g_connected, 0, 0))
        got = WaitForSingleObject(g_link.mutex, kMutexMs);
    // An owner that died leaves the mutex abandoned but ours.
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) {
        // A late answer to an earlier request must not satisfy this one.
        ResetEvent(g_link.getResponse);
        memcpy(g_link.view, block, sizeof *block);
        g_link.view->instance = Agent().instance;
        SetEvent(g_link.getRequest);
        DWORD answered = WaitForSingleObject(g_link.getResponse, kAnswerMs);
        ResetEvent(g_link.getRequest);
        if (answered == WAIT_OBJECT_0) {
            memcpy(block, g_link.view, sizeof *block);
            block->suffix[kSuffixSize - 1] = '\0';
            block->value[kValueSize - 1] = '\0';
            result = 0;
        }
        ReleaseMutex(g_link.mutex);
    }
    ReleaseSRWLockShared(&g_linkLock);
    Trace("ovbeacon: Get Response: oid=%s, rc=%u\r\n", block->suffix,
          static_cast<unsigned>(result));
    return result;
}

} // namespace ovbeacon

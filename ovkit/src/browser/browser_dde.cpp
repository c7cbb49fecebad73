#include "browser_dde.h"
#include "ovkit/ui_helpers.h"
#include "ovkit/text_copy.h"
#include <ddeml.h>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

const DWORD kTimeoutMs = 60000;
const char kFallbackItem[] = "Ostrevane";

HDDEDATA CALLBACK DdeCallBack(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// One text request to service/topic; true when a reply came.
bool AskBrowser(DWORD instance, const char* service, const char* topic, const char* item) {
    HSZ hService = DdeCreateStringHandleA(instance, service, CP_WINANSI);
    HSZ hTopic = DdeCreateStringHandleA(instance, topic, CP_WINANSI);
    HSZ hItem = DdeCreateStringHandleA(instance, item, CP_WINANSI);
    bool answered = false;
    if (hService && hTopic && hItem) {
        HCONV conversation = DdeConnect(instance, hService, hTopic, nullptr);
        if (conversation) {
            HDDEDATA reply = DdeClientTransaction(nullptr, 0, conversation, hItem, CF_TEXT,
                                                  XTYP_REQUEST, kTimeoutMs, nullptr);
            if (reply) {
                // The browser's window id; not needed.
                DWORD windowId = 0;
                DdeGetData(reply, reinterpret_cast<LPBYTE>(&windowId), sizeof windowId, 0);
                DdeFreeDataHandle(reply);
                answered = true;
            }
            DdeDisconnect(conversation);
        }
    }
    for (HSZ handle : {hService, hTopic, hItem})
        if (handle)
            DdeFreeStringHandle(instance, handle);
    return answered;
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    return _strnicmp(text, prefix, std::strlen(prefix)) == 0;
}

// The URL in double quotes, then the partner's own arguments; a URL too long
// for an item gives the fallback item.
void MakeItem(char* out, size_t size, const char* url, const char* tail) {
    int n = std::snprintf(out, size, "\"%s\"%s", url, tail);
    if (n < 0 || static_cast<size_t>(n) >= size)
        OvkitCopyPart(out, size, kFallbackItem, sizeof kFallbackItem - 1);
}

} // namespace

void OvkitBrowserDdeUrl(const char* address, char* out, size_t size) {
    if (!out || size == 0)
        return;
    out[0] = '\0';
    if (!address)
        return;
    if (StartsWithNoCase(address, "ftp:") || StartsWithNoCase(address, "http")) {
        OvkitCopyPart(out, size, address, std::strlen(address));
        return;
    }
    OvkitCopyPart(out, size, "file:///", 8);
    OvkitAppendText(out, size, address);
    // The drive's colon stands right behind the drive letter, the tenth character.
    if (std::strlen(out) > 9 && out[9] == ':')
        out[9] = '|';
    for (char* p = out; *p; ++p)
        if (*p == '\\')
            *p = '/';
}

namespace {

struct DdeRequest {
    const char* address;
    BOOL opened;
};

BOOL AskBrowsers(const char* address) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, DdeCallBack, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return FALSE;
    // Brings a running browser to the front; whether it answers does not matter.
    const char activate[] = "0xFFFFFFFF,0";
    if (!AskBrowser(instance, "NETSCAPE", "WWW_Activate", activate))
        AskBrowser(instance, "MOSAIC", "WWW_Activate", activate);

    char url[1024];
    OvkitBrowserDdeUrl(address, url, sizeof url);
    char item[1200];
    MakeItem(item, sizeof item, url, ",\"\",0,1|2,\"\",\"\",\"\"");
    bool opened = AskBrowser(instance, "NETSCAPE", "WWW_OpenURL", item);
    if (!opened) {
        MakeItem(item, sizeof item, url, ",\"\",0xFFFFFFFF,0,\"\",\"\",\"\",\"Ostrevane\"");
        opened = AskBrowser(instance, "IEXPLORE", "WWW_OpenURL", item);
    }
    DdeUninitialize(instance);
    return opened ? TRUE : FALSE;
}

DWORD WINAPI DdeThread(void* parameter) {
    DdeRequest* request = static_cast<DdeRequest*>(parameter);
    request->opened = AskBrowsers(request->address);
    return 0;
}

} // namespace

// The conversations run on a thread of their own: the client windows that a
// failed connection may leave behind go with it. The caller keeps dispatching
// its messages meanwhile, since a DDE connection is announced to every
// top-level window.
BOOL OpenURLByDde(const char* address) {
    DdeRequest request = {address, FALSE};
    HANDLE thread = CreateThread(nullptr, 0, DdeThread, &request, 0, nullptr);
    if (!thread)
        return AskBrowsers(address);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        OVKIT_MyPeekMessage();
    CloseHandle(thread);
    return request.opened;
}

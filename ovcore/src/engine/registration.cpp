// Client registration: slots, the settings registration reads, the DNS ring
// and the network binding.
#include "ovcore/registration.h"

#include <stdlib.h>
#include <string.h>

#include "dns/dns_cache.h"
#include "dns/dns_ring.h"
#include "core/data_folder.h"
#include "core/engine_settings_store.h"
#include "core/engine_state.h"
#include "core/gsw_binding.h"
#include "core/net_binding.h"
#include "core/text_cache.h"
#include "engine/settings_load.h"
#include "fetch/fetch_state.h"
#include "logparse/parse_engine.h"
#include "ovcore/netsettings.h"
#include "ovcore/settings.h"
#include "run/run_setup.h"
#include "write/report_output.h"

ORB_ERRORDISPLAYPROC glpfnDisplayReportError = NULL;

// Allocates the ring of the configured size. The old ring is replaced only
// once the new one exists, so a failed registration keeps what was there.
static BOOL AllocateDnsRing(void) {
    return DnsRing_Allocate(EngineSettings_RingEntries());
}

static void FirstRegistration(void) {
    EngineState& s = Engine_State();
    TextCache_Clear();
    EngineSettings_Load(ENGINE_SETTINGS_INTL);
    for (int i = 0; i < ENGINE_CLIENT_SLOTS; ++i)
        s.slots[i].inUse = 0;
    s.registrationCount = 0;
}

static int FreeSlot(void) {
    EngineState& s = Engine_State();
    for (int i = 0; i < ENGINE_CLIENT_SLOTS; ++i)
        if (!s.slots[i].inUse)
            return i;
    return -1;
}

static void LoadNameTexts(void) {
    EngineState& s = Engine_State();
    s.noSuffixText = LoadCachedString(5615);
    s.numericAddressText = LoadCachedString(5614);
    s.unknownCountryText = LoadCachedString(5616);
}

ORB_EXPORT(short)
ORB_Register(const char* dataFolder, int timeout, int clientId, ORB_PUMPPROC pump,
             DWORD* networkStatus, HINSTANCE resources, DWORD_PTR /*reserved*/, HANDLE token,
             ORB_ERRORDISPLAYPROC errorDisplay) {
    EngineState& s = Engine_State();
    SetRunReportOpener(OpenRunReport); // runs set up for a report get the writer's state
    char folder[MAX_PATH];
    if (!DataFolder_Normalize(dataFolder, folder))
        return ORB_FAIL;
    Fetch_GetFetchedServerList(); // receives the logs fetched from remote servers
    s.impersonationToken = token;
    s.errorDisplay = errorDisplay;
    glpfnDisplayReportError = errorDisplay;
    s.clientResources = resources;
    char basePath[MAX_PATH];
    GetBaseIniPath(basePath);
    // Kept open when another client opened it: reopening would drop the names
    // added since without writing them to the index.
    if (!DNSCache_IsOn())
        LoadDNSCache(folder); // off when its files cannot be opened; runs retry
    lstrcpynA(s.dnsCacheFolder, folder, MAX_PATH);
    EngineSettings_Load(ENGINE_SETTINGS_DEFAULTS);
    if (!AllocateDnsRing())
        return ORB_FAIL;
    if (s.registrationCount == 0xFFFF)
        FirstRegistration();
    if (s.registrationCount + 1 >= ENGINE_CLIENT_SLOTS)
        return ORB_FAIL;
    int slot = FreeSlot();
    if (slot < 0)
        return ORB_FAIL;
    s.registrationCount++;
    s.slots[slot].clientId = (WORD)clientId;
    lstrcpynA(s.dataFolder, folder, MAX_PATH);
    s.slots[slot].networkStatus = ACP_Register((WORD)timeout, pump, networkStatus);
    if (s.slots[slot].networkStatus == -1)
        return ORB_FAIL;
    s.slots[slot].inUse = 1;
    LoadNameTexts();
    return (short)slot;
}

ORB_EXPORT(short) ACP_Register(WORD /*ignored*/, ORB_PUMPPROC pump, DWORD* networkStatus) {
    EngineState& s = Engine_State();
    if (networkStatus) {
        s.networkBound = NetBinding_Bind();
        *networkStatus = (DWORD)s.networkBound;
    }
    s.progressSlot1 = NULL;
    s.progressSlot2 = NULL;
    s.progressSlot3 = pump;
    s.registeredPump = pump;
    return 0;
}

ORB_EXPORT(short) ACP_DeRegister(WORD /*ignored*/) {
    ReleaseGSWLibrary(1);
    NetBinding_Unbind();
    Engine_State().networkBound = 0;
    return 0;
}

// Removes the fetch listing-state files ("*.dir") of the data folder with
// the copies they name.
static void DeleteListingFiles(const char* folder) {
    char pattern[MAX_PATH];
    if (strlen(folder) + 5 >= MAX_PATH)
        return;
    wsprintfA(pattern, "%s*.dir", folder);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        char path[MAX_PATH];
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            strlen(folder) + strlen(found.cFileName) >= MAX_PATH)
            continue;
        wsprintfA(path, "%s%s", folder, found.cFileName);
        DeleteDownloadedFiles(path);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

static BOOL AnySlotInUse(void) {
    EngineState& s = Engine_State();
    for (int i = 0; i < ENGINE_CLIENT_SLOTS; ++i)
        if (s.slots[i].inUse)
            return TRUE;
    return FALSE;
}

// What all clients share goes only with the last of them.
static void ReleaseEngineResources(void) {
    EngineState& s = Engine_State();
    TextCache_Clear();
    s.numericAddressText = s.noSuffixText = s.unknownCountryText = NULL;
    CloseDNSCache();
    DnsRing_Release(); // before WinSock goes: look-up threads may be in flight
    ACP_DeRegister(0);
    Fetch_ReleaseEngineResources();
}

ORB_EXPORT(void) ORB_DeRegister(short slot) {
    EngineState& s = Engine_State();
    if (slot < 0 || slot >= ENGINE_CLIENT_SLOTS || !s.slots[slot].inUse)
        return;
    if (Engine_Settings().net.DownloadMode != ENGINE_FTP_DOWNLOAD_DETECT)
        DeleteListingFiles(s.dataFolder);
    s.slots[slot].inUse = 0;
    if (!AnySlotInUse())
        ReleaseEngineResources();
}

void Engine_ResetLibraryState(void) {
    for (short i = 0; i < ENGINE_CLIENT_SLOTS; ++i)
        ORB_DeRegister(i);
    ReleaseEngineResources();
    Engine_RestoreDefaults();
    EngineSettings_Reset();
    glpfnDisplayReportError = NULL;
    LogParse_SetErrorDisplay(NULL);
}

// Engine-wide state shared by every registered client: what registration
// keeps. Other areas read it through Engine_State(); the settings read from
// files are in the settings snapshot (core/engine_settings.h).
#pragma once
#include "ovcore/netsettings.h"
#include "ovcore/registration.h"

struct ServerList;

// Size of one DNS ring entry.
#define ENGINE_DNS_ENTRY_SIZE 48
#define ENGINE_DNS_RING_DEFAULT 2000
#define ENGINE_CLIENT_SLOTS 4
// In this FTP download mode the fetch listing files outlive a deregistration.
#define ENGINE_FTP_DOWNLOAD_DETECT DOWNLOAD_DETECT

struct EngineClientSlot {
    LONG inUse;
    WORD clientId;
    short networkStatus; // ACP_Register's result
};

struct EngineState {
    HINSTANCE engineInstance;  // ovcore's own module
    HINSTANCE clientResources; // texts and "TEXT" resources come from here
    HANDLE impersonationToken; // for the charting library start
    ORB_ERRORDISPLAYPROC errorDisplay;
    ORB_PUMPPROC registeredPump; // restored into slot 3 after each call

    // Progress slots tried by the report run's waits, in this order.
    ORB_UPDATEPROGRESSPROC progressSlot1;
    ORB_PERCENTPROC progressSlot2;
    ORB_PUMPPROC progressSlot3;

    EngineClientSlot slots[ENGINE_CLIENT_SLOTS];
    WORD registrationCount; // 65535: no registration yet; never lowered

    // Registered data folder (ends in a backslash) and its copy for the DNS cache.
    char dataFolder[MAX_PATH];
    char dnsCacheFolder[MAX_PATH];

    // The DNS ring: dnsRingEntries entries of ENGINE_DNS_ENTRY_SIZE bytes.
    BYTE* dnsRing;
    DWORD dnsRingEntries;

    int networkBound; // 1: WinSock and FTP4W32 are both bound

    // Texts put into hits whose address is not resolved (strings 5614-5616),
    // null while no client is registered.
    const char* numericAddressText;
    const char* noSuffixText;
    const char* unknownCountryText;

    // Receives fetched remote logs; made on first use, freed with the last
    // client slot.
    ServerList* fetchServerList;
};

EngineState& Engine_State();
// Every value back to its documented default, as at library load. Only for
// an engine that holds nothing (no slot, ring or server list).
void Engine_RestoreDefaults(void);

// Returns the engine to the state of a freshly loaded library: every slot
// and engine-wide resource released, the registration counter back at 65535,
// the settings snapshot at its defaults. For test
// programs, which hold the engine for their whole run.
void Engine_ResetLibraryState(void);

// The engine's settings snapshot: every value the engine takes from its
// settings files and from the Windows [intl] section, as plain values, so
// that no hit reads a file. engine/settings_load.cpp loads it (at
// registration and at the settings reload); every other area reads it
// through Engine_Settings() and never writes it.
#pragma once
#include "ovcore/netsettings.h"
#include "ovkit/intl_texts.h"

// The module's [Defaults] values that every registration reads.
struct EngineDefaults {
    int disableServerLookup;
    DWORD logFileReloadSize; // 1000000
    int disableColdFusion;
    int useHTMLTitleExtensions;
    int overrideIISHomePage;
    int forceSlowDNS;
    int forceFastDNS;
    int maxDNSThreads;
    DWORD dnsTimeoutMs; // DNSTimeout is in seconds, 25
};

struct EngineSettings {
    EngineDefaults defaults;
    // The Windows [intl] values as read at the first registration, and the
    // values after the module's own [intl] overrides (the line parsers').
    OvkitIntlSettings systemIntl;
    OvkitIntlSettings intl;
    // Network, mail, cookie and FTP values: the settings reload reads them.
    NetSettings net;
};

// The current snapshot; its documented defaults until the first load.
const EngineSettings& Engine_Settings();

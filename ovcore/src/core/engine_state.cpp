#include "core/engine_state.h"

#include <string.h>

// The values a freshly loaded engine works with, before any registration or
// settings reload: the documented defaults, never zeros.
static EngineState Defaults(void) {
    EngineState s = {};
    s.registrationCount = 0xFFFF;
    s.dnsRingEntries = ENGINE_DNS_RING_DEFAULT;
    s.logFileReloadSize = 1000000;
    s.dnsTimeoutMs = 25000;
    s.ftpDownloadMode = DOWNLOAD_DETECT;
    strcpy(s.systemSDate, "/");
    strcpy(s.systemSTime, ":");
    strcpy(s.sDate, "/");
    strcpy(s.sTime, ":");
    return s;
}

static EngineState g_engine = Defaults();

EngineState& Engine_State() {
    return g_engine;
}

void Engine_RestoreDefaults(void) {
    g_engine = Defaults();
}

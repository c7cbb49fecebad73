#include "core/engine_state.h"

static EngineState g_engine = [] {
    EngineState s = {};
    s.registrationCount = 0xFFFF;
    s.dnsRingEntries = ENGINE_DNS_RING_DEFAULT;
    s.logFileReloadSize = 1000000;
    s.dnsTimeoutMs = 25000;
    return s;
}();

EngineState& Engine_State() {
    return g_engine;
}

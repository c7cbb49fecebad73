#include "core/engine_state.h"

// The state of a freshly loaded engine, before any registration.
static EngineState Defaults(void) {
    EngineState s = {};
    s.registrationCount = 0xFFFF;
    s.dnsRingEntries = ENGINE_DNS_RING_DEFAULT;
    return s;
}

static EngineState g_engine = Defaults();

EngineState& Engine_State() {
    return g_engine;
}

void Engine_RestoreDefaults(void) {
    g_engine = Defaults();
}

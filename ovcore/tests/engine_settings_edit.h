// Tests change the engine's settings snapshot through its one writer.
#pragma once
#include "core/engine_settings_store.h"
#include "logparse/parse_engine.h"

// Applies change to a copy of the snapshot and puts the copy in its place.
template <class Change> void EditEngineSettings(Change change) {
    EngineSettings s = Engine_Settings();
    change(s);
    EngineSettings_Replace(s);
}

// What the line parsers read back at its defaults: the settings snapshot and
// the error display.
inline void ResetParserSettings() {
    EngineSettings_Reset();
    LogParse_SetErrorDisplay(nullptr);
}

// Writing the settings snapshot: only its loader (engine/settings_load.cpp),
// the engine's reset and tests include this header.
#pragma once
#include "core/engine_settings.h"

// The values a freshly loaded engine works with, before any load: the
// documented defaults, never zeros.
EngineSettings EngineSettings_Defaults(void);
NetSettings EngineSettings_NetDefaults(void);
// Replaces the whole snapshot.
void EngineSettings_Replace(const EngineSettings& settings);
// Back to the defaults, as at library load.
void EngineSettings_Reset(void);

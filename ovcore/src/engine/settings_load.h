// Loading the engine's settings snapshot (core/engine_settings.h) from the
// settings files: the one place that fills it.
#pragma once

// The parts of the snapshot a load reads.
enum EngineSettingsPart {
    ENGINE_SETTINGS_DEFAULTS = 1, // the module's [Defaults]: every registration
    ENGINE_SETTINGS_INTL = 2,     // Windows [intl] and the module's overrides: the first one
    ENGINE_SETTINGS_NETWORK = 4,  // network, mail, cookie and FTP: the settings reload
};

// Reads the given parts (EngineSettingsPart flags) and replaces them in the
// snapshot; the other parts keep their values.
void EngineSettings_Load(unsigned parts);
// [Defaults] DNSLookupQueueSize, default the current ring size; 1 or less
// gives 2. Read when a registration sizes the DNS ring.
unsigned long EngineSettings_RingEntries(void);

// Settings that registration reads into the engine state.
#pragma once

// Module [Defaults] values, re-read by every registration.
void EngineSettings_ReadDefaults(void);
// DNSLookupQueueSize, default the current ring size; 1 or less gives 2.
unsigned long EngineSettings_RingEntries(void);
// The system [intl] date order and separators and the module's overrides;
// read once in the library's life (the first registration).
void EngineSettings_ReadIntl(void);

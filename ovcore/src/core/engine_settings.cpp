#include "core/engine_settings.h"

#include "core/engine_state.h"
#include "ovcore/settings.h"

static int ModuleDefault(const char* key, int def) {
    return GetModuleProfileInt("Defaults", key, def);
}

void EngineSettings_ReadDefaults(void) {
    EngineState& s = Engine_State();
    s.disableServerLookup = ModuleDefault("DisableServerLookup", 0);
    s.logFileReloadSize = (DWORD)ModuleDefault("LogFileReloadSize", 1000000);
    s.disableColdFusion = ModuleDefault("DisableColdFusion", 0);
    s.useHTMLTitleExtensions = ModuleDefault("UseHTMLTitleExtensions", 0);
    s.overrideIISHomePage = ModuleDefault("OverrideIISHomePage", 0);
    s.forceSlowDNS = ModuleDefault("ForceSlowDNS", 0);
    s.forceFastDNS = ModuleDefault("ForceFastDNS", 0);
    s.maxDNSThreads = ModuleDefault("MaxDNSThreads", 0);
    s.dnsTimeoutMs = (DWORD)ModuleDefault("DNSTimeout", 25) * 1000;
}

unsigned long EngineSettings_RingEntries(void) {
    int entries = ModuleDefault("DNSLookupQueueSize", (int)Engine_State().dnsRingEntries);
    return entries <= 1 ? 2 : (unsigned long)entries;
}

// One separator character; an empty text keeps the fallback.
static void ReadSeparator(char* out, const char* text, const char* fallback) {
    out[0] = text[0] ? text[0] : fallback[0];
    out[1] = 0;
}

void EngineSettings_ReadIntl(void) {
    EngineState& s = Engine_State();
    char text[8];
    s.systemIDate = GetProfileIntA("intl", "iDate", 0);
    GetProfileStringA("intl", "sDate", "/", text, sizeof(text));
    ReadSeparator(s.systemSDate, text, "/");
    GetProfileStringA("intl", "sTime", ":", text, sizeof(text));
    ReadSeparator(s.systemSTime, text, ":");

    int iDate = GetModuleProfileInt("intl", "iDate", 99);
    s.iDate = iDate == 99 ? s.systemIDate : iDate;
    GetModuleProfileString("intl", "sDate", "", text, sizeof(text));
    ReadSeparator(s.sDate, text, s.systemSDate);
    GetModuleProfileString("intl", "sTime", "", text, sizeof(text));
    ReadSeparator(s.sTime, text, s.systemSTime);
}

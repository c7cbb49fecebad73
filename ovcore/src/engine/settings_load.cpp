// The engine's settings snapshot from the settings files, and the settings
// reload.
#include "engine/settings_load.h"

#include "core/engine_settings_store.h"
#include "core/engine_state.h"
#include "fetch/title_cache.h"
#include "netsettings/net_settings_read.h"
#include "ovcore/settings.h"

static int ModuleDefault(const char* key, int def) {
    return GetModuleProfileInt("Defaults", key, def);
}

static void ReadDefaults(EngineDefaults* d) {
    d->disableServerLookup = ModuleDefault("DisableServerLookup", 0);
    d->logFileReloadSize = (DWORD)ModuleDefault("LogFileReloadSize", 1000000);
    d->disableColdFusion = ModuleDefault("DisableColdFusion", 0);
    d->useHTMLTitleExtensions = ModuleDefault("UseHTMLTitleExtensions", 0);
    d->overrideIISHomePage = ModuleDefault("OverrideIISHomePage", 0);
    d->forceSlowDNS = ModuleDefault("ForceSlowDNS", 0);
    d->forceFastDNS = ModuleDefault("ForceFastDNS", 0);
    d->maxDNSThreads = ModuleDefault("MaxDNSThreads", 0);
    d->dnsTimeoutMs = (DWORD)ModuleDefault("DNSTimeout", 25) * 1000;
}

// The module's [intl] overrides the system's: iDate 99 or an empty separator
// keeps the system's value.
static void ReadIntl(EngineSettings* s) {
    s->systemIntl = OvkitReadIntlSettings();
    const OvkitIntlSettings& system = s->systemIntl;
    int iDate = GetModuleProfileInt("intl", "iDate", 99);
    char sDate[8], sTime[8];
    GetModuleProfileString("intl", "sDate", "", sDate, sizeof(sDate));
    GetModuleProfileString("intl", "sTime", "", sTime, sizeof(sTime));
    const char systemDate[2] = {system.DateSeparator, 0}, systemTime[2] = {system.TimeSeparator, 0};
    s->intl = OvkitMakeIntlSettings(iDate == 99 ? system.Order : iDate,
                                    sDate[0] ? sDate : systemDate, sTime[0] ? sTime : systemTime);
}

void EngineSettings_Load(unsigned parts) {
    EngineSettings s = Engine_Settings();
    if (parts & ENGINE_SETTINGS_DEFAULTS)
        ReadDefaults(&s.defaults);
    if (parts & ENGINE_SETTINGS_INTL)
        ReadIntl(&s);
    if (parts & ENGINE_SETTINGS_NETWORK)
        NetSettings_Read(&s.net);
    EngineSettings_Replace(s);
}

unsigned long EngineSettings_RingEntries(void) {
    int entries = ModuleDefault("DNSLookupQueueSize", (int)Engine_State().dnsRingEntries);
    return entries <= 1 ? 2 : (unsigned long)entries;
}

ORB_EXPORT(short) ORB_NotifyIniFileChanged(DWORD_PTR /*unused*/) {
    // The cache is written with the old size and read again with the new
    // size and lifespan: a change takes effect at once.
    SaveTitleCache();
    EngineSettings_Load(ENGINE_SETTINGS_NETWORK);
    LoadTitleCache();
    return 0;
}

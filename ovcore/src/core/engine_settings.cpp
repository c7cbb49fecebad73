#include "core/engine_settings_store.h"

#include <string.h>

NetSettings EngineSettings_NetDefaults(void) {
    NetSettings s = {};
    s.FetchTimeoutSeconds = 30;
    s.ProxyAddress = NETSETTINGS_PROXY_UNRESOLVED;
    strcpy(s.MailType, "SMTP");
    strcpy(s.MailSubject, "Ostrevane Report");
    strcpy(s.SMTPServer, NETSETTINGS_DEFAULT_MAIL_HOST);
    s.MailTimeout = 60;
    s.DownloadMode = DOWNLOAD_DETECT;
    s.CookieEnable = TRUE;
    s.CookieValidate = TRUE;
    s.TitleCacheSize = 500;
    s.TitleCacheLifespan = 86400;
    return s;
}

EngineSettings EngineSettings_Defaults(void) {
    EngineSettings s = {};
    s.defaults.logFileReloadSize = 1000000;
    s.defaults.dnsTimeoutMs = 25000;
    s.systemIntl = OvkitMakeIntlSettings(0, "/", ":");
    s.intl = s.systemIntl;
    s.net = EngineSettings_NetDefaults();
    return s;
}

static EngineSettings g_settings = EngineSettings_Defaults();

const EngineSettings& Engine_Settings() {
    return g_settings;
}

void EngineSettings_Replace(const EngineSettings& settings) {
    g_settings = settings;
}

void EngineSettings_Reset(void) {
    g_settings = EngineSettings_Defaults();
}

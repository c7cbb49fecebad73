// Program settings: 53 keys of the old settings files, each written to the
// new base or module settings file under the same section and key. An empty
// or missing old value leaves the new key as it is.
#include "carry_state.h"
#include "carry_steps.h"
#include "please_wait.h"
#include "ovcore/settings.h"

#define SETTING_VALUE_SIZE 300

enum SettingsFile { MODULE_KEY, BASE_KEY };

struct SettingKey {
    const char* Section;
    const char* Key;
    SettingsFile File;
};

static const SettingKey kKeys[] = {
    {"Report", "Last Summary", MODULE_KEY},
    {"Report", "Last View", MODULE_KEY},
    {"Report", "Graph Type", MODULE_KEY},
    {"Defaults", "CachedTime", MODULE_KEY},
    {"Defaults", "MaxCachedCount", MODULE_KEY},
    {"Defaults", "MaxTopCount", MODULE_KEY},
    {"Defaults", "DownloadTypes", MODULE_KEY},
    {"Defaults", "DocumentTypes", MODULE_KEY},
    {"Defaults", "USDomains", MODULE_KEY},
    {"Defaults", "RTRange", MODULE_KEY},
    {"Defaults", "gov_OrgType", MODULE_KEY},
    {"Defaults", "mil_OrgType", MODULE_KEY},
    {"Defaults", "net_OrgType", MODULE_KEY},
    {"Defaults", "org_OrgType", MODULE_KEY},
    {"Defaults", "int_OrgType", MODULE_KEY},
    {"Defaults", "arpa_OrgType", MODULE_KEY},
    {"Defaults", "edu_OrgType", MODULE_KEY},
    {"Defaults", "com_OrgType", MODULE_KEY},
    {"Defaults", "AutoDetectLogFiles", BASE_KEY},
    {"Defaults", "FTPDownload", MODULE_KEY},
    {"Defaults", "DisableScheduledItems", BASE_KEY},
    {"Defaults", "DNSCacheEntries", MODULE_KEY},
    {"Defaults", "ListRefreshRate", BASE_KEY},
    {"Defaults", "NoHTMLTitles", MODULE_KEY},
    {"Defaults", "TitleCacheSize", MODULE_KEY},
    {"Defaults", "TitleCacheLifespan", MODULE_KEY},
    {"Defaults", "ProxyEnable", BASE_KEY},
    {"Defaults", "HTTPProxy", BASE_KEY},
    {"Defaults", "HTTPProxyAuth", BASE_KEY},
    {"Defaults", "FTPProxy", BASE_KEY},
    {"Defaults", "CPUUsage", MODULE_KEY},
    {"Defaults", "RTTemplate", MODULE_KEY},
    {"Defaults", "WebEnable", BASE_KEY},
    {"Defaults", "WebAddress", BASE_KEY},
    {"Defaults", "WebAdmin", BASE_KEY},
    {"Defaults", "WebNoReports", BASE_KEY},
    {"Defaults", "WebNoDays", BASE_KEY},
    {"Defaults", "WebLogging", BASE_KEY},
    {"Defaults", "WebAllowReport", BASE_KEY},
    {"Language", "Country", BASE_KEY},
    {"Main", "Author", MODULE_KEY},
    {"Main", "Company", MODULE_KEY},
    {"Browser", "Path", BASE_KEY},
    {"RepaintInfoSection", "DrawSubliminals", BASE_KEY},
    {"eMail", "eMailType", BASE_KEY},
    {"eMail", "Subject", BASE_KEY},
    {"eMail", "SMTPServer", BASE_KEY},
    {"eMail", "From", BASE_KEY},
    {"eMail", "ReplyTo", BASE_KEY},
    {"eMail", "MAPIProfile", BASE_KEY},
    {"eMail", "MAPIPassword", BASE_KEY},
    {"Cookie", "Enable", MODULE_KEY},
    {"Cookie", "Validate", MODULE_KEY},
};
static_assert(sizeof kKeys / sizeof kKeys[0] == 53, "every settings key");

void ImportSettings(void) {
    char base[MAX_PATH], module[MAX_PATH];
    JoinPath(base, g_carry.OldFolder, "ostrevan.ini");
    JoinPath(module, g_carry.OldFolder, g_carry.Newer ? "ovdesk\\ovdesk.ini" : "ostrevan.ini");
    ShowImportFile(base);
    for (const SettingKey& k : kKeys) {
        char value[SETTING_VALUE_SIZE];
        GetPrivateProfileStringA(k.Section, k.Key, "", value, sizeof value,
                                 k.File == BASE_KEY ? base : module);
        if (!value[0])
            continue;
        if (k.File == BASE_KEY)
            WriteBaseProfileString(k.Section, k.Key, value);
        else
            WriteModuleProfileString(k.Section, k.Key, value);
    }
}

// The network and mail settings: their defaults and their reload.
#include "ovcore/netsettings.h"
#include "ovcore/settings.h"
#include "core/engine_state.h"
#include "logparse/parse_settings.h"
#include "fetch/title_cache.h"
#include "netsettings/base64.h"
#include <stdio.h>
#include <string.h>

namespace {

const DWORD kProxyUnresolved = 0xFFFFFFFF;

// The values a freshly loaded engine works with, before the first reload.
NetSettings Defaults() {
    NetSettings s = {};
    s.FetchTimeoutSeconds = 30;
    s.ProxyAddress = kProxyUnresolved;
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

NetSettings g_settings = Defaults();

// "t", "T" or "1" as the first character.
BOOL IsTrueText(const char* text) {
    return text[0] == 't' || text[0] == 'T' || text[0] == '1';
}

BOOL BaseFlag(const char* section, const char* key) {
    char text[16];
    GetBaseProfileString(section, key, "", text, sizeof(text));
    return IsTrueText(text);
}

DWORD DownloadModeOf(const char* text) {
    if (lstrcmpiA(text, "Once") == 0)
        return DOWNLOAD_ONCE;
    return lstrcmpiA(text, "Detect") == 0 ? DOWNLOAD_DETECT : DOWNLOAD_ALWAYS;
}

void ReadProxy(NetSettings& s) {
    s.ProxyEnabled = BaseFlag("Defaults", "ProxyEnable");
    GetBaseProfileString("Defaults", "HttpProxy", "", s.HttpProxy, sizeof(s.HttpProxy));
    s.ProxyAddress = kProxyUnresolved;
    char auth[NETSETTINGS_TEXT_SIZE];
    GetBaseProfileString("Defaults", "HttpProxyAuth", "", auth, sizeof(auth));
    Base64_Encode(auth, (DWORD)strlen(auth), s.HttpProxyAuth, sizeof(s.HttpProxyAuth));
}

// A missing sender is made from the fixed user part and the mail host; a
// missing reply address is the sender.
void ReadMail(NetSettings& s) {
    GetBaseProfileString("eMail", "eMailType", "SMTP", s.MailType, sizeof(s.MailType));
    GetBaseProfileString("eMail", "Subject", "Ostrevane Report", s.MailSubject,
                         sizeof(s.MailSubject));
    GetBaseProfileString("eMail", "SMTPServer", NETSETTINGS_DEFAULT_MAIL_HOST, s.SMTPServer,
                         sizeof(s.SMTPServer));
    GetBaseProfileString("eMail", "From", "", s.MailFrom, sizeof(s.MailFrom));
    if (!s.MailFrom[0])
        snprintf(s.MailFrom, sizeof(s.MailFrom), "%s@%s", NETSETTINGS_DEFAULT_SENDER_USER,
                 s.SMTPServer[0] ? s.SMTPServer : NETSETTINGS_DEFAULT_MAIL_HOST);
    GetBaseProfileString("eMail", "ReplyTo", "", s.MailReplyTo, sizeof(s.MailReplyTo));
    if (!s.MailReplyTo[0])
        lstrcpynA(s.MailReplyTo, s.MailFrom, sizeof(s.MailReplyTo));
    GetBaseProfileString("eMail", "MAPIProfile", "", s.MAPIProfile, sizeof(s.MAPIProfile));
    GetBaseProfileString("eMail", "MAPIPassword", "", s.MAPIPassword, sizeof(s.MAPIPassword));
    s.MailTimeout = GetBaseProfileInt("eMail", "MailTimeout", 60);
}

void ReadTransfer(NetSettings& s) {
    char text[16];
    GetModuleProfileString("Defaults", "FTPDownload", "Detect", text, sizeof(text));
    s.DownloadMode = DownloadModeOf(text);
    GetModuleProfileString("Defaults", "FTPPassive", "0", text, sizeof(text));
    s.FTPPassive = IsTrueText(text);
}

} // namespace

const NetSettings* NetSettings_Get() {
    return &g_settings;
}

void NetSettings_SetProxyAddress(DWORD address) {
    g_settings.ProxyAddress = address;
}

void NetSettings_Reset() {
    g_settings = Defaults();
    Engine_State().ftpDownloadMode = (int)g_settings.DownloadMode;
    LogParse_SetCookieOptions(g_settings.CookieEnable, g_settings.CookieValidate);
}

ORB_EXPORT(short) ORB_NotifyIniFileChanged(DWORD_PTR /*unused*/) {
    NetSettings& s = g_settings;
    s.FetchTimeoutSeconds = (DWORD)GetModuleProfileInt("Defaults", "TransferTimeout", 30);
    ReadProxy(s);
    ReadMail(s);
    ReadTransfer(s);
    Engine_State().ftpDownloadMode = (int)s.DownloadMode;
    s.CookieEnable = GetModuleProfileInt("Cookie", "Enable", 1);
    s.CookieValidate = GetModuleProfileInt("Cookie", "Validate", 1);
    LogParse_SetCookieOptions(s.CookieEnable, s.CookieValidate);
    LogParse_SyncFromEngine();
    // A changed cache size or lifespan takes effect at once.
    SaveTitleCache();
    s.TitleCacheSize = GetModuleProfileInt("Defaults", "TitleCacheSize", 500);
    s.TitleCacheLifespan = GetModuleProfileInt("Defaults", "TitleCacheLifespan", 86400);
    LoadTitleCache();
    return 0;
}

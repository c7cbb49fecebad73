// The network and mail settings: their reader, and their accessors over the
// engine's settings snapshot.
#include "netsettings/net_settings_read.h"
#include "core/engine_settings_store.h"
#include "netsettings/base64.h"
#include "ovcore/settings.h"
#include <stdio.h>
#include <string.h>

namespace {

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
    s.ProxyAddress = NETSETTINGS_PROXY_UNRESOLVED;
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

void NetSettings_Read(NetSettings* settings) {
    NetSettings& s = *settings;
    s.FetchTimeoutSeconds = (DWORD)GetModuleProfileInt("Defaults", "TransferTimeout", 30);
    ReadProxy(s);
    ReadMail(s);
    ReadTransfer(s);
    s.CookieEnable = GetModuleProfileInt("Cookie", "Enable", 1);
    s.CookieValidate = GetModuleProfileInt("Cookie", "Validate", 1);
    s.TitleCacheSize = GetModuleProfileInt("Defaults", "TitleCacheSize", 500);
    s.TitleCacheLifespan = GetModuleProfileInt("Defaults", "TitleCacheLifespan", 86400);
}

const NetSettings* NetSettings_Get() {
    return &Engine_Settings().net;
}

// The resolved address is kept beside the proxy's name, so that a reload,
// which may name another proxy, forgets it.
void NetSettings_SetProxyAddress(DWORD address) {
    EngineSettings s = Engine_Settings();
    s.net.ProxyAddress = address;
    EngineSettings_Replace(s);
}

void NetSettings_Reset() {
    EngineSettings s = Engine_Settings();
    s.net = EngineSettings_NetDefaults();
    EngineSettings_Replace(s);
}

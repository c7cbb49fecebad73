// The engine's network and mail settings, kept as module-wide values that the
// fetch, page-title and mail code read. They hold their documented defaults
// from engine start and are reloaded from the two settings files by
// ORB_NotifyIniFileChanged.
#pragma once
#include "ovcore/ovcore_base.h"

#define NETSETTINGS_TEXT_SIZE 200
#define NETSETTINGS_MAIL_SIZE 100
// Base64 of a 199-character "user:password" text, with its terminator.
#define NETSETTINGS_AUTH_SIZE 272

// The mail host used when [eMail] SMTPServer is not set, and the user part
// of the sender address made when [eMail] From is empty.
#define NETSETTINGS_DEFAULT_MAIL_HOST "mail"
#define NETSETTINGS_DEFAULT_SENDER_USER "ostrevane"

// NetSettings.ProxyAddress until the proxy's name is resolved (INADDR_NONE).
#define NETSETTINGS_PROXY_UNRESOLVED 0xFFFFFFFF

// Download modes of FTP and HTTP profiles ([Defaults] FTPDownload).
#define DOWNLOAD_ALWAYS 0
#define DOWNLOAD_DETECT 1
#define DOWNLOAD_ONCE 2

struct NetSettings {
    DWORD FetchTimeoutSeconds; // [Defaults] TransferTimeout, 30
    BOOL ProxyEnabled;         // [Defaults] ProxyEnable
    char HttpProxy[NETSETTINGS_TEXT_SIZE];
    DWORD ProxyAddress;                        // resolved proxy address; INADDR_NONE until resolved
    char HttpProxyAuth[NETSETTINGS_AUTH_SIZE]; // Base64 of "user:password", or empty
    char MailType[NETSETTINGS_TEXT_SIZE];      // "SMTP"
    char MailSubject[NETSETTINGS_TEXT_SIZE];   // "Ostrevane Report"
    char SMTPServer[NETSETTINGS_MAIL_SIZE];
    char MailFrom[NETSETTINGS_MAIL_SIZE];
    char MailReplyTo[NETSETTINGS_MAIL_SIZE];
    char MAPIProfile[NETSETTINGS_MAIL_SIZE];
    char MAPIPassword[NETSETTINGS_MAIL_SIZE];
    int MailTimeout;        // seconds, 60
    DWORD DownloadMode;     // DOWNLOAD_*, DOWNLOAD_DETECT
    BOOL FTPPassive;        // 0
    BOOL CookieEnable;      // [Cookie] Enable, 1
    BOOL CookieValidate;    // [Cookie] Validate, 1
    int TitleCacheSize;     // 500
    int TitleCacheLifespan; // seconds, 86400
};

// The current values (never null): the network part of the engine's settings
// snapshot. Read-only for callers.
const NetSettings* NetSettings_Get();
// Forgets the resolved proxy address (the next request resolves it again).
void NetSettings_SetProxyAddress(DWORD address);
// Back to the defaults, as at engine start (tests).
void NetSettings_Reset();

// Reloads every value from the settings files into the engine's settings
// snapshot. The argument is not used. Always 0.
ORB_EXPORT(short) ORB_NotifyIniFileChanged(DWORD_PTR unused);

// Socket notifications of the general GET's hidden window.
#define HTTPGET_MSG_SOCKET (WM_USER + 130)

// Starts an asynchronous HTTP GET of url ("http://" only) whose raw answer
// (status line and headers included) goes into outputPath, replaced. user
// (with password) sends Basic credentials when not empty; referrer and
// userAgent add their headers when not null. The request goes through the
// proxy when one is set. When it ends, notifyMessage is posted to
// notifyWindow (when not null): wParam 0 after the server closed the
// connection, else the WinSock error of the connect. The caller's thread
// must dispatch its messages meanwhile. 1 when the request was started,
// 0 otherwise (WinSock not bound, not an "http://" address, an unknown host,
// the file or socket could not be made).
ORB_EXPORT(int)
ORB_HTTP_Get(const char* url, const char* outputPath, const char* user, const char* password,
             const char* referrer, const char* userAgent, HWND notifyWindow, UINT notifyMessage);

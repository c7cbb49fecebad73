#include "mail_settings.h"
#include "files/module_folder.h"
#include "ovkit/mail.h"
#include <cstdlib>
#include <cstring>

namespace {

const char kSection[] = "eMail";
const int kDefaultTimeoutSeconds = 60;

// An empty file name gives the defaults (the system would read WIN.INI).
void ReadKey(const char* ini, const char* key, const char* fallback, char* out, DWORD size) {
    if (*ini)
        GetPrivateProfileStringA(kSection, key, fallback, out, size, ini);
    else
        lstrcpynA(out, fallback, static_cast<int>(size));
}

bool IsUnsetSender(const char* address) {
    return !*address || lstrcmpiA(address, OVKIT_MAIL_PLACEHOLDER_SENDER) == 0;
}

} // namespace

void ReadMailSettings(const char* ini, MailSettings* out) {
    char type[201];
    ReadKey(ini, "eMailType", "SMTP", type, sizeof type);
    out->mapi = type[0] == 'M' || type[0] == 'm';
    ReadKey(ini, "SMTPServer", OVKIT_MAIL_DEFAULT_SERVER, out->server, sizeof out->server);
    ReadKey(ini, "From", "", out->from, sizeof out->from);
    ReadKey(ini, "ReplyTo", "", out->replyTo, sizeof out->replyTo);
    ReadKey(ini, "MAPIProfile", "", out->mapiProfile, sizeof out->mapiProfile);
    ReadKey(ini, "MAPIPassword", "", out->mapiPassword, sizeof out->mapiPassword);
    ReadKey(ini, "Subject", "Ostrevane Report", out->subject, sizeof out->subject);
    out->timeoutSeconds = *ini ? static_cast<int>(GetPrivateProfileIntA(
                                     kSection, "MailTimeout", kDefaultTimeoutSeconds, ini))
                               : kDefaultTimeoutSeconds;
}

bool ReadLibraryMailSettings(MailSettings* out) {
    char ini[MAX_PATH];
    bool named = OvkitPathBesideLibrary("OSTREVAN.INI", ini, sizeof ini);
    ReadMailSettings(named ? ini : "", out);
    return named;
}

bool MailSettingsValid(const MailSettings& s) {
    if (s.mapi)
        return true;
    return s.server[0] && !IsUnsetSender(s.from) && !IsUnsetSender(s.replyTo);
}

bool SplitMailServer(const char* server, char* host, size_t hostSize, unsigned short* port) {
    const char* colon = std::strchr(server, ':');
    size_t hostLength = colon ? static_cast<size_t>(colon - server) : std::strlen(server);
    if (hostLength == 0 || hostLength >= hostSize)
        return false;
    std::memcpy(host, server, hostLength);
    host[hostLength] = '\0';
    *port = 25;
    if (!colon)
        return true;
    char* end = nullptr;
    long value = std::strtol(colon + 1, &end, 10);
    if (end == colon + 1 || *end || value < 1 || value > 65535)
        return false;
    *port = static_cast<unsigned short>(value);
    return true;
}

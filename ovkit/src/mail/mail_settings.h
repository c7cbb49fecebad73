// Section [eMail] of the library's settings file, read afresh at every send.
#pragma once
#include <windows.h>

struct MailSettings {
    bool mapi;        // eMailType starting with M or m
    char server[101]; // host or host:port
    char from[101];
    char replyTo[101]; // checked for presence only
    char mapiProfile[101];
    char mapiPassword[101]; // as stored (plain or the library's encrypted text form)
    char subject[201];
    int timeoutSeconds; // for each SMTP reply
};

// Reads the section from the given settings file (defaults where absent; all
// defaults for an empty name).
void ReadMailSettings(const char* iniPath, MailSettings* out);
// The same from OSTREVAN.INI in the library's folder; false (defaults read)
// when that folder cannot be named.
bool ReadLibraryMailSettings(MailSettings* out);
// True when the settings of their mail type allow a send: MAPI always; SMTP
// needs a server and a From and ReplyTo that are set and not the placeholder.
bool MailSettingsValid(const MailSettings& settings);

// Host and port of the server text: the port is the decimal behind the first
// ':', else 25. False when the host is empty or does not fit hostSize, or the
// port is not a number from 1 to 65535.
bool SplitMailServer(const char* server, char* host, size_t hostSize, unsigned short* port);

// The Simple MAPI road of a mail send.
#pragma once
#include "mail_run.h"
#include "mail_settings.h"

// Loads and binds the MAPI library by name for this send, logs on with the
// settings' profile, resolves the recipients (at most 10), attaches the files
// that can be read (at most 50) and sends. 0 sent, -1 failed with the last
// mail error set. The library is released again in every case.
int SendMapiMail(const MailSettings& settings, MailRun& run, const char* recipients, int count,
                 const char* const* paths, const char* body,
                 const char* libraryName = "MAPI32.DLL");

// The MAPI password from its stored text (plain, or the library's encrypted
// text form), at most 40 characters, into out (size bytes).
void MailMapiPassword(const char* stored, char* out, size_t size);

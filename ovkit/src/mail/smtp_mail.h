// The SMTP road of a mail send.
#pragma once
#include "mail_run.h"
#include "mail_settings.h"

// Sends over SMTP with settings already checked as valid. 0 once the server
// accepted the message (whatever it answers to QUIT), -1 on failure with the
// last mail error set.
int SendSmtpMail(const MailSettings& settings, MailRun& run, const char* recipients, int count,
                 const char* const* paths, const char* body);

// Mail of a finished report, by SMTP over WinSock or through Simple MAPI, as
// section [eMail] of the library's OSTREVAN.INI says. Every call blocks the
// caller's thread; progress goes to the given window as OVKIT_WM_MAILPROGRESS.
#pragma once
#include "ovkit/ovkit_base.h"

// Progress message sent to the caller's window: wParam a percentage, lParam a
// step text (never null). Percentage 0 with a new text starts a step.
#define OVKIT_WM_MAILPROGRESS (WM_USER + 1099)

// The sender address the options editor offers before the user sets one; as
// From or ReplyTo (any letter case) it counts as unset.
#define OVKIT_MAIL_PLACEHOLDER_SENDER "yourname@yourcompany.com"
// The mail host used when SMTPServer is absent.
#define OVKIT_MAIL_DEFAULT_SERVER "mail"
// The key byte of MAPIPassword's "Encrypt://" text form (OVKIT_EncryptPassword);
// a password stored without the prefix is used as it stands.
#define OVKIT_MAIL_MAPI_PASSWORD_KEY 0x4D

// Message mode for settings that are not valid: 0 writes the text to the
// scheduler log, 1 shows a message box, anything else shows nothing.
//
// Recipients are one text; addresses are separated by ';', '|' or ','. The
// abort flag, when given, is set by the caller's window while the send runs.
//
// Results: 0 sent, -1 failed (the reason is kept, see OVKIT_GetLastMailError),
// -2 the SMTP settings are not valid.
OVKIT_EXPORT(int)
OVKIT_SendMail(HWND progress, const char* recipients, int count, const char* const* paths,
               int mode);
OVKIT_EXPORT(int)
OVKIT_SendMailBody(HWND progress, const char* recipients, int count, const char* const* paths,
                   const char* body, int* abortFlag, int mode);
OVKIT_EXPORT(int)
OVKIT_SendSMTPMail(HWND progress, const char* recipients, int count, const char* const* paths,
                   const char* body, int* abortFlag, int mode);
// 0 or -1.
OVKIT_EXPORT(int)
OVKIT_SendMAPIMail(HWND progress, const char* recipients, int count, const char* const* paths,
                   const char* body, int* abortFlag);
// 1 when the settings of the mail type in use are valid, else 0; shows nothing.
OVKIT_EXPORT(int) OVKIT_IsMailOptionsValid();
// The reason the last send failed ("" after a successful one); the text lives
// in the library and stays until the next send.
OVKIT_EXPORT(const char*) OVKIT_GetLastMailError();

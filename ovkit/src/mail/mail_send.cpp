#include "ovkit/mail.h"
#include "mail_winsock.h"
#include "mapi_mail.h"
#include "ovkit/schedlog.h"
#include "smtp_mail.h"

namespace {

const char kInvalidText[] = "The current e-Mail settings are not valid.\nPlease go to the Options "
                            "Dialog and correct the E-Mail configuration settings.";
const char kInvalidCaption[] = "e-Mail Configuration Error";

void ReportInvalidSettings(int mode) {
    if (mode == 0)
        OVKIT_WriteSchedulerLogFile(nullptr, kInvalidText, nullptr);
    else if (mode == 1)
        MessageBoxA(nullptr, kInvalidText, kInvalidCaption, MB_ICONWARNING);
}

} // namespace

int OVKIT_CALL OVKIT_SendSMTPMail(HWND progress, const char* recipients, int count,
                                  const char* const* paths, const char* body, int* abortFlag,
                                  int mode) {
    MailRun run(progress, abortFlag);
    MailSettings settings;
    ReadLibraryMailSettings(&settings);
    settings.mapi = false;
    if (!MailSettingsValid(settings)) {
        ReportInvalidSettings(mode);
        MailSetLastError(kInvalidText);
        return -2;
    }
    return SendSmtpMail(settings, run, recipients, count, paths, body);
}

int OVKIT_CALL OVKIT_SendMAPIMail(HWND progress, const char* recipients, int count,
                                  const char* const* paths, const char* body, int* abortFlag) {
    MailRun run(progress, abortFlag);
    MailSettings settings;
    ReadLibraryMailSettings(&settings);
    return SendMapiMail(settings, run, recipients, count, paths, body);
}

int OVKIT_CALL OVKIT_SendMailBody(HWND progress, const char* recipients, int count,
                                  const char* const* paths, const char* body, int* abortFlag,
                                  int mode) {
    MailSettings settings;
    ReadLibraryMailSettings(&settings);
    if (settings.mapi)
        return OVKIT_SendMAPIMail(progress, recipients, count, paths, body, nullptr);
    return OVKIT_SendSMTPMail(progress, recipients, count, paths, body, abortFlag, mode);
}

int OVKIT_CALL OVKIT_SendMail(HWND progress, const char* recipients, int count,
                              const char* const* paths, int mode) {
    return OVKIT_SendMailBody(progress, recipients, count, paths, nullptr, nullptr, mode);
}

int OVKIT_CALL OVKIT_IsMailOptionsValid() {
    MailSettings settings;
    ReadLibraryMailSettings(&settings);
    return MailSettingsValid(settings) ? 1 : 0;
}

const char* OVKIT_CALL OVKIT_GetLastMailError() {
    return MailLastError();
}

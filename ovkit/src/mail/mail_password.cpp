#include "mapi_mail.h"
#include "ovkit/mail.h"
#include "ovkit/settings_file.h"
#include <string>

namespace {

const size_t kPasswordLimit = 40;

} // namespace

void MailMapiPassword(const char* stored, char* out, size_t size) {
    if (!out || size == 0)
        return;
    out[0] = '\0';
    if (!stored)
        return;
    std::string plain(lstrlenA(stored) + 1, '\0');
    if (!OVKIT_DecryptPassword(stored, &plain[0], OVKIT_MAIL_MAPI_PASSWORD_KEY))
        return;
    size_t keep = size < kPasswordLimit + 1 ? size : kPasswordLimit + 1;
    lstrcpynA(out, plain.c_str(), static_cast<int>(keep));
}

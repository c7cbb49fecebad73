#include "mapi_mail.h"

namespace {

const size_t kPasswordLimit = 40;

} // namespace

// The stored text is taken as the password itself until the library's
// password decoding is available here.
void MailMapiPassword(const char* stored, char* out, size_t size) {
    size_t keep = size < kPasswordLimit + 1 ? size : kPasswordLimit + 1;
    lstrcpynA(out, stored, static_cast<int>(keep));
}

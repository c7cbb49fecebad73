// Transfer error codes (the FTP library's and the engine's own, which share
// its numbering) to the error text of the fetch.
#include "fetch/fetch_state.h"
#include "ftp4w32.h"
#include "ovcore/registration.h"

namespace {
const UINT kFirstTextId = 5540;
} // namespace

const char* Fetch_CodeText(int code) {
    int index = Ftp4w32_ErrorTextIndex(code);
    return index >= 0 ? LoadCachedString(kFirstTextId + index) : nullptr;
}

void FtpErrorText(int code) {
    const char* text = Fetch_CodeText(code);
    if (text)
        lstrcpynA(Fetch_State().errorText, text, FETCH_ERROR_SIZE);
}

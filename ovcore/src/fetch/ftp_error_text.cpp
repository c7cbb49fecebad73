// Transfer error codes (the FTP library's and the engine's own, which share
// its numbering) to the error text of the fetch.
#include "fetch/fetch_state.h"
#include "ftp4w32.h"
#include "ovcore/registration.h"

namespace {
const UINT kFirstTextId = 5540;
} // namespace

void FtpErrorText(int code) {
    int index = Ftp4w32_ErrorTextIndex(code);
    if (index >= 0)
        lstrcpynA(Fetch_State().errorText, LoadCachedString(kFirstTextId + index),
                  FETCH_ERROR_SIZE);
}

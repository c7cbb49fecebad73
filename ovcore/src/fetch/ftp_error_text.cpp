// Transfer error codes (the FTP library's and the engine's own, which share
// its numbering) to the error text of the fetch.
#include "fetch/fetch_state.h"
#include "ovcore/registration.h"

namespace {

// Codes first to last map to consecutive string ids from firstId.
struct CodeRange {
    int first, last;
    UINT firstId;
};

const CodeRange kRanges[] = {
    {1, 2, 5540},       {-1, -1, 5542},     {1000, 1013, 5543},
    {2001, 2007, 5557}, {3001, 3002, 5564}, {5002, 5005, 5566},
};

} // namespace

void FtpErrorText(int code) {
    for (const CodeRange& r : kRanges) {
        if (code < r.first || code > r.last)
            continue;
        lstrcpynA(Fetch_State().errorText, LoadCachedString(r.firstId + (code - r.first)),
                  FETCH_ERROR_SIZE);
        return;
    }
}

// Failed hits: the status counters of the run's totals and the server,
// client and not-found error tables.
#include "hit_updaters.h"

#include <stdio.h>
#include <string.h>

#define NOT_FOUND_NAME_MAX 1560

static const char* StatusText(const RunContext* run, int index) {
    return RunText(run->Language ? run->Language->ReturnCodes[index] : nullptr);
}

// One row per missing page, whatever page linked to it: a row per
// page and referrer showed the same page on many rows, and the rows shown
// no longer added up to the missing-page count.
static int CountNotFound(HitPass* pass) {
    const HitRecord* hit = pass->hit;
    const char* url = hit->lpszUrl && hit->lpszUrl[0] ? hit->lpszUrl : "No URL";
    char name[NOT_FOUND_NAME_MAX + 1];
    lstrcpynA(name, url, sizeof name);
    return CountRunItemWithServer(pass, Top404Errors, name);
}

int CountFailedHit(HitPass* pass) {
    RunContext* run = pass->run;
    PeriodBlock& p = run->Period;
    DWORD status = pass->hit->dwStatus;
    if (status >= 500 && status <= 503) {
        (&p.Failed500)[status - 500]++;
        if (TableUsed(TopServerErrors) &&
            !CountRunItemWithServer(pass, TopServerErrors,
                                    StatusText(run, RC_500 + int(status - 500))))
            return 0;
        return 1;
    }
    char name[MAX_PATH];
    if (status >= 400 && status <= 404) {
        (&p.Failed400)[status - 400]++;
        lstrcpynA(name, StatusText(run, RC_400 + int(status - 400)), sizeof name);
        if (status == 404 && TableUsed(Top404Errors) && !CountNotFound(pass))
            return 0;
    } else {
        // The format holds one integer conversion (checked when it was read).
        snprintf(name, sizeof name, StatusText(run, RC_UNKNOWN), int(status));
    }
    if (TableUsed(TopClientErrors) && !CountRunItemWithServer(pass, TopClientErrors, name))
        return 0;
    return 1;
}

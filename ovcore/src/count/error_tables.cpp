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

// Counts the hit and its server on the item of a status code kept in slot.
template <typename NameFn>
static int CountStatusItem(HitPass* pass, int table, LONG* slot, NameFn name) {
    LONG index = KeyedTableIndex(pass, table, slot, name);
    if (index < 0)
        return 0;
    AnalysisItem* item = RunTableOf(pass->run, table)->lpItems[index];
    TableItem_CountHit(item, pass->interval, 0);
    // No server list (or a server past it) counts nothing per server.
    TableItem_CountServer(item, pass->hit->wServerIndex, pass->run->Servers);
    return 1;
}

// The client-error row of a status code other than 500-503.
static const char* ClientErrorName(const RunContext* run, DWORD status, char* name, size_t size) {
    if (status >= 400 && status <= 404)
        lstrcpynA(name, StatusText(run, RC_400 + int(status - 400)), int(size));
    else // the format holds one integer conversion (checked when it was read)
        snprintf(name, size, StatusText(run, RC_UNKNOWN), int(status));
    return name;
}

int CountFailedHit(HitPass* pass) {
    RunContext* run = pass->run;
    PeriodBlock& p = run->Period;
    DWORD status = pass->hit->dwStatus;
    if (status >= 500 && status <= 503) {
        (&p.Failed500)[status - 500]++;
        int code = int(status - 500);
        auto name = [run, code](char*, size_t) { return StatusText(run, RC_500 + code); };
        return !TableUsed(TopServerErrors) ||
               CountStatusItem(pass, TopServerErrors, &run->Accum.ServerErrorItems[code], name);
    }
    if (status >= 400 && status <= 404) {
        (&p.Failed400)[status - 400]++;
        if (status == 404 && TableUsed(Top404Errors) && !CountNotFound(pass))
            return 0;
    }
    if (!TableUsed(TopClientErrors))
        return 1;
    auto name = [run, status](char* text, size_t size) {
        return ClientErrorName(run, status, text, size);
    };
    if (status < STATUS_KEYS)
        return CountStatusItem(pass, TopClientErrors, &run->Accum.ClientErrorItems[status], name);
    LONG none = 0; // a code past the index is looked up by its text every time
    return CountStatusItem(pass, TopClientErrors, &none, name);
}

// One filter's hit-stage elements against a hit, and whether a filter tests
// anything at all.
#include "hit_filter.h"

#include <string.h>

#include "ovcore/profile.h"
#include "ovkit/ovassert.h"

// Weekday (0 Sunday) and hour of a hit time; hit times are wall-clock
// seconds read as UTC, so no zone applies.
static int WeekdayOf(DWORD time) {
    return (int)((time / 86400 + 4) % 7); // 1 January 1970 was a Thursday
}
static int HourOf(DWORD time) {
    return (int)(time % 86400 / 3600);
}

static BOOL MatchReturnCodes(const ProfileFilter* f, DWORD status) {
    if (f->ReturnCodes[0] == FILTER_ALL_CODES || f->ReturnCodes[0] == 0)
        return TRUE;
    for (int i = 0; i < FILTER_RETURNCODE_SLOTS && f->ReturnCodes[i]; ++i)
        if (f->ReturnCodes[i] == status)
            return TRUE;
    return FALSE;
}

static BOOL MatchDays(const ProfileFilter* f, DWORD time) {
    return f->Days == ALL_DAYS || f->Days == 0 || (f->Days >> WeekdayOf(time)) & 1;
}

static BOOL MatchHours(const ProfileFilter* f, DWORD time) {
    if (f->HourAll == 1)
        return TRUE;
    DWORD h = (DWORD)HourOf(time);
    if (f->HourBegin < f->HourEnd)
        return f->HourBegin <= h && h < f->HourEnd;
    return h >= f->HourBegin || h < f->HourEnd; // over midnight; equal: every hour
}

// A dotted address against the filter's ranges, then its subnets.
static BOOL AddressInRanges(const ProfileFilter* f, const char* address) {
    if (!IsItAnIPAddr(address))
        return FALSE;
    for (const FilterAddressRange* r = f->AddressRange; r; r = r->Next)
        if (OVKIT_IsAddressStringInAddressRange(address, &r->Range))
            return TRUE;
    for (const FilterSubnet* s = f->Subnet; s; s = s->Next)
        if (OVKIT_IsAddressStringInSubnet(address, &s->Subnet))
            return TRUE;
    return FALSE;
}

// Patterns against the resolved name (or address), then ranges and subnets
// against it and against the address as the log gave it. With nothing to
// test the element matches no hit.
static BOOL MatchClientAddress(const ProfileFilter* f, const HitRecord* hit) {
    if (!f->Users && !f->AddressRange && !f->Subnet)
        return FALSE;
    if (MatchAnyPattern(f->Users, hit->szClientAddr, TRUE, FALSE))
        return TRUE;
    if (!f->AddressRange && !f->Subnet)
        return FALSE;
    if (AddressInRanges(f, hit->szClientAddr))
        return TRUE;
    const char* original = hit->lpszClientAddr;
    return original && strcmp(original, hit->szClientAddr) != 0 && AddressInRanges(f, original);
}

static BOOL MatchAds(const ProfileFilter* f, const char* url) {
    if (!f->AdClick && !f->AdView)
        return TRUE;
    return ContainsAnyItem(f->AdClick, url) || ContainsAnyItem(f->AdView, url);
}

static BOOL MatchUserName(const ProfileFilter* f, const char* name) {
    if (f->UsernameAll)
        return name && *name;
    return !f->Username || MatchAnyPattern(f->Username, name, TRUE, f->UsernameCaseSensitive);
}

// A set element with an empty list matches (the client address excepted).
static BOOL ListMatches(const FilterString* list, int result) {
    return !list || result;
}

int MatchFilter(const ProfileFilter* f, const HitRecord* hit) {
    OV_ASSERT(!(f->dwFlags & ENABLE_DEFAULT));
    DWORD bits = f->dwFlags;
    if ((bits & FILTER_RETURNCODES) && !MatchReturnCodes(f, hit->dwStatus))
        return 0;
    if ((bits & (FILTER_DIRECTORY | FILTER_FILES)) && (f->Directory || f->Files) &&
        !MatchDirectoryAndFiles(f, hit->lpszUrl))
        return 0;
    if ((bits & FILTER_DAYS) && !MatchDays(f, hit->dwTime))
        return 0;
    if ((bits & FILTER_HOURS) && !MatchHours(f, hit->dwTime))
        return 0;
    if ((bits & FILTER_USERS) && !MatchClientAddress(f, hit))
        return 0;
    if ((bits & FILTER_ADS) && !MatchAds(f, hit->lpszUrl))
        return 0;
    if ((bits & FILTER_MULTIHOMEDOMAIN) &&
        !ListMatches(f->MultiHomeDomain,
                     MatchAnyPattern(f->MultiHomeDomain, hit->szServerAddr, TRUE, FALSE)))
        return 0;
    if ((bits & FILTER_BROWSER) &&
        !ListMatches(f->Browser, ContainsAnyItem(f->Browser, hit->lpszUserAgent)))
        return 0;
    if ((bits & FILTER_USERNAME) && !MatchUserName(f, hit->lpszUserName))
        return 0;
    if ((bits & FILTER_SEARCHKEYWORDS) &&
        !ListMatches(f->SearchKeywords,
                     MatchAnyPattern(f->SearchKeywords, hit->lpszUrl, TRUE, FALSE)))
        return 0;
    return 1;
}

int FilterHasCriteria(const ProfileFilter* f) {
    DWORD bits = f->dwFlags;
    if ((bits & FILTER_RETURNCODES) && f->ReturnCodes[0] != 0)
        return 1;
    if ((bits & FILTER_USERS) && (f->Users || f->AddressRange || f->Subnet))
        return 1;
    if (((bits & FILTER_MULTIHOMEDOMAIN) && f->MultiHomeDomain) ||
        ((bits & FILTER_DIRECTORY) && f->Directory) || ((bits & FILTER_FILES) && f->Files) ||
        ((bits & FILTER_BROWSER) && f->Browser) ||
        ((bits & FILTER_SEARCHKEYWORDS) && f->SearchKeywords))
        return 1;
    if ((bits & FILTER_ADS) && (f->AdClick || f->AdView))
        return 1;
    if ((bits & FILTER_USERNAME) && (f->Username || f->UsernameAll))
        return 1;
    if ((bits & FILTER_HOURS) && f->HourAll == 0)
        return 1;
    if (bits & FILTER_DAYS)
        return f->Type == FILTER_INCLUDE ? f->Days != ALL_DAYS : f->Days != 0;
    return 0;
}

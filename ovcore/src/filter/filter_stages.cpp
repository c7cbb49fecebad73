// The two filter stages over a profile's chain: the hit stage for every hit,
// the visit stage for the first hit of each visit.
#include "hit_filter.h"

#define VISIT_BITS (FILTER_REFERRER | FILTER_ENTRYPAGE)
// Every element bit below the referrer's.
#define HIT_BITS (FILTER_REFERRER - 1)

static BOOL HasHitElements(const ProfileFilter* f) {
    return (f->dwFlags & HIT_BITS) != 0;
}

int MatchIncludeFilters(const ProfileFilter* chain, const HitRecord* hit) {
    BOOL considered = FALSE;
    for (const ProfileFilter* f = chain; f; f = f->Next) {
        if (f->Type != FILTER_INCLUDE)
            continue;
        if ((f->dwFlags & ENABLE_DEFAULT) || !HasHitElements(f))
            return 1;
        considered = TRUE;
        if (MatchFilter(f, hit))
            return 1;
    }
    return considered ? 0 : 1;
}

int MatchExcludeFilters(const ProfileFilter* chain, const HitRecord* hit) {
    for (const ProfileFilter* f = chain; f; f = f->Next)
        if (f->Type == FILTER_EXCLUDE && !(f->dwFlags & ENABLE_DEFAULT) && HasHitElements(f) &&
            FilterHasCriteria(f) && MatchFilter(f, hit))
            return 1;
    return 0;
}

int FilterHit(const ProfileFilter* chain, const HitRecord* hit) {
    return MatchIncludeFilters(chain, hit) == 1 && MatchExcludeFilters(chain, hit) == 0;
}

int MatchReferrerFilter(const ProfileFilter* f, const HitRecord* hit) {
    if (!f->Referrer)
        return 1;
    const char* referrer = hit->lpszReferrer;
    const char* first = f->Referrer->lpszText;
    if (first && lstrcmpiA(first, "(No Referrer)") == 0)
        return !referrer || !*referrer;
    return MatchAnyPattern(f->Referrer, referrer ? referrer : "", TRUE, FALSE);
}

int MatchVisitFilter(const ProfileFilter* f, const HitRecord* hit) {
    if ((f->dwFlags & FILTER_REFERRER) && f->Referrer && !MatchReferrerFilter(f, hit))
        return 0;
    if ((f->dwFlags & FILTER_ENTRYPAGE) && f->EntryPage && !MatchEntryPage(f, hit->lpszUrl))
        return 0;
    return 1;
}

// Filters of the given type that the visit stage considers.
static BOOL IsVisitFilter(const ProfileFilter* f, DWORD type) {
    return f->Type == type && !(f->dwFlags & ENABLE_DEFAULT) && (f->dwFlags & VISIT_BITS);
}

int MatchVisitIncludeFilters(const ProfileFilter* chain, const HitRecord* hit) {
    BOOL considered = FALSE;
    for (const ProfileFilter* f = chain; f; f = f->Next) {
        if (!IsVisitFilter(f, FILTER_INCLUDE))
            continue;
        considered = TRUE;
        if (MatchVisitFilter(f, hit))
            return 1;
    }
    return considered ? 0 : 1;
}

// An exclude filter whose visit elements are switched on but empty tests
// nothing, so it excludes no visit (as on the hit stage).
static BOOL HasVisitCriteria(const ProfileFilter* f) {
    return ((f->dwFlags & FILTER_REFERRER) && f->Referrer) ||
           ((f->dwFlags & FILTER_ENTRYPAGE) && f->EntryPage);
}

int MatchVisitExcludeFilters(const ProfileFilter* chain, const HitRecord* hit) {
    for (const ProfileFilter* f = chain; f; f = f->Next)
        if (IsVisitFilter(f, FILTER_EXCLUDE) && HasVisitCriteria(f) && MatchVisitFilter(f, hit))
            return 1;
    return 0;
}

int FilterVisit(const ProfileFilter* chain, const HitRecord* hit) {
    return MatchVisitIncludeFilters(chain, hit) == 1 && MatchVisitExcludeFilters(chain, hit) == 0;
}

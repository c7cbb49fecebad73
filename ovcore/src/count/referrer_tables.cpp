// Referrers and referring sites, counted once per visit (or per line of a
// referrer log).
#include "hit_updaters.h"
#include "ovcore/logread.h"

#include <string.h>

#define REFERRER_QUERY_KEPT 35
#define REFERRING_SITE_MAX 200

static const char* NoReferrer(const RunContext* run) {
    return RunText(run->Language ? run->Language->Generic[GEN_NOREFERRER] : nullptr);
}

static bool CountsReferrer(const HitPass* pass, int table) {
    return TableUsed(table) && (pass->newVisit || pass->hit->wFormat == LOGFMT_REFERRER);
}

int CountReferrer(HitPass* pass) {
    if (!CountsReferrer(pass, TopReferers))
        return 1;
    char* referrer = pass->hit->lpszReferrer;
    if (!referrer || !*referrer)
        return CountRunItem(pass, TopReferers, NoReferrer(pass->run), 1) != nullptr;
    // A long query is shortened in the hit itself, for the later tables too.
    if (char* mark = strchr(referrer, '?'))
        if (strlen(mark + 1) > REFERRER_QUERY_KEPT - 1)
            mark[1 + REFERRER_QUERY_KEPT] = 0;
    return CountRunItem(pass, TopReferers, referrer, 1) != nullptr;
}

// The referrer cut behind its host: the first '/', '\' or ':' behind the
// scheme becomes the last character, a '/'. Other schemes stay whole.
static void ReferringSite(const char* referrer, char* site) {
    lstrcpynA(site, referrer, REFERRING_SITE_MAX + 1);
    static const struct {
        const char* scheme;
        size_t length;
    } kSchemes[] = {{"http://", 7}, {"https://", 8}, {"ftp://", 6}};
    if (_strnicmp(site, "file:///", 8) == 0)
        return;
    for (const auto& s : kSchemes) {
        if (_strnicmp(site, s.scheme, s.length) != 0)
            continue;
        char* end = site + s.length + strcspn(site + s.length, "/\\:");
        if (*end) {
            end[0] = '/';
            end[1] = 0;
        }
        return;
    }
}

int CountReferringSite(HitPass* pass) {
    if (!CountsReferrer(pass, TopReferingSites))
        return 1;
    const char* referrer = pass->hit->lpszReferrer;
    if (!referrer || !*referrer)
        return CountRunItem(pass, TopReferingSites, NoReferrer(pass->run), 1) != nullptr;
    char site[REFERRING_SITE_MAX + 2];
    ReferringSite(referrer, site);
    return CountRunItem(pass, TopReferingSites, site, 1) != nullptr;
}

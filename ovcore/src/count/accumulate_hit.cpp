// AccumulateHit: one resolved, filtered hit counted into the run's totals
// and into every table the template uses, in a fixed order.
#include "accumulate.h"
#include "hit_updaters.h"
#include "search_engines.h"
#include "ovcore/logread.h"

#include <stdio.h>
#include <string.h>

namespace {

const int kReferrerLogTables[] = {TopReferingSites, TopReferers};
const int kAgentLogTables[] = {TopBrowsers, TopPlatforms, TopSpiders, TopNetscape, TopExplorer};

// Referrer and agent logs are counted only while the run has seen no
// other kind of line, and switch their tables on.
bool TakesLogKind(RunContext* run, WORD format) {
    RunHitState& h = run->Hits;
    if (format != LOGFMT_REFERRER && format != LOGFMT_AGENT) {
        h.LogKind = format;
        return true;
    }
    if (h.LogKind && h.LogKind != format)
        return false;
    h.LogKind = format;
    bool referrers = format == LOGFMT_REFERRER;
    const int* tables = referrers ? kReferrerLogTables : kAgentLogTables;
    size_t count = referrers ? sizeof kReferrerLogTables / sizeof *kReferrerLogTables
                             : sizeof kAgentLogTables / sizeof *kAgentLogTables;
    for (size_t i = 0; i < count; ++i)
        g_ReportTableKeywords[tables[i]].Used = 1;
    return true;
}

// The page updaters of a successful hit, then the rest in order.
int CountSuccessfulPage(HitPass* pass) {
    typedef int (*Updater)(HitPass*);
    static const Updater kBeforeHome[] = {CountAds, CountEntryPage};
    static const Updater kAfterHome[] = {
        CountDocument,      CountDownloadOrUpload, CountExtension, CountDirectory, CountReferrer,
        CountReferringSite, CountAuthUser,         CountAgent,     CountSuffix,    CountGeography,
        CountCompany,       CountWeekday,          CountHour};
    for (Updater u : kBeforeHome)
        if (!u(pass))
            return 0;
    if (!pass->isUpload)
        CountHomePage(pass);
    for (Updater u : kAfterHome)
        if (!u(pass))
            return 0;
    return 1;
}

int Failed(HitPass* pass) {
    snprintf(pass->run->ErrorText, sizeof pass->run->ErrorText,
             "Out of memory counting the hits (%s)",
             pass->failedTable ? pass->failedTable : "search engines");
    return 0;
}

} // namespace

int AccumulateGuard(ReportHandle* report, HitRecord* hit) {
    return report && report->Run ? AccumulateHit(report, report->Run, hit) : 0;
}

int AccumulateHit(ReportHandle* report, RunContext* context, HitRecord* hit) {
    if (!context || !hit || !context->Period.TopTablesPtr)
        return 0;
    if (!hit->dwValid)
        return 1;
    HitPass pass;
    pass.report = report;
    pass.run = context;
    pass.hit = hit;
    pass.interval = RunHitInterval(context, hit->dwTime);
    pass.newVisit = 0;
    pass.visitor = nullptr;
    pass.visitorBlocks = nullptr;
    pass.hasCompany = FALSE;
    pass.extension[0] = 0;
    pass.storedPage = pass.storedPageWithoutQuery = pass.storedHost = nullptr;
    pass.isForm = pass.isDocument = pass.isUpload = FALSE;
    pass.failedTable = nullptr;
    if (!TakesLogKind(context, hit->wFormat))
        return 1;
    CountDay(context, hit->dwTime);
    if (hit->bSuccess) {
        BOOL ended = FALSE;
        if (!CountVisitor(&pass, &ended))
            return Failed(&pass);
        if (ended)
            return 1;
    }
    if (!CountBandwidth(&pass))
        return Failed(&pass);
    if (!(hit->bSuccess ? CountHostUser(&pass) : CountFailedHit(&pass)))
        return Failed(&pass);
    // Searches count on successful hits only, as every other visitor table
    // does: a missing page reached from a search is not a second search hit.
    if (hit->bSuccess &&
        (!CountSearchEngineHit(report, context, hit, pass.interval, pass.newVisit) ||
         !CountSearchPhrase(report, context, hit, pass.interval, pass.newVisit)))
        return Failed(&pass);
    MatchIntranet(&pass);
    LookupCompany(&pass);
    CountPeriodHit(&pass);
    if (hit->wMethod == HIT_METHOD_OTHER)
        return 1;
    BuildPageName(&pass);
    if (hit->bSuccess && !CountSuccessfulPage(&pass))
        return Failed(&pass);
    if (!CountForm(&pass))
        return Failed(&pass);
    return 1;
}

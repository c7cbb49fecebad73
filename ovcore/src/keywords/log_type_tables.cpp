#include "log_type_tables.h"

#include "run/run_context.h"

static const RunTable kReferrerLogEmpty[] = {
    TopWeekdays,  TopHours,       TopVisitors,   TopServerErrors, TopClientErrors, TopFormErrors,
    GeneralStats, TechnicalStats, ActivityStats, TopEntry,        TopExit,         TopSinglePage,
    TopAuthUsers, TopBandwidth,   TopPaths,      Top404Errors,
};

static const RunTable kAgentLogEmpty[] = {
    TopWeekdays,  TopHours,       TopExtensions, TopSuffixes,      TopCountries,    TopForms,
    TopDownloads, TopDocuments,   TopDirectory,  TopCompanies,     TopUsers,        TopReferers,
    TopCities,    TopStates,      TopVisitors,   TopServerErrors,  TopClientErrors, TopFormErrors,
    GeneralStats, TechnicalStats, ActivityStats, TopReferingSites, TopBottom,       TopEntry,
    TopExit,      TopSinglePage,  TopAds,        TopAdClicks,      TopAdViews,      TopUploads,
    TopAuthUsers, TopBandwidth,   TopPaths,      Top404Errors,
};

template <size_t N> static void MarkEmpty(const RunTable (&tables)[N]) {
    for (RunTable table : tables)
        g_ReportTableKeywords[table].Empty = 1;
}

void MarkLogTypeTablesEmpty(int logFormat) {
    if (logFormat == LOGFMT_REFERRER)
        MarkEmpty(kReferrerLogEmpty);
    else if (logFormat == LOGFMT_AGENT)
        MarkEmpty(kAgentLogEmpty);
}

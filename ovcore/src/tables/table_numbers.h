// The numbers of a run's statistics tables (the visitor table aside), which
// are also the rows of the report table keywords and the order of the tables
// in a stored period.
#pragma once

#define RUN_TABLE_COUNT 44

// Table numbers: the rows of the report table keywords.
enum RunTable {
    TopWeekdays = 0,
    TopHours,
    TopExtensions,
    TopSuffixes,
    TopCountries,
    TopForms,
    TopDownloads,
    TopDocuments,
    TopDirectory,
    TopCompanies,
    TopUsers,
    TopReferers,
    TopBrowsers,
    TopPlatforms,
    TopCities,
    TopStates,
    TopVisitors,
    TopServerErrors,
    TopClientErrors,
    TopFormErrors,
    GeneralStats,
    TechnicalStats,
    ActivityStats,
    TopReferingSites,
    TopBottom,
    TopEntry,
    TopExit,
    TopSinglePage,
    ObsoleteTopPaths,
    TopAds,
    TopAdClicks,
    TopAdViews,
    TopSpiders,
    TopNetscape,
    TopExplorer,
    TopUploads,
    TopAuthUsers,
    TopBandwidth,
    TopPaths,
    TopSearchEngines,  // counts search words
    TopSearchKeywords, // counts engine names
    Top404Errors,
    TopSearchKeyPhrases,
    TopSearchPhraseEngines,
};

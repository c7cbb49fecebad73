// Hit filtering: the profile's include and exclude filters held against a
// resolved hit. Two stages use the chain: the hit stage tests every element
// but referrer and entry page; the visit stage, run for the first hit of a
// visit, tests only those two. So two include filters give (A.dir or B.dir)
// for hits and (A.ref or B.ref) for visits, and an include filter with only
// referrer or entry-page bits passes every hit.
//
// Stateless and allocation-free: every call reads the chain and the hit
// afresh; the chain must not change during a run.
#pragma once
#include "ovcore/filters.h"
#include "ovcore/hitrecord.h"

// Longest URL part, directory segment or prepared URL compared (characters).
#define FILTER_PART_MAX 259

// 1 when the pattern matches the text, else 0. "*" matches everything.
// Unless exact, the pattern is looked for anywhere in the text (taken as
// "*pattern*"). A leading and a trailing "*" are wildcards; any other "*" is
// an ordinary character. Null pattern or text: 0.
int MatchWildcard(const char* pattern, const char* text, BOOL exact, BOOL caseSensitive);
// 1 when any item of the list matches the text by MatchWildcard; 0 for an
// empty list.
int MatchAnyPattern(const FilterString* list, const char* text, BOOL exact, BOOL caseSensitive);
// 1 when any item of the list occurs in the text, without regard to case.
int ContainsAnyItem(const FilterString* list, const char* text);

// Directory pattern against a URL directory, segment by segment (exact
// wildcards per segment). A directory longer than the pattern matches only
// with includeSubDirs. 1 or 0.
int MatchDirectory(const char* pattern, const char* directory, BOOL includeSubDirs,
                   BOOL caseSensitive);
// The directory and file elements of one filter against a URL. 1 or 0.
int MatchDirectoryAndFiles(const ProfileFilter* filter, const char* url);
// The filter's entry pages against a URL. 1 when a node matches.
int MatchEntryPage(const ProfileFilter* filter, const char* url);

// One filter's hit-stage elements against a hit: 1 when every element whose
// bit is set matches. A filter with ENABLE_DEFAULT is a caller's error
// (asserted; its elements are tested anyway).
int MatchFilter(const ProfileFilter* filter, const HitRecord* hit);
// 1 when at least one set element of the filter holds something to test.
int FilterHasCriteria(const ProfileFilter* filter);
// The filter's referrer list against the hit: "(No Referrer)" first stands
// for an empty referrer. 1 or 0.
int MatchReferrerFilter(const ProfileFilter* filter, const HitRecord* hit);
// Referrer and entry-page elements of one filter against the first hit of a
// visit. 1 or 0.
int MatchVisitFilter(const ProfileFilter* filter, const HitRecord* hit);

// Hit stage over a chain (null: no filters): 1 keep, 0 drop.
int MatchIncludeFilters(const ProfileFilter* chain, const HitRecord* hit);
int MatchExcludeFilters(const ProfileFilter* chain, const HitRecord* hit);
int FilterHit(const ProfileFilter* chain, const HitRecord* hit);
// Visit stage: 1 keep the visit, 0 exclude it.
int MatchVisitIncludeFilters(const ProfileFilter* chain, const HitRecord* hit);
int MatchVisitExcludeFilters(const ProfileFilter* chain, const HitRecord* hit);
int FilterVisit(const ProfileFilter* chain, const HitRecord* hit);

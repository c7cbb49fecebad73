// Where a visitor comes from: the intranet entries and the company list,
// countries, visitor origins, states, cities, domain suffixes and companies.
#include "hit_updaters.h"

#include <stdlib.h>
#include <string.h>

#include "core/engine_state.h"
#include "ovcore/profile.h"
#include "ovkit/subnet.h"

#define DOMAIN_PARTS_MAX 32

namespace {

// Splits a copy of text at its dots; the number of parts (0 when too many).
int SplitDots(const char* text, char* copy, size_t size, char** parts) {
    lstrcpynA(copy, text, int(size));
    int n = 0;
    for (char* p = copy;; ++n) {
        if (n == DOMAIN_PARTS_MAX)
            return 0;
        parts[n] = p;
        char* dot = strchr(p, '.');
        if (!dot)
            return n + 1;
        *dot = 0;
        p = dot + 1;
    }
}

// One host part against one pattern part: "*x" matches the end, "x*" the
// beginning, anything else the whole part (all without case).
bool PartMatches(const char* pattern, const char* part) {
    size_t pn = strlen(pattern), n = strlen(part);
    if (pn && pattern[0] == '*')
        return n >= pn - 1 && _stricmp(part + n - (pn - 1), pattern + 1) == 0;
    if (pn && pattern[pn - 1] == '*')
        return _strnicmp(part, pattern, pn - 1) == 0;
    return _stricmp(pattern, part) == 0;
}

bool PatternMatches(const char* pattern, char** hostParts, int hostCount) {
    char copy[MAX_PATH];
    char* parts[DOMAIN_PARTS_MAX];
    if (SplitDots(pattern, copy, sizeof copy, parts) != hostCount)
        return false;
    for (int i = 0; i < hostCount; ++i)
        if (!PartMatches(parts[i], hostParts[i]))
            return false;
    return true;
}

bool EntryMatches(const IntranetEntry& e, const char* host, char** hostParts, int hostCount) {
    if (e.Type == 2)
        return IsItAnIPAddr(host) && OVKIT_IsAddressStringInSubnet(host, &e.Subnet.Subnet);
    if (e.Type == 3)
        return IsItAnIPAddr(host) && OVKIT_IsAddressStringInAddressRange(host, &e.Range.Range);
    return e.Fields[5] && PatternMatches(e.Fields[5], hostParts, hostCount);
}

// The intranet entries as the company list's in-memory entries (made once).
const CompanyEntry* CompanyEntries(RunContext* run) {
    AccumulateState& s = run->Accum;
    if (!s.CompanyEntriesMade && run->IntranetCount > 0) {
        s.CompanyEntries = (CompanyEntry*)calloc(size_t(run->IntranetCount), sizeof(CompanyEntry));
        for (int i = 0; s.CompanyEntries && i < run->IntranetCount; ++i) {
            const IntranetEntry& e = run->Intranet[i];
            s.CompanyEntries[i] = {e.Fields[0], e.Fields[5], e.Fields[1], e.CityState, e.Fields[4]};
        }
    }
    s.CompanyEntriesMade = TRUE;
    return s.CompanyEntries;
}

const char* LanguageText(const RunContext* run, int legend) {
    return RunText(run->Language ? run->Language->Legends[legend] : nullptr);
}

} // namespace

void MatchIntranet(HitPass* pass) {
    RunContext* run = pass->run;
    if (run->IntranetCount <= 0)
        return;
    const char* host = pass->hit->szClientAddr;
    char copy[sizeof pass->hit->szClientAddr];
    char* parts[DOMAIN_PARTS_MAX];
    int count = SplitDots(host, copy, sizeof copy, parts);
    for (int i = 0; i < run->IntranetCount; ++i) {
        const IntranetEntry& e = run->Intranet[i];
        if (e.Fields[0] && EntryMatches(e, host, parts, count)) {
            lstrcpynA(pass->hit->szDomain, e.Fields[0], sizeof pass->hit->szDomain);
            return;
        }
    }
}

void LookupCompany(HitPass* pass) {
    static const int kTables[] = {TopCountries, TopVisitors, TopStates, TopCities, TopCompanies};
    pass->hasCompany = FALSE;
    if (!pass->newVisit)
        return;
    bool used = false;
    for (int t : kTables)
        used = used || TableUsed(t);
    if (!used)
        return;
    RunContext* run = pass->run;
    CompanyList list = {run->CompanyFile, run->IntranetCount, CompanyEntries(run)};
    if (!list.Entries)
        list.EntryCount = 0;
    memset(&pass->company, 0, sizeof pass->company);
    pass->hasCompany =
        CompanyDb_Lookup(&list, run->CompanyFileSize, pass->hit->szDomain, &pass->company);
}

// The company record's second field is "city" or, for the United States
// and Canada, "city ST": its last word of two letters is the state.
static void CityAndState(const CompanyRecord& r, const char* code, char* city, char* state) {
    lstrcpynA(city, r.Second, COMPANY_SECOND_SIZE);
    state[0] = 0;
    if (_stricmp(code, "US") != 0 && _stricmp(code, "CA") != 0)
        return;
    char* blank = strrchr(city, ' ');
    if (!blank || strlen(blank + 1) != 2)
        return;
    lstrcpynA(state, blank + 1, 3);
    CharUpperA(state);
    *blank = 0;
}

// The visitor's country code: from the company record, else from the
// domain's last part. Empty when the origin is unknown.
static void CountryCode(const HitPass* pass, char* code, size_t size) {
    code[0] = 0;
    if (pass->hasCompany) {
        lstrcpynA(code, pass->company.Third, int(size));
        return;
    }
    const char* dot = strrchr(pass->hit->szDomain, '.');
    if (!dot || !dot[1] || strspn(dot + 1, "0123456789") == strlen(dot + 1))
        return;
    const RunWordList& us = pass->run->USDomains;
    for (WORD i = 0; i < us.Count; ++i)
        if (us.Words[i] && SameText(us.Words[i], dot + 1)) {
            lstrcpynA(code, "US", int(size));
            return;
        }
    if (strlen(dot + 1) < 3) {
        lstrcpynA(code, dot + 1, int(size));
        CharUpperA(code);
    }
}

int CountGeography(HitPass* pass) {
    if (!pass->newVisit)
        return 1;
    RunContext* run = pass->run;
    DWORD n = pass->interval;
    char code[COMPANY_THIRD_SIZE];
    CountryCode(pass, code, sizeof code);
    bool known = code[0] != 0;
    bool anyCountry = strcmp(run->Country, "*") == 0;
    bool home = known && (anyCountry || _stricmp(code, run->Country) == 0);
    if (n < ANALYSIS_INTERVALS)
        ++(!known ? run->Period.UnknownVisits
           : home ? run->Period.HomeVisits
                  : run->Period.ForeignVisits)[n];
    if (known && TableUsed(TopCountries)) {
        AnalysisItem* item = CountRunItem(pass, TopCountries, code, 1);
        if (!item)
            return 0;
        TableItem_CountServer(item, pass->hit->wServerIndex, run->Servers);
    }
    if (TableUsed(TopVisitors)) {
        char name[MAX_PATH];
        if (!known)
            lstrcpynA(name, LanguageText(run, LEG_UNKNOWN), sizeof name);
        else if (!home)
            lstrcpynA(name, LanguageText(run, LEG_INTERNATIONAL), sizeof name);
        else
            lstrcpynA(name, anyCountry ? LookupCountryName(run->Language, code) : code,
                      sizeof name);
        if (!CountRunItem(pass, TopVisitors, name, 1))
            return 0;
    }
    if (!pass->hasCompany || !known)
        return 1;
    char city[COMPANY_SECOND_SIZE], state[3];
    CityAndState(pass->company, code, city, state);
    if (state[0] && TableUsed(TopStates) && !CountRunItem(pass, TopStates, state, 1))
        return 0;
    if (home && TableUsed(TopCities) && city[0] && strcmp(city, "N/A") != 0) {
        char country[MAX_PATH], name[MAX_PATH * 2];
        lstrcpynA(country, LookupCountryName(run->Language, code), sizeof country);
        if (state[0])
            wsprintfA(name, "%s, %s, %s", city, LookupStateName(run->Language, state), country);
        else
            wsprintfA(name, "%s, %s", city, country);
        if (!CountRunItem(pass, TopCities, name, 1))
            return 0;
    }
    return 1;
}

int CountSuffix(HitPass* pass) {
    if (!TableUsed(TopSuffixes))
        return 1;
    const char* domain = pass->hit->szDomain;
    if (strspn(domain, "0123456789.") == strlen(domain))
        return 1;
    // The last part behind a '.' that is longer than two characters.
    const char* end = domain + strlen(domain);
    const char* part = nullptr;
    for (const char* p = end; p-- > domain;) {
        if (*p != '.')
            continue;
        if (end - (p + 1) > 2) {
            part = p + 1;
            break;
        }
        end = p;
    }
    if (!part)
        return 1;
    char word[64];
    lstrcpynA(word, part, int(end - part + 1 < 64 ? end - part + 1 : 64));
    const RunContext* run = pass->run;
    for (WORD i = 0; i < run->OrgTypeWords.Count; ++i) {
        if (!run->OrgTypeWords.Words[i] || !SameText(run->OrgTypeWords.Words[i], word))
            continue;
        int type = run->OrgTypeCodes ? run->OrgTypeCodes[i] : -1;
        if (type < 0 || type >= SUF_COUNT || !run->Language)
            return 1;
        return CountRunItem(pass, TopSuffixes, RunText(run->Language->Suffixes[type]),
                            pass->newVisit) != nullptr;
    }
    return 1;
}

int CountCompany(HitPass* pass) {
    if (!TableUsed(TopCompanies) && !TableUsed(TopStates) && !TableUsed(TopCities))
        return 1;
    RunContext* run = pass->run;
    const HitRecord* hit = pass->hit;
    const EngineState& engine = Engine_State();
    const char* name = hit->szDomain;
    if (engine.numericAddressText && strcmp(name, engine.numericAddressText) == 0)
        name = hit->szClientAddr[0] ? hit->szClientAddr : RunText(engine.unknownCountryText);
    DWORD r = InsertTableItem(TABLE_KIND_PLAIN, nullptr, &run->Accum.Tables,
                              RunTableOf(run, TopCompanies), name, nullptr, hit->dwTime,
                              run->CachedTime, run->MaxCachedCount, run->MaxTopCount, 0);
    if (!r) {
        pass->failedTable = g_ReportTableKeywords[TopCompanies].Keyword;
        return 0;
    }
    g_ReportTableKeywords[TopCompanies].Empty = 0;
    TableItem_CountHit(RunTableOf(run, TopCompanies)->lpItems[r - 1], pass->interval,
                       pass->newVisit);
    return 1;
}

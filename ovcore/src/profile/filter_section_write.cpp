// Writing the filter sections of the profile file.
#include "profile/filter_lists.h"
#include "profile/filter_sections.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Writes "key=<list text>" when the list has items; the text is sized from
// the list so that no item is lost.
static void WriteListKey(ProfileOut* out, const char* key, const FilterString* list) {
    if (!list)
        return;
    int size = FilterStructTextSize(list);
    char* text = static_cast<char*>(std::malloc(size));
    if (!text) {
        out->failed = true;
        return;
    }
    FilterStructToString(list, text, size);
    if (*text)
        ProfileOut_KeyText(out, key, text);
    std::free(text);
}

// The list's own key and text.
static void WriteList(ProfileOut* out, const ProfileFilter* f, FilterString* ProfileFilter::*list) {
    WriteListKey(out, FilterListKey(list), f->*list);
}

static void WriteTextKey(ProfileOut* out, const char* key, const char* text) {
    if (text && *text)
        ProfileOut_KeyText(out, key, text);
}

static void WriteEnabled(ProfileOut* out, const char* key, const ProfileFilter* f, DWORD bit) {
    ProfileOut_KeyInt(out, key, (f->dwFlags & bit) ? 1 : 0);
}

static void WriteAddressKeys(ProfileOut* out, const ProfileFilter* f) {
    WriteList(out, f, &ProfileFilter::Users);
    ProfileOut ranges;
    char item[40];
    for (const FilterAddressRange* r = f->AddressRange; r; r = r->Next) {
        if (OVKIT_AddressRangeToString(item, sizeof item, &r->Range) > 0)
            ProfileOut_Format(&ranges, ranges.length ? " %s" : "%s", item);
    }
    WriteTextKey(out, "AddressRange", ranges.failed ? nullptr : ranges.data);
    out->failed |= ranges.failed;
    ProfileOut_Free(&ranges);
    ProfileOut subnets;
    for (const FilterSubnet* s = f->Subnet; s; s = s->Next) {
        if (OVKIT_SubnetToString(item, sizeof item, &s->Subnet) > 0)
            ProfileOut_Format(&subnets, subnets.length ? " %s" : "%s", item);
    }
    WriteTextKey(out, "Subnet", subnets.failed ? nullptr : subnets.data);
    out->failed |= subnets.failed;
    ProfileOut_Free(&subnets);
    WriteEnabled(out, "UsersEnabled", f, FILTER_USERS);
}

static void WriteEntryPageKey(ProfileOut* out, const ProfileFilter* f) {
    int count = 0;
    for (const EntryPageFilter* e = f->EntryPage; e; e = e->Next)
        count++;
    if (!count)
        return;
    int size = count * (3 * ENTRYPAGE_PART_SIZE + 8) + 1;
    char* text = static_cast<char*>(std::malloc(size));
    if (!text) {
        out->failed = true;
        return;
    }
    EntryPageFilter_ToString(f->EntryPage, text, size);
    WriteTextKey(out, "EntryPage", text);
    std::free(text);
}

static void WriteFilterHead(ProfileOut* out, const ProfileFilter* f, int n) {
    char name[FILTER_NAME_SIZE];
    std::snprintf(name, sizeof name, "%.*s", FILTER_NAME_SIZE - 1, f->Name);
    if (!name[0])
        std::snprintf(name, sizeof name, "Filter %d", n);
    ProfileOut_Format(out, "[[Filter%d]]\r\n", n);
    ProfileOut_KeyText(out, "Name", name);
    ProfileOut_KeyText(out, "FilterType", f->Type == FILTER_INCLUDE ? "include" : "exclude");
    ProfileOut_KeyInt(out, "DefaultOveride", (f->dwFlags & ENABLE_DEFAULT) ? 1 : 0);
    char codes[FILTER_RETURNCODE_SLOTS * 12];
    ReturnCodeStructToString(f, codes, sizeof codes);
    WriteTextKey(out, "ReturnCodes", codes);
    WriteEnabled(out, "ReturnCodesEnabled", f, FILTER_RETURNCODES);
}

static void WriteOneFilter(ProfileOut* out, const ProfileFilter* f, int n) {
    WriteFilterHead(out, f, n);
    WriteAddressKeys(out, f);
    WriteList(out, f, &ProfileFilter::MultiHomeDomain);
    WriteEnabled(out, "MultiHomeDomainEnabled", f, FILTER_MULTIHOMEDOMAIN);
    WriteList(out, f, &ProfileFilter::Directory);
    ProfileOut_KeyInt(out, "IncludeSubDirs", f->IncludeSubDirs);
    ProfileOut_KeyInt(out, "DirectoryCaseSensitive", f->DirectoryCaseSensitive);
    WriteEnabled(out, "DirectoryEnabled", f, FILTER_DIRECTORY);
    WriteList(out, f, &ProfileFilter::Files);
    ProfileOut_KeyInt(out, "FilesCaseSensitive", f->FilesCaseSensitive);
    ProfileOut_KeyInt(out, "IncludeDefaultPages", f->IncludeDefaultPages);
    WriteEnabled(out, "FilesEnabled", f, FILTER_FILES);
    WriteList(out, f, &ProfileFilter::Referrer);
    WriteEnabled(out, "ReferrerEnabled", f, FILTER_REFERRER);
    WriteEntryPageKey(out, f);
    WriteEnabled(out, "EntryPageEnabled", f, FILTER_ENTRYPAGE);
    ProfileOut_KeyInt(out, "EntryPageCaseSensitive", f->EntryPageCaseSensitive);
    WriteList(out, f, &ProfileFilter::AdClick);
    WriteList(out, f, &ProfileFilter::AdView);
    WriteEnabled(out, "AdsEnabled", f, FILTER_ADS);
    WriteList(out, f, &ProfileFilter::SearchKeywords);
    WriteEnabled(out, "SearchKeywordsEnabled", f, FILTER_SEARCHKEYWORDS);
    WriteList(out, f, &ProfileFilter::Username);
    ProfileOut_KeyInt(out, "UsernameCaseSensitive", f->UsernameCaseSensitive);
    ProfileOut_KeyInt(out, "UsernameAll", f->UsernameAll);
    WriteEnabled(out, "UsernameEnabled", f, FILTER_USERNAME);
    WriteList(out, f, &ProfileFilter::Browser);
    WriteEnabled(out, "BrowserEnabled", f, FILTER_BROWSER);
    char days[16];
    DaysToText(f, days, sizeof days);
    WriteTextKey(out, "Days", days);
    WriteEnabled(out, "DaysEnabled", f, FILTER_DAYS);
    ProfileOut_KeyInt(out, "HourBegin", f->HourBegin);
    ProfileOut_KeyInt(out, "HourEnd", f->HourEnd);
    ProfileOut_KeyInt(out, "HourAll/None", f->HourAll);
    WriteEnabled(out, "HourEnabled", f, FILTER_HOURS);
}

void WriteProfileFilters(ProfileOut* out, const ProfileFilter* lpChain) {
    int n = 1;
    for (; lpChain; lpChain = lpChain->Next)
        WriteOneFilter(out, lpChain, n++);
}

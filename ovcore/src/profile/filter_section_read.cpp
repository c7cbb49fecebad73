// Reading the filter sections of the profile file.
#include "profile/entry_page.h"
#include "profile/filter_lists.h"
#include "profile/filter_sections.h"
#include "profile/profile_text.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <shlwapi.h>

namespace {

// The value of a key parsed into a list; false when memory ran short.
bool ReadList(const ProfileSection& s, const char* key, int mode, FilterString** list) {
    char* text = GetProfileTextAlloc(s, key);
    if (!text)
        return false;
    bool ok = FilterStringToStruct(text, list, mode) != 0;
    std::free(text);
    return ok;
}

bool IsOnly(const FilterString* list, const char* item) {
    return list && !list->Next && list->lpszText && std::strcmp(list->lpszText, item) == 0;
}

// The referrer list; an old file without "ReferrerEnabled" may hold the bare
// text "(No Referrer)", which stays one item.
bool ReadReferrer(const ProfileSection& s, FilterString** list) {
    char* text = GetProfileTextAlloc(s, FilterListKey(&ProfileFilter::Referrer));
    if (!text)
        return false;
    int mode = FILTER_TEXT_LIST;
    if (!HasProfileKey(s, "ReferrerEnabled") && lstrcmpiA(text, "(No Referrer)") == 0)
        mode = FILTER_TEXT_SINGLE;
    bool ok = FilterStringToStruct(text, list, mode) != 0;
    std::free(text);
    return ok;
}

// Address ranges and subnets, item by item; items that do not parse are skipped.
bool ReadAddressLists(const ProfileSection& s, ProfileFilter* f) {
    FilterString* items = nullptr;
    bool ok = ReadList(s, "AddressRange", FILTER_TEXT_LIST, &items);
    FilterAddressRange** rangeTail = &f->AddressRange;
    for (const FilterString* i = items; ok && i; i = i->Next) {
        OVKIT_AddressRange range;
        if (!OVKIT_ParseAddressRangeString(i->lpszText, &range))
            continue;
        auto* node = static_cast<FilterAddressRange*>(std::calloc(1, sizeof(FilterAddressRange)));
        ok = node != nullptr;
        if (ok) {
            node->Range = range;
            *rangeTail = node;
            rangeTail = &node->Next;
        }
    }
    FreeFilterStrings(items);
    items = nullptr;
    ok = ok && ReadList(s, "Subnet", FILTER_TEXT_LIST, &items);
    FilterSubnet** subnetTail = &f->Subnet;
    for (const FilterString* i = items; ok && i; i = i->Next) {
        OVKIT_Subnet subnet;
        if (!OVKIT_ParseSubnetString(i->lpszText, &subnet))
            continue;
        auto* node = static_cast<FilterSubnet*>(std::calloc(1, sizeof(FilterSubnet)));
        ok = node != nullptr;
        if (ok) {
            node->Subnet = subnet;
            *subnetTail = node;
            subnetTail = &node->Next;
        }
    }
    FreeFilterStrings(items);
    return ok;
}

bool ReadElementValues(const ProfileSection& s, ProfileFilter* f) {
    char* codes = GetProfileTextAlloc(s, "ReturnCodes");
    char* days = GetProfileTextAlloc(s, "Days");
    char* pages = GetProfileTextAlloc(s, "EntryPage");
    bool ok = codes && days && pages;
    if (ok) {
        ReturnCodeStringToStruct(codes, f);
        ParseDaysText(days, f);
        ok = ParseEntryPages(pages, &f->EntryPage);
    }
    std::free(codes);
    std::free(days);
    std::free(pages);
    // The referrer list has a reading of its own.
    for (const FilterListField& l : kFilterLists)
        if (l.list != &ProfileFilter::Referrer)
            ok = ok && ReadList(s, l.key, FILTER_TEXT_LIST, &(f->*l.list));
    return ok && ReadReferrer(s, &f->Referrer) && ReadAddressLists(s, f);
}

void ReadNumbers(const ProfileSection& s, ProfileFilter* f) {
    f->IncludeSubDirs = GetProfileTextInt(s, "IncludeSubDirs", 0);
    f->DirectoryCaseSensitive = GetProfileTextInt(s, "DirectoryCaseSensitive", 0);
    f->FilesCaseSensitive = GetProfileTextInt(s, "FilesCaseSensitive", 0);
    f->IncludeDefaultPages = GetProfileTextInt(s, "IncludeDefaultPages", 0);
    f->UsernameCaseSensitive = GetProfileTextInt(s, "UsernameCaseSensitive", 0);
    f->UsernameAll = GetProfileTextInt(s, "UsernameAll", 0);
    f->EntryPageCaseSensitive = GetProfileTextInt(s, "EntryPageCaseSensitive", 0);
    f->HourAll = GetProfileTextInt(s, "HourAll/None", 1);
    f->HourBegin = GetProfileTextInt(s, "HourBegin", 8);
    f->HourEnd = GetProfileTextInt(s, "HourEnd", 17);
}

// An include filter's empty day set and user-name and browser lists mean
// "everything".
bool ApplyIncludeDefaults(const ProfileSection& s, ProfileFilter* f) {
    if (f->Type != FILTER_INCLUDE)
        return true;
    char days[2];
    if (GetProfileTextString(s, "Days", "", days, sizeof days) == 0)
        f->Days = ALL_DAYS;
    if (!f->Username && !FilterStringToStruct("*", &f->Username, FILTER_TEXT_SINGLE))
        return false;
    return f->Browser || FilterStringToStruct("*", &f->Browser, FILTER_TEXT_SINGLE);
}

// Whether a list differs from its everything-matching value.
bool ListIsUsed(const ProfileFilter* f, const FilterString* list, const char* all) {
    return f->Type == FILTER_INCLUDE ? !IsOnly(list, all) : list != nullptr;
}

bool AdsAreUsed(const ProfileFilter* f) {
    const FilterString* first = f->AdView ? f->AdView : f->AdClick;
    return first && first->lpszText && *first->lpszText && std::strcmp(first->lpszText, "*") != 0;
}

// The element bits of files written before the Enabled keys existed.
DWORD GuessElementBit(const ProfileFilter* f, DWORD bit) {
    bool include = f->Type == FILTER_INCLUDE;
    bool used = false;
    switch (bit) {
    case FILTER_RETURNCODES:
        used = f->ReturnCodes[0] != (include ? FILTER_ALL_CODES : 0);
        break;
    case FILTER_USERS:
        used = ListIsUsed(f, f->Users, "*") || f->AddressRange || f->Subnet;
        break;
    case FILTER_MULTIHOMEDOMAIN:
        used = ListIsUsed(f, f->MultiHomeDomain, "*");
        break;
    case FILTER_DIRECTORY:
        used =
            include ? !(IsOnly(f->Directory, "/") && f->IncludeSubDirs) : f->Directory != nullptr;
        break;
    case FILTER_FILES:
        used = ListIsUsed(f, f->Files, "*.*");
        break;
    case FILTER_REFERRER:
        used = ListIsUsed(f, f->Referrer, "*");
        break;
    case FILTER_ADS:
        used = AdsAreUsed(f);
        break;
    case FILTER_SEARCHKEYWORDS:
        used = !IsOnly(f->SearchKeywords, "*") && f->SearchKeywords &&
               f->SearchKeywords->lpszText && *f->SearchKeywords->lpszText;
        break;
    case FILTER_USERNAME:
        used = ListIsUsed(f, f->Username, "*");
        break;
    case FILTER_BROWSER:
        used = ListIsUsed(f, f->Browser, "*");
        break;
    case FILTER_DAYS:
        used = f->Days != (include ? ALL_DAYS : 0u);
        break;
    case FILTER_HOURS:
        used = f->HourAll == 0;
        break;
    }
    return used ? bit : 0;
}

void ReadElementBits(const ProfileSection& s, ProfileFilter* f) {
    static const struct {
        const char* key;
        DWORD bit;
    } kEnabled[] = {{"ReturnCodesEnabled", FILTER_RETURNCODES},
                    {"UsersEnabled", FILTER_USERS},
                    {"MultiHomeDomainEnabled", FILTER_MULTIHOMEDOMAIN},
                    {"DirectoryEnabled", FILTER_DIRECTORY},
                    {"FilesEnabled", FILTER_FILES},
                    {"ReferrerEnabled", FILTER_REFERRER},
                    {"EntryPageEnabled", FILTER_ENTRYPAGE},
                    {"AdsEnabled", FILTER_ADS},
                    {"SearchKeywordsEnabled", FILTER_SEARCHKEYWORDS},
                    {"UsernameEnabled", FILTER_USERNAME},
                    {"BrowserEnabled", FILTER_BROWSER},
                    {"DaysEnabled", FILTER_DAYS},
                    {"HourEnabled", FILTER_HOURS}};
    f->dwFlags = 0;
    for (const auto& e : kEnabled) {
        if (HasProfileKey(s, e.key)) {
            if (GetProfileTextInt(s, e.key, 0) == 1)
                f->dwFlags |= e.bit;
        } else if (e.bit != FILTER_ENTRYPAGE) {
            f->dwFlags |= GuessElementBit(f, e.bit);
        }
    }
    if (GetProfileTextInt(s, "DefaultOveride", 0) == 1 || f->dwFlags == 0)
        f->dwFlags |= ENABLE_DEFAULT;
}

// Reads one section. 1: *out holds the filter; 2: no name, reading ends;
// 0: failure.
int ReadOneFilter(const ProfileSection& s, ProfileFilter** out) {
    *out = nullptr;
    ProfileFilter* f = AllocateBlankFilter();
    if (!f)
        return 0;
    if (GetProfileTextString(s, "Name", "", f->Name, FILTER_NAME_SIZE) == 0) {
        FreeOneFilter(f);
        return 2;
    }
    char type[16];
    GetProfileTextString(s, "FilterType", "", type, sizeof type);
    if (lstrcmpiA(type, "include") == 0)
        f->Type = FILTER_INCLUDE;
    else if (lstrcmpiA(type, "exclude") == 0)
        f->Type = FILTER_EXCLUDE;
    ReadNumbers(s, f);
    if (!f->Type || !ReadElementValues(s, f) || !ApplyIncludeDefaults(s, f)) {
        FreeOneFilter(f);
        return 0;
    }
    ReadElementBits(s, f);
    *out = f;
    return 1;
}

} // namespace

int ReadProfileFilters(AnalysisProfile* lpProfile, const char* szText) {
    FreeFiltersForProfile(lpProfile);
    ProfileFilter** tail = &lpProfile->Filters;
    for (int n = 1;; n++) {
        char name[24];
        std::snprintf(name, sizeof name, "[Filter%d]", n);
        ProfileSection section;
        if (!FindProfileSection(szText, name, &section))
            return 1;
        ProfileFilter* filter = nullptr;
        int result = ReadOneFilter(section, &filter);
        if (result != 1)
            return result == 2 ? 1 : 0;
        *tail = filter;
        tail = &filter->Next;
    }
}

// Profile filters: include and exclude filters, their value lists and the text
// forms in which the user interface edits them and the profile file stores
// them.
//
// Conventions: creation functions return null when memory is short; release
// functions accept null; text functions write at most size - 1 characters and
// always terminate.
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovkit/subnet.h"

struct AnalysisProfile;

// Filter types.
#define FILTER_INCLUDE 1
#define FILTER_EXCLUDE 2

// Element bits of ProfileFilter.dwFlags.
#define FILTER_RETURNCODES 0x1
#define FILTER_DIRECTORY 0x2
#define FILTER_FILES 0x4
#define FILTER_DAYS 0x8
#define FILTER_HOURS 0x10
#define FILTER_USERS 0x20
#define FILTER_ADS 0x40
#define FILTER_MULTIHOMEDOMAIN 0x80
#define FILTER_BROWSER 0x100
#define FILTER_USERNAME 0x200
#define FILTER_SEARCHKEYWORDS 0x400
#define FILTER_REFERRER 0x800
#define FILTER_ENTRYPAGE 0x1000
// The filter is a placeholder that matches nothing by its own criteria.
#define ENABLE_DEFAULT 0x40000000

#define FILTER_NAME_SIZE 128
#define FILTER_RETURNCODE_SLOTS 24
// First return-code slot meaning "all codes".
#define FILTER_ALL_CODES 0xFFFFFFFF
#define ALL_DAYS 127
#define ENTRYPAGE_PART_SIZE 260

// FilterStringToStruct modes.
#define FILTER_TEXT_SINGLE 0
#define FILTER_TEXT_LIST 1

#pragma pack(push, 1)
// One text of a value list; the node owns its heap text.
typedef struct FilterString {
    char* lpszText;
    struct FilterString* Next;
} FilterString;

// A client-address range of a filter (a node of the filter's range list).
typedef struct FilterAddressRange {
    OVKIT_AddressRange Range;
    struct FilterAddressRange* Next;
} FilterAddressRange;

// A client subnet of a filter (a node of the filter's subnet list).
typedef struct FilterSubnet {
    OVKIT_Subnet Subnet;
    struct FilterSubnet* Next;
} FilterSubnet;

// One entry-page pattern split into directory, file name and extension.
typedef struct EntryPageFilter {
    char szDirectory[ENTRYPAGE_PART_SIZE];
    char szName[ENTRYPAGE_PART_SIZE];
    char szExtension[ENTRYPAGE_PART_SIZE];
    struct EntryPageFilter* Next;
} EntryPageFilter;

typedef struct ProfileFilter {
    char Name[FILTER_NAME_SIZE];
    // Up to 23 codes followed by 0; FILTER_ALL_CODES first = all; 0 first = none.
    DWORD ReturnCodes[FILTER_RETURNCODE_SLOTS];
    struct ProfileFilter* Next;
    DWORD Type; // FILTER_INCLUDE or FILTER_EXCLUDE
    DWORD dwFlags;
    FilterString* Directory;
    DWORD IncludeSubDirs;
    DWORD DirectoryCaseSensitive;
    FilterString* Files;
    DWORD IncludeDefaultPages;
    DWORD FilesCaseSensitive;
    DWORD Days; // bit d = weekday d (0 Sunday); 127 all days
    DWORD HourAll;
    DWORD HourBegin;
    DWORD HourEnd; // not included
    FilterString* Users;
    FilterAddressRange* AddressRange;
    FilterSubnet* Subnet;
    FilterString* AdClick;
    FilterString* AdView;
    FilterString* MultiHomeDomain;
    FilterString* Browser;
    FilterString* Username;
    DWORD UsernameCaseSensitive;
    DWORD UsernameAll;
    FilterString* SearchKeywords;
    FilterString* Referrer; // "(No Referrer)" stands for an empty referrer
    EntryPageFilter* EntryPage;
    DWORD EntryPageCaseSensitive;
} ProfileFilter;
#pragma pack(pop)

#ifndef _WIN64
static_assert(sizeof(FilterString) == 8, "FilterString layout");
static_assert(sizeof(EntryPageFilter) == 784, "EntryPageFilter layout");
static_assert(sizeof(ProfileFilter) == 332, "ProfileFilter layout");
#endif

// --- Value lists and their text form ---

// Parses szText into a new list stored in *lplpList (null when the text holds
// no item; a null text leaves *lplpList untouched). Single mode: one item,
// leading blanks skipped and one enclosing pair of like quotes removed. List
// mode: items separated by blanks and commas, an item starting with a quote
// runs to the next like quote. Returns 1, or 0 when memory ran short (the list
// then holds the items made so far).
ORB_EXPORT(int) FilterStringToStruct(const char* szText, FilterString** lplpList, int iMode);
// Joins the items, one blank apart; an item holding a blank or comma is quoted
// (single quotes when it holds a double quote). Items are appended while they
// fit in size. Returns 1 when every item fitted, 0 when one was left out.
ORB_EXPORT(int) FilterStructToString(const FilterString* lpList, char* szOut, int size);
// Size in bytes, terminator included, that holds FilterStructToString's text.
ORB_EXPORT(int) FilterStructTextSize(const FilterString* lpList);
// Deep copy into *lplpOut. Returns 1, or 0 when memory ran short (*lplpOut
// is then null).
ORB_EXPORT(int) CopyStringStruct(const FilterString* lpList, FilterString** lplpOut);
ORB_EXPORT(void) FreeFilterStrings(FilterString* lpList);
ORB_EXPORT(void) FreeOneFilterString(FilterString* lpNode);
// First node whose text the compare function finds equal (result 0); with a
// null text, the first node without a text. Null when none.
typedef int(__cdecl* FilterCompareFn)(const char*, const char*);
ORB_EXPORT(FilterString*)
SearchFilterStrings(FilterString* lpList, const char* szText, FilterCompareFn lpfnCompare);

// --- Return codes and days ---

ORB_EXPORT(void) ReturnCodeStringToStruct(const char* szText, ProfileFilter* lpFilter);
ORB_EXPORT(void) ReturnCodeStructToString(const ProfileFilter* lpFilter, char* szOut, int size);
ORB_EXPORT(void) ParseDaysText(const char* szText, ProfileFilter* lpFilter);
// size must be at least 15 for every day to fit.
ORB_EXPORT(void) DaysToText(const ProfileFilter* lpFilter, char* szOut, int size);

// --- Client addresses ---

// Moves every address-range item of *lplpUsers into *lplpRanges and every
// subnet item into *lplpSubnets (appended in order). 1, or 0 when memory ran
// short.
ORB_EXPORT(int)
UserFilterStringToStruct(FilterString** lplpUsers, FilterAddressRange** lplpRanges,
                         FilterSubnet** lplpSubnets);
// Frees AddressRange and Subnet and rebuilds them from Users.
ORB_EXPORT(int) UpdateUserFilters(ProfileFilter* lpFilter);
// The Users text, then the ranges and subnets, one blank apart.
ORB_EXPORT(void) UserFiltersStructsToString(const ProfileFilter* lpFilter, char* szOut, int size);
ORB_EXPORT(void) FreeAddressRanges(FilterAddressRange* lpList);
ORB_EXPORT(void) FreeSubnets(FilterSubnet* lpList);

// --- Entry pages ---

// List-mode items split into directory, name and extension; null for a null
// or empty text or when memory is short.
ORB_EXPORT(EntryPageFilter*) EntryPageFilter_New(const char* szText);
// The nodes back to items, joined as FilterStructToString does.
ORB_EXPORT(void) EntryPageFilter_ToString(const EntryPageFilter* lpList, char* szOut, int size);
ORB_EXPORT(void) EntryPageFilter_Free(EntryPageFilter* lpList);
// Splits a URL path into directory, name and extension, each bounded by its
// size (a part that does not fit becomes empty). A null or empty URL leaves
// the outputs untouched.
ORB_EXPORT(void)
SplitURLPath(const char* szUrl, char* szDir, int dirSize, char* szName, int nameSize, char* szExt,
             int extSize);

// --- Filter records ---

ORB_EXPORT(ProfileFilter*) AllocateBlankFilter();
ORB_EXPORT(ProfileFilter*) CreateNewIncludeFilter();
ORB_EXPORT(ProfileFilter*) CreateNewExcludeFilter();
// Links the filter into the profile's chain: position < 0 at the end, 0 first,
// n > 0 after the n-th filter (at the end when the chain is shorter). A null
// filter changes nothing.
ORB_EXPORT(void)
AddFilterToProfile(ProfileFilter* lpFilter, AnalysisProfile* lpProfile, int position);
// Deep copy with Next null; null when memory is short.
ORB_EXPORT(ProfileFilter*) MakeCopyOfFilter(const ProfileFilter* lpFilter);
// Deep copy of the whole chain in order; null for an empty chain or when
// memory is short.
ORB_EXPORT(ProfileFilter*) MakeCopyOfFilterList(const ProfileFilter* lpChain);
ORB_EXPORT(void) FreeOneFilter(ProfileFilter* lpFilter);
ORB_EXPORT(void) FreeFilters(ProfileFilter* lpChain);
// Frees the profile's chain and clears its head.
ORB_EXPORT(void) FreeFiltersForProfile(AnalysisProfile* lpProfile);

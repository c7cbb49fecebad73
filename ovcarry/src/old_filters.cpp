// The old filter table: a count, then fixed-size filter records of items.
// A count that runs past the record or the file refuses the profile; an
// item's text is cut to the room its record has.
#include "old_profile.h"
#include "ovcore/adviews.h"
#include "ovcore/filters.h"
#include <string.h>

#define TABLE_COUNT_OFFSET 4876
#define TABLE_FIRST_FILTER 4878
#define FILTER_RECORD_SIZE 2434
#define FILTER_NAME_OFFSET 2
#define FILTER_NAME_WIDTH 16
#define FILTER_ITEMS_OFFSET 20
#define ITEM_RECORD_SIZE 142
#define ITEM_TEXT_OFFSET 14
#define ITEM_TEXT_ROOM (ITEM_RECORD_SIZE - ITEM_TEXT_OFFSET)
#define MAX_ITEMS ((FILTER_RECORD_SIZE - FILTER_ITEMS_OFFSET) / ITEM_RECORD_SIZE)

enum OldItemType : WORD {
    ITEM_DIRECTORY = 0x1600,
    ITEM_FILES = 0x1700,
    ITEM_SUBDIRS = 0x1800,
    ITEM_DOMAIN = 0x2900,
    ITEM_USERS = 0x3000,
    ITEM_RETURN_CODES = 0x3400,
    ITEM_REFERRER = 0x3600,
    ITEM_AD = 0x3700,
};

AdNames LoadAdNames(void) {
    AdNames names;
    FILE* stream = ORB_OpenAdViewsDataFile();
    if (!stream)
        return names;
    char description[ADVIEW_DESCRIPTION_SIZE], view[ADVIEW_VIEWNAME_SIZE],
        click[ADVIEW_CLICKID_SIZE];
    int got;
    while ((got = ORB_GetAdViewsEntry(stream, description, view, click)) == 1) {
        names.push_back(view);
        view[0] = '\0';
    }
    if (got != -1) // -1 closed the stream already
        ORB_CloseAdViewsDataFile(stream);
    return names;
}

static bool IsDefaultItem(const char* text) {
    return strcmp(text, "*") == 0 || strcmp(text, "*.*") == 0 || strcmp(text, "/") == 0;
}

// Puts the parsed items of text in front of the list's items; an include
// filter's default item goes first.
static bool AddToList(ProfileFilter* filter, FilterString** list, const char* text) {
    if (filter->Type == FILTER_INCLUDE && *list && IsDefaultItem((*list)->lpszText) &&
        !(*list)->Next) {
        FreeFilterStrings(*list);
        *list = nullptr;
    }
    FilterString* parsed = nullptr;
    if (!FilterStringToStruct(text, &parsed, FILTER_TEXT_LIST)) {
        FreeFilterStrings(parsed);
        return false;
    }
    if (!parsed)
        return true;
    FilterString* last = parsed;
    while (last->Next)
        last = last->Next;
    last->Next = *list;
    *list = parsed;
    return true;
}

static bool IsKnownAd(const AdNames& ads, const char* name) {
    for (const std::string& ad : ads)
        if (_stricmp(ad.c_str(), name) == 0)
            return true;
    return false;
}

static bool AddItem(ProfileFilter* f, WORD type, const char* text, const AdNames& ads) {
    switch (type) {
    case ITEM_DIRECTORY:
        return AddToList(f, &f->Directory, text);
    case ITEM_FILES:
        return AddToList(f, &f->Files, text);
    case ITEM_SUBDIRS:
        f->IncludeSubDirs = text[0] == 1;
        return true;
    case ITEM_DOMAIN:
        return AddToList(f, &f->MultiHomeDomain, text);
    case ITEM_USERS:
        return AddToList(f, &f->Users, text);
    case ITEM_RETURN_CODES:
        ReturnCodeStringToStruct(text, f);
        return true;
    case ITEM_REFERRER:
        return AddToList(f, &f->Referrer, text);
    case ITEM_AD:
        if (!text[0] || (strcmp(text, "*") != 0 && !IsKnownAd(ads, text)))
            return true;
        return AddToList(f, &f->AdClick, text) && AddToList(f, &f->AdView, text);
    default:
        return true;
    }
}

static bool ListUsed(const ProfileFilter* f, const FilterString* list, const char* def) {
    if (f->Type == FILTER_INCLUDE)
        return !(list && !list->Next && list->lpszText && strcmp(list->lpszText, def) == 0);
    for (; list; list = list->Next)
        if (list->lpszText && list->lpszText[0])
            return true;
    return false;
}

static void SetUsedBits(ProfileFilter* f) {
    DWORD bits = 0;
    DWORD noCodes = f->Type == FILTER_INCLUDE ? FILTER_ALL_CODES : 0;
    if (f->ReturnCodes[0] != noCodes)
        bits |= FILTER_RETURNCODES;
    if (ListUsed(f, f->Users, "*"))
        bits |= FILTER_USERS;
    if (ListUsed(f, f->MultiHomeDomain, "*"))
        bits |= FILTER_MULTIHOMEDOMAIN;
    if (ListUsed(f, f->Directory, "/") || !f->IncludeSubDirs)
        bits |= FILTER_DIRECTORY;
    if (ListUsed(f, f->Files, "*.*"))
        bits |= FILTER_FILES;
    if (ListUsed(f, f->Referrer, "*"))
        bits |= FILTER_REFERRER;
    if (ListUsed(f, f->AdClick, "*") || ListUsed(f, f->AdView, "*"))
        bits |= FILTER_ADS;
    f->dwFlags |= bits ? bits : ENABLE_DEFAULT;
}

// One filter record at offset; null when damaged or memory ran short.
static ProfileFilter* ConvertFilter(const FileImage& image, DWORD at, const AdNames& ads) {
    WORD items = image.Word(at + 18);
    if (!image.Holds(at, FILTER_ITEMS_OFFSET) || items > MAX_ITEMS ||
        !image.Holds(at + FILTER_ITEMS_OFFSET, (DWORD)items * ITEM_RECORD_SIZE))
        return nullptr;
    ProfileFilter* f =
        image.Byte(at + 1) == 1 ? CreateNewIncludeFilter() : CreateNewExcludeFilter();
    if (!f)
        return nullptr;
    image.Text(at + FILTER_NAME_OFFSET, FILTER_NAME_WIDTH, f->Name, sizeof f->Name);
    for (WORD m = 0; m < items; ++m) {
        DWORD item = at + FILTER_ITEMS_OFFSET + m * ITEM_RECORD_SIZE;
        WORD length = image.Word(item + 12);
        if (length > ITEM_TEXT_ROOM)
            length = ITEM_TEXT_ROOM;
        char text[ITEM_TEXT_ROOM + 1];
        memcpy(text, image.Bytes.data() + item + ITEM_TEXT_OFFSET, length);
        text[length] = '\0';
        if (!AddItem(f, image.Word(item), text, ads)) {
            FreeOneFilter(f);
            return nullptr;
        }
    }
    SetUsedBits(f);
    return f;
}

bool ConvertOldFilters(const FileImage& image, DWORD table, const AdNames& ads,
                       AnalysisProfile* profile) {
    WORD count = image.Word(table + TABLE_COUNT_OFFSET);
    for (WORD n = 0; n < count; ++n) {
        ProfileFilter* f =
            ConvertFilter(image, table + TABLE_FIRST_FILTER + n * FILTER_RECORD_SIZE, ads);
        if (!f)
            return false;
        AddFilterToProfile(f, profile, 0);
    }
    return true;
}

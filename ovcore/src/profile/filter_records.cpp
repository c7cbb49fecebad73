// Filter records: creation with defaults, chains, copy and release.
#include "ovcore/filters.h"
#include "ovcore/profile.h"
#include "profile/filter_lists.h"
#include <cstdlib>
#include <cstring>

ProfileFilter* ORB_CALL AllocateBlankFilter() {
    return static_cast<ProfileFilter*>(std::calloc(1, sizeof(ProfileFilter)));
}

ProfileFilter* ORB_CALL CreateNewExcludeFilter() {
    ProfileFilter* filter = AllocateBlankFilter();
    if (!filter)
        return nullptr;
    filter->Type = FILTER_EXCLUDE;
    filter->HourBegin = 8;
    filter->HourAll = 1;
    filter->HourEnd = 17;
    filter->IncludeSubDirs = 1;
    return filter;
}

ProfileFilter* ORB_CALL CreateNewIncludeFilter() {
    ProfileFilter* filter = AllocateBlankFilter();
    if (!filter)
        return nullptr;
    filter->Type = FILTER_INCLUDE;
    filter->IncludeSubDirs = 1;
    filter->HourAll = 1;
    filter->ReturnCodes[0] = FILTER_ALL_CODES;
    filter->Days = ALL_DAYS;
    filter->HourBegin = 8;
    filter->HourEnd = 17;
    FilterString** everything[] = {&filter->Users,   &filter->MultiHomeDomain, &filter->Referrer,
                                   &filter->AdView,  &filter->AdClick,         &filter->Username,
                                   &filter->Browser, &filter->SearchKeywords};
    bool ok = FilterStringToStruct("/", &filter->Directory, FILTER_TEXT_SINGLE) &&
              FilterStringToStruct("*.*", &filter->Files, FILTER_TEXT_SINGLE);
    for (FilterString** list : everything)
        ok = ok && FilterStringToStruct("*", list, FILTER_TEXT_SINGLE) && *list;
    if (!ok || !filter->Directory || !filter->Files) {
        FreeOneFilter(filter);
        return nullptr;
    }
    return filter;
}

void ORB_CALL AddFilterToProfile(ProfileFilter* lpFilter, AnalysisProfile* lpProfile,
                                 int position) {
    if (!lpFilter || !lpProfile)
        return;
    ProfileFilter** link = &lpProfile->Filters;
    if (position < 0) {
        while (*link)
            link = &(*link)->Next;
    } else {
        for (int n = 0; n < position && *link; n++)
            link = &(*link)->Next;
    }
    lpFilter->Next = *link;
    *link = lpFilter;
}

// Deep copies of one filter's lists into copy, whose list pointers are null.
static bool CopyFilterLists(ProfileFilter* copy, const ProfileFilter* src) {
    for (const FilterListField& l : kFilterLists) {
        if (!CopyStringStruct(src->*l.list, &(copy->*l.list)))
            return false;
    }
    FilterAddressRange** rangeTail = &copy->AddressRange;
    for (const FilterAddressRange* r = src->AddressRange; r; r = r->Next) {
        FilterAddressRange* node = static_cast<FilterAddressRange*>(std::malloc(sizeof *node));
        if (!node)
            return false;
        *node = *r;
        node->Next = nullptr;
        *rangeTail = node;
        rangeTail = &node->Next;
    }
    FilterSubnet** subnetTail = &copy->Subnet;
    for (const FilterSubnet* s = src->Subnet; s; s = s->Next) {
        FilterSubnet* node = static_cast<FilterSubnet*>(std::malloc(sizeof *node));
        if (!node)
            return false;
        *node = *s;
        node->Next = nullptr;
        *subnetTail = node;
        subnetTail = &node->Next;
    }
    EntryPageFilter** pageTail = &copy->EntryPage;
    for (const EntryPageFilter* e = src->EntryPage; e; e = e->Next) {
        EntryPageFilter* node = static_cast<EntryPageFilter*>(std::malloc(sizeof *node));
        if (!node)
            return false;
        *node = *e;
        node->Next = nullptr;
        *pageTail = node;
        pageTail = &node->Next;
    }
    return true;
}

ProfileFilter* ORB_CALL MakeCopyOfFilter(const ProfileFilter* lpFilter) {
    if (!lpFilter)
        return nullptr;
    ProfileFilter* copy = AllocateBlankFilter();
    if (!copy)
        return nullptr;
    std::memcpy(copy, lpFilter, sizeof *copy);
    copy->Name[FILTER_NAME_SIZE - 1] = '\0';
    copy->Next = nullptr;
    for (const FilterListField& l : kFilterLists)
        copy->*l.list = nullptr;
    copy->AddressRange = nullptr;
    copy->Subnet = nullptr;
    copy->EntryPage = nullptr;
    if (!CopyFilterLists(copy, lpFilter)) {
        FreeOneFilter(copy);
        return nullptr;
    }
    return copy;
}

ProfileFilter* ORB_CALL MakeCopyOfFilterList(const ProfileFilter* lpChain) {
    ProfileFilter* head = nullptr;
    ProfileFilter** tail = &head;
    for (; lpChain; lpChain = lpChain->Next) {
        ProfileFilter* copy = MakeCopyOfFilter(lpChain);
        if (!copy) {
            FreeFilters(head);
            return nullptr;
        }
        *tail = copy;
        tail = &copy->Next;
    }
    return head;
}

void ORB_CALL FreeOneFilter(ProfileFilter* lpFilter) {
    if (!lpFilter)
        return;
    for (const FilterListField& l : kFilterLists)
        FreeFilterStrings(lpFilter->*l.list);
    FreeAddressRanges(lpFilter->AddressRange);
    FreeSubnets(lpFilter->Subnet);
    EntryPageFilter_Free(lpFilter->EntryPage);
    std::free(lpFilter);
}

void ORB_CALL FreeFilters(ProfileFilter* lpChain) {
    while (lpChain) {
        ProfileFilter* next = lpChain->Next;
        FreeOneFilter(lpChain);
        lpChain = next;
    }
}

void ORB_CALL FreeFiltersForProfile(AnalysisProfile* lpProfile) {
    if (!lpProfile)
        return;
    FreeFilters(lpProfile->Filters);
    lpProfile->Filters = nullptr;
}

// New, Edit and Copy of a profile's filter, as the Filters page calls them.
#include "profile_sheet/filter_wizard.h"
#include "filter_wizard/filter_sheet.h"
#include <cstdio>
#include <cstring>

int NewProfileFilter(HWND owner, AnalysisProfile* profile, int position) {
    if (!profile)
        return 0;
    ProfileFilter* filter = nullptr;
    if (FilterSheet(owner, &filter, profile, 1) != 1 || !filter)
        return 0;
    AddFilterToProfile(filter, profile, position);
    return 1;
}

int EditProfileFilter(HWND owner, AnalysisProfile* profile, ProfileFilter* filter) {
    if (!profile || !filter)
        return 0;
    ProfileFilter** link = &profile->Filters;
    while (*link && *link != filter)
        link = &(*link)->Next;
    if (!*link)
        return 0;
    ProfileFilter* copy = MakeCopyOfFilter(filter);
    if (!copy)
        return 0;
    if (FilterSheet(owner, &copy, nullptr, 0) != 1) {
        FreeOneFilter(copy);
        return 0;
    }
    copy->Next = filter->Next;
    *link = copy;
    filter->Next = nullptr;
    FreeOneFilter(filter);
    return 1;
}

int CopyProfileFilter(const ProfileFilter* filter, AnalysisProfile* profile, int position) {
    ProfileFilter* copy = filter && profile ? MakeCopyOfFilter(filter) : nullptr;
    if (!copy)
        return 0;
    static const char kCopyFormat[] = "Copy of %s";
    if (strlen(filter->Name) + 1 < FILTER_NAME_SIZE - strlen(kCopyFormat))
        snprintf(copy->Name, sizeof copy->Name, kCopyFormat, filter->Name);
    AddFilterToProfile(copy, profile, position);
    return 1;
}

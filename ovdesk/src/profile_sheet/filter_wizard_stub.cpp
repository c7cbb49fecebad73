// Stand-in for the filter wizard until its editor lands: a new filter is an
// include-everything filter, a copy is pasted as it is, and editing changes
// nothing.
#include "profile_sheet/filter_wizard.h"
#include <cstring>

int NewProfileFilter(AnalysisProfile* profile, int position) {
    ProfileFilter* filter = CreateNewIncludeFilter();
    if (!filter)
        return 0;
    strcpy(filter->Name, "New Filter");
    AddFilterToProfile(filter, profile, position);
    return 1;
}

int EditProfileFilter(AnalysisProfile*, ProfileFilter*) {
    return 0;
}

int CopyProfileFilter(const ProfileFilter* filter, AnalysisProfile* profile, int position) {
    ProfileFilter* copy = filter ? MakeCopyOfFilter(filter) : nullptr;
    if (!copy)
        return 0;
    AddFilterToProfile(copy, profile, position);
    return 1;
}

// The filter wizard as the Filters page calls it. Each call returns 1 when
// the profile's filter chain was changed, else 0 (the chain unchanged).
// position: as AddFilterToProfile takes it (-1 the end, n after the n-th).
#pragma once
#include <windows.h>
#include "ovcore/ovcore.h"

// Builds a new filter in the wizard and links it in on Finish.
int NewProfileFilter(HWND owner, AnalysisProfile* profile, int position);
// Edits a copy of filter; on OK the copy takes the filter's place in the
// chain and the filter is freed.
int EditProfileFilter(HWND owner, AnalysisProfile* profile, ProfileFilter* filter);
// Links a copy of filter in, named "Copy of <name>" when that fits.
int CopyProfileFilter(const ProfileFilter* filter, AnalysisProfile* profile, int position);

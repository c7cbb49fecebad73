// The filter wizard as the Filters page calls it. Each call returns 1 when
// the profile's filter chain was changed, else 0 (the chain unchanged).
// position: as AddFilterToProfile takes it (-1 the end, n after the n-th).
#pragma once
#include "ovcore/ovcore.h"

int NewProfileFilter(AnalysisProfile* profile, int position);
int EditProfileFilter(AnalysisProfile* profile, ProfileFilter* filter);
int CopyProfileFilter(const ProfileFilter* filter, AnalysisProfile* profile, int position);

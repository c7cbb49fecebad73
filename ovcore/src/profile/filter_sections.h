// The filter sections of the profile file, one per filter of the chain.
#pragma once
#include "ovcore/profile.h"
#include "profile/profile_out.h"

// Appends one section per filter, named "[Filter%d]" from 1, in chain order.
// A filter without a name is written as "Filter %d" so that reading does not
// stop at it.
void WriteProfileFilters(ProfileOut* out, const ProfileFilter* lpChain);
// Frees the profile's chain and reads the sections "[Filter1]", "[Filter2]",
// ... up to the first missing one. 1 on success; 0 when a filter type is
// neither include nor exclude, or memory ran short.
int ReadProfileFilters(AnalysisProfile* lpProfile, const char* szText);

// A new profile for the host (code 2 without an entry): the remote log
// finder runs first, and each log it finds becomes a profile.
#pragma once
#include "ovdesk/host_interface.h"
#include "seekmole.h"

// The new-profile path of code 2: HOST_DONE with *newEntry, HOST_CANCELLED
// when the profile sheet was cancelled, HOST_NO_MEMORY without memory or
// without the sheet when nothing was found.
int NewHostProfile(HWND host, ProfileListEntry** newEntry);
// Fills working from the first found log and saves it, says so, and hands
// every further found log to the host as a profile of its own (slot 13).
// HOST_DONE, or HOST_NO_MEMORY when a profile or entry could not be made.
int AddFoundLogProfiles(HWND host, AnalysisProfile* working, const SeekmoleRequest* request);

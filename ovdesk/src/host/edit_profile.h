// The edit path of the host's code 2: the profile sheet's tabs on a copy of
// an entry's profile, written back on OK.
#pragma once
#include "ovdesk/host_interface.h"

// HOST_DONE when the sheet was closed with OK (the profile and its file
// updated, the entry refilled), HOST_CANCELLED when it was cancelled,
// HOST_NO_MEMORY without memory or without the sheet.
int EditHostProfile(HWND host, ProfileListEntry* entry);

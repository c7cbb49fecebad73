// The plug-in's list of loaded profiles, rebuilt by each complete profile
// enumeration of the host; the plug-in owns the profiles in it.
#pragma once
#include "ovdesk/host_interface.h"
#include "ovcore/ovcore.h"

// Appends a profile to the loaded list; 0 without memory (nothing changed).
int AppendLoadedProfile(AnalysisProfile* profile);
// Removes a profile from the loaded list, keeping the order; 1 when it was there.
int RemoveLoadedProfile(AnalysisProfile* profile);
// The loaded list and its count (the array may move when the list changes).
AnalysisProfile** GetLoadedProfiles(void);
DWORD GetLoadedProfileCount(void);
// Frees every loaded profile and the list (shut-down, tests).
void FreeLoadedProfiles(void);
// Describes a profile to the host.
void FillProfileListEntry(ProfileListEntry* entry, AnalysisProfile* profile);
// TRUE while an enumeration is under way (messages then stay quiet).
BOOL IsProfileEnumerationRunning(void);

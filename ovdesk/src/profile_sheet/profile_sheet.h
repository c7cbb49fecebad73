// The profile property sheet, as the host's profile functions open it.
#pragma once
#include "ovcore/ovcore.h"

enum ProfileSheetMode { PROFILE_SHEET_NEW = 0, PROFILE_SHEET_EDIT = 1 };
enum ProfileSheetResult {
    PROFILE_SHEET_UNAVAILABLE = -1, // the sheet could not be shown
    PROFILE_SHEET_CANCELLED = 0,
    PROFILE_SHEET_OK = 1,
};
// Start page of ShowProfileSheet: the page last shown when editing, the
// first page in the wizard.
enum { PROFILE_SHEET_LAST_PAGE = -1 };

// Shows the sheet modally on profile, which the pages edit in place: the
// new-profile wizard (wizard 1) or the tabs of an existing profile.
// loaded/count is the profile list and unedited the stored profile that
// profile is a copy of (null for a new or copied profile), for the
// duplicate checks. startPage is a sheet index or PROFILE_SHEET_LAST_PAGE.
// PROFILE_SHEET_OK when finished or OK, PROFILE_SHEET_CANCELLED when a page
// was cancelled, PROFILE_SHEET_UNAVAILABLE when it could not be shown.
int ShowProfileSheet(HWND owner, int wizard, AnalysisProfile* profile, int startPage,
                     AnalysisProfile** loaded, DWORD count, const AnalysisProfile* unedited);
// The same for a new or copied profile (mode NEW) or one being edited.
int RunProfileSheet(HWND owner, AnalysisProfile* profile, ProfileSheetMode mode,
                    AnalysisProfile** loaded, DWORD count);

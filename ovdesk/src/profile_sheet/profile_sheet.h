// The profile property sheet, as the host's profile functions open it.
#pragma once
#include "ovcore/ovcore.h"

enum ProfileSheetMode { PROFILE_SHEET_NEW = 0, PROFILE_SHEET_EDIT = 1 };
enum ProfileSheetResult {
    PROFILE_SHEET_UNAVAILABLE = -1, // the sheet is not part of this build
    PROFILE_SHEET_CANCELLED = 0,
    PROFILE_SHEET_OK = 1,
};

// Opens the sheet on profile (edited in place) with the loaded list.
int RunProfileSheet(HWND owner, AnalysisProfile* profile, ProfileSheetMode mode,
                    AnalysisProfile** loaded, DWORD count);

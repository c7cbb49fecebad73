// Placeholder until the profile sheet lands: it cannot be shown.
#include "profile_sheet/profile_sheet.h"

int RunProfileSheet(HWND, AnalysisProfile*, ProfileSheetMode, AnalysisProfile**, DWORD) {
    return PROFILE_SHEET_UNAVAILABLE;
}

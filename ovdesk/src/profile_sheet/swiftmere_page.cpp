// The Advanced Swiftmere page: where the profile's history database lies.
#include "profile_sheet/sheet_state.h"
#include "profile_sheet/log_source_pickers.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>
#include "ovkit/text_copy.h"

namespace {
enum { HELP_SWIFTMERE = 7016, DAILY_FOLDERS = 0 };

void UpdateControls(HWND page) {
    bool alternate = IsDlgButtonChecked(page, IDC_SW_DEFAULT) != BST_CHECKED;
    EnableWindow(GetDlgItem(page, IDC_SW_FOLDER), alternate);
    EnableWindow(GetDlgItem(page, IDC_SW_BROWSE), alternate);
}

void OnBrowse(HWND page) {
    char folder[PROFILE_REPOSITORY_SIZE];
    GetItemTextBounded(page, IDC_SW_FOLDER, folder, sizeof folder);
    if (!folder[0]) {
        char profilePath[MAX_PATH];
        char proposed[MAX_PATH];
        if (GenerateOrbisFilePath(profilePath, SheetState().Profile) &&
            ConvertOrbisFileToRealTimeDir(SheetState().Profile, profilePath, proposed, nullptr,
                                          DAILY_FOLDERS))
            SetDlgItemTextA(page, IDC_SW_FOLDER, proposed);
    }
    char chosen[PROFILE_REPOSITORY_SIZE] = "";
    PickFolder(page, "Select the path where Swiftmere files for this profile will be saved.",
               chosen, sizeof chosen);
    SetDlgItemTextA(page, IDC_SW_FOLDER, chosen);
}

// Another profile of the list (not the one edited) with its local database
// in this folder, or null.
const AnalysisProfile* FolderUser(const AnalysisProfile* profile) {
    ProfileSheetState& sheet = SheetState();
    for (DWORD i = 0; i < sheet.LoadedCount; ++i) {
        const AnalysisProfile* other = sheet.Loaded[i];
        if (other && other != sheet.Unedited && other != profile &&
            other->SwiftmereFlag == SWIFTMERE_FILES &&
            _stricmp(other->SwiftmereRepository, profile->SwiftmereRepository) == 0)
            return other;
    }
    return nullptr;
}

BOOL LeaveSwiftmere(HWND page, UINT code) {
    AnalysisProfile* profile = SheetState().Profile;
    if (IsDlgButtonChecked(page, IDC_SW_DEFAULT) == BST_CHECKED) {
        profile->SwiftmereRepository[0] = '\0';
        return AcceptLeaving(page);
    }
    char folder[PROFILE_REPOSITORY_SIZE];
    GetItemTextBounded(page, IDC_SW_FOLDER, folder, sizeof folder);
    if (!folder[0]) {
        SheetMessage(page,
                     "No path was entered for the Swiftmere database location. Either choose to "
                     "use the default location, or enter a valid path for the Swiftmere database "
                     "location.",
                     OVDESK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    OvkitCopyText(profile->SwiftmereRepository, PROFILE_REPOSITORY_SIZE, folder);
    if (const AnalysisProfile* other = FolderUser(profile)) {
        char text[600];
        snprintf(text, sizeof text,
                 "The directory chosen is already being used as the Swiftmere database for "
                 "\"\"%.80s\"\". Please choose a different directory for this Swiftmere database.",
                 other->Description);
        SheetMessage(page, text, OVDESK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return RefuseLeaving(page, code);
    }
    return AcceptLeaving(page);
}
} // namespace

INT_PTR CALLBACK SwiftmerePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    SheetPageCommon(page, message, lParam, ROW_SWIFTMERE);
    switch (message) {
    case WM_INITDIALOG: {
        const char* folder = SheetState().Profile->SwiftmereRepository;
        CheckDlgButton(page, IDC_SW_DEFAULT, folder[0] ? BST_UNCHECKED : BST_CHECKED);
        SendDlgItemMessageA(page, IDC_SW_FOLDER, EM_LIMITTEXT, PROFILE_REPOSITORY_SIZE - 1, 0);
        SetDlgItemTextA(page, IDC_SW_FOLDER, folder);
        UpdateControls(page);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_SW_DEFAULT)
            UpdateControls(page);
        else if (LOWORD(wParam) == IDC_SW_BROWSE)
            OnBrowse(page);
        return TRUE;
    case WM_HELP:
        ShowSecondHelp(page, HELP_SWIFTMERE);
        return TRUE;
    case WM_NOTIFY: {
        UINT code = SheetNotifyCode(message, lParam);
        return IsLeaving(code) ? LeaveSwiftmere(page, code) : FALSE;
    }
    }
    return FALSE;
}

// The host's add-event dialog: picks a saved report definition of a kind for
// one of the loaded profiles and fills the host's ScheduleEvent buffer.
#include "schedule/schedule_summary_dialog.h"
#include "definitions/definition_walk.h"
#include "definitions/report_definitions.h"
#include "desk_services.h"
#include "host/profile_list.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
enum { ADD_LINE_SIZE = 2 * MAX_PATH };

const struct {
    int Id;
    int Kind;
} kKindButtons[] = {{IDC_ADD_KIND_MR, DEFINITION_VIEW},
                    {IDC_ADD_KIND_MSS, DEFINITION_SUMMARY},
                    {IDC_ADD_KIND_MG, DEFINITION_MG},
                    {IDC_ADD_KIND_ME, DEFINITION_ME}};

int TickedKind(HWND dialog) {
    for (const auto& button : kKindButtons)
        if (IsDlgButtonChecked(dialog, button.Id) == BST_CHECKED)
            return button.Kind;
    return DEFINITION_SUMMARY;
}

// One line per definition and loaded profile: "description\tprofile file".
int AddDefinitionLines(const char* path, const char*, void* context) {
    HWND list = (HWND)context;
    char description[DEFINITION_DESCRIPTION_SIZE];
    ReadDefinitionDescription(path, description, sizeof description);
    if (!description[0])
        return 0;
    AnalysisProfile** profiles = GetLoadedProfiles();
    for (DWORD i = 0; i < GetLoadedProfileCount(); ++i) {
        char line[ADD_LINE_SIZE];
        snprintf(line, sizeof line, "%s\t%s.%s", description, profiles[i]->BaseName,
                 profiles[i]->Extension);
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)line);
    }
    return 0;
}

void FillList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_SCHED_MEMORIZED);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    WalkDefinitionFiles(TickedKind(dialog), AddDefinitionLines, list);
}

void SetTabStops(HWND dialog) {
    // Dialog units: the profile column starts past a definition's description.
    INT stops[] = {150, 200};
    SendDlgItemMessageA(dialog, IDC_SCHED_MEMORIZED, LB_SETTABSTOPS, 2, (LPARAM)stops);
}

const AnalysisProfile* FindProfile(const char* name, const char* extension) {
    AnalysisProfile** profiles = GetLoadedProfiles();
    for (DWORD i = 0; name && i < GetLoadedProfileCount(); ++i)
        if (_stricmp(profiles[i]->BaseName, name) == 0 &&
            _stricmp(profiles[i]->Extension, extension ? extension : "") == 0)
            return profiles[i];
    return nullptr;
}

void TakeProfile(ScheduleEvent* event, const AnalysisProfile* profile) {
    if (!profile)
        return;
    snprintf(event->SetName, sizeof event->SetName, "%s", profile->BaseName);
    snprintf(event->SetExtension, sizeof event->SetExtension, "%s", profile->Extension);
    snprintf(event->SetDescription, sizeof event->SetDescription, "%s", profile->Description);
}

// The selected line is "description\tprofile file"; 0 after a message when
// nothing is selected or the definition is gone.
int TakeSelection(HWND dialog, ScheduleEvent* event) {
    HWND list = GetDlgItem(dialog, IDC_SCHED_MEMORIZED);
    LRESULT chosen = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (chosen == LB_ERR || SendMessageA(list, LB_GETTEXTLEN, chosen, 0) >= ADD_LINE_SIZE) {
        DeskMessageBox(dialog, "You must select a memorized activity to schedule.",
                       "No Memorized Activity Selected.", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    char line[ADD_LINE_SIZE] = "";
    SendMessageA(list, LB_GETTEXT, chosen, (LPARAM)line);
    char* profile = strchr(line, '\t');
    char* extension = nullptr;
    if (profile) {
        *profile++ = '\0';
        if ((extension = strrchr(profile, '.')))
            *extension++ = '\0';
    }
    int kind = TickedKind(dialog);
    ReportDefinition definition = {};
    if (!FindReportDefinition(kind, "", profile, extension, line, &definition, nullptr, 0))
        return 0;
    event->ActivityType = (WORD)kind;
    event->Version = 256;
    event->Active = 1;
    event->Time = (DWORD)time(nullptr);
    snprintf(event->Memorized, sizeof event->Memorized, "%s", definition.Description);
    snprintf(event->Server, sizeof event->Server, "%s", definition.Server);
    TakeProfile(event, FindProfile(profile, extension));
    return 1;
}
} // namespace

INT_PTR CALLBACK SchedulerAddDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        CheckRadioButton(dialog, IDC_ADD_KIND_MR, IDC_ADD_KIND_ME, IDC_ADD_KIND_MSS);
        SetTabStops(dialog);
        FillList(dialog);
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        ScheduleEvent* event = (ScheduleEvent*)GetWindowLongPtrA(dialog, DWLP_USER);
        if (id == IDOK && event && TakeSelection(dialog, event))
            EndDialog(dialog, 1);
        else if (id == IDCANCEL)
            EndDialog(dialog, 2);
        else if (HIWORD(wParam) == BN_CLICKED && id >= IDC_ADD_KIND_MR && id <= IDC_ADD_KIND_ME)
            FillList(dialog);
        return TRUE;
    }
    }
    return FALSE;
}

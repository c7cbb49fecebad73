// The host's add-event dialog: picks a saved report definition of a kind and
// fills the host's ScheduleEvent buffer with it.
#include "schedule/schedule_summary_dialog.h"
#include "definitions/report_definitions.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
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

void FillList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_SCHED_MEMORIZED);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ListReportDefinitions(list, LIST_LISTBOX, TickedKind(dialog), nullptr);
}

// The selected line is "description\tprofile file"; 0 after a message when
// nothing is selected or the definition is gone.
int TakeSelection(HWND dialog, ScheduleEvent* event) {
    HWND list = GetDlgItem(dialog, IDC_SCHED_MEMORIZED);
    LRESULT chosen = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (chosen == LB_ERR || SendMessageA(list, LB_GETTEXTLEN, chosen, 0) >= MAX_PATH * 2) {
        DeskMessageBox(dialog, "You must select a memorized activity to schedule.",
                       "No Memorized Activity Selected.", MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    char line[MAX_PATH * 2] = "";
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
    return 1;
}
} // namespace

INT_PTR CALLBACK SchedulerAddDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        CheckRadioButton(dialog, IDC_ADD_KIND_MR, IDC_ADD_KIND_ME, IDC_ADD_KIND_MSS);
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

// Dialog 740: memorized report, profile, time, repeat and destination of a
// scheduled event.
#include "schedule/schedule_summary_dialog.h"
#include "schedule/schedule_summary_parts.h"
#include "definitions/report_definitions.h"
#include "desk_services.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include "log_sources/log_source_address.h"
#include "report_dialog/report_pages.h"
#include "report_run/report_run.h"
#include "resource_ids.h"
#include "ovcore/dates.h"
#include "ovkit/ui_helpers.h"
#include <cstdio>
#include <cstring>
#include <ctime>
#include <initializer_list>

namespace {

const char* const kKinds[] = {"file:///", "ftp://", "mailto:"};
const char* const kUnits[] = {"Minute(s)", "Hour(s)", "Day(s)", "Week(s)", "Month(s)"};
enum {
    KIND_ITEM_FILE = SCHED_KIND_ITEM_FILE,
    KIND_ITEM_FTP = SCHED_KIND_ITEM_FTP,
    KIND_ITEM_MAIL = SCHED_KIND_ITEM_MAIL,
    SCHED_PICTURE = 16,
};
const char kBoldFontProp[] = "OvSchedFont";

ScheduleListEntry* EntryOf(HWND dialog) {
    return (ScheduleListEntry*)GetWindowLongPtrA(dialog, DWLP_USER);
}

int KindOfItem(int item) {
    return item == KIND_ITEM_MAIL  ? DESTINATION_MAIL
           : item == KIND_ITEM_FTP ? DESTINATION_FTP
                                   : DESTINATION_FILE;
}

int ItemOfKind(int kind) {
    return kind == DESTINATION_MAIL ? KIND_ITEM_MAIL : kind == DESTINATION_FTP ? KIND_ITEM_FTP : 0;
}

void ShowKind(HWND dialog, int item) {
    BOOL mail = item == KIND_ITEM_MAIL;
    SetDlgItemTextA(dialog, IDC_SCHED_BROWSE,
                    mail                    ? ""
                    : item == KIND_ITEM_FTP ? "Login..."
                                            : "Browse...");
    ShowWindow(GetDlgItem(dialog, IDC_SCHED_BROWSE), mail ? SW_HIDE : SW_SHOW);
    SetDlgItemTextA(dialog, IDC_SCHED_EXAMPLE,
                    mail                    ? "report.htm"
                    : item == KIND_ITEM_FTP ? "ftp.example.com/reports/report.htm"
                                            : "c:\\websrvr\\report.htm");
    for (int id : {IDC_SCHED_MAIL_LABEL, IDC_SCHED_MAIL, IDC_SCHED_MAIL_EXAMPLE})
        ShowWindow(GetDlgItem(dialog, id), mail ? SW_SHOW : SW_HIDE);
}

void ShowTarget(HWND dialog, const char* target) {
    char path[MAX_PATH];
    int kind = SplitLogSourceUrl(path, target);
    int item = ItemOfKind(kind);
    SendDlgItemMessageA(dialog, IDC_SCHED_KIND, CB_SETCURSEL, item, 0);
    ShowSaveAsTarget(dialog, IDC_SCHED_TARGET, IDC_SCHED_MAIL, path, KindOfItem(item));
    ShowKind(dialog, item);
}

void TakeProfile(HWND dialog, ScheduleListEntry* entry, const AnalysisProfile* profile) {
    ScheduleEvent* event = entry->Event;
    snprintf(event->SetName, sizeof event->SetName, "%s", profile->BaseName);
    snprintf(event->SetExtension, sizeof event->SetExtension, "%s", profile->Extension);
    snprintf(event->SetDescription, sizeof event->SetDescription, "%s", profile->Description);
    HostFindProfileProc find = HostFindProfile();
    DWORD_PTR handle = 0;
    if (find && find((AnalysisProfile*)profile, &handle) == 1)
        entry->HostHandle = handle;
    (void)dialog;
}

void FillProfiles(HWND dialog, ScheduleListEntry* entry) {
    HWND combo = GetDlgItem(dialog, IDC_SCHED_PROFILE);
    AnalysisProfile** profiles = GetLoadedProfiles();
    DWORD count = GetLoadedProfileCount();
    const ScheduleEvent* event = entry->Event;
    // The event's own profile file first: its description may have been
    // edited since, and a lost match would move the event to another profile.
    DWORD chosen = count, described = count;
    for (DWORD i = 0; i < count; ++i) {
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)profiles[i]->Description);
        if (chosen == count && event->SetName[0] &&
            _stricmp(profiles[i]->BaseName, event->SetName) == 0 &&
            _stricmp(profiles[i]->Extension, event->SetExtension) == 0)
            chosen = i;
        if (described == count && strcmp(profiles[i]->Description, event->SetDescription) == 0)
            described = i;
    }
    if (chosen == count)
        chosen = described == count ? 0 : described;
    if (!count)
        return;
    SendMessageA(combo, CB_SETCURSEL, chosen, 0);
    TakeProfile(dialog, entry, profiles[chosen]);
}

// A chosen definition's description, look-up text and destination.
void TakeDefinition(HWND dialog, ScheduleEvent* event, const ReportDefinition& definition) {
    event->Version = 256;
    event->Active = 1;
    event->Time = (DWORD)time(nullptr);
    snprintf(event->Memorized, sizeof event->Memorized, "%s", definition.Description);
    snprintf(event->Server, sizeof event->Server, "%s", definition.Server);
    snprintf(event->SaveAsFilename, sizeof event->SaveAsFilename, "%s", definition.SaveReportAs);
    snprintf(event->SaveAsUsername, sizeof event->SaveAsUsername, "%s", definition.SaveToUserName);
    snprintf(event->SaveAsPassword, sizeof event->SaveAsPassword, "%s", definition.SaveToPassword);
    ShowTarget(dialog, event->SaveAsFilename[0] ? event->SaveAsFilename : ".\\REPORT.HTM");
}

void FillMemorized(HWND dialog, ScheduleEvent* event) {
    HWND combo = GetDlgItem(dialog, IDC_SCHED_MEMORIZED);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    FillReportDefinitionCombo(combo, event->Memorized);
    if (event->Memorized[0] || SendMessageA(combo, CB_GETCOUNT, 0, 0) <= 0)
        return;
    // A new event takes the first definition.
    char first[DEFINITION_DESCRIPTION_SIZE] = "";
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    OVKIT_GetSelectedComboText(combo, 0, first, sizeof first, 0);
    ReportDefinition definition = {};
    if (FindReportDefinition(DEFINITION_SUMMARY, "", nullptr, nullptr, first, &definition, nullptr,
                             0))
        TakeDefinition(dialog, event, definition);
    else
        snprintf(event->Memorized, sizeof event->Memorized, "%s", first);
}

void OnInit(HWND dialog, ScheduleListEntry* entry) {
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)entry);
    ScheduleEvent* event = entry->Event;
    HFONT bold = PrepWindowFonts(dialog);
    SetPropA(dialog, kBoldFontProp, bold);
    SendDlgItemMessageA(dialog, IDC_SCHED_MAIL_LABEL, WM_SETFONT, (WPARAM)bold, FALSE);
    CenterWindowOnScreen(dialog);
    for (const char* kind : kKinds)
        SendDlgItemMessageA(dialog, IDC_SCHED_KIND, CB_ADDSTRING, 0, (LPARAM)kind);
    for (const char* unit : kUnits)
        SendDlgItemMessageA(dialog, IDC_SCHED_UNIT, CB_ADDSTRING, 0, (LPARAM)unit);
    FillProfiles(dialog, entry);
    char timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    desk::FormatLocalTimeTexts(timeText, dateText, (time_t)event->Time);
    SetDlgItemTextA(dialog, IDC_SCHED_TIME, timeText);
    SetDlgItemTextA(dialog, IDC_SCHED_DATE, dateText);
    SetDlgItemInt(dialog, IDC_SCHED_REPEAT, event->RepeatIncrement, FALSE);
    SendDlgItemMessageA(dialog, IDC_SCHED_UNIT, CB_SETCURSEL, event->RepeatType, 0);
    ShowTarget(dialog, event->SaveAsFilename[0] ? event->SaveAsFilename : ".\\REPORT.HTM");
    FillMemorized(dialog, event);
    ShowDecorativePicture(dialog, IDC_SCHED_PICTURE, SCHED_PICTURE);
}

void OnDestroy(HWND dialog) {
    RemoveDecorativePicture(dialog, IDC_SCHED_PICTURE, SCHED_PICTURE);
    HFONT bold = (HFONT)RemovePropA(dialog, kBoldFontProp);
    if (bold && bold != (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0))
        DeleteObject(bold);
}

void OnMemorizedChanged(HWND dialog, ScheduleEvent* event) {
    char chosen[DEFINITION_DESCRIPTION_SIZE] = "";
    OVKIT_GetSelectedComboText(dialog, IDC_SCHED_MEMORIZED, chosen, sizeof chosen, -1);
    ReportDefinition definition = {};
    if (FindReportDefinition(DEFINITION_SUMMARY, "", nullptr, nullptr, chosen, &definition, nullptr,
                             0))
        TakeDefinition(dialog, event, definition);
}

int Refuse(HWND dialog, int focus, const char* text, const char* caption) {
    DeskMessageBox(dialog, text, caption, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, focus));
    return 0;
}

// Reads the fields into the event; 0 after a message when one is invalid.
int OnSave(HWND dialog, ScheduleEvent* event) {
    BOOL ok = FALSE;
    event->RepeatIncrement = (WORD)GetDlgItemInt(dialog, IDC_SCHED_REPEAT, &ok, FALSE);
    LRESULT unit = SendDlgItemMessageA(dialog, IDC_SCHED_UNIT, CB_GETCURSEL, 0, 0);
    event->RepeatType = (WORD)(unit == CB_ERR ? 0 : unit);
    char timeText[12] = "", dateText[DATE_TEXT_SIZE] = "";
    GetDlgItemTextA(dialog, IDC_SCHED_TIME, timeText, sizeof timeText);
    GetDlgItemTextA(dialog, IDC_SCHED_DATE, dateText, sizeof dateText);
    if (!timeText[0] || !dateText[0])
        return Refuse(dialog, IDC_SCHED_TIME,
                      "The time and date fields must contain valid entries to create a "
                      "scheduled event.",
                      "Time and/or Date Fields Blank");
    if (!IsValidDateText(dateText))
        return Refuse(dialog, IDC_SCHED_DATE, "The date field does not contain a valid date.",
                      "Invalid Date");
    if (!IsValidTimeText(timeText))
        return Refuse(dialog, IDC_SCHED_TIME, "The time field does not contain a valid time.",
                      "Invalid Time");
    struct tm when = {};
    ParseDateTimeText(timeText, dateText, &when.tm_hour, &when.tm_min, &when.tm_sec, &when.tm_mon,
                      &when.tm_mday, &when.tm_year);
    when.tm_isdst = -1;
    LRESULT item = SendDlgItemMessageA(dialog, IDC_SCHED_KIND, CB_GETCURSEL, 0, 0);
    int kind = KindOfItem(item == CB_ERR ? 0 : (int)item);
    char target[MAX_PATH], address[MAX_PATH];
    if (!GetSaveAsTarget(dialog, IDC_SCHED_TARGET, IDC_SCHED_MAIL, target, kind))
        return 0;
    if (!BuildLogSourceUrl(kind, target, address))
        return Refuse(dialog, IDC_SCHED_TARGET, "Invalid URL Path", "Log Analyzer");
    event->Time = (DWORD)Y2K_mktime(&when);
    snprintf(event->SaveAsFilename, sizeof event->SaveAsFilename, "%s", address);
    return 1;
}

BOOL OnCommand(HWND dialog, int id, int code) {
    ScheduleListEntry* entry = EntryOf(dialog);
    if (!entry)
        return FALSE;
    switch (id) {
    case IDOK:
        if (OnSave(dialog, entry->Event))
            EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 2);
        return TRUE;
    case IDC_SCHED_MEMORIZED:
        if (code == CBN_SELCHANGE)
            OnMemorizedChanged(dialog, entry->Event);
        return TRUE;
    case IDC_SCHED_PROFILE:
        if (code == CBN_SELCHANGE) {
            LRESULT chosen = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            if (chosen >= 0 && (DWORD)chosen < GetLoadedProfileCount())
                TakeProfile(dialog, entry, GetLoadedProfiles()[chosen]);
        }
        return TRUE;
    case IDC_SCHED_KIND:
        if (code == CBN_SELCHANGE)
            ShowKind(dialog, (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
        return TRUE;
    case IDC_SCHED_NEW:
        MemorizeNewScheduleReport(dialog, entry->Event);
        return TRUE;
    case IDC_SCHED_BROWSE:
        BrowseScheduleTarget(dialog, entry->Event);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int IsScheduleEventSpent(const ScheduleEvent* event, DWORD now) {
    return event->RepeatIncrement == 0 && now >= event->Time;
}

INT_PTR CALLBACK SchedulerEditSummaryDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, (ScheduleListEntry*)lParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_SCHED_REFILL_MEMORIZED:
        if (ScheduleListEntry* entry = EntryOf(dialog))
            FillMemorized(dialog, entry->Event);
        return TRUE;
    case WM_MEASUREITEM:
        OVKIT_MeasureCustomComboBox(dialog, IDC_SCHED_MEMORIZED, (MEASUREITEMSTRUCT*)lParam,
                                    (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0));
        return TRUE;
    case WM_DRAWITEM:
        OVKIT_DrawCustomComboBox(dialog, IDC_SCHED_MEMORIZED, (const DRAWITEMSTRUCT*)lParam,
                                 (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0));
        return TRUE;
    case WM_COMBO_ICON_INDEX:
        return AnswerComboIcon(dialog, lParam, DefinitionIcon(wParam));
    }
    return FALSE;
}

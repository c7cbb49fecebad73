// The Schedule Report dialog's New, Browse and Login buttons.
#include "schedule/schedule_summary_parts.h"
#include "desk_services.h"
#include "host/profile_list.h"
#include "log_sources/orbis_login.h"
#include "report_dialog/create_report_dialog.h"
#include "report_dialog/report_pages.h"
#include "report_run/output_names.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include "ovkit/text_copy.h"

namespace {
AnalysisProfile* ChosenProfile(HWND dialog) {
    LRESULT chosen = SendDlgItemMessageA(dialog, IDC_SCHED_PROFILE, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || (DWORD)chosen >= GetLoadedProfileCount())
        return nullptr;
    return GetLoadedProfiles()[chosen];
}

int KindItem(HWND dialog) {
    LRESULT item = SendDlgItemMessageA(dialog, IDC_SCHED_KIND, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? SCHED_KIND_ITEM_FILE : (int)item;
}

int BrowseFile(HWND dialog, ScheduleEvent* event) {
    char name[MAX_PATH];
    GetItemTextBounded(dialog, IDC_SCHED_TARGET, name, sizeof name);
    // Relative names stay relative: the report run resolves them in the
    // reports folder.
    if (!BrowseReportOutputFile(dialog, name, 1, 0))
        return 0;
    OvkitCopyText(event->SaveAsFilename, sizeof event->SaveAsFilename, name);
    SetDlgItemTextA(dialog, IDC_SCHED_TARGET, name);
    return 1;
}

int Login(HWND dialog, ScheduleEvent* event) {
    OrbisLoginBlock block = {};
    block.Kind = 2; // a report destination
    OvkitCopyText(block.UserName, sizeof block.UserName, event->SaveAsUsername);
    OvkitCopyText(block.Password, sizeof block.Password, event->SaveAsPassword);
    GetItemTextBounded(dialog, IDC_SCHED_TARGET, block.RemotePath, sizeof block.RemotePath);
    if (RunOrbisLogin(dialog, &block) != 1)
        return 0;
    SetDlgItemTextA(dialog, IDC_SCHED_TARGET, block.RemotePath);
    OvkitCopyText(event->SaveAsUsername, sizeof event->SaveAsUsername, block.UserName);
    OvkitCopyText(event->SaveAsPassword, sizeof event->SaveAsPassword, block.Password);
    return 1;
}
} // namespace

int MemorizeNewScheduleReport(HWND dialog, ScheduleEvent* event) {
    AnalysisProfile* profile = ChosenProfile(dialog);
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(CREATE_REPORT_TEMPLATE);
    AnalysisProfile* working = profile && dialogTemplate ? AnalysisProfile_New() : nullptr;
    if (!working)
        return 0;
    if (!AnalysisProfile_CopyNonRuntime(working, profile)) {
        AnalysisProfile_Free(working);
        return 0;
    }
    ReportRunRequest request = {
        nullptr, working, GetLoadedProfiles(), GetLoadedProfileCount(), RUN_MODE_CHOOSER, nullptr};
    CreateReportParams params = {};
    params.Request = &request;
    params.Options = CREATE_REPORT_OPTION_MEMORIZE;
    INT_PTR result = DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, dialog,
                                             CreateReportDlg, (LPARAM)&params);
    AnalysisProfile_Free(working);
    if (result != 1 || !params.Description[0])
        return 0;
    OvkitCopyText(event->Memorized, sizeof event->Memorized, params.Description);
    SendMessageA(dialog, WM_SCHED_REFILL_MEMORIZED, 0, 0);
    return 1;
}

int BrowseScheduleTarget(HWND dialog, ScheduleEvent* event) {
    switch (KindItem(dialog)) {
    case SCHED_KIND_ITEM_FILE:
        return BrowseFile(dialog, event);
    case SCHED_KIND_ITEM_FTP:
        return Login(dialog, event);
    }
    return 0; // mail has no button
}

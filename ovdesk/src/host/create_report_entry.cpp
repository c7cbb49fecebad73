// Host code 1: the Create Report dialog on a working copy of a profile.
#include "ovdesk/host_interface.h"
#include "host/profile_list.h"
#include "desk_services.h"
#include "report_dialog/create_report_dialog.h"

int __cdecl HostCreateReport(HWND host, ProfileListEntry* entry, int runMode) {
    if (!entry || !entry->Profile)
        return HOST_NO_MEMORY;
    AnalysisProfile* profile = entry->Profile;
    if (runMode == RUN_MODE_REALTIME &&
        !(profile->SwiftmereFlag && profile->RealtimeAnalysis && profile->RealtimeReports))
        return HOST_NO_MEMORY;
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(CREATE_REPORT_TEMPLATE);
    AnalysisProfile* working = dialogTemplate ? AnalysisProfile_New() : nullptr;
    if (!working)
        return HOST_NO_MEMORY;
    if (!AnalysisProfile_CopyNonRuntime(working, profile)) {
        AnalysisProfile_Free(working);
        return HOST_NO_MEMORY;
    }
    ReportRunRequest request = {nullptr, working, GetLoadedProfiles(), GetLoadedProfileCount(),
                                (WORD)runMode};
    CreateReportParams params = {};
    params.Request = &request;
    INT_PTR result = DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, host,
                                             CreateReportDlg, (LPARAM)&params);
    AnalysisProfile_CopyNonRuntime(profile, working);
    AnalysisProfile_Free(working);
    return result == -1 ? HOST_NO_MEMORY : (int)result;
}

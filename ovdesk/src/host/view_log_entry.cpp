// Host code 15: the View Log File dialog on a working copy of a profile.
#include "ovdesk/host_interface.h"
#include "host/profile_list.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "view_log/view_log.h"

int __cdecl HostViewLogFile(HWND host, ProfileListEntry* entry) {
    if (!entry || !entry->Profile)
        return HOST_NO_MEMORY;
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(IDD_VIEW_LOG);
    AnalysisProfile* working = dialogTemplate ? AnalysisProfile_New() : nullptr;
    if (!working)
        return HOST_NO_MEMORY;
    if (!AnalysisProfile_CopyNonRuntime(working, entry->Profile)) {
        AnalysisProfile_Free(working);
        return HOST_NO_MEMORY;
    }
    ReportRunRequest request = {
        nullptr, working, GetLoadedProfiles(), GetLoadedProfileCount(), RUN_MODE_CHOOSER, nullptr};
    INT_PTR result = DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, host,
                                             SetReportDlg, (LPARAM)&request);
    AnalysisProfile_Free(working);
    return result == -1 ? HOST_NO_MEMORY : HOST_DONE;
}

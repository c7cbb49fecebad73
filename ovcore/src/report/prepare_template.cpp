// The run's working copy of the report template.
#include <stdio.h>
#include <string.h>

#include "ovcore/settings.h"
#include "report/run_report_services.h"
#include "run/run_setup.h"

namespace {

#define LOG_KIND_REFERRERS 7
#define LOG_KIND_AGENTS 8
#define TEMP_NAME_LIMIT 10000

const char* TemplateName(WORD logKind) {
    if (logKind == LOG_KIND_REFERRERS)
        return "referlog.var";
    if (logKind == LOG_KIND_AGENTS)
        return "agentlog.var";
    return "template.var";
}

// Claims folder + "TEMP<n>.HTM" with the first n whose file does not exist
// by creating it, so that two runs never share a copy. FALSE when none is
// free or the folder cannot be written.
BOOL ClaimTempName(const char* folder, char* path) {
    for (int n = 0; n < TEMP_NAME_LIMIT; n++) {
        if (snprintf(path, MAX_PATH, "%sTEMP%d.HTM", folder, n) >= MAX_PATH)
            return FALSE;
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return TRUE;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return FALSE;
    }
    return FALSE;
}

} // namespace

int PrepareReportTemplate(ReportHandle* report, RunContext* context) {
    DeletePreparedTemplate(context);
    char folder[MAX_PATH];
    ORB_GetTemplatePath(folder);
    if (snprintf(context->TemplatePath, MAX_PATH, "%s%s", folder,
                 TemplateName(context->Hits.LogKind)) >= MAX_PATH ||
        !FileExists(context->TemplatePath))
        return 0;
    char workFolder[MAX_PATH];
    char path[MAX_PATH];
    if (snprintf(workFolder, MAX_PATH, "%sTemplate\\", report->DataParent) >= MAX_PATH ||
        !ClaimTempName(workFolder, path))
        return 0;
    if (!TrimTemplateFile(path, context->TemplatePath, report->Sections, report->SectionCount)) {
        DeleteFileA(path);
        return 0;
    }
    lstrcpynA(context->PreparedTemplate, path, MAX_PATH);
    return 1;
}

void DeletePreparedTemplate(RunContext* context) {
    if (context && context->PreparedTemplate[0])
        DeleteFileA(context->PreparedTemplate);
    if (context)
        context->PreparedTemplate[0] = 0;
}

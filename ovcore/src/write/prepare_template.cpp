// The run's working copy of the report template.
#include "prepare_template.h"
#include "ovcore/logread.h"

#include <stdio.h>
#include <string.h>

#include "ovcore/profile_file.h"
#include "ovcore/settings.h"
#include "keywords/log_type_tables.h"
#include "run_report_services.h"
#include "write/report_output.h"
#include "run/run_setup.h"

#define TEMP_NAME_LIMIT 100000

BOOL MakeTempPageName(char* path) {
    size_t length = strlen(path);
    for (int n = 0; n < TEMP_NAME_LIMIT; ++n) {
        int written = snprintf(path + length, MAX_PATH - length, "TEMP%d.HTM", n);
        if (written <= 0 || (size_t)written >= MAX_PATH - length) {
            path[length] = 0;
            return FALSE;
        }
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            return TRUE;
    }
    path[length] = 0;
    return FALSE;
}

namespace {

const char* TemplateNameFor(int logFormat) {
    if (logFormat == LOGFMT_REFERRER)
        return "referlog.var";
    if (logFormat == LOGFMT_AGENT)
        return "agentlog.var";
    return MAIN_TEMPLATE_NAME;
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

int PrepareReportTemplate(ReportHandle* report, RunContext* run) {
    DeletePreparedTemplate(run);
    char folder[MAX_PATH], path[MAX_PATH];
    // Only the folder of the support-file path is used: the logo's source.
    if (!ORB_GetExePath(folder))
        return 0;
    snprintf(run->Output->TemplatePath, MAX_PATH, "%sBase\\Images\\", folder);
    if (!MakeTempPageName(run->Output->TemplatePath))
        return 0;
    if (!ORB_GetTemplatePath(folder))
        return 0;
    if (!ClaimTempName(folder, path))
        return 0;
    if (!TrimSections(path, report, TemplateNameFor(run->Hits.LogKind))) {
        DeleteFileA(path);
        return 0;
    }
    lstrcpynA(run->Output->PreparedTemplate, path, MAX_PATH);
    return 1;
}

void DeletePreparedTemplate(RunContext* context) {
    ReportOutput* output = context ? context->Output : nullptr;
    if (output && output->PreparedTemplate[0])
        DeleteFileA(output->PreparedTemplate);
    if (output)
        output->PreparedTemplate[0] = 0;
}

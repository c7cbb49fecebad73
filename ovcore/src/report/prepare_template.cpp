#include "report/prepare_template.h"

#include <stdio.h>
#include <string.h>

#include "ovcore/settings.h"
#include "report/log_type_tables.h"

BOOL MakeTempPageName(char* path) {
    size_t length = strlen(path);
    for (int n = 0; n < 100000; ++n) {
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

static const char* TemplateNameFor(int logFormat) {
    if (logFormat == LOG_FORMAT_REFERRER_ONLY)
        return "referlog.var";
    if (logFormat == LOG_FORMAT_AGENT_ONLY)
        return "agentlog.var";
    return "cluster.var";
}

int PrepareReportTemplate(ReportHandle* report, RunContext* run) {
    char folder[MAX_PATH], source[MAX_PATH];
    if (!ORB_GetExePath(folder))
        return 0;
    snprintf(run->TemplatePath, MAX_PATH, "%sBase\\Images\\", folder);
    if (!MakeTempPageName(run->TemplatePath))
        return 0;
    if (!ORB_GetTemplatePath(folder))
        return 0;
    lstrcpynA(run->PreparedTemplate, folder, MAX_PATH);
    if (!MakeTempPageName(run->PreparedTemplate))
        return 0;
    int n = snprintf(source, sizeof source, "%s%s", folder, TemplateNameFor(run->Hits.LogKind));
    if (n <= 0 || n >= MAX_PATH)
        return 0;
    return TrimTemplateFile(run->PreparedTemplate, source, report->Sections, report->SectionCount);
}

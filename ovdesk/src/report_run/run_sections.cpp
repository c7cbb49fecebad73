// The template sections a run hands to the engine. Until the Contents page
// chooses them, a report holds every section of the main template.
#include "report_run/run_steps.h"
#include "ovcore/ovcore.h"
#include <cstdio>

void LoadReportSections(ReportRunJob& job) {
    job.SectionBlock = nullptr;
    job.Sections = nullptr;
    job.SectionCount = 0;
    char folder[MAX_PATH], path[MAX_PATH];
    if (!ORB_GetTemplatePath(folder))
        return;
    int n = snprintf(path, sizeof path, "%s%s", folder, MAIN_TEMPLATE_NAME);
    WORD count = 0;
    HGLOBAL block = nullptr;
    if (n < 0 || n >= (int)sizeof path ||
        !ORB_ReadTemplateSectionList(path, &count, &block, nullptr) || !block)
        return;
    TemplateSection* sections = (TemplateSection*)GlobalLock(block);
    if (!sections) {
        GlobalFree(block);
        return;
    }
    for (WORD i = 0; i < count; ++i)
        sections[i].Include = 1;
    job.SectionBlock = block;
    job.Sections = sections;
    job.SectionCount = count;
}

void FreeReportSections(ReportRunJob& job) {
    if (job.SectionBlock) {
        GlobalUnlock(job.SectionBlock);
        GlobalFree(job.SectionBlock);
    }
    job.SectionBlock = nullptr;
    job.Sections = nullptr;
    job.SectionCount = 0;
}

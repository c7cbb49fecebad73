// The template sections a run hands to the engine: those the Contents page
// holds (a saved report's choices, or the user's), else every section of
// the main template.
#include "report_run/run_steps.h"
#include "report_dialog/contents_sections.h"

void LoadReportSections(ReportRunJob& job) {
    job.SectionBlock = nullptr;
    job.Sections = nullptr;
    job.SectionCount = 0;
    WORD count = 0;
    HGLOBAL block = CopyTemplateSectionBlock(&count);
    if (!block && LoadTemplateSections()) {
        // No Contents page behind this run: the template's own list, whole.
        block = CopyTemplateSectionBlock(&count);
        FreeTemplateSections();
    }
    TemplateSection* sections = block ? (TemplateSection*)GlobalLock(block) : nullptr;
    if (!sections) {
        if (block)
            GlobalFree(block);
        return;
    }
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

#include "template_writer.h"
#include "ovcore/logread.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/progress_callback.h"
#include "ovcore/langvars.h"
#include "ovcore/settings.h"
#include "keywords/caption_key.h"
#include "keywords/header_call.h"
#include "keywords/log_type_tables.h"
#include "output_names.h"
#include "page_writer.h"
#include "prepare_template.h"
#include "report_files.h"
#include "style_settings.h"
#include "summary_error.h"
#include "write/report_output.h"

ResolveKeywordProc g_WriterResolveKeyword = ResolveTemplateKeyword;

static const char* const kTocImages[] = {"tocarw.gif", "tocsel.gif",  "tocclr.gif", "false.gif",
                                         "true.gif",   "collall.gif", "expall.gif"};

// The install folder and its "ovdesk\" folder, from the handle when the run
// set them, else from the engine's install folder.
static void RunFolders(const ReportHandle* report, char* mainFolder, char* moduleFolder) {
    if (report->DataGrandParent[0] && report->DataParent[0]) {
        lstrcpynA(mainFolder, report->DataGrandParent, MAX_PATH);
        lstrcpynA(moduleFolder, report->DataParent, MAX_PATH);
        return;
    }
    if (!ORB_GetExePath(mainFolder))
        mainFolder[0] = 0;
    if (!ORB_GetMainPath(moduleFolder))
        moduleFolder[0] = 0;
}

// Copies one support file (logo, background) from "Base\Images\" of the
// install folder; a failure only beeps.
static void CopySupportFile(const char* mainFolder, const char* name, const char* outputPath,
                            ReportStatusProc status) {
    char reference[MAX_PATH];
    snprintf(reference, sizeof reference, "%sBase\\Images\\x", mainFolder);
    if (status)
        status(1, name, 1);
    if (!WriteReportSupportFile(reference, name, outputPath))
        MessageBeep(MB_OK);
}

static void CopyImages(PageWriter& w, const char* mainFolder, const char* moduleFolder) {
    ReportOutput* out = w.run->Output;
    if (!out->DocumentOutput) {
        CopySupportFile(mainFolder, out->Style.LogoFilename, out->OutputPath, w.status);
        CopyReportImage(moduleFolder, w.parts.Folder, "loganlz.gif", w.status);
        if (w.frameMode)
            for (const char* image : kTocImages)
                CopyReportImage(moduleFolder, w.parts.Folder, image, w.status);
    }
    if (out->Style.BackgroundFilename[0])
        CopySupportFile(mainFolder, out->Style.BackgroundFilename, out->OutputPath, w.status);
}

// Steps before the template is read: settings, names, images, words.
static BOOL PrepareWriting(PageWriter& w) {
    RunContext* run = w.run;
    ReportOutput* out = run->Output;
    out->CurrentPageName[0] = out->NextPageName[0] = 0;
    ReadReportStyle(w.report->StyleName, &out->Style);
    if (!SplitOutputPath(out->OutputPath, &w.parts)) {
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, out->OutputPath);
        return FALSE;
    }
    out->DocumentOutput = IsDocumentExtension(w.parts.Extension);
    if (out->DocumentOutput) {
        out->Style.GraphType = 2;
        out->Style.FullPath = 1;
    }
    w.frameMode =
        out->Style.FramePage && !out->DocumentOutput && IsHtmlExtension(w.parts.Extension);
    out->Writer.FrameMode = w.frameMode;
    out->Writer.ShowHits = strchr(out->Style.TableColumns, '0') != NULL;
    out->Writer.ShowPercent = strchr(out->Style.TableColumns, '1') != NULL;
    out->Writer.ShowSessions = strchr(out->Style.TableColumns, '2') != NULL;
    if (!ChooseFirstPage(w))
        return FALSE;
    ClearPageList(run);
    int logKind = run->Hits.LogKind;
    if (logKind == LOGFMT_REFERRER || logKind == LOGFMT_AGENT) {
        MarkLogTypeTablesEmpty(logKind);
        if (out->PreparedTemplate[0])
            DeleteFileA(out->PreparedTemplate);
        PrepareReportTemplate(w.report, run);
    }
    char mainFolder[MAX_PATH], moduleFolder[MAX_PATH];
    RunFolders(w.report, mainFolder, moduleFolder);
    CopyImages(w, mainFolder, moduleFolder);
    ReplaceLanguageVar(out->PreparedTemplate, w.report->Language, w.report, GetTableCaptionKey);
    return TRUE;
}

static int WritePages(ReportHandle* report, RunContext* run, ReportStatusProc status) {
    PageWriter w{};
    w.report = report;
    w.run = run;
    w.status = status;
    w.resolve = g_WriterResolveKeyword;
    w.out = INVALID_HANDLE_VALUE;
    if (!PrepareWriting(w))
        return 0;

    HANDLE source = CreateFileA(run->Output->PreparedTemplate, GENERIC_READ, FILE_SHARE_READ, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (source == INVALID_HANDLE_VALUE) {
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, run->Output->PreparedTemplate);
        return 0;
    }
    char* chunk = (char*)malloc(TEMPLATE_CHUNK_SIZE + 1);
    if (!chunk) {
        CloseHandle(source);
        SetSummaryError(SUMMARY_TEXT_NO_MEMORY, NULL);
        return 0;
    }
    BOOL written = OpenContentPage(w, w.firstPage) && CopyTemplate(w, source, chunk);
    free(chunk);
    CloseHandle(source);
    if (!written) {
        AbandonPage(w);
        return 0;
    }
    if (!FinishCurrentPage(w))
        return 0;
    if (w.frameMode)
        WriteFrameset(w);
    return w.literalMarker ? 0 : 1;
}

int WriteTemplateReport(ReportHandle* report, RunContext* run, ReportStatusProc status) {
    if (!run->Output) {
        SetSummaryError(SUMMARY_TEXT_NO_MEMORY, NULL);
        return 0;
    }
    int written = WritePages(report, run, status);
    EndReportLookups();
    return written;
}

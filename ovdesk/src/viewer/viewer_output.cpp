// The viewer's Print, Save and Find Next.
#include "viewer/viewer_internal.h"
#include "viewer/viewer_save.h"
#include "viewer/select_items.h"
#include "printing/print_job.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {
struct OutputJob {
    HWND Dialog;
    BOOL Print;
    PrintAttribute Attributes[PRINT_ATTRIBUTE_COUNT];
    HGLOBAL DevNames, DevMode;
};

// Prints or saves the section shown; 0 on failure (or a cancelled print).
int OutputSection(OutputJob& job, BOOL multi, BOOL first) {
    ViewerState& viewer = Viewer();
    ViewerRequest* request = viewer.Request;
    HWND text = ViewerText();
    if (job.Print)
        return PrintMegaViewerText(text, PRINT_ATTRIBUTE_COUNT, job.Attributes, request->TabCount,
                                   request->TabColumns, multi, first, &job.DevNames, &job.DevMode,
                                   request->RunRequest);
    long lines = (long)SendMessageA(text, CSTV_GETLINECOUNT, 0, 0);
    int saved =
        SaveViewerText(job.Dialog, text, lines, request->TabCount, request->TabColumns, multi,
                       first, viewer.FileName, &viewer.FileType, request->RunRequest);
    request->Saved = saved && viewer.FileName[0];
    return saved;
}

void SaveFailed(HWND dialog) {
    DeskMessageBox(dialog, "Could NOT save the report.", "Error", MB_OK);
}

void OutputSections(OutputJob& job) {
    ViewerState& viewer = Viewer();
    ReportHandle* report = viewer.Request->Report;
    DWORD count = ADT_ViewReportCount(report);
    std::vector<WORD> items(count);
    for (DWORD i = 0; i < count; ++i)
        items[i] = (WORD)i;
    LONG unattended = ViewerUnattended(viewer.Request);
    SelectItemsRequest select = {job.Dialog, IDC_VIEW_SECTIONS, (WORD)count, items.data(),
                                 "",         &unattended};
    lstrcpynA(select.Title, job.Print ? "Select Items to Print..." : "Select Items to Save...",
              sizeof select.Title);
    UINT templateId = viewer.Request->ReportKind == 5 ? IDD_SELECT_ITEMS : IDD_SELECT_ITEMS_SORTED;
    const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(templateId);
    if (!dialogTemplate || DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, job.Dialog,
                                                   SelectCascadeDlg, (LPARAM)&select) != 1)
        return;
    DWORD shown = ADT_GetViewReportBufferNum(report);
    for (WORD i = 0; i < select.Count; ++i) {
        SwitchSection(job.Dialog, 0, items[i]);
        if (!OutputSection(job, TRUE, i == 0)) {
            if (!job.Print && i == 0)
                SaveFailed(job.Dialog);
            break;
        }
    }
    FreePrinterBlocks(&job.DevNames, &job.DevMode);
    SwitchSection(job.Dialog, 0, (int)shown);
}

void EnableOutput(HWND dialog, BOOL enable) {
    for (int id : {IDC_VIEW_SAVE, IDC_VIEW_PRINT, IDOK})
        EnableWindow(GetDlgItem(dialog, id), enable);
}
} // namespace

void PrintOrSave(HWND dialog, BOOL print) {
    EnableOutput(dialog, FALSE);
    OutputJob job = {dialog, print, {}, nullptr, nullptr};
    if (print) {
        char face[VIEWER_FACE_SIZE];
        int size = 8;
        ReadFontChoice(dialog, face, &size);
        CstTextAttribute attributes[PRINT_ATTRIBUTE_COUNT];
        BuildAttributes(face, size, attributes);
        for (int n = 0; n < PRINT_ATTRIBUTE_COUNT; ++n)
            job.Attributes[n].Text = attributes[n];
    }
    if (Viewer().Multi)
        OutputSections(job);
    else if (!OutputSection(job, FALSE, TRUE) && !print)
        SaveFailed(dialog);
    EnableOutput(dialog, TRUE);
}

void FindNext(HWND dialog) {
    char text[65];
    GetDlgItemTextA(dialog, IDC_VIEW_FIND_TEXT, text, sizeof text);
    if (!text[0])
        return;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    LRESULT found = SendMessageA(ViewerText(), CSTV_FIND, 1, (LPARAM)text);
    SetCursor(old);
    if (found == CSTV_FIND_NOT_FOUND) {
        DeskMessageBox(dialog, "Text was not found.", "Find Text...", MB_OK);
    } else if (found == CSTV_FIND_END &&
               DeskMessageBox(dialog,
                              "Search has reached the end of the file.  Do you want to continue "
                              "scanning from the beginning of the file?",
                              "Scan from beginning of file?", MB_YESNO) != IDNO) {
        if (SendMessageA(ViewerText(), CSTV_FIND, 0, (LPARAM)text) == CSTV_FIND_NOT_FOUND)
            DeskMessageBox(dialog, "Text was not found.", "Find Text...", MB_OK);
    }
    ShowPageNumbers(dialog);
}

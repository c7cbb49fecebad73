// Saving one section of the viewer's text.
#include "viewer/viewer_save.h"
#include "report_run/output_names.h"
#include "report_run/progress_dialog.h"
#include "report_run/run_steps.h"
#include "desk_services.h"
#include "cstctls4.h"
#include "ovkit/filedialog.h"
#include <commdlg.h>
#include <cstring>

namespace {
const char kFilter[] = "ASCII Report (*.RPT)\x01*.RPT\x01"
                       "Color Coded Report (*.CCR)\x01*.CCR\x01";

// Asks for the file; 0 when cancelled.
int AskFileName(HWND owner, char* fileName, int* fileType) {
    char folder[MAX_PATH], title[MAX_PATH] = "";
    MakeDefaultReportsDir(folder);
    OPENFILENAMEA dialog = {};
    char filter[sizeof kFilter];
    memcpy(filter, kFilter, sizeof kFilter);
    OVKIT_ConvertFileList(filter);
    fileName[0] = 0;
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = SAVE_COLOUR_CODED;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = MAX_PATH;
    dialog.lpstrInitialDir = folder;
    dialog.lpstrTitle = "Save Report As...";
    dialog.lpstrDefExt = "ccr";
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&dialog))
        return 0;
    *fileType = dialog.nFilterIndex == SAVE_ASCII ? SAVE_ASCII : SAVE_COLOUR_CODED;
    return 1;
}

BOOL WriteBytes(HANDLE file, const char* bytes, DWORD length) {
    DWORD written = 0;
    return WriteFile(file, bytes, length, &written, nullptr) && written == length;
}

// Writes the lines; FALSE when a write failed.
BOOL WriteLines(HANDLE file, HWND text, long lineCount, int type, int tabCount,
                const WORD* tabColumns, volatile LONG* stop) {
    char line[SAVE_LINE_SIZE], expanded[SAVE_LINE_SIZE];
    long step = lineCount / 100 > 0 ? lineCount / 100 : 1;
    for (long n = 0; n < lineCount && !*stop; ++n) {
        if (n % step == 0) {
            UpdateProgressPercent((int)(n * 100 / lineCount));
            PumpWhenDue();
        }
        SendMessageA(text, CSTV_SETCURLINE, 0, n);
        line[0] = 0;
        UINT message = type == SAVE_ASCII ? CSTV_GETLINE : CSTV_GETRAWLINE;
        int length = LOWORD(SendMessageA(text, message, sizeof line, (LPARAM)line));
        const char* out = line;
        if (type == SAVE_ASCII) {
            length = ExpandTabs(line, tabColumns, tabCount, expanded, sizeof expanded);
            out = expanded;
        }
        if (length > 0 && (!WriteBytes(file, out, (DWORD)length) || !WriteBytes(file, "\r\n", 2)))
            return FALSE;
    }
    return TRUE;
}
} // namespace

int ExpandTabs(const char* line, const WORD* tabColumns, int tabCount, char* out, int size) {
    int column = 0;
    for (const char* p = line; *p && column < size - 1; ++p) {
        if (*p != '\t') {
            out[column++] = *p;
            continue;
        }
        int stop = -1;
        for (int i = 0; i < tabCount && stop < 0; ++i)
            if (tabColumns[i] > column)
                stop = tabColumns[i];
        while (stop > column && column < size - 1)
            out[column++] = ' ';
    }
    out[column < size ? column : size - 1] = 0;
    return column;
}

int SaveViewerText(HWND viewer, HWND text, long lineCount, int tabCount, const WORD* tabColumns,
                   BOOL multi, BOOL first, char* fileName, int* fileType,
                   const ReportRunRequest* request) {
    BOOL unattended = request && request->Event;
    BOOL later = multi && !first;
    if (unattended && !later) {
        lstrcpynA(fileName, request->Event->SaveAsFilename, MAX_PATH);
        *fileType = request->Event->SaveAsFileType == SAVE_ASCII ? SAVE_ASCII : SAVE_COLOUR_CODED;
    } else if (!later && !AskFileName(viewer, fileName, fileType)) {
        return 1;
    }
    HANDLE file = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr,
                              later ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    if (later)
        SetFilePointer(file, 0, nullptr, FILE_END);
    static volatile LONG cancel;
    cancel = 0;
    ShowProgressDialog(viewer, &cancel, "Saving Report...", unattended ? SW_HIDE : SW_SHOWNORMAL);
    BOOL written = WriteLines(file, text, lineCount, *fileType, tabCount, tabColumns, &cancel);
    if (written && multi)
        written = WriteBytes(file, "\r\n\r\n\r\n\r\n", 8);
    CloseHandle(file);
    UpdateProgressPercent(100);
    CloseProgressDialog();
    return written ? 1 : 0;
}

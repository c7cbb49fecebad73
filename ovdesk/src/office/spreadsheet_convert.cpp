// The spreadsheet and text forms of a report: the engine's HTML report, its
// tables marked, becomes one comma-separated file per table, a plain-text
// overview and the spreadsheet macro's hand-over file.
#include "office/office_handover.h"
#include "office/report_tables.h"
#include "report_run/progress_messages.h"
#include "report_run/report_delivery.h"
#include "services/file_services.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovcore/settings.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char kCommaCaption[] = "Comma-delimited Text Report";
const char kTextCaption[] = "ASCII Text Report";
const char kSectionMain[] = "Ostrevane";
const char kDashes[] = "------------------------------------------------------------\r\n";
enum { CELL_SIZE = 1024, STATS_SIZE = 1024, SHEET_CHARS = 24, PERCENT_BEFORE_END = 99 };

struct Conversion {
    HWND Progress;
    const char* Text;
    DWORD Length;
    HANDLE Overview;
    HANDLE Table;
    char Handover[MAX_PATH]; // empty: no spreadsheet program, no hand-over file
    char Folder[MAX_PATH];   // the report's folder with its closing backslash
    char Base[7];            // the report's name cut to six characters
};

void WriteTo(HANDLE file, const char* text, size_t length) {
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE && length)
        WriteFile(file, text, (DWORD)length, &written, nullptr);
}

void WriteBoth(const Conversion& c, const char* text, size_t length) {
    WriteTo(c.Overview, text, length);
    WriteTo(c.Table, text, length);
}

void WriteKey(const Conversion& c, const char* section, const char* key, const char* value) {
    if (c.Handover[0])
        WritePrivateProfileStringA(section, key, value, c.Handover);
}

void WriteNumber(const Conversion& c, const char* section, const char* key, unsigned long value) {
    char text[16];
    snprintf(text, sizeof text, "%lu", value);
    WriteKey(c, section, key, text);
}

void CannotCreate(const Conversion& c, const char* path) {
    char text[MAX_PATH + 32];
    snprintf(text, sizeof text, "Unable to create %s.", path);
    DisplayReportError(c.Progress, OVDESK_CAPTION, text, 0, 0, 0);
}

void SendProgress(const Conversion& c, UINT message, WPARAM wParam, LPARAM lParam) {
    if (c.Progress && IsWindow(c.Progress))
        SendMessageA(c.Progress, message, wParam, lParam);
}

// One cell (or title) between open and close, cleaned, written to both
// files behind its separator. FALSE when the element has no further one.
BOOL CopyCell(Conversion& c, DWORD* cursor, DWORD end, const char* open, const char* close,
              BOOL first) {
    DWORD start = 0, length = 0, from = *cursor;
    if (!FindMarkedText(c.Text, &from, end, open, close, &start, &length))
        return FALSE;
    if (open[1] == 'T') { // "<TD ...>": the text begins behind the tag
        DWORD tagEnd = FindTextIn(c.Text, start, start + length, ">");
        if (tagEnd == TEXT_NOT_FOUND)
            return FALSE;
        length -= tagEnd + 1 - start;
        start = tagEnd + 1;
    }
    *cursor = from;
    char cell[CELL_SIZE];
    size_t cleaned = CleanCellText(c.Text + start, length, cell, sizeof cell);
    if (!first)
        WriteBoth(c, ", ", 2);
    WriteBoth(c, cell, cleaned);
    return TRUE;
}

// The rows of complete cells; a row that breaks off keeps its cells.
DWORD CopyRows(Conversion& c, DWORD cursor, DWORD end, unsigned columns) {
    DWORD rows = 0;
    for (;;) {
        unsigned done = 0;
        while (done < columns && CopyCell(c, &cursor, end, "<TD", "</TD>", done == 0))
            ++done;
        if (done)
            WriteBoth(c, "\r\n", 2);
        if (done < columns)
            return rows;
        ++rows;
    }
}

// Returns the offset behind the sheet-name marker, 0 when the table names none.
DWORD CopySheetName(Conversion& c, const ReportElement& e, int number, const char* tableName,
                    const char* section) {
    DWORD from = e.Start, start = 0, length = 0;
    if (!FindMarkedText(c.Text, &from, e.End, "<!-- OV_EXCEL_SHEET_NAME>",
                        "</OV_EXCEL_SHEET_NAME -->", &start, &length))
        return 0;
    char sheet[CELL_SIZE];
    CleanCellText(c.Text + start, length, sheet, sizeof sheet);
    char line[CELL_SIZE + 32];
    int written = snprintf(line, sizeof line, "-------->> %s <<--------\r\n", sheet);
    WriteTo(c.Overview, line, written < (int)sizeof line ? (size_t)written : sizeof line - 1);
    snprintf(line, sizeof line, "%d - %.*s", number, (int)SHEET_CHARS, sheet);
    WriteKey(c, section, "Table", line);
    snprintf(line, sizeof line, "%s: %s...", tableName, sheet);
    SendProgress(c, PROGRESS_SET_STATUS, 0, (LPARAM)line);
    return from;
}

BOOL ConvertTable(Conversion& c, const ReportElement& e, int number, const char* section) {
    char name[32], path[MAX_PATH];
    snprintf(name, sizeof name, "%s%02d.CMA", c.Base, number);
    snprintf(path, sizeof path, "%s%s", c.Folder, name);
    c.Table =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (c.Table == INVALID_HANDLE_VALUE) {
        CannotCreate(c, path);
        return FALSE;
    }
    char stats[STATS_SIZE];
    lstrcpynA(stats, c.Text + e.MarkStart,
              (int)(e.MarkLength + 1 < sizeof stats ? e.MarkLength + 1 : sizeof stats));
    WriteKey(c, section, "File", name);
    WriteKey(c, section, "ColumnWidths", stats);
    unsigned columns = (unsigned)strtoul(stats + strcspn(stats, "0123456789"), nullptr, 10);
    if (columns) {
        WriteNumber(c, section, "NumColumns", columns);
        BOOL titles =
            FindTextIn(c.Text, e.Start, e.End, "<!-- OV_NO_COLUMN_TITLES --") == TEXT_NOT_FOUND;
        WriteNumber(c, section, "BoldFaceHeader", titles ? 1 : 0);
        // Titles and cells follow both markers.
        DWORD sheetEnd = CopySheetName(c, e, number, name, section);
        DWORD cursor = e.MarkStart + e.MarkLength;
        if (sheetEnd > cursor)
            cursor = sheetEnd;
        if (titles) {
            for (unsigned i = 0; i < columns; ++i)
                if (!CopyCell(c, &cursor, e.End, "<B>", "</B>", i == 0))
                    break;
            WriteBoth(c, "\r\n", 2);
        }
        WriteTo(c.Overview, kDashes, sizeof kDashes - 1);
        WriteNumber(c, section, "NumRows", CopyRows(c, cursor, e.End, columns));
    }
    CloseHandle(c.Table);
    c.Table = INVALID_HANDLE_VALUE;
    return TRUE;
}
} // namespace

namespace {
// The report's folder and its name cut to six characters.
void SplitReportPath(Conversion& c, const char* reportPath) {
    GetDirectoryPart(reportPath, c.Folder);
    char file[MAX_PATH];
    GetFileNamePart(reportPath, file);
    char* dot = strrchr(file, '.');
    if (dot)
        *dot = '\0';
    lstrcpynA(c.Base, file, sizeof c.Base);
}

void WriteHandoverHead(Conversion& c, const char* reportPath, int viewIt, int count) {
    char program[MAX_PATH];
    if (!FindSpreadsheetProgram(program))
        return;
    GetDirectoryPart(program, c.Handover);
    if (strlen(c.Handover) + sizeof "OV_EXCEL.INI" > sizeof c.Handover) {
        c.Handover[0] = '\0';
        return;
    }
    lstrcatA(c.Handover, "OV_EXCEL.INI");
    HWND status = c.Progress ? GetDlgItem(c.Progress, IDC_PROGRESS_STATUS) : nullptr;
    WriteKey(c, kSectionMain, "Output", reportPath);
    WriteNumber(c, kSectionMain, "fViewIt", viewIt ? 1 : 0);
    WriteNumber(c, kSectionMain, "HWND", (unsigned long)((ULONG_PTR)c.Progress & 0xFFFF));
    WriteNumber(c, kSectionMain, "STATIC", (unsigned long)((ULONG_PTR)status & 0xFFFF));
    WriteNumber(c, kSectionMain, "NumTables", (unsigned long)count);
    WriteNumber(c, kSectionMain, "Graphs",
                (unsigned long)GetModuleProfileInt("Defaults", "ExcelGraphs", 1));
    WriteKey(c, kSectionMain, "ReportsDir", c.Folder);
}

// The elements in document order; FALSE when stopped (cancelled or a file
// that cannot be created).
BOOL ConvertElements(Conversion& c, const ReportElement* elements, int count) {
    for (int i = 0; i < count; ++i) {
        PumpMessages();
        if (g_DocumentHandOverState == HANDOVER_FAILED)
            return FALSE;
        char section[16];
        snprintf(section, sizeof section, "%d", i + 1);
        if (c.Handover[0])
            WritePrivateProfileStringA(section, nullptr, nullptr, c.Handover);
        const ReportElement& e = elements[i];
        if (e.Kind == ELEMENT_IMAGE) {
            char image[MAX_PATH], name[MAX_PATH];
            lstrcpynA(image, c.Text + e.MarkStart,
                      (int)(e.MarkLength + 1 < sizeof image ? e.MarkLength + 1 : sizeof image));
            GetFileNamePart(image, name);
            WriteKey(c, section, "Image", name);
        } else if (!ConvertTable(c, e, i + 1, section)) {
            return FALSE;
        }
        WriteTo(c.Overview, "\r\n\r\n", 4);
        // 100 would tell the dialog that an office program finished.
        int percent = (i + 1) * 100 / count;
        SendProgress(c, PROGRESS_OFFICE_PERCENT,
                     (WPARAM)(percent > PERCENT_BEFORE_END ? PERCENT_BEFORE_END : percent), 0);
        PumpMessages();
    }
    return TRUE;
}
} // namespace

int ConvertHtmlReport(HWND progress, const char* reportPath, int kind, int viewIt,
                      char* handoverFile) {
    if (handoverFile)
        handoverFile[0] = '\0';
    HGLOBAL block = nullptr;
    DWORD length = 0;
    char* text = (char*)ReadWholeFile(reportPath, &block, 0, FILE_SHARE_READ, &length);
    Conversion c = {};
    c.Progress = progress;
    c.Overview = c.Table = INVALID_HANDLE_VALUE;
    if (!text) {
        if (FileIsPresent(reportPath)) {
            char message[MAX_PATH + 32];
            snprintf(message, sizeof message, "Couldn't open file %s.", reportPath);
            DisplayReportError(progress, OVDESK_CAPTION, message, 0, 0, 0);
        }
        return FORMAT_UNKNOWN;
    }
    c.Text = text;
    c.Length = length;
    static ReportElement elements[MAX_REPORT_ELEMENTS];
    int count = FindReportElements(text, length, elements);
    int result = FORMAT_UNKNOWN;
    if (count) {
        SplitReportPath(c, reportPath);
        WriteHandoverHead(c, reportPath, viewIt, count);
        if (handoverFile)
            lstrcpynA(handoverFile, c.Handover, MAX_PATH);
        char path[MAX_PATH];
        lstrcpynA(path, reportPath, sizeof path);
        if (ReplaceFileExtension(path, sizeof path, ".HTM")) {
            DeleteFileA(path);
            MoveFileA(reportPath, path);
        }
        lstrcpynA(path, reportPath, sizeof path);
        if (ReplaceFileExtension(path, sizeof path, ".TXT"))
            c.Overview = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (c.Overview == INVALID_HANDLE_VALUE) {
            CannotCreate(c, path);
        } else {
            SendProgress(c, PROGRESS_SET_CAPTION, 0,
                         (LPARAM)(kind == FORMAT_TXT ? kTextCaption : kCommaCaption));
            g_DocumentHandOverState = HANDOVER_IDLE;
            if (ConvertElements(c, elements, count)) {
                SendProgress(c, PROGRESS_SET_PERCENT, 100, 0);
                result = kind;
            }
            if (c.Table != INVALID_HANDLE_VALUE)
                CloseHandle(c.Table);
            CloseHandle(c.Overview);
        }
    }
    GlobalUnlock(block);
    GlobalFree(block);
    g_DocumentHandOverState = HANDOVER_IDLE;
    return result;
}

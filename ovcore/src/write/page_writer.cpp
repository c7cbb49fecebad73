#include "page_writer.h"

#include <stdio.h>
#include <string.h>

#include "report_files.h"
#include "summary_error.h"
#include "text/html_escape.h"
#include "write/report_output.h"

BOOL ChooseFirstPage(PageWriter& w) {
    BOOL ok = TRUE;
    if (!w.frameMode)
        lstrcpynA(w.firstPage, w.run->Output->OutputPath, MAX_PATH);
    else if (lstrcmpiA(w.run->Output->Style.SeparateFiles, "PER_REPORT") == 0)
        ok = ContentPageName(w.parts, -1, w.firstPage);
    else
        ok = ContentPageName(w.parts, w.pageCounter++, w.firstPage);
    if (ok && w.frameMode)
        ok = TocPageName(w.parts, w.tocPage);
    if (!ok)
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, w.run->Output->OutputPath);
    return ok;
}

// A new page: the bookmarks point after its head, and the head is not part
// of the first template line (a dropped line must not take the head along).
static void ResetLine(PageWriter& w, LONGLONG at) {
    w.lineBytes = 0;
    w.pageStart = at;
    for (LONGLONG& mark : w.bookmarks)
        mark = at;
}

static LONGLONG PagePosition(HANDLE file) {
    LARGE_INTEGER zero = {}, at = {};
    SetFilePointerEx(file, zero, &at, FILE_CURRENT);
    return at.QuadPart;
}

// The template's text before the report's first chapter holds the page's
// character set, style sheet and <BODY> tag with its colours: a page after
// the first starts with the same, as the first page wrote it. Read once,
// from the finished first page; nothing when it has no <BODY> tag.
static void TakePageHead(PageWriter& w) {
    if (w.pageHeadTaken)
        return;
    w.pageHeadTaken = TRUE;
    HANDLE file = CreateFileA(w.firstPage, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char text[16384];
    DWORD got = 0;
    BOOL read = ReadFile(file, text, sizeof text - 1, &got, NULL);
    CloseHandle(file);
    if (!read)
        return;
    text[got] = 0;
    DWORD head = w.headBytes < got ? w.headBytes : got;
    for (char* p = text + head; *p; ++p) {
        if (_strnicmp(p, "<BODY", 5) != 0)
            continue;
        const char* end = strchr(p, '>');
        if (end)
            w.pageHead.assign(text + head, end + 1 - (text + head)).append("\r\n");
        return;
    }
}

static BOOL CreatePage(PageWriter& w, const char* name) {
    w.out = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    if (w.out == INVALID_HANDLE_VALUE) {
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, name);
        return FALSE;
    }
    lstrcpynA(w.outName, name, MAX_PATH);
    return TRUE;
}

BOOL OpenContentPage(PageWriter& w, const char* name) {
    if (!CreatePage(w, name))
        return FALSE;
    DWORD head = w.headBytes = WriteReportHead(w.out);
    if (head != 0 && !w.pageHead.empty()) {
        DWORD more = WriteReportText(w.out, w.pageHead.c_str());
        head = more == 0xFFFF ? 0 : head + more;
    }
    if (head == 0) {
        SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL);
        return FALSE;
    }
    ResetLine(w, head);
    return TRUE;
}

static BOOL OpenTocPage(PageWriter& w) {
    if (!CreatePage(w, w.tocPage))
        return FALSE;
    w.onTocPage = w.tocWritten = TRUE;
    ResetLine(w, 0);
    return TRUE;
}

BOOL FinishPage(PageWriter& w, BOOL listed) {
    BOOL ok = WriteReportTail(w.out) != 0 && SetEndOfFile(w.out);
    CloseHandle(w.out);
    w.out = INVALID_HANDLE_VALUE;
    if (!ok) {
        DeleteFileA(w.outName);
        SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL);
        return FALSE;
    }
    if (listed && !AppendPageName(w.run, w.outName)) {
        SetSummaryError(SUMMARY_TEXT_NO_MEMORY, NULL);
        return FALSE;
    }
    if (w.status)
        w.status(1, w.outName, 0);
    return TRUE;
}

BOOL FinishCurrentPage(PageWriter& w) {
    BOOL empty = !w.onTocPage && PagePosition(w.out) <= w.pageStart &&
                 lstrcmpiA(w.outName, w.firstPage) != 0;
    if (!empty)
        return FinishPage(w, !w.onTocPage);
    AbandonPage(w);
    return TRUE;
}

void AbandonPage(PageWriter& w) {
    if (w.out == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(w.out);
    w.out = INVALID_HANDLE_VALUE;
    DeleteFileA(w.outName);
}

static BOOL SplitsHere(const PageWriter& w) {
    const RunContext* run = w.run;
    const ReportOutput* out = run->Output;
    if (UsesSeparateFiles(run, "PER_CHAPTER"))
        return TRUE;
    return UsesSeparateFiles(run, "PER_SECTION") &&
           lstrcmpiA(out->NextPageName, out->CurrentPageName) != 0;
}

BOOL SwitchPage(PageWriter& w) {
    ReportOutput* out = w.run->Output;
    if (!out->CurrentPageName[0]) {
        lstrcpynA(out->CurrentPageName, out->NextPageName, MAX_PATH);
        return TRUE;
    }
    if (lstrcmpiA(out->NextPageName, "TableOfContents") == 0) {
        lstrcpynA(out->CurrentPageName, out->NextPageName, MAX_PATH);
        if (!w.frameMode) {
            w.stopped = TRUE;
            return TRUE;
        }
        return FinishCurrentPage(w) && OpenTocPage(w);
    }
    if (!SplitsHere(w))
        return TRUE;
    lstrcpynA(out->CurrentPageName, out->NextPageName, MAX_PATH);
    // A page whose chapters were all removed takes the next one instead.
    if (!w.onTocPage && PagePosition(w.out) <= w.pageStart)
        return TRUE;
    char name[MAX_PATH];
    if (!ContentPageName(w.parts, w.pageCounter++, name)) {
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, out->OutputPath);
        return FALSE;
    }
    if (!FinishPage(w, !w.onTocPage))
        return FALSE;
    TakePageHead(w);
    w.onTocPage = FALSE;
    return OpenContentPage(w, name);
}

// The file name and extension of a path, escaped for a frame's address.
static void BareName(const char* path, char* out, size_t size) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    EscapeHtmlText(name, out, size);
}

// A template without a contents section still gets a (blank) contents page,
// so that the frame names a page that exists.
static void WriteBlankTocPage(PageWriter& w) {
    if (w.tocWritten || !OpenContentPage(w, w.tocPage))
        return;
    FinishPage(w, FALSE);
}

void WriteFrameset(PageWriter& w) {
    WriteBlankTocPage(w);
    const RunContext* run = w.run;
    const ReportOutput* out = run->Output;
    HANDLE file = CreateFileA(out->OutputPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, out->OutputPath);
        return;
    }
    char title[6 * MAX_PATH];
    EscapeHtmlText(out->ReportTitle[0] ? out->ReportTitle : run->RunText, title, sizeof title);
    char toc[6 * MAX_PATH], first[6 * MAX_PATH];
    BareName(w.tocPage, toc, sizeof toc);
    BareName(w.firstPage, first, sizeof first);
    char text[sizeof title + sizeof toc + sizeof first + 512];
    snprintf(text, sizeof text,
             "<HTML>\r\n<HEAD>\r\n<TITLE>%s</TITLE>\r\n%s\r\n</HEAD>\r\n"
             "<FRAMESET COLS=\"%d%%,*\" BORDER=2>\r\n"
             "<FRAME SRC=\"%s\" NAME=TOC SCROLLING=AUTO>\r\n"
             "<FRAME SRC=\"%s\" NAME=CONTENT SCROLLING=AUTO>\r\n"
             "</FRAMESET>\r\n<BODY>\r\n</BODY>\r\n</HTML>",
             title, REPORT_CHARSET_META, out->Style.TocWidth, toc, first);
    BOOL ok = WriteReportText(file, text) != 0xFFFF;
    CloseHandle(file);
    if (!ok) {
        SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL);
        return;
    }
    if (w.status)
        w.status(1, out->OutputPath, 0);
}

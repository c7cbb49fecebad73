#include "report_files.h"

#include <stdio.h>
#include <string.h>

#include "summary_error.h"

#define SUPPORT_COPY_PIECE 2048

DWORD WriteReportText(HANDLE file, const char* text) {
    DWORD length = (DWORD)strlen(text);
    DWORD written = 0;
    if (!WriteFile(file, text, length, &written, NULL) || written != length)
        return 0xFFFF;
    return length;
}

DWORD WriteReportHead(HANDLE file) {
    DWORD n =
        WriteReportText(file, "<HTML>\r\n"
                              "<!-- Ostrevane Web Log Analyzer Report -->\r\n"
                              "<HEAD><TITLE>Ostrevane Web Log Analyzer Report</TITLE></HEAD>\r\n");
    return n == 0xFFFF ? 0 : n;
}

DWORD WriteReportTail(HANDLE file) {
    DWORD n = WriteReportText(file, "</HTML>\r\n");
    return n == 0xFFFF ? 0 : n;
}

BOOL CopyReportImage(const char* moduleFolder, const char* outputFolder, const char* name,
                     ReportStatusProc status) {
    char source[MAX_PATH], destination[MAX_PATH];
    int a = snprintf(source, sizeof source, "%simages\\%s", moduleFolder, name);
    int b = snprintf(destination, sizeof destination, "%s%s", outputFolder, name);
    if (a <= 0 || a >= MAX_PATH || b <= 0 || b >= MAX_PATH)
        return FALSE;
    if (status)
        status(1, destination, 1);
    return CopyFileA(source, destination, FALSE);
}

// The folder part of path, cut after its last "\" or ":" (empty when it has
// neither).
static void FolderOf(const char* path, char* folder) {
    size_t cut = 0;
    for (size_t i = 0; path[i]; ++i)
        if (path[i] == '\\' || path[i] == ':')
            cut = i + 1;
    memcpy(folder, path, cut);
    folder[cut] = 0;
}

// Copies source to destination through piece; 0 with the error text set.
static int CopyPieces(HANDLE source, HANDLE destination, char* piece) {
    for (;;) {
        DWORD got = 0, written = 0;
        if (!ReadFile(source, piece, SUPPORT_COPY_PIECE, &got, NULL)) {
            SetSummaryError(SUMMARY_TEXT_FAILED_READ, NULL);
            return 0;
        }
        if (got == 0)
            return 1;
        if (!WriteFile(destination, piece, got, &written, NULL) || written != got) {
            SetSummaryError(SUMMARY_TEXT_FAILED_WRITE, NULL);
            return 0;
        }
    }
}

int WriteReportSupportFile(const char* referencePath, const char* fileName,
                           const char* destinationReference) {
    char folder[MAX_PATH], sourcePath[MAX_PATH], destinationPath[MAX_PATH];
    FolderOf(referencePath, folder);
    int a = snprintf(sourcePath, sizeof sourcePath, "%s%s", folder, fileName);
    FolderOf(destinationReference, folder);
    int b = snprintf(destinationPath, sizeof destinationPath, "%s%s", folder, fileName);
    if (a <= 0 || a >= MAX_PATH || b <= 0 || b >= MAX_PATH) {
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, fileName);
        return 0;
    }
    HANDLE source = CreateFileA(sourcePath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (source == INVALID_HANDLE_VALUE) {
        SetSummaryError(SUMMARY_TEXT_FAILED_OPEN, sourcePath);
        return 0;
    }
    HANDLE destination = CreateFileA(destinationPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, NULL);
    if (destination == INVALID_HANDLE_VALUE) {
        CloseHandle(source);
        SetSummaryError(SUMMARY_TEXT_FAILED_CLOSE, destinationPath);
        return 0;
    }
    static char piece[SUPPORT_COPY_PIECE];
    int ok = CopyPieces(source, destination, piece);
    CloseHandle(source);
    CloseHandle(destination);
    if (!ok)
        DeleteFileA(destinationPath);
    return ok;
}

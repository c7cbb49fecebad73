// Handing a written report to the office programs: the spreadsheet and text
// conversion of a marked HTML report, the spreadsheet program's start, and
// the word processor's.
#pragma once
#include <windows.h>

// Turns the HTML report at reportPath (as the engine wrote it under the
// name the user gave) into the overview "<name>.TXT", one "<base><nn>.CMA"
// per table and, when a spreadsheet program is found, OV_EXCEL.INI in its
// folder (its path into handoverFile, MAX_PATH bytes; empty when none). The
// report itself is renamed to "<name>.HTM". kind: FORMAT_XLS, FORMAT_CMA or
// FORMAT_TXT; viewIt: 1 when the user is to see the result. Returns kind
// when every element was converted, FORMAT_UNKNOWN otherwise (failures that
// matter were reported).
int ConvertHtmlReport(HWND progress, const char* reportPath, int kind, int viewIt,
                      char* handoverFile);

// The spreadsheet program's full path into path (MAX_PATH bytes; empty when
// none); returns 95 or 97 for the version found, 0 when none.
int FindSpreadsheetProgram(char* path);

// Starts the spreadsheet program with the macro workbook and waits for it
// to report through the progress dialog; its settings are prepared before
// and restored after. 1 when the workbook reported success, else 0 (a
// missing program was reported).
int StartSpreadsheetHandover(HWND progress);

// The two registry values the spreadsheet program's macro start needs:
// restore 0 saves them and writes the values the start needs, marking each
// written one; restore 1 writes the saved values of the marked ones back.
// 1, or 0 when a value could not be read or written.
int PrepareSpreadsheetSettings(DWORD* savedOptions6, DWORD* savedNoTabsAlert, BOOL* writtenOptions6,
                               BOOL* writtenNoTabsAlert, int restore);

// Hands a document report to the word processor: the engine's text moves to
// a temporary file, the document template takes the output's name and the
// word processor's macro builds the document from the text. show: 1 opens
// the finished document for the user. 1 on success, else 0 (reported).
int HandToWordProcessor(const char* outputFile, HWND progress, int show);

// Starts commandLine (program: the executable's path) minimised with the
// hand-over state set to waiting, and pumps messages until the office
// program reports through the progress dialog, the dialog's timer or Stop
// ends the wait, or the dialog is gone. TRUE when the program reported
// success. FALSE at once when it cannot be started.
BOOL RunOfficeProgramAndWait(HWND progress, const char* program, const char* commandLine);

// Handing a document report to the word processor and its macro.
#include "office/office_handover.h"
#include "log_sources/registry_values.h"
#include "report_run/progress_messages.h"
#include "report_run/report_delivery.h"
#include "services/file_services.h"
#include "desk_services.h"
#include "ids_office.h"
#include "ids_report_run.h"
#include <cstdio>
#include <cstring>

namespace {
enum { WORD_7 = 7, WORD_8 = 8, OPEN_DELAY_MS = 7000, TEMP_NAMES = 10000 };

struct WordProcessor {
    int Version;
    char Path[MAX_PATH];        // the program, without quotes
    char CommandPath[MAX_PATH]; // as it begins the command line
};

void Report(HWND progress, UINT formatId, const char* first, const char* second) {
    char format[LOADTEXT_SLOT_SIZE], text[LOADTEXT_SLOT_SIZE + 2 * MAX_PATH];
    snprintf(text, sizeof text, LoadText(formatId, format, sizeof format), first, second);
    DisplayReportError(progress, OVDESK_CAPTION, text, 0, 0, 0);
}

// folder (quotes removed) + tail when that file exists.
BOOL ProgramAt(const char* folder, const char* tail, char* path) {
    char bare[MAX_PATH];
    size_t length = 0;
    for (const char* p = folder; *p && length + 1 < sizeof bare; ++p)
        if (*p != '"')
            bare[length++] = *p;
    bare[length] = '\0';
    if (!bare[0] || length + strlen(tail) >= MAX_PATH)
        return FALSE;
    snprintf(path, MAX_PATH, "%s%s", bare, tail);
    return FileIsPresent(path);
}

BOOL FindWordProcessor(WordProcessor* word) {
    const char tail[] = "\\WINWORD.EXE";
    char value[MAX_PATH];
    if (ReadRegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\8.0", "BinDirPath",
                         value, sizeof value) &&
        ProgramAt(value, tail, word->Path)) {
        word->Version = WORD_8;
        if (strchr(value, '"'))
            snprintf(word->CommandPath, MAX_PATH, "%s%s", value, tail);
        else
            snprintf(word->CommandPath, MAX_PATH, "\"%s\"%s", value, tail);
        return TRUE;
    }
    if (ReadRegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\8.0\\Word\\InstallRoot",
                         "Path", value, sizeof value) &&
        strlen(value) >= 2) {
        value[strlen(value) - 1] = '\0'; // its enclosing characters
        if (ProgramAt(value + 1, tail, word->Path)) {
            word->Version = WORD_8;
            lstrcpynA(word->CommandPath, word->Path, MAX_PATH);
            return TRUE;
        }
    }
    if (ReadRegistryText(HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Microsoft\\Microsoft Office\\95\\InstallRoot", nullptr, value,
                         sizeof value) &&
        ProgramAt(value, "\\WINWORD\\WINWORD.EXE", word->Path)) {
        word->Version = WORD_7;
        lstrcpynA(word->CommandPath, word->Path, MAX_PATH);
        return TRUE;
    }
    return FALSE;
}

// The macro template goes where the word processor looks for templates.
BOOL InstallMacroTemplate(HWND progress, const WordProcessor& word) {
    const char* key = word.Version == WORD_8
                          ? "SOFTWARE\\Microsoft\\Office\\8.0\\Common\\FileNew\\LocalTemplates"
                          : "SOFTWARE\\Microsoft\\Microsoft Office\\95\\FileNew\\LocalTemplates";
    char folder[MAX_PATH];
    if (!ReadRegistryText(HKEY_CURRENT_USER, key, nullptr, folder, sizeof folder) || !folder[0])
        GetDirectoryPart(word.Path, folder);
    size_t length = strlen(folder);
    char source[MAX_PATH], target[MAX_PATH];
    snprintf(source, sizeof source, "%sBase\\Template\\%s", GetModuleDirectory(),
             word.Version == WORD_8 ? "OV80.DOT" : "OV70.DOT");
    snprintf(target, sizeof target, "%s%sOSTREVAN.DOT", folder,
             length && folder[length - 1] != '\\' ? "\\" : "");
    if (CopyFileA(source, target, FALSE))
        return TRUE;
    Report(progress, IDS_WORD_TEMPLATE_COPY_FAILED, source, target);
    return FALSE;
}

// The engine's text under a free name "TEMPnnnn.TXT" in the install folder.
BOOL MoveTextAside(HWND progress, const char* outputFile, char* temp) {
    for (int i = 0; i < TEMP_NAMES; ++i) {
        snprintf(temp, MAX_PATH, "%sTEMP%04d.TXT", GetModuleDirectory(), i);
        if (FileIsPresent(temp))
            continue;
        if (MoveFileA(outputFile, temp))
            return TRUE;
        break;
    }
    char text[MAX_PATH + 32];
    snprintf(text, sizeof text, "Unable to create %s.", temp);
    DisplayReportError(progress, OVDESK_CAPTION, text, 0, 0, 0);
    return FALSE;
}

void OpenForTheUser(const WordProcessor& word, const char* outputFile) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < OPEN_DELAY_MS) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
    }
    char command[3 * MAX_PATH];
    snprintf(command, sizeof command, "%s \"%s\"  /mOVPageLayoutView /a", word.CommandPath,
             outputFile);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(word.Path, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
} // namespace

int HandToWordProcessor(const char* outputFile, HWND progress, int show) {
    // Looked for first: without it the engine's text stays where it is.
    WordProcessor word = {};
    if (!FindWordProcessor(&word)) {
        DisplayReportError(progress, OVDESK_CAPTION, nullptr, 0, IDS_WORD_MISSING, 0);
        return 0;
    }
    char temp[MAX_PATH], document[MAX_PATH];
    if (!MoveTextAside(progress, outputFile, temp))
        return 0;
    snprintf(document, sizeof document, "%sBase\\Template\\OSTREVAN.DOC", GetModuleDirectory());
    if (!CopyFileA(document, outputFile, FALSE)) {
        Report(progress, IDS_WORD_DOCUMENT_COPY_FAILED, document, outputFile);
        MoveFileA(temp, outputFile);
        return 0;
    }
    if (!InstallMacroTemplate(progress, word)) {
        DeleteFileA(temp);
        return 0;
    }
    char command[3 * MAX_PATH + 64];
    snprintf(command, sizeof command, "%s \"%s\"  \"%s\"  /mOVCreateOstrevaneReport /a",
             word.CommandPath, temp, outputFile);
    if (progress) {
        char caption[LOADTEXT_SLOT_SIZE];
        // The macro finds the dialog by this caption.
        SendMessageA(progress, PROGRESS_SET_CAPTION, 0,
                     (LPARAM)LoadText(IDS_WORD_REPORT, caption, sizeof caption));
        SendMessageA(progress, PROGRESS_OFFICE_START_TIMER, 0, 0);
    }
    BOOL success = RunOfficeProgramAndWait(progress, word.Path, command);
    DeleteFileA(temp);
    if (success && show)
        OpenForTheUser(word, outputFile);
    return success ? 1 : 0;
}

// Mail and FTP upload of a finished report's files.
#include "report_run/report_delivery.h"
#include "report_run/progress_dialog.h"
#include "report_run/run_state.h"
#include "report_run/report_run.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "ovcore/ovcore.h"
#include "ovkit/mail.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
enum { MAIL_ERROR_BOXES = 1, MAIL_ERRORS_TO_LOG = 0 };

bool IsInteractive(const ReportRunRequest* request) {
    return !request || (!request->Event && request->RunMode != RUN_MODE_REALTIME);
}

// The paths of the list's files in the output file's folder, ".HTM" pages
// first; the caller frees the array and its texts with FreePaths.
char** CollectMailPaths(const ProcessedFileList* files, const char* outputFile, int* count) {
    *count = 0;
    char** paths = (char**)calloc(files->Count ? files->Count : 1, sizeof(char*));
    if (!paths)
        return nullptr;
    for (int pass = 0; pass < 2; ++pass) {
        for (WORD i = 0; i < files->Count; ++i) {
            const char* entry = files->Entries[i];
            if (!entry)
                continue;
            char upper[MAX_PATH];
            lstrcpynA(upper, entry + 1, sizeof upper);
            CharUpperA(upper);
            bool page = strstr(upper, ".HTM") != nullptr;
            char path[MAX_PATH];
            if (page != (pass == 0) || !ProcessedFilePath(outputFile, entry + 1, path))
                continue;
            paths[*count] = _strdup(path);
            if (paths[*count])
                ++*count;
        }
    }
    return paths;
}

void FreePaths(char** paths, int count) {
    for (int i = 0; i < count; ++i)
        free(paths[i]);
    free(paths);
}

// Reports a failed mail or upload in every kind of run: scheduled runs log
// it, and it becomes the run's last message, the reason the run failed. The
// general text comes first, the transfer's own reason (when there is one)
// after it. The report is kept, so a remote request's output is not replaced.
void ReportTransferFailure(HWND window, const char* reason, UINT captionId, UINT messageId) {
    char text[LOADTEXT_SLOT_SIZE + FETCH_ERROR_SIZE + 2];
    LoadText(messageId, text, LOADTEXT_SLOT_SIZE);
    if (reason && *reason) {
        size_t used = strlen(text);
        snprintf(text + used, sizeof text - used, "%s%s", used ? " " : "", reason);
    }
    DisplayReportError(window, nullptr, text, captionId, messageId, 1);
}

// One upload through the engine; an error text, when the engine gives one,
// into error (FETCH_ERROR_SIZE). 1 uploaded, 0 failed.
int UploadOne(HWND progress, const char* target, const char* source, const char* user,
              const char* password, char* error) {
    UpdateProgressPercent(0);
    UrlFetchHandle handle = nullptr;
    if (ORB_Cre8URL(progress, target, user, password, source, &handle) != 0) {
        ORB_GetURLErrMsg(error);
        return 0;
    }
    while (ORB_PeekURL() == 0) {
        WORD percent = ORB_GetURLDonePercent(handle);
        UpdateProgressPercent(percent > 100 ? 100 : percent);
        PumpMessages();
        Sleep(20);
    }
    ORB_GetURLErrMsg(error);
    ORB_CloseFTP(progress, handle, RunState().Profile);
    return error[0] == '\0';
}
} // namespace

int MailReport(HWND window, HWND progress, const char* outputFile, ProcessedFileList* files,
               const char*, const ReportRunRequest* request) {
    PumpMessages();
    int kind = FormatKindOfName(outputFile);
    if (kind == FORMAT_UNKNOWN)
        return 1;
    int mode = IsInteractive(request) ? MAIL_ERROR_BOXES : MAIL_ERRORS_TO_LOG;
    int result;
    if (kind == FORMAT_HTML) {
        int count = 0;
        char** paths = CollectMailPaths(files, outputFile, &count);
        result = paths ? OVKIT_SendMail(progress, RunState().Destination, count,
                                        (const char* const*)paths, mode)
                       : -1;
        if (paths)
            FreePaths(paths, count);
    } else {
        const char* single[1] = {outputFile};
        result = OVKIT_SendMail(progress, RunState().Destination, 1, single, mode);
    }
    if (result == 0) {
        ClearProcessedFiles(files, outputFile);
        return 1;
    }
    // Nothing was sent: every file of the report stays where it was written.
    FreeProcessedFiles(files);
    ReportTransferFailure(window, OVKIT_GetLastMailError(), IDS_MAIL_CAPTION, IDS_MAIL_FAILED);
    return 0;
}

int UploadReport(HWND window, HWND progress, ProcessedFileList* files, const char* outputFile,
                 const ReportRunRequest*, const char* userName, const char* password) {
    char error[FETCH_ERROR_SIZE] = "";
    int ok = 1;
    for (WORD i = 0; ok && i < files->Count; ++i) {
        const char* entry = files->Entries[i];
        char source[MAX_PATH], target[RUN_DESTINATION_SIZE + MAX_PATH + 8];
        if (!entry || !ProcessedFilePath(outputFile, entry + 1, source) ||
            GetFileAttributesA(source) == INVALID_FILE_ATTRIBUTES)
            continue;
        snprintf(target, sizeof target, "ftp://%s%s", RunState().Destination, entry + 1);
        ok = UploadOne(progress, target, source, userName ? userName : "", password ? password : "",
                       error);
    }
    if (ok) {
        ClearProcessedFiles(files, outputFile);
        return 1;
    }
    // The report did not reach its folder: its local files stay.
    FreeProcessedFiles(files);
    ReportTransferFailure(window, error, IDS_FTP_CAPTION, IDS_FTP_FAILED);
    return 0;
}

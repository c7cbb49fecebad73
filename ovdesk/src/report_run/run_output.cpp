// Where the report file goes, and its folder.
#include "report_run/run_steps.h"
#include "report_run/file_names.h"
#include "report_run/output_names.h"
#include "report_run/report_delivery.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstring>

namespace {
const char kCreatingCaption[] = "Creating Report";

// Creates each level from the first separator on, then the folder itself.
BOOL CreateFolderPath(const char* folder) {
    const char* first = strpbrk(folder, "\\/");
    if (!first)
        return FALSE;
    char level[MAX_PATH];
    lstrcpynA(level, folder, sizeof level);
    for (char* p = level + (first - folder) + 1; *p; ++p) {
        if (*p != '\\' && *p != '/')
            continue;
        char keep = *p;
        *p = '\0';
        CreateDirectoryA(level, nullptr);
        *p = keep;
    }
    CreateDirectoryA(level, nullptr);
    DWORD attributes = GetFileAttributesA(level);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL FolderExists(const char* folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FolderMessage(const ReportRunJob& job, const char* format, const char* folder) {
    char text[MAX_PATH + 96];
    snprintf(text, sizeof text, format, folder);
    if (job.Unattended)
        DisplayReportError(job.Dialog, kCreatingCaption, text, 0, 0, 0);
    else
        DeskMessageBox(job.Dialog, text, kCreatingCaption, MB_OK | MB_ICONERROR);
}
} // namespace

StepResult PrepareOutputFile(ReportRunJob& job) {
    ReportRunState& state = RunState();
    const char* name = job.OutputName ? job.OutputName : "";
    if (job.Destination == DESTINATION_FILE) {
        lstrcpynA(job.OutputFile, name, sizeof job.OutputFile);
        return STEP_GO_ON;
    }
    if (job.Destination == DESTINATION_FTP) {
        const char* file = FileNamePart(name);
        size_t folder = (size_t)(file - name);
        if (folder >= sizeof state.Destination)
            folder = sizeof state.Destination - 1;
        memcpy(state.Destination, name, folder);
        state.Destination[folder] = '\0';
        lstrcpynA(job.OutputFile, file, sizeof job.OutputFile);
    } else {
        size_t address = strcspn(name, "\\/:");
        if (address >= sizeof state.Destination)
            address = sizeof state.Destination - 1;
        memcpy(state.Destination, name, address);
        state.Destination[address] = '\0';
        lstrcpynA(job.OutputFile, name[address] ? name + address + 1 : "", sizeof job.OutputFile);
    }
    PlaceReportInReportsDir(job.OutputFile, ".HTM", REPORTS_SUBFOLDER);
    return STEP_GO_ON;
}

StepResult CheckOutputFolder(ReportRunJob& job) {
    char folder[MAX_PATH];
    lstrcpynA(folder, job.OutputFile, sizeof folder);
    char* slash = strrchr(folder, '\\');
    if (slash)
        *slash = '\0';
    if (slash && strlen(folder) == 2 && folder[1] == ':')
        return STEP_GO_ON; // a bare drive
    if (slash) {
        char datfiles[MAX_PATH] = "";
        ORB_GetDatfilesPath(datfiles);
        NormalizeLogPath(folder, datfiles);
        if (FolderExists(folder))
            return STEP_GO_ON;
    }
    if (!job.Unattended) {
        char question[MAX_PATH + 96];
        snprintf(question, sizeof question,
                 "Directory %s does not exist, do you want to create it?", folder);
        if (DeskMessageBox(job.Dialog, question, kCreatingCaption, MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
            return STEP_END_FAILED;
    }
    if (!slash || !CreateFolderPath(folder)) {
        FolderMessage(job, "Directory %s cannot be created!", folder);
        return STEP_END_FAILED;
    }
    return STEP_GO_ON;
}

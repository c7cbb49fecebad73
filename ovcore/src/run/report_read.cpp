#include "run/report_read.h"

#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include "ovcore/logsource.h"
#include <string.h>

namespace {

// The done percent is re-read on the first read and once every 500 records.
#define PROGRESS_RECORD_STEP 500
// Reads the reader thread may be ahead: about 4 MB of records and lines.
// The waiting side is woken once half the ring is free or a quarter full,
// so a run of a million lines wakes a thread a few hundred times.
#define AHEAD_CAPACITY 4096

BOOL g_allowThread = TRUE;

void ReadLog(void* source, AheadRead* read) {
    FileInfo* files = static_cast<FileInfo*>(source);
    ULONGLONG n = FileInfo_GetRecordCount(files);
    if (n == 0 || n % PROGRESS_RECORD_STEP == PROGRESS_RECORD_STEP - 1) {
        read->refreshed = TRUE;
        read->percent = FileInfo_GetDonePercent(files);
    }
    read->code = FileInfo_ReadNext(nullptr, files, &read->hit);
}

BOOL HasSeveralProcessors() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 1;
}

// An ODBC table is read through its driver on the client's thread, as it
// was opened.
BOOL AllLocalFiles(const FileInfo* files) {
    for (WORD i = 0; i < files->wcNumFiles; i++)
        if (_strnicmp(files->lpFiles[i]->szPath, ODBC_SOURCE_PREFIX, 5) == 0)
            return FALSE;
    return TRUE;
}

void StartThread(ReportHandle* report) {
    ReportRunState& state = report->RunState;
    state.ReaderTried = TRUE;
    FileInfo* files = &report->Profile->LogFiles;
    if (g_allowThread && HasSeveralProcessors() && AllLocalFiles(files))
        state.Reader = ReadAhead_Start(ReadLog, files, AHEAD_CAPACITY);
}

} // namespace

void ReportRead_Take(ReportHandle* report, AheadRead* read) {
    memset(read, 0, sizeof(*read));
    if (!report->RunState.ReaderTried)
        StartThread(report);
    if (!report->RunState.Reader) {
        ReadLog(&report->Profile->LogFiles, read);
        return;
    }
    ReadAhead_Next(report->RunState.Reader, read);
    // The reader has ended: the logs are the client thread's again.
    if (read->code == LOGREAD_NONE)
        ReportRead_Stop(report);
}

void ReportRead_Done(ReportHandle* report, HitRecord* hit) {
    if (!report->RunState.Reader)
        HitRecord_Free(hit);
}

void ReportRead_Stop(ReportHandle* report) {
    ReadAhead_Stop(report->RunState.Reader);
    report->RunState.Reader = nullptr;
}

void ReportRead_AllowThread(BOOL allow) {
    g_allowThread = allow;
}

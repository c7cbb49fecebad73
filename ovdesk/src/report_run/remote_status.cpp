// Updates of a remote request's status record.
#include "report_run/remote_status.h"
#include <cstring>

namespace {
DWORD g_lastPercentWrite = 0;
BOOL g_percentWritten = FALSE;

HANDLE OpenExistingRecord(const char* path) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Reads (write 0) or writes size bytes at offset of an existing record. 1 when
// all of them moved, else 0.
int MoveRecordBytes(const char* path, DWORD offset, BYTE* bytes, DWORD size, int write) {
    HANDLE file = OpenExistingRecord(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD moved = 0;
    BOOL ok = SetFilePointer(file, (LONG)offset, nullptr, FILE_BEGIN) == offset &&
              (write ? WriteFile(file, bytes, size, &moved, nullptr)
                     : ReadFile(file, bytes, size, &moved, nullptr));
    if (write)
        FlushFileBuffers(file);
    CloseHandle(file);
    return ok && moved == size;
}

void PutWord(BYTE* at, WORD value) {
    at[0] = (BYTE)(value & 0xFF);
    at[1] = (BYTE)(value >> 8);
}
} // namespace

int RemoteStatusPath(const ScheduleEvent* event, int remoteFolderOnly, char* path) {
    if (!event || event->Remote != EVENT_REMOTE_REQUEST || !event->SaveAsFilename[0])
        return 0;
    char name[MAX_PATH];
    lstrcpynA(name, event->SaveAsFilename, sizeof name);
    CharLowerA(name);
    if (remoteFolderOnly && !strstr(name, "\\remote reports\\"))
        return 0;
    char* slash = strrchr(name, '\\');
    if (!slash)
        return 0;
    size_t folder = (size_t)(slash - name);
    static const char kStatusName[] = "\\status.rep";
    if (folder + sizeof kStatusName > MAX_PATH)
        return 0;
    // The folder as the event names it; the lower-cased copy only served the folder check.
    memcpy(path, event->SaveAsFilename, folder);
    memcpy(path + folder, kStatusName, sizeof kStatusName);
    return 1;
}

void ResetRemotePercentClock(void) {
    g_percentWritten = FALSE;
}

void WriteRemoteRunPercent(const ReportRunRequest* request, int percent) {
    char path[MAX_PATH];
    if (!request || !RemoteStatusPath(request->Event, 1, path))
        return;
    DWORD now = GetTickCount();
    if (g_percentWritten && now - g_lastPercentWrite <= 1000)
        return;
    BYTE value[2];
    PutWord(value, (WORD)(percent < 1 ? 1 : percent > 99 ? 99 : percent));
    if (!MoveRecordBytes(path, STATUS_PERCENT_OFFSET, value, sizeof value, 1))
        return;
    g_lastPercentWrite = now;
    g_percentWritten = TRUE;
}

int ReadStatusRecord(const char* path, BYTE* record) {
    return MoveRecordBytes(path, 0, record, STATUS_RECORD_SIZE, 0);
}

int FinishStatusRecord(const char* path, BYTE* record, int success, const char* message) {
    PutWord(record + STATUS_PERCENT_OFFSET,
            (WORD)(success ? STATUS_PERCENT_SUCCESS : STATUS_PERCENT_FAILURE));
    // The folder number follows the message field: the zero stays inside the field.
    char* field = (char*)record + STATUS_MESSAGE_OFFSET;
    lstrcpynA(field, message ? message : "", STATUS_MESSAGE_SIZE);
    return MoveRecordBytes(path, 0, record, STATUS_RECORD_SIZE, 1);
}

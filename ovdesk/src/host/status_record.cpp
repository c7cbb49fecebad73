// Updating a remote request's status record in place.
#include "host/status_record.h"
#include <cstdio>
#include <cstring>

int WriteStatusRecord(const char* outputFile, WORD code, const char* message) {
    char path[MAX_PATH];
    const char* slash = strrchr(outputFile, '\\');
    if (!slash)
        return 0;
    int n =
        snprintf(path, sizeof path, "%.*sstatus.rep", (int)(slash - outputFile + 1), outputFile);
    if (n < 0 || n >= (int)sizeof path)
        return 0;
    HANDLE file =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    BYTE record[STATUS_RECORD_SIZE];
    DWORD done = 0;
    int ok = ReadFile(file, record, sizeof record, &done, nullptr) && done == sizeof record;
    if (ok) {
        memcpy(record + STATUS_CODE_OFFSET, &code, sizeof code);
        // The field behind the message keeps its value: cut inside the 300 bytes.
        char* field = (char*)record + STATUS_MESSAGE_OFFSET;
        snprintf(field, STATUS_MESSAGE_SIZE, "%s", message ? message : "");
        ok = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
             WriteFile(file, record, sizeof record, &done, nullptr) && done == sizeof record;
    }
    CloseHandle(file);
    return ok;
}

// The timed passes: the engine's reader and the plain loop it is held against.
#include "bench_passes.h"
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include <stdlib.h>
#include <string.h>

namespace {

ULONGLONG FileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

const DWORD kBlock = 1 << 20;
const int kMaxFields = 64;

// Splits one line at blanks into field starts, as a simple parser would.
ULONGLONG SplitFields(const char* line, const char* end) {
    const char* fields[kMaxFields];
    int count = 0;
    const char* p = line;
    while (p < end && count < kMaxFields) {
        while (p < end && *p == ' ')
            p++;
        if (p >= end)
            break;
        fields[count++] = p;
        while (p < end && *p != ' ')
            p++;
    }
    ULONGLONG sum = (ULONGLONG)count;
    for (int i = 0; i < count; i++)
        sum += (unsigned char)fields[i][0];
    return sum;
}

} // namespace

void ReadPassClock(PassClock* clock) {
    FILETIME created, exited, kernel, user;
    clock->cpu = 0;
    if (GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        clock->cpu = (((ULONGLONG)kernel.dwHighDateTime << 32) | kernel.dwLowDateTime) +
                     (((ULONGLONG)user.dwHighDateTime << 32) | user.dwLowDateTime);
    QueryPerformanceCounter(&clock->wall);
}

void SetPassTimes(const PassClock& from, const PassClock& to, BenchPass* out) {
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    out->seconds = (double)(to.wall.QuadPart - from.wall.QuadPart) / (double)freq.QuadPart;
    out->cpuSeconds = (double)(to.cpu - from.cpu) / 1e7;
}

BOOL RunReportReaderPass(const char* path, BenchPass* out) {
    memset(out, 0, sizeof(*out));
    out->bytes = FileSize(path);
    FileInfo* info = FileInfo_New();
    if (!info || !FileInfo_AddFile(info, path, 0, 0, 0)) {
        FileInfo_Free(info);
        return FALSE;
    }
    PassClock t0, t1;
    ReadPassClock(&t0);
    BOOL opened = FileInfo_Open(0, info, 0, 0xFFFFFFFF, nullptr, nullptr, nullptr) > 0;
    HitRecord* r = nullptr;
    while (opened && FileInfo_ReadNext(nullptr, info, &r) == LOGREAD_RECORD) {
        out->lines++;
        out->check += r->dwStatus + r->dwBytes + (unsigned char)r->lpszUrl[0];
        HitRecord_Free(r);
    }
    ReadPassClock(&t1);
    SetPassTimes(t0, t1, out);
    FileInfo_CloseAll(info);
    FileInfo_Free(info);
    return opened;
}

BOOL RunRecordReaderPass(const char* path, BenchPass* out, DWORD* skipped) {
    memset(out, 0, sizeof(*out));
    *skipped = 0;
    out->bytes = FileSize(path);
    LogFile* file = LogFile_New();
    if (!file || !LogFile_Open(file, path, 0, LOGFILE_SEQUENTIAL)) {
        LogFile_Free(file);
        return FALSE;
    }
    HitRecord* r = HitRecord_New();
    PassClock t0, t1;
    ReadPassClock(&t0);
    ULONGLONG at = 0;
    while (r && LogRecord_ReadNextCounted(file, at, r, &at, 100000, 0, skipped, nullptr) ==
                    LOGREAD_RECORD) {
        out->lines++;
        out->check += r->dwStatus + r->dwBytes + (unsigned char)r->lpszUrl[0];
    } // the record keeps its line buffer for the next line
    ReadPassClock(&t1);
    SetPassTimes(t0, t1, out);
    HitRecord_Free(r);
    LogFile_Free(file);
    return TRUE;
}

BOOL RunPlainPass(const char* path, BenchPass* out) {
    memset(out, 0, sizeof(*out));
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    char* buffer = (char*)malloc(kBlock);
    if (!buffer) {
        CloseHandle(h);
        return FALSE;
    }
    PassClock t0, t1;
    ReadPassClock(&t0);
    DWORD kept = 0; // the unfinished line carried to the buffer start
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h, buffer + kept, kBlock - kept, &got, nullptr) || got == 0)
            break;
        out->bytes += got;
        const char* p = buffer;
        const char* end = buffer + kept + got;
        for (;;) {
            const char* lf = (const char*)memchr(p, '\n', (size_t)(end - p));
            if (!lf)
                break;
            out->check += SplitFields(p, lf);
            out->lines++;
            p = lf + 1;
        }
        kept = (DWORD)(end - p);
        if (kept == kBlock) // a line longer than the block: count it as one
            kept = 0, out->lines++;
        memmove(buffer, p, kept);
    }
    if (kept)
        out->lines++;
    ReadPassClock(&t1);
    SetPassTimes(t0, t1, out);
    free(buffer);
    CloseHandle(h);
    return TRUE;
}

// Unpacking a gzip log with zlib.
#include "ovcore/logsource.h"
#include "logread/temp_files.h"
#include <zlib.h>
#include <stdlib.h>

namespace {

const DWORD kBlock = 31744;

enum GunzipResult { GUNZIP_OK, GUNZIP_FAILED, GUNZIP_STOPPED };

ULONGLONG FileSize(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

GunzipResult Copy(gzFile in, HANDLE out, BYTE* buffer, ULONGLONG estimate) {
    ULONGLONG written = 0;
    for (;;) {
        int got = gzread(in, buffer, kBlock);
        if (got < 0)
            return GUNZIP_FAILED;
        if (got == 0) { // a cut-off stream also ends here, with Z_BUF_ERROR
            int error = Z_OK;
            gzerror(in, &error);
            return error == Z_OK ? GUNZIP_OK : GUNZIP_FAILED;
        }
        DWORD done = 0;
        if (!WriteFile(out, buffer, (DWORD)got, &done, nullptr) || done != (DWORD)got)
            return GUNZIP_FAILED;
        written += done;
        if (!UnpackProgress_Report((DWORD)(estimate ? written * 100 / estimate : 100)))
            return GUNZIP_STOPPED;
    }
}

GunzipResult Unpack(const char* gzipPath, const char* localPath) {
    gzFile in = gzopen(gzipPath, "rb");
    HANDLE out = CreateFileA(localPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    BYTE* buffer = (BYTE*)malloc(kBlock);
    GunzipResult result = GUNZIP_FAILED;
    if (in && out != INVALID_HANDLE_VALUE && buffer)
        result = Copy(in, out, buffer, FileSize(gzipPath) * 10);
    free(buffer);
    if (in)
        gzclose(in);
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    if (result != GUNZIP_OK)
        DeleteFileA(localPath); // a partial copy must not be reused later
    return result;
}

} // namespace

TempFileRecord** GunzipLogFile(const char* profileName, HWND hostArg, const char* gzipPath,
                               DWORD* count) {
    *count = 0;
    char localPath[MAX_PATH];
    int known = -1;
    if (EnsureTempUnzipFolder(profileName))
        known = GetUnzippedFileName(profileName, gzipPath, gzipPath, localPath, 0);
    if (known < 0) {
        ShowUnzipError(hostArg, IDS_GUNZIP_FAILED, gzipPath);
        return nullptr;
    }
    UnpackProgress progress = {};
    GunzipResult result = GUNZIP_OK;
    if (known == 0) {
        UnpackProgress_Start(&progress, gzipPath);
        result = Unpack(gzipPath, localPath);
    }
    UnpackProgress_End(&progress);
    if (result == GUNZIP_FAILED)
        ShowUnzipError(hostArg, IDS_GUNZIP_FAILED, gzipPath);
    TempFileList list = {};
    if (result != GUNZIP_OK || !TempFileList_Add(&list, localPath)) {
        TempFileList_Clear(&list);
        return nullptr;
    }
    *count = list.count;
    return list.items;
}

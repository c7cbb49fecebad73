#include "zip_extract.h"
#include <zlib.h>
#include <stdlib.h>

namespace {

const DWORD kChunk = 32768;
const DWORD kLocalHeaderSize = 30;

struct Extraction {
    HANDLE archive;
    HANDLE out;
    ULONGLONG readPos;
    DWORD compressedLeft;
    DWORD written;
    DWORD crc;
    BYTE* in;
    BYTE* outBuf;
};

int LocateData(HANDLE archive, const ZipMember& m, ULONGLONG* dataPos) {
    BYTE h[kLocalHeaderSize];
    if (!ZipReadAt(archive, m.localHeaderOffset, h, sizeof(h)))
        return DUNZIP_BAD_ARCHIVE;
    if (h[0] != 'P' || h[1] != 'K' || h[2] != 3 || h[3] != 4)
        return DUNZIP_BAD_ARCHIVE;
    DWORD nameLength = h[26] | (h[27] << 8);
    DWORD extraLength = h[28] | (h[29] << 8);
    *dataPos = (ULONGLONG)m.localHeaderOffset + kLocalHeaderSize + nameLength + extraLength;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(archive, &size) || *dataPos + m.compressedSize > (ULONGLONG)size.QuadPart)
        return DUNZIP_BAD_ARCHIVE;
    return DUNZIP_OK;
}

int WriteOut(Extraction* x, const BYTE* data, DWORD count, const ZipMember& m) {
    if (count > m.uncompressedSize - x->written)
        return DUNZIP_DATA_ERROR; // more data than the directory promised
    DWORD done = 0;
    if (!WriteFile(x->out, data, count, &done, nullptr) || done != count)
        return DUNZIP_WRITE_ERROR;
    x->crc = crc32(x->crc, data, count);
    x->written += count;
    return DUNZIP_OK;
}

// Reads the next compressed chunk; 0 bytes at the member's end.
int ReadChunk(Extraction* x, DWORD* got) {
    *got = x->compressedLeft < kChunk ? x->compressedLeft : kChunk;
    if (*got && !ZipReadAt(x->archive, x->readPos, x->in, *got))
        return DUNZIP_CANNOT_OPEN;
    x->readPos += *got;
    x->compressedLeft -= *got;
    return DUNZIP_OK;
}

BOOL KeepGoing(const Extraction* x, const ZipMember& m, DUNZIP_PROGRESS progress, HWND window) {
    if (!progress)
        return TRUE;
    DWORD percent =
        m.uncompressedSize ? (DWORD)((ULONGLONG)x->written * 100 / m.uncompressedSize) : 100;
    return progress(window, percent);
}

int CopyStored(Extraction* x, const ZipMember& m, DUNZIP_PROGRESS progress, HWND window) {
    if (m.compressedSize != m.uncompressedSize)
        return DUNZIP_BAD_ARCHIVE;
    for (;;) {
        DWORD got = 0;
        int r = ReadChunk(x, &got);
        if (r != DUNZIP_OK || got == 0)
            return r;
        if ((r = WriteOut(x, x->in, got, m)) != DUNZIP_OK)
            return r;
        if (!KeepGoing(x, m, progress, window))
            return DUNZIP_STOPPED;
    }
}

int Inflate(Extraction* x, const ZipMember& m, DUNZIP_PROGRESS progress, HWND window) {
    z_stream z = {};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return DUNZIP_DATA_ERROR;
    int result = DUNZIP_OK;
    int status = Z_OK;
    while (result == DUNZIP_OK && status != Z_STREAM_END) {
        if (z.avail_in == 0) {
            DWORD got = 0;
            if ((result = ReadChunk(x, &got)) != DUNZIP_OK)
                break;
            if (got == 0) {
                result = DUNZIP_DATA_ERROR; // data ended before the stream did
                break;
            }
            z.next_in = x->in;
            z.avail_in = got;
        }
        z.next_out = x->outBuf;
        z.avail_out = kChunk;
        status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) {
            result = DUNZIP_DATA_ERROR;
            break;
        }
        result = WriteOut(x, x->outBuf, kChunk - z.avail_out, m);
        if (result == DUNZIP_OK && !KeepGoing(x, m, progress, window))
            result = DUNZIP_STOPPED;
    }
    inflateEnd(&z);
    return result;
}

} // namespace

int ZipExtractToFile(HANDLE archive, const ZipMember& m, LPCSTR destination,
                     DUNZIP_PROGRESS progress, HWND window) {
    if (m.flags & 1)
        return DUNZIP_UNSUPPORTED; // encrypted
    if (m.method != 0 && m.method != Z_DEFLATED)
        return DUNZIP_UNSUPPORTED;
    Extraction x = {};
    x.archive = archive;
    int result = LocateData(archive, m, &x.readPos);
    if (result != DUNZIP_OK)
        return result;
    x.out = CreateFileA(destination, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (x.out == INVALID_HANDLE_VALUE)
        return DUNZIP_CANNOT_CREATE;
    x.compressedLeft = m.compressedSize;
    x.in = (BYTE*)malloc(kChunk);
    x.outBuf = (BYTE*)malloc(kChunk);
    if (!x.in || !x.outBuf)
        result = DUNZIP_WRITE_ERROR;
    else if (m.method == 0)
        result = CopyStored(&x, m, progress, window);
    else
        result = Inflate(&x, m, progress, window);
    if (result == DUNZIP_OK && (x.written != m.uncompressedSize || x.crc != m.crc32))
        result = DUNZIP_DATA_ERROR;
    free(x.in);
    free(x.outBuf);
    CloseHandle(x.out);
    if (result != DUNZIP_OK)
        DeleteFileA(destination);
    else if (m.uncompressedSize == 0)
        result = DUNZIP_NOTHING_TO_DO;
    return result;
}

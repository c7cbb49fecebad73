// The status record "status.rep" of a remote report request.
#pragma once
#include <windows.h>

enum {
    STATUS_RECORD_SIZE = 1971,
    STATUS_CODE_OFFSET = 101,    // WORD: percent, 100 done, 110 failed
    STATUS_MESSAGE_OFFSET = 103, // 300 bytes, zero-terminated inside
    STATUS_MESSAGE_SIZE = 300,
    STATUS_DONE = 100,
    STATUS_FAILED = 110,
};

// Writes code and message into the "status.rep" of the folder of
// outputFile, when that record exists. 1 when written, else 0.
int WriteStatusRecord(const char* outputFile, WORD code, const char* message);

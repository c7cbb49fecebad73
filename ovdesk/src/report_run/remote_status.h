// The status record "status.rep" of a remote report request, as the report
// run updates it: the percent done while it runs, the outcome and the last
// message at its end. The record is made when the request is submitted;
// these functions only change an existing one.
#pragma once
#include "desk_types.h"

enum {
    STATUS_RECORD_SIZE = 1971,
    STATUS_PERCENT_OFFSET = 101,
    STATUS_MESSAGE_OFFSET = 103,
    STATUS_MESSAGE_SIZE = 300,
    STATUS_FOLDER_NUMBER_OFFSET = 403,
    STATUS_MAIL_OFFSET = 515,
    STATUS_MAIL_SIZE = 100,
    STATUS_PERCENT_SUCCESS = 100,
    STATUS_PERCENT_FAILURE = 110,
};

// "<folder of the event's output file>\status.rep" into path (MAX_PATH) for
// an event of a remote request; with remoteFolderOnly the output file must
// lie below a "\remote reports\" folder. 1 when a path was made, else 0.
int RemoteStatusPath(const ScheduleEvent* event, int remoteFolderOnly, char* path);

// Writes the percent (clamped to 1..99) of a running remote request, at most
// once a second; does nothing for other runs or when the record is missing
// or locked.
void WriteRemoteRunPercent(const ReportRunRequest* request, int percent);
// Lets the next WriteRemoteRunPercent write at once (a new run starts).
void ResetRemotePercentClock(void);

// Reads the whole record at path into record (STATUS_RECORD_SIZE bytes).
// 1 on success, 0 when the record cannot be opened or is short.
int ReadStatusRecord(const char* path, BYTE* record);
// Sets the outcome (100 success, 110 failure) and the message (cut to 299
// characters, zero inside its field; the bytes behind the field are kept)
// in record and writes it back whole. 1 on success, 0 otherwise.
int FinishStatusRecord(const char* path, BYTE* record, int success, const char* message);

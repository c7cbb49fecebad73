// The growing list of unpacked copies and the progress messages of unpacking.
#pragma once
#include "ovcore/logsource.h"

struct TempFileList {
    TempFileRecord** items;
    DWORD count;
};

// Appends a record for the unpacked file at localPath (when it exists). 0 on
// allocation failure.
BOOL TempFileList_Add(TempFileList* list, const char* localPath);
// Frees everything in the list and empties it.
void TempFileList_Clear(TempFileList* list);

// Progress of one archive: started on the first member that is unpacked.
struct UnpackProgress {
    BOOL started;
};
void UnpackProgress_Start(UnpackProgress* p, const char* archivePath);
// Sends percent (clamped to 100) and runs pending messages; FALSE when cancelled.
BOOL UnpackProgress_Report(DWORD percent);
void UnpackProgress_End(UnpackProgress* p);

// Creates the profile's temporary unzip folder when missing; 0 when it cannot.
BOOL EnsureTempUnzipFolder(const char* profileName);

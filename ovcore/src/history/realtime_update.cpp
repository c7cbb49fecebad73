// One call of the update export: the first open day of the profile's
// database is brought up to date from its logs.
#include <stdio.h>
#include <string.h>

#include "core/message_sink.h"
#include "history/database_update.h"
#include "odbc/odbc_history.h"

static void TellUser(const char* text) {
    Engine_ReportError(nullptr, "Ostrevane", text, 0, 0, 0);
}

// The first entry the logs reach that is not complete; -1 when none.
static LONG FirstOpenEntry(HistoryDatabase* db, ORB_TIME logFirst) {
    MasterEntry e;
    while (ReadNextMasterEntry(db, &e))
        if (e.End >= logFirst && e.Current <= e.End) {
            StepBackMasterEntry(db);
            return (LONG)db->Cursor;
        }
    return -1;
}

int UpdateRealtimeDatabase(PeriodHitSource* source, AnalysisProfile* profile,
                           const char* profilePath, void* hostEntry, int* upToDate) {
    *upToDate = 0;
    if (!profile || !profile->RealtimeAnalysis)
        return 0;
    ORB_TIME first = 0, last = 0;
    if (!source || !source->TimeRange(source->Context, &first, &last) || !first || !last) {
        // Lost access to the logs: nothing can be added until they are back.
        TellUser("The log files of the profile cannot be read; the history database was not "
                 "updated.");
        *upToDate = 1;
        return 1;
    }
    HistoryDatabase* db = OpenHistoryDatabase(profile, profilePath, first, last, 1);
    if (!db) {
        TellHistoryOpenFailure();
        *upToDate = 1;
        return 0;
    }
    LONG n = FirstOpenEntry(db, first);
    if (n < 0) {
        *upToDate = 1;
        CloseHistoryDatabase(db);
        return 0;
    }
    ResetUpdateProgress();
    int detail;
    int result = AddToCurrentDatabase(profile, source, db, (DWORD)n, hostEntry, 1, 0, profilePath,
                                      &detail, nullptr);
    if (!result && detail == UPDATE_ABORTED)
        return 1; // the end of the update export closes the database
    if (!result) {
        *upToDate = 1;
        CloseHistoryDatabase(db);
        return 0;
    }
    *upToDate = detail != UPDATE_MORE_DATA;
    ExtendDatabaseTimeRange(profile, &db->Entries[n]);
    CloseHistoryDatabase(db);
    return 1;
}

int DeleteRealtimeDatabase(AnalysisProfile* profile, const char* profilePath) {
    if (profile && profile->SwiftmereFlag == SWIFTMERE_ODBC) {
        ORB_DeleteODBCDatabase(profile);
        return 1;
    }
    if (!profile || profile->SwiftmereFlag != SWIFTMERE_FILES)
        return profile && profile->SwiftmereFlag == SWIFTMERE_NONE;
    HistoryDatabase* db = OpenHistoryDatabase(profile, profilePath, 0, 0, 0);
    if (!db) {
        TellHistoryOpenFailure();
        return 0;
    }
    char path[MAX_PATH], folder[MAX_PATH], daily[MAX_PATH];
    int ok = 1;
    for (DWORD i = 0; i < db->EntryCount; ++i)
        if (PeriodFilePath(db, &db->Entries[i], path) && !DeleteFileA(path) &&
            GetLastError() != ERROR_FILE_NOT_FOUND)
            ok = 0;
    strcpy(daily, db->Folder);
    CloseHistoryDatabase(db);
    snprintf(path, sizeof(path), "%s\\master.dat", daily);
    if (ok && !DeleteFileA(path))
        ok = 0;
    RemoveDirectoryA(daily);
    if (ConvertOrbisFileToRealTimeDir(profile, profilePath, folder, nullptr, PERIOD_DAY))
        RemoveDirectoryA(folder);
    return ok;
}

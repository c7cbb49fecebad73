// The history database's exports: where a profile keeps it, and the report
// ranges of a report from it.
#pragma once
#include "ovcore/dates.h"
#include "ovcore/profile.h"
#include "ovcore/registration.h"

// Folder of the profile's history database (see history/history_db.h).
ORB_EXPORT(int)
ConvertOrbisFileToRealTimeDir(const AnalysisProfile* profile, const char* profilePath, char* folder,
                              char* subFolder, int kind);

// Turns a range code into *start and *end (both read and written): codes
// 2-24 are relative to now (the local wall clock), 25-41 to *end, 42-48 to
// *start; see realtime_range.cpp for the table. Codes 0, 1 and above 48
// give the reference time itself. The month table of yearly ranges is set
// as a side effect (RealtimeMonthTable). C calling convention.
extern "C" OVCORE_API void __cdecl ORB_CalculateRealtimeReportRange(int code, ORB_TIME* start,
                                                                    ORB_TIME* end);

// The month bounds of the last range computed: Months is 0 (none), 12 or
// 24; Bounds holds Months + 1 first seconds (the last one closes the span).
struct RealtimeMonthTable {
    int Months;
    ORB_TIME Bounds[25];
};
const RealtimeMonthTable* GetRealtimeMonthTable(void);

// --- History-update exports ---

// Called once when an update that was asked to stop has been left.
typedef void(CALLBACK* ORB_UPDATEENDPROC)(void);

// Brings the profile's history database a step closer to its logs (one day
// per call). item is passed on to the progress callback and never looked
// into. 1 updated (call again for more), 6 nothing (left) to do, 4 stopped.
ORB_EXPORT(int)
ORB_UpdateRealtime(DWORD_PTR item, AnalysisProfile* profile, ORB_UPDATEPROGRESSPROC progress);
// Updates a list of profiles until each is done (passes are bounded). 0.
ORB_EXPORT(short)
OLD_UpdateRealtime(int count, AnalysisProfile** profiles, ORB_UPDATEPROGRESSPROC progress);
// Asks a running update to stop; end (may be null) is called once when the
// update is left. The number of updates running.
ORB_EXPORT(int) ORB_AbortRealtimeAnalysis(ORB_UPDATEENDPROC end);
// Deletes the profile's history database when it keeps one.
ORB_EXPORT(void) ORB_DeleteRealtimeDatabase(AnalysisProfile* profile);

// The profile's ODBC history database (its ODBCSwiftmere text).
// 1 when the tables were created.
ORB_EXPORT(int) ORB_CreateODBCTables(AnalysisProfile* profile);
// 1 when the first table already existed (missing tables are made either way).
ORB_EXPORT(int) ORB_DoODBCTablesExist(AnalysisProfile* profile);
// Drops the eleven tables of a profile whose history database is an ODBC one.
ORB_EXPORT(void) ORB_DeleteODBCDatabase(AnalysisProfile* profile);

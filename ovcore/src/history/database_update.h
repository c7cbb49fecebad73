// The update pass: the log data that is new since the last update is counted
// into the stored day it belongs to, one day at a time, on the road of a
// kind-6 run (DNS ring, filters, table updaters), and the day is committed
// with its master entry.
#pragma once
#include "history/history_db.h"

// Where an update takes its hits from: the profile's logs in the product,
// a table of hits in tests.
struct PeriodHitSource {
    void* Context;
    // Positions on the hits of [from, end]. 1/0.
    int (*Position)(void* context, ORB_TIME from, ORB_TIME end);
    // The first and last hit times of the whole source. 1/0.
    int (*TimeRange)(void* context, ORB_TIME* first, ORB_TIME* last);
    // The next hit in time order, kept by the source until the next call:
    // 1, or 0 at the end.
    int (*Next)(void* context, HitRecord** hit);
    // 0-100: how far the reading has come.
    DWORD (*DonePercent)(void* context);
};

// The profile's log files (profile->LogFiles, already listed) as a source.
void MakeLogFileSource(AnalysisProfile* profile, PeriodHitSource* source);
void CloseLogFileSource(PeriodHitSource* source);

// Status texts of a database report's update pass: (0, text, 0).
typedef void (*UpdateStatusProc)(int, const char* text, int);

// How an update's hits reach the tables: AccumulateGuard unless replaced
// (tests count by hand while the table updaters are elsewhere). Null
// restores it.
typedef int (*UpdateCountProc)(ReportHandle* report, HitRecord* hit);
void SetUpdateCounter(UpdateCountProc count);

// The done percent (which only rises within one update) and the line count
// start again.
void ResetUpdateProgress(void);

// Results of AnalyzeLogIntoDatabase, and the details of AddToCurrentDatabase.
#define ANALYZE_NOTHING 1
#define ANALYZE_ADDED 2
#define ANALYZE_FAILED 3
#define ANALYZE_ABORTED 4
#define UPDATE_NOTHING_NEW 1
#define UPDATE_FAILED 3
#define UPDATE_ABORTED 4
#define UPDATE_MORE_DATA 5
#define UPDATE_WRITE_ERROR 6
#define UPDATE_WRITTEN 7
#define UPDATE_BAD_PERIOD 8 // the stored day cannot be read (the user is told)

// The last time to take into the period [start, end] whose data reach
// current: 0 when the source has nothing after it. *moreData 1 when the
// source holds data after current. The newest second of a source that ends
// inside the period is left for a later update.
ORB_TIME GetPeriodDataLimit(PeriodHitSource* source, ORB_TIME current, ORB_TIME start, ORB_TIME end,
                            int* moreData);

// Counts the entry's new hits into report->Run. ANALYZE_*; *reached gets
// the time up to which the period now holds data.
int AnalyzeLogIntoDatabase(void* hostEntry, const MasterEntry* entry, PeriodHitSource* source,
                           ReportHandle* report, DWORD periodCount, DWORD periodIndex,
                           UpdateStatusProc status, ORB_TIME* reached, int* moreData);

// Loads entry n's period, counts its new hits and commits it with its new
// current time. 1 (detail UPDATE_NOTHING_NEW, UPDATE_MORE_DATA or
// UPDATE_WRITTEN) or 0 (UPDATE_FAILED, UPDATE_ABORTED, UPDATE_WRITE_ERROR,
// UPDATE_BAD_PERIOD); after 0 the stored period and its entry are as they
// were.
int AddToCurrentDatabase(AnalysisProfile* profile, PeriodHitSource* source, HistoryDatabase* handle,
                         DWORD n, void* hostEntry, DWORD periodCount, DWORD periodIndex,
                         const char* profilePath, int* detail, UpdateStatusProc status);

// One call of the update export: brings the first open day of the database
// up to date. 1 done, 0 failure or nothing to do; *upToDate 1 when nothing
// is left to add or an error makes further calls useless. Failures the user
// must know of (the database held by another program or damaged, a stored
// day or a log that cannot be read) go through the error display.
int UpdateRealtimeDatabase(PeriodHitSource* source, AnalysisProfile* profile,
                           const char* profilePath, void* hostEntry, int* upToDate);

// Removes the profile's database: a folder's period files that master.dat
// names, master.dat, and both folders when empty; an ODBC one's tables. 1/0.
int DeleteRealtimeDatabase(AnalysisProfile* profile, const char* profilePath);

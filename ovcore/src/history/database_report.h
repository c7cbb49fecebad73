// A report from the history database: the stored days of a range are first
// brought up to date from the logs and then merged into one run context,
// which the report writer prints like the context of a log run.
//
// Interval counters of the range's first day are cut at the range start,
// but its tables (and those of the last day) are merged whole: a day is
// stored as one set of tables, so a range that starts or ends inside a day
// counts that day's items in full.
#pragma once
#include "history/history_db.h"
#include "ovcore/report_writer.h"

// RunDatabaseReport results.
#define DBREPORT_DONE 0
#define DBREPORT_NO_MASTER 2   // master.dat could not be made or read (the user is told)
#define DBREPORT_NO_DATABASE 4 // the profile keeps no history database
#define DBREPORT_BAD_PERIOD 5  // a stored day could not be read or stored
#define DBREPORT_STOPPED 7     // the user stopped, or memory ran short in a merge
#define DBREPORT_NO_DATA 22    // no day of the range holds data

// Brings the days of [start, end] (an end at midnight moved back a second;
// then clamped to the logs and the database) up to date from the profile's
// logs (listed from servers when the profile holds no list; not while
// another program updates the database: the report then reads the days
// stored so far) and, unless updateOnly, merges
// them into a new run context in report->Run, whose tables are then marked
// for the writer. report is zero-filled by the caller, with its profile,
// sections and range-grid word (CallerWord, 1: a grid of the
// range itself) set. logPath goes to report->LogPath, outputPath to
// report->OutputFolder and the run's output path. The run's language is
// "ENGLISH", the words the days are stored with. A range made with the
// month table of ORB_CalculateRealtimeReportRange (its first second to its
// last) counts by month. A DBREPORT_* code; on
// every code the database is closed, and report->Run (when made) is left
// for FreeDatabaseReportContext.
WORD RunDatabaseReport(AnalysisProfile* profile, const char* profilePath, ORB_TIME start,
                       ORB_TIME end, const char* logPath, const char* outputPath,
                       ReportHandle* report, const ServerList* servers, ORB_STATUSPROC status,
                       int updateOnly);

// Loads a stored day into period (zero-filled the first time: its run
// context is then made from source's settings; later calls reuse it): a
// missing or empty day gives empty tables; the run's grid is the day's
// hours. *hasData (may be null) 1 when the day's file was loaded. 0 loaded,
// DBREPORT_BAD_PERIOD when the day cannot be read (the user is told) or
// memory is short.
int LoadPeriodForReport(HistoryDatabase* handle, const MasterEntry* entry, ReportHandle* period,
                        const ReportHandle* source, const char* profilePath, const char* logPath,
                        int* hasData);

// Frees the run context of a database report (its lists, tables and
// template copy). A report whose run was never built, or null, is left as
// it is. flag is not used.
void FreeDatabaseReportContext(ReportHandle* report, int flag);

// The history database, folder form: <folder>\daily\master.dat (one 64-byte
// entry per day) and one %08x.dat period file per day holding the day's
// per-period block and tables.
//
// Every write of master.dat and of a period file goes to a temporary file in
// the same folder and replaces the old file, and a period is committed
// together with its master entry through a journal (period_commit.cpp), so
// that a failure at any point leaves the stored days as they were. One
// update at a time: an open database holds the folder's lock file.
#pragma once
#include "ovcore/analysis_table.h"
#include "ovcore/dates.h"
#include "ovcore/history.h"
#include "ovcore/profile.h"
#include "run/report_handle.h"

#define MASTER_FORMAT 4
#define MASTER_HEADER_SIZE 448
#define MASTER_ENTRY_SIZE 64
#define PERIOD_HEADER_SIZE 512
#define HISTORY_DAY 86400
#define HISTORY_NAME_SIZE 20

// Period kinds.
enum PeriodKind { PERIOD_DAY = 0, PERIOD_WEEK, PERIOD_MONTH, PERIOD_QUARTER, PERIOD_YEAR };

// WritePeriodFile results.
#define PERIOD_WRITTEN 7
#define PERIOD_WRITE_ERROR 6
#define PERIOD_STORE_ERROR 4
// ReadPeriod results.
#define PERIOD_NO_FILE 21
#define PERIOD_EMPTY 22
#define PERIOD_LOADED 23
#define PERIOD_BAD 24

#pragma pack(push, 1)
struct MasterEntry {
    char Name[HISTORY_NAME_SIZE]; // "%08x.dat" of Start
    ORB_TIME Start;               // the day's first second
    ORB_TIME End;                 // Start + 86,399
    ORB_TIME Current;             // 0 empty; last hit stored; End + 1 complete
    BYTE Reserved[32];
};
#pragma pack(pop)
static_assert(sizeof(MasterEntry) == MASTER_ENTRY_SIZE, "master entry layout");

// Why the last OpenHistoryDatabase gave null.
enum HistoryOpenError {
    HISTORY_OPEN_OK = 0,
    HISTORY_OPEN_NO_FOLDER, // no folder path, or it cannot be made
    HISTORY_OPEN_LOCKED,    // another program is updating the database
    HISTORY_OPEN_MASTER,    // master.dat cannot be made, grown or read
    HISTORY_OPEN_NO_MEMORY,
};

// The one open database. Type 1 keeps master.dat's entries in memory: the
// file is read at open and replaced whole by every entry rewrite.
struct HistoryDatabase {
    int Type;                 // SWIFTMERE_*
    void* Connection;         // the ODBC form's connection record (type 2)
    HANDLE Lock;              // the lock file (type 1)
    char Folder[MAX_PATH];    // the period folder, <folder>\daily
    AnalysisProfile* Profile; // not owned
    MasterEntry* Entries;
    DWORD EntryCount;
    DWORD Cursor; // the entry the next read gives
    int ReadOnly; // opened to read: shares the folder with an updater; writes fail
};

// --- Folder and periods (history_folder.cpp, period_time.cpp) ---

// ConvertOrbisFileToRealTimeDir (ovcore/history.h): the profile's
// repository field when set, else the profile file path (profilePath, or
// GenerateOrbisFilePath when null/empty) with everything from the last "."
// replaced by ".dat". subFolder (may be null) gets folder + "\" + the kind's
// folder name. 1, or 0 when no path can be made (both outputs empty).
// Outputs hold MAX_PATH characters.
// "daily", "weekly", "monthly", "quartrly", "yearly"; null for other kinds.
const char* PeriodFolderName(int kind);

ORB_TIME PeriodStart(int kind, ORB_TIME time);
ORB_TIME PeriodEnd(int kind, ORB_TIME time);
ORB_TIME NextPeriodStart(int kind, ORB_TIME time);
// The interval grid of one period of the kind (count, code, length).
void SetPeriodIntervals(int kind, ReportIntervals* intervals);
// The label of the period holding time (size >= 64). Returns text.
char* FormatDatabasePeriodLabel(int kind, ORB_TIME time, char* text);
// A day entry for the day holding time, current time 0.
void MakeDayEntry(ORB_TIME time, MasterEntry* entry);

// --- master.dat (master_file.cpp) ---

// What a folder's master.dat holds.
enum MasterState {
    MASTER_LOADED,     // whole entries in time order without gaps
    MASTER_MISSING,    // no file, or one too short to hold an entry: made afresh
    MASTER_DAMAGED,    // another format word, or entries out of order or misnamed
    MASTER_UNREADABLE, // the file cannot be opened or read
    MASTER_UNWRITABLE, // a new or grown index could not be written
};

// Makes or grows master.dat in the period folder so that its days cover
// firstTime..lastTime; growth writes a new file and replaces the old one,
// and a file that ends inside an entry is written back without that part.
// A damaged or unreadable file is left as it is. MASTER_LOADED, or the
// cause of the failure (the old file unchanged).
MasterState PrepareMasterFile(const char* folder, ORB_TIME firstTime, ORB_TIME lastTime);
// PrepareMasterFile as 1 (MASTER_LOADED) or 0.
int EnsureMasterFile(const char* folder, ORB_TIME firstTime, ORB_TIME lastTime);
// Reads master.dat whole: MASTER_LOADED with *entries (free()) and *count,
// else no entries and the cause (a part entry at the end is not read).
MasterState ReadMasterFile(const char* folder, MasterEntry** entries, DWORD* count);
// ReadMasterFile as 1 (MASTER_LOADED) or 0.
int LoadMasterFile(const char* folder, MasterEntry** entries, DWORD* count);
// Writes the entries as a new master.dat and replaces the old one. 1/0.
int SaveMasterFile(const char* folder, const MasterEntry* entries, DWORD count);

// --- The open database (history_open.cpp) ---

// Opens the profile's database to update it: Type 1 the folder (takes the
// folder's update lock, undoes unfinished commits and grows master.dat to
// cover firstTime..lastTime; both 0: opens what is there), Type 2 the ODBC
// data source (its master rows grown likewise when create is set); other
// types give a handle without a store. Closes the database open before.
// Null on failure; the cause is kept for HistoryOpenFailure
// (HISTORY_OPEN_LOCKED while another program updates the database) and
// TellHistoryOpenFailure.
HistoryDatabase* OpenHistoryDatabase(AnalysisProfile* profile, const char* profilePath,
                                     ORB_TIME firstTime, ORB_TIME lastTime, int create);
// Opens the database as it is, to read it: other readers and one updater
// may hold it at the same time. Nothing is made, grown or recovered (a
// folder without master.dat opens with no entries; a missing folder is
// HISTORY_OPEN_NO_FOLDER), and the handle's writes fail. Null on failure,
// as OpenHistoryDatabase.
HistoryDatabase* OpenHistoryDatabaseToRead(AnalysisProfile* profile, const char* profilePath);
HistoryOpenError HistoryOpenFailure(void);
// After HISTORY_OPEN_MASTER of a folder database: what master.dat holds.
MasterState HistoryOpenMasterState(void);
// The period folder of the last failed open ("" when not known).
const char* HistoryOpenFolder(void);
// Tells the user, through the error display, why the last open failed.
void TellHistoryOpenFailure(void);
void CloseHistoryDatabase(HistoryDatabase* handle);
// Closes the database in the global slot, if any.
void CloseOpenHistoryDatabase(void);
// 1 and the next entry, or 0 at the end.
int ReadNextMasterEntry(HistoryDatabase* handle, MasterEntry* entry);
void SeekMasterEntry(HistoryDatabase* handle, DWORD n);
void StepBackMasterEntry(HistoryDatabase* handle);
// Writes entry over the one last read (the cursor's previous entry) and
// replaces master.dat. 1/0 (on 0 nothing changed, in memory or on disk).
int RewriteLastMasterEntry(HistoryDatabase* handle, const MasterEntry* entry);
// Sets entry n's current time and replaces master.dat. 1/0 (unchanged).
int SetMasterEntryCurrent(HistoryDatabase* handle, DWORD n, ORB_TIME current);
// Walks the entries: the profile's database first and last times.
void GetDatabaseTimeRange(AnalysisProfile* profile);
void ExtendDatabaseTimeRange(AnalysisProfile* profile, const MasterEntry* entry);

// --- Period files (period_write.cpp, period_read.cpp) ---

// Stores the context's per-period block and tables as folder\name (through a
// temporary file). The tables stay the context's (their sort indexes are
// materialised). PERIOD_WRITTEN or PERIOD_WRITE_ERROR (the old file kept).
int WritePeriodFileAs(const char* path, RunContext* context);
// period folder + "\" + the entry's name (MAX_PATH). 1/0.
int PeriodFilePath(const HistoryDatabase* handle, const MasterEntry* entry, char* path);
// WritePeriodFileAs for an entry of a folder database; PERIOD_STORE_ERROR
// for the ODBC form, which stores its rows elsewhere.
int WritePeriodFile(const MasterEntry* entry, HistoryDatabase* handle, RunContext* context);
// Loads a period file into the context (its tables must be empty).
// PERIOD_LOADED, PERIOD_NO_FILE, PERIOD_EMPTY or PERIOD_BAD (nothing left
// allocated).
int ReadPeriodFile(const char* path, RunContext* context);
// The language ("ENGLISH") and the profile file name (the last part of
// profilePath, which may be null) of a report over stored days.
void SetPeriodReportNames(ReportHandle* report, const char* profilePath);
// ReadPeriodFile for an entry into report->Run (made here when null); an
// entry with current time 0 is PERIOD_EMPTY. The report takes the language
// "ENGLISH" and the profile file name from profilePath.
int ReadPeriod(const MasterEntry* entry, HistoryDatabase* handle, ReportHandle* report,
               const char* profilePath);
// Tells the user, through the error display, that the entry's stored day
// cannot be read (ReadPeriod gave PERIOD_BAD); the ODBC form has told it.
void TellUnreadablePeriod(const HistoryDatabase* handle, const MasterEntry* entry);
// ReadPeriod where a missing or empty period gives empty tables. 1/0.
int LoadPeriodForUpdate(const MasterEntry* entry, HistoryDatabase* handle, ReportHandle* report,
                        const char* profilePath);

// --- The tables of a loaded period (period_tables.cpp) ---

// 44 empty tables and an empty visitor table. 1, or 0 when memory is short.
int MakeEmptyPeriodTables(RunContext* context);
// Frees the tables and the visitor table; the pointers become null.
void FreePeriodTables(RunContext* context);
// Frees a heap report handle of a period (calloc) with its context and
// tables. Null is ignored.
void FreePeriodReport(ReportHandle* report);

// --- The ODBC form (history_odbc.cpp) ---
// The same entries and periods kept in the profile's ODBCSwiftmere data
// source; called by the entry points above and below for a type-2 handle.

// Connects (handle->Connection), makes missing tables and master rows for
// firstTime..lastTime when create is set, and reads the master rows into the
// handle's entries. 1/0 (the caller closes the handle on 0).
int OpenOdbcHistory(HistoryDatabase* handle, const AnalysisProfile* profile, ORB_TIME firstTime,
                    ORB_TIME lastTime, int create);
void CloseOdbcHistory(HistoryDatabase* handle);
// The entry's period into the context (its tables must be empty):
// PERIOD_LOADED, PERIOD_EMPTY (no stored period) or PERIOD_BAD.
int ReadOdbcPeriod(const HistoryDatabase* handle, const MasterEntry* entry, RunContext* context);
// Writes entry n's period with its master row at the new current time in
// one transaction. 1, or 0 with the stored period and row as they were.
int CommitOdbcPeriod(HistoryDatabase* handle, DWORD n, RunContext* context, ORB_TIME current);
// Replaces entry n (in memory and its master row) by entry. 1/0.
int SaveOdbcEntry(HistoryDatabase* handle, DWORD n, const MasterEntry* entry);

// --- Committing a period with its entry (period_commit.cpp) ---

// Writes the period of entry n with the new current time and then its
// master entry; a failure at any point leaves both as they were. 1, or 0
// (PERIOD_WRITE_ERROR in *detail when the period could not be written, 2
// when the master entry could not, PERIOD_STORE_ERROR when the ODBC form
// could not store them).
int CommitPeriod(HistoryDatabase* handle, DWORD n, RunContext* context, ORB_TIME current,
                 int* detail);
// Undoes period writes whose master entry was never committed (a crash
// between the two). Called by OpenHistoryDatabase.
void RecoverPeriodJournals(HistoryDatabase* handle);

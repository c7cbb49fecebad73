// The analysis profile record: which logs to read, how its file is named, the
// home-page, history-database and report settings, the filters and the two
// database-report sections. Engine, plug-in and import program share it by
// pointer, so its field order and widths are part of the engine's interface.
// Its stored form is the .wlp file (profile_file.h).
#pragma once
#include "ovcore/ovcore_base.h"
#include "ovcore/serverlist.h"
#include "ovcore/filters.h"
#include "ovcore/rowmere.h"
#include "ovcore/fileinfo.h"
#include <stddef.h>

#define PROFILE_VERSION 4
#define PROFILE_BASENAME_SIZE 32
#define PROFILE_EXTENSION_SIZE 32
#define PROFILE_DESCRIPTION_SIZE 464
// The profile file keeps at most this many characters of the description.
#define PROFILE_DESCRIPTION_STORED 80
#define PROFILE_HOMEPAGE_SIZE 260
#define PROFILE_CREDENTIAL_SIZE 41
#define PROFILE_SAVETOPATH_SIZE 256
#define PROFILE_ODBC_SIZE 301
#define PROFILE_REPOSITORY_SIZE 260
#define PROFILE_LOGOWNER_SIZE 100

// History-database types (SwiftmereFlag).
#define SWIFTMERE_NONE 0
#define SWIFTMERE_FILES 1
#define SWIFTMERE_ODBC 2

// Kinds of log source found for a profile (SourceFlags).
#define SOURCE_PLAIN 1
#define SOURCE_FTP 2
#define SOURCE_HTTP 4
#define SOURCE_ZIP 8
#define SOURCE_GZIP 16
#define SOURCE_ODBC 32

#pragma pack(push, 1)
typedef struct AnalysisProfile {
    WORD Version; // always PROFILE_VERSION
    char BaseName[PROFILE_BASENAME_SIZE];
    char Extension[PROFILE_EXTENSION_SIZE];
    char Description[PROFILE_DESCRIPTION_SIZE];
    ServerList Servers;                   // owned
    char HomePage[PROFILE_HOMEPAGE_SIZE]; // filled by the import program; not stored
    char HomePageDefaults[PROFILE_HOMEPAGE_SIZE];
    char HomePageBaseDir[PROFILE_HOMEPAGE_SIZE];
    char HomePageUsername[PROFILE_CREDENTIAL_SIZE]; // plain in memory
    char HomePagePassword[PROFILE_CREDENTIAL_SIZE]; // plain in memory
    BYTE DNSLookup;                                 // 0 off, 1 resolve, 2 as the settings say
    DWORD OverrideMultiHome;
    BYTE LogInfoValid; // run-time: logs found and measured
    char szReserved[48];
    DWORD LogSizeKB;    // run-time
    DWORD FirstLogTime; // run-time
    WORD wReserved1;    // initial 0
    WORD wReserved2;    // initial 33
    DWORD LastLogTime;  // run-time
    WORD wReserved3;    // initial 0
    WORD wReserved4;    // initial 33
    DWORD RealtimeAnalysis;
    WORD SwiftmereFlag; // SWIFTMERE_*
    // Run-time: the report-kind / realtime range code that the report run
    // writes and the profile sheet clears; zeroed whenever the file is read.
    WORD wRangeCode;
    DWORD dwRuntime1;   // run-time, copied
    DWORD RealtimeDone; // run-time: no (further) update needed in this pass
    DWORD IncrementalUpdate;
    WORD RealtimeReportFrequency;
    DWORD RealtimeReportInterval;
    DWORD RealtimeReports;
    char ReportSaveToPath[PROFILE_SAVETOPATH_SIZE];
    DWORD dwRuntime2;        // run-time, copied
    DWORD DatabaseFirstTime; // run-time
    DWORD DatabaseLastTime;  // run-time
    DWORD LogFileFormat;     // date-format code of the logs; 0 not yet detected
    char ODBCDataSource[PROFILE_ODBC_SIZE];
    char SwiftmereRepository[PROFILE_REPOSITORY_SIZE];
    char LogOwner[PROFILE_LOGOWNER_SIZE];
    char ODBCSwiftmere[PROFILE_ODBC_SIZE];
    DWORD dwRuntime3;  // run-time, copied
    FileInfo LogFiles; // run-time: the profile's kept log-file set; never copied
    WORD SourceFlags;  // SOURCE_*
    DWORD DontShowOverlapMsg;
    void* ClientData;           // the user interface's block (realtime schedule entry); not owned
    ProfileFilter* Filters;     // owned chain
    RowmereSettings* RowmereIP; // owned, may be null
    RowmereSettings* RowmereAuthUser; // owned, may be null
} AnalysisProfile;
#pragma pack(pop)
#ifndef _WIN64
static_assert(offsetof(AnalysisProfile, LogFiles) == 2750, "AnalysisProfile layout");
static_assert(sizeof(AnalysisProfile) == 2832, "AnalysisProfile layout");
#endif

// A zero-filled record set to the defaults; null when memory is short. Free
// with AnalysisProfile_Free.
ORB_EXPORT(AnalysisProfile*) AnalysisProfile_New();
// Sets the defaults; frees nothing the record held.
ORB_EXPORT(void) AnalysisProfile_Init(AnalysisProfile* lpProfile);
// Frees what the target owns, then copies every field of the source: texts
// bounded, servers, filters and database-report sections deep, run-time
// fields as they stand; ClientData becomes null and LogFiles empty. Copying a
// profile onto itself does nothing. 1 on success, 0 when memory ran short
// (the target is then initialised and partly filled).
ORB_EXPORT(int)
AnalysisProfile_CopyNonRuntime(AnalysisProfile* lpTarget, const AnalysisProfile* lpSource);
// Frees the filter chain, both database-report sections, the kept log files
// and the server entries; the record stays (null allowed).
ORB_EXPORT(void) AnalysisProfile_FreeInternals(AnalysisProfile* lpProfile);
// FreeInternals, then the record (null allowed).
ORB_EXPORT(void) AnalysisProfile_Free(AnalysisProfile* lpProfile);
// 1 when the text is not empty, holds only digits and dots and exactly three
// dots (the parts are not checked), else 0.
ORB_EXPORT(int) IsItAnIPAddr(const char* szText);

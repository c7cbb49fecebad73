// ovcore_historybench: a year of days stored in a folder history database
// and read back into one yearly report by the database report pass. The days' tables are filled
// here (names, counts, visitor sub-lists), the way a day's analysis leaves them.
//   ovcore_historybench.exe [folder] [-n pages-per-day]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "tables/analysis_tables.h"
#include "tables/item_counters.h"
#include "core/message_sink.h"
#include "history/database_report.h"
#include "history/history_db.h"
#include "ovcore/history.h"

namespace {

const ORB_TIME kYear = 1704067200; // 2024-01-01
const int kDays = 365;

double Seconds(LARGE_INTEGER from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

void FillDay(RunContext* run, int day, int pages) {
    AnalysisTable* t = run->Period.TopTablesPtr;
    char name[64];
    for (int i = 0; i < pages; ++i) {
        snprintf(name, sizeof(name), "/section%d/page%d.html", i % 40, (i * 7 + day) % (pages * 2));
        DWORD n = AddTableItem(&t[TopDocuments], name);
        if (n)
            TableItem_CountHit(t[TopDocuments].lpItems[n - 1], (DWORD)(i % 24), i % 3 == 0);
    }
    for (int i = 0; i < pages / 4; ++i) {
        snprintf(name, sizeof(name), "10.%d.%d.%d", day % 200, i / 250, i % 250);
        DWORD n = AddTableItem(run->Period.TopUsersPtr, name);
        if (!n)
            continue;
        AnalysisItem* visitor = run->Period.TopUsersPtr->lpItems[n - 1];
        DWORD user = AddTableItem(&t[TopUsers], name);
        if (user)
            TableItem_CountHit(t[TopUsers].lpItems[user - 1], (DWORD)(i % 24), 1);
        TableItem_CountHit(visitor, (DWORD)(i % 24), 1);
        for (int k = 0; k < 5; ++k)
            AddSubItemId(visitor, k % 3, (DWORD)(i + k));
    }
    for (int h = 0; h < 24; ++h)
        run->Period.Hits[h] += (DWORD)(pages / 24);
    run->Period.TodayDateTime = kYear + day * 86400u;
    run->Period.TodaysHits = (DWORD)pages;
}

ULONGLONG FolderBytes(const char* folder) {
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof(pattern), "%s\\*", folder);
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern, &found);
    ULONGLONG total = 0;
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do
        total += ((ULONGLONG)found.nFileSizeHigh << 32) | found.nFileSizeLow;
    while (FindNextFileA(h, &found));
    FindClose(h);
    return total;
}

} // namespace

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    const char* folder = "historybench.dat";
    int pages = 2000;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "-n") == 0 && i + 1 < argc)
            pages = atoi(argv[++i]);
        else
            folder = argv[i];
    }
    AnalysisProfile profile = {};
    profile.SwiftmereFlag = SWIFTMERE_FILES;
    lstrcpynA(profile.SwiftmereRepository, folder, sizeof(profile.SwiftmereRepository));
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    HistoryDatabase* db =
        OpenHistoryDatabase(&profile, nullptr, kYear, kYear + kDays * 86400u - 1, 1);
    if (!db) {
        fprintf(stderr, "cannot open the database in %s\n", folder);
        return 1;
    }
    for (DWORD n = 0; n < db->EntryCount; ++n) {
        ReportHandle* report = (ReportHandle*)calloc(1, sizeof(ReportHandle));
        MasterEntry entry = db->Entries[n];
        int detail = 0;
        if (!LoadPeriodForUpdate(&entry, db, report, nullptr) ||
            (FillDay(report->Run, (int)n, pages),
             !CommitPeriod(db, n, report->Run, entry.End + 1, &detail))) {
            fprintf(stderr, "day %lu could not be stored\n", (unsigned long)n);
            return 1;
        }
        FreePeriodReport(report);
    }
    double update = Seconds(start);
    ULONGLONG bytes = FolderBytes(db->Folder);

    CloseHistoryDatabase(db);

    // The yearly report as ORB_DoRealtime makes it: the range code of the
    // year month by month, then the database pass (no logs: nothing to
    // update) that reads and merges every day.
    QueryPerformanceCounter(&start);
    ORB_TIME from = kYear, to = kYear;
    ORB_CalculateRealtimeReportRange(48, &from, &to);
    ReportHandle* total = (ReportHandle*)calloc(1, sizeof(ReportHandle));
    total->Profile = &profile;
    WORD code = RunDatabaseReport(&profile, nullptr, from, to, "", "year.htm", total,
                                  &profile.Servers, nullptr, 0);
    double report = Seconds(start);
    if (code != DBREPORT_DONE || !total->Run) {
        fprintf(stderr, "the yearly report failed (%u)\n", (unsigned)code);
        return 1;
    }
    printf("days %d, pages a day %d\n", kDays, pages);
    printf("update (store every day): %.2f s\n", update);
    printf("yearly report from the database (read and merge every day): %.2f s\n", report);
    printf("database size: %.1f MB\n", bytes / 1048576.0);
    printf("report: %lu documents, %lu visitors\n",
           (unsigned long)total->Run->Period.TopTablesPtr[TopDocuments].ovCount,
           (unsigned long)total->Run->Period.TopTablesPtr[TopUsers].ovCount);
    printf("report: %d month slots\n", total->Run->CountByMonth ? total->Run->Intervals.Count : 0);
    FreeDatabaseReportContext(total, 1);
    free(total);
    return 0;
}

// ovcore_accumulate_bench: how fast the hit updaters count hits into the
// tables of a run, every table of the default set in use.
//
//   ovcore_accumulate_bench [-n hits] [-0]
//
// -0: no table in use (the visits and the run's totals only), to see what
// the tables cost.
// Generates the hits in memory first (about 300,000 distinct URLs, 5,000
// clients, a few hundred agents and referrers; one hit every 0.6 s from
// 2024-01-01), then times AccumulateHit over all of them and the end of the
// run (closing the visits and ordering the tables). Prints hits per second
// and the process's peak working set. Run by hand (docs/benchmarks.md).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/message_sink.h"
#include "count/accumulate.h"

#include <psapi.h> // after windows.h

namespace {

const DWORD kStart = 1704067200; // 2024-01-01 00:00
const DWORD kUrls = 300000, kClients = 5000;

double Seconds(LARGE_INTEGER from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Processor seconds of this thread (moves less than the wall clock when
// other programs share the machine).
double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return double(k.QuadPart + u.QuadPart) / 1e7;
}

struct Random {
    unsigned long long state = 0x2545F4914F6CDD1Dull;
    DWORD Next() {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return DWORD(state >> 33);
    }
    // Skewed towards small numbers, as real traffic is.
    DWORD Skewed(DWORD n) {
        double u = Next() / 2147483648.0;
        return DWORD(u * u * u * n) % n;
    }
};

// The texts the generated hits point at.
struct Pools {
    std::vector<std::string> urls, clients, agents, referrers;
};

void MakePools(Pools& p) {
    static const char* kSections[] = {"shop", "news", "docs", "blog", "img", "download"};
    static const char* kTypes[] = {"html", "htm", "gif", "jpg", "css", "js", "zip", "php"};
    for (DWORD i = 0; i < kUrls; ++i) {
        char url[160];
        const char* type = kTypes[i % 8];
        if (i % 11 == 0)
            snprintf(url, sizeof url, "/%s/c%03lu/search.php?q=item%lu&page=%lu", kSections[i % 6],
                     (unsigned long)(i % 997), (unsigned long)i, (unsigned long)(i % 7));
        else
            snprintf(url, sizeof url, "/%s/c%03lu/item%07lu.%s", kSections[i % 6],
                     (unsigned long)(i % 997), (unsigned long)i, type);
        p.urls.push_back(url);
    }
    for (DWORD i = 0; i < kClients; ++i) {
        char host[64];
        if (i % 3 == 0)
            snprintf(host, sizeof host, "%lu.%lu.%lu.%lu", (unsigned long)(10 + i % 200),
                     (unsigned long)(i / 200 % 250), (unsigned long)(i % 250),
                     (unsigned long)(i % 97));
        else
            snprintf(host, sizeof host, "host%lu.isp%lu.%s", (unsigned long)i,
                     (unsigned long)(i % 40),
                     i % 5 == 0   ? "de"
                     : i % 7 == 0 ? "co.uk"
                                  : "com");
        p.clients.push_back(host);
    }
    static const char* kSystems[] = {
        "Windows NT 10.0; Win64; x64",       "Windows 98",        "Win95",
        "Macintosh; Intel Mac OS X 10_15_7", "X11; Linux x86_64", "Windows NT 6.1; WOW64"};
    for (DWORD i = 0; i < 300; ++i) {
        char agent[256];
        const char* os = kSystems[i % 6];
        switch (i % 5) {
        case 0:
            snprintf(agent, sizeof agent, "Mozilla/4.0 (compatible; MSIE %lu.0; %s)",
                     (unsigned long)(4 + i % 7), os);
            break;
        case 1:
            snprintf(agent, sizeof agent, "Mozilla/5.0 (%s; rv:%lu.0) Gecko/20100101 Firefox/%lu.0",
                     os, (unsigned long)(60 + i), (unsigned long)(60 + i));
            break;
        case 2:
            snprintf(agent, sizeof agent,
                     "Mozilla/5.0 (%s) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/%lu.0.%lu.0 "
                     "Safari/537.36",
                     os, (unsigned long)(90 + i % 30), (unsigned long)(4000 + i));
            break;
        case 3:
            snprintf(agent, sizeof agent, "Mozilla/5.0 (compatible; Examplebot/%lu.%lu; crawler)",
                     (unsigned long)(i % 3), (unsigned long)i);
            break;
        default:
            snprintf(agent, sizeof agent, "Lynx/2.8.%lu libwww-FM/2.14", (unsigned long)i);
        }
        p.agents.push_back(agent);
    }
    for (DWORD i = 0; i < 300; ++i) {
        char referrer[200];
        if (i % 4 == 0)
            referrer[0] = 0;
        else if (i % 4 == 1)
            snprintf(referrer, sizeof referrer,
                     "http://www.google.com/search?q=shop+item+%lu&hl=en", (unsigned long)i);
        else
            snprintf(referrer, sizeof referrer, "http://site%lu.example.org/links/page%lu.html",
                     (unsigned long)(i % 60), (unsigned long)i);
        p.referrers.push_back(referrer);
    }
}

// One hit: the record's texts point into the pools (nothing is allocated).
void FillHit(HitRecord* h, const Pools& p, Random& r, DWORD i, char* status, char* empty) {
    DWORD url = i % 2 ? r.Skewed(kUrls) : (i / 2) % kUrls;
    h->lpszUrl = const_cast<char*>(p.urls[url].c_str());
    const std::string& client = p.clients[r.Skewed(kClients)];
    lstrcpynA(h->szClientAddr, client.c_str(), sizeof h->szClientAddr);
    const char* dot = strchr(client.c_str(), '.');
    lstrcpynA(h->szDomain, dot ? dot + 1 : client.c_str(), sizeof h->szDomain);
    h->lpszUserAgent = const_cast<char*>(p.agents[r.Skewed(300)].c_str());
    h->lpszReferrer = const_cast<char*>(p.referrers[r.Next() % 300].c_str());
    DWORD pick = r.Next() % 100;
    h->dwStatus = pick < 85 ? 200 : pick < 93 ? 304 : pick < 98 ? 404 : 500;
    h->bSuccess = h->dwStatus < 400;
    h->dwBytes = h->dwStatus == 200 ? 500 + r.Next() % 50000 : 0;
    h->wMethod = pick == 84 ? HIT_METHOD_POST : HIT_METHOD_GET;
    h->dwTime = kStart + DWORD(i * 0.6);
    h->wServerIndex = WORD(i % 2);
    h->lpszUserName = i % 50 == 0 ? const_cast<char*>("member") : empty;
    snprintf(status, 8, "%lu", (unsigned long)h->dwStatus);
}

FileType** TypeList(std::initializer_list<const char*> names, WORD* count) {
    FileType** list = (FileType**)calloc(names.size(), sizeof(FileType*));
    *count = 0;
    for (const char* name : names) {
        list[*count] = CreateFileType();
        lstrcpynA(list[*count]->Name, name, sizeof list[*count]->Name);
        ++*count;
    }
    return list;
}

} // namespace

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    DWORD hits = 1000000;
    bool noTables = false;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "-n") == 0 && i + 1 < argc)
            hits = strtoul(argv[++i], nullptr, 10);
        else if (strcmp(argv[i], "-0") == 0)
            noTables = true;
        else {
            fprintf(stderr, "usage: ovcore_accumulate_bench [-n hits] [-0]\n");
            return 2;
        }
    }

    // The run's wording: REPORT.INI defaults from an empty folder.
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    lstrcatA(folder, "ovaccbench\\");
    CreateDirectoryA(folder, nullptr);
    std::string templates = std::string(folder) + "Template";
    CreateDirectoryA(templates.c_str(), nullptr);
    HANDLE rpl = CreateFileA((templates + "\\ENGLISH.RPL").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    CloseHandle(rpl);
    ReportIniSettings* language = nullptr;
    if (!ReadReportIniSettings(folder, "ENGLISH", &language)) {
        fprintf(stderr, "cannot read the report wording\n");
        return 1;
    }

    RunContext* run = AllocRunContext();
    ServerList* servers = ServerList_New();
    ServerList_AddServer(servers, "www1", "c:\\logs\\a.log", "", "");
    ServerList_AddServer(servers, "www2", "c:\\logs\\b.log", "", "");
    run->Servers = servers;
    run->Language = language;
    run->Intervals = {7, 9, 86400, kStart, kStart, kStart + 7 * 86400 - 1};
    run->MaxTopCount = 500;
    run->MaxCachedCount = 4000;
    run->CachedTime = 1800;
    run->Period.QuietestDayHits = run->Period.QuietestDayUsers = 0xFFFFFFFF;
    lstrcpynA(run->Country, "US", sizeof run->Country);
    lstrcpynA(run->HomePage, "/", sizeof run->HomePage);
    run->DocumentTypes = TypeList({"htm", "html", "php"}, &run->DocumentTypeCount);
    run->DownloadTypes = TypeList({"zip", "exe"}, &run->DownloadTypeCount);
    for (ReportTableKeyword& k : g_ReportTableKeywords) {
        k.Used = noTables ? 0 : 1;
        k.Empty = 1;
        k.TopCount = 25;
    }
    g_ReportTableKeywords[ObsoleteTopPaths].Used = 0;
    ReportHandle report = {};
    report.Run = run;
    if (!MakeRunTables(run)) {
        fprintf(stderr, "out of memory\n");
        return 1;
    }

    Pools pools;
    MakePools(pools);
    HitRecord hit = {};
    char status[8], empty[1] = "";
    hit.dwValid = 1;
    hit.wFormat = 1;
    hit.lpszProtocol = const_cast<char*>("HTTP/1.1");
    hit.lpszStatus = status;
    hit.lpszCookie = nullptr;
    Random random;
    printf("ovcore_accumulate_bench: %lu hits, %lu URLs, %lu clients, %zu agents, %zu referrers\n",
           (unsigned long)hits, (unsigned long)kUrls, (unsigned long)kClients, pools.agents.size(),
           pools.referrers.size());

    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    double cpuStart = ThreadSeconds();
    for (DWORD i = 0; i < hits; ++i) {
        FillHit(&hit, pools, random, i, status, empty);
        if (!AccumulateHit(&report, run, &hit)) {
            fprintf(stderr, "counting stopped at hit %lu: %s\n", (unsigned long)i, run->ErrorText);
            return 1;
        }
    }
    double counting = Seconds(start), countingCpu = ThreadSeconds() - cpuStart;
    QueryPerformanceCounter(&start);
    EndRunTables(run);
    double ending = Seconds(start);

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    printf("counting        %.3f s   %.0f hits/s   (%.3f s cpu: %.0f hits/s)\n", counting,
           hits / counting, countingCpu, hits / countingCpu);
    printf("end of run      %.3f s   (visits closed, tables ordered)\n", ending);
    DWORD items = run->Period.TopUsersPtr->ovCount + run->Period.TopUsersPtr->DeleteCount;
    printf("items:");
    for (int n = 0; n < RUN_TABLE_COUNT; ++n) {
        const AnalysisTable& t = run->Period.TopTablesPtr[n];
        items += t.ovCount + t.DeleteCount;
        if (t.ovCount > 1000)
            printf(" %s %lu", g_ReportTableKeywords[n].Keyword, (unsigned long)t.ovCount);
    }
    printf("; %lu in all\n", (unsigned long)items);
    printf("peak working set %.1f MiB\n", memory.PeakWorkingSetSize / 1048576.0);

    FreeRunTables(run);
    FreeFileTypesArray(run->DocumentTypes, run->DocumentTypeCount);
    FreeFileTypesArray(run->DownloadTypes, run->DownloadTypeCount);
    free(run);
    ServerList_Free(servers);
    FreeSummaryArrays(language);
    return Engine_ErrorCount() == 0 ? 0 : 1;
}

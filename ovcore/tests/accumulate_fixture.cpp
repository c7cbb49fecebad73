#include "accumulate_fixture.h"

#include <stdlib.h>
#include <string.h>

#include <string>

namespace acctest {

namespace {

FileType** TypeList(std::initializer_list<const char*> names, WORD* count) {
    FileType** list = (FileType**)calloc(names.size(), sizeof(FileType*));
    WORD n = 0;
    for (const char* name : names) {
        list[n] = CreateFileType();
        lstrcpynA(list[n]->Name, name, sizeof list[n]->Name);
        ++n;
    }
    *count = n;
    return list;
}

RunWordList WordList(std::initializer_list<const char*> words) {
    RunWordList list = {WORD(words.size()), (char**)calloc(words.size(), sizeof(char*))};
    WORD n = 0;
    for (const char* w : words)
        list.Words[n++] = _strdup(w);
    return list;
}

void FreeWords(RunWordList& list) {
    for (WORD i = 0; i < list.Count; ++i)
        free(list.Words[i]);
    free(list.Words);
}

// Puts the texts one after the other in the record's line and points at them,
// as a line parser leaves a record (status and bytes as texts too).
HitRecord* MakeRecord(const Hit& h) {
    const std::string status = std::to_string(h.status), bytes = std::to_string(h.bytes);
    const char* texts[] = {h.url,      h.referrer,     h.agent,      h.user,
                           h.protocol, status.c_str(), bytes.c_str()};
    std::string line;
    for (const char* t : texts) {
        line += t;
        line += '\0';
    }
    HitRecord* rec = HitRecord_New();
    HitRecord_SetLine(rec, line.data(), DWORD(line.size()));
    char** others[] = {&rec->lpszServerAddr, &rec->lpszMethod, &rec->lpszClientAddr,
                       &rec->lpszDateTime, &rec->lpszServerName};
    for (char** slot : others)
        *slot = HitRecord_EmptyText;
    char* p = rec->lpLine;
    char** slots[] = {&rec->lpszUrl,      &rec->lpszReferrer, &rec->lpszUserAgent,
                      &rec->lpszUserName, &rec->lpszProtocol, &rec->lpszStatus,
                      &rec->lpszBytesOut};
    for (char** slot : slots) {
        *slot = p;
        p += strlen(p) + 1;
    }
    rec->lpszBytesIn = rec->lpszBytesOut;
    rec->dwValid = 1;
    rec->dwTime = h.time;
    rec->dwStatus = h.status;
    rec->dwBytes = h.bytes;
    rec->wMethod = h.method;
    rec->wFormat = h.format;
    rec->wServerIndex = h.serverIndex;
    rec->bSuccess = BYTE(h.success >= 0 ? h.success : h.status < 400);
    lstrcpynA(rec->szClientAddr, h.host, sizeof rec->szClientAddr);
    lstrcpynA(rec->szDomain, h.domain ? h.domain : h.host, sizeof rec->szDomain);
    lstrcpynA(rec->szServerAddr, h.server, sizeof rec->szServerAddr);
    return rec;
}

} // namespace

void RunFixture::SetUp() {
    InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());
    langvars::Clear();
    install.Write("ovdesk\\Template\\ENGLISH.RPL", "");
    install.Write("ovdesk\\REPORT.INI", "[Countries]\r\nCount=2\r\nItem1=United States,US\r\n"
                                        "Item2=Canada,CA\r\n[US States]\r\nCount=2\r\n"
                                        "Item1=Illinois,IL\r\nItem2=Massachusetts,MA\r\n");
    ASSERT_EQ(ReadReportIniSettings(install.Module().c_str(), "ENGLISH", &language), 1);
    run = AllocRunContext();
    ASSERT_NE(run, nullptr);
    run->Language = language;
    run->Intervals.Count = 7;
    run->Intervals.Length = kDay;
    run->Intervals.FirstStart = run->Intervals.RangeStart = kMonday;
    run->Intervals.RangeEnd = kMonday + 7 * kDay - 1;
    run->MaxTopCount = 500;
    run->MaxCachedCount = 4000;
    run->CachedTime = 1800;
    run->Period.QuietestDayHits = run->Period.QuietestDayUsers = 0xFFFFFFFF;
    lstrcpynA(run->Country, "US", sizeof run->Country);
    lstrcpynA(run->HomePage, "/", sizeof run->HomePage);
    run->DocumentTypes = TypeList({"htm", "html", "txt"}, &run->DocumentTypeCount);
    run->DownloadTypes = TypeList({"zip", "exe"}, &run->DownloadTypeCount);
    run->USDomains = WordList({"com", "edu", "net", "org", "gov", "mil"});
    run->OrgTypeWords = WordList({"com", "edu", "gov"});
    run->OrgTypeCodes = (int*)calloc(3, sizeof(int));
    run->OrgTypeCodes[0] = SUF_COM;
    run->OrgTypeCodes[1] = SUF_EDU;
    run->OrgTypeCodes[2] = SUF_GOV;
    FilterStringToStruct("index.html", &run->HomePageList, 0);
    servers = ServerList_New();
    ServerList_AddServer(servers, "www1", "c:\\logs\\a.log", "", "");
    ServerList_AddServer(servers, "www2", "c:\\logs\\b.log", "", "");
    run->Servers = servers;
    report.Run = run;
    for (ReportTableKeyword& k : g_ReportTableKeywords) {
        k.Used = 1;
        k.Empty = 1;
        k.TopCount = 10;
    }
    g_ReportTableKeywords[ObsoleteTopPaths].Used = 0;
    ASSERT_EQ(MakeRunTables(run), 1);
}

void RunFixture::TearDown() {
    FreeRunTables(run);
    for (HitRecord* r : records)
        HitRecord_Free(r);
    FreeFileTypesArray(run->DocumentTypes, run->DocumentTypeCount);
    FreeFileTypesArray(run->DownloadTypes, run->DownloadTypeCount);
    FreeWords(run->USDomains);
    FreeWords(run->OrgTypeWords);
    free(run->OrgTypeCodes);
    FreeFilterStrings(run->HomePageList);
    free(run);
    ServerList_Free(servers);
    FreeSummaryArrays(language);
    langvars::Clear();
    InstallFolder_Reset();
}

HitRecord* RunFixture::Record(const Hit& h) {
    records.push_back(MakeRecord(h));
    return records.back();
}

int RunFixture::Count(const Hit& h) {
    return AccumulateHit(&report, run, Record(h));
}

void RunFixture::CountAll(const std::vector<Hit>& hits) {
    for (const Hit& h : hits)
        ASSERT_EQ(Count(h), 1) << h.url;
}

std::vector<std::pair<std::string, DWORD>> RunFixture::Rows(int table) const {
    std::vector<std::pair<std::string, DWORD>> rows;
    const AnalysisTable* t = Table(table);
    for (DWORD i = 0; t->lpItems && i < t->ovCount + t->DeleteCount; ++i) {
        const AnalysisItem* item = t->lpItems[i];
        if (item && !item->ovDeleted && item->ovString)
            rows.emplace_back(item->ovString, item->ovTotalByHits);
    }
    return rows;
}

const AnalysisItem* RunFixture::Item(int table, const char* name) const {
    const AnalysisTable* t = Table(table);
    for (DWORD i = 0; t->lpItems && i < t->ovCount + t->DeleteCount; ++i) {
        const AnalysisItem* item = t->lpItems[i];
        if (item && !item->ovDeleted && item->ovString && strcmp(item->ovString, name) == 0)
            return item;
    }
    return nullptr;
}

DWORD RunFixture::Hits(int table, const char* name) const {
    const AnalysisItem* item = Item(table, name);
    return item ? item->ovTotalByHits : 0;
}

DWORD RunFixture::Users(int table, const char* name) const {
    const AnalysisItem* item = Item(table, name);
    return item ? item->ovTotalByUsers : 0;
}

void RunFixture::UseOnly(std::initializer_list<int> tables) {
    for (ReportTableKeyword& k : g_ReportTableKeywords)
        k.Used = 0;
    for (int t : tables)
        g_ReportTableKeywords[t].Used = 1;
}

} // namespace acctest

// A run context made from another run's instead of from the settings (the
// history database's report road).
#include <stdlib.h>
#include <string.h>

#include "count/accumulate.h"
#include "run/run_context_parts.h"
#include "run/run_setup.h"

namespace {

// Arrays of FILETYPE_SLOTS, as the settings readers make them.
FileType** CopyFileTypes(FileType* const* from, WORD count) {
    FileType** to = (FileType**)calloc(FILETYPE_SLOTS, sizeof(FileType*));
    for (WORD i = 0; to && from && i < count && i < FILETYPE_SLOTS; i++) {
        if (!from[i])
            continue;
        if (!(to[i] = (FileType*)malloc(sizeof(FileType)))) {
            FreeFileTypesArray(to, FILETYPE_SLOTS);
            return nullptr;
        }
        *to[i] = *from[i];
    }
    return to;
}

char** CopyWords(char* const* from, WORD count) {
    char** to = (char**)calloc(FILETYPE_SLOTS, sizeof(char*));
    for (WORD i = 0; to && from && i < count && i < FILETYPE_SLOTS; i++)
        if (from[i] && !(to[i] = _strdup(from[i]))) {
            FreeDefaultsList(to);
            return nullptr;
        }
    return to;
}

BOOL CopyLists(RunContext* to, const RunContext* from) {
    to->DocumentTypes = CopyFileTypes(from->DocumentTypes, from->DocumentTypeCount);
    to->DocumentTypeCount = to->DocumentTypes ? from->DocumentTypeCount : 0;
    to->DownloadTypes = CopyFileTypes(from->DownloadTypes, from->DownloadTypeCount);
    to->DownloadTypeCount = to->DownloadTypes ? from->DownloadTypeCount : 0;
    to->USDomains.Words = CopyWords(from->USDomains.Words, from->USDomains.Count);
    to->USDomains.Count = to->USDomains.Words ? from->USDomains.Count : 0;
    to->FetchTitleTypes = CopyWords(from->FetchTitleTypes, from->FetchTitleTypeCount);
    to->FetchTitleTypeCount = to->FetchTitleTypes ? from->FetchTitleTypeCount : 0;
    if (!to->DocumentTypes || !to->DownloadTypes || !to->USDomains.Words || !to->FetchTitleTypes)
        return FALSE;
    for (WORD i = 0; i < from->OrgTypeWords.Count; i++)
        if (!InitRunContextLists(from->OrgTypeCodes[i], to, from->OrgTypeWords.Words[i]))
            return FALSE;
    if (from->AdViewCount) {
        to->AdViews = (AdViewRecord*)malloc(from->AdViewCount * sizeof(AdViewRecord));
        if (!to->AdViews)
            return FALSE;
        memcpy(to->AdViews, from->AdViews, from->AdViewCount * sizeof(AdViewRecord));
        to->AdViewCount = from->AdViewCount;
    }
    if (from->IntranetCount) {
        to->Intranet = (IntranetEntry*)calloc(from->IntranetCount, sizeof(IntranetEntry));
        if (!to->Intranet)
            return FALSE;
        for (int i = 0; i < from->IntranetCount; i++, to->IntranetCount++) {
            const IntranetEntry& source = from->Intranet[i];
            IntranetEntry& target = to->Intranet[i];
            for (int f = 0; f < 6; f++)
                if (!(target.Fields[f] = _strdup(source.Fields[f] ? source.Fields[f] : "")))
                    return FALSE;
            if (!(target.CityState = _strdup(source.CityState ? source.CityState : "")))
                return FALSE;
            RunContext_TypeIntranetEntry(&to->Intranet[i]);
        }
    }
    return CopyStringStruct(from->HomePageList, &to->HomePageList) != 0 || !from->HomePageList;
}

void CopyValues(RunContext* to, const RunContext* from) {
    memcpy(to->HomePage, from->HomePage, sizeof(to->HomePage));
    memcpy(to->HomePagePrefix, from->HomePagePrefix, sizeof(to->HomePagePrefix));
    memcpy(to->Country, from->Country, sizeof(to->Country));
    memcpy(to->ProfileTexts, from->ProfileTexts, sizeof(to->ProfileTexts));
    to->Profile = from->Profile;
    to->Servers = from->Servers;
    to->OverrideMultiHome = from->OverrideMultiHome;
    to->Intervals = from->Intervals;
    to->MaxTopCount = from->MaxTopCount;
    to->MaxCachedCount = from->MaxCachedCount;
    to->CachedTime = from->CachedTime;
    to->SortSetting = from->SortSetting;
    to->CreatedTime = from->CreatedTime;
    to->Period.QuietestDayHits = to->Period.QuietestDayUsers = 0xFFFFFFFF;
    memcpy(to->RunText, from->RunText, sizeof(to->RunText));
    memcpy(to->ReportDateText, from->ReportDateText, sizeof(to->ReportDateText));
}

} // namespace

int CopyRunContext(ReportHandle* target, const ReportHandle* source, int withTables) {
    const RunContext* from = source ? source->Run : nullptr;
    RunContext* to = from ? AllocRunContext() : nullptr;
    if (!to)
        return 0;
    to->Language = CopyLanguageTable(from->Language);
    if (!to->Language || !CopyLists(to, from)) {
        FreeRunContext(to);
        return 0;
    }
    CopyValues(to, from);
    target->Run = to;
    SetReportRangeText(target);
    if (!RunContext_OpenReport(target, source)) {
        FinishReport(target);
        return 0;
    }
    RunContext_OpenCompanyFile(to, source->DataPath);
    if (withTables && !MakeRunTables(to)) {
        FinishReport(target);
        return 0;
    }
    return 1;
}

// ReadReportIniSettings and the release of its record.
#include "reportini/report_ini_file.h"
#include "ovcore/langvars.h"
#include "ovcore/report_ini.h"
#include "ovcore/settings.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

void FreeTexts(char** texts, int n) {
    for (int i = 0; i < n; ++i)
        free(texts[i]);
}

void FreeCodeList(CodeNameList& list) {
    if (!list.Items)
        return;
    for (int i = 0; i < list.Count; ++i)
        free(list.Items[i].Name);
    free(list.Items);
}

} // namespace

ORB_EXPORT(int)
ReadReportIniSettings(const char* moduleFolder, const char* language, ReportIniSettings** out) {
    if (!out)
        return 0;
    ReportIniSettings* s = static_cast<ReportIniSettings*>(calloc(1, sizeof(ReportIniSettings)));
    *out = s;
    if (!s)
        return 0;

    char folder[MAX_PATH] = "";
    if (moduleFolder)
        lstrcpynA(folder, moduleFolder, sizeof folder);
    else
        ORB_GetMainPath(folder);
    char varFile[MAX_PATH] = "";
    snprintf(varFile, sizeof varFile, "%sTemplate\\%s.RPL", folder,
             language && *language ? language : "ENGLISH");
    fetchvar_ReadVarData(varFile); // without it every marker reads as empty

    char path[MAX_PATH + 16] = "";
    snprintf(path, sizeof path, "%sREPORT.INI", folder);
    reportini::ReportIniFile ini(path);

    if (!reportini::ReadNameLists(ini, s) || !reportini::ReadSingleTexts(ini, s))
        return 0;
    int order = ini.ReadInt("intl", "iDate", 0);
    s->DateOrder = WORD(order >= 0 && order <= 2 ? order : 0);
    reportini::ReadHourList(ini, "AfterHours", reportini::kDefaultAfterHours, &s->AfterHours);
    reportini::ReadHourList(ini, "WorkHours", reportini::kDefaultWorkHours, &s->WorkHours);
    if (!reportini::ReadIntervalScales(ini, s) ||
        !reportini::ReadCodeList(ini, "Countries", &s->Countries) ||
        !reportini::ReadCodeList(ini, "US States", &s->States))
        return 0;
    return 1;
}

ORB_EXPORT(void) FreeSummaryArrays(ReportIniSettings* s) {
    if (!s)
        return;
    FreeTexts(s->ShortWeekdays, 7);
    FreeTexts(s->LongWeekdays, 7);
    FreeTexts(s->ShortMonths, 12);
    FreeTexts(s->LongMonths, 12);
    FreeTexts(s->ReturnCodes, RC_COUNT);
    FreeTexts(s->Generic, GEN_COUNT);
    FreeTexts(s->IpTypes, IPT_COUNT);
    FreeTexts(s->Suffixes, SUF_COUNT);
    FreeTexts(s->Legends, LEG_COUNT);
    free(s->DateSeparator);
    free(s->TimeSeparator);
    free(s->GeneratedOnFormat);
    free(s->ActivityTimeFormat);
    for (int i = 0; s->Intervals && i < s->IntervalCount; ++i) {
        free(s->Intervals[i].LabelFormat);
        free(s->Intervals[i].Name);
        free(s->Intervals[i].RangeFormat);
    }
    free(s->Intervals);
    FreeCodeList(s->Countries);
    FreeCodeList(s->States);
    free(s);
}

// A deep copy of a run's language table.
#include <stdlib.h>
#include <string.h>

#include "run/run_setup.h"

namespace {

// Copies count texts; FALSE when one could not be copied (the ones made
// stay for FreeSummaryArrays).
BOOL CopyTexts(char** to, char* const* from, int count) {
    for (int i = 0; i < count; i++)
        if (from[i] && !(to[i] = _strdup(from[i])))
            return FALSE;
    return TRUE;
}

BOOL DuplicateText(char** to, const char* from) {
    return !from || (*to = _strdup(from)) != nullptr;
}

BOOL CopyCodes(CodeNameList* to, const CodeNameList& from) {
    to->Count = 0;
    to->Items = nullptr;
    if (!from.Count || !from.Items)
        return TRUE;
    to->Items = (CodeName*)calloc(from.Count, sizeof(CodeName));
    if (!to->Items)
        return FALSE;
    to->Count = from.Count;
    for (WORD i = 0; i < from.Count; i++) {
        memcpy(to->Items[i].Code, from.Items[i].Code, REPORTINI_CODE_SIZE);
        if (!DuplicateText(&to->Items[i].Name, from.Items[i].Name))
            return FALSE;
    }
    return TRUE;
}

BOOL CopyScales(ReportIniSettings* to, const ReportIniSettings& from) {
    to->IntervalCount = 0;
    to->Intervals = nullptr;
    if (!from.IntervalCount || !from.Intervals)
        return TRUE;
    to->Intervals = (IntervalScale*)calloc(from.IntervalCount, sizeof(IntervalScale));
    if (!to->Intervals)
        return FALSE;
    to->IntervalCount = from.IntervalCount;
    for (WORD i = 0; i < from.IntervalCount; i++) {
        const IntervalScale& s = from.Intervals[i];
        IntervalScale& d = to->Intervals[i];
        d.Seconds = s.Seconds;
        d.Count = s.Count;
        if (!DuplicateText(&d.LabelFormat, s.LabelFormat) || !DuplicateText(&d.Name, s.Name) ||
            !DuplicateText(&d.RangeFormat, s.RangeFormat))
            return FALSE;
    }
    return TRUE;
}

} // namespace

ReportIniSettings* CopyLanguageTable(const ReportIniSettings* source) {
    if (!source)
        return nullptr;
    ReportIniSettings* copy = (ReportIniSettings*)calloc(1, sizeof(ReportIniSettings));
    if (!copy)
        return nullptr;
    const ReportIniSettings& s = *source;
    copy->DateOrder = s.DateOrder;
    copy->AfterHours = s.AfterHours;
    copy->WorkHours = s.WorkHours;
    BOOL ok = CopyTexts(copy->ShortWeekdays, s.ShortWeekdays, 7) &&
              CopyTexts(copy->LongWeekdays, s.LongWeekdays, 7) &&
              CopyTexts(copy->ShortMonths, s.ShortMonths, 12) &&
              CopyTexts(copy->LongMonths, s.LongMonths, 12) &&
              CopyTexts(copy->ReturnCodes, s.ReturnCodes, RC_COUNT) &&
              CopyTexts(copy->Generic, s.Generic, GEN_COUNT) &&
              CopyTexts(copy->IpTypes, s.IpTypes, IPT_COUNT) &&
              CopyTexts(copy->Suffixes, s.Suffixes, SUF_COUNT) &&
              CopyTexts(copy->Legends, s.Legends, LEG_COUNT) &&
              DuplicateText(&copy->DateSeparator, s.DateSeparator) &&
              DuplicateText(&copy->TimeSeparator, s.TimeSeparator) &&
              DuplicateText(&copy->GeneratedOnFormat, s.GeneratedOnFormat) &&
              DuplicateText(&copy->ActivityTimeFormat, s.ActivityTimeFormat) &&
              CopyScales(copy, s) && CopyCodes(&copy->Countries, s.Countries) &&
              CopyCodes(&copy->States, s.States);
    if (!ok) {
        FreeSummaryArrays(copy);
        return nullptr;
    }
    return copy;
}

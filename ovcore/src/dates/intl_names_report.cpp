// Names, order and separators of a report's language settings.
#include "dates/intl_names.h"

#include "ovcore/report_ini.h"

static void TakeNames(const char* const* from, const char** to, int count) {
    for (int i = 0; i < count; ++i)
        if (from[i])
            to[i] = from[i];
}

static void TakeSeparator(const char* from, char* to) {
    if (from && from[0]) {
        to[0] = from[0];
        to[1] = 0;
    }
}

void IntlNames_FromReportSettings(const ReportIniSettings* settings, IntlNames* names) {
    TakeNames(settings->ShortWeekdays, names->shortDay, 7);
    TakeNames(settings->LongWeekdays, names->longDay, 7);
    TakeNames(settings->ShortMonths, names->shortMonth, 12);
    TakeNames(settings->LongMonths, names->longMonth, 12);
    names->iDate = settings->DateOrder;
    TakeSeparator(settings->DateSeparator, names->sDate);
    TakeSeparator(settings->TimeSeparator, names->sTime);
}

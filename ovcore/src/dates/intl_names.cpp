#include "dates/intl_names.h"

#include <string.h>

#include "core/engine_settings.h"
#include "ovcore/registration.h"

static const char* const kShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
static const char* const kLongDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
static const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
static const char* const kLongMonths[12] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};

static const char* EngineText(UINT id, const char* fallback) {
    const char* text = LoadCachedString(id);
    return strcmp(text, ORB_STRING_NOT_FOUND) == 0 ? fallback : text;
}

static void Separator(char* out, char value) {
    out[0] = value;
    out[1] = 0;
}

void IntlNames_FromEngine(IntlNames* names) {
    for (int i = 0; i < 12; ++i) {
        names->shortMonth[i] = EngineText(5628 + i, kShortMonths[i]);
        names->longMonth[i] = EngineText(5640 + i, kLongMonths[i]);
    }
    for (int i = 0; i < 7; ++i) {
        names->shortDay[i] = EngineText(5652 + i, kShortDays[i]);
        names->longDay[i] = EngineText(5659 + i, kLongDays[i]);
    }
    const OvkitIntlSettings& system = Engine_Settings().systemIntl;
    names->iDate = system.Order;
    Separator(names->sDate, system.DateSeparator);
    Separator(names->sTime, system.TimeSeparator);
}

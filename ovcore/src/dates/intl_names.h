// The names, date order and separators the date formatter uses.
#pragma once

struct ReportIniSettings;

struct IntlNames {
    const char* shortDay[7];
    const char* longDay[7];
    const char* shortMonth[12];
    const char* longMonth[12];
    int iDate; // 0 month-day-year, 1 day-month-year, 2 year-month-day
    char sDate[2];
    char sTime[2];
};

// From the client's strings 5628-5665 (English built-ins for missing ones)
// and the system [intl] values read at the first registration.
void IntlNames_FromEngine(IntlNames* names);
// From a report's settings; names it lacks stay those of IntlNames_FromEngine.
void IntlNames_FromReportSettings(const ReportIniSettings* settings, IntlNames* names);

// Date and time texts in the Windows [intl] order, read at each call.
#include "ovcore/dates.h"

#include <stdio.h>
#include <string.h>

static const char kNotAvailable[] = "N/A";

static void WriteTexts(char* timeText, char* dateText, const struct tm* t) {
    if (!t) {
        lstrcpyA(timeText, kNotAvailable);
        lstrcpyA(dateText, kNotAvailable);
        return;
    }
    int iDate = GetProfileIntA("intl", "iDate", 0);
    char sDate[8], sTime[8];
    GetProfileStringA("intl", "sDate", "/", sDate, sizeof(sDate));
    GetProfileStringA("intl", "sTime", ":", sTime, sizeof(sTime));
    sDate[1] = sTime[1] = 0; // one character each
    int month = t->tm_mon + 1, day = t->tm_mday, year = t->tm_year % 100;
    if (iDate == 0)
        sprintf(dateText, "%02d%s%02d%s%02d", month, sDate, day, sDate, year);
    else if (iDate == 1)
        sprintf(dateText, "%02d%s%02d%s%02d", day, sDate, month, sDate, year);
    else if (iDate == 2)
        sprintf(dateText, "%02d%s%02d%s%02d", year, sDate, month, sDate, day);
    else
        return;
    sprintf(timeText, "%02d%s%02d%s%02d", t->tm_hour, sTime, t->tm_min, sTime, t->tm_sec);
}

ORB_EXPORT(void) FormatUtcDateTime(char* timeText, char* dateText, ORB_TIME value) {
    if (timeText && dateText)
        WriteTexts(timeText, dateText, TimeToGmTm(&value));
}

ORB_EXPORT(void) FormatLocalDateTime(char* timeText, char* dateText, ORB_TIME value) {
    if (timeText && dateText)
        WriteTexts(timeText, dateText, TimeToLocalTm(&value));
}

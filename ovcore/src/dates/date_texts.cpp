// Date and time texts in the Windows [intl] order, read at each call.
#include "ovcore/dates.h"
#include "ovkit/intl_texts.h"

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
    OvkitFormatIntlTexts(*t, iDate, sDate, sTime, timeText, dateText);
}

ORB_EXPORT(void) FormatUtcDateTime(char* timeText, char* dateText, ORB_TIME value) {
    if (timeText && dateText)
        WriteTexts(timeText, dateText, TimeToGmTm(&value));
}

ORB_EXPORT(void) FormatLocalDateTime(char* timeText, char* dateText, ORB_TIME value) {
    if (timeText && dateText)
        WriteTexts(timeText, dateText, TimeToLocalTm(&value));
}

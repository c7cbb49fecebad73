#include "ovkit/schedlog.h"
#include <cstdio>

void OVKIT_FormatIntlDate(int local, char* timeText, char* dateText, time_t value) {
    struct tm* when = local == 1 ? std::localtime(&value) : std::gmtime(&value);
    if (!when) {
        std::snprintf(timeText, OVKIT_INTL_TEXT_SIZE, "N/A");
        std::snprintf(dateText, OVKIT_INTL_TEXT_SIZE, "N/A");
        return;
    }
    struct tm copy = *when;
    int iDate = static_cast<int>(GetProfileIntA("intl", "iDate", 0));
    char sDate[2] = "/";
    char sTime[2] = ":";
    GetProfileStringA("intl", "sDate", "/", sDate, sizeof sDate);
    GetProfileStringA("intl", "sTime", ":", sTime, sizeof sTime);
    OvkitFormatIntlTexts(copy, iDate, sDate, sTime, timeText, dateText);
}

#include "ovkit/ui_helpers.h"
#include <cstdio>

namespace {

const char* const kDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
const char* const kMonths[12] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};

int Date(char* buffer, const SYSTEMTIME& t) {
    return std::snprintf(buffer, OVKIT_DATE_TEXT_SIZE, "%s, %s %hu, %u", kDays[t.wDayOfWeek % 7],
                         kMonths[(t.wMonth + 11) % 12], t.wDay, static_cast<unsigned>(t.wYear));
}

} // namespace

void OVKIT_CALL OVKIT_GetDateTime(char* buffer) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    int n = Date(buffer, t);
    if (n > 0 && n < OVKIT_DATE_TEXT_SIZE)
        std::snprintf(buffer + n, OVKIT_DATE_TEXT_SIZE - n, " at %02hu:%02hu", t.wHour, t.wMinute);
}

void OVKIT_CALL OVKIT_GetDate(char* buffer) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    Date(buffer, t);
}

void OVKIT_CALL OVKIT_GetTime(char* buffer) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    std::snprintf(buffer, OVKIT_DATE_TEXT_SIZE, "%02hu:%02hu", t.wHour, t.wMinute);
}

void OVKIT_CALL OVKIT_GetASCIIElapsedTime(long seconds, char* buffer) {
    if (seconds < 0)
        seconds = 0;
    std::snprintf(buffer, OVKIT_DATE_TEXT_SIZE, "%02ld:%02ld:%02ld", seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
}

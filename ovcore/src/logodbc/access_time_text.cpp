// The time text of Access drivers: an ISO date and a 12-hour clock.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "logodbc/odbc_log_source.h"

void FormatDateInOrder(int order, const char* y, const char* m, const char* d, char* out,
                       size_t size) {
    if (order == 1)
        snprintf(out, size, "%s/%s/%s", d, m, y);
    else if (order == 2)
        snprintf(out, size, "%s/%s/%s", y, m, d);
    else
        snprintf(out, size, "%s/%s/%s", m, d, y);
}

// The date part in the engine's order when it is year-month-day, else as it
// stands (empty when the text has no blank).
static void DatePart(const char* text, const char* blank, int order, char* out, size_t size) {
    size_t length = blank ? (size_t)(blank - text) : 0;
    char date[128];
    snprintf(date, sizeof(date), "%.*s", (int)length, text);
    const char* scope = blank ? date : text;
    const char* dash = strchr(scope, '-');
    const char* second = dash ? strchr(dash + 1, '-') : nullptr;
    if (blank && dash && dash - scope == 4 && second) {
        char y[8], m[8], d[8];
        snprintf(y, sizeof(y), "%.4s", date);
        snprintf(m, sizeof(m), "%.*s", (int)(second - dash - 1), dash + 1);
        snprintf(d, sizeof(d), "%s", second + 1);
        FormatDateInOrder(order, y, m, d, out, size);
        return;
    }
    snprintf(out, size, "%s", date);
}

void RewriteAccessTimeText(const char* text, int order, char* result) {
    strcpy(result, text);
    const char* blank = strchr(text, ' ');
    if (!blank)
        return;
    const char* clock = blank + 1;
    const char* separator = strchr(clock, ':');
    if (!separator)
        separator = strchr(clock, '.');
    if (!separator)
        return;
    bool pm = strstr(text, "PM") != nullptr;
    bool am = strstr(text, "AM") != nullptr;
    int hour = atoi(clock);
    if (pm && hour < 12)
        hour += 12;
    else if (!pm && am && hour == 12)
        hour = 0;
    char rest[256];
    snprintf(rest, sizeof(rest), "%s", separator);
    char* mark = strstr(rest, pm ? "PM" : "AM");
    if (mark && (pm || am)) {
        if (mark > rest && mark[-1] == ' ')
            --mark;
        *mark = 0;
    }
    char date[128];
    DatePart(text, blank, order, date, sizeof(date));
    sprintf(result, "%s, %d%s", date, hour, rest);
}

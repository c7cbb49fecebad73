#include "summary_error.h"

#include <stdio.h>
#include <string.h>

#include "ovcore/registration.h"
#include "ovcore/report_writer.h"

static char g_summaryText[SUMMARY_TEXT_SIZE];

void SetSummaryError(UINT id, const char* argument) {
    // The string is the client's: a "%s" is its only directive, so it is
    // replaced by hand rather than handed to printf as a format.
    const char* pattern = LoadCachedString(id);
    const char* mark = strstr(pattern, "%s");
    if (!mark) {
        lstrcpynA(g_summaryText, pattern, SUMMARY_TEXT_SIZE);
        return;
    }
    snprintf(g_summaryText, SUMMARY_TEXT_SIZE, "%.*s%s%s", (int)(mark - pattern), pattern,
             argument ? argument : "", mark + 2);
}

void ClearSummaryError(void) {
    g_summaryText[0] = 0;
}

const char* SummaryErrorText(void) {
    return g_summaryText;
}

ORB_EXPORT(int) ORB_GetSummaryErrMsg(char* buffer) {
    if (buffer)
        lstrcpynA(buffer, g_summaryText, SUMMARY_TEXT_SIZE);
    return (int)strlen(g_summaryText) + 1;
}

// Section and chapter markers of a table: a begin keyword sets a bookmark;
// the end keyword takes the unit back out when the table got no data.
#include <string.h>

#include "keyword_text.h"
#include "table_keywords.h"
#include "run/run_context.h"
#include "ovkit/text_copy.h"

void SetMarkerValue(char* value, DWORD size, const char* marker, DWORD* markerFlag) {
    OvkitCopyText(value, size, marker);
    if (markerFlag)
        *markerFlag = 1;
}

static bool TableHasNoData(int tableNumber) {
    if (tableNumber < 0 || tableNumber >= RUN_TABLE_COUNT)
        return false;
    return g_ReportTableKeywords[tableNumber].Empty == 1;
}

int EvaluateTableMarker(const char* suffix, int tableNumber, char* value, DWORD size,
                        DWORD* markerFlag) {
    const char* marker = nullptr;
    // A section's begin marker carries its settings: "BeginSection[TABLE,...]".
    if (KeywordIsIndexed(suffix, "BeginSection"))
        marker = "%%BookMark%%";
    else if (KeywordIs(suffix, "EndSection"))
        marker = TableHasNoData(tableNumber) ? "%%Remove%%" : "%%Keep%%";
    else if (KeywordIs(suffix, "BeginChapter"))
        marker = "%%BookMarkChapter%%";
    else if (KeywordIs(suffix, "EndChapter"))
        marker = TableHasNoData(tableNumber) ? "%%RemoveChapter%%" : "%%Keep%%";
    if (!marker)
        return 0;
    SetMarkerValue(value, size, marker, markerFlag);
    return 1;
}

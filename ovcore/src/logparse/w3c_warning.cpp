#include "logparse/w3c_warning.h"
#include "logparse/parse_settings.h"

void W3C_WarnInvalidFormat(W3CFieldMap* map) {
    if (map->bWarned)
        return;
    map->bWarned = 1;
    LogParseErrorFn show = LogParse_ErrorDisplay();
    // The client loads caption and text from the two ids.
    if (show)
        show(nullptr, nullptr, nullptr, IDS_W3C_INVALID_TITLE, IDS_W3C_INVALID_TEXT, 0);
}

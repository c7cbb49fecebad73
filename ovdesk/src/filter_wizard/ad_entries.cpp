// The ad-views list as the Advertising page and the summary use it.
#include "filter_wizard/filter_checks.h"
#include <cstring>

std::vector<AdEntry> ReadAdEntries(void) {
    std::vector<AdEntry> entries;
    FILE* stream = ORB_OpenAdViewsDataFile();
    if (!stream)
        return entries;
    char description[ADVIEW_DESCRIPTION_SIZE], view[ADVIEW_VIEWNAME_SIZE],
        click[ADVIEW_CLICKID_SIZE];
    for (;;) {
        // A skipped line leaves the buffers alone: clear them for each read.
        description[0] = view[0] = click[0] = '\0';
        int read = ORB_GetAdViewsEntry(stream, description, view, click);
        if (read < 0)
            return entries; // the reader closed the stream
        if (read == 0)
            break;
        if (description[0] || view[0] || click[0])
            entries.push_back({view, click, description});
    }
    ORB_CloseAdViewsDataFile(stream);
    return entries;
}

const AdEntry* FindAdEntry(const std::vector<AdEntry>& entries, const char* view,
                           const char* click) {
    for (const AdEntry& entry : entries)
        if ((view && _stricmp(entry.ViewName.c_str(), view) == 0) ||
            (click && _stricmp(entry.ClickId.c_str(), click) == 0))
            return &entry;
    return nullptr;
}

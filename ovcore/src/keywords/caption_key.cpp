#include "caption_key.h"

#include <string.h>

#include "run/report_handle.h"

static BOOL RowmereOn(const RowmereSettings* settings) {
    return settings && settings->RowmereEnabled;
}

// The variant of name for this profile, or null when name stays.
static const char* CaptionVariant(const AnalysisProfile* profile, const char* name) {
    if (!profile)
        return NULL;
    if (strcmp(name, "TopAuthUsersTC") == 0)
        return RowmereOn(profile->RowmereAuthUser) ? "TopAuthUsersRowmereTC" : NULL;
    if (strcmp(name, "TopUsersTC") == 0)
        return RowmereOn(profile->RowmereIP) ? "TopUsersRowmereTC" : NULL;
    static const char* const kClusterKeys[][2] = {
        {"TopCountriesTC", "TopCountriesClusterTC"},
        {"TopClientErrorsTC", "TopClientErrorsClusterTC"},
        {"Top404ErrorsTC", "Top404ErrorsClusterTC"},
        {"TopServerErrorsTC", "TopServerErrorsClusterTC"},
    };
    if (profile->Servers.dwCount <= 1)
        return NULL;
    for (const auto& key : kClusterKeys)
        if (strcmp(name, key[0]) == 0)
            return key[1];
    return NULL;
}

void WINAPI GetTableCaptionKey(void* report, const char* name, char* outName, int outSize) {
    const ReportHandle* handle = static_cast<const ReportHandle*>(report);
    const char* variant = CaptionVariant(handle ? handle->Profile : NULL, name);
    lstrcpynA(outName, variant ? variant : name, outSize);
}

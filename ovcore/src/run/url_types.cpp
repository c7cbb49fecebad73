// Which of the run's file types a URL's extension is.
#include "run/url_types.h"

#include <string.h>

bool IsTitleFetchType(const RunContext* run, const char* ext) {
    for (WORD i = 0; run && ext && ext[0] && run->FetchTitleTypes && i < run->FetchTitleTypeCount;
         ++i)
        if (run->FetchTitleTypes[i] && _stricmp(run->FetchTitleTypes[i], ext) == 0)
            return true;
    return false;
}

bool IsDocumentUrl(const RunContext* run, const char* url, const char* ext) {
    if (!ext || !ext[0])
        return url && !strchr(url, '?');
    for (WORD i = 0; run && run->DocumentTypes && i < run->DocumentTypeCount; ++i)
        if (run->DocumentTypes[i] && _stricmp(run->DocumentTypes[i]->Name, ext) == 0)
            return true;
    return false;
}

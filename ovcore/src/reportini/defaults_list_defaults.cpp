// What the engine uses for a [Defaults] list key that is not set: the one
// home of these texts, for the run and for the editors that show them.
#include "ovcore/filetypes.h"
#include <string.h>

namespace {
struct ListDefault {
    const char* Key;
    const char* Value;
};
const ListDefault kDefaults[] = {
    {"DocumentTypes", "htm txt mdl shtml htmls html"},
    {"DownloadTypes", "exe com zip pdf arc bin sit tar gz z arj"},
    {"USDomains", "com edu net org gov mil int arpa"},
    {"FetchTitleTypes", "htm html asp cfm shtml"},
    {"gov_OrgType", "gov"},
    {"mil_OrgType", "mil"},
    {"net_OrgType", "net"},
    {"org_OrgType", "org"},
    {"int_OrgType", "int"},
    {"arpa_OrgType", "arpa"},
    {"edu_OrgType", "edu"},
    {"com_OrgType", "com"},
};
} // namespace

ORB_EXPORT(const char*) GetDefaultsListDefault(const char* key) {
    for (const ListDefault& entry : kDefaults)
        if (key && _stricmp(entry.Key, key) == 0)
            return entry.Value;
    return "";
}

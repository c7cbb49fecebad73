// LookupCountryName and LookupStateName.
#include "ovcore/report_ini.h"
#include <string.h>

namespace {

char g_lookupResult[300];

const char* Lookup(const CodeNameList* list, const char* code) {
    if (!code)
        code = "";
    const char* found = code;
    for (int i = 0; list && list->Items && i < list->Count; ++i) {
        if (_stricmp(list->Items[i].Code, code) == 0 && list->Items[i].Name) {
            found = list->Items[i].Name;
            break;
        }
    }
    lstrcpynA(g_lookupResult, found, sizeof g_lookupResult);
    return g_lookupResult;
}

} // namespace

ORB_EXPORT(const char*) LookupCountryName(const ReportIniSettings* s, const char* code) {
    return Lookup(s ? &s->Countries : nullptr, code);
}

ORB_EXPORT(const char*) LookupStateName(const ReportIniSettings* s, const char* code) {
    return Lookup(s ? &s->States : nullptr, code);
}

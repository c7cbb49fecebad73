#include "logparse/parse_engine.h"
#include "core/engine_state.h"
#include "ovcore/hitrecord.h"
#include <string.h>

namespace {

LogParseErrorFn g_errorDisplay = nullptr;

const char* Or(const char* text, const char* builtIn) {
    return text ? text : builtIn;
}

template <size_t N> void CopyPadded(char (&field)[N], const char* text) {
    strncpy(field, text, N - 1);
    field[N - 1] = 0;
}

} // namespace

void LogParse_SetErrorDisplay(LogParseErrorFn fn) {
    g_errorDisplay = fn;
}

LogParseErrorFn LogParse_ErrorDisplay() {
    return g_errorDisplay ? g_errorDisplay : glpfnDisplayReportError;
}

const char* LogParse_UnknownText() {
    return Or(Engine_State().unknownCountryText, "Unknown");
}

void LogParse_SetUnresolvedNames(HitRecord* rec) {
    const EngineState& e = Engine_State();
    CopyPadded(rec->szDomain, Or(e.numericAddressText, "Numeric IP"));
    CopyPadded(rec->szDomainType, Or(e.noSuffixText, "None"));
    CopyPadded(rec->szCountry, Or(e.unknownCountryText, "Unknown"));
}

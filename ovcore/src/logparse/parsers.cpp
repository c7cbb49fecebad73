// Format code -> line parser.
#include "logparse/parsers.h"

static const LineParserFn kParsers[] = {
    nullptr,            // 0 not yet known
    nullptr,            // 1 not a record
    ParseCommonLogLine, // 2
    ParseCommaLogLine,  // 3
    ParseBlankLogLine,  // 4
    ParseTabLogLine,    // 5
    ParseKeyBlockLine,  // 6
    ParseReferrerLine,  // 7
    ParseAgentLine,     // 8
    ParseDatedReferrer, // 9
    nullptr,            // 10 becomes 8 once its date is dropped
    W3C_ParseRecord,    // 11
    ParsePipeLogLine,   // 12
    ParseSquidLogLine,  // 13
};

LineParserFn GetLineParser(DWORD code) {
    return code < sizeof(kParsers) / sizeof(kParsers[0]) ? kParsers[code] : nullptr;
}

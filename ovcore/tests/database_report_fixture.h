// The fixture of the history-database report tests: a week and more of
// combined-log hits, the comparison of a report's tables and interval
// counters, and a template of figures only.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "ovcore/ovcore.h"
#include "run/run_context.h"

namespace dbtest {

// A time of October 1999 (UTC).
ORB_TIME Oct(int day, int hour = 0, int minute = 0, int second = 0);

// Days 10-16 and 18 October with a few visits each (hours 2-20, so that no
// visit runs over midnight); the 17th is empty; one last hit on the 25th
// (the newest second of the logs is left for a later update).
std::string FixtureLog();

// A combined-log line of client 10.0.0.<client> at 10 October 1999 +
// seconds (status 200, no referrer, an Explorer agent by default).
std::string FixtureLine(int client, DWORD seconds, const char* url = "/a.html",
                        const char* referrer = "-",
                        const char* agent = "Mozilla/4.0 (compatible; MSIE 5.0; Windows 98)");

// A report range: a range code around `at`, or [at, to] for code 0.
struct RangeCase {
    const char* name;
    int code;
    ORB_TIME at, to;
    DWORD days; // days of the fixture log with data in the range
    void Bounds(ORB_TIME* start, ORB_TIME* end) const;
};
// A day, a week, a custom range, a month and a year by months.
std::vector<RangeCase> RangeCases();

struct Counts {
    double hits = 0, users = 0, bytes = 0, noncached = 0;
    bool operator==(const Counts& o) const {
        return hits == o.hits && users == o.users && bytes == o.bytes && noncached == o.noncached;
    }
};

// The live named items of a table by name; items of one name (a visitor in
// the top list and its namesake in the date list) are summed.
std::map<std::string, Counts> Items(const AnalysisTable& t);

// Table by table, and the interval counters over the coarser of the two
// runs' grids (a finer interval adds into the one that holds it); an
// interval outside the other grid must be empty, and one that straddles the
// other grid's intervals fails.
void ExpectSameTables(const RunContext* a, const RunContext* b);

// A template of figures only (no times), so that two writings of the same
// tables give the same page, in one section that the report includes.
extern const char kFigures[];

// The sections of a template file, every one included; freed with the object.
struct Sections {
    HGLOBAL block = nullptr;
    WORD count = 0;
    TemplateSection* list = nullptr;
    explicit Sections(const std::string& path);
    ~Sections();
    Sections(const Sections&) = delete;
    Sections& operator=(const Sections&) = delete;
};

} // namespace dbtest

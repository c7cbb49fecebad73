// The W3C directives in force at any line of a log, found by scanning
// backwards, against what a read from the file's start has in force there.
#include "logread_fixtures.h"
#include "logread/w3c_places.h"
#include "logparse/w3c_map.h"
#include <gtest/gtest.h>
#include <string.h>

using namespace logtest;

namespace {

const char* const kFields[] = {
    "date time c-ip cs-method cs-uri-stem sc-status",
    "time c-ip cs-method cs-uri-stem sc-status",
    "c-ip time cs-method cs-uri-stem sc-status date cs(User-Agent)",
    "time date c-ip",
};

struct InForce {
    ULONGLONG line; // a line start
    int fields;     // index into kFields
    std::string date;
};

// Positions asked about in a scattered order (an odd step through them),
// so scans start inside, above and below the stretches already scanned.
std::vector<size_t> Scattered(size_t count) {
    std::vector<size_t> order;
    for (size_t i = 0, k = 0; i < count; i++, k = (k + 7919) % count)
        order.push_back(k);
    return order;
}

// About 300 KB over several of the scan's chunks: directive changes every few
// dozen lines, "#" inside records and other "#" lines that change nothing.
TEST(W3CPlaces, DirectivesInForceAtEveryLineMatchAReadFromTheStart) {
    LogInstall install;
    std::string log = "#Software: test\r\n";
    std::vector<InForce> lines; // every line start, directives' own included
    int fields = 0;
    std::string date;
    auto add = [&](const std::string& line) {
        lines.push_back({log.size(), fields, date});
        log += line;
    };
    add("#Fields: " + std::string(kFields[0]) + "\r\n"); // the opening map holds before it
    unsigned seed = 12345;
    for (int i = 0; i < 6000; i++) {
        seed = seed * 1103515245 + 12345;
        int roll = (int)(seed >> 16) % 40;
        if (roll == 0) {
            int next = (int)(seed >> 8) % 4;
            add("#Fields: " + std::string(kFields[next]) + (i % 2 ? "\r\n" : "\n"));
            fields = next;
        } else if (roll == 1) {
            std::string next = "1999-10-" + std::to_string(10 + i % 19);
            add("#Date: " + next + " 00:00:00\r\n");
            date = next;
        } else if (roll == 2) {
            add("#Remark: #Fields: x\r\n");
        }
        add("10:00:00 1.2.3.4 GET /page" + std::to_string(i) + ".html#top 200\r\n");
    }
    install.Write("logs\\p.log", log);
    LogFile* file = LogFile_New();
    ASSERT_TRUE(LogFile_Open(file, install.Path("logs\\p.log").c_str(), 0, LOGFILE_RANDOM));
    W3CFieldMap* expected[4];
    for (int f = 0; f < 4; f++) {
        expected[f] = W3CFieldMap_New();
        std::string text = std::string(kFields[f]) + "\n";
        ASSERT_TRUE(W3C_ParseFields(expected[f], text.c_str(), (DWORD)text.size()));
    }
    W3CPlaces places(file);
    for (size_t k : Scattered(lines.size())) {
        const InForce& at = lines[k];
        SCOPED_TRACE(k);
        ASSERT_TRUE(places.Apply(at.line, TRUE));
        const W3CFieldMap* map = file->lpW3CMap;
        ASSERT_EQ(expected[at.fields]->dwColumns, map->dwColumns);
        ASSERT_EQ(0, memcmp(expected[at.fields]->aiColumn, map->aiColumn, sizeof(map->aiColumn)));
        ASSERT_EQ(at.date, map->szDate);
    }
    for (W3CFieldMap* m : expected)
        W3CFieldMap_Free(m);
    LogFile_Free(file);
}

// A directive that one read of the backward scan cuts: the chunk's edge
// falls on its "#", inside its name, or just behind the name.
TEST(W3CPlaces, DirectiveCutByTheEdgeOfAScannedChunk) {
    LogInstall install;
    for (DWORD offset : {0u, 1u, 4u, 8u, 9u, 10u}) {
        SCOPED_TRACE(offset);
        std::string log = "#Fields: " + std::string(kFields[1]) + "\n";
        size_t directive = log.size();
        log += "#Fields: " + std::string(kFields[3]) + "\n";
        size_t target = directive + W3CPlaces::kChunk + offset; // the line asked about
        while (log.size() + 200 < target)
            log += "10:00:00 1999-10-10 1.2.3.4\n";
        log += std::string(target - log.size() - 1, 'x') + "\n";
        log += "10:00:00 1999-10-10 1.2.3.4\n";
        install.Write("logs\\e.log", log);
        LogFile* file = LogFile_New();
        ASSERT_TRUE(LogFile_Open(file, install.Path("logs\\e.log").c_str(), 0, LOGFILE_RANDOM));
        W3CPlaces places(file);
        ASSERT_TRUE(places.Apply(target, TRUE));
        EXPECT_EQ(3u, file->lpW3CMap->dwColumns);
        EXPECT_EQ(W3C_DATE, file->lpW3CMap->aiColumn[1]);
        LogFile_Free(file);
    }
}

} // namespace

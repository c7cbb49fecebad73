// The run's reader thread: its reads arrive in order through a ring smaller
// than the log, the messages a read raises are shown on the taker's thread
// with that read, and a stop drops what was read ahead unseen. Then whole
// report runs read with and without the thread: the same records, progress,
// messages and counts, also when the client stops or the tables fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/held_messages.h"
#include "logparse/parse_settings.h"
#include "logparse/record_pool.h"
#include "ovcore/logread.h"
#include "run/read_ahead.h"
#include "run/report_handle.h"
#include "run/report_read.h"
#include "run/run_setup.h"
#include "run_driver.h"

namespace {

// --- the ring alone, over a counted source ---

struct Shown {
    DWORD thread;
    UINT id;
};
std::vector<Shown> g_shown;

void CALLBACK RecordShown(HWND, const char*, const char*, UINT, UINT messageId, int) {
    g_shown.push_back({GetCurrentThreadId(), messageId});
}

// Read i carries i in its record's time; every tenth read raises message i.
struct CountedSource {
    DWORD reads = 0;
    DWORD total = 0;
    DWORD readerThread = 0;
};

void ReadCounted(void* source, AheadRead* read) {
    CountedSource* s = static_cast<CountedSource*>(source);
    s->readerThread = GetCurrentThreadId();
    DWORD i = s->reads++;
    if (i == s->total) {
        read->code = LOGREAD_NONE;
        return;
    }
    if (i % 10 == 0 && !Engine_HoldMessage(RecordShown, nullptr, "c", "t", 0, i, 0))
        RecordShown(nullptr, "c", "t", 0, i, 0);
    read->hit = RecordPool_Take();
    read->hit->dwTime = i;
    read->code = LOGREAD_RECORD;
    read->refreshed = i % 500 == 0;
    read->percent = i / 100;
}

TEST(ReadAhead, ReadsArriveInOrderWithTheirMessagesOnTheTakersThread) {
    g_shown.clear();
    CountedSource source;
    source.total = 5000; // many times the ring, so both sides wait in turn
    ReadAhead* ahead = ReadAhead_Start(ReadCounted, &source, 64);
    ASSERT_NE(ahead, nullptr);
    DWORD taken = 0;
    for (;; taken++) {
        AheadRead read;
        ReadAhead_Next(ahead, &read);
        Engine_ShowHeldMessages(read.messages);
        if (read.code == LOGREAD_NONE)
            break;
        ASSERT_EQ(read.code, LOGREAD_RECORD);
        ASSERT_EQ(read.hit->dwTime, taken);
        ASSERT_EQ(read.refreshed, taken % 500 == 0);
        ASSERT_EQ(read.percent, taken / 100);
        // The message of read i is shown when read i is taken, not before.
        ASSERT_EQ(g_shown.size(), taken / 10 + 1);
    }
    ReadAhead_Stop(ahead);
    EXPECT_EQ(taken, 5000u);
    EXPECT_NE(source.readerThread, GetCurrentThreadId());
    for (const Shown& s : g_shown)
        ASSERT_EQ(s.thread, GetCurrentThreadId());
    ASSERT_EQ(g_shown.size(), 500u);
    EXPECT_EQ(g_shown.back().id, 4990u);
}

TEST(ReadAhead, StopDropsTheReadsNotTakenAndTheirMessages) {
    for (DWORD stopAt : {0u, 1u, 15u, 640u}) {
        SCOPED_TRACE(stopAt);
        g_shown.clear();
        CountedSource source;
        source.total = 100000;
        ReadAhead* ahead = ReadAhead_Start(ReadCounted, &source, 128);
        ASSERT_NE(ahead, nullptr);
        for (DWORD i = 0; i < stopAt; i++) {
            AheadRead read;
            ReadAhead_Next(ahead, &read);
            Engine_ShowHeldMessages(read.messages);
            ASSERT_EQ(read.hit->dwTime, i);
        }
        ReadAhead_Stop(ahead);
        // The reader got at most a ring ahead and stopped there.
        EXPECT_LE(source.reads, stopAt + 128 + 1);
        EXPECT_EQ(g_shown.size(), (stopAt + 9) / 10);
    }
}

TEST(ReadAhead, BadCapacityGivesNoThread) {
    CountedSource source;
    EXPECT_EQ(ReadAhead_Start(ReadCounted, &source, 100), nullptr); // not a power of two
    EXPECT_EQ(ReadAhead_Start(ReadCounted, &source, 32), nullptr);  // below one batch
    EXPECT_EQ(ReadAhead_Start(nullptr, &source, 64), nullptr);
    EXPECT_EQ(source.reads, 0u);
    ReadAhead_Stop(nullptr);
}

// --- whole runs, with and without the reader thread ---

struct PeekTrace {
    std::vector<std::pair<DWORD, DWORD>> refreshes; // peek, done percent
    std::vector<DWORD> shownAt;                     // peek during which a message was shown
    DWORD records = 0;
    DWORD recordCount = 0;
    DWORD donePercent = 0;
    short last = 0;
    bool operator==(const PeekTrace& o) const {
        return refreshes == o.refreshes && shownAt == o.shownAt && records == o.records &&
               recordCount == o.recordCount && donePercent == o.donePercent && last == o.last;
    }
};

DWORD g_peek;
std::vector<DWORD>* g_shownAt;
void CALLBACK NoteShown(HWND, const char*, const char*, UINT, UINT, int) {
    if (g_shownAt)
        g_shownAt->push_back(g_peek);
}

enum Ending { TO_THE_END, CLIENT_STOPS, TABLES_FAIL };

// Peeks the log's run (stopAfter peeks, then the ending), the thread
// allowed or not; the trace of what the client saw.
PeekTrace Trace(runtest::RunEngine& engine, AnalysisProfile* profile, BOOL thread, Ending ending,
                DWORD stopAfter) {
    ReportRead_AllowThread(thread);
    PeekTrace t;
    g_shownAt = &t.shownAt;
    runtest::RunOptions o;
    o.wholeLog = true;
    o.stopAfter = 1;
    g_peek = 0;
    runtest::RunOutcome run = runtest::RunReport(profile, "t.wlp", o);
    EXPECT_NE(run.report, nullptr);
    if (!run.report)
        return t;
    t.refreshes = run.refreshes;
    t.records = run.recordsRead;
    for (g_peek = 1; ending == TO_THE_END || g_peek < stopAfter; g_peek++) {
        if (ending == TABLES_FAIL && g_peek + 1 == stopAfter)
            FinishReport(run.report); // the next hit finds no tables
        DWORD changed = 0;
        WORD record = 0;
        t.last = ORB_PeekReport(run.report, &changed, &record);
        if (changed)
            t.refreshes.push_back({g_peek, ADT_GetReportDonePercent(run.report)});
        t.records += record;
        if (t.last == -1)
            break;
    }
    t.recordCount = ADT_GetReportRecCount(run.report);
    t.donePercent = ADT_GetReportDonePercent(run.report);
    EXPECT_EQ(run.report->RunState.Reader == nullptr, ending != CLIENT_STOPS || !thread);
    ORB_CloseReport(run.report, nullptr);
    g_shownAt = nullptr;
    ReportRead_AllowThread(TRUE);
    return t;
}

// A W3C log of 3000 lines whose directives go bad and good again twice,
// each time after about 1000 lines: a message during the reading.
std::string W3CLogWithBadDirectives() {
    std::string log = "#Version: 1.0\r\n";
    const char good[] = "#Fields: date time c-ip cs-method cs-uri-stem sc-status\r\n";
    for (int part = 0; part < 3; part++) {
        log += good;
        for (int i = 0; i < 1000; i++) {
            int s = part * 1000 + i;
            char line[120];
            snprintf(line, sizeof line, "1999-10-10 %02d:%02d:%02d 10.0.%d.%d GET /p%d.htm 200\r\n",
                     s / 3600, s / 60 % 60, s % 60, s % 7, s % 200, s % 37);
            log += line;
        }
        log += "#Fields: date c-ip cs-method cs-uri-stem sc-status\r\n";
        log += "1999-10-10 1.2.3.4 GET /x 200\r\n";
    }
    return log;
}

TEST(ReadAhead, RunsSeeTheSameWithAndWithoutTheReaderThread) {
    runtest::RunEngine engine;
    LogParse_SetErrorDisplay(NoteShown);
    std::string path = engine.WriteData("t.log", W3CLogWithBadDirectives());
    AnalysisProfile* profile = engine.WriteProfile("t", {path});
    const struct {
        const char* name;
        Ending ending;
        DWORD stopAfter;
    } cases[] = {
        {"to the end", TO_THE_END, 0},
        {"client stops", CLIENT_STOPS, 1500},
        {"tables fail", TABLES_FAIL, 700},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PeekTrace own = Trace(engine, profile, FALSE, c.ending, c.stopAfter);
        PeekTrace ahead = Trace(engine, profile, TRUE, c.ending, c.stopAfter);
        EXPECT_TRUE(own == ahead);
        EXPECT_EQ(own.recordCount, ahead.recordCount);
        EXPECT_EQ(own.shownAt, ahead.shownAt);
        EXPECT_EQ(own.refreshes, ahead.refreshes);
        if (c.ending == TO_THE_END) {
            EXPECT_EQ(ahead.recordCount, 3000u);
            EXPECT_EQ(ahead.shownAt.size(), 1u); // once per file and run
        } else {
            // Exactly the records taken before the stop are counted.
            EXPECT_EQ(ahead.recordCount, c.ending == CLIENT_STOPS ? c.stopAfter : c.stopAfter - 1);
        }
    }
    LogParse_SetErrorDisplay(nullptr);
}

} // namespace

// A run context built by hand (English texts, seven one-day intervals from
// Monday 2001-01-01, one server, every table of the default set used) and
// hand-made hits fed through AccumulateHit.
#pragma once
#include <gtest/gtest.h>
#include "langvars/var_table.h"
#include "msgbox_watcher.h"
#include "ovcore/ovcore.h"
#include "count/accumulate.h"
#include "settings/install_folder.h"
#include "temp_install.h"

#include <string>
#include <utility>
#include <vector>

namespace acctest {

const DWORD kMonday = 978307200; // 2001-01-01 00:00, a Monday
const DWORD kDay = 86400;

// One hit as a test writes it; empty texts stay empty.
struct Hit {
    DWORD time = kMonday;
    const char* host = "10.0.0.1";
    const char* url = "/index.html";
    DWORD status = 200;
    DWORD bytes = 100;
    WORD method = HIT_METHOD_GET;
    const char* referrer = "";
    const char* agent = "";
    const char* user = "";
    const char* domain = nullptr; // null: the host
    WORD format = 1;
    const char* protocol = "HTTP/1.0";
    const char* server = "";
    WORD serverIndex = 0;
    int success = -1; // -1: status below 400
};

inline Hit At(DWORD time, const char* host, const char* url) {
    Hit h;
    h.time = time;
    h.host = host;
    h.url = url;
    return h;
}

class RunFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Counts the hit; AccumulateHit's result.
    int Count(const Hit& h);
    // A record of the hit, owned by the fixture.
    HitRecord* Record(const Hit& h);
    // Counts each hit and expects 1 from each.
    void CountAll(const std::vector<Hit>& hits);
    // The table's live items in item-array order: name and hits.
    std::vector<std::pair<std::string, DWORD>> Rows(int table) const;
    // The live item of that name, or null.
    const AnalysisItem* Item(int table, const char* name) const;
    DWORD Hits(int table, const char* name) const;
    DWORD Users(int table, const char* name) const;
    // Only these tables used (the rest off).
    void UseOnly(std::initializer_list<int> tables);
    AnalysisTable* Table(int table) const { return run->Period.TopTablesPtr + table; }

    ovtest::TempInstall install;
    ovtest::MsgBoxWatcher watcher;
    ReportHandle report = {};
    RunContext* run = nullptr;
    ReportIniSettings* language = nullptr;
    ServerList* servers = nullptr;
    std::vector<HitRecord*> records;
};

} // namespace acctest

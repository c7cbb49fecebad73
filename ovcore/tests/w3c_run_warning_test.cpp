// A W3C log's invalid-format message in a report run: the run opens each log
// several times (its dates judged, its range found, its lines read), and the
// message is shown once per log file and run.
#include <gtest/gtest.h>

#include <string>

#include "engine_settings_edit.h"
#include "logparse/w3c_warning.h"
#include "run_driver.h"

namespace {

int g_shown;
void CALLBACK CountMessage(HWND, const char*, const char*, UINT captionId, UINT messageId, int) {
    if (captionId == IDS_W3C_INVALID_TITLE && messageId == IDS_W3C_INVALID_TEXT)
        ++g_shown;
}

const char kGoodFields[] = "#Fields: date time c-ip cs-method cs-uri-stem sc-status\r\n";
const char kNoTime[] = "#Fields: date c-ip cs-method cs-uri-stem sc-status\r\n";
const char kLines[] = "1999-10-10 09:00:00 1.2.3.4 GET /a 200\r\n"
                      "1999-10-10 10:00:00 1.2.3.4 GET /b 200\r\n";

// Guards the message shown at every open of the file (three times a run).
TEST(W3CRunWarning, ShownOncePerLogFileAndRun) {
    const struct {
        const char* name;
        std::string log;
    } cases[] = {
        {"the opening directive has no time", std::string("#Version: 1.0\r\n") + kNoTime +
                                                  "1999-10-10 1.2.3.4 GET /x 200\r\n" +
                                                  kGoodFields + kLines},
        {"a later directive has no time", std::string("#Version: 1.0\r\n") + kGoodFields + kLines +
                                              kNoTime + "1999-10-10 1.2.3.4 GET /x 200\r\n" +
                                              kGoodFields + kLines},
    };
    runtest::RunEngine engine;
    LogParse_SetErrorDisplay(CountMessage);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = engine.WriteData("w3c.log", c.log);
        AnalysisProfile* profile = engine.WriteProfile("w3c", {path});
        for (int run = 1; run <= 2; ++run) {
            g_shown = 0;
            runtest::RunOptions options;
            options.wholeLog = true;
            runtest::RunOutcome outcome = runtest::RunReport(profile, "w3c.wlp", options);
            if (outcome.report)
                ORB_CloseReport(outcome.report, nullptr);
            EXPECT_EQ(1, g_shown) << "run " << run;
        }
    }
    LogParse_SetErrorDisplay(nullptr);
}

} // namespace

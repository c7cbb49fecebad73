// Report runs through the engine over small logs in a throw-away install.
// The Range page is the placeholder until the Create Report dialog lands: it
// leaves the range at the whole log.
#include <gtest/gtest.h>

#include "desk_run_fixture.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "msgbox_watcher.h"
#include "report_run/progress_dialog.h"
#include "report_run/report_run.h"
#include "temp_install.h"

using desktest::DeskInstall;

namespace {

struct RunFixture : ::testing::Test {
    DeskInstall& desk = desktest::Desk();
    ovtest::MsgBoxWatcher boxes;
    ScheduleEvent event = {};
    ReportRunRequest scheduled = {};

    void SetUp() override {
        DeskInstall::ClearSchedulerLog();
        scheduled.Event = &event;
        scheduled.RunMode = RUN_MODE_SCHEDULED;
    }

    std::string Output(const std::string& name) const {
        return desk.Install().Root() + "out\\" + name;
    }

    int Run(AnalysisProfile* profile, const std::string& output, ReportRunRequest* request) {
        return RunReport(nullptr, nullptr, profile, 0, 0, output.c_str(), "", "", "", "ENGLISH",
                         request);
    }
};

TEST_F(RunFixture, FileDestinationTurnsALocalLogIntoAnHtmlReport) {
    AnalysisProfile* profile =
        desk.WriteProfile("site", desk.WriteLog("access.log", desktest::SmallLog()));
    CreateDirectoryA((desk.Install().Root() + "out").c_str(), nullptr);
    SetDeskUnattended(TRUE); // headless: the finished report is not opened in a browser
    int result = Run(profile, Output("site.htm"), nullptr);
    SetDeskUnattended(FALSE);
    EXPECT_EQ(result, 1) << GetLastRunMessage();
    EXPECT_TRUE(LastRunWroteReport());
    std::string page = ovtest::ReadFileBytes(Output("site.htm"));
    EXPECT_NE(page.find("<HTML"), std::string::npos) << page.substr(0, 200);
    EXPECT_NE(page.find("index.html"), std::string::npos);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(GetProgressDialog(), nullptr);
    EXPECT_EQ(GetCurrentRunRequest(), nullptr);
}

TEST_F(RunFixture, ScheduledRunWritesItsReportWithoutAnyBox) {
    // Two files of one server that overlap in time: the notice is for people only.
    std::string first = desk.WriteLog("a.log", desktest::SmallLog());
    std::string second = desk.WriteLog("b.log", desktest::SmallLog());
    AnalysisProfile* profile = desk.WriteProfile("pair", first + "|" + second);
    int result = Run(profile, Output("nested\\pair.htm"), &scheduled);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(result, 1) << GetLastRunMessage();
    EXPECT_TRUE(ovtest::FileExistsAt(Output("nested\\pair.htm")));
    EXPECT_EQ(boxes.Count(), 0u);
}

struct FailureCase {
    const char* name;
    const char* log; // null: the profile names a file that does not exist
    const char* expected;
};

TEST_F(RunFixture, ScheduledFailuresGoToTheSchedulerLog) {
    const FailureCase cases[] = {
        {"missing", nullptr, "Could not open the log file"},
        {"empty", "", "The log file either contains no data"},
        {"garbage", "this is not a log line\r\nnor is this\r\n",
         "The log file either contains no data"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeskInstall::ClearSchedulerLog();
        std::string log = desk.Install().Data() + c.name + ".log";
        if (c.log)
            desk.WriteLog(std::string(c.name) + ".log", c.log);
        AnalysisProfile* profile = desk.WriteProfile(c.name, log);
        std::string output = Output(std::string(c.name) + ".htm");
        EXPECT_EQ(Run(profile, output, &scheduled), 0);
        EXPECT_FALSE(LastRunWroteReport());
        EXPECT_NE(DeskInstall::SchedulerLog().find(c.expected), std::string::npos)
            << DeskInstall::SchedulerLog();
        EXPECT_FALSE(ovtest::FileExistsAt(output));
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

struct RemoteCase {
    const char* name;
    bool logPresent;
    bool history; // a history-database profile asked for a realtime report
    int result;
    const char* message;
};

TEST_F(RunFixture, RemoteRequestWithoutAReportLeavesFailureInItsStatusRecord) {
    const RemoteCase cases[] = {
        {"rmissing", false, false, 0, "Could not open the log file"},
        // The request counts as done for the dialog, but no report was written.
        {"rrealtime", true, true, 1, "Error generating realtime report."},
    };
    for (const RemoteCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string folder = std::string("Remote Reports\\") + c.name + "\\3\\";
        std::string record(1971, '\0');
        record[403] = 3; // the folder number behind the message field
        desk.Install().Write(folder + "status.rep", record);
        std::string output = desk.Install().Root() + folder + "rep.htm";
        ScheduleEvent remote = {};
        remote.Remote = EVENT_REMOTE_REQUEST;
        lstrcpyA(remote.SaveAsFilename, output.c_str());
        ReportRunRequest request = {&remote};
        request.RunMode = c.history ? RUN_MODE_REALTIME : RUN_MODE_SCHEDULED;
        std::string log = desk.Install().Data() + c.name + ".log";
        if (c.logPresent)
            desk.WriteLog(std::string(c.name) + ".log", desktest::SmallLog());
        AnalysisProfile* profile = desk.WriteProfile(c.name, log);
        profile->SwiftmereFlag = c.history ? 1 : 0;

        EXPECT_EQ(Run(profile, output, &request), c.result);
        EXPECT_FALSE(LastRunWroteReport());
        std::string status = ovtest::ReadFileBytes(desk.Install().Root() + folder + "status.rep");
        ASSERT_EQ(status.size(), 1971u);
        EXPECT_EQ((BYTE)status[101] | (BYTE)status[102] << 8, 110);
        EXPECT_EQ(std::string(status.c_str() + 103).rfind(c.message, 0), 0u)
            << status.c_str() + 103;
        EXPECT_EQ(status[403], 3);
        EXPECT_EQ(ovtest::ReadFileBytes(output).rfind(c.message, 0), 0u);
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

// Presses a progress dialog button once the run polls the engine (the
// second button shows from the first percent on).
struct ButtonPress {
    static int button;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND progress = GetProgressDialog();
        if (!button || !progress || !IsWindowVisible(GetDlgItem(progress, IDC_PROGRESS_STOP)))
            return;
        PostMessageA(progress, WM_COMMAND, (WPARAM)button, 0);
        button = 0;
    }
};
int ButtonPress::button = 0;

std::string LongLog() {
    std::string log;
    for (unsigned i = 0; i < 60000; ++i)
        log += desktest::LogLine(1 + i % 50, 3600 + i, i % 3 ? "/index.html" : "/a.gif");
    return log;
}

TEST_F(RunFixture, CancelWhilePollingStopsCleanlyAndStopStillWritesTheReport) {
    std::string log = desk.WriteLog("long.log", LongLog());
    struct Case {
        int button;
        int result;
        bool written;
    } cases[] = {{IDC_PROGRESS_CANCEL, 0, false}, {IDC_PROGRESS_STOP, 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        DeskInstall::ClearSchedulerLog();
        AnalysisProfile* profile = desk.WriteProfile(c.written ? "stop" : "cancel", log);
        std::string output = Output(c.written ? "stopped.htm" : "cancelled.htm");
        ButtonPress::button = c.button;
        UINT_PTR timer = SetTimer(nullptr, 0, 10, ButtonPress::Tick);
        int result = Run(profile, output, &scheduled);
        KillTimer(nullptr, timer);
        EXPECT_EQ(ButtonPress::button, 0)
            << "the run ended before the button was pressed: " << GetLastRunMessage();
        EXPECT_EQ(result, c.result) << GetLastRunMessage();
        EXPECT_EQ(ovtest::FileExistsAt(output), c.written);
        EXPECT_EQ(GetProgressDialog(), nullptr);
        if (!c.written) {
            EXPECT_NE(DeskInstall::SchedulerLog().find("Report cancelled by user."),
                      std::string::npos);
        }
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

} // namespace

// Where a run's messages go, the output format table and the messages of
// the engine's report errors.
#include <gtest/gtest.h>

#include "desk_run_fixture.h"
#include "desk_services.h"
#include "ids_report_run.h"
#include "msgbox_watcher.h"
#include "report_run/processed_files.h"
#include "report_run/report_delivery.h"
#include "report_run/run_state.h"
#include "report_run/run_steps.h"

using desktest::DeskInstall;

namespace {

TEST(OutputFormats, KindComesFromTheFileNamesExtension) {
    struct Case {
        const char* name;
        int kind;
    } cases[] = {
        {"c:\\r\\report.html", FORMAT_HTML},
        {"REPORT.HTM", FORMAT_HTML},
        {"report.doc", FORMAT_DOC},
        {"a.XLS", FORMAT_XLS},
        {"report.cma", FORMAT_CMA},
        {"report.txt", FORMAT_TXT},
        {"report", FORMAT_UNKNOWN},
        {".ht", FORMAT_UNKNOWN},
        {"c:\\x.txt\\report", FORMAT_UNKNOWN}, // a dot in a folder is no extension
        {"report.pdf", FORMAT_UNKNOWN},
        {nullptr, FORMAT_UNKNOWN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(null)");
        EXPECT_EQ(FormatKindOfName(c.name), c.kind);
    }
}

TEST(RunMessages, EngineErrorsHaveTheirOwnMessages) {
    struct Case {
        WORD error;
        UINT caption;
        UINT text;
    } cases[] = {
        {0x8002, IDS_NO_DATA_IN_RANGE_CAPTION, IDS_NO_DATA_IN_RANGE},
        {0x8005, IDS_DISABLE_HISTORY_CAPTION, 0},
        {0x8007, IDS_TOO_MANY_SERVERS_CAPTION, IDS_TOO_MANY_SERVERS},
        {0x8008, IDS_NEED_CLUSTER_CAPTION, IDS_NEED_CLUSTER},
        {0, IDS_NO_DATA_CAPTION, IDS_NO_REPORT},
        {0x8009, IDS_NO_DATA_CAPTION, IDS_NO_REPORT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        UINT caption = 0;
        EXPECT_EQ(CreateFailureTextId(c.error, &caption), c.text);
        EXPECT_EQ(caption, c.caption);
    }
}

struct ReporterFixture : ::testing::Test {
    DeskInstall& desk = desktest::Desk();
    ovtest::MsgBoxWatcher boxes;
    ScheduleEvent event = {};
    ReportRunRequest request = {};

    void SetUp() override { DeskInstall::ClearSchedulerLog(); }
    void TearDown() override { EndRunState(); }
};

TEST_F(ReporterFixture, InteractiveRunsShowABoxWithDefaults) {
    BeginRunState(nullptr, nullptr);
    DisplayReportError(nullptr, nullptr, nullptr, 0, 0, 0);
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].caption, "Ostrevane");
    EXPECT_EQ(boxes.Seen()[0].text, "Report failed");
    DisplayReportError(nullptr, nullptr, nullptr, IDS_OPEN_LOG_CAPTION, IDS_CANCELLED, 0);
    ASSERT_TRUE(boxes.WaitFor(2));
    EXPECT_EQ(boxes.Seen()[1].caption, "Could Not Open Log");
    EXPECT_EQ(boxes.Seen()[1].text, "Report cancelled by user.");
    EXPECT_STREQ(GetLastRunMessage(), "Report cancelled by user.");
}

TEST_F(ReporterFixture, ScheduledAndRealtimeRunsWriteTheSchedulerLog) {
    request.Event = &event;
    BeginRunState(&request, nullptr);
    DisplayReportError(nullptr, "Caption", "Scheduled trouble", 0, 0, 0);
    ReportRunRequest realtime = {};
    realtime.RunMode = RUN_MODE_REALTIME;
    BeginRunState(&realtime, nullptr);
    DisplayReportError(nullptr, nullptr, nullptr, 0, IDS_REALTIME_FAILED, 0);
    std::string log = DeskInstall::SchedulerLog();
    EXPECT_NE(log.find("\tScheduled trouble"), std::string::npos) << log;
    EXPECT_NE(log.find("\tError generating realtime report."), std::string::npos) << log;
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ReporterFixture, RemoteRequestsGetTheMessageAsTheirAnswer) {
    std::string output = desk.Install().Root() + "rep.htm";
    lstrcpyA(event.SaveAsFilename, output.c_str());
    event.Remote = EVENT_REMOTE_REQUEST;
    request.Event = &event;
    BeginRunState(&request, nullptr);
    DisplayReportError(nullptr, nullptr, std::string(600, 'm').c_str(), 0, 0, 0);
    std::string answer = ovtest::ReadFileBytes(output);
    EXPECT_EQ(answer, std::string(495, 'm') + "\r\n" + std::string(1, '\0'));
    EXPECT_EQ(strlen(GetLastRunMessage()), 497u);
    DisplayReportError(nullptr, nullptr, "kept", 0, 0, 1); // keep: the answer stays
    EXPECT_EQ(ovtest::ReadFileBytes(output), answer);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(ProcessedFiles, MarkedFilesGoAfterDeliveryAndNamesLoseTheirFolders) {
    ovtest::TempInstall install;
    std::string output = install.Root() + "report.htm";
    ovtest::WriteFileBytes(install.Root() + "page2.htm", "kept");
    ovtest::WriteFileBytes(install.Root() + "graph.gif", "temporary");
    ProcessedFileList list = {};
    ASSERT_EQ(AddProcessedFile(&list, "x:\\elsewhere\\page2.htm", 1), 1);
    ASSERT_EQ(AddProcessedFile(&list, "d:graph.gif", 0), 1);
    EXPECT_STREQ(list.Entries[0], "+page2.htm");
    EXPECT_STREQ(list.Entries[1], "-graph.gif");
    ClearProcessedFiles(&list, output.c_str());
    EXPECT_TRUE(ovtest::FileExistsAt(install.Root() + "page2.htm"));
    EXPECT_FALSE(ovtest::FileExistsAt(install.Root() + "graph.gif"));
    EXPECT_EQ(list.Count, 0);
    FreeProcessedFiles(&list); // a second free is harmless
}

} // namespace

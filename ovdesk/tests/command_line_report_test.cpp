// Host codes 20 and 11: a report asked for on the command line becomes an
// immediate event, which then runs unattended and says why it failed.
#include "desk_fixture.h"
#include "definitions/report_definitions.h"
#include "host/status_record.h"
#include "schedule/schedule_events.h"

namespace {
const char kSyntaxR[] =
    "One of the supplied schedule options is invalid or missing.  The correct "
    "syntax is: /r \"Report Profile Name\" \"Memorized Name\" [\"output path\"]";
const char kSyntaxRf[] =
    "One of the supplied schedule options is invalid or missing.  The correct syntax is: /rf "
    "\"Profile Filename\" \"Memorized Report Filename or Memorized Name\" [\"output path\"]";
const char kSyntaxNone[] =
    "One of the supplied schedule options is invalid or missing.  Two options exist: /r and /rf.";
const char kNameTooLong[] =
    "The saved report name given is longer than 40 characters: no saved report has such a name.";
} // namespace

class CommandLineReportTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        WriteProfile("00000001", "Main site", install_.Path("access.log"));
        ReportDefinition* d = (ReportDefinition*)calloc(1, sizeof(ReportDefinition));
        strcpy(d->Description, "Weekly");
        strcpy(d->SaveReportAs, "c:\\reports\\weekly.htm");
        strcpy(d->SaveToUserName, "anna");
        WriteReportDefinition((install_.Data() + "00000001.MSS").c_str(), d);
        free(d);
        Enumerate();
        SupplyRecordingCallbacks();
    }
};

TEST_F(CommandLineReportTest, BadRequestsAreLoggedAndRefusedWithoutABox) {
    const std::string tooLong(81, 'p');
    struct Case {
        std::string command;
        const char* text;
    } cases[] = {
        {"", kSyntaxNone},
        {"/x \"Main site\" \"Weekly\"", kSyntaxNone},
        {"/R \"Main site\" \"Weekly\"", kSyntaxNone},
        {"/r \"Main site\"", kSyntaxR},
        {"/r \"Nobody\" \"Weekly\"", kSyntaxR},
        {"/r \"Main site\" \"Monthly\"", kSyntaxR},
        {"/rf \"Main site\" \"Weekly\"", kSyntaxRf},
        {"/r \"" + tooLong + "\" \"Weekly\"", kSyntaxR},
        {"/r \"Main site\" \"" + std::string(41, 'w') + "\"", kNameTooLong},
        {"/r \"Main site\" \"Weekly\" \"" + std::string(261, 'o') + "\"", kSyntaxR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        size_t before = SchedulerLogAdded().size();
        EXPECT_EQ(HostCommandLineReport(0, c.command.c_str()), HOST_NO_MEMORY);
        std::string added = SchedulerLogAdded().substr(before);
        EXPECT_NE(added.find("\t\tCommand Line Scheduled Report\r\n"), std::string::npos);
        EXPECT_NE(added.find("\tFailed\r\n\t" + c.command + "\r\n"), std::string::npos);
        EXPECT_NE(added.find(c.text), std::string::npos);
        EXPECT_TRUE(g_recordedHost.Scheduled.empty());
    }
    EXPECT_EQ(GetScheduleEventCount(), 0u);
}

TEST_F(CommandLineReportTest, AGoodRequestHandsTheHostAnImmediateEvent) {
    struct Case {
        const char* command;
        const char* output;
    } cases[] = {
        {"/r \"MAIN SITE\" \"weekly\"", "c:\\reports\\weekly.htm"},
        {"/rf \"00000001.wlp\" \"00000001.MSS\" \"d:\\out\\w.htm\"", "d:\\out\\w.htm"},
        {"/r \"Nobody\" \"Weekly\" /r \"Main site\" \"Weekly\"", "c:\\reports\\weekly.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        g_recordedHost.Reset();
        EXPECT_EQ(HostCommandLineReport(0, c.command), HOST_DONE);
        ASSERT_EQ(g_recordedHost.Scheduled.size(), 1u);
        EXPECT_EQ(g_recordedHost.FindCalls, 1);
        ScheduleListEntry* entry = g_recordedHost.Scheduled[0];
        EXPECT_EQ(strcmp(((AnalysisProfile*)entry->HostHandle)->BaseName, "00000001"), 0);
        EXPECT_EQ(entry->Immediate, 1u);
        EXPECT_EQ(entry->Active, 1u);
        EXPECT_EQ(entry->RepeatType, 5u);
        EXPECT_STREQ(entry->FilePath, "");
        ASSERT_NE(entry->Event, nullptr);
        EXPECT_EQ(entry->Event->ActivityType, DEFINITION_SUMMARY);
        EXPECT_STREQ(entry->Event->Memorized, "Weekly");
        EXPECT_STREQ(entry->Event->SetName, "00000001");
        EXPECT_STREQ(entry->Event->SetDescription, "Main site");
        EXPECT_STREQ(entry->Event->SaveAsFilename, c.output);
        EXPECT_STREQ(entry->Event->SaveAsUsername, "anna");
    }
}

// A saved report's name is at most 40 characters wherever it is kept; one
// stored longer (by hand, or by an older version) is known by its first 40.
// Guards against a look-up that kept one more character than the record.
TEST_F(CommandLineReportTest, SavedReportNamesOfFortyCharactersAndMoreAreFound) {
    const std::string forty(40, 'f');
    const std::string sixty = std::string(40, 's') + std::string(20, 't');
    ReportDefinition* d = (ReportDefinition*)calloc(1, sizeof(ReportDefinition));
    strcpy(d->Description, forty.c_str());
    ASSERT_EQ(WriteReportDefinition((install_.Data() + "00000002.MSS").c_str(), d), 1);
    free(d);
    ASSERT_TRUE(install_.Write("ovdesk\\datfiles\\00000003.MSS",
                               "[General]\r\nDescription=" + sixty + "\r\n"));
    struct Case {
        std::string command;
        std::string memorized;
    } cases[] = {
        {"/r \"Main site\" \"" + forty + "\"", forty},
        {"/r \"Main site\" \"" + sixty.substr(0, 40) + "\"", sixty.substr(0, 40)},
        {"/rf \"00000001.wlp\" \"00000003.MSS\"", sixty.substr(0, 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        g_recordedHost.Reset();
        ASSERT_EQ(HostCommandLineReport(0, c.command.c_str()), HOST_DONE);
        ASSERT_EQ(g_recordedHost.Scheduled.size(), 1u);
        EXPECT_EQ(std::string(g_recordedHost.Scheduled[0]->Event->Memorized), c.memorized);
    }
}

TEST_F(CommandLineReportTest, AFailedRunLogsWhyAndNeverWaits) {
    ASSERT_EQ(HostCommandLineReport(0, "/r \"Main site\" \"Weekly\""), HOST_DONE);
    ASSERT_EQ(g_recordedHost.Scheduled.size(), 1u);
    g_recordedHost.Statuses.clear();
    size_t before = SchedulerLogAdded().size();
    EXPECT_EQ(HostRunScheduledEvent(nullptr, g_recordedHost.Scheduled[0]), HOST_DONE);
    std::string added = SchedulerLogAdded().substr(before);
    EXPECT_NE(added.find("\t\t\tMain site\r\n"), std::string::npos);
    EXPECT_NE(added.find("\tFailed\r\n\tCould NOT build the summary.\r\n"), std::string::npos);
    EXPECT_EQ(added.find("Success"), std::string::npos);
    std::vector<std::string> expected = {"Building...", "Building Scheduled Report...", "Complete.",
                                         "(Failed)", "\tReason:\tCould NOT build the summary."};
    EXPECT_EQ(g_recordedHost.Statuses, expected);
}

TEST_F(CommandLineReportTest, AFailedRemoteRequestMarksItsStatusRecord) {
    std::string folder = install_.Root() + "Remote Reports\\1\\";
    std::string record(STATUS_RECORD_SIZE, '\0');
    record[STATUS_MESSAGE_OFFSET + STATUS_MESSAGE_SIZE] = 7; // the field behind the message
    ASSERT_TRUE(install_.Write("Remote Reports\\1\\status.rep", record));

    ScheduleEvent event = {};
    event.Version = 256;
    event.Active = 1;
    event.Remote = EVENT_REMOTE_REQUEST;
    event.ActivityType = DEFINITION_SUMMARY;
    strcpy(event.SetName, "00000001");
    strcpy(event.SetExtension, "wlp");
    strcpy(event.Memorized, "Weekly");
    strcpy(event.SaveAsFilename, (folder + "report.htm").c_str());
    ASSERT_EQ(AddScheduleEvent(&event), 1);
    ScheduleListEntry entry = {};
    FillScheduleListEntry(GetLastScheduleEvent(), 1, 0, &entry);
    EXPECT_EQ(entry.RemoteRequest, 1u);

    EXPECT_EQ(HostRunScheduledEvent(nullptr, &entry), HOST_DONE);
    std::string after = ovtest::ReadFileBytes(folder + "status.rep");
    ASSERT_EQ(after.size(), (size_t)STATUS_RECORD_SIZE);
    WORD code = 0;
    memcpy(&code, after.data() + STATUS_CODE_OFFSET, sizeof code);
    EXPECT_EQ(code, STATUS_FAILED);
    EXPECT_STREQ(after.data() + STATUS_MESSAGE_OFFSET, "Could NOT build the summary.");
    EXPECT_EQ(after[STATUS_MESSAGE_OFFSET + STATUS_MESSAGE_SIZE], 7);
    // The request is over: its saved report and its event are gone.
    EXPECT_EQ(entry.Event, nullptr);
    EXPECT_EQ(GetScheduleEventCount(), 0u);
    EXPECT_FALSE(ovtest::FileExistsAt(install_.Data() + "00000001.MSS"));
}

// Where a run makes its report: FTP and mail reports are made in the reports
// folder first, and the run keeps their destination.
#include <gtest/gtest.h>

#include "desk_run_fixture.h"
#include "report_run/run_steps.h"

namespace {

TEST(RunOutput, RemoteDestinationsAreMadeLocallyFirst) {
    const std::string reports = desktest::Desk().Install().Root() + "Reports\\Web Analysis\\";
    struct Case {
        WORD kind;
        const char* name;
        std::string file;
        const char* destination;
    } cases[] = {
        {DESTINATION_FTP, "ftp.example.com/pub/site/weekly.htm", reports + "weekly.htm",
         "ftp.example.com/pub/site/"},
        {DESTINATION_FTP, "ftp.example.com/pub/weekly", reports + "weekly.HTM",
         "ftp.example.com/pub/"},
        {DESTINATION_MAIL, "bob@example.com/weekly.htm", reports + "weekly.htm", "bob@example.com"},
        {DESTINATION_FILE, "d:\\reports\\weekly.htm", "d:\\reports\\weekly.htm", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BeginRunState(nullptr, nullptr);
        ReportRunJob job = {};
        job.Destination = c.kind;
        job.OutputName = c.name;
        EXPECT_EQ(PrepareOutputFile(job), STEP_GO_ON);
        EXPECT_EQ(std::string(job.OutputFile), c.file);
        EXPECT_STREQ(RunState().Destination, c.destination);
        EndRunState();
    }
}

} // namespace

// A remote request's status record as the run updates it.
#include <gtest/gtest.h>

#include <cstring>

#include "report_run/remote_status.h"
#include "temp_install.h"

namespace {

struct StatusFixture : ::testing::Test {
    ovtest::TempInstall install;
    ScheduleEvent event = {};
    ReportRunRequest request = {};
    std::string folder, status;

    void SetUp() override {
        folder = install.Root() + "Remote Reports\\alice\\7\\";
        install.Write("Remote Reports\\alice\\7\\status.rep", Record());
        status = folder + "status.rep";
        lstrcpyA(event.SaveAsFilename, (folder + "rep.htm").c_str());
        event.Remote = EVENT_REMOTE_REQUEST;
        request.Event = &event;
        ResetRemotePercentClock();
    }
    static std::string Record() {
        std::string record(STATUS_RECORD_SIZE, '\0');
        record[100] = 'R';
        const DWORD folderNumber = 7;
        memcpy(&record[STATUS_FOLDER_NUMBER_OFFSET], &folderNumber, 4);
        return record;
    }
    int Percent() const {
        std::string bytes = ovtest::ReadFileBytes(status);
        return (BYTE)bytes[STATUS_PERCENT_OFFSET] | (BYTE)bytes[STATUS_PERCENT_OFFSET + 1] << 8;
    }
};

TEST_F(StatusFixture, RunningPercentIsClampedAndWrittenAtMostOnceASecond) {
    WriteRemoteRunPercent(&request, 0);
    EXPECT_EQ(Percent(), 1);
    WriteRemoteRunPercent(&request, 50); // within the same second
    EXPECT_EQ(Percent(), 1);
    ResetRemotePercentClock();
    WriteRemoteRunPercent(&request, 100);
    EXPECT_EQ(Percent(), 99);
    EXPECT_EQ(ovtest::ReadFileBytes(status).size(), (size_t)STATUS_RECORD_SIZE);
}

TEST_F(StatusFixture, OnlyRemoteRequestsBelowTheRemoteFolderGetPercents) {
    ScheduleEvent local = event;
    local.Remote = EVENT_ORDINARY;
    ReportRunRequest ordinary = {&local};
    WriteRemoteRunPercent(&ordinary, 40);
    EXPECT_EQ(Percent(), 0);

    ovtest::TempInstall other;
    other.Write("elsewhere\\status.rep", Record());
    ScheduleEvent outside = event;
    lstrcpyA(outside.SaveAsFilename, (other.Root() + "elsewhere\\rep.htm").c_str());
    ReportRunRequest remote = {&outside};
    WriteRemoteRunPercent(&remote, 40);
    EXPECT_EQ(ovtest::ReadFileBytes(other.Root() + "elsewhere\\status.rep")[STATUS_PERCENT_OFFSET],
              0);
    // The final record is written for any remote event.
    char path[MAX_PATH];
    EXPECT_EQ(RemoteStatusPath(&outside, 0, path), 1);
    EXPECT_EQ(std::string(path), other.Root() + "elsewhere\\status.rep");
}

TEST_F(StatusFixture, OutcomeKeepsTheFolderNumberBehindACutMessage) {
    struct Case {
        int success;
        std::string message;
        int percent;
        std::string stored;
    } cases[] = {
        {1, "", 100, ""},
        {0, "The log file contains no data.", 110, "The log file contains no data."},
        {0, std::string(400, 'x'), 110, std::string(299, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        BYTE record[STATUS_RECORD_SIZE];
        ASSERT_EQ(ReadStatusRecord(status.c_str(), record), 1);
        ASSERT_EQ(FinishStatusRecord(status.c_str(), record, c.success, c.message.c_str()), 1);
        std::string bytes = ovtest::ReadFileBytes(status);
        ASSERT_EQ(bytes.size(), (size_t)STATUS_RECORD_SIZE);
        EXPECT_EQ(Percent(), c.percent);
        EXPECT_EQ(std::string(bytes.c_str() + STATUS_MESSAGE_OFFSET), c.stored);
        DWORD folderNumber = 0;
        memcpy(&folderNumber, &bytes[STATUS_FOLDER_NUMBER_OFFSET], 4);
        EXPECT_EQ(folderNumber, 7u);
        EXPECT_EQ(bytes[100], 'R');
    }
}

TEST_F(StatusFixture, MissingRecordIsLeftAlone) {
    DeleteFileA(status.c_str());
    WriteRemoteRunPercent(&request, 30);
    BYTE record[STATUS_RECORD_SIZE];
    EXPECT_EQ(ReadStatusRecord(status.c_str(), record), 0);
    EXPECT_FALSE(ovtest::FileExistsAt(status));
}

} // namespace

// The scheduler's event files, their migration and host codes 8 and 9.
#include "desk_fixture.h"
#include "host/profile_list.h"
#include "schedule/schedule_events.h"
#include "schedule/schedule_files.h"
#include "schedule/schedule_realtime.h"

namespace {
ScheduleEvent SampleEvent() {
    ScheduleEvent event = {};
    event.Version = 256;
    event.Active = 1;
    event.Time = 1700000000;
    event.RepeatIncrement = 2;
    event.RepeatType = 1;
    event.ActivityType = DEFINITION_SUMMARY;
    event.SaveAsFileType = 3;
    strcpy(event.Memorized, "Weekly summary");
    strcpy(event.SetName, "00000001");
    strcpy(event.SetExtension, "wlp");
    strcpy(event.SetDescription, "Main site");
    strcpy(event.SaveAsFilename, "ftp://127.0.0.1/r.htm");
    strcpy(event.SaveAsUsername, "anna");
    strcpy(event.SaveAsPassword, "secret");
    return event;
}

void ExpectSameEvent(const ScheduleEvent& a, const ScheduleEvent& b) {
    EXPECT_EQ(a.Version, b.Version);
    EXPECT_EQ(a.Active, b.Active);
    EXPECT_EQ(a.Time, b.Time);
    EXPECT_EQ(a.RepeatIncrement, b.RepeatIncrement);
    EXPECT_EQ(a.RepeatType, b.RepeatType);
    EXPECT_EQ(a.Remote, b.Remote);
    EXPECT_EQ(a.ActivityType, b.ActivityType);
    EXPECT_EQ(a.SaveAsFileType, b.SaveAsFileType);
    EXPECT_STREQ(a.Memorized, b.Memorized);
    EXPECT_STREQ(a.SetName, b.SetName);
    EXPECT_STREQ(a.SetExtension, b.SetExtension);
    EXPECT_STREQ(a.SetDescription, b.SetDescription);
    EXPECT_STREQ(a.SaveAsFilename, b.SaveAsFilename);
    EXPECT_STREQ(a.SaveAsUsername, b.SaveAsUsername);
    EXPECT_STREQ(a.SaveAsPassword, b.SaveAsPassword);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Every entry code 9 gives until it ends; fails the test on another result.
std::vector<ScheduleListEntry*> ListEvents() {
    std::vector<ScheduleListEntry*> entries;
    for (int guard = 0; guard < 50; ++guard) {
        ScheduleListEntry* entry = nullptr;
        int result = LogFindScheduleEvent(0, 0, &entry);
        if (result == HOST_END) {
            EXPECT_EQ(entry, nullptr);
            break;
        }
        EXPECT_EQ(result, HOST_DONE);
        if (!entry)
            break;
        entries.push_back(entry);
    }
    return entries;
}
} // namespace

using ScheduleFilesTest = DeskFixture;

TEST_F(ScheduleFilesTest, EventFileRoundTripsAndCutsLongTexts) {
    std::string file = install_.Data() + "log0000.las";
    ScheduleEvent written = SampleEvent();
    ASSERT_EQ(WriteScheduleEventFile(file.c_str(), &written, "Main"), 1);
    ScheduleEvent read = {};
    ASSERT_EQ(ReadScheduleEventFile(file.c_str(), &read, "Main"), 1);
    ExpectSameEvent(read, written);

    // Hand-edited texts longer than their fields are cut, never overrun.
    WritePrivateProfileStringA("Main", "SetName", std::string(40, 'n').c_str(), file.c_str());
    WritePrivateProfileStringA("Main", "Memorized", std::string(300, 'm').c_str(), file.c_str());
    ASSERT_EQ(ReadScheduleEventFile(file.c_str(), &read, "Main"), 1);
    EXPECT_EQ(std::string(read.SetName), std::string(14, 'n'));
    EXPECT_EQ(std::string(read.Memorized), std::string(40, 'm'));

    ovtest::WriteFileBytes(file, "[Main]\r\nTime=5\r\n");
    EXPECT_EQ(ReadScheduleEventFile(file.c_str(), &read, "Main"), 0) << "no Version: no event";
    // A realtime event has no file: nothing is written under an empty name.
    EXPECT_EQ(WriteScheduleEventFile("", &written, "Main"), 0);
}

TEST_F(ScheduleFilesTest, NewEventTakesTheLowestFreeNumber) {
    char path[MAX_PATH];
    ASSERT_EQ(NextScheduleFileName(path, sizeof path), 1);
    EXPECT_EQ(std::string(path), install_.Data() + "log0000.las");
    ovtest::WriteFileBytes(install_.Data() + "log0000.las", "[Main]\r\n");
    ovtest::WriteFileBytes(install_.Data() + "log0002.las", "[Main]\r\n");
    ASSERT_EQ(NextScheduleFileName(path, sizeof path), 1);
    EXPECT_EQ(std::string(path), install_.Data() + "log0001.las");
}

// Guards the migration that numbered its files from log0000 and so
// overwrote events already stored.
TEST_F(ScheduleFilesTest, MigrationSplitsTheOldFileWithoutOverwritingEvents) {
    std::string old = install_.Path("ovdesk\\logsched.dat");
    ovtest::WriteFileBytes(old, "; comment before any section\n"
                                "[Event1]\nVersion=256\nSetName=a\nMemorized=One\n"
                                "[Event2]\nVersion=256\nSetName=b\nMemorized=Two\n"
                                "[Event3]\nVersion=256\nSetName=c\nMemorized=Three\n");
    const std::string kept = "[Main]\r\nVersion=256\r\nMemorized=Kept\r\n";
    ovtest::WriteFileBytes(install_.Data() + "log0000.las", kept);
    ovtest::WriteFileBytes(install_.Data() + "log0002.las", kept);

    ASSERT_EQ(MigrateScheduleFile(), 1);
    EXPECT_FALSE(Exists(old));
    EXPECT_TRUE(Exists(old + ".bak"));
    EXPECT_EQ(ovtest::ReadFileBytes(install_.Data() + "log0000.las"), kept);
    EXPECT_EQ(ovtest::ReadFileBytes(install_.Data() + "log0002.las"), kept);
    const struct {
        const char* file;
        const char* text;
    } cases[] = {{"log0001.las", "[Main]\nVersion=256\nSetName=a\nMemorized=One\n"},
                 {"log0003.las", "[Main]\nVersion=256\nSetName=b\nMemorized=Two\n"},
                 {"log0004.las", "[Main]\nVersion=256\nSetName=c\nMemorized=Three\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string text = ovtest::ReadFileBytes(install_.Data() + c.file);
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(MigrateScheduleFile(), 0) << "nothing left to migrate";
}

TEST_F(ScheduleFilesTest, CodeNineListsStoredEventsThenRealtimeEventsAcrossARestart) {
    SupplyRecordingCallbacks();
    WriteProfile("00000001", "Main site", install_.Path("a.log"));
    WriteProfile("00000002", "Shop", install_.Path("b.log"));
    std::vector<ProfileListEntry*> profiles = Enumerate();
    ASSERT_EQ(profiles.size(), 2u);
    AnalysisProfile* shop = profiles[0]->Profile;
    if (strcmp(shop->BaseName, "00000002") != 0)
        shop = profiles[1]->Profile;
    shop->RealtimeReports = 1;
    shop->RealtimeReportInterval = 15;
    shop->RealtimeReportFrequency = 0;
    strcpy(shop->ReportSaveToPath, ".\\REALTIME.HTM");

    ScheduleEvent known = SampleEvent();
    strcpy(known.SetName, "00000001");
    strcpy(known.SetExtension, "WLP"); // the profile is found without regard to case
    ScheduleEvent orphan = SampleEvent();
    strcpy(orphan.SetName, "00000009");
    std::string knownFile = install_.Data() + "log0000.las";
    WriteScheduleEventFile(knownFile.c_str(), &known, "Main");
    WriteScheduleEventFile((install_.Data() + "log0001.las").c_str(), &orphan, "Main");
    ovtest::WriteFileBytes(install_.Data() + "log0002.las", "[Main]\r\nTime=1\r\n");

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first load" : "after a restart");
        std::vector<ScheduleListEntry*> entries = ListEvents();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(std::string(entries[0]->FilePath), knownFile);
        EXPECT_EQ(entries[0]->RealtimeFlag, 0u);
        EXPECT_EQ(entries[0]->RepeatType, 1u);
        EXPECT_STREQ(entries[0]->Event->Memorized, "Weekly summary");
        EXPECT_EQ(entries[1]->RealtimeFlag, 1u);
        EXPECT_EQ(entries[1]->FilePath[0], '\0');
        EXPECT_EQ(entries[1]->Event->Remote, EVENT_REALTIME);
        EXPECT_EQ(entries[1]->RepeatIncrement, 15u);
        EXPECT_EQ(entries[1]->RepeatType, 0u);
        EXPECT_STREQ(entries[1]->Event->SaveAsFilename, ".\\REALTIME.HTM");
        EXPECT_EQ(entries[1]->HostHandle, (DWORD_PTR)shop);
        EXPECT_EQ(GetProfileScheduleEntry(shop), entries[1]);
        // The host owns ordinary entries; the realtime one stays attached.
        HeapFree(GetProcessHeap(), 0, entries[0]);
        if (run == 0) {
            // Listing again without a restart gives the same events.
            std::vector<ScheduleListEntry*> again = ListEvents();
            ASSERT_EQ(again.size(), 2u);
            EXPECT_EQ(again[1], entries[1]) << "the realtime entry is refreshed, not made anew";
            HeapFree(GetProcessHeap(), 0, again[0]);
        }
        EXPECT_EQ(DeleteScheduleEvent(0, entries[1]), HOST_DONE);
        FreeScheduleEvents(); // as a new host process would start
    }
}

// Guards the delete that left a freed realtime entry attached to its
// profile, and the delete of an empty path.
TEST_F(ScheduleFilesTest, CodeEightDeletesTheFileAndDetachesARealtimeEntry) {
    SupplyRecordingCallbacks();
    WriteProfile("00000001", "Main site", install_.Path("a.log"));
    std::vector<ProfileListEntry*> profiles = Enumerate();
    ASSERT_EQ(profiles.size(), 1u);
    AnalysisProfile* profile = profiles[0]->Profile;
    profile->RealtimeReports = 1;
    std::string file = install_.Data() + "log0000.las";
    ScheduleEvent event = SampleEvent();
    WriteScheduleEventFile(file.c_str(), &event, "Main");

    std::vector<ScheduleListEntry*> entries = ListEvents();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(DeleteScheduleEvent(0, entries[0]), HOST_DONE);
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(DeleteScheduleEvent(0, entries[1]), HOST_DONE);
    EXPECT_EQ(GetProfileScheduleEntry(profile), nullptr);
    EXPECT_EQ(GetScheduleEventCount(), 0u);
    ScheduleListEntry* fresh = SetProfileScheduleEvent(profile, 7);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->HostHandle, 7u);
    EXPECT_EQ(GetScheduleEventCount(), 1u);
    EXPECT_EQ(DeleteScheduleEvent(0, fresh), HOST_DONE);
    EXPECT_EQ(DeleteScheduleEvent(0, nullptr), HOST_DONE);
}

// A profile's realtime event follows the profile: made, refreshed and
// removed as the profile sheet changes it, kept across profile listings,
// and gone with the profile.
#include "desk_fixture.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include "schedule/schedule_events.h"
#include "schedule/schedule_files.h"
#include "schedule/schedule_realtime.h"

namespace {
std::vector<std::pair<AnalysisProfile*, ScheduleListEntry*>> g_removed;

int CALLBACK RecordRemove(AnalysisProfile* profile, ScheduleListEntry* entry) {
    g_removed.push_back({profile, entry});
    return 1;
}

class ScheduleRealtimeTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        SupplyRecordingCallbacks();
        HostRemoveScheduleProc remove = RecordRemove;
        SupplyCallback(HOST_SLOT_REMOVE_SCHEDULE, (HostCallback)remove);
        g_removed.clear();
        WriteProfile("00000001", "Main site", install_.Path("a.log"));
        std::vector<ProfileListEntry*> listed = Enumerate();
        ASSERT_EQ(listed.size(), 1u);
        profile_ = listed[0]->Profile;
    }
    void TearDown() override {
        // The recording host frees what slot 9 gave it; realtime entries
        // are the plug-in's.
        g_recordedHost.Scheduled.clear();
        DeskFixture::TearDown();
    }

    AnalysisProfile* profile_ = nullptr;
};

// Every realtime event in the plug-in's list.
int RealtimeEventCount() {
    int count = 0;
    for (DWORD i = 0; ScheduleEvent* event = GetScheduleEvent(i); ++i)
        count += event->Remote == EVENT_REALTIME;
    return count;
}
} // namespace

TEST_F(ScheduleRealtimeTest, ProfileSheetChangesMakeRefreshAndRemoveTheEvent) {
    RealtimeEventSettings before = GetRealtimeEventSettings(profile_);
    SyncProfileScheduleEvent(profile_, before);
    EXPECT_EQ(RealtimeEventCount(), 0) << "still off: no event";

    profile_->RealtimeReports = 1;
    profile_->RealtimeReportInterval = 30;
    profile_->RealtimeReportFrequency = 0;
    strcpy(profile_->ReportSaveToPath, "c:\\rt\\live.htm");
    SyncProfileScheduleEvent(profile_, before);
    ASSERT_EQ(g_recordedHost.Scheduled.size(), 1u) << "a new event goes to the host";
    ScheduleListEntry* entry = g_recordedHost.Scheduled[0];
    EXPECT_EQ(entry, GetProfileScheduleEntry(profile_));
    EXPECT_EQ(entry->RealtimeFlag, 1u);
    EXPECT_EQ(entry->RepeatIncrement, 30u);
    EXPECT_EQ(entry->FilePath[0], '\0');
    EXPECT_STREQ(entry->Event->SaveAsFilename, "c:\\rt\\live.htm");

    // Changed settings refresh the entry the host already holds.
    before = GetRealtimeEventSettings(profile_);
    profile_->RealtimeReportInterval = 2;
    profile_->RealtimeReportFrequency = 1;
    SyncProfileScheduleEvent(profile_, before);
    EXPECT_EQ(g_recordedHost.Scheduled.size(), 1u);
    EXPECT_EQ(GetProfileScheduleEntry(profile_), entry);
    EXPECT_EQ(entry->RepeatIncrement, 2u);
    EXPECT_EQ(entry->RepeatType, 1u);
    EXPECT_EQ(RealtimeEventCount(), 1);

    // Switched off: the host is told, the event and the entry go.
    before = GetRealtimeEventSettings(profile_);
    profile_->RealtimeReports = 0;
    SyncProfileScheduleEvent(profile_, before);
    ASSERT_EQ(g_removed.size(), 1u);
    EXPECT_EQ(g_removed[0].first, profile_);
    EXPECT_EQ(g_removed[0].second, entry);
    EXPECT_EQ(GetProfileScheduleEntry(profile_), nullptr);
    EXPECT_EQ(RealtimeEventCount(), 0);
}

// Guards the attachment by profile record: a new listing makes the records
// anew, and the event was made a second time (or a stale one was found).
TEST_F(ScheduleRealtimeTest, ARelistedProfileKeepsItsOneRealtimeEvent) {
    profile_->RealtimeReports = 1;
    ORB_UpdateOrbisEntry(profile_);
    ScheduleListEntry* first = nullptr;
    ASSERT_EQ(LogFindScheduleEvent(0, 0, &first), HOST_DONE);
    ASSERT_NE(first, nullptr);
    ScheduleListEntry* end = nullptr;
    EXPECT_EQ(LogFindScheduleEvent(0, 0, &end), HOST_END);

    std::vector<ProfileListEntry*> again = Enumerate();
    ASSERT_EQ(again.size(), 1u);
    ScheduleListEntry* second = nullptr;
    ASSERT_EQ(LogFindScheduleEvent(0, 0, &second), HOST_DONE);
    EXPECT_EQ(second, first);
    EXPECT_EQ(GetProfileScheduleEntry(again[0]->Profile), first);
    EXPECT_EQ(RealtimeEventCount(), 1);
    EXPECT_EQ(LogFindScheduleEvent(0, 0, &end), HOST_END);

    // Deleting the profile (code 3) takes its event along.
    EXPECT_EQ(HostDeleteProfile(nullptr, again[0]), HOST_DONE);
    ASSERT_EQ(g_removed.size(), 1u);
    EXPECT_EQ(g_removed[0].second, first);
    EXPECT_EQ(RealtimeEventCount(), 0);
}

// Guards the first listing that read no event file because a realtime or
// command-line event was already in the list.
TEST_F(ScheduleRealtimeTest, StoredEventsAreReadEvenWhenAnEventCameFirst) {
    ScheduleEvent stored = {};
    stored.Version = 256;
    stored.Active = 1;
    stored.Time = 1900000000;
    stored.ActivityType = DEFINITION_SUMMARY;
    strcpy(stored.SetName, "00000001");
    strcpy(stored.SetExtension, "wlp");
    std::string file = install_.Data() + "log0000.las";
    ASSERT_EQ(WriteScheduleEventFile(file.c_str(), &stored, "Main"), 1);
    profile_->RealtimeReports = 1;
    SyncProfileScheduleEvent(profile_, GetRealtimeEventSettings(nullptr));
    ASSERT_EQ(RealtimeEventCount(), 1);

    ScheduleListEntry* listed = nullptr;
    ASSERT_EQ(LogFindScheduleEvent(0, 0, &listed), HOST_DONE);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(std::string(listed->FilePath), file);
    HeapFree(GetProcessHeap(), 0, listed);
    ASSERT_EQ(LogFindScheduleEvent(0, 0, &listed), HOST_DONE);
    EXPECT_EQ(listed->RealtimeFlag, 1u);
}

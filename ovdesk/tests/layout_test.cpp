// Records that cross to the host keep their fixed layouts.
#include <gtest/gtest.h>
#include "desk_types.h"

TEST(HostRecords, EntriesCarryTheirFieldsAtTheHostOffsets) {
    EXPECT_EQ(offsetof(ProfileListEntry, Description), 8u);
    EXPECT_EQ(offsetof(ProfileListEntry, ServerText), 88u);
    EXPECT_EQ(offsetof(ProfileListEntry, FileName), 608u);
    EXPECT_EQ(offsetof(ProfileListEntry, Realtime), 884u);
    EXPECT_EQ(offsetof(ScheduleListEntry, FilePath), sizeof(DWORD_PTR));
    EXPECT_EQ(offsetof(ScheduleListEntry, RealtimeFlag) - offsetof(ScheduleListEntry, Time), 24u);
}

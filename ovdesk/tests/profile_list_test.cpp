// The host's profile list: enumeration of the data folder's profiles, delete
// and copy.
#include "desk_fixture.h"
#include "dialog_driver.h"
#include <prsht.h>
#include "host/profile_edit.h"
#include "host/profile_list.h"

using ProfileListTest = DeskFixture;

TEST_F(ProfileListTest, EnumerationListsTheDataFoldersProfiles) {
    std::string log = install_.Path("access.log");
    ovtest::WriteFileBytes(log, "");
    WriteProfile("00000001", "Main site", log);
    WriteProfile("00000002", "Shop", log);
    install_.Write("ovdesk\\datfiles\\notes.txt", "not a profile");

    std::vector<ProfileListEntry*> found = Enumerate();
    ASSERT_EQ(found.size(), 2u);
    std::vector<std::string> names;
    for (ProfileListEntry* entry : found) {
        EXPECT_EQ(entry->One1, 1u);
        EXPECT_EQ(entry->One2, 1u);
        ASSERT_NE(entry->Profile, nullptr);
        EXPECT_STREQ(entry->Description, entry->Profile->Description);
        EXPECT_NE(std::string(entry->ServerText).find("access.log"), std::string::npos);
        names.push_back(entry->FileName);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"00000001.wlp", "00000002.wlp"}));
    EXPECT_EQ(GetLoadedProfileCount(), 2u);

    // A second walk replaces the list rather than adding to it.
    Enumerate();
    EXPECT_EQ(GetLoadedProfileCount(), 2u);
}

TEST_F(ProfileListTest, AnEmptyFolderEndsAtOnce) {
    ProfileListEntry* entry = reinterpret_cast<ProfileListEntry*>(1);
    EXPECT_EQ(LogFindProfile(nullptr, 0, 0, &entry), HOST_END);
    EXPECT_EQ(entry, nullptr);
    EXPECT_EQ(GetLoadedProfileCount(), 0u);
}

TEST_F(ProfileListTest, DeleteRemovesTheFileAndTheListEntry) {
    WriteProfile("00000001", "Gone soon", install_.Path("a.log"));
    std::vector<ProfileListEntry*> found = Enumerate();
    ASSERT_EQ(found.size(), 1u);

    ProfileListEntry empty = {};
    EXPECT_EQ(HostDeleteProfile(nullptr, &empty), HOST_DONE);
    EXPECT_EQ(GetLoadedProfileCount(), 1u);

    EXPECT_EQ(HostDeleteProfile(nullptr, found[0]), HOST_DONE);
    EXPECT_EQ(GetLoadedProfileCount(), 0u);
    EXPECT_FALSE(ovtest::FileExistsAt(install_.Data() + "00000001.wlp"));
}

TEST_F(ProfileListTest, CopyDescriptionFitsTheHostsField) {
    const std::string longText(100, 'x');
    struct Case {
        std::string source, expected;
    } cases[] = {
        {"Shop", "Copy of Shop"},
        {longText, "Copy of " + std::string(HOST_DESCRIPTION_SIZE - 9, 'x')},
    };
    for (const Case& c : cases) {
        AnalysisProfile* source = AnalysisProfile_New();
        strcpy(source->Description, c.source.c_str());
        source->SwiftmereFlag = SWIFTMERE_ODBC;
        source->RealtimeAnalysis = 1;
        AnalysisProfile* copy = MakeProfileCopy(source);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(std::string(copy->Description), c.expected);
        EXPECT_EQ(copy->SwiftmereFlag, SWIFTMERE_NONE);
        EXPECT_EQ(copy->RealtimeAnalysis, 0u);
        AnalysisProfile_Free(copy);
        AnalysisProfile_Free(source);
    }
}

TEST_F(ProfileListTest, CopyCancelledOnTheProfileSheetLeavesNoFileBehind) {
    WriteProfile("00000001", "Original", install_.Path("a.log"));
    std::vector<ProfileListEntry*> found = Enumerate();
    ASSERT_EQ(found.size(), 1u);
    ProfileListEntry* made = reinterpret_cast<ProfileListEntry*>(1);
    INT_PTR result =
        ovtest::RunModal([&] { return (INT_PTR)HostCopyProfile(nullptr, found[0], &made); },
                         [](HWND sheet) { ovtest::PressSheetButton(sheet, PSBTN_CANCEL); });
    EXPECT_EQ(result, HOST_CANCELLED);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(GetLoadedProfileCount(), 1u);
    EXPECT_FALSE(ovtest::FileExistsAt(install_.Data() + "00000002.wlp"));
}

// The profile and history-update exports: how an update call is framed (its
// result codes and the abort protocol) and the profile files by name.
#include <gtest/gtest.h>

#include <string>

#include "core/engine_state.h"
#include "core/message_sink.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

int g_ends;
void CALLBACK EndCallback() {
    ++g_ends;
}
int CALLBACK AbortingProgress(int, const char*, int, int, int) {
    ORB_AbortRealtimeAnalysis(EndCallback);
    return 0;
}
int CALLBACK Pump() {
    return 0;
}

class UpdateExportsTest : public ::testing::Test {
  protected:
    ovtest::TempInstall install_;
    short slot_ = -1;
    void SetUp() override {
        slot_ = ORB_Register(install_.Data().c_str(), 60, 1, Pump, nullptr, GetModuleHandleA(NULL),
                             0, NULL, NULL);
        ASSERT_EQ(0, slot_);
        Engine_SetUnattended(TRUE);
    }
    void TearDown() override {
        Engine_SetUnattended(FALSE);
        ORB_DeRegister(slot_);
        // Registrations are counted per loaded library: start afresh.
        Engine_ResetLibraryState();
        InstallFolder_Reset();
    }
};

TEST_F(UpdateExportsTest, AnUpdateCallsResultAndItsStop) {
    AnalysisProfile* profile = AnalysisProfile_New();
    // Without a history database: nothing to do, and the profile is done.
    EXPECT_EQ(6, ORB_UpdateRealtime(7, profile, nullptr));
    EXPECT_EQ(1u, profile->RealtimeDone);

    // Stopped from inside the progress callback: 4, and the end callback
    // runs once, when the update is left.
    profile->SwiftmereFlag = SWIFTMERE_FILES;
    profile->RealtimeAnalysis = 1;
    g_ends = 0;
    EXPECT_EQ(4, ORB_UpdateRealtime(7, profile, AbortingProgress));
    EXPECT_EQ(1, g_ends);
    EXPECT_EQ(0, ORB_AbortRealtimeAnalysis(EndCallback)); // none running: not kept
    // A profile whose logs cannot be found has nothing to add.
    EXPECT_EQ(6, ORB_UpdateRealtime(7, profile, nullptr));
    EXPECT_EQ(1, g_ends);
    AnalysisProfile_Free(profile);
}

TEST_F(UpdateExportsTest, ProfileFilesByName) {
    EXPECT_STREQ("cluster.var", ORB_GetTemplateFilename());
    AnalysisProfile* profile = AnalysisProfile_New();
    ASSERT_EQ(0, ORB_CreateOrbisEntry(profile));
    std::string name = std::string(profile->BaseName) + "." + profile->Extension;
    AnalysisProfile* read = ORB_GetSet(name.c_str());
    ASSERT_NE(nullptr, read);
    EXPECT_STREQ(profile->BaseName, read->BaseName);
    AnalysisProfile_Free(read);
    EXPECT_EQ(nullptr, ORB_GetSet("missing.wlp"));

    const struct {
        const char* file;
        const char* beside;
        bool besideGoes;
    } cases[] = {{"a.wlp", "a.DIR", true}, {"a.txt", "a.DIR", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        install_.Write(std::string("ovdesk\\datfiles\\") + c.file, "x");
        install_.Write(std::string("ovdesk\\datfiles\\") + c.beside, "x");
        DWORD before = ORB_QuerySetListChange();
        EXPECT_EQ(0, ORB_DeleteSet(profile, c.file, 0, 0));
        EXPECT_EQ(before + 1, ORB_QuerySetListChange());
        EXPECT_FALSE(ovtest::FileExistsAt(install_.Data() + c.file));
        EXPECT_EQ(!c.besideGoes, ovtest::FileExistsAt(install_.Data() + c.beside));
    }
    // A write that cannot be made is a failure, not 0.
    strcpy(profile->BaseName, "no\\such\\folder\\x");
    EXPECT_EQ(0xFFFF, ORB_PutSet(profile));
    AnalysisProfile_Free(profile);
}

} // namespace

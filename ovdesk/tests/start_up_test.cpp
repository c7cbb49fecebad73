// Start-up pieces: the language module and its help files, author and company.
#include "desk_fixture.h"
#include "desk_services.h"
#include "startup/plugin_state.h"
#include "startup/startup_parts.h"

namespace {
class StartUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetPluginInstance(GetModuleHandleA(nullptr));
        library_ = PointEngineSettingsAt(install_);
        ASSERT_NE(library_, nullptr);
        std::string name = install_.Root() + "ovdesk.dll";
        SetModuleDirectoryFromName(name.c_str(), (DWORD)name.size());
    }
    void TearDown() override {
        FreeLanguageModule();
        FreeLibrary(library_);
    }
    ovtest::TempInstall install_;
    HMODULE library_ = nullptr;
};
} // namespace

TEST_F(StartUpTest, AMissingLanguageModuleLeavesTheOwnTextsAndNamesTheHelp) {
    struct Case {
        const char* setting;
        const char* helpFolder;
    } cases[] = {{"KLINGON", "KLINGON"}, {"", "english"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        WriteBaseProfileString("Language", "Program", c.setting);
        LoadLanguageModule();
        EXPECT_EQ(GetLanguageModule(), GetPluginInstance());
        EXPECT_STREQ(LoadTextSlot(5729, 0), "K");
        EXPECT_EQ(std::string(GetHelpPath()),
                  install_.Root() + "Help\\" + c.helpFolder + "\\ovdesk.hlp");
        EXPECT_EQ(std::string(GetSecondHelpPath()),
                  install_.Root() + "Help\\" + c.helpFolder + "\\ovm_ent.hlp");
    }
}

TEST_F(StartUpTest, AuthorAndCompanyAlreadySetStay) {
    WriteModuleProfileString("Main", "Author", "Anna");
    WriteModuleProfileString("Main", "Company", "Shop Ltd");
    char author[256], company[256];
    GetAuthorCompanyDefaults(author, sizeof author, company, sizeof company);
    EXPECT_STREQ(author, "Anna");
    EXPECT_STREQ(company, "Shop Ltd");
    char stored[256];
    GetModuleProfileString("Main", "Author", "", stored, sizeof stored);
    EXPECT_STREQ(stored, "Anna");
}

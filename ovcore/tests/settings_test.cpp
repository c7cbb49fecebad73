// Settings files and application paths.
#include <gtest/gtest.h>

#include <string>

#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InstallFolder_SetFromFileName((install.Root() + "ovkit.dll").c_str()));
    }
    void TearDown() override { InstallFolder_Reset(); }

    ovtest::TempInstall install;
};

TEST_F(SettingsTest, PathsFollowTheInstallLayout) {
    char buffer[MAX_PATH];
    EXPECT_EQ(ORB_GetExePath(buffer), buffer);
    EXPECT_EQ(std::string(buffer), install.Root());
    EXPECT_EQ(ORB_GetMainPath(buffer), buffer);
    EXPECT_EQ(std::string(buffer), install.Module());
    EXPECT_EQ(ORB_GetDatfilesPath(buffer), 0);
    EXPECT_EQ(std::string(buffer), install.Data());
    EXPECT_EQ(ORB_GetReportsPath(buffer), buffer);
    EXPECT_EQ(std::string(buffer), install.Root() + "reports\\Web Analysis\\");
    EXPECT_EQ(ORB_GetTemplatePath(buffer), buffer);
    EXPECT_EQ(std::string(buffer), install.Templates());
    EXPECT_EQ(GetModuleIniPath(buffer), buffer);
    EXPECT_EQ(std::string(buffer), install.ModuleIni());
    char* name = GetBaseIniPath(buffer);
    EXPECT_EQ(std::string(buffer), install.BaseIni());
    EXPECT_STREQ(name, "ostrevan.ini");
}

TEST_F(SettingsTest, BeforeAnyModuleTheMainPathIsTheTailAlone) {
    InstallFolder_Reset();
    char buffer[MAX_PATH];
    ORB_GetMainPath(buffer);
    EXPECT_STREQ(buffer, "ovdesk\\");
}

TEST_F(SettingsTest, InitApplicationPathTakesTheModuleFolder) {
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, MAX_PATH);
    std::string folder(exe);
    folder.erase(folder.rfind('\\') + 1);
    ORB_InitApplicationPath(NULL);
    char buffer[MAX_PATH];
    ORB_GetExePath(buffer);
    EXPECT_EQ(std::string(buffer), folder);
}

// A 255-character install folder plus "reports\Web Analysis\" used to overrun
// the caller's MAX_PATH buffer.
TEST_F(SettingsTest, TooLongPathsFailInsteadOfOverrunning) {
    std::string folder = "C:\\" + std::string(245, 'a') + "\\";
    ASSERT_TRUE(InstallFolder_SetFromFileName((folder + "x.dll").c_str()));
    char buffer[MAX_PATH + 64];
    memset(buffer, 'z', sizeof(buffer));
    EXPECT_EQ(ORB_GetReportsPath(buffer), nullptr);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(buffer[MAX_PATH], 'z');
    EXPECT_EQ(ORB_GetDatfilesPath(buffer), -1);
    EXPECT_EQ(ORB_GetExePath(buffer), buffer);
    EXPECT_EQ(std::string(buffer), folder);
    // A module name over 255 characters is refused and the folder kept.
    EXPECT_FALSE(InstallFolder_SetFromFileName(("C:\\" + std::string(260, 'b')).c_str()));
    ORB_GetExePath(buffer);
    EXPECT_EQ(std::string(buffer), folder);
}

struct SettingsFile {
    const char* name;
    const char* relative;
    int(WINAPI* getInt)(const char*, const char*, int);
    DWORD(WINAPI* getString)(const char*, const char*, const char*, char*, DWORD);
    BOOL(WINAPI* writeString)(const char*, const char*, const char*);
    BOOL(WINAPI* writeInt)(const char*, const char*, int);
};

const SettingsFile kFiles[] = {
    {"base", "ostrevan.ini", GetBaseProfileInt, GetBaseProfileString, WriteBaseProfileString,
     WriteBaseProfileInt},
    {"module", "ovdesk\\ovdesk.ini", GetModuleProfileInt, GetModuleProfileString,
     WriteModuleProfileString, WriteModuleProfileInt},
};

TEST_F(SettingsTest, BothFilesRoundTripWithPrivateProfileSemantics) {
    for (const SettingsFile& file : kFiles) {
        SCOPED_TRACE(file.name);
        char text[64];
        EXPECT_TRUE(file.writeInt("Defaults", "Negative", -5));
        EXPECT_NE(install.Read(file.relative).find("Negative=4294967291"), std::string::npos);
        EXPECT_EQ(file.getInt("defaults", "negative", 0), -5);
        EXPECT_TRUE(file.writeInt("Defaults", "Size", 1000000));
        EXPECT_EQ(file.getInt("Defaults", "Size", 0), 1000000);
        EXPECT_EQ(file.getInt("Defaults", "Missing", 77), 77);

        EXPECT_TRUE(file.writeString("Program", "Language", "ENGLISH"));
        EXPECT_EQ(file.getString("PROGRAM", "language", "x", text, sizeof(text)), 7u);
        EXPECT_STREQ(text, "ENGLISH");
        EXPECT_EQ(file.getString("Program", "Missing", "dflt", text, sizeof(text)), 4u);
        EXPECT_STREQ(text, "dflt");
        EXPECT_EQ(file.getString("Program", "Language", "", text, 4), 3u); // cut to the room
        EXPECT_STREQ(text, "ENG");

        EXPECT_TRUE(file.writeString("Program", "Language", NULL)); // removes the key
        file.getString("Program", "Language", "gone", text, sizeof(text));
        EXPECT_STREQ(text, "gone");
        EXPECT_TRUE(file.writeString("Defaults", NULL, NULL)); // removes the section
        EXPECT_EQ(file.getInt("Defaults", "Size", 3), 3);
    }
}

TEST_F(SettingsTest, TheTwoFilesAreSeparate) {
    WriteBaseProfileString("Main", "Key", "base");
    WriteModuleProfileString("Main", "Key", "module");
    char text[16];
    GetBaseProfileString("Main", "Key", "", text, sizeof(text));
    EXPECT_STREQ(text, "base");
    GetModuleProfileString("Main", "Key", "", text, sizeof(text));
    EXPECT_STREQ(text, "module");
}

} // namespace

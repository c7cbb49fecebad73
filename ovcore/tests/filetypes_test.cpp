#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"
#include <string>
#include <stdlib.h>
#include <string.h>

namespace {

class FileTypes : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());
    }
    void TearDown() override { InstallFolder_Reset(); }
    std::string Stored(const char* key) {
        char value[2048] = "";
        GetModuleProfileString("Defaults", key, "", value, sizeof value);
        return value;
    }
    ovtest::TempInstall install;
};

TEST_F(FileTypes, TextFormParses) {
    const struct {
        const char* text;
        bool made;
        const char* name;
        int type;
    } cases[] = {
        {"{HTML,1}", true, "HTML", 1},
        {"HTML", true, "HTML", 0},
        {"{asp,2}", true, "asp", 2},
        {"{HTML1}", false, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        char text[64];
        strcpy(text, c.text);
        FileType* t = FileTypeHeaderStringToStruct(text);
        ASSERT_EQ(t != nullptr, c.made);
        if (t) {
            EXPECT_STREQ(t->Name, c.name);
            EXPECT_EQ(t->Type, c.type);
        }
        FreeFileType(t);
    }
}

TEST_F(FileTypes, LongNameIsCutToItsField) {
    std::string text = "{" + std::string(400, 'n') + ",2}";
    FileType* t = FileTypeHeaderStringToStruct(&text[0]);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(strlen(t->Name), 299u);
    EXPECT_EQ(t->Type, 2);
    FreeFileType(t);
}

TEST_F(FileTypes, StructToStringRefusesUnknownTypes) {
    FileType* t = CreateFileType();
    strcpy(t->Name, "cgi");
    t->Type = 3;
    char* text = FileTypeHeaderStructToString(t);
    EXPECT_STREQ(text, "{cgi,3}");
    FreeFileTypeString(text);
    t->Type = 4;
    EXPECT_EQ(FileTypeHeaderStructToString(t), nullptr);
    FreeFileType(t);
}

TEST_F(FileTypes, ListsReadFromModuleSettings) {
    WriteModuleProfileString("Defaults", "DocumentTypes", "{htm,1} ;{asp,2};cgi");
    int count = -1;
    FileType** types = GetFileTypesFromIniFile(&count, "DocumentTypes", "x");
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(count, 3);
    EXPECT_STREQ(types[0]->Name, "htm");
    EXPECT_EQ(types[1]->Type, 2);
    EXPECT_STREQ(types[2]->Name, "cgi");
    EXPECT_EQ(types[2]->Type, 0);
    EXPECT_EQ(types[3], nullptr);
    FreeFileTypesArray(types, FILETYPE_SLOTS);

    types = GetFileTypesFromIniFile(&count, "DownloadTypes", "exe zip");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(count, 2);
    FreeFileTypesArray(types, FILETYPE_SLOTS);

    WriteModuleProfileString("Defaults", "Bad", "htm {HTML1}");
    EXPECT_EQ(GetFileTypesFromIniFile(&count, "Bad", ""), nullptr);
}

TEST_F(FileTypes, WriteLeavesOutUnknownTypesAndNullSlots) {
    FileType* types[4] = {CreateFileType(), nullptr, CreateFileType(), CreateFileType()};
    strcpy(types[0]->Name, "htm");
    types[0]->Type = 1;
    strcpy(types[2]->Name, "bad");
    types[2]->Type = 4;
    strcpy(types[3]->Name, "zip");
    EXPECT_EQ(WriteFileTypesToIniFile(4, types, "DocumentTypes"), 1);
    EXPECT_EQ(Stored("DocumentTypes"), "{htm,1} {zip,0}");
    for (FileType* t : types)
        FreeFileType(t);
}

// Guards the bounded value: only whole items, and the caller learns of a drop.
TEST_F(FileTypes, WriteKeepsWholeItemsThatFit) {
    FileType** types = static_cast<FileType**>(calloc(FILETYPE_SLOTS, sizeof(FileType*)));
    for (int i = 0; i < 10; ++i) {
        types[i] = CreateFileType();
        memset(types[i]->Name, 'a' + i, 200);
        types[i]->Type = 2;
    }
    EXPECT_EQ(WriteFileTypesToIniFile(10, types, "DocumentTypes"), 0);
    std::string stored = Stored("DocumentTypes");
    EXPECT_LE(stored.size(), 1023u);
    int count = 0;
    FileType** back = GetFileTypesFromIniFile(&count, "DocumentTypes", "");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(count, 4); // 4 x 205 characters fit, a fifth does not
    for (int i = 0; i < count; ++i)
        EXPECT_STREQ(back[i]->Name, types[i]->Name);
    FreeFileTypesArray(back, FILETYPE_SLOTS);
    FreeFileTypesArray(types, FILETYPE_SLOTS);
}

TEST_F(FileTypes, DefaultsListSplitsWords) {
    install.Write("list.ini", "[Defaults]\r\nUSDomains=com edu;net,,org\r\n");
    std::string path = install.Path("list.ini");
    int count = 0;
    char** words = ReadDefaultsList(path.c_str(), 0, &count, "USDomains", "x");
    ASSERT_NE(words, nullptr);
    ASSERT_EQ(count, 4);
    EXPECT_STREQ(words[3], "org");
    FreeDefaultsList(words);

    std::string many;
    for (int i = 0; i < 120; ++i)
        many += "w ";
    words = ReadDefaultsList(path.c_str(), 0, &count, "Missing", many.c_str());
    EXPECT_EQ(count, 100);
    FreeDefaultsList(words);
}

} // namespace

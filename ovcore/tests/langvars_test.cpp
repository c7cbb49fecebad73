#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include "langvars/var_table.h"
#include "settings/install_folder.h"
#include "msgbox_watcher.h"
#include "temp_install.h"
#include <string>
#include <string.h>
#include <ctype.h>

namespace {

class LangVars : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());
        langvars::Clear();
    }
    void TearDown() override {
        langvars::Clear();
        InstallFolder_Reset();
    }
    // Writes a language file into the template folder; returns its path.
    std::string WriteLanguage(const std::string& name, const std::string& text) {
        install.Write("ovdesk\\template\\" + name, text);
        return install.Templates() + name;
    }
    bool Load(const std::string& path) {
        lstrcpynA(buffer, path.c_str(), sizeof buffer);
        return fetchvar_ReadVarData(buffer) == 1;
    }
    static std::string Get(const char* name) {
        char value[300];
        fetchvar_GetVarData(name, value, sizeof value);
        return value;
    }
    ovtest::TempInstall install;
    char buffer[MAX_PATH];
};

TEST_F(LangVars, ReadsPairsAndIgnoresTextBetweenThem) {
    ASSERT_TRUE(
        Load(WriteLanguage("english.rpl", "; a comment\r\n<Title>{Web Report}\r\n"
                                          "<Multi>{two\r\nlines}  <Empty>{}\r\n<title>{lower}\r\n"
                                          "<Broken> no brace here")));
    EXPECT_EQ(Get("Title"), "Web Report");
    EXPECT_EQ(Get("Multi"), "two\r\nlines");
    EXPECT_EQ(Get("title"), "lower"); // names differing in case are two variables
    char value[32] = "x";
    EXPECT_EQ(fetchvar_GetVarData("Empty", value, sizeof value), 1);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(fetchvar_GetVarData("Broken", value, sizeof value), 0);
    EXPECT_EQ(fetchvar_GetVarData("Missing", value, sizeof value), 0);
    EXPECT_STREQ(value, "");
}

// Guards the table's order: sort and search must use the same byte order,
// whatever the locale makes of upper case, punctuation and accented bytes.
TEST_F(LangVars, FindsEveryNameWhateverItsBytes) {
    const char* names[] = {"b", "B", "_x", "a", "Zeta", "\xE9t\xE9", "a b", "A", "~", "0"};
    std::string text;
    for (const char* n : names)
        text += std::string("<") + n + ">{v" + n + "}\n";
    ASSERT_TRUE(Load(WriteLanguage("english.rpl", text)));
    EXPECT_EQ(langvars::Count(), 10);
    for (const char* n : names) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Get(n), std::string("v") + n);
    }
}

TEST_F(LangVars, DuplicateNameGivesOneOfItsValues) {
    ASSERT_TRUE(Load(WriteLanguage("english.rpl", "<W>{one}<W>{two}")));
    std::string v = Get("W");
    EXPECT_TRUE(v == "one" || v == "two") << v;
}

// The last-write time of a file, and setting it back.
FILETIME WriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}
void SetWriteTime(const std::string& path, FILETIME time) {
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

TEST_F(LangVars, SamePathIsParsedOnce) {
    std::string path = WriteLanguage("english.rpl", "<A>{first}");
    ASSERT_TRUE(Load(path));
    FILETIME written = WriteTime(path);
    // Same size and time: the file counts as unchanged, so it is not read.
    WriteLanguage("english.rpl", "<A>{other}");
    SetWriteTime(path, written);
    for (char& c : path)
        c = char(toupper(static_cast<unsigned char>(c)));
    ASSERT_TRUE(Load(path)); // the same path in other case: kept
    EXPECT_EQ(Get("A"), "first");
}

// Guards the old words staying after the report-language editor saved the file.
TEST_F(LangVars, ASavedFileIsReadAgain) {
    std::string path = WriteLanguage("english.rpl", "<A>{first}");
    ASSERT_TRUE(Load(path));
    WriteLanguage("english.rpl", "<A>{second}"); // another size
    ASSERT_TRUE(Load(path));
    EXPECT_EQ(Get("A"), "second");
    FILETIME written = WriteTime(path);
    WriteLanguage("english.rpl", "<A>{thirds}"); // same size, a later time
    written.dwLowDateTime += 10000000;           // one second on
    if (written.dwLowDateTime < 10000000)
        ++written.dwHighDateTime;
    SetWriteTime(path, written);
    ASSERT_TRUE(Load(path));
    EXPECT_EQ(Get("A"), "thirds");
}

TEST_F(LangVars, MissingFileFallsBackToConfiguredLanguage) {
    WriteLanguage("french.rpl", "<A>{bonjour}");
    WriteModuleProfileString("Language", "Report", "french");
    ASSERT_TRUE(Load(install.Templates() + "GERMAN.RPL"));
    EXPECT_EQ(Get("A"), "bonjour");
    EXPECT_STREQ(buffer, (install.Templates() + "french.rpl").c_str());
}

TEST_F(LangVars, MissingFileFallsBackToEnglish) {
    WriteLanguage("english.rpl", "<A>{hello}");
    ASSERT_TRUE(Load(install.Templates() + "GERMAN.RPL"));
    EXPECT_EQ(Get("A"), "hello");
}

TEST_F(LangVars, FailedLoadEmptiesTableAndSaysSo) {
    ASSERT_TRUE(Load(WriteLanguage("english.rpl", "<A>{hello}")));
    std::string folder = install.Root() + "nowhere\\";
    ovtest::MsgBoxWatcher watcher;
    EXPECT_FALSE(Load(folder + "GERMAN.RPL"));
    ASSERT_TRUE(watcher.WaitFor(1));
    auto seen = watcher.Seen();
    EXPECT_EQ(seen[0].caption, "Load");
    EXPECT_EQ(seen[0].text, "Can't load file " + folder + "english.rpl  (err = 3)");
    EXPECT_EQ(Get("A"), "");
    EXPECT_EQ(langvars::Count(), 0);
}

struct ExpandCase {
    const char* text;
    const char* expected;
};

TEST_F(LangVars, ExpandVarMarkersReplacesNames) {
    ASSERT_TRUE(Load(WriteLanguage("english.rpl", "<Day>{Montag}<Hits>{Zugriffe}")));
    const ExpandCase cases[] = {
        {"<Day>", "Montag"},
        {"Total <Hits> on <Day>", "Total Zugriffe on Montag"},
        {"<Missing>x", "x"},
        {"a > b", "a > b"}, // a ">" outside a marker is copied
        {"Total=<Hits> > 10 hits", "Total=Zugriffe > 10 hits"},
        {"x <<Day>", "x Montag"}, // a second "<" starts the marker afresh
        {"keep <Day", "keep "},   // an unclosed marker is dropped
        {"", ""},
        {"%03d Incomplete", "%03d Incomplete"},
    };
    for (const ExpandCase& c : cases) {
        SCOPED_TRACE(c.text);
        char text[300];
        lstrcpynA(text, c.text, sizeof text);
        EXPECT_EQ(ExpandVarMarkers(text, sizeof text), 1);
        EXPECT_STREQ(text, c.expected);
    }
}

TEST_F(LangVars, ExpandVarMarkersStaysInItsBuffer) {
    ASSERT_TRUE(Load(WriteLanguage("english.rpl", "<L>{" + std::string(500, 'w') + "}")));
    char text[16 + 8];
    memset(text, '#', sizeof text);
    strcpy(text, "<L><L>");
    ExpandVarMarkers(text, 16);
    EXPECT_EQ(strlen(text), 15u);
    EXPECT_EQ(text[16], '#');
}

// The hook renames "Caption" to "Caption2" for the run it is given.
void WINAPI RenameCaption(void* run, const char* name, char* out, int size) {
    ++*static_cast<int*>(run);
    lstrcpynA(out, strcmp(name, "Caption") == 0 ? "Caption2" : name, size);
}

TEST_F(LangVars, ReplaceLanguageVarFillsTemplateMarkers) {
    WriteLanguage("GERMAN.RPL", "<Title>{Bericht}<Caption>{eins}<Caption2>{zwei}");
    install.Write("work.htm", "<h1>LANG_STR<Title></h1>LANG_STR<Nope>|LANG_STR<Caption>");
    std::string path = install.Path("work.htm");
    EXPECT_EQ(ReplaceLanguageVar(path.c_str(), "GERMAN", nullptr, nullptr), 1);
    EXPECT_EQ(install.Read("work.htm"), "<h1>Bericht</h1>|eins");

    install.Write("work.htm", "LANG_STR<Caption>/LANG_STR<Title>/LANG_STR<open");
    int calls = 0;
    EXPECT_EQ(ReplaceLanguageVar(path.c_str(), "GERMAN", &calls, RenameCaption), 1);
    EXPECT_EQ(install.Read("work.htm"), "zwei/Bericht/LANG_STR<open");
    EXPECT_EQ(calls, 2);
}

TEST_F(LangVars, ReplaceLanguageVarReportsMissingTemplate) {
    WriteLanguage("ENGLISH.RPL", "<A>{a}");
    ovtest::MsgBoxWatcher watcher;
    EXPECT_EQ(ReplaceLanguageVar(install.Path("none.htm").c_str(), nullptr, nullptr, nullptr), 0);
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "Load");
    EXPECT_EQ(watcher.Seen()[0].text, "Can't load template file (err = 2)");
}

} // namespace

// The report-language editor (the options sheet's Language page) driven as
// a user drives it over fixture language files, and its text model.
#include <gtest/gtest.h>
#include "desk_fixture.h"
#include "dialog_driver.h"
#include "desk_services.h"
#include "ovdesk/language_editor.h"
#include "language_editor/language_text.h"
#include "language_editor/language_tree.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <commctrl.h>
#include <prsht.h>
#include <functional>
#include <string>

using namespace ovtest;

namespace {
// The last line has no line feed: it is an item all the same.
const char kTree[] = ":{General}\n"
                     "::{Report title}<Title>\n"
                     "::{Hits}<Hits>\n"
                     "no depth: skipped\n"
                     ":{Tables}\n"
                     "::{Top pages}\n"
                     ":::{Page column}<Page>\n"
                     "::{Countries}<Country>";
const char kEnglish[] = "; words\r\n<Title>{Web Report}\r\n<Hits>{Hits per page, PAGE views}\r\n"
                        "<Page>{Page}\r\n<Country>{Country}\r\n";
const char kFrench[] = "<Title>{Rapport}\r\n<Hits>{Visites}\r\n<Page>{Page}\r\n<Country>{Pays}\r\n";

class LanguageEditorTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        settings_ = PointEngineSettingsAt(install_);
        ASSERT_NE(settings_, nullptr);
        SetDeskUnattended(FALSE);
        EmptyTemplates();
        Write("LANG.TRE", kTree);
        Write("ENGLISH.RPL", kEnglish);
        Write("ENGLISH.ORG", kEnglish);
        Write("FRENCH.RPL", kFrench);
        WriteModuleProfileString("Language", "Report", "ENGLISH");
    }
    void TearDown() override {
        SetDeskUnattended(TRUE);
        boxes_.Clear();
        EmptyTemplates();
        if (settings_)
            FreeLibrary(settings_);
        DeskFixture::TearDown();
    }
    void EmptyTemplates() {
        const char* const names[] = {"LANG.TRE",  "ENGLISH.RPL", "ENGLISH.ORG", "FRENCH.RPL",
                                     "DUTCH.RPL", "German.RPL",  "German.ORG"};
        for (const char* name : names)
            DeleteFileA((install_.Templates() + name).c_str());
    }
    void Write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(install_.Write("ovdesk\\template\\" + name, text));
    }
    std::string Read(const std::string& name) { return install_.Read("ovdesk\\template\\" + name); }
    std::string DefaultSetting() {
        char name[64] = "";
        GetModuleProfileString("Language", "Report", "", name, sizeof name);
        return name;
    }
    // Runs the editor's sheet; steps get the page.
    INT_PTR Edit(const std::function<void(HWND sheet, HWND page)>& steps) {
        return RunModal([] { return ShowLanguageEditorSheet(nullptr); },
                        [&](HWND sheet) {
                            PumpMessages();
                            steps(sheet, CurrentPage(sheet));
                        },
                        20000, "Options");
    }
    HMODULE settings_ = nullptr;
};

// Selects the tree item with this title (TVN_SELCHANGED reaches the page).
bool SelectTreeItem(HWND page, const std::string& title) {
    HWND tree = GetDlgItem(page, IDC_LE_TREE);
    std::vector<HTREEITEM> stack = {TreeView_GetRoot(tree)};
    while (!stack.empty()) {
        HTREEITEM item = stack.back();
        stack.pop_back();
        if (!item)
            continue;
        char text[128] = "";
        TVITEMA data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = sizeof text;
        TreeView_GetItem(tree, &data);
        if (title == text)
            return TreeView_SelectItem(tree, item) != FALSE;
        stack.push_back(TreeView_GetNextSibling(tree, item));
        stack.push_back(TreeView_GetChild(tree, item));
    }
    return false;
}

// Types into the page's multi-line content field: the page hears of it.
void Type(HWND page, const std::string& text) {
    HWND field = GetDlgItem(page, IDC_LE_CONTENT);
    SetWindowTextA(field, text.c_str());
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_LE_CONTENT, EN_CHANGE), (LPARAM)field);
}

int TreeCount(HWND page) {
    return (int)TreeView_GetCount(GetDlgItem(page, IDC_LE_TREE));
}
} // namespace

TEST(LanguageText, ValuesEditsAndTreeLines) {
    langedit::LanguageText text;
    text.Assign("x <A>{one} <B> note {two}<A>{again}");
    std::string value;
    EXPECT_TRUE(text.Value("<B>", &value));
    EXPECT_EQ(value, "two");
    EXPECT_TRUE(text.SetValue("<A>", "first"));
    EXPECT_FALSE(text.SetValue("<A>", "a}b")); // would end the value early
    EXPECT_FALSE(text.SetValue("<Missing>", "x"));
    EXPECT_EQ(text.Text(), "x <A>{first} <B> note {two}<A>{again}");
    EXPECT_TRUE(text.SetValue("<B>", "2"));
    EXPECT_TRUE(text.Value("<A>", &value));
    EXPECT_EQ(value, "first");

    std::vector<langedit::TreeLine> lines = langedit::ParseTree(kTree);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].Key, "");
    EXPECT_EQ(lines[5].Depth, 3);
    EXPECT_EQ(lines[6].Title, "Countries");
    EXPECT_EQ(lines[6].Key, "<Country>");
}

// A thousand items in one pass: the count is of items changed, not of
// occurrences, and letter case is ignored unless asked for.
TEST(LanguageText, ReplaceInValuesOfAThousandItems) {
    std::string file;
    std::vector<std::string> keys;
    for (int i = 0; i < 1000; ++i) {
        std::string key = "<K" + std::to_string(i) + ">";
        file += key + "{" + (i % 2 ? "Page and page" : "nothing") + "}\r\n";
        keys.push_back(key);
    }
    langedit::LanguageText text;
    text.Assign(file);
    std::vector<size_t> changed = text.ReplaceInValues(keys, "PAGE", "Sheet", false);
    EXPECT_EQ(changed.size(), 500u);
    std::string value;
    EXPECT_TRUE(text.Value("<K999>", &value));
    EXPECT_EQ(value, "Sheet and Sheet");
    EXPECT_TRUE(text.Value("<K998>", &value));
    EXPECT_EQ(value, "nothing");
    EXPECT_TRUE(text.ReplaceInValues(keys, "sheet", "x", true).empty());
}

TEST_F(LanguageEditorTest, AMissingDefaultMakesTheFirstLanguageTheDefault) {
    WriteModuleProfileString("Language", "Report", "SPANISH");
    std::vector<std::string> entries;
    bool removable = true;
    int items = 0;
    Edit([&](HWND sheet, HWND page) {
        entries = ComboEntries(page, IDC_LE_LANGUAGES);
        removable = IsEnabled(page, IDC_LE_REMOVE);
        items = TreeCount(page);
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(entries, (std::vector<std::string>{"ENGLISH (Default)", "FRENCH"}));
    EXPECT_FALSE(removable); // english, whatever its case
    EXPECT_EQ(items, 7);
    EXPECT_EQ(DefaultSetting(), "ENGLISH");
}

TEST_F(LanguageEditorTest, AnEditIsSavedAndTheEngineReadsTheNewWords) {
    std::string path = install_.Templates() + "ENGLISH.RPL";
    char buffer[MAX_PATH];
    lstrcpynA(buffer, path.c_str(), sizeof buffer);
    ASSERT_EQ(fetchvar_ReadVarData(buffer), 1);
    std::string shown, afterBrace;
    Edit([&](HWND sheet, HWND page) {
        ASSERT_TRUE(SelectTreeItem(page, "Report title"));
        shown = ItemText(page, IDC_LE_CONTENT);
        Type(page, "Site Report");
        Type(page, "Site}Report"); // refused: the value would end there
        afterBrace = ItemText(page, IDC_LE_CONTENT);
        Click(page, IDC_LE_SAVE);
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(shown, "Web Report");
    EXPECT_EQ(afterBrace, "Site Report");
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_EQ(boxes_.Seen()[0].caption, "Report Editor");
    EXPECT_EQ(Read("ENGLISH.RPL"), std::string(kEnglish).replace(17, 10, "Site Report"));
    lstrcpynA(buffer, path.c_str(), sizeof buffer);
    ASSERT_EQ(fetchvar_ReadVarData(buffer), 1);
    char value[64] = "";
    fetchvar_GetVarData("Title", value, sizeof value);
    EXPECT_STREQ(value, "Site Report");
}

TEST_F(LanguageEditorTest, OkWithUnsavedEditsAsksAndSaves) {
    Edit([&](HWND sheet, HWND page) {
        ASSERT_TRUE(SelectTreeItem(page, "Countries"));
        Type(page, "Nation");
        boxes_.AnswerNext({IDYES});
        PressSheetButton(sheet, PSBTN_OK);
    });
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_NE(boxes_.LastText().find("do you want to save it"), std::string::npos);
    EXPECT_NE(Read("ENGLISH.RPL").find("<Country>{Nation}"), std::string::npos);
}

TEST_F(LanguageEditorTest, AddRefusesTakenAndInvalidNamesThenWritesTwoCopies) {
    std::vector<std::string> entries;
    Edit([&](HWND sheet, HWND page) {
        WhenDialogShown("Add New Report Language", [&](HWND add) {
            SetText(add, IDC_LE_NEW_NAME, "english"); // taken, in another case
            Click(add, IDOK);
            SetText(add, IDC_LE_NEW_NAME, "a/b");
            Click(add, IDOK);
            SetText(add, IDC_LE_NEW_NAME, "German");
            SelectListIndex(add, IDC_LE_BASE, 1); // FRENCH
            Click(add, IDOK);
        });
        Click(page, IDC_LE_ADD);
        entries = ComboEntries(page, IDC_LE_LANGUAGES);
        EXPECT_EQ(ComboSelection(page, IDC_LE_LANGUAGES), "German");
        EXPECT_TRUE(IsEnabled(page, IDC_LE_REMOVE));
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    std::vector<SeenBox> seen = boxes_.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0].text.find("already exists"), std::string::npos);
    EXPECT_NE(seen[1].text.find("not a valid name"), std::string::npos);
    EXPECT_EQ(entries, (std::vector<std::string>{"ENGLISH (Default)", "FRENCH", "German"}));
    EXPECT_EQ(Read("German.RPL"), kFrench);
    EXPECT_EQ(Read("German.ORG"), kFrench);
    EXPECT_EQ(Read("FRENCH.RPL"), kFrench);
}

TEST_F(LanguageEditorTest, RemovingTheFirstAndDefaultLanguageMakesTheSecondTheDefault) {
    Write("DUTCH.RPL", kFrench);
    WriteModuleProfileString("Language", "Report", "DUTCH");
    std::vector<std::string> entries;
    Edit([&](HWND sheet, HWND page) {
        EXPECT_TRUE(IsEnabled(page, IDC_LE_REMOVE));
        boxes_.AnswerNext({IDYES});
        Click(page, IDC_LE_REMOVE);
        entries = ComboEntries(page, IDC_LE_LANGUAGES);
        EXPECT_FALSE(IsEnabled(page, IDC_LE_REMOVE)); // english is first now
        PressSheetButton(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(entries, (std::vector<std::string>{"ENGLISH (Default)", "FRENCH"}));
    EXPECT_EQ(DefaultSetting(), "ENGLISH");
    EXPECT_FALSE(FileExistsAt(install_.Templates() + "DUTCH.RPL"));
}

TEST_F(LanguageEditorTest, RestoreTakesTheItemOrTheWholeLanguageFromTheStartingCopy) {
    Write("ENGLISH.RPL", std::string(kEnglish) + "<Extra>{x}");
    std::string restored;
    Edit([&](HWND sheet, HWND page) {
        ASSERT_TRUE(SelectTreeItem(page, "Hits"));
        Type(page, "Requests");
        WhenDialogShown("Restore", [](HWND restore) { Click(restore, IDOK); });
        Click(page, IDC_LE_RESTORE);
        restored = ItemText(page, IDC_LE_CONTENT);
        Type(page, "Requests");
        WhenDialogShown("Restore", [](HWND restore) {
            Click(restore, IDC_LE_RESTORE_ALL);
            Click(restore, IDOK);
        });
        Click(page, IDC_LE_RESTORE);
        PressSheetButton(sheet, PSBTN_OK); // nothing left unsaved: no question
    });
    EXPECT_EQ(restored, "Hits per page, PAGE views");
    EXPECT_EQ(Read("ENGLISH.RPL"), kEnglish);
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(LanguageEditorTest, FindAndReplaceAllCountItemsNotOccurrences) {
    std::string found, value;
    Edit([&](HWND sheet, HWND page) {
        Click(page, IDC_LE_FIND);
        HWND find = FindThreadDialog("Find/Replace");
        ASSERT_NE(find, nullptr);
        EXPECT_FALSE(IsEnabled(find, IDC_LE_FIND_NEXT));
        Click(find, IDC_LE_IN_TITLE);
        SetText(find, IDC_LE_FIND_WHAT, "COLUMN");
        EXPECT_FALSE(IsEnabled(find, IDC_LE_REPLACE_ALL)); // titles are not replaced
        Click(find, IDC_LE_FIND_NEXT);
        found = ItemText(page, IDC_LE_CONTENT); // the Page column item's value
        SetText(find, IDC_LE_FIND_WHAT, "nowhere");
        Click(find, IDC_LE_FIND_NEXT);
        Click(find, IDC_LE_IN_TEXT);
        SetText(find, IDC_LE_FIND_WHAT, "page");
        SetText(find, IDC_LE_REPLACE_WITH, "Sheet");
        Click(find, IDC_LE_REPLACE_ALL);
        ASSERT_TRUE(SelectTreeItem(page, "Hits"));
        value = ItemText(page, IDC_LE_CONTENT);
        Click(find, IDCANCEL);
        Click(page, IDC_LE_SAVE);
        PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(found, "Page");
    std::vector<SeenBox> seen = boxes_.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "String Not Found!");
    EXPECT_EQ(seen[1].text, "2 Items replaced");
    EXPECT_EQ(seen[1].caption, "Replace");
    EXPECT_EQ(value, "Hits per Sheet, Sheet views");
    EXPECT_NE(Read("ENGLISH.RPL").find("<Page>{Sheet}"), std::string::npos);
}

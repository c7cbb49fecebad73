// The intranet and ad-views list editors driven as a user drives them (host
// codes 17 and 18): what reaches their files, their refusals, and that
// entries they did not change are never lost.
#include <gtest/gtest.h>
#include "desk_fixture.h"
#include "dialog_driver.h"
#include "desk_services.h"
#include "list_editors/adviews_list.h"
#include "list_editors/intranet_list.h"
#include "resource_ids.h"
#include "ovdesk/host_interface.h"
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

using namespace ovtest;

namespace {
class ListEditorTest : public DeskFixture {
  protected:
    void SetUp() override {
        DeskFixture::SetUp();
        settings_ = PointEngineSettingsAt(install_);
        ASSERT_NE(settings_, nullptr);
        SetDeskUnattended(FALSE);
        DeleteFileA(install_.Path("OVINTRA.TXT").c_str());
        DeleteFileA(install_.Path("ADVIEWS.TXT").c_str());
    }
    void TearDown() override {
        SetDeskUnattended(TRUE);
        boxes_.Clear(); // the boxes a test expected are its own business
        if (settings_)
            FreeLibrary(settings_);
        DeskFixture::TearDown();
    }
    std::string Intranet() { return install_.Read("OVINTRA.TXT"); }
    std::string AdViews() { return install_.Read("ADVIEWS.TXT"); }
    int OpenIntranet(const std::function<void(HWND)>& steps) {
        return (int)RunModal([] { return (INT_PTR)HostIntranetList(nullptr); }, steps, 20000,
                             "Intranet Configuration");
    }
    int OpenAdViews(const std::function<void(HWND)>& steps) {
        return (int)RunModal([] { return (INT_PTR)HostAdViewsList(nullptr); }, steps, 20000,
                             "Ad Views and Clicks Configuration");
    }
    HMODULE settings_ = nullptr;
};

struct IntranetInput {
    std::string Domain, Description, City, State, Country, Pattern;
};

void FillIntranet(HWND dialog, const IntranetInput& in) {
    SetText(dialog, IDC_IN_DOMAIN_FIELD, in.Domain);
    SetText(dialog, IDC_IN_DESCRIPTION_FIELD, in.Description);
    SetText(dialog, IDC_IN_CITY_FIELD, in.City);
    SetText(dialog, IDC_IN_STATE_FIELD, in.State);
    SetText(dialog, IDC_IN_COUNTRY_FIELD, in.Country);
    SetText(dialog, IDC_IN_PATTERN_FIELD, in.Pattern);
}

// Adds one entry through the add dialog (OK pressed once).
void AddIntranet(HWND list, const IntranetInput& in) {
    WhenDialogShown("Edit Intranet Domain Name", [&](HWND dialog) {
        FillIntranet(dialog, in);
        Click(dialog, IDOK);
        if (IsWindow(dialog))
            Click(dialog, IDCANCEL); // refused: the box was shown
    });
    Click(list, IDC_IN_ADD);
}

const char kTwo[] = "alpha,Alpha net,Boston,MA,US,10.1.0.0/16\r\n"
                    "gamma,Gamma net, , ,CA,*.gamma.example\r\n";
} // namespace

TEST_F(ListEditorTest, IntranetLeftAloneIsNotRewritten) {
    // An over-wide field, a line of a and b, an empty line and a line with
    // no comma: the file stays byte for byte when nothing was changed.
    std::string file = std::string(kTwo) + "a,,b\r\n\r\nno comma here\r\n" + std::string(80, 'd') +
                       ",wide,c,s,US,p\r\n";
    install_.Write("OVINTRA.TXT", file);
    std::vector<std::string> domains;
    std::string city, pattern;
    OpenIntranet([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_IN_LIST);
        for (int i = 0; i < ListViewCount(list); ++i)
            domains.push_back(ListViewText(list, i, 0));
        ListViewSelect(list, 1);
        city = ItemText(dialog, IDC_IN_CITY);
        pattern = ItemText(dialog, IDC_IN_PATTERN);
        Click(dialog, IDOK);
    });
    ASSERT_EQ(domains.size(), 4u);
    EXPECT_EQ(domains[2], "a"); // "a,,b": domain a, description b
    EXPECT_EQ(domains[3], std::string(49, 'd'));
    EXPECT_EQ(city, "");
    EXPECT_EQ(pattern, "*.gamma.example");
    EXPECT_EQ(Intranet(), file);
}

TEST_F(ListEditorTest, IntranetAddSortsStoresCodesAndBlanks) {
    install_.Write("OVINTRA.TXT", kTwo);
    OpenIntranet([&](HWND dialog) {
        AddIntranet(dialog, {"beta", "Beta net", "", "None", "Canada (CA)", "10.2.0.0/16"});
        // A country whose name holds a comma, a province kept by its name.
        AddIntranet(dialog,
                    {"delta", "Delta", "Seoul", "Ontario", "Korea, Republic of (KR)", "10.3.*"});
        EXPECT_EQ(ListViewText(GetDlgItem(dialog, IDC_IN_LIST), 1, 0), "beta");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(Intranet(), "alpha,Alpha net,Boston,MA,US,10.1.0.0/16\r\n"
                          "beta,Beta net, , ,CA,10.2.0.0/16\r\n"
                          "delta,Delta,Seoul,ONTARIO,KR,10.3.*\r\n"
                          "gamma,Gamma net, , ,CA,*.gamma.example\r\n");
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(ListEditorTest, IntranetRefusesBadFieldsWithTheirMessages) {
    const std::string ok49(49, 'x'), long50(50, 'x');
    const struct {
        IntranetInput in;
        const char* text; // the box, or null when the entry is taken
    } cases[] = {
        {{long50, "d", "", "None", "United States (US)", "p"}, "too long.  Please shorten it."},
        {{ok49, "d", "", "None", "United States (US)", "p"}, nullptr},
        {{"two words", "d", "", "None", "US", "p"}, "contains spaces."},
        {{"e", "with, comma", "", "None", "US", "p"}, "contains commas."},
        {{"f", "", "", "None", "US", "p"}, "This string must be filled in."},
        {{"g", "d", "", "None", "US", "1.2.3.4 5"}, "contains spaces."},
        {{"h", "d", "", "None", "", "p"}, "This string must be filled in."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.Domain + " / " + c.in.Description);
        install_.Write("OVINTRA.TXT", kTwo);
        boxes_.Clear();
        OpenIntranet([&](HWND dialog) {
            AddIntranet(dialog, c.in);
            Click(dialog, IDOK);
        });
        if (c.text) {
            ASSERT_EQ(boxes_.Count(), 1u);
            EXPECT_NE(boxes_.LastText().find(c.text), std::string::npos) << boxes_.LastText();
            EXPECT_EQ(Intranet(), kTwo);
        } else {
            EXPECT_EQ(boxes_.Count(), 0u) << boxes_.LastText();
            EXPECT_NE(Intranet().find(c.in.Domain + ",d, , ,US,p\r\n"), std::string::npos);
        }
    }
}

TEST_F(ListEditorTest, IntranetEditShowsStoredCodesAgainAndDeleteRemoves) {
    install_.Write("OVINTRA.TXT",
                   "north,North,Toronto,ONTARIO,CA,10.9.0.0/16\r\n" + std::string(kTwo));
    std::string state, country, stateNone;
    OpenIntranet([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_IN_LIST);
        ListViewSelect(list, 0); // north: the file's order is shown as it is
        WhenDialogShown("Edit Intranet Domain Name", [&](HWND edit) {
            state = ComboSelection(edit, IDC_IN_STATE_FIELD);
            country = ComboSelection(edit, IDC_IN_COUNTRY_FIELD);
            SetText(edit, IDC_IN_CITY_FIELD, "Ottawa");
            Click(edit, IDOK);
        });
        Click(dialog, IDC_IN_EDIT);
        // Now alpha, gamma, north. gamma's blank state shows as None; Cancel
        // leaves it alone.
        ListViewSelect(list, 1);
        WhenDialogShown("Edit Intranet Domain Name", [&](HWND edit) {
            stateNone = ComboSelection(edit, IDC_IN_STATE_FIELD);
            Click(edit, IDCANCEL);
        });
        Click(dialog, IDC_IN_EDIT);
        ListViewSelect(list, 0);
        WhenDialogShown("Delete an Intranet Domain", [&](HWND remove) {
            EXPECT_EQ(ItemText(remove, IDC_IN_REMOVED_NAME), "Alpha net");
            Click(remove, IDOK);
        });
        Click(dialog, IDC_IN_DELETE);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(state, "Ontario"); // stored upper-cased, found again without case
    EXPECT_EQ(country, "Canada (CA)");
    EXPECT_EQ(stateNone, "None");
    EXPECT_EQ(Intranet(), "gamma,Gamma net, , ,CA,*.gamma.example\r\n"
                          "north,North,Ottawa,ONTARIO,CA,10.9.0.0/16\r\n");
}

TEST_F(ListEditorTest, IntranetBeyondTheMaximumKeepsTheLinesItCouldNotShow) {
    std::string file;
    for (int i = 0; i < INTRANET_MAX_ENTRIES + 2; ++i) {
        char line[64];
        snprintf(line, sizeof line, "d%05d,Net %d, , ,US,10.%d.%d.0/24\r\n", i, i, i / 256,
                 i % 256);
        file += line;
    }
    install_.Write("OVINTRA.TXT", file);
    int rows = 0;
    OpenIntranet([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_IN_LIST);
        rows = ListViewCount(list);
        // Full: Add says so and opens no dialog.
        Click(dialog, IDC_IN_ADD);
        ListViewSelect(list, 0);
        WhenDialogShown("Delete an Intranet Domain", [&](HWND remove) { Click(remove, IDOK); });
        Click(dialog, IDC_IN_DELETE);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(rows, INTRANET_MAX_ENTRIES);
    std::vector<SeenBox> seen = boxes_.Seen();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, "Maximum Number of Intranet Entries Reached");
    EXPECT_EQ(seen[1].caption, "Maximum Number of Intranet Entries Reached");
    // Only the deleted first entry is gone; the two lines past the maximum stay.
    EXPECT_EQ(Intranet(), file.substr(file.find("\r\n") + 2));
}

TEST_F(ListEditorTest, AdViewsMalformedLineAndLaterLinesSurviveAnAdd) {
    const std::string file = "\"b.gif\",\"clickb\",\"b\"\r\n"
                             "\r\n"
                             "\"only\",\"two\"\r\n"
                             "\"z.gif\",\"clickz\",\"z\"\r\n";
    install_.Write("ADVIEWS.TXT", file);
    std::vector<std::string> rows;
    OpenAdViews([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_AV_LIST);
        for (int i = 0; i < ListViewCount(list); ++i)
            rows.push_back(ListViewText(list, i, 0));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(rows, (std::vector<std::string>{"b", ""})); // reading stopped at the bad line
    EXPECT_EQ(AdViews(), file);                           // left alone: not rewritten
    boxes_.Clear();
    OpenAdViews([&](HWND dialog) {
        WhenDialogShown("Create New Ad Views and Clicks", [&](HWND edit) {
            SetText(edit, IDC_AV_DESCRIPTION_FIELD, "a");
            SetText(edit, IDC_AV_CLICK_FIELD, "clicka");
            Click(edit, IDOK);
        });
        Click(dialog, IDC_AV_ADD);
        Click(dialog, IDOK);
    });
    // "a" goes before the first entry that sorts after it; the empty line
    // comes back as three empty fields; the bad line and the one after it
    // are kept as they were.
    EXPECT_EQ(AdViews(), "\"\",\"clicka\",\"a\"\r\n"
                         "\"b.gif\",\"clickb\",\"b\"\r\n"
                         "\"\",\"\",\"\"\r\n"
                         "\"only\",\"two\"\r\n"
                         "\"z.gif\",\"clickz\",\"z\"\r\n");
}

TEST_F(ListEditorTest, AdViewsOkNeedsADescriptionAndAnotherFieldAndRefusesQuotes) {
    bool onlyDescription = true, withView = false;
    OpenAdViews([&](HWND dialog) {
        WhenDialogShown("Create New Ad Views and Clicks", [&](HWND edit) {
            SetText(edit, IDC_AV_DESCRIPTION_FIELD, "b");
            onlyDescription = IsEnabled(edit, IDOK);
            SetText(edit, IDC_AV_VIEW_FIELD, "ad\"x.gif");
            withView = IsEnabled(edit, IDOK);
            Click(edit, IDOK); // refused: the quote would end the field
            SetText(edit, IDC_AV_VIEW_FIELD, "b.gif");
            Click(edit, IDOK);
        });
        Click(dialog, IDC_AV_ADD);
        HWND list = GetDlgItem(dialog, IDC_AV_LIST);
        ListViewSelect(list, 0);
        WhenDialogShown("Edit Ad Views and Clicks", [&](HWND edit) {
            SetText(edit, IDC_AV_DESCRIPTION_FIELD, "changed");
            Click(edit, IDC_AV_CANCEL); // ends with 1: the list is read again, unchanged
        });
        Click(dialog, IDC_AV_EDIT);
        Click(dialog, IDOK);
    });
    EXPECT_FALSE(onlyDescription);
    EXPECT_TRUE(withView);
    ASSERT_EQ(boxes_.Count(), 1u);
    EXPECT_NE(boxes_.LastText().find("double quotes"), std::string::npos);
    EXPECT_EQ(AdViews(), "\"b.gif\",\"\",\"b\"\r\n");
}

// Guards the slot that kept the previous line's fields for a line without quotes.
TEST_F(ListEditorTest, AdViewsLineWithoutQuotesIsAnEmptyEntry) {
    install_.Write("ADVIEWS.TXT", "\"v.gif\",\"c\",\"full\"\r\nno quotes\r\n");
    ASSERT_TRUE(AdViews_AllocList());
    LoadAdViewsFile(nullptr);
    AdViewsBlock* block = AdViews_List();
    ASSERT_EQ(block->Count, 2u);
    EXPECT_STREQ(block->Entries[1].Description, "");
    EXPECT_STREQ(block->Entries[1].ViewName, "");
    AdViews_FreeList();
}

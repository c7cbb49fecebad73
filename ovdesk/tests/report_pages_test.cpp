// The report settings pages on their own: format extensions, Save-As
// targets, the range combo and fields, and the contents list.
#include "report_dialog_fixture.h"
#include "report_dialog/contents_page.h"
#include "report_dialog/range_page.h"
#include "report_dialog/report_pages.h"
#include "report_run/report_delivery.h"
#include "report_run/report_run.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <commctrl.h>

TEST_F(ReportDialogTest, FormatChangesRewriteTheSaveAsExtension) {
    SetModuleSetting("Defaults", "DocumentTypes", "{asp,1} {shtml,1} jsp");
    struct Case {
        const char* path;
        int format;
        const char* expected;
    } cases[] = {
        {"c:\\out\\report.htm", FORMAT_CMA, "c:\\out\\report.CMA"},
        {"c:\\out\\report.CMA", FORMAT_HTML, "c:\\out\\report.HTM"},
        {"c:\\out\\report.asp", FORMAT_HTML, "c:\\out\\report.asp"}, // a document type stays
        {"c:\\out\\report.JSP", FORMAT_HTML, "c:\\out\\report.JSP"}, // token without braces
        {"c:\\out\\report.asp", FORMAT_DOC, "c:\\out\\report.DOC"},  // only HTML keeps it
        {"c:\\out\\report", FORMAT_XLS, "c:\\out\\report.XLS"},      // no "." appends
        {"a.b\\report.txt", FORMAT_TXT, "a.b\\report.TXT"},
        {"report.", FORMAT_HTML, "report.HTM"}, // "." alone is no type
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char path[MAX_PATH];
        strcpy(path, c.path);
        EXPECT_EQ(ChangeExtensionForFormat(path, sizeof path, c.format), 1);
        EXPECT_STREQ(path, c.expected);
    }
    char tight[12] = "report.htm";
    EXPECT_EQ(ChangeExtensionForFormat(tight, 10, FORMAT_HTML), 0); // would not fit
    EXPECT_STREQ(tight, "report.htm");
    EXPECT_EQ(IsDocumentTypeExtension(".SHTML"), 1);
    EXPECT_EQ(IsDocumentTypeExtension("."), 0);
    EXPECT_EQ(IsDocumentTypeExtension(".1"), 0);
}

TEST_F(ReportDialogTest, FormatComboRewritesTheSaveAsPagePath) {
    SetModuleSetting("Defaults", "DocumentTypes", "{asp,1}");
    HWND saveAs = CreatePage(IDD_SAVEAS_PAGE, SaveAsPageDlg, nullptr);
    HWND format = CreatePage(IDD_FORMAT_PAGE, FormatPageDlg, nullptr);
    ASSERT_TRUE(saveAs && format);
    g_ReportPages[PAGE_SAVEAS] = saveAs;
    EXPECT_EQ(SendDlgItemMessageA(format, IDC_FORMAT_COMBO, CB_GETCOUNT, 0, 0), FORMAT_COUNT);
    SetDlgItemTextA(saveAs, IDC_SAVEAS_PATH, "c:\\web\\stats.htm");
    SendDlgItemMessageA(format, IDC_FORMAT_COMBO, CB_SETCURSEL, FORMAT_CMA, 0);
    SendMessageA(format, WM_COMMAND, MAKEWPARAM(IDC_FORMAT_COMBO, CBN_SELCHANGE), 0);
    EXPECT_EQ(ItemText(saveAs, IDC_SAVEAS_PATH), "c:\\web\\stats.CMA");
    EXPECT_STREQ(g_ReportSettings.SaveAsText, "c:\\web\\stats.CMA"); // the page follows its field
    SelectFormatByName(format, "x.Doc");
    EXPECT_EQ(GetSelectedFormat(format), FORMAT_DOC);
    g_ReportPages[PAGE_SAVEAS] = nullptr;
}

TEST_F(ReportDialogTest, SaveAsTargetsReadAndShowEachKind) {
    HWND page = CreatePage(IDD_SAVEAS_PAGE, SaveAsPageDlg, nullptr);
    ASSERT_NE(page, nullptr);
    struct Case {
        int kind;
        const char* path;
        const char* address;
        const char* expected; // null: refused
        const char* box;
    } cases[] = {
        {DESTINATION_FILE, "c:\\web\\r.htm", "", "c:\\web\\r.htm", nullptr},
        {DESTINATION_FTP, "host/dir/r.htm", "", "ftp://host/dir/r.htm", nullptr},
        {DESTINATION_MAIL, ".\\r.htm", "me@x.org", "mailto:me@x.org/r.htm", nullptr},
        {DESTINATION_MAIL, ".r.htm", "me@x.org/", "mailto:me@x.org/r.htm", nullptr},
        {DESTINATION_MAIL, "/r.htm", "me@x.org", "mailto:me@x.org/r.htm", nullptr},
        {DESTINATION_FILE, "", "", nullptr, "Please enter a valid 'Save As:' filename."},
        {DESTINATION_MAIL, "r.htm", "", nullptr, "Please enter an E-Mail address."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected ? c.expected : c.box);
        ovtest::MsgBoxWatcher boxes;
        SetDlgItemTextA(page, IDC_SAVEAS_PATH, c.path);
        SetDlgItemTextA(page, IDC_SAVEAS_ADDRESS, c.address);
        char text[MAX_PATH] = "";
        int result = GetSaveAsTarget(page, IDC_SAVEAS_PATH, IDC_SAVEAS_ADDRESS, text, c.kind);
        EXPECT_EQ(result, c.expected ? 1 : 0);
        if (c.expected) {
            EXPECT_STREQ(text, c.expected);
            EXPECT_EQ(boxes.Count(), 0u);
        } else {
            ASSERT_TRUE(boxes.WaitFor(1));
            EXPECT_EQ(boxes.Seen()[0].text.rfind(c.box, 0), 0u) << boxes.Seen()[0].text;
            EXPECT_EQ(boxes.Seen()[0].caption, "Ostrevane");
        }
    }
    struct Shown {
        int kind;
        const char* text;
        const char* path;
        const char* address;
    } shown[] = {
        {DESTINATION_FILE, "c:\\r.htm", "c:\\r.htm", ""},
        {DESTINATION_FTP, "host/r.htm", "host/r.htm", ""},
        {DESTINATION_MAIL, "me@x.org/sub/r.htm", "sub/r.htm", "me@x.org"},
        {DESTINATION_MAIL, "me@x.org\\r.htm", "r.htm", "me@x.org"},
        {DESTINATION_MAIL, "me@x.org", "", "me@x.org"},
    };
    for (const Shown& s : shown) {
        SCOPED_TRACE(s.text);
        ShowSaveAsTarget(page, IDC_SAVEAS_PATH, IDC_SAVEAS_ADDRESS, s.text, s.kind);
        EXPECT_EQ(ItemText(page, IDC_SAVEAS_PATH), s.path);
        EXPECT_EQ(ItemText(page, IDC_SAVEAS_ADDRESS), s.address);
    }
}

TEST_F(ReportDialogTest, RangeComboListsCodesWithAndWithoutRequest) {
    ReportRunRequest request = {};
    request.Profile = MakeProfile(0, 0);
    HWND withRequest = CreatePage(IDD_RANGE_PAGE, RangePageDlg, &request);
    ASSERT_NE(withRequest, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(withRequest, RANGE_COMBO, CB_GETCOUNT, 0, 0), 49);
    EXPECT_EQ(ComboSelection(withRequest, RANGE_COMBO), "All of Log");
    SendDlgItemMessageA(withRequest, RANGE_COMBO, CB_SETCURSEL, 4, 0);
    EXPECT_EQ(GetSelectedRangeCode(withRequest), 4);

    SetModuleSetting("Defaults", "RTRange", "9");
    HWND without = CreatePage(IDD_RANGE_PAGE, RangePageDlg, nullptr);
    ASSERT_NE(without, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(without, RANGE_COMBO, CB_GETCOUNT, 0, 0), 45);
    EXPECT_EQ(ComboSelection(without, RANGE_COMBO), "Last 7 days"); // code 9 at index 5
    EXPECT_EQ(GetSelectedRangeCode(without), 9);
    SendDlgItemMessageA(without, RANGE_COMBO, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(GetSelectedRangeCode(without), 5); // "Today": codes 1 to 4 are left out
}

TEST_F(ReportDialogTest, RangeFieldsShowTheLogTimesAndReadThemBack) {
    SetModuleSetting("Defaults", "RTRange", "0");
    const DWORD first = 1262349296; // 2010-01-01 12:34:56 UTC
    const DWORD last = 1265029200;  // 2010-02-01 13:00:00 UTC
    AnalysisProfile* profile = MakeProfile(first, last);
    ReportRunRequest request = {};
    request.Profile = profile;
    HWND page = CreatePage(IDD_RANGE_PAGE, RangePageDlg, &request);
    ASSERT_NE(page, nullptr);
    ShowReportRange(page, 0, profile);
    EXPECT_EQ(ItemText(page, RANGE_START_TIME), "12:34:56");
    EXPECT_EQ(ItemText(page, RANGE_END_TIME), "13:00:00");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, RANGE_START_DATE)));
    DWORD start = 0, end = 0;
    ReadReportRange(page, &start, &end, profile);
    EXPECT_EQ(start, first); // the texts are UTC and read back as UTC: no shift
    EXPECT_EQ(end, last);

    // Code 1 keeps typed texts; a month of 13 warns and falls back to the log's times.
    ovtest::MsgBoxWatcher boxes;
    SetDlgItemTextA(page, RANGE_START_DATE, "13/01/10");
    ShowReportRange(page, RANGE_SPECIFY, profile);
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].caption, "Invalid Date/Time");
    EXPECT_NE(boxes.Seen()[0].text.find("[13/01/10]"), std::string::npos);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, RANGE_START_DATE)));
    ReadReportRange(page, &start, &end, profile);
    EXPECT_EQ(start, first);
    EXPECT_EQ(end, last);

    // Guards four-digit years: they passed the check and were read as 3910.
    SetDlgItemTextA(page, RANGE_START_DATE, "01/01/2010");
    SetDlgItemTextA(page, RANGE_END_DATE, "02/01/2010");
    ShowReportRange(page, RANGE_SPECIFY, profile);
    EXPECT_EQ(boxes.Count(), 1u);
    start = end = 0;
    ReadReportRange(page, &start, &end, profile);
    EXPECT_EQ(start, first);
    EXPECT_EQ(end, last);

    // Logs not probed yet: every field reads "N/A", and reading leaves the times alone.
    AnalysisProfile* unknown = MakeProfile(0, 0);
    unknown->LogInfoValid = 0;
    ShowReportRange(page, 5, unknown);
    for (int id : {RANGE_START_TIME, RANGE_START_DATE, RANGE_END_TIME, RANGE_END_DATE})
        EXPECT_EQ(ItemText(page, id), "N/A");
    start = end = 7;
    ReadReportRange(page, &start, &end, unknown);
    EXPECT_EQ(start, 7u);
}

namespace {
// The template's sections as the engine reads them.
std::vector<TemplateSection> TemplateSections(const std::string& path) {
    WORD count = 0;
    HGLOBAL block = nullptr;
    std::vector<TemplateSection> sections;
    if (!ORB_ReadTemplateSectionList(path.c_str(), &count, &block, nullptr) || !block)
        return sections;
    TemplateSection* records = (TemplateSection*)GlobalLock(block);
    sections.assign(records, records + count);
    GlobalUnlock(block);
    GlobalFree(block);
    return sections;
}

int RowState(HWND list, int item) {
    return (int)((SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) &
                  LVIS_STATEIMAGEMASK) >>
                 12);
}

void ClickRow(HWND page, int item, int x) {
    HWND list = GetDlgItem(page, IDC_CONTENTS_LIST);
    RECT row = {LVIR_BOUNDS};
    SendMessageA(list, LVM_GETITEMRECT, item, (LPARAM)&row);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = IDC_CONTENTS_LIST;
    click.hdr.code = NM_CLICK;
    click.ptAction.x = x;
    click.ptAction.y = (row.top + row.bottom) / 2;
    SendMessageA(page, WM_NOTIFY, IDC_CONTENTS_LIST, (LPARAM)&click);
}

void SelectRow(HWND page, int item) {
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageA(page, IDC_CONTENTS_LIST, LVM_SETITEMSTATE, item, (LPARAM)&state);
}
} // namespace

TEST_F(ReportDialogTest, ContentsPageListsTheTemplateSectionsAndEditsThem) {
    std::vector<TemplateSection> sections = TemplateSections(install_->Templates() + "cluster.var");
    ASSERT_GT(sections.size(), 10u);
    HWND page = CreatePage(IDD_CONTENTS_PAGE, ContentsPageDlg, nullptr);
    ASSERT_NE(page, nullptr);
    HWND list = GetDlgItem(page, IDC_CONTENTS_LIST);
    int listed = 0, graph = -1, table = -1;
    for (const TemplateSection& s : sections)
        if (s.Kind <= SECTION_KIND_TABLE) {
            if (s.Kind == SECTION_KIND_GRAPH && graph < 0)
                graph = listed;
            if (s.Kind == SECTION_KIND_TABLE && table < 0)
                table = listed;
            ++listed;
        }
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), listed);
    ASSERT_TRUE(graph >= 0 && table >= 0);
    EXPECT_FALSE(ListViewText(list, 0, 0).empty()); // captions come from English.rpl
    EXPECT_EQ(RowState(list, graph), STATE_GRAPH_IN);
    EXPECT_EQ(RowState(list, table), STATE_OTHER_IN);
    WORD count = 0;
    GetTemplateSectionBlock(&count);
    int graphSection = FindSectionForItem(GetContentsItemMap(), graph, count);
    int tableSection = FindSectionForItem(GetContentsItemMap(), table, count);
    // A graph shows its last row index plus one as its elements.
    EXPECT_EQ(ListViewText(list, graph, 1), std::to_string(sections[graphSection].Rows + 1));
    EXPECT_EQ(ListViewText(list, table, 1), std::to_string(sections[tableSection].Rows));

    // Typing 30: a graph stops at 24 (stored as 23), a table keeps 30.
    SelectRow(page, graph);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_CONTENTS_GRAPH_TYPE)));
    SetDlgItemTextA(page, IDC_CONTENTS_ELEMENTS, "30");
    EXPECT_EQ(ItemText(page, IDC_CONTENTS_ELEMENTS), "24");
    EXPECT_EQ(ListViewText(list, graph, 1), "24");
    SelectRow(page, table);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_CONTENTS_GRAPH_TYPE)));
    SetDlgItemTextA(page, IDC_CONTENTS_ELEMENTS, "30");
    EXPECT_EQ(ListViewText(list, table, 1), "30");

    // A click on the check box leaves the graph out; further right it only selects.
    ClickRow(page, graph, 5);
    EXPECT_EQ(RowState(list, graph), STATE_GRAPH_OUT);
    ClickRow(page, table, 19);
    EXPECT_EQ(RowState(list, table), STATE_OTHER_IN);

    std::vector<TemplateSection> chosen(DEFINITION_MAX_SECTIONS);
    int copied = CopyIncludedSections(chosen.data(), DEFINITION_MAX_SECTIONS - 1);
    ASSERT_EQ(copied, listed - 1);
    bool tableKept = false;
    for (int i = 0; i < copied; ++i) {
        // A graph and a table may share a name: the kind tells them apart.
        EXPECT_FALSE(!strcmp(chosen[i].Name, sections[graphSection].Name) &&
                     chosen[i].Kind == SECTION_KIND_GRAPH);
        if (!strcmp(chosen[i].Name, sections[tableSection].Name) &&
            chosen[i].Kind == SECTION_KIND_TABLE)
            tableKept = chosen[i].Rows == 30;
    }
    EXPECT_TRUE(tableKept) << "the table's edited elements are in the chosen block";

    SendMessageA(page, WM_COMMAND, IDM_CONTENTS_UNSELECT_ALL, 0);
    EXPECT_EQ(CopyIncludedSections(chosen.data(), DEFINITION_MAX_SECTIONS - 1), 0);
    SendMessageA(page, WM_COMMAND, IDM_CONTENTS_REVERSE_ALL, 0);
    EXPECT_EQ(CopyIncludedSections(chosen.data(), DEFINITION_MAX_SECTIONS - 1), listed);
    EXPECT_EQ(RowState(list, graph), STATE_GRAPH_IN);
}

TEST_F(ReportDialogTest, ContentsPageWithoutTemplateLeavesNoSectionList) {
    DeleteFileA((install_->Templates() + "cluster.var").c_str());
    EXPECT_EQ(LoadTemplateSections(), 0);
    HWND page = CreatePage(IDD_CONTENTS_PAGE, ContentsPageDlg, nullptr);
    ASSERT_NE(page, nullptr); // the page ends itself instead of failing the process
    EXPECT_EQ(GetTemplateSectionBlock(nullptr), nullptr);
}

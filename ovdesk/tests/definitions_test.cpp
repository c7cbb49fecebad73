// Saved report definitions: file names, the file format, look-ups.
#include "desk_fixture.h"
#include "definitions/report_definitions.h"
#include "report_dialog/create_report_dialog.h"

namespace {
ReportDefinition* NewDefinition(const char* description) {
    ReportDefinition* d = (ReportDefinition*)calloc(1, sizeof(ReportDefinition));
    strcpy(d->Description, description);
    return d;
}

std::string DefinitionPath(const ovtest::TempInstall& install, const char* name) {
    return install.Data() + name;
}
} // namespace

using DefinitionsTest = DeskFixture;

TEST_F(DefinitionsTest, NewNamesCountUpFromTheHighestOfTheKind) {
    char path[MAX_PATH];
    ASSERT_EQ(NewReportDefinitionName(DEFINITION_SUMMARY, path), 1);
    EXPECT_EQ(std::string(path), install_.Data() + "00000001.MSS");
    install_.Write("ovdesk\\datfiles\\0000000A.MSS", "");
    install_.Write("ovdesk\\datfiles\\00000020.MR", "");
    install_.Write("ovdesk\\datfiles\\notes.mss", "");
    ASSERT_EQ(NewReportDefinitionName(DEFINITION_SUMMARY, path), 1);
    EXPECT_EQ(std::string(path), install_.Data() + "0000000B.MSS");
    ASSERT_EQ(NewReportDefinitionName(DEFINITION_VIEW, path), 1);
    EXPECT_EQ(std::string(path), install_.Data() + "00000021.MR");
}

TEST_F(DefinitionsTest, ADefinitionRoundTrips) {
    ReportDefinition* d = NewDefinition("Weekly traffic");
    strcpy(d->ReportStyle, "Blue");
    strcpy(d->SaveReportAs, "ftp://host/reports/weekly.htm");
    strcpy(d->SaveToUserName, "anna");
    strcpy(d->SaveToPassword, "pa=ss");
    strcpy(d->ReportLanguage, "ENGLISH");
    d->OrderBy = 3;
    d->ReportRange = 1;
    strcpy(d->StartTime, "00:00:00");
    strcpy(d->StartDate, "03/01/26");
    strcpy(d->StopTime, "23:59:59");
    strcpy(d->StopDate, "03/07/26");
    strcpy(d->ReportTitle, "Traffic");
    d->ContentCount = 2;
    strcpy(d->Sections[0].Name, "TopPagesBeginSection");
    d->Sections[0].Kind = 2;
    d->Sections[0].Rows = 25;
    d->Sections[0].Columns = 3;
    strcpy(d->Sections[1].Name, "HitsGraphBeginSection");
    d->Sections[1].Kind = 1;
    d->Sections[1].GraphType = 4;
    d->Sections[1].Rows = 10;
    d->Sections[1].ThreeD = 1;
    std::string path = DefinitionPath(install_, "00000001.MSS");
    ASSERT_EQ(WriteReportDefinition(path.c_str(), d), 1);

    std::string text = ovtest::ReadFileBytes(path);
    EXPECT_EQ(text.find("[General]\r\nDescription=Weekly traffic\r\n\r\n[Range]\r\nOrderBy=3\r\n"),
              0u);
    EXPECT_NE(text.find("Section0_SubElements=3\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Section1_SubElements"), std::string::npos);

    ReportDefinition* r = NewDefinition("");
    ASSERT_EQ(ReadReportDefinition(path.c_str(), nullptr, nullptr, nullptr, nullptr, r), 1);
    EXPECT_STREQ(r->Description, "Weekly traffic");
    EXPECT_STREQ(r->ReportStyle, "Blue");
    EXPECT_STREQ(r->SaveReportAs, d->SaveReportAs);
    EXPECT_STREQ(r->SaveToPassword, "pa=ss");
    EXPECT_STREQ(r->StopDate, "03/07/26");
    EXPECT_EQ(r->OrderBy, 3);
    EXPECT_EQ(r->ReportRange, 1);
    EXPECT_STREQ(r->ReportTitle, "Traffic");
    ASSERT_EQ(r->ContentCount, 2);
    EXPECT_STREQ(r->Sections[0].Name, "TopPagesBeginSection");
    EXPECT_EQ(r->Sections[0].Include, 1u);
    EXPECT_EQ(r->Sections[0].Rows, 25);
    EXPECT_EQ(r->Sections[0].Columns, 3);
    EXPECT_EQ(r->Sections[1].GraphType, 4);
    EXPECT_EQ(r->Sections[1].ThreeD, 1u);
    EXPECT_EQ(r->Sections[1].Columns, 0xFFFF); // no sub-elements stored: none
    EXPECT_EQ(r->DisplayFlags[9], 1);
    free(r);
    free(d);
}

TEST_F(DefinitionsTest, SectionCountsOutsideOneToNinetyNine) {
    struct Case {
        WORD count;
        WORD readBack;
    } cases[] = {{0, 0}, {100, 100}};
    for (const Case& c : cases) {
        ReportDefinition* d = NewDefinition("Plain");
        d->ContentCount = c.count;
        strcpy(d->ReportTitle, "Not stored");
        std::string path = DefinitionPath(install_, "00000002.MSS");
        ASSERT_EQ(WriteReportDefinition(path.c_str(), d), 1);
        EXPECT_EQ(ovtest::ReadFileBytes(path).find("ReportTitle"), std::string::npos);
        // A count the writer leaves out, typed in by hand.
        if (c.count == 100)
            ovtest::WriteFileBytes(path, ovtest::ReadFileBytes(path) +
                                             "ContentCount=100\r\nSection0_Name=X\r\n");
        ReportDefinition* r = NewDefinition("");
        ReadReportDefinition(path.c_str(), nullptr, nullptr, nullptr, nullptr, r);
        EXPECT_EQ(r->ContentCount, c.readBack);
        EXPECT_STREQ(r->ReportTitle, "");
        EXPECT_STREQ(r->Sections[0].Name, "");
        EXPECT_STREQ(r->SaveReportAs, ".\\REPORT.HTM");
        free(r);
        free(d);
    }
}

TEST_F(DefinitionsTest, LookUpsByDescriptionAndByFileName) {
    ReportDefinition* d = NewDefinition("Monthly");
    strcpy(d->SaveReportAs, "c:\\out\\monthly.htm");
    WriteReportDefinition(DefinitionPath(install_, "00000001.MSS").c_str(), d);
    strcpy(d->Description, "Daily");
    WriteReportDefinition(DefinitionPath(install_, "00000002.MSS").c_str(), d);
    WriteReportDefinition(DefinitionPath(install_, "00000003.MR").c_str(), d);

    struct Case {
        const char* name;
        int byFileName;
        int found;
        const char* description;
        const char* file;
    } cases[] = {
        {"monthly", 0, 1, "Monthly", "00000001.MSS"},
        {"00000002.MSS", 0, 0, "", ""},
        {"00000002.mss", 1, 1, "Daily", "00000002.MSS"},
        {"Monthly", 1, 1, "Monthly", "00000001.MSS"},
        {"Weekly", 1, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportDefinition* r = NewDefinition("");
        char path[MAX_PATH] = "";
        EXPECT_EQ(
            FindReportDefinition(DEFINITION_SUMMARY, "", "", "", c.name, r, path, c.byFileName),
            c.found);
        if (c.found) {
            EXPECT_STREQ(r->Description, c.description);
            EXPECT_EQ(std::string(path), DefinitionPath(install_, c.file));
        }
        free(r);
    }
    // A look-up that names a server never matches: the server is not stored.
    ReportDefinition* r = NewDefinition("");
    EXPECT_EQ(FindReportDefinition(DEFINITION_SUMMARY, "web1", "", "", "Monthly", r, nullptr, 0),
              0);
    free(r);
    free(d);
}

// Guards against a look-up or a save retitling the open dialog's report with
// whichever definition file was read last.
TEST_F(DefinitionsTest, ReadingAndWritingLeaveTheDialogTitle) {
    ReportDefinition* d = NewDefinition("Monthly");
    strcpy(d->ReportTitle, "Stored title"); // kept with the sections
    d->ContentCount = 1;
    strcpy(d->Sections[0].Name, "TopPagesBeginSection");
    strcpy(g_ReportTitle, "Typed title");
    ASSERT_EQ(WriteReportDefinition(DefinitionPath(install_, "00000001.MSS").c_str(), d), 1);
    ReportDefinition* r = NewDefinition("");
    EXPECT_EQ(FindReportDefinition(DEFINITION_SUMMARY, "", "", "", "Monthly", r, nullptr, 0), 1);
    EXPECT_STREQ(r->ReportTitle, "Stored title");
    EXPECT_STREQ(g_ReportTitle, "Typed title");
    g_ReportTitle[0] = 0;
    free(r);
    free(d);
}

TEST_F(DefinitionsTest, ComboListingCarriesTheOutputFormats) {
    ReportDefinition* d = NewDefinition("As text");
    strcpy(d->SaveReportAs, "c:\\out\\r.txt");
    WriteReportDefinition(DefinitionPath(install_, "00000001.MSS").c_str(), d);
    install_.Write("ovdesk\\datfiles\\00000002.MSS", "[General]\r\n\r\n");
    HWND combo = CreateWindowA("COMBOBOX", "", CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(ListReportDefinitions(combo, LIST_COMBO_WITH_NONE, DEFINITION_SUMMARY, "As text"), 1);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    char text[64];
    SendMessageA(combo, CB_GETLBTEXT, 0, (LPARAM)text);
    EXPECT_STREQ(text, "<< None Selected >>");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(GetListedDefinitionFormat(0), 0);
    EXPECT_EQ(GetListedDefinitionFormat(1), 4);
    EXPECT_EQ(ListReportDefinitions(combo, LIST_COMBO, DEFINITION_VIEW, "x"), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    DestroyWindow(combo);
    free(d);
}

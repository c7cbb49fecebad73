#include <gtest/gtest.h>

#include <string>

#include "keywords/header_keywords.h"
#include "run/report_handle.h"
#include "write/report_output.h"

namespace {

struct LayoutCase {
    const char* keyword;
    bool marker;
    const char* value;
};

class LayoutKeywords : public ::testing::Test {
  protected:
    void SetUp() override {
        run = AllocRunContext();
        OpenReportOutput(run);
        report.Profile = &profile;
        run->Profile = &profile;
        run->Servers = &profile.Servers;
        strcpy(run->Output->Style.TableColumns, "012");
        run->Output->Style.LongDescription = 1;
        strcpy(run->Output->OutputPath, "C:\\out\\rep.doc");
    }
    void TearDown() override {
        run->FreeOutput(run);
        free(run);
    }

    void Check(const LayoutCase& c) {
        SCOPED_TRACE(c.keyword);
        char value[64] = "stale";
        DWORD marker = 0;
        ASSERT_EQ(
            EvaluateHeaderKeyword(&report, run, c.keyword, value, sizeof value, &marker, NULL), 1);
        EXPECT_EQ(marker, c.marker ? 1u : 0u);
        EXPECT_STREQ(value, c.value);
    }

    ReportHandle report = {};
    AnalysisProfile profile = {};
    RunContext* run = nullptr;
};

TEST_F(LayoutKeywords, MarkAndRemoveByTheRunsSwitches) {
    RowmereSettings domain = {};
    domain.RowmereEnabled = 1;
    profile.RowmereIP = &domain;
    profile.Servers.dwCount = 1;
    strcpy(run->Output->Style.TableColumns, "12");
    const LayoutCase cases[] = {
        {"BeginLine_TopDocuments[3]", true, "%%BookMarkLine%%"},
        {"EndLine_TopDocuments[3]", false, ""},
        {"EndLine_TopCountriesDesc[4,0]", false, ""},
        {"endline_topcountriesdesc[4,1]", true, "%%RemoveLine%%"},
        {"EndLine_Top404ErrorsDescURL[2,3]", true, "%%RemoveLine%%"},
        {"EndLine_TopClientErrorsServerName2[1,0]", true, "%%RemoveLine%%"},
        {"BeginColumn_Hits", true, "%%BookMarkColumn%%"},
        {"EndColumn_Hits", true, "%%RemoveColumn%%"},
        {"EndColumn_PercentOfTotal", false, ""},
        {"EndColumn_UserSessions", false, ""},
        {"EndColumn_RowmereDomain", false, ""},
        {"EndColumn_RowmereAuthUsers", true, "%%RemoveColumn%%"},
        {"EndColumn_Other", false, ""},
        {"ColumnCount_HPU[3]", false, "2"},
        {"ColumnCount_HDADI[5]", false, "3"},
        {"ColumnCount_X[4]", false, "4"},
        {"BeginShortDescription", true, "%%BookMarkColumn%%"},
        {"EndShortDescription", true, "%%RemoveColumn%%"},
        {"BeginLongDescription", true, "%%BookMarkColumn%%"},
        {"EndLongDescription", false, ""},
        {"BottomOfFile_", true, ""},
        {"OstrevanePath", false, "C:\\out"},
        {"MSWordAutoExitOrNot", false, ""},
        {"MSWordAutoPrintOrNot", true, ""},
        {"MSWordProgressWindow", false, ""},
    };
    for (const auto& c : cases)
        Check(c);
}

// Guards the period tables: the template lists rows for the most intervals a
// run can have, and only the run's own intervals stay.
TEST_F(LayoutKeywords, PeriodRowsStayForTheRunsIntervalsOnly) {
    const struct {
        WORD count;
        LayoutCase row;
    } cases[] = {
        {7, {"BeginLine_Interval[0]", true, "%%BookMarkLine%%"}},
        {7, {"EndLine_Interval[0]", false, ""}},
        {7, {"EndLine_Interval[6]", false, ""}},
        {7, {"EndLine_Interval[7]", true, "%%RemoveLine%%"}},
        {20, {"EndLine_Interval[19]", false, ""}},
        {20, {"EndLine_Interval[20]", true, "%%RemoveLine%%"}},
        {32, {"EndLine_Interval[31]", false, ""}},
        {0, {"EndLine_Interval[0]", true, "%%RemoveLine%%"}},
    };
    for (const auto& c : cases) {
        run->Intervals.Count = c.count;
        Check(c.row);
    }
}

TEST_F(LayoutKeywords, ServerLinesStayForSeveralServersAndPagesSwitch) {
    profile.Servers.dwCount = 2;
    run->Output->Style.LongDescription = 0;
    Check({"EndLine_TopCountriesServerName2Sorted[1,1]", false, ""});
    Check({"EndShortDescription", false, ""});
    Check({"EndLongDescription", true, "%%RemoveColumn%%"});
    Check({"TopOfFile_GeneralStats", true, "%%TopOfFile%%"});
    EXPECT_STREQ(run->Output->NextPageName, "GeneralStats");
    strcpy(run->Output->OutputPath, "C:rep.doc");
    Check({"OstrevanePath", false, "C:"});
    strcpy(run->Output->OutputPath, "rep.doc");
    Check({"OstrevanePath", false, "rep.doc"});
}

} // namespace

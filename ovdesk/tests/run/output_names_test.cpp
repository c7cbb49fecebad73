// Report output names: date macros, relative names and default extensions.
#include <gtest/gtest.h>

#include "desk_run_fixture.h"
#include "desk_services.h"
#include "report_run/output_names.h"

namespace {

time_t LocalTime(int year, int month, int day, int hour) {
    struct tm when = {};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = day;
    when.tm_hour = hour;
    when.tm_isdst = -1;
    return mktime(&when);
}

TEST(OutputNames, DateMacrosExpandAgainstTheirBaseTime) {
    const time_t march15 = LocalTime(2026, 3, 15, 9);
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"%date-1%report%day%.htm", "report14.htm"},
        {"%date-1%%yday%-%dd%.htm", "14-14.htm"},
        {"%date-10%%yday%.htm", "14.htm"}, // "%yday%" is always yesterday
        {"r%YYYY%%mm%%DD%.htm", "r20260315.htm"},
        {"%year%-%yyear%-%mon%.htm", "26-26-Mar.htm"},
        {"%hour%h.htm", "09h.htm"},
        {"100%.htm", "100%.htm"}, // a "%" that starts no macro stays
        {"a%date-2", "a"},        // a shift without its closing "%" runs to the end
        {"%unknown%.htm", "%unknown%.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char name[OUTPUT_NAME_MACRO_SIZE];
        lstrcpyA(name, c.name);
        ExpandOutputNameMacrosAt(name, march15);
        EXPECT_STREQ(name, c.expected);
    }
}

TEST(OutputNames, NamesFindTheirFolderAndExtension) {
    desktest::DeskInstall& desk = desktest::Desk();
    const std::string reports = desk.Install().Root() + "Reports\\Web Analysis\\";
    struct Case {
        const char* name;
        std::string expected;
    } cases[] = {
        {"weekly", reports + "weekly.HTM"},
        {"weekly.txt", reports + "weekly.txt"},
        {"d:\\keep\\weekly", "d:\\keep\\weekly.HTM"},
        {"d:\\keep.d\\weekly", "d:\\keep.d\\weekly.HTM"}, // a dot in a folder is no extension
        {"d:/keep/weekly.htm", "d:/keep/weekly.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char name[MAX_PATH];
        lstrcpyA(name, c.name);
        PlaceReportInReportsDir(name, ".HTM", REPORTS_SUBFOLDER);
        EXPECT_EQ(std::string(name), c.expected);
    }
    EXPECT_TRUE(ovtest::FileExistsAt(reports));

    char relative[MAX_PATH] = ".\\weekly.htm";
    ResolveRelativeReportPath(relative, REPORTS_SUBFOLDER);
    EXPECT_EQ(std::string(relative), reports + "weekly.htm");
    char absolute[MAX_PATH] = "c:\\x\\.\\weekly.htm";
    ResolveRelativeReportPath(absolute, REPORTS_SUBFOLDER);
    EXPECT_STREQ(absolute, "c:\\x\\.\\weekly.htm");

    char folder[MAX_PATH];
    EXPECT_EQ(std::string(MakeDefaultReportsDir(folder)),
              desk.Install().Root() + "REPORTS\\Web Analysis");
}

TEST(OutputNames, ShortNamesAndNumberedCopies) {
    struct Case {
        const char* name;
        const char* extension;
        int shortName;
    } cases[] = {{"REPORT", ".HTM", 1},
                 {"REPORT.HTML", ".HTM", 0},
                 {"LONGERNAME.HTM", ".HTM", 0},
                 {"NOEXT", nullptr, 0},
                 {"c:\\a.b\\REPORT", "HTM", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char name[MAX_PATH];
        lstrcpyA(name, c.name);
        EXPECT_EQ(IsShortFileName(name, c.extension), c.shortName);
    }

    desktest::DeskInstall& desk = desktest::Desk();
    std::string base = desk.Install().Root() + "access";
    ovtest::WriteFileBytes(base + ".log", "current");
    ovtest::WriteFileBytes(base + ".004", "older");
    ASSERT_EQ(RotateNumberedFile((base + ".log").c_str()), 1);
    EXPECT_EQ(ovtest::ReadFileBytes(base + ".005"), "current");
    EXPECT_FALSE(ovtest::FileExistsAt(base + ".log"));
}

} // namespace

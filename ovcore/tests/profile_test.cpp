#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include <cstring>
#include <string>

namespace {

// A profile with servers, a filter and one database-report section.
AnalysisProfile* FilledProfile() {
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->Description, "Main site");
    ServerList_AddServer(&p->Servers, "web1", "c:\\logs\\a.log", "u", "w");
    AddFilterToProfile(CreateNewIncludeFilter(), p, -1);
    p->RowmereIP = AllocRowmere();
    strcpy(p->RowmereIP->RowmereDSN, "dsn");
    p->RowmereIP->lpColumns = AllocRowmereData();
    return p;
}

} // namespace

TEST(Profile, NewHoldsTheDefaults) {
    AnalysisProfile* p = AnalysisProfile_New();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Version, 4);
    EXPECT_EQ(p->SourceFlags, SOURCE_PLAIN);
    EXPECT_EQ(p->wReserved1, 0);
    EXPECT_EQ(p->wReserved2, 33);
    EXPECT_EQ(p->wReserved4, 33);
    EXPECT_EQ(p->Servers.dwCount, 0u);
    EXPECT_EQ(p->LogFiles.wcNumFiles, 0);
    EXPECT_EQ(p->Filters, nullptr);
    EXPECT_EQ(p->RowmereIP, nullptr);
    EXPECT_STREQ(p->BaseName, "");
    AnalysisProfile_Free(p);
    AnalysisProfile_Free(nullptr);
}

TEST(Profile, CopyIsDeepAndStartsWithoutClientData) {
    AnalysisProfile* src = FilledProfile();
    int clientBlock = 0;
    src->ClientData = &clientBlock;
    src->LogSizeKB = 77;
    src->wRangeCode = 5;
    AnalysisProfile* copy = AnalysisProfile_New();
    ASSERT_EQ(AnalysisProfile_CopyNonRuntime(copy, src), 1);
    EXPECT_EQ(copy->ClientData, nullptr);
    EXPECT_EQ(copy->LogSizeKB, 77u); // run-time fields are copied as they stand
    EXPECT_EQ(copy->wRangeCode, 5);
    EXPECT_STREQ(copy->Description, "Main site");
    EXPECT_EQ(ServerList_IsEqual(&copy->Servers, &src->Servers), 1);
    EXPECT_NE(copy->Filters, src->Filters);
    EXPECT_NE(copy->RowmereIP, src->RowmereIP);
    ASSERT_NE(copy->RowmereAuthUser, nullptr); // a copy always holds both sections
    AnalysisProfile_Free(copy);
    // The source keeps everything it owned.
    ASSERT_NE(src->Filters, nullptr);
    EXPECT_EQ(src->Filters->Directory->lpszText[0], '/');
    EXPECT_STREQ(src->RowmereIP->RowmereDSN, "dsn");
    EXPECT_EQ(ServerList_Count(&src->Servers), 1u);
    AnalysisProfile_Free(src);
}

TEST(Profile, CopyOntoAProfileReplacesWhatItHeld) {
    AnalysisProfile* src = AnalysisProfile_New();
    AnalysisProfile* target = FilledProfile();
    AddFilterToProfile(CreateNewExcludeFilter(), target, -1);
    ASSERT_EQ(AnalysisProfile_CopyNonRuntime(target, src), 1);
    EXPECT_EQ(target->Filters, nullptr);
    EXPECT_EQ(ServerList_Count(&target->Servers), 0u);
    EXPECT_STREQ(target->RowmereIP->RowmereDSN, "");
    AnalysisProfile_Free(target);
    AnalysisProfile_Free(src);
}

// Copying onto itself used to free the source before reading it.
TEST(Profile, CopyOntoItselfChangesNothing) {
    AnalysisProfile* p = FilledProfile();
    ProfileFilter* filters = p->Filters;
    EXPECT_EQ(AnalysisProfile_CopyNonRuntime(p, p), 1);
    EXPECT_EQ(p->Filters, filters);
    EXPECT_EQ(ServerList_Count(&p->Servers), 1u);
    AnalysisProfile_Free(p);
}

TEST(Profile, CopyEndsTextsWithinTheirFields) {
    AnalysisProfile* src = AnalysisProfile_New();
    memset(src->BaseName, 'x', sizeof src->BaseName); // no terminator
    memset(src->LogOwner, 'y', sizeof src->LogOwner);
    AnalysisProfile* copy = AnalysisProfile_New();
    AnalysisProfile_CopyNonRuntime(copy, src);
    EXPECT_EQ(std::string(copy->BaseName), std::string(31, 'x'));
    EXPECT_EQ(std::string(copy->LogOwner), std::string(99, 'y'));
    AnalysisProfile_Free(copy);
    AnalysisProfile_Free(src);
}

TEST(Profile, IsItAnIPAddr) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"", 0},          {"10.0.0.1", 1}, {"10.0.0", 0},    {"abc.def", 0},
                 {"999.1.1.1", 1}, {"1..2.3", 1},   {"1.2.3.4.5", 0}, {"1.2.3.x", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsItAnIPAddr(c.text), c.expected);
    }
    EXPECT_EQ(IsItAnIPAddr(nullptr), 0);
}

// The embedded file-information record used to carry alignment gaps, which
// moved every later field of the shared profile record.
TEST(AnalysisProfile, EmbeddedFileInfoHasNoGaps) {
    const size_t fields =
        5 * sizeof(DWORD) + 6 * sizeof(WORD) + 2 * sizeof(ULONGLONG) + 3 * sizeof(void*);
    EXPECT_EQ(sizeof(FileInfo), fields);
    EXPECT_EQ(offsetof(AnalysisProfile, SourceFlags),
              offsetof(AnalysisProfile, LogFiles) + sizeof(FileInfo));
}

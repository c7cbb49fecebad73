// Paths through the site of a stored day renumbered into a report's pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/analysis_tables.h"
#include "history/top_paths.h"

namespace {

struct Table {
    AnalysisTable t{};
    explicit Table(const std::vector<std::string>& names) {
        t.dwSize = ANALYSIS_TABLE_SIZE;
        t.dwVersion = ANALYSIS_VERSION;
        InitTable(nullptr, &t, 0);
        for (const auto& name : names)
            AddTableItem(&t, name.c_str());
    }
    ~Table() { FreeTableItems(&t, TABLE_KIND_PLAIN); }
    std::string Name(DWORD i) const { return t.lpItems[i]->ovString; }
};

TEST(TopPathsTest, StoredPathsTakeTheReportsPageNumbers) {
    // Period pages: documents 0-3, forms 0-2; the report knows them under
    // other numbers, and one document not at all.
    Table periodDocs({"/p0", "/p1", "/p2", "/p3"}), periodForms({"/f0", "/f1", "/f2"});
    Table reportDocs({"/x", "/p2", "/p1", "/y", "/z", "/w", "/v", "/p3"});
    Table reportForms({"/g", "/f2"});
    Table paths({
        "0000000300010002", // document 3 then form 2
        "0000000100000002", // documents 1 and 2 trade numbers
        "0000000000000003", // /p0 is not in the report
        "00000003abc",      // trailing characters are left alone
    });
    RenumberPagePaths(&reportDocs.t, &reportForms.t, &periodDocs.t, &periodForms.t, &paths.t);
    EXPECT_EQ("0000000700010001", paths.Name(0));
    EXPECT_EQ("0000000200000001", paths.Name(1));
    EXPECT_EQ("0000000000000007", paths.Name(2));
    EXPECT_EQ("00000007abc", paths.Name(3));
}

} // namespace

// Report graphs: the points a graph settings text takes from a table, the
// names of its files, and the graph keyword drawn through the charting
// library and converted through the imaging library beside the report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/gsw_binding.h"
#include "core/message_sink.h"
#include "graphs/graph_files.h"
#include "graphs/graph_points.h"
#include "core/vic32_binding.h"
#include "ovcore/registration.h"
#include "write/summary_error.h"
#include "keywords/table_keywords.h"
#include "keywords/table_values.h"
#include "tables/item_intervals.h"
#include "report_keywords_fixture.h"
#include "settings/install_folder.h"
#include "temp_install.h"
#include "write/report_output.h"

namespace {

TableCall CallOn(KeywordRun& r, int number) {
    TableCall c = {};
    c.run = r.run;
    c.table = &r.tables[number];
    c.number = number;
    c.kind = TableKindOfNumber(number);
    c.order = TABLE_ROWS_FROM_START;
    c.prefix = "Top";
    return c;
}

GraphRequest Request(const char* spec) {
    GraphRequest g;
    EXPECT_EQ(ParseGraphSpec(spec, &g, 0), 1) << spec;
    return g;
}

TEST(GraphSpec, ReadsTheSizeAndTheTypeWords) {
    const struct {
        const char* text;
        int type;
        DWORD size, threeD, total;
    } cases[] = {
        {"PIES=5, {T}, 2D, Items {x}, Hits {y}, 0-9, Total", 3, 25, 0, 1},
        {"LINES, {T}, 3D, Items {x}, Hits {y}, 0-9", 5, 100, 1, 0},
        {"TAPE=150, {T}, 3D, Items {x}, Hits {y}, 0-9", 5, 150, 1, 0},
        {"AREA, {T}, 3D, Items {x}, Hits {y}, 0-9, ff00", 4, 100, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        GraphRequest g = Request(c.text);
        EXPECT_EQ(g.GraphType, c.type);
        EXPECT_EQ(g.Size, c.size);
        EXPECT_EQ(g.ThreeD, c.threeD);
        EXPECT_EQ(g.Total, c.total);
    }
}

TEST(GraphPoints, TakeTheRowsOfTheRangeAtMostFifty) {
    KeywordRun r;
    for (int i = 0; i < 200; ++i)
        r.Add(TopDocuments, ("/p" + std::to_string(i)).c_str(), 1 + i % 3);
    r.Add(TopBrowsers, "Idle", 0); // a table without hits
    const struct {
        const char* spec;
        int table;
        bool drawn;
        int count;
        double first;      // value of the first point
        const char* label; // of the first point
    } cases[] = {
        {"BARS, {t}, 3D, Items {x}, Hits {y}, 0-99", TopDocuments, true, 50, 1, "1. /p0"},
        {"BARS, {t}, 3D, Items {x}, Hits {y}, 190-250", TopDocuments, true, 10, 2, "191. /p190"},
        {"BARS, {t}, 3D, Items {x}, Hits {y}, 0-9, Total", TopDocuments, true, 11, 399, "Total"},
        {"BARS, {t}, 3D, Items {x}, Hits {y}, 4-4, Total", TopDocuments, true, 1, 2, "5. /p4"},
        // A pie's total is the part of the table it does not show.
        {"PIE, {t}, 3D, Items {x}, Hits {y}, 0-2, Total", TopDocuments, true, 4, 393, " Others"},
        {"PIE, {t}, 3D, Items {x}, Users {y}, 0-1", TopDocuments, true, 2, 0, " /p0"},
        {"BARS, {t}, 3D, Items {x}, Percent {y}, 0-9", TopBrowsers, true, 1, 0, "1. Idle"},
        {"BARS, {t}, 3D, Items {x}, Hits {y}, 5-2", TopDocuments, false, 0, 0, ""},
        {"BARS, {t}, 3D, Items {x}, Hits {y}, 200-210", TopDocuments, false, 0, 0, ""},
        {"BARS, {t}, 3D, Items {x}, Hits {y}, 0-9", TopCountries, false, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        GraphPoints p;
        ASSERT_EQ(BuildGraphPoints(CallOn(r, c.table), Request(c.spec), &p), c.drawn);
        if (!c.drawn)
            continue;
        EXPECT_EQ(p.count, c.count);
        EXPECT_DOUBLE_EQ(p.values[0], c.first);
        EXPECT_STREQ(p.labels[0], c.label);
    }
}

// A pie of every row has no empty slice for the rest.
TEST(GraphPoints, APieOfEveryRowHasNoRestSlice) {
    KeywordRun r;
    r.Add(TopBrowsers, "A", 3);
    r.Add(TopBrowsers, "B", 1);
    GraphPoints p;
    ASSERT_TRUE(BuildGraphPoints(CallOn(r, TopBrowsers),
                                 Request("PIE, {t}, 3D, Items {x}, Percent {y}, 0-9, Total"), &p));
    ASSERT_EQ(p.count, 2);
    EXPECT_DOUBLE_EQ(p.values[0], 75.0);
    EXPECT_STREQ(p.labels[1], " B");
}

// Guards the timeline's range: it was clamped by the rows, not the intervals.
TEST(GraphPoints, ATimelineTakesTheIntervalsOfItsFirstRow) {
    KeywordRun r;
    r.run->Intervals.Count = 4;
    AnalysisItem* item = r.Add(TopDocuments, "/a", 0);
    for (DWORD k = 0; k < 4; ++k)
        *ItemHitSlot(item, k) = 10 * (k + 1);
    GraphPoints p;
    ASSERT_TRUE(BuildGraphPoints(CallOn(r, TopDocuments),
                                 Request("BARS, {t}, 3D, Timeline {x}, Hits {y}, 0-30"), &p));
    ASSERT_EQ(p.count, 4);
    EXPECT_DOUBLE_EQ(p.values[3], 40.0);
}

TEST(GraphFiles, NamesTheFilesOfAGraph) {
    ovtest::TempInstall install;
    InstallFolder_SetFromFileName((install.Root() + "ovkit.dll").c_str());
    std::string temp = install.Root() + "reports\\Web Analysis\\TempGraphFiles\\";
    const struct {
        const char* output;
        DWORD number;
        int format;
        const char* bitmap;
        const char* final;
    } cases[] = {
        {"C:\\site\\week.htm", 1, GRAPH_FORMAT_GIF, "week01.bmp", "C:\\site\\week01.gif"},
        {"C:\\site\\week.htm", 12, GRAPH_FORMAT_JPEG, "week12.bmp", "C:\\site\\week12.jpg"},
        {"C:\\site\\week.doc", 3, GRAPH_FORMAT_METAFILE, "week03.wmf", "C:\\site\\week03.wmf"},
        // A dot in a folder's name is not the file's extension.
        {"C:\\site.v2\\week", 1, GRAPH_FORMAT_GIF, "week01.bmp", "C:\\site.v2\\week01.gif"},
        {"C:\\site\\a.b.htm", 1, GRAPH_FORMAT_GIF, "a.b01.bmp", "C:\\site\\a.b01.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        GraphFiles f;
        ASSERT_EQ(GetTempGraphFolder(c.output, c.number, c.format, &f), 1);
        EXPECT_EQ(f.bitmap, temp + c.bitmap);
        EXPECT_STREQ(f.final, c.final);
    }
    EXPECT_NE(GetFileAttributesA(temp.c_str()), INVALID_FILE_ATTRIBUTES);
    InstallFolder_Reset();
}

struct StatusLog {
    static std::vector<std::string> lines;
    static int CALLBACK Hear(int kind, const char* text, int flag) {
        lines.push_back(std::to_string(kind) + "|" + text + "|" + std::to_string(flag));
        return 1;
    }
};
std::vector<std::string> StatusLog::lines;

// The first bytes of a file, or "" when it is missing.
std::string Head(const std::string& path, size_t n) {
    return ovtest::ReadFileBytes(path).substr(0, n);
}

// The width of a GIF file, from its screen descriptor.
int GifWidth(const std::string& path) {
    std::string bytes = Head(path, 8);
    return bytes.size() < 8 ? 0 : (unsigned char)bytes[6] | (unsigned char)bytes[7] << 8;
}

// A report run with graphing on, in a throw-away install: the keyword's
// value, its files and what the status callback heard.
struct GraphRun {
    ovtest::TempInstall install;
    KeywordRun r;
    std::string folder = install.Root() + "out\\";
    std::string temp = install.Root() + "reports\\Web Analysis\\TempGraphFiles\\";

    GraphRun() {
        Engine_SetUnattended(TRUE);
        InstallFolder_SetFromFileName((install.Root() + "ovkit.dll").c_str());
        CreateDirectoryA(folder.c_str(), NULL);
        lstrcpyA(r.run->Output->OutputPath, (folder + "week.htm").c_str());
        for (int i = 0; i < 12; ++i)
            r.Add(TopDocuments, ("/page" + std::to_string(i) + ".html").c_str(), 20 - i);
        InitGSWLibrary(1, NULL);
        StatusLog::lines.clear();
        ClearSummaryError();
    }
    ~GraphRun() {
        ReleaseGSWLibrary(1);
        InstallFolder_Reset();
        Engine_SetUnattended(FALSE);
    }
    std::string Value(const char* keyword) {
        char value[KEYWORD_VALUE_SIZE];
        DWORD flag = 0;
        EvaluateHeaderKeyword(nullptr, r.run, keyword, value, sizeof value, &flag, StatusLog::Hear);
        return value;
    }
    bool TempIsEmpty() {
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((temp + "*.*").c_str(), &found);
        bool empty = true;
        if (h != INVALID_HANDLE_VALUE) {
            do
                empty = empty && found.cFileName[0] == '.';
            while (FindNextFileA(h, &found));
            FindClose(h);
        }
        return empty;
    }
};

const char kPages[] = "TopDocumentsGraph[BARS, {Pages}, 3D, Items {Page}, Hits {Hits}, 0-9]";

TEST(GraphKeyword, WritesAGifAJpegOrAMetafileBesideTheReport) {
    const struct {
        DWORD format, fullPath;
        const char* name;
        const char* magic;
    } cases[] = {
        {GRAPH_FORMAT_GIF, 0, "week01.gif", "GIF89a"},
        {GRAPH_FORMAT_JPEG, 0, "week01.jpg", "\xFF\xD8\xFF"},
        {GRAPH_FORMAT_METAFILE, 1, "week01.wmf", "\xD7\xCD\xC6\x9A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GraphRun g;
        ASSERT_TRUE(ORB_IsGraphingAvailable());
        g.r.run->Output->Style.GraphType = (WORD)c.format;
        g.r.run->Output->Style.FullPath = c.fullPath;
        std::string final = g.folder + c.name;
        EXPECT_EQ(g.Value(kPages), c.fullPath ? final : std::string(c.name));
        EXPECT_EQ(Head(final, strlen(c.magic)), c.magic);
        EXPECT_TRUE(g.TempIsEmpty()); // no bitmap or copy is left behind
        EXPECT_STREQ(SummaryErrorText(), "");
        // The progress text, then the image for delivery.
        ASSERT_EQ(StatusLog::lines.size(), 3u);
        EXPECT_EQ(StatusLog::lines[1], "0|Creating TopDocuments Graph -> " +
                                           (c.fullPath ? final : std::string(c.name)) + "|0");
        EXPECT_EQ(StatusLog::lines[2], "1|" + final + "|1");
    }
}

// Guards the graphs' size: the base size was scaled again for every graph,
// so that each came out smaller than the one before; and the size per cent
// had no bound.
TEST(GraphKeyword, EveryGraphHasItsOwnSizeAndTheSameBase) {
    GraphRun g;
    ASSERT_TRUE(ORB_IsGraphingAvailable());
    EXPECT_EQ(g.Value(kPages), "week01.gif");
    EXPECT_EQ(g.Value(kPages), "week02.gif");
    int width = GifWidth(g.folder + "week01.gif");
    EXPECT_GT(width, 100);
    EXPECT_EQ(GifWidth(g.folder + "week02.gif"), width);
    g.Value("TopDocumentsGraph[BARS=400, {Pages}, 3D, Items {Page}, Hits {Hits}, 0-9]");
    g.Value("TopDocumentsGraph[BARS=5000, {Pages}, 3D, Items {Page}, Hits {Hits}, 0-9]");
    EXPECT_NEAR(GifWidth(g.folder + "week03.gif"), 4 * width, 2);
    EXPECT_EQ(GifWidth(g.folder + "week04.gif"), GifWidth(g.folder + "week03.gif"));
}

TEST(GraphKeyword, YieldsNothingForAMalformedTextAnEmptyRangeOrAnEmptyTable) {
    GraphRun g;
    for (const char* keyword :
         {"TopDocumentsGraph[BARS, {Pages}, 4D, Items {Page}, Hits {Hits}, 0-9]",
          "TopDocumentsGraph[BARS, {Pages}, 3D, Items {Page}, Hits {Hits}, 9-3]",
          "TopBrowsersGraph[BARS, {B}, 3D, Items {B}, Hits {Hits}, 0-9]"}) {
        SCOPED_TRACE(keyword);
        EXPECT_EQ(g.Value(keyword), "");
    }
    EXPECT_EQ(g.Value(kPages), "week01.gif"); // nothing was counted for them
}

TEST(GraphKeyword, WithoutTheLibrariesTheReportGoesOnWithTheirErrors) {
    {
        GswBinding_SetLibraryName("NOGSW32.dll");
        LONG errors = Engine_ErrorCount();
        GraphRun g;
        GswBinding_SetLibraryName(NULL);
        EXPECT_FALSE(ORB_IsGraphingAvailable());
        EXPECT_GT(Engine_ErrorCount(), errors); // said once, through the error display
        EXPECT_EQ(g.Value(kPages), "");
    }
    {
        Vic32_SetLibraryName("NOVIC32.DLL");
        GraphRun g;
        EXPECT_EQ(g.Value(kPages), "week01.gif");
        Vic32_SetLibraryName(NULL);
        EXPECT_NE(std::string(SummaryErrorText()).find(g.folder + "week01.gif"), std::string::npos)
            << SummaryErrorText();
        EXPECT_EQ(GetFileAttributesA((g.folder + "week01.gif").c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(g.TempIsEmpty());
        for (const std::string& line : StatusLog::lines)
            EXPECT_NE(line.rfind("1|", 0), 0u) << line; // no image to deliver
    }
}

} // namespace

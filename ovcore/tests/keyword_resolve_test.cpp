// Keyword resolution: values written to the report file, layout markers
// answered with their action codes, short writes.
#include <gtest/gtest.h>

#include <string>

#include "write/output_names.h"
#include "report_keywords_fixture.h"
#include "temp_install.h"
#include "write/report_output.h"

namespace {

// A temporary report file, read back whole.
struct ReportFile {
    char path[MAX_PATH];
    HANDLE handle;
    explicit ReportFile(DWORD access = GENERIC_READ | GENERIC_WRITE) {
        char folder[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "kw", 0, path);
        handle = CreateFileA(path, access, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    }
    ~ReportFile() {
        CloseHandle(handle);
        DeleteFileA(path);
    }
    std::string Text() {
        std::string text;
        char bytes[4096];
        DWORD read = 0;
        SetFilePointer(handle, 0, nullptr, FILE_BEGIN);
        while (ReadFile(handle, bytes, sizeof(bytes), &read, nullptr) && read)
            text.append(bytes, read);
        return text;
    }
};

TEST(KeywordResolve, ValuesAreWrittenAndMarkersAnsweredWithTheirCode) {
    KeywordRun r;
    r.run->Period.Hits[0] = 12345;
    lstrcpyA(r.run->Output->ReportTitle, "LANG_STR<Title> & 'co' stays");
    g_ReportTableKeywords[TopDocuments].Empty = 1;
    struct {
        const char* keyword;
        WORD result;
        const char* written;
        DWORD marker;
        int action;
    } cases[] = {
        {"HeaderTotalHits", 6, "12,345", 0, 0},
        // Text is written escaped.
        {"TitleLogDescription", 46, "LANG_STR&lt;Title&gt; &amp; &#39;co&#39; stays", 0, 0},
        {"NoSuchKeyword", 0, "", 0, 0},
        {"TopDocumentsBeginSection", 0, "", 1, LAYOUT_BOOKMARK},
        // As templates write them: the settings in brackets behind the marker.
        {"TopDocumentsBeginSection[TABLE,{<TopDocumentsTC>}]", 0, "", 1, LAYOUT_BOOKMARK},
        {"GeneralStatsBeginSection[TEXT,{<GeneralStatsTC>}]", 0, "", 1, LAYOUT_BOOKMARK},
        {"TopDocumentsEndSection", 0, "", 1, LAYOUT_REMOVE},
        {"BeginLine_x", 0, "", 1, LAYOUT_BOOKMARK_LINE},
        {"EndLine_TopCountriesDesc[1,1]", 0, "", 1, LAYOUT_REMOVE_LINE},
        {"BeginColumn_x", 0, "", 1, LAYOUT_BOOKMARK_COLUMN},
        {"EndColumn_Hits", 0, "", 1, LAYOUT_REMOVE_COLUMN},
        {"TopDocumentsBeginChapter", 0, "", 1, LAYOUT_BOOKMARK_CHAPTER},
        {"TopDocumentsEndChapter", 0, "", 1, LAYOUT_REMOVE_CHAPTER},
        {"TopOfFile_next.htm", 0, "", 1, LAYOUT_TOP_OF_FILE},
        {"GeneralStatsEndChapter", 0, "", 1, LAYOUT_KEEP},
        {"BottomOfFile_", 0, "", 1, LAYOUT_KEEP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyword);
        ReportFile file;
        DWORD marker = 0;
        int action = 0;
        EXPECT_EQ(c.result, ResolveTemplateKeyword(nullptr, file.handle, c.keyword, r.run, &marker,
                                                   &action, nullptr));
        EXPECT_EQ(c.written, file.Text());
        EXPECT_EQ(c.marker, marker);
        EXPECT_EQ(c.action, action);
    }
}

// Guards log text in the report: a row name is written escaped and whole,
// however far its escaped form outgrows the writer's pieces.
TEST(KeywordResolve, RowNamesAreWrittenEscapedAndWhole) {
    KeywordRun r;
    std::string name = "/a<script>x</script>&" + std::string(3000, '<');
    r.Add(TopDocuments, name.c_str(), 1);
    std::string escaped = "/a&lt;script&gt;x&lt;/script&gt;&amp;";
    for (int i = 0; i < 3000; ++i)
        escaped += "&lt;";
    ReportFile file;
    DWORD marker = 0;
    int action = 0;
    EXPECT_EQ(escaped.size(), ResolveTemplateKeyword(nullptr, file.handle, "TopDocumentsDesc[0]",
                                                     r.run, &marker, &action, nullptr));
    EXPECT_EQ(escaped, file.Text());
}

TEST(KeywordResolve, ShortWriteReturnsFFFF) {
    KeywordRun r;
    r.run->Period.Hits[0] = 7;
    ReportFile file(GENERIC_READ);
    DWORD marker = 0;
    int action = 0;
    EXPECT_EQ(0xFFFF, ResolveTemplateKeyword(nullptr, file.handle, "HeaderTotalHits", r.run,
                                             &marker, &action, nullptr));
}

// Guards the contents script of a framed report, which grows with the
// pages: longer than the 8,192-byte value buffer, it is written whole, and
// the page list it reads grows with the pages.
TEST(KeywordResolve, LongContentsScriptIsWrittenWhole) {
    KeywordRun r;
    ovtest::TempInstall install;
    std::string page;
    for (int i = 0; i < 300; ++i)
        page += "<a name=\"a" + std::to_string(i) + "\"><!--Chapter::Item " + std::to_string(i) +
                "--></a>\r\n";
    const int pages = 40;
    for (int i = 0; i < pages; ++i) {
        std::string name = "page" + std::to_string(i) + std::string(150, 'x') + ".htm";
        install.Write(name, i == 0 ? page : "");
        ASSERT_EQ(AppendPageName(r.run, install.Path(name).c_str()), 1);
    }
    int listed = 0;
    for (const char* p = r.run->Output->PageList; *p; p += strlen(p) + 1)
        ++listed;
    EXPECT_EQ(listed, pages);

    r.run->Output->Writer.FrameMode = TRUE;
    ReportFile file;
    DWORD marker = 0;
    int action = 0;
    WORD written = ResolveTemplateKeyword(nullptr, file.handle, "TableOfContentsData", r.run,
                                          &marker, &action, nullptr);
    EXPECT_GT(written, KEYWORD_VALUE_SIZE);
    EXPECT_EQ(written, GetFileSize(file.handle, nullptr));
    EXPECT_EQ(marker, 0u); // the resolver's own flag: not a layout marker
    free(r.run->Output->PageList);
    r.run->Output->PageList = nullptr;
}

} // namespace

#include <gtest/gtest.h>
#include "../src/report_page/template_text.h"
#include "msgbox_watcher.h"
#include "ovkit/report_page.h"
#include "temp_install.h"
#include <string>

using ovtest::TempInstall;

namespace {

std::string Var(const char* name, const std::string& file) {
    char value[OVKIT_VAR_VALUE_SIZE] = "junk";
    if (!OVKIT_GetVarData(name, value, file.c_str()))
        return value[0] ? "<not cleared>" : "<none>";
    return value;
}

} // namespace

TEST(VariableFile, LooksNamesUpInTheirExactCase) {
    TempInstall install;
    ASSERT_TRUE(install.Write("eng.rpl", "<Title>{Weekly report}\r\nnoise <b>{B}\r\n<a>{A}<e>{}"));
    ASSERT_TRUE(install.Write("fre.rpl", "<Title>{Rapport hebdomadaire}"));
    std::string english = install.Path("eng.rpl"), french = install.Path("fre.rpl");
    EXPECT_EQ(Var("Title", english), "Weekly report");
    EXPECT_EQ(Var("title", english), "<none>");
    EXPECT_EQ(Var("Missing", english), "<none>");
    EXPECT_EQ(Var("a", english), "A");
    EXPECT_EQ(Var("e", english), "");
    EXPECT_EQ(Var("Title", french), "Rapport hebdomadaire") << "another file is loaded first";
    EXPECT_EQ(Var("a", french), "<none>");

    ovtest::MsgBoxWatcher boxes;
    std::string missing = install.Path("none.rpl");
    EXPECT_FALSE(OVKIT_ReadVarData(missing.c_str()));
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].caption, "Ostrevane");
    EXPECT_EQ(boxes.Seen()[0].text,
              "Failed to load the language/style file\r\n\"" + missing + "\"");
}

TEST(ReportStyle, DefaultsAndBounds) {
    TempInstall install;
    std::string ini = install.BaseIni();
    OVKIT_ReportStyle style;
    OVKIT_ReadStyleColors(&style, "Style", ini.c_str());
    EXPECT_STREQ(style.pageBackground, "#80FFFF");
    EXPECT_STREQ(style.tableFrame, "#000000");
    EXPECT_STREQ(style.tableFont, "Arial");
    EXPECT_STREQ(style.logoFile, "ovlogoss.gif");
    EXPECT_STREQ(style.numberAlignment, "CENTER");
    EXPECT_TRUE(style.tableColumns[0] && style.tableColumns[1] && style.tableColumns[2]);
    EXPECT_FALSE(style.tableColumns[3]);
    EXPECT_EQ(style.sortBy, 1);
    EXPECT_EQ(style.frameWidth, 1);

    ASSERT_TRUE(install.Write("ostrevan.ini", "[Style]\r\n"
                                              "Page Background Color=123456789\r\n"
                                              "Logo Filename=\r\n"
                                              "Table Columns=31\r\n"
                                              "Number Alignment=JUSTIFIED\r\n"
                                              "Long Description=1\r\n"));
    OVKIT_ReadStyleColors(&style, "Style", ini.c_str());
    // Guards the colour field: a long value once ran past its 8 bytes.
    EXPECT_STREQ(style.pageBackground, "#123456");
    EXPECT_STREQ(style.pageText, "#000000");
    EXPECT_STREQ(style.logoFile, "ovlogoss.gif") << "an empty logo name";
    EXPECT_FALSE(style.tableColumns[0]);
    EXPECT_TRUE(style.tableColumns[1] && style.tableColumns[3]);
    EXPECT_STREQ(style.numberAlignment, "JUSTIFI");
    EXPECT_EQ(style.longDescription, 1);
}

TEST(TemplateFilling, DescriptionBlocks) {
    const struct {
        const char* text;
        const char* drop;
        const char* result;
    } cases[] = {
        {"a%%BeginLongDescription%%L%%EndLongDescription%%b%%BeginShortDescription%%S"
         "%%EndShortDescription%%c",
         "Short", "aLbc"},
        {"a%%BeginLongDescription%%L%%EndLongDescription%%b%%BeginShortDescription%%S"
         "%%EndShortDescription%%c",
         "Long", "abSc"},
        {"x%%beginlongdescription%%L%%ENDLONGDESCRIPTION%%y", "Long", "xy"},
        {"%%OtherDescription%% stays", "Long", "%%OtherDescription%% stays"},
        // Guards the lone Begin marker: once everything behind it was lost.
        {"a%%BeginLongDescription%%rest of the page", "Long", "arest of the page"},
        {"no markers", "Long", "no markers"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OvkitDropDescription(c.text, c.drop), c.result) << c.text;
}

TEST(TemplateFilling, LanguageAndStyleValues) {
    TempInstall install;
    ASSERT_TRUE(install.Write("eng.rpl", "<Title>{Weekly report}"));
    ASSERT_TRUE(install.Write("style.ini", "[S]\r\nOdd Row Background Color=111111\r\n"
                                           "Even Row Background Color=222222\r\n"
                                           "Frame Width=3\r\nLong Description=1\r\n"));
    ASSERT_TRUE(install.Write(
        "page.rpl",
        "<h1>LANG_STR<Title></h1>LANG_STR<Nope>|%%Style_RepeatRowBackgroundColor[3]%%"
        "|%%style_repeatrowbackgroundcolor[4]%%|%%Style_FrameWidth%%|%%Style_Unknown%%"
        "|%%Style_BackgroundColor%%|%%BeginShortDescription%%short%%EndShortDescription%%"
        "%%BeginLongDescription%%long%%EndLongDescription%%"));
    std::string out = install.Path("out.htm");
    ASSERT_TRUE(OVKIT_RplAndStyleReplacement(install.Path("page.rpl").c_str(),
                                             install.Path("eng.rpl").c_str(), "S",
                                             install.Path("style.ini").c_str(), out.c_str()));
    EXPECT_EQ(ovtest::ReadFileBytes(out), "<h1>Weekly report</h1>|#111111|#222222|3||#80FFFF|long");

    ovtest::MsgBoxWatcher boxes;
    EXPECT_FALSE(
        OVKIT_RplAndStyleReplacement(install.Path("none.rpl").c_str(), "", "S", "", out.c_str()));
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].caption, "Load Error");
}

TEST(TableOfContents, RowsForEveryAnchorOfEveryPage) {
    TempInstall install;
    ASSERT_TRUE(install.Write("r\\one.htm", "<OV_TOC>Weekly</OV_TOC>\r\n"
                                            "<a name=\"top\"> <!--Top of page-->\r\n"
                                            "<a name=\"hits\">\r\n<!--not this line-->"));
    ASSERT_TRUE(install.Write("r\\two.htm", "<a name=\"x\"><!--X-->"));
    std::string list = install.Path("r\\one.htm") + '\0' + install.Path("r\\two.htm") + '\0';
    std::string out = install.Path("toc.htm");
    ASSERT_TRUE(
        OVKIT_GenerateTocHtml(list.c_str(), "main", "S", install.BaseIni().c_str(), out.c_str()));
    const std::string row = "<TR><TD VALIGN=TOP><FONT SIZE=1 FACE=\"ARIAL,HELVETICA\"><B>&#149</B>"
                            "</TD><TD><FONT SIZE=1 FACE=\"ARIAL,HELVETICA\"><A HREF=\"";
    EXPECT_EQ(ovtest::ReadFileBytes(out),
              "<HTML>\r\n<HEAD>\r\n<TITLE>Ostrevane TOC of Report Page</TITLE>\r\n</HEAD>\r\n"
              "<BODY BGCOLOR=\"#80FFFF\">\r\n"
              "<FONT SIZE=3 FACE=\"ARIAL,HELVETICA\" COLOR=\"#000000\" ><b>Weekly</b></FONT>\r\n"
              "<BR>\r\n<BR>\r\n<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>\r\n" +
                  row + "one.htm#top\" TARGET=\"main\"><b>Top of page</b></A></FONT></TD></TR>" +
                  row + "one.htm#hits\" TARGET=\"main\"><b></b></A></FONT></TD></TR>" + row +
                  "two.htm#x\" TARGET=\"main\"><b>X</b></A></FONT></TD></TR>"
                  "</TABLE>\r\n</BODY>\r\n</HTML>");

    // A title-less first page, and a long anchor that no fixed row buffer holds.
    std::string anchor(3000, 'a');
    ASSERT_TRUE(install.Write("r\\three.htm", "<a name=\"" + anchor + "\">"));
    list = install.Path("r\\three.htm") + '\0';
    ASSERT_TRUE(
        OVKIT_GenerateTocHtml(list.c_str(), "main", "S", install.BaseIni().c_str(), out.c_str()));
    std::string toc = ovtest::ReadFileBytes(out);
    EXPECT_NE(toc.find("<b>Table of Contents</b>"), std::string::npos);
    EXPECT_NE(toc.find("three.htm#" + anchor + "\""), std::string::npos);

    ovtest::MsgBoxWatcher boxes;
    list = install.Path("r\\two.htm") + '\0' + install.Path("r\\gone.htm") + '\0';
    EXPECT_FALSE(
        OVKIT_GenerateTocHtml(list.c_str(), "main", "S", install.BaseIni().c_str(), out.c_str()));
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].text, "Cannot Load " + install.Path("r\\gone.htm") + " file");
    EXPECT_NE(ovtest::ReadFileBytes(out).find("two.htm#x"), std::string::npos)
        << "what was written stays";
}

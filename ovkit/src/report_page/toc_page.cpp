#include "ovkit/report_page.h"
#include "ovkit/ui_helpers.h"
#include "report_output.h"
#include "template_text.h"
#include <cstring>

namespace {

std::string Between(const std::string& text, size_t from, const char* open, const char* close,
                    size_t limit) {
    size_t start = text.find(open, from);
    if (start == std::string::npos || start >= limit)
        return std::string();
    start += std::strlen(open);
    size_t end = text.find(close, start);
    if (end == std::string::npos || end > limit)
        return std::string();
    return text.substr(start, end - start);
}

std::string Heading(const std::string& page, const OVKIT_ReportStyle& style) {
    size_t open = page.find("OV_TOC>");
    size_t close = open == std::string::npos ? open : page.find("</OV_TOC", open + 7);
    std::string title =
        close == std::string::npos ? "Table of Contents" : page.substr(open + 7, close - open - 7);
    return "<FONT SIZE=3 FACE=\"ARIAL,HELVETICA\" COLOR=\"" + std::string(style.pageText) +
           "\" ><b>" + title + "</b></FONT>\r\n<BR>\r\n<BR>\r\n" +
           "<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>\r\n";
}

// One row per anchor, each built to its own length.
std::string Rows(const std::string& page, const std::string& name, const char* frame) {
    std::string rows;
    for (size_t at = page.find("<a name"); at != std::string::npos;
         at = page.find("<a name", at + 1)) {
        OVKIT_MyPeekMessage();
        size_t quote = page.find('"', at);
        size_t quoteEnd = quote == std::string::npos ? quote : page.find('"', quote + 1);
        std::string anchor = quoteEnd == std::string::npos
                                 ? std::string()
                                 : page.substr(quote + 1, quoteEnd - quote - 1);
        size_t lineEnd = page.find_first_of("\r\n", at);
        if (lineEnd == std::string::npos)
            lineEnd = page.size();
        std::string title = Between(page, at, "<!--", "-->", lineEnd);
        rows += "<TR><TD VALIGN=TOP><FONT SIZE=1 FACE=\"ARIAL,HELVETICA\"><B>&#149</B></TD><TD>"
                "<FONT SIZE=1 FACE=\"ARIAL,HELVETICA\"><A HREF=\"" +
                name + "#" + anchor + "\" TARGET=\"" + frame + "\"><b>" + title +
                "</b></A></FONT></TD></TR>";
    }
    return rows;
}

std::string PageName(const char* path) {
    const char* slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

} // namespace

BOOL OVKIT_CALL OVKIT_GenerateTocHtml(const char* pages, const char* targetFrame,
                                      const char* styleSection, const char* styleFile,
                                      const char* outputPath) {
    if (!pages || !outputPath)
        return FALSE;
    if (!targetFrame)
        targetFrame = "";
    OVKIT_ReportStyle style;
    OVKIT_ReadStyleColors(&style, styleSection, styleFile);
    OvkitOutputFile out(outputPath);
    if (!out.IsOpen()) {
        OvkitReportBox("Cannot Create %s file", outputPath, "Create Error");
        return FALSE;
    }
    out.Write("<HTML>\r\n<HEAD>\r\n<TITLE>Ostrevane TOC of Report Page</TITLE>\r\n</HEAD>\r\n");
    out.Write("<BODY BGCOLOR=\"" + std::string(style.pageBackground) + "\">\r\n");
    bool first = true;
    for (const char* path = pages; *path; path += std::strlen(path) + 1) {
        std::string page;
        if (!OvkitLoadPage(path, page))
            return FALSE;
        if (first)
            out.Write(Heading(page, style));
        first = false;
        out.Write(Rows(page, PageName(path), targetFrame));
    }
    bool done = out.Write("</TABLE>\r\n</BODY>\r\n</HTML>");
    out.Finish();
    return done;
}

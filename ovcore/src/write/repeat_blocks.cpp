// Repeat blocks of a kept chapter: the body between "%%%BeginRepeat%%%" and
// "%%%EndRepeat...%" is written once per row (and column) of its section,
// "^" becoming the row's number from 1 and "~" the row's table index.
#include "template_text.h"
#include <stdio.h>

namespace report {
namespace {

const char kBegin[] = "%%%BeginRepeat%%%";
const char kEnd[] = "%%%EndRepeat";

std::string BodyLine(const std::string& body, int row, int index, int column, bool columns) {
    std::string line;
    char number[32];
    for (char c : body) {
        if (c == '\r' || c == '\n')
            continue;
        if (c == '^') {
            snprintf(number, sizeof number, "%d", row + 1);
            line += number;
        } else if (c == '~') {
            if (columns)
                snprintf(number, sizeof number, "%d,%d", index, column);
            else
                snprintf(number, sizeof number, "%d", index);
            line += number;
        } else {
            line += c;
        }
    }
    return line;
}

void WriteBlock(const TemplateSection& s, const std::string& body, std::string& out) {
    int columns = s.Columns;
    for (int r = 0; r < s.Rows; ++r)
        for (int c = 0; c < (columns ? columns : 1); ++c)
            AppendTemplateLine(out, BodyLine(body, r, s.First + r, c, columns != 0));
}

// Position just past an end marker at pos: its closing percent signs and
// the line end right after them.
size_t AfterEndMarker(const std::string& text, size_t pos) {
    size_t p = text.find('%', pos + sizeof kEnd - 1);
    if (p == std::string::npos)
        return text.size();
    while (p < text.size() && text[p] == '%')
        ++p;
    // The marker's own line end goes with it.
    if (p < text.size() && text[p] == '\r')
        ++p;
    if (p < text.size() && text[p] == '\n')
        ++p;
    return p;
}

} // namespace

int ExpandRepeatBlocks(const TemplateSection& section, const std::string& chapter,
                       std::string& out) {
    size_t begin = chapter.find(kBegin);
    if (begin == std::string::npos) {
        AppendTemplateLine(out, chapter);
        return 0;
    }
    size_t pos = 0;
    while (begin != std::string::npos) {
        AppendTemplateLine(out, chapter.substr(pos, begin - pos));
        size_t bodyStart = begin + sizeof kBegin - 1;
        size_t end = chapter.find(kEnd, bodyStart);
        // An unclosed block repeats the rest of the chapter.
        size_t bodyEnd = end == std::string::npos ? chapter.size() : end;
        WriteBlock(section, chapter.substr(bodyStart, bodyEnd - bodyStart), out);
        pos = end == std::string::npos ? chapter.size() : AfterEndMarker(chapter, end);
        begin = chapter.find(kBegin, pos);
    }
    AppendTemplateLine(out, chapter.substr(pos));
    return 1;
}

} // namespace report

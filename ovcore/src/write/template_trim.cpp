// TrimTemplateText: keeps the head, the chapters with at least one chosen
// section, and the tail of a template. Chapters run from a "BeginChapter"
// line to the next "EndChapter" line, sections from a "BeginSection" line to
// the next "EndSection" line; text between chapters, and between sections,
// is left out. A template without chapters is one chapter.
#include "template_text.h"
#include <string.h>
#include <vector>

namespace report {
namespace {

typedef std::vector<std::string> Lines;

const char kBeginSection[] = "BeginSection";

size_t FindNoCase(const std::string& text, const char* word) {
    size_t n = strlen(word);
    for (size_t i = 0; i + n <= text.size(); ++i)
        if (_strnicmp(text.c_str() + i, word, n) == 0)
            return i;
    return std::string::npos;
}

bool Has(const std::string& line, const char* word) {
    return FindNoCase(line, word) != std::string::npos;
}

Lines SplitLines(const std::string& text) {
    Lines lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        size_t stop = end == std::string::npos ? text.size() : end;
        size_t len = stop - pos;
        if (len && text[stop - 1] == '\r')
            --len;
        lines.push_back(text.substr(pos, len));
        pos = stop + 1;
    }
    return lines;
}

// The section list's entry for a "BeginSection" line: same name without
// case and same kind; null when the line has no percent pair before the
// marker, the name is too long, or nothing matches.
const TemplateSection* MatchSection(const std::string& line, const TemplateSection* sections,
                                    int count) {
    size_t marker = FindNoCase(line, kBeginSection);
    size_t open = line.rfind("%%", marker);
    if (open == std::string::npos)
        return nullptr;
    size_t nameEnd = marker + sizeof kBeginSection - 1;
    std::string name = line.substr(open + 2, nameEnd - open - 2);
    if (name.size() > kMarkerNameMax)
        return nullptr;
    // One separator character, then the settings with their kind word.
    std::string settings = nameEnd + 1 < line.size() ? line.substr(nameEnd + 1) : "";
    int kind = GetTemplateItemKind(settings.c_str());
    for (int i = 0; i < count; ++i) {
        const TemplateSection& s = sections[i];
        std::string listed(s.Name, strnlen(s.Name, sizeof s.Name));
        if (s.Kind == kind && _stricmp(listed.c_str(), name.c_str()) == 0)
            return &s;
    }
    return nullptr;
}

struct Range {
    size_t begin, end; // lines [begin, end)
    bool closed;       // the last line is the "EndChapter" line
    bool marked;       // begins with a "BeginChapter" line
};

void AddLines(std::string& text, const Lines& lines, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i)
        text += lines[i] + "\r\n";
}

// One part of a kept chapter and the entry whose numbers expand its repeat
// blocks: a kept section's own, or (null) the chapter's last kept one for
// the text around the sections.
struct Piece {
    std::string text;
    const TemplateSection* entry;
};

void AddPiece(std::vector<Piece>& pieces, const Lines& lines, size_t begin, size_t end,
              const TemplateSection* entry) {
    if (begin >= end)
        return;
    pieces.push_back({std::string(), entry});
    AddLines(pieces.back().text, lines, begin, end);
}

// Each section's repeat blocks take that section's rows and columns, so that
// sections of one chapter with different numbers each get their own.
void TrimChapter(const Lines& lines, const Range& chapter, const TemplateSection* sections,
                 int count, std::string& out) {
    std::vector<Piece> pieces;
    const TemplateSection* kept = nullptr;
    bool anySection = false;
    size_t sectionLimit = chapter.closed ? chapter.end - 1 : chapter.end;
    size_t k = chapter.begin;
    while (k < sectionLimit && !Has(lines[k], kBeginSection))
        ++k;
    AddPiece(pieces, lines, chapter.begin, k, nullptr);
    size_t afterLast = k;
    while (k < sectionLimit) {
        if (!Has(lines[k], kBeginSection)) {
            ++k;
            continue;
        }
        anySection = true;
        size_t end = k + 1;
        while (end < sectionLimit && !Has(lines[end], "EndSection"))
            ++end;
        // A section without its end runs to the end of the chapter.
        end = end < sectionLimit ? end + 1 : sectionLimit;
        const TemplateSection* entry = MatchSection(lines[k], sections, count);
        if (entry && entry->Include) {
            AddPiece(pieces, lines, k, end, entry);
            kept = entry;
        }
        k = afterLast = end;
    }
    AddPiece(pieces, lines, afterLast, chapter.end, nullptr);
    if (kept) {
        for (const Piece& piece : pieces)
            ExpandRepeatBlocks(piece.entry ? *piece.entry : *kept, piece.text, out);
    } else if (!anySection && !chapter.marked) {
        for (const Piece& piece : pieces)
            out += piece.text; // a template without chapters or sections stays whole
    }
}

std::vector<Range> FindChapters(const Lines& lines) {
    std::vector<Range> chapters;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!Has(lines[i], "BeginChapter"))
            continue;
        size_t end = i + 1;
        while (end < lines.size() && !Has(lines[end], "EndChapter"))
            ++end;
        bool closed = end < lines.size();
        chapters.push_back({i, closed ? end + 1 : lines.size(), closed, true});
        i = chapters.back().end - 1;
    }
    return chapters;
}

// The report is trimmed on the user-interface thread: keep its windows alive.
void LetMessagesRun() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

void AppendTemplateLine(std::string& out, const std::string& text) {
    size_t len = text.size();
    while (len && (text[len - 1] == '\r' || text[len - 1] == '\n'))
        --len;
    out.append(text, 0, len);
    out += "\r\n";
}

std::string TrimTemplateText(const std::string& text, const TemplateSection* sections, int count) {
    Lines lines = SplitLines(text);
    std::vector<Range> chapters = FindChapters(lines);
    std::string out;
    if (chapters.empty()) {
        TrimChapter(lines, {0, lines.size(), false, false}, sections, count, out);
        return out;
    }
    AddLines(out, lines, 0, chapters.front().begin);
    for (const Range& chapter : chapters) {
        LetMessagesRun();
        TrimChapter(lines, chapter, sections, count, out);
    }
    AddLines(out, lines, chapters.back().end, lines.size());
    return out;
}

} // namespace report

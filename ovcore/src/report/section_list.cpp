// The sections of a report template, for the report-contents page: one
// record per "BeginSection" marker with its kind, title variable and the
// numbers that trimming repeats its rows by.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/template_io.h"
#include "ovcore/report_template.h"
#include "ovcore/report_writer.h"

namespace {

bool EndsWith(const std::string& text, const char* tail) {
    size_t n = strlen(tail);
    return text.size() >= n && _stricmp(text.c_str() + text.size() - n, tail) == 0;
}

void CopyBounded(char* out, size_t size, const std::string& text) {
    lstrcpynA(out, text.c_str(), (int)size);
}

// The text between "{" and "}" of the settings, and the name between "<"
// and ">" within it.
std::string TitleVariable(const std::string& settings) {
    size_t open = settings.find('{');
    size_t close = open == std::string::npos ? open : settings.find('}', open);
    if (close == std::string::npos)
        return "";
    std::string field = settings.substr(open + 1, close - open - 1);
    size_t lt = field.find('<');
    size_t gt = lt == std::string::npos ? lt : field.find('>', lt);
    return gt == std::string::npos ? "" : field.substr(lt + 1, gt - lt - 1);
}

// Up to three numbers separated by commas filling the whole settings text
// (up to "]"); none when any field is not a number.
std::vector<int> BracketNumbers(const std::string& settings) {
    std::vector<int> numbers;
    size_t at = 0;
    size_t end = settings.find(']');
    std::string list = settings.substr(0, end);
    while (at <= list.size()) {
        size_t comma = list.find(',', at);
        std::string field =
            list.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        char* stop = NULL;
        long value = strtol(field.c_str(), &stop, 10);
        if (field.empty() || *stop || numbers.size() == 3)
            return {};
        numbers.push_back((int)value);
        if (comma == std::string::npos)
            break;
        at = comma + 1;
    }
    return numbers;
}

// The graph type word of a graph specification ("BARS=50, {...}, 3D, ...").
const struct {
    const char* word;
    WORD type;
} kGraphWords[] = {{"STACKEDBAR", 0}, {"BAR", 1},     {"ZBAR", 2},
                   {"PIE", 3},        {"AREA", 4},    {"LINE", 5},
                   {"TAPE", 5},       {"SIDEBAR", 6}, {"SIDESTACKEDBAR", 7}};

// Graph type, last row and 3D flag of a graph marker's specification.
void ReadGraphSpec(const std::string& settings, TemplateSection& record) {
    std::string word = settings.substr(0, settings.find_first_of(",="));
    while (!word.empty() && word[0] == ' ')
        word.erase(0, 1);
    record.GraphType = 2;
    for (const auto& g : kGraphWords)
        if (_strnicmp(word.c_str(), g.word, strlen(g.word)) == 0) {
            record.GraphType = g.type;
            break;
        }
    size_t brace = settings.find('}');
    size_t dimension = brace == std::string::npos ? brace : settings.find(',', brace);
    size_t word3 =
        dimension == std::string::npos ? dimension : settings.find_first_not_of(' ', dimension + 1);
    record.ThreeD = word3 == std::string::npos || _strnicmp(settings.c_str() + word3, "2D", 2) != 0;
    size_t dash = settings.find('-', brace == std::string::npos ? 0 : brace);
    if (dash != std::string::npos)
        record.Rows = (WORD)strtol(settings.c_str() + dash + 1, NULL, 10);
}

struct SectionScan {
    std::vector<TemplateSection> records;
    bool open = false;

    void Marker(const std::string& marker, bool lineEndFollows) {
        size_t bracket = marker.find('[');
        std::string name = marker.substr(0, bracket);
        std::string settings = bracket == std::string::npos ? "" : marker.substr(bracket + 1);
        if (name.size() < 10 || _strnicmp(name.c_str(), "DebugStats", 10) == 0)
            return;
        if (EndsWith(name, "BeginSection")) {
            TemplateSection record = {};
            CopyBounded(record.Name, sizeof record.Name, name);
            CopyBounded(record.TitleVariable, sizeof record.TitleVariable, TitleVariable(settings));
            record.Kind = (WORD)GetTemplateItemKind(settings.c_str());
            records.push_back(record);
            open = true;
            return;
        }
        if (!open)
            return;
        TemplateSection& record = records.back();
        if (EndsWith(name, "EndSection")) {
            open = !lineEndFollows;
        } else if (EndsWith(name, "Graph")) {
            ReadGraphSpec(settings, record);
        } else if (!EndsWith(name, "%EndRepeat")) {
            std::vector<int> n = BracketNumbers(settings);
            if (n.size() == 1) {
                record.First = 0, record.Rows = (WORD)n[0], record.Columns = 0;
            } else if (n.size() >= 2) {
                record.First = (WORD)n[0], record.Rows = (WORD)n[1];
                record.Columns = n.size() == 3 ? (WORD)n[2] : 0;
            }
        }
    }

    void Scan(const std::string& text) {
        size_t at = 0;
        for (;;) {
            size_t open = text.find("%%", at);
            if (open == std::string::npos)
                return;
            size_t close = text.find("%%", open + 2);
            if (close == std::string::npos)
                return; // an unclosed marker ends the scan
            size_t after = close + 2;
            bool lineEnd = after >= text.size() || text[after] == '\r' || text[after] == '\n';
            Marker(text.substr(open + 2, close - open - 2), lineEnd);
            at = after;
        }
    }
};

// The text between "<OVHDR>" and "</OVHDR>", without regard to case.
std::string HeaderText(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        c = (char)toupper((unsigned char)c);
    size_t open = upper.find("<OVHDR>");
    size_t close = open == std::string::npos ? open : upper.find("</OVHDR>", open);
    return close == std::string::npos ? "" : text.substr(open + 7, close - open - 7);
}

} // namespace

ORB_EXPORT(int)
ORB_ReadTemplateSectionList(const char* path, WORD* count, HGLOBAL* block, char* header) {
    *count = 0;
    *block = NULL;
    DWORD error = 0;
    HANDLE file = OpenTemplateFile(path, GENERIC_READ, &error);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    std::string text;
    bool read = ReadWholeFile(file, text);
    CloseHandle(file);
    if (!read)
        return 0;
    if (header)
        CopyBounded(header, MAX_PATH, HeaderText(text));
    SectionScan scan;
    scan.Scan(text);
    if (scan.records.empty())
        return 1;
    if (scan.records.size() > 0xFFFF)
        return 0;
    size_t bytes = scan.records.size() * sizeof(TemplateSection);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    void* locked = memory ? GlobalLock(memory) : NULL;
    if (!locked) {
        if (memory)
            GlobalFree(memory);
        return 0;
    }
    memcpy(locked, scan.records.data(), bytes);
    GlobalUnlock(memory);
    *block = memory;
    *count = (WORD)scan.records.size();
    return 1;
}

// The sections of a report template, for the report-contents page: one
// record per "BeginSection" marker with its kind, title variable and the
// numbers that trimming repeats its rows by.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "ovcore/designer_template.h"
#include "ovcore/report_template.h"
#include "ovcore/report_writer.h"
#include "template_markers.h"
#include "ovkit/text_copy.h"

namespace {

// The name between "<" and ">" in the field between "{" and "}".
std::string TitleVariable(const std::string& settings) {
    std::string field = BracedField(settings);
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

struct SectionScan {
    std::vector<TemplateSection> records;
    bool open = false;

    void Marker(const TemplateMarker& m) {
        const std::string& name = m.name;
        const std::string& settings = m.settings;
        bool lineEndFollows = m.lineEndFollows;
        if (name.size() < 10 || _strnicmp(name.c_str(), "DebugStats", 10) == 0)
            return;
        if (MarkerNameEndsWith(name, "BeginSection")) {
            TemplateSection record = {};
            OvkitCopyText(record.Name, sizeof record.Name, name.c_str());
            OvkitCopyText(record.TitleVariable, sizeof record.TitleVariable,
                          TitleVariable(settings).c_str());
            record.Kind = (WORD)GetTemplateItemKind(settings.c_str());
            records.push_back(record);
            open = true;
            return;
        }
        if (!open)
            return;
        TemplateSection& record = records.back();
        if (MarkerNameEndsWith(name, "EndSection")) {
            open = !lineEndFollows;
        } else if (MarkerNameEndsWith(name, "Graph")) {
            GraphRequest graph;
            if (ParseGraphSpec(settings.c_str(), &graph, 0)) {
                record.GraphType = graph.GraphType;
                record.Rows = graph.Last;
                record.ThreeD = graph.ThreeD;
            }
        } else if (!MarkerNameEndsWith(name, "%EndRepeat")) {
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
        ForEachTemplateMarker(text, [this](const TemplateMarker& m) { Marker(m); });
    }
};

} // namespace

ORB_EXPORT(int)
ORB_ReadTemplateSectionList(const char* path, WORD* count, HGLOBAL* block, char* header) {
    *count = 0;
    *block = NULL;
    std::string text;
    if (!ReadTemplateText(path, text))
        return 0;
    if (header)
        OvkitCopyText(header, MAX_PATH, TemplateHeaderText(text).c_str());
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

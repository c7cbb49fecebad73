// The whole template is scanned at once, so a token is never cut by a read
// and nothing is read past the text.
#include "old_template.h"
#include "ovcore/report_template.h"
#include <ctype.h>
#include <stdlib.h>
#include <string.h>

static bool EndsWith(const std::string& s, const char* tail) {
    size_t n = strlen(tail);
    return s.size() >= n && _stricmp(s.c_str() + s.size() - n, tail) == 0;
}

static bool StartsWith(const std::string& s, const char* head) {
    return _strnicmp(s.c_str(), head, strlen(head)) == 0;
}

static std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

int GraphTypeOfWord(const std::string& word) {
    static const struct {
        const char* Prefix;
        int Type;
    } kTypes[] = {{"STACKEDBAR", 0}, {"BAR", 1},     {"ZBAR", 2},
                  {"PIE", 3},        {"AREA", 4},    {"LINE", 5},
                  {"TAPE", 5},       {"SIDEBAR", 6}, {"SIDESTACKEDBARS", 7}};
    for (const auto& t : kTypes)
        if (StartsWith(word, t.Prefix))
            return t.Type;
    return 2;
}

// The arguments between "[" and "]", split at commas outside braces.
static std::vector<std::string> Arguments(const std::string& token) {
    std::vector<std::string> fields;
    size_t open = token.find('[');
    if (open == std::string::npos)
        return fields;
    std::string field;
    int depth = 0;
    for (size_t i = open + 1; i < token.size() && !(token[i] == ']' && depth == 0); ++i) {
        char c = token[i];
        depth += c == '{' ? 1 : c == '}' && depth > 0 ? -1 : 0;
        if (c == ',' && depth == 0) {
            fields.push_back(Trim(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(Trim(field));
    return fields;
}

static bool HasBraced(const std::string& field) {
    size_t open = field.find('{');
    return open != std::string::npos && field.find('}', open) != std::string::npos;
}

// Reads the graph fields in order; the first one missing or not as shown
// ends the reading, and what was read stays.
static void ReadGraph(const std::vector<std::string>& f, OldSection* s) {
    if (f.empty() || f[0].empty())
        return;
    s->GraphType = GraphTypeOfWord(f[0]);
    if (f.size() < 2 || !HasBraced(f[1]))
        return;
    if (f.size() < 3 || (_stricmp(f[2].c_str(), "3D") != 0 && _stricmp(f[2].c_str(), "2D") != 0))
        return;
    s->ThreeD = _stricmp(f[2].c_str(), "3D") == 0;
    if (f.size() < 4 || !(StartsWith(f[3], "Timeline") || StartsWith(f[3], "Items")) ||
        !HasBraced(f[3]))
        return;
    if (f.size() < 5 || !HasBraced(f[4]))
        return;
    if (f.size() < 6 || !isdigit((unsigned char)f[5].c_str()[0]))
        return;
    char* rest = nullptr;
    s->Start = s->End = (int)strtol(f[5].c_str(), &rest, 10);
    if (*rest == '-')
        s->End = (int)strtol(rest + 1, nullptr, 10);
}

static int RepeatCount(const std::vector<std::string>& f) {
    return f.size() >= 2 ? atoi(f[1].c_str()) : 0;
}

std::vector<OldSection> ReadOldReportTemplate(const std::string& text, int* dropped) {
    std::vector<OldSection> sections;
    OldSection open;
    bool isOpen = false;
    *dropped = 0;
    size_t at = 0;
    while ((at = text.find("%%", at)) != std::string::npos) {
        size_t close = text.find("%%", at + 2);
        if (close == std::string::npos)
            break;
        std::string token = text.substr(at + 2, close - at - 2);
        at = close + 2;
        std::string name = token.substr(0, token.find('['));
        if (name.size() <= 9)
            continue;
        std::vector<std::string> args = Arguments(token);
        if (EndsWith(name, "BeginSection")) {
            open = OldSection();
            open.Name = name.substr(0, 100);
            open.Kind = GetTemplateItemKind(args.empty() ? "" : args[0].c_str());
            isOpen = true;
        } else if (EndsWith(name, "EndSection") && isOpen) {
            isOpen = false;
            if (sections.size() < MAX_OLD_SECTIONS)
                sections.push_back(open);
            else
                ++*dropped;
        } else if (EndsWith(name, "%EndRepeat") && isOpen) {
            open.Elements = RepeatCount(args);
        } else if (EndsWith(name, "Graph") && isOpen) {
            ReadGraph(args, &open);
        }
    }
    return sections;
}

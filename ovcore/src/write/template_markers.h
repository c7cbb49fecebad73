// Walking the markers of a template text held in memory (the section and
// item lists of the contents page and template designers).
#pragma once
#include <string>

struct TemplateMarker {
    std::string name;     // up to the first "["
    std::string settings; // after the "[", up to the closing pair
    size_t start;         // of the opening pair
    size_t settingsStart; // offset of settings in the text
    size_t end;           // after the closing pair
    size_t lineStart;     // of the marker's line
    bool lineEndFollows;  // the closing pair ends the line
};

// Calls visit(marker) for each marker in order; an unclosed marker ends the
// walk.
template <class Visit> void ForEachTemplateMarker(const std::string& text, Visit visit) {
    size_t at = 0;
    for (;;) {
        size_t open = text.find("%%", at);
        size_t close = open == std::string::npos ? open : text.find("%%", open + 2);
        if (close == std::string::npos)
            return;
        TemplateMarker m;
        std::string body = text.substr(open + 2, close - open - 2);
        size_t bracket = body.find('[');
        m.name = body.substr(0, bracket);
        m.settings = bracket == std::string::npos ? "" : body.substr(bracket + 1);
        m.start = open;
        m.settingsStart = bracket == std::string::npos ? close : open + 2 + bracket + 1;
        m.end = close + 2;
        size_t lineEnd = text.rfind('\n', open);
        m.lineStart = lineEnd == std::string::npos ? 0 : lineEnd + 1;
        m.lineEndFollows = m.end >= text.size() || text[m.end] == '\r' || text[m.end] == '\n';
        visit(m);
        at = m.end;
    }
}

// The text between "<OVHDR>" and "</OVHDR>" (without case); empty when the
// tags are missing. *from and *to, when given, receive its bounds.
std::string TemplateHeaderText(const std::string& text, size_t* from = nullptr,
                               size_t* to = nullptr);

// The whole template file (waiting a moment while an editor holds it);
// false when it cannot be opened or read.
bool ReadTemplateText(const char* path, std::string& text);

// Whether name ends in tail, without case.
bool MarkerNameEndsWith(const std::string& name, const char* tail);
// The field between "{" and "}" of settings; empty when missing.
std::string BracedField(const std::string& settings);

// The graph settings of a template's graph marker.
#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "ovcore/designer_template.h"
#include "ovcore/logread.h"

namespace {

std::string Trim(const std::string& text) {
    size_t from = text.find_first_not_of(" \t\r\n");
    if (from == std::string::npos)
        return "";
    size_t to = text.find_last_not_of(" \t\r\n");
    return text.substr(from, to - from + 1);
}

bool Starts(const std::string& text, const char* word) {
    return _strnicmp(text.c_str(), word, strlen(word)) == 0;
}

// Walks the text token by token; a missing delimiter fails.
struct Cursor {
    const std::string& text;
    size_t at = 0;
    char ended = 0; // the delimiter that ended the last token

    bool Token(const char* delimiters, std::string& out) {
        size_t end = text.find_first_of(delimiters, at);
        if (end == std::string::npos)
            return false;
        out = text.substr(at, end - at);
        ended = text[end];
        at = end + 1;
        return true;
    }
    bool SkipTo(char c) {
        size_t end = text.find(c, at);
        if (end == std::string::npos)
            return false;
        at = end + 1;
        return true;
    }
    bool Braced(char* out) {
        std::string field;
        if (!SkipTo('{') || !Token("}", field))
            return false;
        lstrcpynA(out, Trim(field).c_str(), 100);
        return true;
    }
};

const struct {
    const char* word;
    BYTE type;
} kTypes[] = {{"STACKEDBAR", 0}, {"BAR", 1},  {"ZBAR", 2},    {"PIE", 3},           {"AREA", 4},
              {"LINE", 5},       {"TAPE", 5}, {"SIDEBAR", 6}, {"SIDESTACKEDBAR", 7}};

bool ReadType(std::string word, GraphRequest* g) {
    size_t equals = word.rfind('=');
    if (equals != std::string::npos) {
        g->Size = (DWORD)strtoul(word.substr(equals + 1, 20).c_str(), NULL, 10);
        if (g->Size < 10)
            g->Size = 25;
        word = word.substr(0, equals);
    }
    word = Trim(word);
    for (const auto& t : kTypes)
        if (Starts(word, t.word)) {
            g->GraphType = t.type;
            return true;
        }
    return false;
}

bool ReadDataKind(const std::string& word, GraphRequest* g) {
    if (Starts(word, "Per") || Starts(word, "%"))
        g->DataKind = 1;
    else if (Starts(word, "User"))
        g->DataKind = 2;
    else if (Starts(word, "Hit"))
        g->DataKind = 0;
    else if (Starts(word, "Byt"))
        g->DataKind = 3;
    else
        return false;
    return true;
}

// The optional colour and total words after the last row.
bool ReadEnd(Cursor& c, GraphRequest* g) {
    std::string word;
    if (c.ended == ',') {
        if (!c.Token(":]", word) || Trim(word).empty())
            return true;
        if (Starts(Trim(word), "Total")) {
            g->Total = 1;
            return true;
        }
        g->Color = strtoul(Trim(word).c_str(), NULL, 16);
    }
    if (c.ended != ':' || !c.Token("]", word))
        return true;
    word = Trim(word);
    if (_stricmp(word.c_str(), "No Total") == 0)
        g->Total = 0;
    else if (_stricmp(word.c_str(), "Total") == 0)
        g->Total = 1;
    else
        return false;
    return true;
}

} // namespace

ORB_EXPORT(int) ParseGraphSpec(const char* text, GraphRequest* g, int logFormat) {
    memset(g, 0, sizeof *g);
    g->GraphType = 2;
    g->ThreeD = g->Timeline = 1;
    g->First = g->Last = 0xFFFF;
    g->Size = 100;
    g->Color = 0xFF0F;
    std::string settings = text ? std::string(text) + "]" : "";
    bool logOnly = logFormat == LOGFMT_REFERRER || logFormat == LOGFMT_AGENT;
    Cursor c{settings};
    std::string word, first, last;
    if (!c.Token(",", word) || !ReadType(word, g) || !c.Braced(g->Title))
        return 0;
    if (logOnly)
        g->GraphType = 1;
    if (!c.SkipTo(',') || !c.Token(",", word))
        return 0;
    word = Trim(word);
    if (_stricmp(word.c_str(), "3D") != 0 && _stricmp(word.c_str(), "2D") != 0)
        return 0;
    g->ThreeD = _stricmp(word.c_str(), "3D") == 0;
    if (!c.Token("{", word))
        return 0;
    word = Trim(word);
    if (!Starts(word, "Timeline") && !Starts(word, "Items"))
        return 0;
    g->Timeline = !logOnly && Starts(word, "Timeline");
    c.at -= 1; // the "{" opens the label
    if (!c.Braced(g->AxisLabel) || !c.SkipTo(',') || !c.Token("{", word) ||
        !ReadDataKind(Trim(word), g))
        return 0;
    if (logOnly)
        g->DataKind = 0;
    c.at -= 1;
    if (!c.Braced(g->DataLabel) || !c.SkipTo(',') || !c.Token("-", first) || !c.Token(",:]", last))
        return 0;
    g->First = logOnly ? 0 : (WORD)strtoul(Trim(first).c_str(), NULL, 10);
    g->Last = logOnly ? 9 : (WORD)strtoul(Trim(last).c_str(), NULL, 10);
    return ReadEnd(c, g) ? 1 : 0;
}

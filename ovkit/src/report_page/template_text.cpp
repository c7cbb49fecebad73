#include "ovkit/ui_helpers.h"
#include "template_text.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kDescription[] = "Description%%";
const size_t kDescriptionLength = sizeof kDescription - 1;

bool StartsNoCase(const std::string& text, const char* prefix) {
    return _strnicmp(text.c_str(), prefix, std::strlen(prefix)) == 0;
}

// The style value of a key, by exact name (any case) first.
std::string StyleValue(const std::string& key, const OVKIT_ReportStyle& s) {
    struct Named {
        const char* key;
        const char* value;
    };
    const Named named[] = {
        {"BackgroundColor", s.pageBackground},
        {"StandardTextColor", s.pageText},
        {"SectionBackgroundColor", s.sectionBackground},
        {"SectionTextColor", s.sectionText},
        {"TitleBackgroundColor", s.titleBackground},
        {"TitleTextColor", s.titleText},
        {"SubTitleBackgroundColor", s.subTitleBackground},
        {"SubTitleTextColor", s.subTitleText},
        {"OddRowBackgroundColor", s.oddRowBackground},
        {"OddRowTextColor", s.oddRowText},
        {"EvenRowBackgroundColor", s.evenRowBackground},
        {"EvenRowTextColor", s.evenRowText},
        {"TableFrameColor", s.tableFrame},
        {"BackgroundPicture", s.backgroundFile},
        {"LogoFile", s.logoFile},
        {"StandardFontName", s.standardFont},
        {"SectionFontName", s.sectionFont},
        {"TitleFontName", s.titleFont},
        {"SubTitleFontName", s.subTitleFont},
        {"TableFontName", s.tableFont},
    };
    for (const Named& n : named)
        if (_stricmp(key.c_str(), n.key) == 0)
            return n.value;
    const struct {
        const char* name;
        const char* even;
        const char* odd;
    } repeats[] = {{"RepeatRowBackgroundColor[", s.evenRowBackground, s.oddRowBackground},
                   {"RepeatRowTextColor[", s.evenRowText, s.oddRowText}};
    for (const auto& r : repeats) {
        size_t at = OvkitFindNoCase(key, r.name, 0);
        if (at != std::string::npos) {
            long n = std::strtol(key.c_str() + at + std::strlen(r.name), nullptr, 10);
            return n % 2 == 0 ? r.even : r.odd;
        }
    }
    if (OvkitFindNoCase(key, "FrameWidth", 0) != std::string::npos)
        return std::to_string(s.frameWidth);
    if (OvkitFindNoCase(key, "NumberAlignment", 0) != std::string::npos)
        return s.numberAlignment;
    return std::string();
}

} // namespace

size_t OvkitFindNoCase(const std::string& text, const char* what, size_t from) {
    size_t n = std::strlen(what);
    for (size_t at = from; at + n <= text.size(); ++at)
        if (_strnicmp(text.c_str() + at, what, n) == 0)
            return at;
    return std::string::npos;
}

std::string OvkitDropDescription(const std::string& text, const char* drop) {
    std::string out;
    size_t at = 0;
    while (true) {
        OVKIT_MyPeekMessage();
        size_t found = OvkitFindNoCase(text, kDescription, at);
        if (found == std::string::npos)
            break;
        size_t markerEnd = found + kDescriptionLength;
        size_t start = found >= 2 ? text.rfind("%%", found - 1) : std::string::npos;
        if (start == std::string::npos || start < at || start + 2 > found) {
            out.append(text, at, markerEnd - at); // not a marker: kept
            at = markerEnd;
            continue;
        }
        std::string kind = text.substr(start + 2, found - start - 2);
        bool begin = StartsNoCase(kind, "Begin");
        if (!begin && !StartsNoCase(kind, "End")) {
            out.append(text, at, markerEnd - at);
            at = markerEnd;
            continue;
        }
        out.append(text, at, start - at);
        at = markerEnd;
        std::string name = kind.substr(begin ? 5 : 3);
        if (begin && _stricmp(name.c_str(), drop) == 0) {
            std::string endMarker = "%%End" + name + kDescription;
            size_t end = OvkitFindNoCase(text, endMarker.c_str(), at);
            // Without its End marker only the Begin marker goes.
            if (end != std::string::npos)
                at = end + endMarker.size();
        }
    }
    out.append(text, at, std::string::npos);
    return out;
}

std::string OvkitFillLanguage(const std::string& text, const char* languageFile) {
    const char kMarker[] = "LANG_STR<";
    std::string out;
    size_t at = 0;
    while (true) {
        OVKIT_MyPeekMessage();
        size_t found = text.find(kMarker, at);
        size_t close = found == std::string::npos ? found : text.find('>', found);
        if (close == std::string::npos)
            break;
        out.append(text, at, found - at);
        size_t nameStart = found + sizeof kMarker - 1;
        std::string name = text.substr(nameStart, close - nameStart);
        char value[OVKIT_VAR_VALUE_SIZE];
        OVKIT_GetVarData(name.c_str(), value, languageFile);
        out += value;
        at = close + 1;
    }
    out.append(text, at, std::string::npos);
    return out;
}

std::string OvkitFillStyle(const std::string& text, const OVKIT_ReportStyle& style) {
    const char kMarker[] = "%%Style_";
    std::string out;
    size_t at = 0;
    while (true) {
        OVKIT_MyPeekMessage();
        size_t found = OvkitFindNoCase(text, kMarker, at);
        size_t keyStart = found == std::string::npos ? found : found + sizeof kMarker - 1;
        size_t keyEnd = keyStart == std::string::npos ? keyStart : text.find('%', keyStart);
        if (keyEnd == std::string::npos)
            break;
        out.append(text, at, found - at);
        out += StyleValue(text.substr(keyStart, keyEnd - keyStart), style);
        at = keyEnd;
        // The marker closes with "%%".
        at += text.compare(keyEnd, 2, "%%") == 0 ? 2 : 1;
    }
    out.append(text, at, std::string::npos);
    return out;
}

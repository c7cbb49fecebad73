#include "listing.h"
#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

namespace ftp {

namespace {

bool HasWildcards(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

// Splits text at runs of blanks and tabs; *rest receives the text behind
// the first `count` fields.
std::vector<std::string> Fields(const std::string& text, size_t count, std::string* rest) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (fields.size() < count) {
        i = text.find_first_not_of(" \t", i);
        if (i == std::string::npos)
            break;
        size_t end = text.find_first_of(" \t", i);
        fields.push_back(text.substr(i, end == std::string::npos ? std::string::npos : end - i));
        i = end == std::string::npos ? text.size() : end;
    }
    size_t start = text.find_first_not_of(" \t", i);
    *rest = start == std::string::npos ? std::string() : text.substr(start);
    return fields;
}

bool IsDosDate(const std::string& field) {
    return field.size() >= 8 && isdigit(static_cast<unsigned char>(field[0])) && field[2] == '-' &&
           field[5] == '-';
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

void SplitPattern(const std::string& pattern, std::string* argument, std::string* filter) {
    size_t slash = pattern.find_last_of("/\\");
    std::string last = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (!HasWildcards(last)) {
        *argument = pattern;
        filter->clear();
        return;
    }
    *filter = last;
    *argument = slash == std::string::npos ? std::string() : pattern.substr(0, slash);
    if (argument->empty() && slash != std::string::npos)
        *argument = "/";
}

bool MatchName(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || tolower(static_cast<unsigned char>(*pattern)) ==
                                          tolower(static_cast<unsigned char>(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == 0;
}

std::string NameOfLongLine(const std::string& line) {
    std::string rest;
    std::vector<std::string> head = Fields(line, 8, &rest);
    if (head.size() >= 3 && IsDosDate(head[0])) {
        Fields(line, 3, &rest);
        return rest;
    }
    if (head.size() == 8 && head[0].size() == 10 && !rest.empty()) {
        size_t arrow = head[0][0] == 'l' ? rest.find(" -> ") : std::string::npos;
        return arrow == std::string::npos ? rest : rest.substr(0, arrow);
    }
    std::vector<std::string> all = Fields(line, 1000, &rest);
    return all.empty() ? std::string() : all.back();
}

std::vector<std::string> ListingLines(const std::string& raw, bool longForm,
                                      const std::string& filter) {
    std::vector<std::pair<std::string, std::string>> entries; // name, line
    size_t start = 0;
    while (start < raw.size()) {
        size_t end = raw.find('\n', start);
        std::string line = raw.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? raw.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (longForm && line.compare(0, 6, "total ") == 0)
            continue;
        std::string name = BaseName(longForm ? NameOfLongLine(line) : line);
        if (name.empty() || name == "." || name == "..")
            continue;
        if (!filter.empty() && !MatchName(filter.c_str(), name.c_str()))
            continue;
        entries.emplace_back(name, longForm ? line : name);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> lines;
    for (auto& entry : entries)
        lines.push_back(std::move(entry.second));
    return lines;
}

} // namespace ftp

// Pairs of a report-language text, found with the engine's rule: a name from
// "<" to the next ">", its value from the next "{" to the next "}".
#include "language_editor/language_text.h"
#include <algorithm>
#include <cctype>

namespace langedit {

int ReplaceAll(std::string* text, const std::string& what, const std::string& with, bool matchCase);

void LanguageText::Assign(std::string text) {
    text_ = std::move(text);
    pairs_.clear();
    first_.clear();
    size_t at = 0;
    while (true) {
        size_t open = text_.find('<', at);
        size_t close = open == std::string::npos ? open : text_.find('>', open + 1);
        size_t brace = close == std::string::npos ? close : text_.find('{', close + 1);
        size_t end = brace == std::string::npos ? brace : text_.find('}', brace + 1);
        if (end == std::string::npos)
            return;
        first_.emplace(text_.substr(open + 1, close - open - 1), pairs_.size());
        pairs_.push_back({brace + 1, end});
        at = end + 1;
    }
}

std::string LanguageText::Name(const std::string& key) {
    if (key.size() >= 2 && key.front() == '<' && key.back() == '>')
        return key.substr(1, key.size() - 2);
    return key;
}

const LanguageText::Pair* LanguageText::Find(const std::string& key) const {
    auto found = first_.find(Name(key));
    return found == first_.end() ? nullptr : &pairs_[found->second];
}

bool LanguageText::Value(const std::string& key, std::string* value) const {
    const Pair* pair = Find(key);
    if (!pair) {
        value->clear();
        return false;
    }
    value->assign(text_, pair->Open, pair->Close - pair->Open);
    return true;
}

bool LanguageText::SetValue(const std::string& key, const std::string& value) {
    auto found = first_.find(Name(key));
    if (found == first_.end() || value.find('}') != std::string::npos)
        return false;
    Pair& pair = pairs_[found->second];
    size_t oldLength = pair.Close - pair.Open;
    text_.replace(pair.Open, oldLength, value);
    // The pairs after it move by the difference.
    size_t shift = value.size() - oldLength; // modular: also right when shorter
    for (size_t i = found->second; i < pairs_.size(); ++i) {
        if (i != found->second)
            pairs_[i].Open += shift;
        pairs_[i].Close += shift;
    }
    return true;
}

std::vector<size_t> LanguageText::ReplaceInValues(const std::vector<std::string>& keys,
                                                  const std::string& what, const std::string& with,
                                                  bool matchCase) {
    std::vector<size_t> changed;
    std::vector<long> keyOfPair(pairs_.size(), -1);
    for (size_t k = 0; k < keys.size(); ++k) {
        auto found = first_.find(Name(keys[k]));
        if (found != first_.end() && keyOfPair[found->second] < 0)
            keyOfPair[found->second] = (long)k;
    }
    std::string out;
    out.reserve(text_.size());
    size_t copied = 0;
    for (size_t p = 0; p < pairs_.size(); ++p) {
        if (keyOfPair[p] < 0)
            continue;
        std::string value = text_.substr(pairs_[p].Open, pairs_[p].Close - pairs_[p].Open);
        if (!ReplaceAll(&value, what, with, matchCase) || value.find('}') != std::string::npos)
            continue;
        out.append(text_, copied, pairs_[p].Open - copied);
        out += value;
        copied = pairs_[p].Close;
        changed.push_back((size_t)keyOfPair[p]);
    }
    if (!changed.empty()) {
        out.append(text_, copied, std::string::npos);
        Assign(std::move(out));
    }
    std::sort(changed.begin(), changed.end());
    return changed;
}

namespace {
bool SameAt(const std::string& text, size_t at, const std::string& what, bool matchCase) {
    for (size_t i = 0; i < what.size(); ++i) {
        unsigned char a = (unsigned char)text[at + i], b = (unsigned char)what[i];
        if (a != b && (matchCase || tolower(a) != tolower(b)))
            return false;
    }
    return true;
}

size_t FindFrom(const std::string& text, const std::string& what, size_t from, bool matchCase) {
    if (matchCase)
        return text.find(what, from);
    for (size_t at = from; at + what.size() <= text.size(); ++at)
        if (SameAt(text, at, what, false))
            return at;
    return std::string::npos;
}
} // namespace

bool Contains(const std::string& text, const std::string& what, bool matchCase) {
    return !what.empty() && FindFrom(text, what, 0, matchCase) != std::string::npos;
}

int ReplaceAll(std::string* text, const std::string& what, const std::string& with,
               bool matchCase) {
    if (what.empty())
        return 0;
    std::string out;
    int count = 0;
    size_t at = 0;
    for (size_t hit; (hit = FindFrom(*text, what, at, matchCase)) != std::string::npos;) {
        out.append(*text, at, hit - at);
        out += with;
        at = hit + what.size();
        ++count;
    }
    if (count) {
        out.append(*text, at, std::string::npos);
        text->swap(out);
    }
    return count;
}

} // namespace langedit

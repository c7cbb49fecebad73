// A report-language file (.RPL) held whole while the editor works on it:
// "<name>{value}" pairs with any text between them. The value of a name is
// that of its first pair, as the engine reads the file; edits replace the
// braced text in place and leave every other byte as it was.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

namespace langedit {

class LanguageText {
  public:
    // Replaces the text and indexes its pairs (one pass).
    void Assign(std::string text);
    const std::string& Text() const { return text_; }
    // The value of key ("<Name>" as LANG.TRE gives it, or the bare name);
    // false when the text has no such pair.
    bool Value(const std::string& key, std::string* value) const;
    // Sets the value of key's first pair; false when there is none (nothing
    // changes) or the value holds "}", which would end it early.
    bool SetValue(const std::string& key, const std::string& value);

    // Replaces what by with in the value of each of keys, in one pass over
    // the text (a thousand items take no longer than reading them). The
    // indices into keys of the values that changed.
    std::vector<size_t> ReplaceInValues(const std::vector<std::string>& keys,
                                        const std::string& what, const std::string& with,
                                        bool matchCase);

  private:
    struct Pair {
        size_t Open;  // index of the value's first byte
        size_t Close; // index of its closing "}"
    };
    static std::string Name(const std::string& key);
    const Pair* Find(const std::string& key) const;
    std::string text_;
    std::vector<Pair> pairs_;                       // in file order
    std::unordered_map<std::string, size_t> first_; // name -> its first pair
};

// Every occurrence of what in text replaced by with; letter case ignored
// unless matchCase. The number of replacements.
int ReplaceAll(std::string* text, const std::string& what, const std::string& with, bool matchCase);
// True when text holds what (letter case ignored unless matchCase).
bool Contains(const std::string& text, const std::string& what, bool matchCase);

} // namespace langedit

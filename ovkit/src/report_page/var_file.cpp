#include "ovkit/cstring.h"
#include "ovkit/report_page.h"
#include "ovkit/ui_helpers.h"
#include "ovkit/text_copy.h"
#include "files/whole_file.h"
#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Entry {
    CString name;
    CString value;
};

// The one loaded file: its entries sorted by name in CString order.
struct LoadedVariables {
    CString path;
    std::vector<Entry> entries;
};
LoadedVariables g_loaded;

bool ByName(const Entry& a, const Entry& b) {
    return a.name.Compare(b.name) < 0;
}

void Parse(const std::string& text, std::vector<Entry>& entries) {
    size_t at = 0;
    while (true) {
        OVKIT_MyPeekMessage();
        size_t open = text.find('<', at);
        size_t close = open == std::string::npos ? open : text.find('>', open + 1);
        size_t brace = close == std::string::npos ? close : text.find('{', close + 1);
        size_t end = brace == std::string::npos ? brace : text.find('}', brace + 1);
        if (end == std::string::npos)
            return;
        Entry e;
        e.name = text.substr(open + 1, close - open - 1).c_str();
        e.value = text.substr(brace + 1, end - brace - 1).c_str();
        entries.push_back(e);
        at = end + 1;
    }
}

void ShowLoadFailure(const char* path) {
    std::string text = std::string("Failed to load the language/style file\r\n\"") + path + "\"";
    MessageBoxA(nullptr, text.c_str(), "Ostrevane", MB_ICONWARNING);
}

const Entry* Find(const char* name) {
    Entry key;
    key.name = name;
    auto it = std::lower_bound(g_loaded.entries.begin(), g_loaded.entries.end(), key, ByName);
    if (it == g_loaded.entries.end() || it->name.Compare(name) != 0)
        return nullptr;
    return &*it;
}

} // namespace

BOOL OVKIT_CALL OVKIT_ReadVarData(const char* path) {
    if (!path)
        return FALSE;
    std::string text;
    if (!OvkitReadWholeFile(path, text)) {
        ShowLoadFailure(path);
        return FALSE;
    }
    std::vector<Entry> entries;
    Parse(text, entries);
    std::stable_sort(entries.begin(), entries.end(), ByName);
    g_loaded.entries.swap(entries);
    g_loaded.path = path;
    return TRUE;
}

BOOL OVKIT_CALL OVKIT_GetVarData(const char* name, char* value, const char* path) {
    if (value)
        value[0] = '\0';
    if (!name || !value || !path)
        return FALSE;
    if (g_loaded.path.IsEmpty() || g_loaded.path.CompareNoCase(path) != 0) {
        if (!OVKIT_ReadVarData(path))
            return FALSE;
    }
    const Entry* e = Find(name);
    if (!e)
        return FALSE;
    const char* text = e->value;
    OvkitCopyPart(value, OVKIT_VAR_VALUE_SIZE, text, e->value.GetLength());
    return TRUE;
}

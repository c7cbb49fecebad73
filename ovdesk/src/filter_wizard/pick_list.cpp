// The filter pages' pick lists, from "TEXT" resources of the language module.
#include "filter_wizard/pick_list.h"
#include "list_editors/pick_lists.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <map>
#include <cstring>

namespace {
// After the combo has set its own text: wParam the item, lParam the chosen
// row, or -1 to put the text back that the field held when the list opened.
enum { WM_FILTER_PICK = WM_APP + 44 };

std::map<UINT, PickRows> g_lists;
std::string g_beforeDropDown;

std::vector<std::string> TextLines(UINT id) {
    std::vector<std::string> lines;
    DWORD size = 0;
    char* text = GetTextResource(id, &size);
    if (!text)
        return lines;
    for (const char* at = text; *at;) {
        size_t length = strcspn(at, "\n");
        std::string line(at, length);
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        at += length;
        if (*at == '\n')
            ++at;
    }
    FreeResourceCopy(text);
    return lines;
}

// A row per country of the country table, its value the country's domain.
void AddCountries(PickRows& rows) {
    std::vector<lists::Pick> countries;
    lists::LoadPickList(IDT_COUNTRY_LIST, &countries);
    for (const lists::Pick& country : countries)
        rows.emplace_back(country.Name, "*." + country.Code);
}

PickRows LoadRows(UINT listId) {
    PickRows rows;
    std::vector<std::string> lines = TextLines(listId);
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        rows.emplace_back(lines[i], lines[i + 1]);
    if (listId == IDT_FW_USER_ADDRESSES)
        AddCountries(rows);
    return rows;
}

int RowOfValue(const PickRows& rows, const std::string& value) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (_stricmp(rows[i].second.c_str(), value.c_str()) == 0)
            return (int)i;
    return -1;
}

std::string FieldTextOf(HWND combo) {
    int length = GetWindowTextLengthA(combo);
    std::string text(length + 1, '\0');
    GetWindowTextA(combo, &text[0], length + 1);
    text.resize(strlen(text.c_str()));
    return text;
}
} // namespace

const PickRows& GetPickList(UINT listId) {
    auto found = g_lists.find(listId);
    if (found == g_lists.end())
        found = g_lists.emplace(listId, LoadRows(listId)).first;
    return found->second;
}

void FillPickCombo(HWND page, int item, UINT listId) {
    HWND combo = GetDlgItem(page, item);
    std::string text = FieldTextOf(combo);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& row : GetPickList(listId))
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)row.first.c_str());
    SetWindowTextA(combo, text.c_str());
}

BOOL PickListMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int item, UINT listId) {
    HWND combo = GetDlgItem(page, item);
    const PickRows& rows = GetPickList(listId);
    if (message == WM_FILTER_PICK && (int)wParam == item) {
        if (lParam >= 0 && lParam < (LPARAM)rows.size())
            SetWindowTextA(combo, rows[lParam].second.c_str());
        else if (lParam < 0)
            SetWindowTextA(combo, g_beforeDropDown.c_str());
        return TRUE;
    }
    if (message != WM_COMMAND || LOWORD(wParam) != item)
        return FALSE;
    switch (HIWORD(wParam)) {
    case CBN_DROPDOWN: {
        g_beforeDropDown = FieldTextOf(combo);
        int row = RowOfValue(rows, g_beforeDropDown);
        if (row >= 0)
            SendMessageA(combo, CB_SETCURSEL, row, 0);
        return TRUE;
    }
    case CBN_SELCHANGE:
    case CBN_SELENDOK: {
        LRESULT row = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (row != CB_ERR)
            PostMessageA(page, WM_FILTER_PICK, item, row);
        return TRUE;
    }
    case CBN_SELENDCANCEL:
        PostMessageA(page, WM_FILTER_PICK, item, -1);
        return TRUE;
    }
    return FALSE;
}

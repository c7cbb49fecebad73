// The Advertising page: one entry of the ad-views list, "*" for every
// advertisement (include filter), or none.
#include "filter_wizard/list_page.h"
#include "filter_wizard/filter_checks.h"
#include "resource_ids.h"
#include <cstring>

namespace {
std::vector<AdEntry> g_ads;

const char* FirstText(const FilterString* list) {
    return list && list->lpszText ? list->lpszText : nullptr;
}

// The combo row for the filter: the first row ("*" or empty) or the entry
// whose view name or click id is the filter's first click item, else its
// first view item.
int RowOfFilter(const ProfileFilter* filter) {
    const char* key = filter->AdClick ? FirstText(filter->AdClick) : FirstText(filter->AdView);
    if (!key || !key[0])
        return IsInclude() ? -1 : 0;
    if (IsInclude() && strcmp(key, "*") == 0)
        return 0;
    for (size_t i = 0; i < g_ads.size(); ++i)
        if (_stricmp(g_ads[i].ViewName.c_str(), key) == 0 ||
            _stricmp(g_ads[i].ClickId.c_str(), key) == 0)
            return (int)i + 1;
    return -1;
}

void ShowAds(HWND page, ProfileFilter* filter) {
    g_ads = ReadAdEntries();
    HWND combo = GetDlgItem(page, IDC_FW_ADVERTISING);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)(IsInclude() ? "*" : ""));
    for (const AdEntry& entry : g_ads)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)entry.Description.c_str());
    int row = RowOfFilter(filter);
    SendMessageA(combo, CB_SETCURSEL, row, 0);
    FilterPageTable()[FP_ADVERTISING].Shown = std::to_string(row);
}

void SetSingle(FilterString** list, const std::string& text) {
    FreeFilterStrings(*list);
    *list = nullptr;
    if (!text.empty())
        FilterStringToStruct(text.c_str(), list, FILTER_TEXT_SINGLE);
}

// A choice left as it was keeps the lists as they are.
bool LeaveAds(HWND page, ProfileFilter* filter, UINT) {
    int row = (int)SendDlgItemMessageA(page, IDC_FW_ADVERTISING, CB_GETCURSEL, 0, 0);
    if (std::to_string(row) == FilterPageTable()[FP_ADVERTISING].Shown)
        return true;
    std::string choice;
    if (row > 0 && row <= (int)g_ads.size())
        choice = g_ads[row - 1].Description;
    else if (row == 0 && IsInclude())
        choice = "*";
    if (choice.empty()) {
        SetSingle(&filter->AdView, "");
        SetSingle(&filter->AdClick, "");
    } else if (choice == "*") {
        SetSingle(&filter->AdView, "*");
        SetSingle(&filter->AdClick, "*");
    } else {
        for (const AdEntry& entry : g_ads) {
            if (_stricmp(entry.Description.c_str(), choice.c_str()) != 0)
                continue;
            SetSingle(&filter->AdView, entry.ViewName);
            SetSingle(&filter->AdClick, entry.ClickId);
            break;
        }
    }
    FilterPageTable()[FP_ADVERTISING].Shown = std::to_string(row);
    return true;
}

const ElementPage kAds = {FP_ADVERTISING, 0, 0, ShowAds, LeaveAds, nullptr};
} // namespace

INT_PTR CALLBACK AdvertisingPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kAds, page, message, wParam, lParam);
}

// The Summary page: what the filter does, in words, made afresh each time
// the page is shown.
#include "filter_wizard/list_page.h"
#include "filter_wizard/filter_checks.h"
#include "resource_ids.h"

namespace {
void ShowSummary(HWND page, ProfileFilter* filter) {
    std::string text = BuildFilterSummary(filter, ReadAdEntries());
    SendDlgItemMessageA(page, IDC_FW_SUMMARY, EM_LIMITTEXT, 0, 0);
    SetDlgItemTextA(page, IDC_FW_SUMMARY, text.c_str());
}

bool LeaveSummary(HWND, ProfileFilter*, UINT) {
    return true;
}

const ElementPage kSummary = {FP_SUMMARY, 0, 0, ShowSummary, LeaveSummary, nullptr};
} // namespace

INT_PTR CALLBACK SummaryPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kSummary, page, message, wParam, lParam);
}

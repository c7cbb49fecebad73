// The element pages whose value is a list typed or picked as text: return
// codes, user addresses, domains, referrers and browsers. Each list is shown
// whole and stored back only when its text was changed, so that a list
// the user did not touch keeps every item and its exact form.
#include "filter_wizard/list_page.h"
#include "filter_wizard/filter_checks.h"
#include "resource_ids.h"

namespace {
// ---- Return Code -------------------------------------------------------------
void ShowReturnCodes(HWND page, ProfileFilter* filter) {
    char text[FILTER_RETURNCODE_SLOTS * 12];
    ReturnCodeStructToString(filter, text, sizeof text);
    ShowListText(page, IDC_FW_RETURN_CODE, FP_RETURN_CODE, text);
}

bool LeaveReturnCodes(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    bool changed = ListTextChanged(page, IDC_FW_RETURN_CODE, FP_RETURN_CODE, &text);
    int check = CheckReturnCodeText(text);
    if (check == RETURN_CODES_MIXED) {
        FilterMessage(page,
                      "Mixing the wildcard character (*) with return values is not supported. Try "
                      "removing the wildcard character or selecting values from the drop-down "
                      "list. ",
                      "Invalid Return Code", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (check == RETURN_CODES_INVALID) {
        FilterMessage(page,
                      "Only decimal numbers or the default value (*) are allowed for this field. "
                      "Try editing your entry or selecting a value from the drop-down list. ",
                      "Invalid Return Code", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (changed)
        ReturnCodeStringToStruct(text.c_str(), filter);
    return true;
}

// ---- User Address --------------------------------------------------------------
void ShowUserAddresses(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_USER_ADDRESS, FP_USER_ADDRESS, UserAddressText(filter));
}

bool LeaveUserAddresses(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    if (ListTextChanged(page, IDC_FW_USER_ADDRESS, FP_USER_ADDRESS, &text)) {
        // The text holds the ranges and subnets too: they are made again.
        StoreList(text, &filter->Users);
        UpdateUserFilters(filter);
    }
    return true;
}

// ---- Multi-Homed Domain ------------------------------------------------------------
void ShowDomains(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_DOMAIN, FP_DOMAIN, ListText(filter->MultiHomeDomain));
}

bool LeaveDomains(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    if (ListTextChanged(page, IDC_FW_DOMAIN, FP_DOMAIN, &text))
        StoreList(text, &filter->MultiHomeDomain);
    return true;
}

// ---- Referrer ------------------------------------------------------------------------
void ShowReferrers(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_REFERRER, FP_REFERRER, ListText(filter->Referrer));
}

bool ConfirmReferrers(HWND page, const std::string& text) {
    FilterString* items = nullptr;
    FilterStringToStruct(text.c_str(), &items, FILTER_TEXT_LIST);
    const char* suspect = SuspectReferrer(items);
    std::string message;
    if (suspect)
        message = std::string("The referrer ") + suspect +
                  " does not look like a referring URL. Enter the exact URL of the referring "
                  "page with its protocol (as http://www.example.com/links.html), or use a "
                  "wildcard (as *example.com*).\r\n\r\nClick OK to continue, or Cancel to edit "
                  "your entry.";
    FreeFilterStrings(items);
    return !suspect ||
           FilterMessage(page, message.c_str(), "Referrer appears to be specified incorrectly",
                         MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

bool LeaveReferrers(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    bool changed = ListTextChanged(page, IDC_FW_REFERRER, FP_REFERRER, &text);
    if (!ConfirmReferrers(page, text))
        return false;
    if (changed)
        StoreList(text, &filter->Referrer);
    return true;
}

// ---- Browser ---------------------------------------------------------------------------
void ShowBrowsers(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_BROWSER, FP_BROWSER, ListText(filter->Browser));
}

bool LeaveBrowsers(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    bool changed = ListTextChanged(page, IDC_FW_BROWSER, FP_BROWSER, &text);
    if (HasMixedWildcard(text)) {
        // Either answer keeps the page: the user removes the wildcards.
        FilterMessage(page,
                      "Wildcard characters(*) are not necessary for filtering Browsers. Try "
                      "removing the wildcard characters. ",
                      "Invalid Wildcard Character", MB_YESNO | MB_ICONEXCLAMATION);
        return false;
    }
    if (changed)
        StoreList(text, &filter->Browser);
    return true;
}

const ElementPage kReturnCodes = {FP_RETURN_CODE,  IDC_FW_RETURN_CODE, IDT_FW_RETURN_CODES,
                                  ShowReturnCodes, LeaveReturnCodes,   nullptr};
const ElementPage kUserAddresses = {FP_USER_ADDRESS,   IDC_FW_USER_ADDRESS, IDT_FW_USER_ADDRESSES,
                                    ShowUserAddresses, LeaveUserAddresses,  nullptr};
const ElementPage kDomains = {FP_DOMAIN, IDC_FW_DOMAIN, 0, ShowDomains, LeaveDomains, nullptr};
const ElementPage kReferrers = {FP_REFERRER,   IDC_FW_REFERRER, IDT_FW_REFERRERS,
                                ShowReferrers, LeaveReferrers,  nullptr};
const ElementPage kBrowsers = {FP_BROWSER,   IDC_FW_BROWSER, IDT_FW_BROWSERS,
                               ShowBrowsers, LeaveBrowsers,  nullptr};
} // namespace

INT_PTR CALLBACK ReturnCodePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kReturnCodes, page, message, wParam, lParam);
}

INT_PTR CALLBACK UserAddressPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kUserAddresses, page, message, wParam, lParam);
}

INT_PTR CALLBACK DomainPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kDomains, page, message, wParam, lParam);
}

INT_PTR CALLBACK ReferrerPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kReferrers, page, message, wParam, lParam);
}

INT_PTR CALLBACK BrowserPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kBrowsers, page, message, wParam, lParam);
}

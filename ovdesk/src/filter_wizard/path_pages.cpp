// The element pages of the request's path and its user: directories, files,
// entry pages and user names, each a list with its options.
#include "filter_wizard/list_page.h"
#include "filter_wizard/filter_checks.h"
#include "resource_ids.h"

namespace {
// ---- Directory ----------------------------------------------------------------
void ShowDirectories(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_DIRECTORY, FP_DIRECTORY, ListText(filter->Directory));
    SetDlgItemTextA(page, IDC_FW_SUBDIRS,
                    IsInclude() ? "Also Include &Subdirectories" : "Also Exclude &Subdirectories");
    SetCheck(page, IDC_FW_SUBDIRS, filter->IncludeSubDirs);
    SetCheck(page, IDC_FW_DIR_CASE, filter->DirectoryCaseSensitive);
}

bool LeaveDirectories(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    bool changed = ListTextChanged(page, IDC_FW_DIRECTORY, FP_DIRECTORY, &text);
    if (DirectoryNeedsQuotes(text) &&
        FilterMessage(page,
                      "Be sure to put quotation marks around directory names which contain spaces "
                      "or commas. Click OK to continue, or Cancel to edit your entry.",
                      "Directory Filter", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return false;
    if (changed)
        StoreList(text, &filter->Directory);
    filter->IncludeSubDirs = GetCheck(page, IDC_FW_SUBDIRS);
    filter->DirectoryCaseSensitive = GetCheck(page, IDC_FW_DIR_CASE);
    return true;
}

// ---- File -----------------------------------------------------------------------
void ShowFiles(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_FILE, FP_FILE, ListText(filter->Files));
    SetDlgItemTextA(page, IDC_FW_NO_FILENAMES,
                    IsInclude() ? "Also Include Requests Without &Filenames"
                                : "Also Exclude Requests Without &Filenames");
    SetCheck(page, IDC_FW_NO_FILENAMES, filter->IncludeDefaultPages);
    SetCheck(page, IDC_FW_FILE_CASE, filter->FilesCaseSensitive);
}

bool ConfirmNoFilenamesOption(HWND page, DWORD type, const std::string& text) {
    FilterString* files = nullptr;
    FilterStringToStruct(text.c_str(), &files, FILTER_TEXT_LIST);
    bool isVoid = NoFilenamesOptionIsVoid(type, files);
    FreeFilterStrings(files);
    if (!isVoid)
        return true;
    const char* notice =
        type == FILTER_EXCLUDE
            ? "The Also Exclude Requests Without Filenames option has no effect if "
              "your file filter entry is a default value. \r\n\r\nPress Ok to "
              "continue or Cancel to edit your entry."
            : "The Also Include Requests Without Filenames option has no effect if "
              "your file filter entry is a default value. \r\n\r\nPress Ok to "
              "continue or Cancel to edit your entry.";
    return FilterMessage(page, notice, "Option has no effect", MB_OKCANCEL | MB_ICONINFORMATION) ==
           IDOK;
}

bool LeaveFiles(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    bool changed = ListTextChanged(page, IDC_FW_FILE, FP_FILE, &text);
    DWORD noFilenames = GetCheck(page, IDC_FW_NO_FILENAMES);
    if (noFilenames && !ConfirmNoFilenamesOption(page, filter->Type, text))
        return false;
    if (changed)
        StoreList(text, &filter->Files);
    filter->IncludeDefaultPages = noFilenames;
    filter->FilesCaseSensitive = GetCheck(page, IDC_FW_FILE_CASE);
    return true;
}

// ---- Entry Page -------------------------------------------------------------------
void ShowEntryPages(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_ENTRY_PAGE, FP_ENTRY_PAGE, EntryPageText(filter->EntryPage));
    SetCheck(page, IDC_FW_ENTRY_CASE, filter->EntryPageCaseSensitive);
}

bool LeaveEntryPages(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    // An empty text leaves the list as it was.
    if (ListTextChanged(page, IDC_FW_ENTRY_PAGE, FP_ENTRY_PAGE, &text) &&
        text.find_first_not_of(" ,") != std::string::npos) {
        EntryPageFilter_Free(filter->EntryPage);
        filter->EntryPage = EntryPageFilter_New(text.c_str());
    }
    filter->EntryPageCaseSensitive = GetCheck(page, IDC_FW_ENTRY_CASE);
    return true;
}

// ---- Username -------------------------------------------------------------------------
void EnableUsernames(HWND page) {
    BOOL listed = !GetCheck(page, IDC_FW_USERNAME_ALL);
    EnableWindow(GetDlgItem(page, IDC_FW_USERNAME), listed);
    EnableWindow(GetDlgItem(page, IDC_FW_USERNAME_CASE), listed);
}

void ShowUsernames(HWND page, ProfileFilter* filter) {
    ShowListText(page, IDC_FW_USERNAME, FP_USERNAME, ListText(filter->Username));
    SetDlgItemTextA(page, IDC_FW_USERNAME_ALL,
                    IsInclude() ? "Include &Only Authenticated Users"
                                : "Exclude A&ll Authenticated Users");
    SetCheck(page, IDC_FW_USERNAME_CASE, filter->UsernameCaseSensitive);
    SetCheck(page, IDC_FW_USERNAME_ALL, filter->UsernameAll);
    EnableUsernames(page);
}

bool LeaveUsernames(HWND page, ProfileFilter* filter, UINT) {
    std::string text;
    if (ListTextChanged(page, IDC_FW_USERNAME, FP_USERNAME, &text))
        StoreList(text, &filter->Username);
    filter->UsernameCaseSensitive = GetCheck(page, IDC_FW_USERNAME_CASE);
    filter->UsernameAll = GetCheck(page, IDC_FW_USERNAME_ALL);
    return true;
}

void UsernameClicked(HWND page, int item) {
    if (item == IDC_FW_USERNAME_ALL)
        EnableUsernames(page);
}

const ElementPage kDirectories = {FP_DIRECTORY,    IDC_FW_DIRECTORY, 0,
                                  ShowDirectories, LeaveDirectories, nullptr};
const ElementPage kFiles = {FP_FILE, IDC_FW_FILE, IDT_FW_FILES, ShowFiles, LeaveFiles, nullptr};
const ElementPage kEntryPages = {FP_ENTRY_PAGE,  IDC_FW_ENTRY_PAGE, 0,
                                 ShowEntryPages, LeaveEntryPages,   nullptr};
const ElementPage kUsernames = {FP_USERNAME,   IDC_FW_USERNAME, 0,
                                ShowUsernames, LeaveUsernames,  UsernameClicked};
} // namespace

INT_PTR CALLBACK DirectoryPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kDirectories, page, message, wParam, lParam);
}

INT_PTR CALLBACK FilePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kFiles, page, message, wParam, lParam);
}

INT_PTR CALLBACK EntryPagePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kEntryPages, page, message, wParam, lParam);
}

INT_PTR CALLBACK UsernamePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return ElementPageMessage(kUsernames, page, message, wParam, lParam);
}

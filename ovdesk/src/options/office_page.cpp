// The MS-Word and Excel page: the author and company written into
// documents, and what documents and spreadsheets include.
#include "options/options_sheet.h"
#include "startup/startup_parts.h"
#include "resource_ids.h"

namespace {
enum { OWNER_SIZE = 257, HELP_TOPIC = 101 };

struct OfficeBox {
    int Item;
    const char* Key;
};
const OfficeBox kBoxes[] = {
    {IDC_OPT_GLOSSARY, "Glossary"},
    {IDC_OPT_DESCRIPTIONS, "Descriptions"},
    {IDC_OPT_EXCEL_GRAPHS, "ExcelGraphs"},
};

void Fill(HWND page) {
    // The plug-in's own [Main] Author and Company (ovkit keeps settings of
    // the same names in its own file: they are separate).
    char author[OWNER_SIZE] = "", company[OWNER_SIZE] = "";
    GetAuthorCompanyDefaults(author, sizeof author, company, sizeof company);
    SendDlgItemMessageA(page, IDC_OPT_AUTHOR, EM_LIMITTEXT, OWNER_SIZE - 1, 0);
    SendDlgItemMessageA(page, IDC_OPT_COMPANY, EM_LIMITTEXT, OWNER_SIZE - 1, 0);
    SetDlgItemTextA(page, IDC_OPT_AUTHOR, author);
    SetDlgItemTextA(page, IDC_OPT_COMPANY, company);
    for (const OfficeBox& box : kBoxes)
        CheckDlgButton(page, box.Item,
                       GetModuleProfileInt("Defaults", box.Key, 1) ? BST_CHECKED : BST_UNCHECKED);
}

BOOL Apply(HWND page) {
    char text[OWNER_SIZE] = "";
    GetDlgItemTextA(page, IDC_OPT_AUTHOR, text, sizeof text);
    WriteModuleProfileString("Main", "Author", text);
    GetDlgItemTextA(page, IDC_OPT_COMPANY, text, sizeof text);
    WriteModuleProfileString("Main", "Company", text);
    for (const OfficeBox& box : kBoxes)
        WriteModuleProfileInt("Defaults", box.Key,
                              IsDlgButtonChecked(page, box.Item) == BST_CHECKED ? 1 : 0);
    return OptionsAnswer(page, PSNRET_NOERROR);
}
} // namespace

INT_PTR CALLBACK OfficeOptionsPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPT_ROW_OFFICE);
    if (message == WM_INITDIALOG)
        Fill(page);
    switch (OptionsNotifyCode(message, lParam)) {
    case (UINT)PSN_APPLY:
        return Apply(page);
    case (UINT)PSN_HELP:
        OptionsHelp(page, HELP_TOPIC);
        return TRUE;
    }
    return FALSE;
}

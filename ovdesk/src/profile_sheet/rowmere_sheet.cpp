// The Rowmere configuration sheet: five pages over one RowmereSettings copy
// and the ODBC connection its Data Source page opens.
#include "profile_sheet/rowmere_sheet.h"
#include "profile_sheet/log_source_pickers.h"
#include "profile_sheet/odbc_binding.h"
#include "profile_sheet/sheet_state.h"
#include "report_dialog/report_pages.h"
#include "services/dialog_services.h"
#include "startup/plugin_state.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <prsht.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "ovkit/text_copy.h"

namespace {
// One column of the table as the Fields to Display page offers it.
struct ColumnChoice {
    std::string Name;
    DWORD Number; // 1-based, in the driver's order
    bool Selected;
    DWORD DataType;
    int Sequence; // -1 when not selected
};

struct RowmereSheet {
    RowmereSettings* Settings;
    int Kind;
    int Wizard;
    int Result;
    int Connected;
    std::vector<ColumnChoice> Choices;
    char DefaultQuery[ROWMERE_SQL_SIZE];
};
RowmereSheet g_rm;

enum RowmerePage { RM_SOURCE, RM_TABLE, RM_KEY, RM_FIELDS, RM_OPTIONS, RM_PAGES };

DWORD HelpTopic(RowmerePage page) {
    static const DWORD kIp[] = {7010, 7011, 7012, 7013, 7014};
    static const DWORD kUser[] = {7004, 7005, 7006, 7007, 7008};
    return g_rm.Kind == ROWMERE_KIND_IP ? kIp[page] : kUser[page];
}

bool Leaving(UINT code) {
    return IsLeavingPage(g_rm.Wizard, code);
}

BOOL Refuse(HWND page, UINT code) {
    return RefuseLeaving(page, code);
}

BOOL Accept(HWND page) {
    return AcceptLeavingPage(page, g_rm.Wizard);
}

// Wizard buttons, Cancel and help, for every page.
void Common(HWND page, UINT message, LPARAM lParam, RowmerePage which) {
    if (message != WM_NOTIFY)
        return;
    UINT code = ((NMHDR*)lParam)->code;
    if (code == PSN_SETACTIVE && g_rm.Wizard) {
        DWORD buttons = which == RM_SOURCE    ? PSWIZB_NEXT
                        : which == RM_OPTIONS ? PSWIZB_BACK | PSWIZB_FINISH
                                              : PSWIZB_BACK | PSWIZB_NEXT;
        PropSheet_SetWizButtons(GetParent(page), buttons);
    } else if (code == PSN_RESET) {
        g_rm.Result = 0;
    } else if (code == PSN_HELP) {
        WinHelpA(page, GetSecondHelpPath(), HELP_CONTEXT, HelpTopic(which));
    }
}

UINT NotifyCode(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY ? ((NMHDR*)lParam)->code : 0;
}

// ---- Data Source ------------------------------------------------------------
void ShowSourceName(HWND page) {
    char name[ROWMERE_TEXT_SIZE] = "";
    DataSourceNameOf(g_rm.Settings->RowmereDSN, name, sizeof name, 0);
    SetDlgItemTextA(page, IDC_RM_SOURCE_NAME, g_rm.Connected ? name : "");
}

void ConnectStored(HWND page) {
    g_rm.Connected =
        g_rm.Settings->RowmereDSN[0] && OdbcConnectNoPrompt(page, g_rm.Settings->RowmereDSN);
    ShowSourceName(page);
}

INT_PTR CALLBACK SourcePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    Common(page, message, lParam, RM_SOURCE);
    if (message == WM_INITDIALOG) {
        ConnectStored(page);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_RM_SOURCE_BROWSE) {
        char connection[ODBC_CONNECTION_SIZE] = "";
        if (OdbcBrowseDataSource(page, connection, sizeof connection, 1)) {
            OvkitCopyText(g_rm.Settings->RowmereDSN, ROWMERE_TEXT_SIZE, connection);
            g_rm.Connected = 1;
            ShowSourceName(page);
        } else {
            ConnectStored(page);
        }
        return TRUE;
    }
    UINT code = NotifyCode(message, lParam);
    if (Leaving(code)) {
        if (g_rm.Connected)
            return Accept(page);
        DeskMessageBox(GetParent(page),
                       "You must choose a valid ODBC data source before continuing.",
                       OVDESK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        PropSheet_SetCurSel(GetParent(page), nullptr, 0);
        return Refuse(page, code);
    }
    return FALSE;
}

// ---- Table and Key ----------------------------------------------------------
void AddComboRow(void* context, const char* name, long) {
    SendMessageA((HWND)context, CB_ADDSTRING, 0, (LPARAM)name);
}

// Selects stored in the combo (any case), else the first entry, which
// then becomes the stored text. False when the combo is empty.
bool SelectStored(HWND combo, char* stored) {
    LRESULT found = SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)stored);
    if (found == CB_ERR)
        found = 0;
    if (SendMessageA(combo, CB_SETCURSEL, found, 0) == CB_ERR)
        return false;
    char text[ROWMERE_TEXT_SIZE] = "";
    if (SendMessageA(combo, CB_GETLBTEXTLEN, found, 0) < ROWMERE_TEXT_SIZE)
        SendMessageA(combo, CB_GETLBTEXT, found, (LPARAM)text);
    OvkitCopyText(stored, ROWMERE_TEXT_SIZE, text);
    return true;
}

void FillTables(HWND page) {
    HWND combo = GetDlgItem(page, IDC_RM_TABLE);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    OdbcListTables(page, AddComboRow, combo);
    SelectStored(combo, g_rm.Settings->RowmereTable);
}

void FillKeys(HWND page) {
    HWND combo = GetDlgItem(page, IDC_RM_KEY);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    OdbcListColumns(page, g_rm.Settings->RowmereTable, AddComboRow, combo);
    SelectStored(combo, g_rm.Settings->RowmereKeyColumn);
}

// Leaving Table or Key: the combo's text into field; an empty selection
// keeps the section as it is and the sheet on the page.
BOOL LeaveChoice(HWND page, UINT code, int combo, char* field, const char* what) {
    char text[ROWMERE_TEXT_SIZE] = "";
    LRESULT index = SendDlgItemMessageA(page, combo, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR &&
        SendDlgItemMessageA(page, combo, CB_GETLBTEXTLEN, index, 0) < ROWMERE_TEXT_SIZE)
        SendDlgItemMessageA(page, combo, CB_GETLBTEXT, index, (LPARAM)text);
    if (!text[0]) {
        char message[200];
        snprintf(message, sizeof message, "Please choose a %s before continuing.", what);
        DeskMessageBox(GetParent(page), message, OVDESK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return Refuse(page, code);
    }
    OvkitCopyText(field, ROWMERE_TEXT_SIZE, text);
    g_rm.Settings->szCustomSQL[0] = '\0';
    return Accept(page);
}

INT_PTR CALLBACK TablePage(HWND page, UINT message, WPARAM, LPARAM lParam) {
    Common(page, message, lParam, RM_TABLE);
    if (message == WM_INITDIALOG)
        return TRUE;
    UINT code = NotifyCode(message, lParam);
    if (code == PSN_SETACTIVE) {
        FillTables(page);
        return FALSE;
    }
    if (Leaving(code))
        return LeaveChoice(page, code, IDC_RM_TABLE, g_rm.Settings->RowmereTable, "table");
    return FALSE;
}

INT_PTR CALLBACK KeyPage(HWND page, UINT message, WPARAM, LPARAM lParam) {
    Common(page, message, lParam, RM_KEY);
    if (message == WM_INITDIALOG) {
        bool ip = g_rm.Kind == ROWMERE_KIND_IP;
        SetDlgItemTextA(page, IDC_RM_KEY_TEXT1,
                        ip ? "One of the fields in the table will be matched with the visitor's IP "
                             "or Cookie from your web server log files."
                           : "One of the fields in the table will be matched with the "
                             "Authenticated User name from your web server log files.");
        SetDlgItemTextA(page, IDC_RM_KEY_TEXT2,
                        ip ? "Select the field in the table that contains the visitor's IP or "
                             "Cookie."
                           : "Select the field in the table that contains the visitor's "
                             "Authenticated User name.");
        return TRUE;
    }
    UINT code = NotifyCode(message, lParam);
    if (code == PSN_SETACTIVE) {
        FillKeys(page);
        return FALSE;
    }
    if (Leaving(code))
        return LeaveChoice(page, code, IDC_RM_KEY, g_rm.Settings->RowmereKeyColumn, "key field");
    return FALSE;
}

// ---- Fields to Display ------------------------------------------------------
void AddChoice(void* context, const char* name, long dataType) {
    std::vector<ColumnChoice>* choices = (std::vector<ColumnChoice>*)context;
    ColumnChoice choice = {name, (DWORD)choices->size() + 1, false, (DWORD)dataType, -1};
    for (RowmereColumn* column = g_rm.Settings->lpColumns; column; column = column->Next)
        if (_stricmp(column->RowmereDataColumn, name) == 0) {
            choice.Selected = true;
            choice.Sequence = (int)column->RowmereReportSequence;
        }
    choices->push_back(choice);
}

ColumnChoice* BySequence(int sequence) {
    for (ColumnChoice& choice : g_rm.Choices)
        if (choice.Selected && choice.Sequence == sequence)
            return &choice;
    return nullptr;
}

void ShowFields(HWND page, int shownSelection) {
    HWND available = GetDlgItem(page, IDC_RM_AVAILABLE);
    HWND shown = GetDlgItem(page, IDC_RM_SHOWN);
    SendMessageA(available, LB_RESETCONTENT, 0, 0);
    SendMessageA(shown, LB_RESETCONTENT, 0, 0);
    for (const ColumnChoice& choice : g_rm.Choices)
        if (!choice.Selected)
            SendMessageA(available, LB_ADDSTRING, 0, (LPARAM)choice.Name.c_str());
    for (int sequence = 0; ColumnChoice* choice = BySequence(sequence); ++sequence)
        SendMessageA(shown, LB_ADDSTRING, 0, (LPARAM)choice->Name.c_str());
    SendMessageA(shown, LB_SETCURSEL, shownSelection, 0);
    EnableWindow(GetDlgItem(page, IDC_RM_ADD), SendMessageA(available, LB_GETCOUNT, 0, 0) > 0);
    EnableWindow(GetDlgItem(page, IDC_RM_REMOVE), SendMessageA(shown, LB_GETCOUNT, 0, 0) > 0);
}

ColumnChoice* ChoiceNamed(const char* name) {
    for (ColumnChoice& choice : g_rm.Choices)
        if (choice.Name == name)
            return &choice;
    return nullptr;
}

void MoveToShown(HWND page) {
    HWND available = GetDlgItem(page, IDC_RM_AVAILABLE);
    int count = (int)SendMessageA(available, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(available, LB_GETSEL, i, 0) <= 0)
            continue;
        char name[ROWMERE_TEXT_SIZE] = "";
        if (SendMessageA(available, LB_GETTEXTLEN, i, 0) >= ROWMERE_TEXT_SIZE)
            continue;
        SendMessageA(available, LB_GETTEXT, i, (LPARAM)name);
        int highest = -1;
        for (const ColumnChoice& choice : g_rm.Choices)
            if (choice.Selected)
                highest = std::max(highest, choice.Sequence);
        if (ColumnChoice* choice = ChoiceNamed(name)) {
            choice->Selected = true;
            choice->Sequence = highest + 1;
        }
    }
    ShowFields(page, -1);
}

void MoveToAvailable(HWND page) {
    LRESULT index = SendDlgItemMessageA(page, IDC_RM_SHOWN, LB_GETCURSEL, 0, 0);
    ColumnChoice* gone = index == LB_ERR ? nullptr : BySequence((int)index);
    if (!gone)
        return;
    for (ColumnChoice& choice : g_rm.Choices)
        if (choice.Selected && choice.Sequence > gone->Sequence)
            --choice.Sequence;
    gone->Selected = false;
    gone->Sequence = -1;
    ShowFields(page, -1);
}

// up: toward the first place.
void MoveShown(HWND page, bool up) {
    HWND shown = GetDlgItem(page, IDC_RM_SHOWN);
    int count = (int)SendMessageA(shown, LB_GETCOUNT, 0, 0);
    LRESULT index = SendMessageA(shown, LB_GETCURSEL, 0, 0);
    if (count < 2 || index == LB_ERR)
        return;
    int to = (int)index + (up ? -1 : 1);
    if (to < 0 || to >= count)
        return;
    ColumnChoice* moved = BySequence((int)index);
    ColumnChoice* other = BySequence(to);
    if (!moved || !other)
        return;
    std::swap(moved->Sequence, other->Sequence);
    ShowFields(page, to);
}

void StoreFields() {
    FreeRowmereColumns(g_rm.Settings->lpColumns);
    g_rm.Settings->lpColumns = nullptr;
    RowmereColumn** tail = &g_rm.Settings->lpColumns;
    for (const ColumnChoice& choice : g_rm.Choices) {
        if (!choice.Selected)
            continue;
        RowmereColumn* column = AllocRowmereData();
        if (!column)
            return;
        column->RowmereDataType = choice.DataType;
        column->RowmereColumnNumber = choice.Number;
        OvkitCopyText(column->RowmereDataColumn, ROWMERE_TEXT_SIZE, choice.Name.c_str());
        column->RowmereReportSequence = (DWORD)choice.Sequence;
        *tail = column;
        tail = &column->Next;
    }
}

INT_PTR CALLBACK FieldsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    Common(page, message, lParam, RM_FIELDS);
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND) {
        if (LOWORD(wParam) == IDC_RM_ADD)
            MoveToShown(page);
        else if (LOWORD(wParam) == IDC_RM_REMOVE)
            MoveToAvailable(page);
        return TRUE;
    }
    UINT code = NotifyCode(message, lParam);
    if (code == UDN_DELTAPOS) {
        MoveShown(page, ((NMUPDOWN*)lParam)->iDelta > 0);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    if (code == PSN_SETACTIVE) {
        g_rm.Choices.clear();
        OdbcListColumns(page, g_rm.Settings->RowmereTable, AddChoice, &g_rm.Choices);
        ShowFields(page, -1);
        return FALSE;
    }
    if (Leaving(code)) {
        StoreFields();
        return Accept(page);
    }
    return FALSE;
}

// ---- Reporting Options ------------------------------------------------------
void OnAdvancedSql(HWND page) {
    RowmereSettings* settings = g_rm.Settings;
    snprintf(g_rm.DefaultQuery, sizeof g_rm.DefaultQuery, "SELECT * FROM %s WHERE %s = ?",
             settings->RowmereTable, settings->RowmereKeyColumn);
    char query[ROWMERE_SQL_SIZE];
    OvkitCopyText(query, sizeof query,
                  settings->szCustomSQL[0] ? settings->szCustomSQL : g_rm.DefaultQuery);
    DialogBoxIndirectParamA(GetPluginInstance(), GetDialogTemplate(IDD_RM_ADVANCED_SQL), page,
                            DoAdvancedSQLDlg, (LPARAM)query);
    // A query equal to the default is never stored.
    if (query[0] && _stricmp(query, g_rm.DefaultQuery) != 0)
        OvkitCopyText(settings->szCustomSQL, ROWMERE_SQL_SIZE, query);
    else
        settings->szCustomSQL[0] = '\0';
}

INT_PTR CALLBACK OptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    Common(page, message, lParam, RM_OPTIONS);
    RowmereSettings* settings = g_rm.Settings;
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageA(page, IDC_RM_TITLE, EM_LIMITTEXT, ROWMERE_TITLE_SIZE - 1, 0);
        SetDlgItemTextA(page, IDC_RM_TITLE,
                        settings->RowmereReportTitle[0] ? settings->RowmereReportTitle
                                                        : "Rowmere Data");
        SetDlgItemTextA(page, IDC_RM_EXPLAIN,
                        g_rm.Kind == ROWMERE_KIND_IP
                            ? "The information from your database will appear as a column in "
                              "the Top Visitors table of your Ostrevane reports."
                            : "The information from your database will appear as a column in "
                              "the Authenticated Users table of your Ostrevane reports.");
        CheckDlgButton(page, IDC_RM_ONLY_FOUND,
                       settings->RowmereShowOnlyRowmere ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_RM_ADVANCED) {
        OnAdvancedSql(page);
        return TRUE;
    }
    if (Leaving(NotifyCode(message, lParam))) {
        settings->RowmereShowOnlyRowmere =
            IsDlgButtonChecked(page, IDC_RM_ONLY_FOUND) == BST_CHECKED;
        GetItemTextBounded(page, IDC_RM_TITLE, settings->RowmereReportTitle, ROWMERE_TITLE_SIZE);
        return Accept(page);
    }
    return FALSE;
}

struct RowmereRow {
    DLGPROC Procedure;
    UINT Template;
};
const RowmereRow kRowmereRows[RM_PAGES] = {{SourcePage, IDD_RM_SOURCE},
                                           {TablePage, IDD_RM_TABLE},
                                           {KeyPage, IDD_RM_KEY},
                                           {FieldsPage, IDD_RM_FIELDS},
                                           {OptionsPage, IDD_RM_OPTIONS}};
} // namespace

INT_PTR CALLBACK DoAdvancedSQLDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    char* query = (char*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, IDC_RM_SQL, EM_LIMITTEXT, ROWMERE_SQL_SIZE - 1, 0);
        SetDlgItemTextA(dialog, IDC_RM_SQL, (const char*)lParam);
        CenterWindowOnScreen(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            GetItemTextBounded(dialog, IDC_RM_SQL, query, ROWMERE_SQL_SIZE);
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    return FALSE;
}

int ConfigureRowmereSheet(HWND owner, int isNew, RowmereSettings* settings, int kind) {
    g_rm.Settings = settings;
    g_rm.Kind = kind;
    g_rm.Wizard = isNew ? 1 : 0;
    g_rm.Result = 1;
    g_rm.Connected = 0;
    g_rm.Choices.clear();
    PROPSHEETPAGEA pages[RM_PAGES];
    HPROPSHEETPAGE handles[RM_PAGES];
    int made = 0;
    for (const RowmereRow& row : kRowmereRows) {
        const DLGTEMPLATE* dialogTemplate = GetDialogTemplate(row.Template);
        if (!dialogTemplate)
            continue;
        PROPSHEETPAGEA& page = pages[made];
        memset(&page, 0, sizeof page);
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.hInstance = GetPluginInstance();
        page.pResource = dialogTemplate;
        page.pfnDlgProc = row.Procedure;
        if (HPROPSHEETPAGE handle = CreatePropertySheetPageA(&page))
            handles[made++] = handle;
    }
    if (made != RM_PAGES) {
        for (int i = 0; i < made; ++i)
            DestroyPropertySheetPage(handles[i]);
        return 0;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USECALLBACK | (g_rm.Wizard ? PSH_WIZARD : 0);
    header.hwndParent = owner;
    header.hInstance = GetPluginInstance();
    header.pszCaption = "Configure Rowmere";
    header.nPages = made;
    header.phpage = handles;
    header.pfnCallback = RemoveContextHelpStyles;
    INT_PTR shown = PropertySheetA(&header);
    g_rm.Choices.clear();
    return shown >= 0 && g_rm.Result ? 1 : 0;
}

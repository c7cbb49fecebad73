// The intranet add and edit dialog (8053): one procedure in two modes.
#include "list_editors/intranet_dialogs.h"
#include "list_editors/intranet_list.h"
#include "list_editors/list_common.h"
#include "list_editors/pick_lists.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <commctrl.h>
#include <cstring>
#include <string>
#include <vector>

namespace {
const char kNone[] = "None";
const char kTooLong[] = "The string '%s' is too long.  Please shorten it.";
const char kBlanks[] = "The string '%s' contains spaces.  Please eliminate them.";
const char kCommas[] = "The string '%s' contains commas.  Please eliminate them.";
const char kEmpty[] = "This string must be filled in.  Please enter something here.";

struct EditDialog {
    bool Editing = false;
    HFONT Bold = nullptr;
    std::vector<lists::Pick> Countries;
    std::vector<lists::Pick> States;
};
EditDialog g_edit;

// One field as typed and as it is stored, with the rules it must meet.
struct FieldRule {
    int Item;
    int Size;
    bool NoBlanks;
    bool Required;
};
const FieldRule kRules[INTRANET_FIELD_COUNT] = {
    {IDC_IN_DOMAIN_FIELD, INTRANET_DOMAIN_SIZE, true, true},
    {IDC_IN_DESCRIPTION_FIELD, INTRANET_DESCRIPTION_SIZE, false, true},
    {IDC_IN_CITY_FIELD, INTRANET_CITY_SIZE, false, false},
    {IDC_IN_STATE_FIELD, INTRANET_STATE_SIZE, false, true},
    {IDC_IN_COUNTRY_FIELD, INTRANET_COUNTRY_SIZE, false, true},
    {IDC_IN_PATTERN_FIELD, INTRANET_PATTERN_SIZE, true, true},
};

std::string ItemText(HWND dialog, int item) {
    char text[256] = "";
    GetDlgItemTextA(dialog, item, text, sizeof text);
    return text;
}

std::string Upper(std::string text) {
    CharUpperBuffA(&text[0], (DWORD)text.size());
    return text;
}

// The value stored for field f: state and country names become their codes
// (a name not in the list stays as typed), upper-cased.
std::string StoredValue(int f, const std::string& typed) {
    if (f == 3)
        return typed == kNone ? " " : Upper(lists::PickCode(g_edit.States, typed));
    if (f == 4)
        return Upper(lists::PickCode(g_edit.Countries, typed));
    return typed;
}

// The codes are tested, not the names: a country's name may hold a comma
// and a state's name may be longer than its code.
bool FieldIsValid(HWND dialog, const FieldRule& rule, const std::string& typed,
                  const std::string& stored) {
    const char* fault = stored.size() > size_t(rule.Size - 1)                    ? kTooLong
                        : rule.NoBlanks && stored.find(' ') != std::string::npos ? kBlanks
                        : stored.find(',') != std::string::npos                  ? kCommas
                        : rule.Required && typed.empty()                         ? kEmpty
                                                                                 : nullptr;
    if (fault)
        lists::RefuseField(dialog, rule.Item, fault, typed.c_str());
    return fault == nullptr;
}

bool ReadEntry(HWND dialog, IntranetFields* entry) {
    memset(entry, 0, sizeof *entry);
    for (int f = 0; f < INTRANET_FIELD_COUNT; ++f) {
        std::string typed = ItemText(dialog, kRules[f].Item);
        std::string stored = StoredValue(f, typed);
        if (!FieldIsValid(dialog, kRules[f], typed, stored))
            return false;
        int size = 0;
        char* field = ORB_IntranetField(entry, f, &size);
        lstrcpynA(field, stored.c_str(), size);
    }
    return true;
}

void FillCombo(HWND dialog, int item, const std::vector<lists::Pick>& picks, bool none) {
    HWND combo = GetDlgItem(dialog, item);
    if (none)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)kNone);
    for (const lists::Pick& pick : picks)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)pick.Name.c_str());
}

// The name a stored code stands for, or the code itself.
void ShowCode(HWND dialog, int item, const std::vector<lists::Pick>& picks, const char* code) {
    const lists::Pick* pick = picks.empty() ? nullptr : lists::PickByCode(picks, code);
    const char* name = pick ? pick->Name.c_str() : code;
    HWND combo = GetDlgItem(dialog, item);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    if (index != CB_ERR)
        SendMessageA(combo, CB_SETCURSEL, index, 0);
    else
        SetWindowTextA(combo, name);
}

void FillFromEntry(HWND dialog, const IntranetFields& e) {
    auto show = [&](int item, const char* text) {
        SetDlgItemTextA(dialog, item, strcmp(text, " ") == 0 ? "" : text);
    };
    show(IDC_IN_DOMAIN_FIELD, e.Domain);
    show(IDC_IN_DESCRIPTION_FIELD, e.Description);
    show(IDC_IN_CITY_FIELD, e.City);
    show(IDC_IN_PATTERN_FIELD, e.Pattern);
    bool noState = !e.State[0] || strcmp(e.State, " ") == 0;
    ShowCode(dialog, IDC_IN_STATE_FIELD, g_edit.States, noState ? kNone : e.State);
    ShowCode(dialog, IDC_IN_COUNTRY_FIELD, g_edit.Countries, e.Country);
}

bool InitEdit(HWND dialog, bool editing) {
    g_edit = EditDialog();
    g_edit.Editing = editing;
    IntranetBlock* block = Intranet_List();
    if (!block)
        return false;
    if (!editing && block->Count >= INTRANET_MAX_ENTRIES) {
        Intranet_ShowFullMessage(dialog);
        return false;
    }
    const int labels[] = {IDC_IN_EDIT_LABEL1, IDC_IN_EDIT_LABEL2, IDC_IN_EDIT_LABEL3,
                          IDC_IN_EDIT_LABEL4, IDC_IN_EDIT_LABEL5, IDC_IN_EDIT_LABEL6};
    g_edit.Bold = lists::MakeLabelsBold(dialog, labels, 6);
    CenterWindowOnScreen(dialog);
    for (const FieldRule& rule : kRules)
        SendDlgItemMessageA(dialog, rule.Item, EM_LIMITTEXT, 255, 0);
    if (!lists::LoadPickList(IDT_COUNTRY_LIST, &g_edit.Countries))
        DeskMessageBox(dialog, "Error from LoadCountryList", "Temporary Message", MB_OK);
    if (!lists::LoadPickList(IDT_STATE_LIST, &g_edit.States))
        DeskMessageBox(dialog, "Error from LoadStateList", "Temporary Message", MB_OK);
    FillCombo(dialog, IDC_IN_COUNTRY_FIELD, g_edit.Countries, false);
    FillCombo(dialog, IDC_IN_STATE_FIELD, g_edit.States, true);
    int chosen = intranet::ChosenIndex();
    if (editing && chosen >= 0 && (DWORD)chosen < block->Count)
        FillFromEntry(dialog, block->Entries[chosen]);
    else if (!editing)
        SendDlgItemMessageA(dialog, IDC_IN_STATE_FIELD, CB_SETCURSEL, 0, 0);
    return true;
}

void Commit(HWND dialog) {
    IntranetFields entry;
    if (!ReadEntry(dialog, &entry))
        return;
    int chosen = intranet::ChosenIndex();
    if (g_edit.Editing && chosen >= 0) {
        Intranet_Remove(chosen);
        ListView_DeleteItem(intranet::ListView(), chosen);
    }
    int index = Intranet_Insert(entry);
    intranet::ShowNewRow(index);
    SaveIntranetFile(dialog);
    intranet::RememberDomain(entry.Domain);
    EndDialog(dialog, 1);
}

void EndEdit(HWND dialog, INT_PTR result) {
    if (g_edit.Bold)
        DeleteObject(g_edit.Bold);
    g_edit = EditDialog();
    EndDialog(dialog, result);
}

INT_PTR EditProcedure(HWND dialog, UINT message, WPARAM wParam, bool editing) {
    switch (message) {
    case WM_INITDIALOG:
        if (!InitEdit(dialog, editing))
            EndEdit(dialog, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Commit(dialog);
            break;
        case IDCANCEL:
            EndEdit(dialog, 0);
            break;
        case IDC_IN_HELP:
            lists::ShowHelpTopic(dialog, HELP_INTRANET_EDIT);
            break;
        }
        return TRUE;
    case WM_DESTROY:
        if (g_edit.Bold)
            DeleteObject(g_edit.Bold);
        g_edit.Bold = nullptr;
        return FALSE;
    }
    return FALSE;
}
} // namespace

INT_PTR CALLBACK Intranet_CreateNewEntry(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return EditProcedure(dialog, message, wParam, false);
}

INT_PTR CALLBACK Intranet_EditEntry(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return EditProcedure(dialog, message, wParam, true);
}

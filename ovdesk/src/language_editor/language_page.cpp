// The Language page: the languages, the tree of report items and the value
// of the selected one.
#include "language_editor/language_page.h"
#include "ovdesk/language_editor.h"
#include "language_editor/language_files.h"
#include "language_editor/language_state.h"
#include "language_editor/language_tree.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovkit/wait_cursor.h"
#include <prsht.h>
#include <cstdio>
#include <cstring>

namespace langedit {
namespace {
const char kDefaultMark[] = " (Default)";
const char kCaption[] = "Report Editor";
const size_t kMaxValue = 4095;

EditorState g_state;

HWND Item(int id) {
    return GetDlgItem(g_state.Page, id);
}

void ListLanguagesInCombo() {
    HWND combo = Item(IDC_LE_LANGUAGES);
    LRESULT chosen = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : g_state.Languages) {
        std::string shown = name;
        if (_stricmp(name.c_str(), g_state.Default.c_str()) == 0)
            shown += kDefaultMark;
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)shown.c_str());
    }
    SendMessageA(combo, CB_SETCURSEL, chosen, 0);
}

int ChosenLanguage() {
    return (int)SendMessageA(Item(IDC_LE_LANGUAGES), CB_GETCURSEL, 0, 0);
}

void EnableRemove() {
    int chosen = ChosenLanguage();
    bool removable = chosen >= 0 && g_state.Languages.size() > 1 &&
                     _stricmp(g_state.Languages[chosen].c_str(), "english") != 0;
    EnableWindow(Item(IDC_LE_REMOVE), removable);
}

void SetPicture(int index, int picture) {
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = g_state.Items[index].Handle;
    item.iImage = item.iSelectedImage = picture;
    TreeView_SetItem(g_state.Tree, &item);
}

HIMAGELIST MakeImages() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0);
    const int ids[] = {IDB_LE_FOLDER_OPEN, IDB_LE_TEXT, IDB_LE_TEXT_EDITED, IDB_LE_FOLDER_CLOSED};
    for (int id : ids) {
        HBITMAP picture = LoadBitmapA(GetPluginInstance(), MAKEINTRESOURCEA(id));
        ImageList_AddMasked(images, picture, RGB(255, 0, 255));
        DeleteObject(picture);
    }
    return images;
}

void BuildTree() {
    std::string text;
    if (!ReadWhole(TemplateFolder() + "LANG.TRE", &text))
        return;
    std::vector<HTREEITEM> parents; // parents[d - 1]: the last item of depth d
    for (const TreeLine& line : ParseTree(text)) {
        int depth = line.Depth;
        if (depth > (int)parents.size() + 1)
            depth = (int)parents.size() + 1; // a deeper line goes under the last item
        parents.resize(depth - 1);
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parents.empty() ? TVI_ROOT : parents.back();
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(line.Title.c_str());
        insert.item.iImage = insert.item.iSelectedImage =
            line.Key.empty() ? PICTURE_FOLDER_CLOSED : PICTURE_TEXT;
        insert.item.lParam = (LPARAM)g_state.Items.size();
        HTREEITEM handle = TreeView_InsertItem(g_state.Tree, &insert);
        g_state.Items.push_back({line.Title, line.Key, handle, false});
        parents.push_back(handle);
    }
    if (!g_state.Items.empty())
        TreeView_SelectItem(g_state.Tree, g_state.Items[0].Handle);
}

void FillPage() {
    CWaitCursor wait;
    g_state.Filled = true;
    g_state.Default = DefaultLanguage();
    SetDefaultLanguage(g_state.Default);
    g_state.Languages = ListLanguages();
    bool listed = false;
    for (const std::string& name : g_state.Languages)
        listed = listed || _stricmp(name.c_str(), g_state.Default.c_str()) == 0;
    if (!listed && !g_state.Languages.empty()) {
        g_state.Default = g_state.Languages[0];
        SetDefaultLanguage(g_state.Default);
    }
    ListLanguagesInCombo();
    SendMessageA(Item(IDC_LE_LANGUAGES), CB_SETCURSEL, 0, 0);
    if (!g_state.Languages.empty() && LoadLanguage(LanguagePath(g_state.Languages[0], ".RPL")))
        BuildTree();
    EnableRemove();
    ShowSelectedValue();
}

void OnLanguageChosen() {
    if (g_state.Modified) {
        if (AskToSave(MB_YESNO) == IDYES)
            SaveLanguage();
        ClearMarks();
    }
    int chosen = ChosenLanguage();
    if (chosen >= 0)
        LoadLanguage(LanguagePath(g_state.Languages[chosen], ".RPL"));
    EnableRemove();
    ShowSelectedValue();
}

void OnSetDefault() {
    int chosen = ChosenLanguage();
    if (chosen < 0)
        return;
    g_state.Default = g_state.Languages[chosen];
    SetDefaultLanguage(g_state.Default);
    ListLanguagesInCombo();
}

void OnRemove() {
    int chosen = ChosenLanguage();
    if (chosen < 0 || EditorMessage("Remove selected language ?", kCaption,
                                    MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
        return;
    std::string removed = g_state.Languages[chosen];
    if (_stricmp(removed.c_str(), g_state.Default.c_str()) == 0 && g_state.Languages.size() > 1) {
        g_state.Default = g_state.Languages[chosen == 0 ? 1 : 0];
        SetDefaultLanguage(g_state.Default);
    }
    g_state.Languages.erase(g_state.Languages.begin() + chosen);
    DeleteFileA(LanguagePath(removed, ".RPL").c_str());
    ListLanguagesInCombo();
    SendMessageA(Item(IDC_LE_LANGUAGES), CB_SETCURSEL, 0, 0);
    g_state.Modified = false; // the removed language's edits go with it
    ClearMarks();
    if (!g_state.Languages.empty())
        LoadLanguage(LanguagePath(g_state.Languages[0], ".RPL"));
    EnableRemove();
    ShowSelectedValue();
}

void ExpandAll(bool expand) {
    for (size_t i = 0; i < g_state.Items.size(); ++i) {
        if (!g_state.Items[i].Key.empty())
            continue;
        TreeView_Expand(g_state.Tree, g_state.Items[i].Handle, expand ? TVE_EXPAND : TVE_COLLAPSE);
        SetPicture((int)i, expand ? PICTURE_FOLDER_OPEN : PICTURE_FOLDER_CLOSED);
    }
}

void OnContentChanged() {
    if (g_state.Showing)
        return;
    int index = SelectedItem();
    if (index < 0 || g_state.Items[index].Key.empty())
        return;
    char text[kMaxValue + 1] = "";
    GetWindowTextA(Item(IDC_LE_CONTENT), text, sizeof text);
    if (strchr(text, '}')) {
        // The value would end at the brace and the rest corrupt the file.
        EditorMessage("A report text cannot hold the character '}'.", kCaption,
                      MB_OK | MB_ICONEXCLAMATION);
        ShowSelectedValue();
        return;
    }
    if (StoreEdit(index, text))
        g_state.Shown = text;
}

// Whether the page may close: unsaved edits are saved or dropped as the
// user answers; Cancel (when offered) keeps the page.
bool MayClose(UINT buttons) {
    if (!g_state.Modified)
        return true;
    int answer = AskToSave(buttons);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES && !SaveLanguage())
        return false;
    g_state.Modified = false;
    return true;
}

void OnCommand(int id, int code) {
    switch (id) {
    case IDC_LE_LANGUAGES:
        if (code == CBN_SELCHANGE)
            OnLanguageChosen();
        break;
    case IDC_LE_CONTENT:
        if (code == EN_CHANGE)
            OnContentChanged();
        break;
    case IDC_LE_SAVE:
        if (g_state.Modified)
            SaveLanguage();
        break;
    case IDC_LE_ADD:
        RunAddDialog();
        EnableRemove();
        break;
    case IDC_LE_REMOVE:
        OnRemove();
        break;
    case IDC_LE_RESTORE:
        RunRestoreDialog();
        break;
    case IDC_LE_FIND:
        OpenFindDialog();
        break;
    case IDC_LE_SET_DEFAULT:
        OnSetDefault();
        break;
    case IDC_LE_EXPAND_ALL:
    case IDC_LE_COLLAPSE_ALL:
        ExpandAll(id == IDC_LE_EXPAND_ALL);
        break;
    case IDCANCEL:
        // Escape on the page: the sheet's Cancel, after the question.
        if (MayClose(MB_YESNOCANCEL))
            PostMessageA(GetParent(g_state.Page), WM_COMMAND, IDCANCEL, 0);
        break;
    }
}

INT_PTR OnNotify(const NMHDR* header, LPARAM lParam) {
    switch (header->code) {
    case PSN_SETACTIVE:
        if (!g_state.Filled)
            FillPage();
        return TRUE;
    case PSN_APPLY: // OK
        SetWindowLongPtrA(g_state.Page, DWLP_MSGRESULT,
                          MayClose(MB_YESNOCANCEL) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
        return TRUE;
    case PSN_QUERYCANCEL:
        SetWindowLongPtrA(g_state.Page, DWLP_MSGRESULT, MayClose(MB_YESNOCANCEL) ? FALSE : TRUE);
        return TRUE;
    case PSN_RESET: // a sheet whose Cancel cannot be refused
        MayClose(MB_YESNO);
        return TRUE;
    case PSN_HELP:
        WinHelpA(g_state.Page, nullptr, HELP_CONTEXT, HELP_LANGUAGE_EDITOR);
        return TRUE;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        ShowSelectedValue();
        return TRUE;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        const NMTREEVIEWA* change = (const NMTREEVIEWA*)lParam;
        int index = (int)change->itemNew.lParam;
        if (index >= 0 && index < (int)g_state.Items.size() && g_state.Items[index].Key.empty())
            SetPicture(index,
                       change->action == TVE_EXPAND ? PICTURE_FOLDER_OPEN : PICTURE_FOLDER_CLOSED);
        return TRUE;
    }
    }
    return FALSE;
}

void InitPage(HWND page) {
    CloseFindDialog();
    if (g_state.Images)
        ImageList_Destroy(g_state.Images);
    g_state = EditorState();
    g_state.Page = page;
    g_state.Tree = GetDlgItem(page, IDC_LE_TREE);
    g_state.Images = MakeImages();
    TreeView_SetImageList(g_state.Tree, g_state.Images, TVSIL_NORMAL);
    SendDlgItemMessageA(page, IDC_LE_CONTENT, EM_LIMITTEXT, kMaxValue, 0);
}

void EndPage() {
    CloseFindDialog();
    if (g_state.Images)
        ImageList_Destroy(g_state.Images);
    g_state = EditorState();
}
} // namespace

EditorState& State(void) {
    return g_state;
}

int EditorMessage(const char* text, const char* caption, UINT type) {
    return DeskMessageBox(g_state.Page, text, caption, type);
}

int AskToSave(UINT buttons) {
    return EditorMessage("You've made changes to the current report language, do you want to "
                         "save it before switch to the other?",
                         kCaption, buttons | MB_ICONQUESTION);
}

int SelectedItem(void) {
    HTREEITEM selected = TreeView_GetSelection(g_state.Tree);
    if (!selected)
        return -1;
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = selected;
    if (!TreeView_GetItem(g_state.Tree, &item))
        return -1;
    int index = (int)item.lParam;
    return index >= 0 && index < (int)g_state.Items.size() ? index : -1;
}

void SelectItem(int index) {
    if (index >= 0 && index < (int)g_state.Items.size())
        TreeView_SelectItem(g_state.Tree, g_state.Items[index].Handle);
}

void ShowSelectedValue(void) {
    int index = SelectedItem();
    std::string value;
    if (index >= 0 && !g_state.Items[index].Key.empty())
        g_state.Text.Value(g_state.Items[index].Key, &value);
    g_state.Showing = true;
    SetDlgItemTextA(g_state.Page, IDC_LE_CONTENT, value.c_str());
    g_state.Showing = false;
    g_state.Shown = value;
}

bool StoreEdit(int index, const std::string& value) {
    if (index < 0 || index >= (int)g_state.Items.size() ||
        !g_state.Text.SetValue(g_state.Items[index].Key, value))
        return false;
    MarkEdited(index);
    return true;
}

void MarkEdited(int index) {
    g_state.Items[index].Modified = true;
    SetPicture(index, PICTURE_TEXT_EDITED);
    g_state.Modified = true;
}

void ClearMarks(void) {
    for (size_t i = 0; i < g_state.Items.size(); ++i)
        if (g_state.Items[i].Modified) {
            g_state.Items[i].Modified = false;
            SetPicture((int)i, PICTURE_TEXT);
        }
}

bool SaveLanguage(void) {
    if (!WriteWhole(g_state.Path, g_state.Text.Text())) {
        EditorMessage("Cannot save file", "Save", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    g_state.Modified = false;
    ClearMarks();
    return true;
}

bool LoadLanguage(const std::string& path) {
    std::string text;
    if (!ReadWhole(path, &text))
        return false;
    g_state.Text.Assign(std::move(text));
    g_state.Path = path;
    g_state.Modified = false;
    ClearMarks();
    return true;
}

} // namespace langedit

INT_PTR CALLBACK LanguagePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace langedit;
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page);
        return TRUE;
    case WM_COMMAND:
        if (State().Page == page)
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (State().Page != page)
            return FALSE;
        return OnNotify((const NMHDR*)lParam, lParam);
    case WM_DESTROY:
        if (State().Page == page)
            EndPage();
        return FALSE;
    }
    return FALSE;
}

INT_PTR __cdecl ShowLanguageEditorSheet(HWND owner) {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = GetPluginInstance();
    page.pResource = GetDialogTemplate(IDD_LANGUAGE_PAGE);
    page.pfnDlgProc = LanguagePageProc;
    if (!page.pResource)
        return -1;
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = GetPluginInstance();
    header.pszCaption = "Options";
    header.nPages = 1;
    header.ppsp = &page;
    return PropertySheetA(&header);
}

// Files, list views and refusals of the list editors.
#include "list_editors/list_common.h"
#include "desk_services.h"
#include "startup/plugin_state.h"
#include "ovkit/listview_helpers.h"
#include "ovkit/ui_helpers.h"
#include <commctrl.h>
#include <cstdio>

namespace lists {

std::string ListFilePath(const char* name) {
    return std::string(GetModuleDirectory()) + name;
}

bool ReadListFile(const char* name, std::string* text) {
    text->clear();
    HANDLE file =
        CreateFileA(ListFilePath(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0, size = GetFileSize(file, &high);
    bool read = size != INVALID_FILE_SIZE && high == 0 && size < (64u << 20);
    DWORD got = 0;
    if (read && size) {
        text->resize(size);
        read = ReadFile(file, &(*text)[0], size, &got, nullptr) != 0;
        text->resize(got);
    }
    CloseHandle(file);
    return read;
}

bool WriteListFile(HWND owner, const char* name, const std::string& text) {
    HANDLE file = CreateFileA(ListFilePath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool done = file != INVALID_HANDLE_VALUE &&
                WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr) &&
                written == text.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!done)
        DeskMessageBox(owner, "Can not create Data file", "Error Updating  File",
                       MB_OK | MB_ICONEXCLAMATION);
    return done;
}

bool NextLine(const std::string& text, size_t* at, std::string* line) {
    if (*at >= text.size())
        return false;
    size_t end = text.find_first_of("\r\n", *at);
    if (end == std::string::npos)
        end = text.size();
    line->assign(text, *at, end - *at);
    *at = end;
    if (*at < text.size() && text[*at] == '\r')
        ++*at;
    if (*at < text.size() && text[*at] == '\n')
        ++*at;
    return true;
}

std::string LinesFrom(const std::string& text, int first) {
    std::string kept, line;
    size_t at = 0;
    for (int index = 0; NextLine(text, &at, &line); ++index)
        if (index >= first)
            kept += line + "\r\n";
    return kept;
}

int InsertRow(HWND list, int index, const char* first, const char* second) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(first);
    int row = (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    if (row >= 0 && second)
        ListView_SetItemText(list, row, 1, const_cast<char*>(second));
    return row;
}

void SelectRow(HWND list, int index) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index < 0)
        return;
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, index, FALSE);
}

int ChosenRow(HWND dialog, HWND list, int count, const char* emptyCaption, const char* emptyText) {
    if (count <= 0) {
        DeskMessageBox(dialog, emptyText, emptyCaption, MB_OK | MB_ICONINFORMATION);
        return -1;
    }
    int row = OVKIT_ListViewGetSelection(list);
    if (row < 0 || row >= count) {
        DeskMessageBox(dialog, "You must select at least one item.", "No items selected",
                       MB_OK | MB_ICONINFORMATION);
        return -1;
    }
    return row;
}

int RowAfterRefresh(HWND list, std::string* wanted, int previous) {
    int rows = ListView_GetItemCount(list);
    int row = -1;
    char text[256];
    for (int i = 0; !wanted->empty() && i < rows && row < 0; ++i) {
        ListView_GetItemText(list, i, 0, text, sizeof text);
        if (*wanted == text)
            row = i;
    }
    wanted->clear();
    if (row < 0)
        row = previous >= 0 && previous < rows ? previous : rows > 0 ? 0 : -1;
    return row;
}

HFONT MakeLabelsBold(HWND dialog, const int* ids, int count) {
    HFONT bold = OVKIT_GetBoldFaceFont(dialog);
    HFONT own = (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0);
    if (bold == own)
        return nullptr;
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageA(dialog, ids[i], WM_SETFONT, (WPARAM)bold, FALSE);
    return bold;
}

void ShowHelpTopic(HWND window, DWORD topic) {
    WinHelpA(window, GetHelpPath(), HELP_CONTEXT, topic);
}

void RefuseField(HWND dialog, int item, const char* format, const char* field) {
    char text[512];
    snprintf(text, sizeof text, format, field);
    DeskMessageBox(dialog, text, OVDESK_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, item));
}

INT_PTR RunChild(HWND dialog, UINT templateId, DLGPROC procedure) {
    const DLGTEMPLATE* form = GetDialogTemplate(templateId);
    return form ? DialogBoxIndirectParamA(GetPluginInstance(), form, dialog, procedure, 0) : 0;
}

} // namespace lists

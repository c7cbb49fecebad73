// The "FTP Browser" dialog: walks the folders of an FTP server and gives the
// address of the file or folder the user picks.
#include "ftp_browse_list.h"
#include "ftp_client.h"
#include "base/library_resources.h"
#include "ovkit/ftp.h"
#include "ovkit/startup.h"
#include "ovkit/wait_cursor.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

namespace {

const int kRowHeight = 16;
const int kImageSize = 16;

struct BrowseState {
    OVKIT_FtpBrowseRecord* record;
    bool folderOnly;
    bool filling;
    std::string host, path, file;
    std::vector<FtpBrowseEntry> entries;
    HIMAGELIST images;
};

HWND List(HWND dialog) {
    return GetDlgItem(dialog, OVKIT_IDC_FTP_LIST);
}

bool EndsInSlash(const std::string& text) {
    return !text.empty() && text.back() == '/';
}

// path, a slash when needed, and file.
std::string Joined(const std::string& path, const std::string& file) {
    if (file.empty())
        return path;
    return path + (!path.empty() && !EndsInSlash(path) ? "/" : "") + file;
}

// The record's address: host, then the path and its file name.
void ReadAddress(BrowseState& s) {
    const char* address = s.record->address;
    if (_strnicmp(address, "ftp://", 6) == 0)
        address += 6;
    std::string text(address, strnlen(address, OVKIT_FTP_ADDRESS_SIZE));
    size_t slash = text.find_first_of("/\\");
    s.host = text.substr(0, slash);
    s.path = slash == std::string::npos ? "" : text.substr(slash);
    s.file.clear();
    size_t last = s.path.find_last_of('/');
    if (last != std::string::npos && last + 1 < s.path.size()) {
        s.file = s.path.substr(last + 1);
        s.path.erase(last ? last : 1);
    }
}

// Shows path and file, cut from the left behind "..." until it fits.
void ShowPath(HWND dialog, const BrowseState& s) {
    HWND control = GetDlgItem(dialog, OVKIT_IDC_FTP_PATH);
    std::string text = Joined(s.path, s.file);
    RECT box;
    GetClientRect(control, &box);
    HDC dc = GetDC(control);
    HGDIOBJ font = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    std::string shown = text;
    SIZE size;
    for (size_t cut = 0; cut < text.size(); cut++) {
        shown = cut ? "..." + text.substr(cut) : text;
        if (!GetTextExtentPoint32A(dc, shown.c_str(), (int)shown.size(), &size) ||
            size.cx <= box.right)
            break;
    }
    SelectObject(dc, font);
    ReleaseDC(control, dc);
    SetWindowTextA(control, shown.c_str());
}

void FillListView(HWND dialog, BrowseState& s) {
    HWND list = List(dialog);
    s.filling = true;
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < s.entries.size(); i++) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = (int)i;
        item.pszText = const_cast<char*>(s.entries[i].name.c_str());
        item.lParam = s.entries[i].kind;
        SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    }
    s.filling = false;
}

// Lists the current folder; false after the failure was shown.
bool Fill(HWND dialog, BrowseState& s) {
    CWaitCursor wait;
    const std::string shortPath = FtpListingPath(false), longPath = FtpListingPath(true);
    if (FtpGetListing(s.host.c_str(), s.record->user, s.record->password, &s.path) != 0) {
        const char* text = FtpLastError()[0] ? FtpLastError() : "Can not open the specified file.";
        MessageBoxA(dialog, text, "", MB_OK | MB_ICONERROR);
        return false;
    }
    s.entries = FtpReadListing(shortPath, longPath, s.path);
    DeleteFileA(shortPath.c_str());
    DeleteFileA(longPath.c_str());
    FillListView(dialog, s);
    return true;
}

void SelectFile(HWND dialog, const BrowseState& s) {
    for (size_t i = 0; i < s.entries.size(); i++)
        if (!s.file.empty() && s.entries[i].name == s.file) {
            LVITEMA item = {};
            item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(List(dialog), LVM_SETITEMSTATE, i, (LPARAM)&item);
            SendMessageA(List(dialog), LVM_ENSUREVISIBLE, i, FALSE);
        }
}

void Confirm(HWND dialog, BrowseState& s) {
    if (s.folderOnly)
        s.file.clear();
    std::string address = s.host + Joined(s.path, s.file);
    // A cut address would name another file: the choice is refused instead.
    if (address.size() >= OVKIT_FTP_ADDRESS_SIZE) {
        MessageBeep(MB_ICONERROR);
        return;
    }
    lstrcpynA(s.record->address, address.c_str(), OVKIT_FTP_ADDRESS_SIZE);
    EndDialog(dialog, 1);
}

// A double-click: a file confirms, a folder or ".." is entered.
void Activate(HWND dialog, BrowseState& s, int index) {
    if (index < 0 || index >= (int)s.entries.size())
        return;
    const FtpBrowseEntry entry = s.entries[index];
    if (entry.kind == FTP_ENTRY_FILE) {
        s.file = entry.name;
        Confirm(dialog, s);
        return;
    }
    if (entry.kind == FTP_ENTRY_UP) {
        if (EndsInSlash(s.path) && s.path.size() > 1)
            s.path.pop_back();
        size_t last = s.path.find_last_of('/');
        s.path.erase(last == std::string::npos || last == 0 ? 1 : last);
        if (s.path.empty() || s.path[0] != '/')
            s.path = "/";
    } else {
        s.path = Joined(s.path, entry.name);
    }
    s.file.clear();
    if (!Fill(dialog, s))
        EndDialog(dialog, 0);
}

void OnListNotify(HWND dialog, BrowseState& s, NMHDR* header) {
    if (header->code == LVN_ITEMCHANGED && !s.filling) {
        int selected = (int)SendMessageA(List(dialog), LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
        bool named = selected >= 0 && selected < (int)s.entries.size() &&
                     s.entries[selected].kind != FTP_ENTRY_UP;
        s.file = named ? s.entries[selected].name : "";
    } else if (header->code == NM_DBLCLK) {
        Activate(dialog, s, reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
    }
}

void DrawRow(const BrowseState& s, const DRAWITEMSTRUCT* d) {
    bool selected = (d->itemState & ODS_SELECTED) != 0;
    FillRect(d->hDC, &d->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (d->itemID >= s.entries.size())
        return;
    const FtpBrowseEntry& entry = s.entries[d->itemID];
    if (s.images)
        ImageList_Draw(s.images, entry.kind, d->hDC, d->rcItem.left + 2, d->rcItem.top,
                       ILD_TRANSPARENT);
    RECT text = d->rcItem;
    text.left += kImageSize + 6;
    SetBkMode(d->hDC, TRANSPARENT);
    SetTextColor(d->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(d->hDC, entry.name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

bool Start(HWND dialog, BrowseState& s) {
    ReadAddress(s);
    SetDlgItemTextA(dialog, OVKIT_IDC_FTP_HOST, s.host.c_str());
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 400;
    column.pszText = const_cast<char*>("Filename");
    SendMessageA(List(dialog), LVM_INSERTCOLUMNA, 0, (LPARAM)&column);
    s.images = ImageList_LoadImageA(OVKIT_GetInstance(), MAKEINTRESOURCEA(OVKIT_IDB_FTP_LIST),
                                    kImageSize, 0, RGB(255, 0, 255), IMAGE_BITMAP, 0);
    if (!Fill(dialog, s))
        return false;
    SelectFile(dialog, s);
    ShowPath(dialog, s);
    return true;
}

INT_PTR CALLBACK BrowseProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    BrowseState* s = reinterpret_cast<BrowseState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        if (!Start(dialog, *reinterpret_cast<BrowseState*>(lParam)))
            EndDialog(dialog, 0);
        return TRUE;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
        return TRUE;
    case WM_DRAWITEM:
        if (s && wParam == OVKIT_IDC_FTP_LIST)
            DrawRow(*s, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NOTIFY:
        if (s && reinterpret_cast<NMHDR*>(lParam)->idFrom == OVKIT_IDC_FTP_LIST) {
            OnListNotify(dialog, *s, reinterpret_cast<NMHDR*>(lParam));
            ShowPath(dialog, *s);
        }
        return TRUE;
    case WM_COMMAND:
        if (s && LOWORD(wParam) == IDOK)
            Confirm(dialog, *s);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        return TRUE;
    case WM_DESTROY:
        if (s && s->images)
            ImageList_Destroy(s->images);
        return FALSE;
    }
    return FALSE;
}

int Browse(HWND owner, OVKIT_FtpBrowseRecord* record, bool folderOnly) {
    if (!record)
        return 0;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    BrowseState state = {};
    state.record = record;
    state.folderOnly = folderOnly;
    return DialogBoxParamA(OVKIT_GetInstance(), MAKEINTRESOURCEA(OVKIT_IDD_FTP_BROWSE), owner,
                           BrowseProc, (LPARAM)&state) == 1
               ? 1
               : 0;
}

} // namespace

OVKIT_EXPORT(int) OVKIT_FtpBrowse(HWND owner, OVKIT_FtpBrowseRecord* record) {
    return Browse(owner, record, false);
}

OVKIT_EXPORT(int) OVKIT_FtpBrowseDirectory(HWND owner, OVKIT_FtpBrowseRecord* record) {
    return Browse(owner, record, true);
}

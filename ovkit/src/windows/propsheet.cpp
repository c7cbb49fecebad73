// The property sheet: building, layout, showing pages, OK, Cancel and Help.
#include "propsheet_window.h"
#include "ovkit/memory.h"
#include "ovkit/resources.h"
#include "propsheet_template.h"
#include <cstddef>
#include <cstdlib>

namespace {

// The sheet now shown; one at a time in a process.
CPropSheet* g_sheet = nullptr;
HWND g_shownPage = nullptr;

const int kMinPageWidth = 300;
const int kMinPageHeight = 200;
const int kCaptionMax = 99;

const char* const kButtonTexts[3] = {"OK", "Cancel", "Help"};

HFONT CreateSheetFont() {
    return CreateFontA(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, "Helv");
}

// The first version of the page record, the one callers build.
constexpr UINT kPageV1Size = offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*);
#ifndef _WIN64
static_assert(kPageV1Size == 40, "a first-version page record is 40 bytes");
#endif

// Page records are stepped by their own size, so that callers built with any
// version of the record are read right.
const PROPSHEETPAGEA* NextPage(const PROPSHEETPAGEA* page) {
    UINT size = page->dwSize >= kPageV1Size ? page->dwSize : kPageV1Size;
    return reinterpret_cast<const PROPSHEETPAGEA*>(reinterpret_cast<const BYTE*>(page) + size);
}

// Creates the page dialog as a child of the sheet. A template copied from
// the page's module is freed once the dialog exists.
HWND CreatePageDialog(const PROPSHEETPAGEA& page, HWND sheet, HINSTANCE module) {
    LPARAM param = reinterpret_cast<LPARAM>(&page);
    if (page.dwFlags & PSP_DLGINDIRECT) {
        if (!page.pResource)
            return nullptr;
        void* writable = const_cast<DLGTEMPLATE*>(page.pResource);
        OvkitMakeChildTemplate(writable);
        return CreateDialogIndirectParamA(module, page.pResource, sheet, page.pfnDlgProc, param);
    }
    if (!IS_INTRESOURCE(page.pszTemplate))
        return nullptr;
    int size = 0;
    UINT id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(page.pszTemplate));
    void* copy = OVKIT_LANGDLGBOX_MAKEINTRESOURCE_WRITABLE(id, &size, page.hInstance);
    if (!copy)
        return nullptr;
    OvkitMakeChildTemplate(copy);
    HWND dialog = CreateDialogIndirectParamA(module, static_cast<DLGTEMPLATE*>(copy), sheet,
                                             page.pfnDlgProc, param);
    OVKIT_MyFree(copy);
    return dialog;
}

} // namespace

CForwardingControl::CForwardingControl(CWindow* parent, const char* className, const char* title,
                                       DWORD style)
    : CWindow(parent, nullptr) {
    CreateBoundChild(className, title, style, 0, 0, 0, 0, parent->GetHandle());
}

ULONG_PTR CForwardingControl::OnCommand(WPARAM wParam, LPARAM lParam) {
    return m_pParent ? m_pParent->OnCommand(wParam, lParam) : 0;
}

ULONG_PTR CForwardingControl::OnNotify(unsigned short id, NMHDR* header) {
    return m_pParent ? m_pParent->OnNotify(id, header) : 0;
}

CPropSheet::CPropSheet(HWND parent)
    : CWindow(nullptr, nullptr), m_pTab(nullptr), m_pButtons{}, m_hFont(nullptr),
      m_hwndParent(parent), m_pPages(nullptr), m_nPages(0) {
    CreateBoundChild(OVKIT_CWINDOW_CLASS, "CPropSheet", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                     parent);
    if (!m_hWnd)
        return;
    SetWindowTextA(m_hWnd, "CPropSheet");
    g_sheet = this;
    g_shownPage = nullptr;
    m_hFont = CreateSheetFont();
    m_pTab = new CForwardingControl(this, WC_TABCONTROLA, "CTab", 0x50000200);
    SendMessageA(m_pTab->GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    for (int i = 0; i < ButtonCount; ++i) {
        m_pButtons[i] = new CForwardingControl(this, "BUTTON", kButtonTexts[i],
                                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
        SendMessageA(m_pButtons[i]->GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont),
                     FALSE);
    }
}

CPropSheet::~CPropSheet() {
    if (g_sheet == this) {
        g_sheet = nullptr;
        g_shownPage = nullptr;
    }
    for (int i = 0; i < m_nPages; ++i) {
        if (IsWindow(m_pPages[i]))
            DestroyWindow(m_pPages[i]);
    }
    free(m_pPages);
    delete m_pTab;
    for (CForwardingControl* button : m_pButtons)
        delete button;
    if (m_hFont)
        DeleteObject(m_hFont);
}

CPropSheet* CPropSheet::Current() {
    return g_sheet;
}

HWND CPropSheet::ShownPage() {
    return g_shownPage;
}

HWND CPropSheet::ButtonWindow(Button button) const {
    return m_pButtons[button] ? m_pButtons[button]->GetHandle() : nullptr;
}

int CPropSheet::AddPage(const PROPSHEETPAGEA& page) {
    HWND dialog = CreatePageDialog(page, m_hWnd, ClassModule());
    if (!dialog)
        return -1;
    HWND* grown = static_cast<HWND*>(realloc(m_pPages, (m_nPages + 1) * sizeof(HWND)));
    if (!grown) {
        DestroyWindow(dialog);
        return -1;
    }
    m_pPages = grown;
    m_pPages[m_nPages++] = dialog;
    char caption[kCaptionMax + 1] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = caption;
    item.lParam = reinterpret_cast<LPARAM>(dialog);
    HWND tab = m_pTab->GetHandle();
    int index = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    return static_cast<int>(
        SendMessageA(tab, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}

void CPropSheet::Build(const PROPSHEETHEADERA& header) {
    const bool byCaption = (header.dwFlags & PSH_USEPSTARTPAGE) != 0;
    int start = 0;
    SIZE extent = {kMinPageWidth, kMinPageHeight};
    const PROPSHEETPAGEA* page = header.ppsp;
    for (UINT i = 0; page && i < header.nPages; ++i, page = NextPage(page)) {
        int index = AddPage(*page);
        if (index < 0)
            continue;
        HWND dialog = m_pPages[m_nPages - 1];
        if (byCaption) {
            char caption[kCaptionMax + 1] = "";
            GetWindowTextA(dialog, caption, sizeof caption);
            if (header.pStartPage && lstrcmpiA(caption, header.pStartPage) == 0)
                start = index;
        } else if (i == header.nStartPage) {
            start = index;
        }
        RECT r;
        GetWindowRect(dialog, &r);
        if (r.right - r.left > extent.cx)
            extent.cx = r.right - r.left;
        if (r.bottom - r.top > extent.cy)
            extent.cy = r.bottom - r.top;
    }
    HWND tab = m_pTab->GetHandle();
    MoveWindow(tab, 5, 5, extent.cx, extent.cy, FALSE);
    RECT frame = {0, 0, extent.cx + 10, extent.cy + 45};
    SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&frame));
    SendMessageA(tab, TCM_SETCURSEL, start, 0);
    SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    ShowSelectedPage();
}

void CPropSheet::LayOut() {
    RECT client;
    GetClientRect(m_hWnd, &client);
    const LONG units = GetDialogBaseUnits();
    const int buttonWidth = 40 * LOWORD(units) / 4;
    const int buttonHeight = 12 * HIWORD(units) / 8;
    MoveWindow(m_pTab->GetHandle(), client.left + 5, client.top + 5, client.right - 10,
               client.bottom - buttonHeight - 15, TRUE);
    for (int i = 0; i < ButtonCount; ++i) {
        int x = client.right + 5 * i - buttonWidth * (3 - i) - 15;
        MoveWindow(ButtonWindow(static_cast<Button>(i)), x, client.bottom - buttonHeight - 5,
                   buttonWidth, buttonHeight, TRUE);
    }
}

void CPropSheet::ShowSelectedPage() {
    HWND tab = m_pTab->GetHandle();
    if (g_shownPage && IsWindow(g_shownPage))
        ShowWindow(g_shownPage, SW_HIDE);
    g_shownPage = nullptr;
    int selected = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (selected < 0 || !SendMessageA(tab, TCM_GETITEMA, selected, reinterpret_cast<LPARAM>(&item)))
        return;
    HWND page = reinterpret_cast<HWND>(item.lParam);
    RECT area;
    GetClientRect(tab, &area);
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tab, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_SHOWWINDOW);
    g_shownPage = page;
    SetFocus(tab);
    NotifyPage(page, PSN_SETACTIVE, GetDlgCtrlID(tab));
}

LONG_PTR CPropSheet::NotifyPage(HWND page, int code, WPARAM wParam) {
    PSHNOTIFY notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = 0;
    notify.hdr.code = static_cast<UINT>(code);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    SendMessageA(page, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(&notify));
    return GetWindowLongPtrA(page, DWLP_MSGRESULT);
}

bool CPropSheet::ApplyPages() {
    // Only the pages are asked, and each answers in its DWLP_MSGRESULT: the
    // controls on them have extra data of their own that means nothing here.
    for (int i = 0; i < m_nPages; ++i) {
        if (NotifyPage(m_pPages[i], PSN_APPLY, GetDlgCtrlID(m_pPages[i])) ==
            PSNRET_INVALID_NOCHANGEPAGE)
            return false;
    }
    return true;
}

ULONG_PTR CPropSheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    if (from == ButtonWindow(Help) || wParam == IDHELP) {
        if (g_shownPage)
            NotifyPage(g_shownPage, PSN_HELP, GetDlgCtrlID(m_hWnd));
        return 0;
    }
    if (from == ButtonWindow(Ok) || wParam == IDOK) {
        if (ApplyPages())
            SendMessageA(m_hwndParent, WM_COMMAND, IDOK, 0);
        return 0;
    }
    if (from == ButtonWindow(Cancel) || wParam == IDCANCEL) {
        for (int i = 0; i < m_nPages; ++i)
            NotifyPage(m_pPages[i], PSN_RESET, GetDlgCtrlID(m_pPages[i]));
        SendMessageA(m_hwndParent, WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}

ULONG_PTR CPropSheet::OnNotify(unsigned short, NMHDR* header) {
    if (header->hwndFrom == m_pTab->GetHandle() && header->code == static_cast<UINT>(TCN_SELCHANGE))
        ShowSelectedPage();
    return 0;
}

ULONG_PTR CPropSheet::OnWindowPosChanged(WINDOWPOS* position) {
    DefaultProc(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(position));
    if (m_pTab && m_pButtons[Help]) {
        LayOut();
        ShowSelectedPage();
    }
    return 0;
}

ULONG_PTR CPropSheet::OnMessage(void* window, unsigned int message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case OVKIT_PSM_SETCURSEL:
        SendMessageA(m_pTab->GetHandle(), TCM_SETCURSEL, wParam, 0);
        ShowSelectedPage();
        return 0;
    case OVKIT_PSM_CANCELTOCLOSE:
        SetWindowTextA(ButtonWindow(Ok), "Close");
        EnableWindow(ButtonWindow(Cancel), FALSE);
        return 0;
    default:
        return CWindow::OnMessage(window, message, wParam, lParam);
    }
}

ULONG_PTR CPropSheet::OnDestroy() {
    // The window is going: the object goes with it, its pages and controls
    // first.
    ReleaseWindow();
    delete this;
    return 0;
}

OVKIT_EXPORT(HWND) OVKIT_PropertySheet(LPCPROPSHEETHEADERA header) {
    if (!header)
        return nullptr;
    CPropSheet* sheet = new CPropSheet(header->hwndParent);
    HWND window = sheet->GetHandle();
    if (!window) {
        delete sheet;
        return nullptr;
    }
    sheet->Build(*header);
    return window;
}

// The property sheet's window object (internal to ovkit).
#pragma once
#include "ovkit/cwindow.h"
#include "ovkit/propsheet.h"

// Private messages the sheet's window takes.
#define OVKIT_PSM_SETCURSEL 1125
#define OVKIT_PSM_CANCELTOCLOSE 1131

// A control whose object passes its commands and notifications to its parent
// object.
class CForwardingControl : public CWindow {
  public:
    CForwardingControl(CWindow* parent, const char* className, const char* title, DWORD style);
    ULONG_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    ULONG_PTR OnNotify(unsigned short id, NMHDR* header) override;
};

class CPropSheet : public CWindow {
  public:
    // Makes the sheet's window, tab control and buttons in the parent.
    explicit CPropSheet(HWND parent);
    ~CPropSheet() override;

    // Creates the header's pages and sizes the sheet round them.
    void Build(const PROPSHEETHEADERA& header);
    // Handles a queued message for the sheet (see IsPropertySheetMessage).
    BOOL HandleKey(MSG* message);

    ULONG_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    ULONG_PTR OnNotify(unsigned short id, NMHDR* header) override;
    ULONG_PTR OnWindowPosChanged(WINDOWPOS* position) override;
    ULONG_PTR OnDestroy() override;
    ULONG_PTR OnMessage(void* window, unsigned int message, WPARAM wParam, LPARAM lParam) override;

    // The sheet now shown and its shown page (null when none).
    static CPropSheet* Current();
    static HWND ShownPage();

  private:
    enum Button { Ok, Cancel, Help, ButtonCount };

    // Adds one page; returns its tab index, -1 when it was left out.
    int AddPage(const PROPSHEETPAGEA& page);
    void LayOut();
    void ShowSelectedPage();
    // Sends a sheet notification to a page; returns its DWLP_MSGRESULT.
    LONG_PTR NotifyPage(HWND page, int code, WPARAM wParam);
    // Asks every page to apply; false when one refuses.
    bool ApplyPages();
    HWND ButtonWindow(Button button) const;
    // The window that Tab (or Shift+Tab) moves to from the focus; null when
    // the page's dialog manager moves it.
    HWND NextInRing(HWND focus, bool back) const;

    CForwardingControl* m_pTab;
    CForwardingControl* m_pButtons[ButtonCount];
    HFONT m_hFont;
    HWND m_hwndParent;
    HWND* m_pPages;
    int m_nPages;
};

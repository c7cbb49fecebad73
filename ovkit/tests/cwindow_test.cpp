#include <gtest/gtest.h>
#include <windows.h>
#include "canvas.h"
#include <commctrl.h>
#include "ovkit/cdialog.h"
#include "ovkit/cwindow.h"
#include <string>
#include <vector>

namespace {

struct Call {
    std::string slot;
    long long a, b, c;
    bool operator==(const Call& o) const {
        return slot == o.slot && a == o.a && b == o.b && c == o.c;
    }
};

std::ostream& operator<<(std::ostream& out, const Call& call) {
    return out << call.slot << "(" << call.a << ", " << call.b << ", " << call.c << ")";
}

// Records the handler calls it receives.
class Recorder : public CWindow {
  public:
    using CWindow::CWindow;
    std::vector<Call> calls;

    ULONG_PTR OnCommand(WPARAM w, LPARAM l) override { return Note("OnCommand", w, l); }
    ULONG_PTR OnNotify(unsigned short id, NMHDR* h) override {
        return Note("OnNotify", id, h->code);
    }
    ULONG_PTR OnTimer(unsigned short id) override { return Note("OnTimer", id); }
    ULONG_PTR OnSize(unsigned short t, unsigned short w, unsigned short h) override {
        return Note("OnSize", t, w, h);
    }
    ULONG_PTR OnMove(int x, int y) override { return Note("OnMove", x, y); }
    ULONG_PTR OnContextMenu(int x, int y) override { return Note("OnContextMenu", x, y); }
    ULONG_PTR OnLButtonDown(unsigned short k, int x, int y) override {
        return Note("OnLButtonDown", k, x, y);
    }
    ULONG_PTR OnLButtonUp(unsigned short k, int x, int y) override {
        return Note("OnLButtonUp", k, x, y);
    }
    ULONG_PTR OnLButtonDblClk(unsigned short k, int x, int y) override {
        return Note("OnLButtonDblClk", k, x, y);
    }
    ULONG_PTR OnRButtonDown(unsigned short k, int x, int y) override {
        return Note("OnRButtonDown", k, x, y);
    }
    ULONG_PTR OnRButtonUp(unsigned short k, int x, int y) override {
        return Note("OnRButtonUp", k, x, y);
    }
    ULONG_PTR OnMouseMove(unsigned short k, int x, int y) override {
        return Note("OnMouseMove", k, x, y);
    }
    ULONG_PTR OnHorzScroll(int code, int pos) override { return Note("OnHorzScroll", code, pos); }
    ULONG_PTR OnVertScroll(int code, int pos) override { return Note("OnVertScroll", code, pos); }
    ULONG_PTR OnMessage(void* window, unsigned int m, WPARAM w, LPARAM l) override {
        if (m >= WM_USER)
            return Note("OnMessage", m, w, l);
        return CWindow::OnMessage(window, m, w, l);
    }

  private:
    ULONG_PTR Note(const char* slot, long long a = 0, long long b = 0, long long c = 0) {
        calls.push_back({slot, a, b, c});
        return 77;
    }
};

bool ClassRegistered(const char* name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    return GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc) != FALSE;
}

HWND MakeButton(HWND parent, int id) {
    return CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

} // namespace

TEST(CWindow, MessagesReachTheirHandlersWithUnpackedArguments) {
    Recorder window;
    ASSERT_NE(window.GetHandle(), nullptr);
    HWND hwnd = window.GetHandle();
    struct Case {
        UINT message;
        WPARAM w;
        LPARAM l;
        Call expected;
    } cases[] = {
        // Only the low word of a timer id reaches the handler.
        {WM_TIMER, 0x12345, 0, {"OnTimer", 0x2345, 0, 0}},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7), {"OnLButtonDown", MK_LBUTTON, -3, 7}},
        {WM_LBUTTONUP, 0, MAKELPARAM(4, 5), {"OnLButtonUp", 0, 4, 5}},
        {WM_LBUTTONDBLCLK, MK_SHIFT, MAKELPARAM(1, 2), {"OnLButtonDblClk", MK_SHIFT, 1, 2}},
        {WM_RBUTTONDOWN, 0, MAKELPARAM(8, 9), {"OnRButtonDown", 0, 8, 9}},
        {WM_RBUTTONUP, 0, MAKELPARAM(10, -2), {"OnRButtonUp", 0, 10, -2}},
        {WM_MOUSEMOVE, MK_CONTROL, MAKELPARAM(300, 200), {"OnMouseMove", MK_CONTROL, 300, 200}},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(120, 80), {"OnSize", SIZE_MAXIMIZED, 120, 80}},
        {WM_MOVE, 0, MAKELPARAM(5, 6), {"OnMove", 5, 6, 0}},
        {WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1), {"OnContextMenu", -1, -1, 0}},
        {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 42), 0, {"OnHorzScroll", SB_THUMBTRACK, 42, 0}},
        {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, {"OnVertScroll", SB_LINEDOWN, 0, 0}},
        // A menu command goes to the window's own object.
        {WM_COMMAND, 40001, 0, {"OnCommand", 40001, 0, 0}},
        {WM_USER + 5, 7, 9, {"OnMessage", WM_USER + 5, 7, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.slot);
        window.calls.clear();
        EXPECT_EQ(SendMessageA(hwnd, c.message, c.w, c.l), 77);
        ASSERT_EQ(window.calls.size(), 1u);
        EXPECT_EQ(window.calls[0], c.expected);
    }
}

TEST(CWindow, ControlsHandleTheirOwnCommandsAndNotifications) {
    Recorder parent;
    HWND bound = MakeButton(parent.GetHandle(), 101);
    HWND plain = MakeButton(parent.GetHandle(), 102);
    Recorder boundObject(nullptr, bound);

    SendMessageA(parent.GetHandle(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                 reinterpret_cast<LPARAM>(bound));
    SendMessageA(parent.GetHandle(), WM_COMMAND, MAKEWPARAM(102, BN_CLICKED),
                 reinterpret_cast<LPARAM>(plain));
    NMHDR fromBound = {bound, 101, static_cast<UINT>(NM_CLICK)};
    NMHDR fromPlain = {plain, 102, static_cast<UINT>(NM_CLICK)};
    SendMessageA(parent.GetHandle(), WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&fromBound));
    EXPECT_EQ(
        SendMessageA(parent.GetHandle(), WM_NOTIFY, 102, reinterpret_cast<LPARAM>(&fromPlain)), 0);

    EXPECT_TRUE(parent.calls.empty());
    ASSERT_EQ(boundObject.calls.size(), 2u);
    EXPECT_EQ(boundObject.calls[0].slot, "OnCommand");
    EXPECT_EQ(boundObject.calls[0].a, MAKEWPARAM(101, BN_CLICKED));
    EXPECT_EQ(boundObject.calls[1], (Call{"OnNotify", 101, NM_CLICK, 0}));
}

// Guards against taking any non-zero GWLP_USERDATA for an object: only
// windows the library bound are routed.
TEST(CWindow, WindowWithForeignUserDataIsNotRouted) {
    Recorder object;
    HWND stranger = CreateWindowExA(0, OVKIT_CWINDOW_CLASS, "x", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(stranger, nullptr);
    SetWindowLongPtrA(stranger, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&object));
    SendMessageA(stranger, WM_TIMER, 1, 0);
    EXPECT_TRUE(object.calls.empty());
    EXPECT_EQ(CWindow::FromHandle(stranger), nullptr);
    DestroyWindow(stranger);
}

// Guards against a binding that outlives the object or the window.
TEST(CWindow, BindingIsClearedWhenObjectOrWindowGoes) {
    Recorder owner; // keeps the class registered
    HWND host = CreateWindowExA(0, OVKIT_CWINDOW_CLASS, "x", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    auto* marker = new Recorder(nullptr, host);
    EXPECT_EQ(CWindow::FromHandle(host), marker);
    delete marker;
    EXPECT_EQ(GetWindowLongPtrA(host, GWLP_USERDATA), 0);
    EXPECT_EQ(CWindow::FromHandle(host), nullptr);
    SendMessageA(host, WM_TIMER, 1, 0); // must not reach the deleted object
    DestroyWindow(host);

    HWND window = owner.GetHandle();
    DestroyWindow(window);
    EXPECT_EQ(owner.GetHandle(), nullptr);
    EXPECT_EQ(CWindow::FromHandle(window), nullptr);
}

TEST(CWindow, ClassIsRegisteredByTheFirstObjectAndRemovedWithTheLast) {
    ASSERT_EQ(CWindow::m_UsageCount, 0);
    // An object deleted while its window is being destroyed (the property
    // sheet) leaves the class registered until a later last object goes.
    delete new CWindow();
    EXPECT_FALSE(ClassRegistered(OVKIT_CWINDOW_CLASS));
    auto* first = new CWindow();
    ATOM atom = CWindow::atomRegisteredClass;
    EXPECT_NE(atom, 0);
    auto* second = new CWindow(first);
    EXPECT_EQ(CWindow::atomRegisteredClass, atom);
    EXPECT_EQ(CWindow::m_UsageCount, 2);
    delete second;
    EXPECT_TRUE(ClassRegistered(OVKIT_CWINDOW_CLASS));
    delete first;
    EXPECT_EQ(CWindow::m_UsageCount, 0);
    EXPECT_EQ(CWindow::atomRegisteredClass, 0);
    EXPECT_FALSE(ClassRegistered(OVKIT_CWINDOW_CLASS));
    CWindow again;
    EXPECT_NE(again.GetHandle(), nullptr);
    EXPECT_TRUE(ClassRegistered(OVKIT_CWINDOW_CLASS));
}

TEST(CWindow, ChildWindowsAndTheChildList) {
    CWindow parent;
    const int nextId = CWindow::nGlobalChildId;
    auto* a = new CWindow(&parent);
    auto* b = new CWindow(&parent);
    ASSERT_NE(a->GetHandle(), nullptr);
    EXPECT_EQ(GetParent(a->GetHandle()), parent.GetHandle());
    EXPECT_EQ(GetDlgCtrlID(a->GetHandle()), nextId);
    EXPECT_EQ(GetDlgCtrlID(b->GetHandle()), nextId + 1);
    RECT r;
    GetWindowRect(a->GetHandle(), &r);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(GetWindowLongA(a->GetHandle(), GWL_STYLE) & (WS_CHILD | WS_THICKFRAME),
              WS_CHILD | WS_THICKFRAME);
    ASSERT_EQ(parent.GetChildCount(), 2);
    EXPECT_EQ(parent.GetChild(0), a);
    EXPECT_EQ(parent.GetChild(1), b);
    delete a;
    EXPECT_EQ(parent.GetChildCount(), 1);
    EXPECT_EQ(parent.GetChild(0), b);
    delete b;
    EXPECT_EQ(parent.GetChildCount(), 0);

    // A child that outlives its parent object no longer points at it.
    auto* host = new CWindow();
    CWindow orphan(host, nullptr);
    delete host;
    EXPECT_EQ(orphan.GetParent(), nullptr);
}

namespace {

// Runs a CDialog through its own dialog procedure and keeps the result.
class ScriptedDialog : public CDialog {
  public:
    ScriptedDialog(WPARAM command) : CDialog(nullptr, 502), command_(command) {}
    INT_PTR Run() {
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(502), nullptr,
                               DialogProc, reinterpret_cast<LPARAM>(this));
    }
    ULONG_PTR OnInitDialog() override {
        initHandle = m_hWnd;
        SendMessageA(m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(-5, -6));
        PostMessageA(m_hWnd, WM_COMMAND, command_, 0);
        return 0;
    }
    ULONG_PTR OnLButtonDown(unsigned short, int x, int y) override {
        clickX = x;
        clickY = y;
        return 0;
    }
    HWND initHandle = nullptr;
    int clickX = 0, clickY = 0;

  private:
    WPARAM command_;
};

} // namespace

TEST(CDialog, OkAndCancelEndTheDialogWithZeroAndMinusOne) {
    const struct {
        WPARAM command;
        INT_PTR result;
    } cases[] = {{IDOK, 0}, {IDCANCEL, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ScriptedDialog dialog(c.command);
        EXPECT_EQ(dialog.Run(), c.result);
        EXPECT_NE(dialog.initHandle, nullptr);
        // The dialog's x is unsigned, its y signed.
        EXPECT_EQ(dialog.clickX, 0xFFFB);
        EXPECT_EQ(dialog.clickY, -6);
        // The window is gone and so is the binding.
        EXPECT_EQ(dialog.GetHandle(), nullptr);
        EXPECT_FALSE(IsWindow(dialog.initHandle));
    }
}

TEST(CWindowDraw, MaskBltMatchesThePlatformsMaskBlit) {
    const int w = 4, h = 2;
    // Mask rows 1010 / 0101 (one byte per row, word-aligned: two bytes).
    const BYTE maskBits[4] = {0xA0, 0, 0x50, 0};
    HBITMAP mask = CreateBitmap(w, h, 1, 1, maskBits);
    const DWORD rops[] = {MAKEROP4(SRCCOPY, 0x00AA0029), MAKEROP4(SRCINVERT, SRCCOPY),
                          MAKEROP4(0x00AA0029, NOTSRCCOPY)};
    for (DWORD rop : rops) {
        SCOPED_TRACE(rop);
        ovkittest::Canvas source(w, h, RGB(200, 10, 10));
        source.Set(1, 1, RGB(1, 2, 3));
        ovkittest::Canvas ours(w, h, RGB(10, 20, 200));
        ovkittest::Canvas platform(w, h, RGB(10, 20, 200));
        ASSERT_EQ(CWindow::MaskBlt(ours.dc(), 0, 0, w, h, source.dc(), 0, 0, mask, 0, 0, rop), 1);
        ASSERT_TRUE(::MaskBlt(platform.dc(), 0, 0, w, h, source.dc(), 0, 0, mask, 0, 0, rop));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(ours.At(x, y), platform.At(x, y)) << x << "," << y;
    }
    // The mask is read from the given offset.
    ovkittest::Canvas source(1, 1, RGB(255, 255, 255));
    ovkittest::Canvas target(1, 1, RGB(0, 0, 0));
    CWindow::MaskBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, mask, 1, 1,
                     MAKEROP4(SRCCOPY, 0x00AA0029));
    EXPECT_EQ(target.At(0, 0), RGB(255, 255, 255));
    DeleteObject(mask);
}

TEST(CWindowDraw, ThinEdgeStaysInsideTheRectangle) {
    ovkittest::Canvas canvas(10, 10, RGB(0, 255, 0));
    RECT r = {2, 2, 8, 8};
    EXPECT_EQ(CWindow::DrawEdge(canvas.dc(), &r, EDGE_SUNKEN, 0x1000), 1);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(canvas.At(2, 2), light);
    EXPECT_EQ(canvas.At(6, 2), light);
    EXPECT_EQ(canvas.At(2, 6), light);
    EXPECT_EQ(canvas.At(2, 7), dark);
    EXPECT_EQ(canvas.At(7, 7), dark);
    EXPECT_EQ(canvas.At(7, 3), dark);
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(4, 8), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(8, 4), RGB(0, 255, 0));
}

TEST(CWindow, PeekMessageDispatchesWhatIsWaiting) {
    Recorder window;
    PostMessageA(window.GetHandle(), WM_USER + 1, 0, 0);
    PostMessageA(window.GetHandle(), WM_USER + 2, 0, 0);
    CWindow::PeekMessageA();
    // Only the two posted ones count: the system may send others of its own.
    int posted = 0;
    for (const Call& call : window.calls)
        posted += call.a == WM_USER + 1 || call.a == WM_USER + 2;
    EXPECT_EQ(posted, 2);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

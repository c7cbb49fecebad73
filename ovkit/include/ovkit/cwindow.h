// CWindow: the base of ovkit's small object layer over windows.
//
// An object is bound to its window through the window's GWLP_USERDATA slot
// and a window property that marks the window as bound; CWindow::WinProc
// routes messages only to windows that carry both, so a foreign value in
// GWLP_USERDATA is never taken for an object. The binding is cleared when the
// window is destroyed (WM_NCDESTROY) and when the object is deleted.
//
// Message handlers return the message result. Those documented as "default"
// rebuild the message and pass it to DefWindowProcA for the object's window.
// Parameter types are the Windows ones (WPARAM, LPARAM, ULONG_PTR results):
// the same widths as unsigned int, long and unsigned long in the 32-bit build,
// pointer-wide in the 64-bit one.
#pragma once
#include "ovkit/ovkit_base.h"
#include <cstddef>

// The class of CWindow, CToolbar and CPopup windows.
#define OVKIT_CWINDOW_CLASS "WinAWTCWindow11"

class OVKIT_API CWindow {
  public:
    // A visible top-level window "CWindow" of the class above; counted.
    CWindow();
    // A visible child window "CWindow" (WS_THICKFRAME, 100 x 100) in the
    // parent's window; joins the parent's child list; counted.
    explicit CWindow(CWindow* parent);
    // A child window as above in the given window; no parent object; counted.
    explicit CWindow(void* window);
    // Creates nothing: binds the given window (when not null) to this object
    // without taking it as the object's window. Kinds that make their own
    // window use this form and then BindWindow. Joins the parent's child list
    // when a parent is given; counted.
    CWindow(CWindow* parent, void* window);
    // Unbinds and destroys the window when it still exists, leaves the
    // parent's child list, and unregisters the class with the last object.
    virtual ~CWindow();

    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    virtual void Layout();                                     // nothing
    virtual bool GetPreferedLayoutSize(SIZE* size);            // false
    virtual ULONG_PTR OnCommand(WPARAM wParam, LPARAM lParam); // 0
    virtual ULONG_PTR OnSysCommand(WPARAM wParam, LPARAM lParam);
    virtual ULONG_PTR OnDestroy();
    virtual ULONG_PTR OnClose();
    virtual ULONG_PTR OnSize(unsigned short type, unsigned short width, unsigned short height);
    virtual ULONG_PTR OnContextMenu(int x, int y);
    virtual ULONG_PTR OnLButtonDown(unsigned short keys, int x, int y);
    virtual ULONG_PTR OnLButtonUp(unsigned short keys, int x, int y);
    virtual ULONG_PTR OnLButtonDblClk(unsigned short keys, int x, int y);
    virtual ULONG_PTR OnRButtonDown(unsigned short keys, int x, int y);
    virtual ULONG_PTR OnRButtonUp(unsigned short keys, int x, int y);
    virtual ULONG_PTR OnMouseMove(unsigned short keys, int x, int y);
    virtual ULONG_PTR OnTimer(unsigned short id); // 0
    virtual ULONG_PTR OnPaint(void* dc);
    virtual ULONG_PTR OnNotify(unsigned short id, NMHDR* header); // 0
    virtual ULONG_PTR OnMove(int x, int y);
    virtual ULONG_PTR OnWindowPosChanged(WINDOWPOS* position);
    // Every message without a handler of its own, with its raw arguments.
    virtual ULONG_PTR OnMessage(void* window, unsigned int message, WPARAM wParam, LPARAM lParam);
    virtual ULONG_PTR OnEraseBackground(void* dc);
    virtual ULONG_PTR OnHorzScroll(int code, int position); // 0
    virtual ULONG_PTR OnVertScroll(int code, int position); // 0

    // Removes and dispatches every message waiting in the thread's queue.
    static void PeekMessageA();
    // Without flag 0x1000 the system's DrawEdge; with it a thin raised edge
    // one pixel wide (highlight top and left, shadow bottom and right) inside
    // the rectangle, whatever edge says. Returns 1.
    static int DrawEdge(void* dc, RECT* rect, int edge, int flags);
    // A mask blit built from BitBlt and memory DCs, with the platform's
    // meaning: where the mask (read from xMask, yMask) is 1 the foreground
    // operation (rop's low 24 bits) applies, where it is 0 the background one
    // (rop's high byte, as MAKEROP4 packs it). A null mask is a plain BitBlt
    // with the foreground operation. Returns 1, 0 when a memory DC or bitmap
    // cannot be made.
    static int MaskBlt(void* dc, int x, int y, int width, int height, void* srcDc, int xSrc,
                       int ySrc, void* mask, int xMask, int yMask, unsigned long rop);

    // The bound object of a window; null when the window is not bound.
    static CWindow* FromHandle(void* window);

    HWND GetHandle() const { return m_hWnd; }
    CWindow* GetParent() const { return m_pParent; }
    // Child objects in order of joining (the list does not own them).
    int GetChildCount() const;
    CWindow* GetChild(int index) const; // null outside 0 .. count - 1

    // Objects made in another module are still freed on ovkit's side.
    static void* operator new(size_t size);
    static void operator delete(void* block);

    // Module that registers the classes and makes dialogs; null means the
    // process's main module.
    static HINSTANCE hInstance;
    // Atom of OVKIT_CWINDOW_CLASS while registered, else 0.
    static ATOM atomRegisteredClass;
    // Live objects that took part in the counting.
    static int m_UsageCount;
    // The next child-window id (from 10000).
    static int nGlobalChildId;

  protected:
    struct ChildNode {
        CWindow* child;
        ChildNode* next;
    };

    // The module of hInstance, or the main module when it is null.
    static HINSTANCE ClassModule();
    // Returns the next child-window id and raises the counter.
    static int TakeChildId();
    // Makes the window the object's own and binds it (see the file comment).
    void BindWindow(HWND window);
    // Creates a child window of the class in the given parent window with the
    // next child id, and makes it the object's own. The handle stays null
    // when creation fails.
    void CreateBoundChild(const char* className, const char* title, DWORD style, int x, int y,
                          int width, int height, HWND parentWindow);
    // Unbinds the object's window and destroys it (kinds with a class of
    // their own do this before they unregister the class).
    void DestroyOwnWindow();
    // Unbinds the object's window and forgets it without destroying it (for
    // an object that deletes itself while its window is being destroyed).
    void ReleaseWindow();
    // The default window procedure for the object's window.
    ULONG_PTR DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Registers a window class unless *atom says it is registered; the atom
    // goes to *atom. A class of that name left registered with another
    // procedure (an earlier load of the library) is registered anew when no
    // window holds it. Returns the atom, 0 on failure.
    static ATOM RegisterKind(const WNDCLASSEXA& wc, ATOM* atom);
    // The same for a kind's own class: WinProc, one pointer-sized window
    // extra slot, the arrow cursor, no background.
    static ATOM RegisterKind(const char* className, ATOM* atom);
    // Counts a user of a class off (when the count is above 0) and
    // unregisters the class, clearing *atom, when the count drops to 0.
    static void ReleaseKind(const char* className, ATOM* atom, int* usageCount);

    static LRESULT CALLBACK WinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    CWindow* m_pParent;
    ChildNode* m_pChildren;

  private:
    friend class CDialog;
    void Construct(CWindow* parent);
    void JoinParent(CWindow* parent);
    void LeaveParent();
    // Binds a window to the object (marks it) or unbinds it.
    static void Mark(HWND window, CWindow* object);
    // Drops the binding of a window that is being destroyed.
    static void Forget(HWND window);
    // Routes one message to a bound object's handlers.
    // unsignedX: the mouse messages' x is the low word taken unsigned.
    static LRESULT Dispatch(CWindow* object, HWND window, UINT message, WPARAM wParam,
                            LPARAM lParam, bool unsignedX = false);

    // A window bound by the (parent, window) constructor without being the
    // object's own; unbound with the object.
    HWND m_hMarked;
};

// CWindow's life: class registration, window creation, binding and the
// child list.
#include "ovkit/cwindow.h"
#include <commctrl.h>
#include <cstdlib>

HINSTANCE CWindow::hInstance = nullptr;
ATOM CWindow::atomRegisteredClass = 0;
int CWindow::m_UsageCount = 0;
int CWindow::nGlobalChildId = 10000;

namespace {

// Marks a window as bound to an object; GWLP_USERDATA alone could hold
// anything another piece of code put there.
const char kBoundProp[] = "OvkitCWindow";

} // namespace

void* CWindow::operator new(size_t size) {
    return malloc(size);
}

void CWindow::operator delete(void* block) {
    free(block);
}

HINSTANCE CWindow::ClassModule() {
    return hInstance ? hInstance : GetModuleHandleA(nullptr);
}

int CWindow::TakeChildId() {
    return nGlobalChildId++;
}

ATOM CWindow::RegisterKind(const WNDCLASSEXA& wc, ATOM* atom) {
    if (*atom)
        return *atom;
    *atom = RegisterClassExA(&wc);
    if (*atom || GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return *atom;
    // Left registered by an earlier load of the library, whose procedure
    // may be gone: registered anew when no window holds it any more;
    // otherwise (another copy of the library, still loaded) used as it is.
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    ATOM found = static_cast<ATOM>(GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing));
    if (existing.lpfnWndProc != wc.lpfnWndProc && UnregisterClassA(wc.lpszClassName, wc.hInstance))
        found = RegisterClassExA(&wc);
    *atom = found;
    return *atom;
}

ATOM CWindow::RegisterKind(const char* className, ATOM* atom) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = WinProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = ClassModule();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    return RegisterKind(wc, atom);
}

void CWindow::ReleaseKind(const char* className, ATOM* atom, int* usageCount) {
    if (*usageCount > 0 && --*usageCount == 0 && *atom) {
        // Fails when the last object goes while its window is being
        // destroyed; the next registration then finds the class and checks
        // whose it is.
        UnregisterClassA(className, ClassModule());
        *atom = 0;
    }
}

void CWindow::Construct(CWindow* parent) {
    m_hWnd = nullptr;
    m_pParent = nullptr;
    m_pChildren = nullptr;
    m_hMarked = nullptr;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = WinProc;
    wc.hInstance = ClassModule();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = OVKIT_CWINDOW_CLASS;
    RegisterKind(wc, &atomRegisteredClass);
    InitCommonControls();
    ++m_UsageCount;
    JoinParent(parent);
}

void CWindow::CreateBoundChild(const char* className, const char* title, DWORD style, int x, int y,
                               int width, int height, HWND parentWindow) {
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(TakeChildId()));
    BindWindow(CreateWindowExA(0, className, title, style, x, y, width, height, parentWindow, id,
                               ClassModule(), nullptr));
}

CWindow::CWindow() {
    Construct(nullptr);
    BindWindow(CreateWindowExA(
        0, OVKIT_CWINDOW_CLASS, "CWindow",
        WS_VISIBLE | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, ClassModule(), nullptr));
}

CWindow::CWindow(CWindow* parent) {
    Construct(parent);
    CreateBoundChild(OVKIT_CWINDOW_CLASS, "CWindow", WS_CHILD | WS_VISIBLE | WS_THICKFRAME,
                     CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, parent ? parent->m_hWnd : nullptr);
}

CWindow::CWindow(void* window) {
    Construct(nullptr);
    CreateBoundChild(OVKIT_CWINDOW_CLASS, "CWindow", WS_CHILD | WS_VISIBLE | WS_THICKFRAME,
                     CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, static_cast<HWND>(window));
}

CWindow::CWindow(CWindow* parent, void* window) {
    Construct(parent);
    if (window) {
        m_hMarked = static_cast<HWND>(window);
        Mark(m_hMarked, this);
    }
}

void CWindow::ReleaseWindow() {
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    if (window && FromHandle(window) == this)
        Mark(window, nullptr);
}

void CWindow::DestroyOwnWindow() {
    // Unbind first: the window's last messages must not reach an object that
    // is half destroyed.
    HWND window = m_hWnd;
    ReleaseWindow();
    if (window && IsWindow(window))
        DestroyWindow(window);
}

CWindow::~CWindow() {
    DestroyOwnWindow();
    if (m_hMarked && FromHandle(m_hMarked) == this)
        Mark(m_hMarked, nullptr);
    LeaveParent();
    // Children outliving their parent must not point back at it.
    while (m_pChildren) {
        ChildNode* node = m_pChildren;
        m_pChildren = node->next;
        node->child->m_pParent = nullptr;
        delete node;
    }
    ReleaseKind(OVKIT_CWINDOW_CLASS, &atomRegisteredClass, &m_UsageCount);
}

void CWindow::JoinParent(CWindow* parent) {
    m_pParent = parent;
    if (!parent)
        return;
    ChildNode** tail = &parent->m_pChildren;
    while (*tail)
        tail = &(*tail)->next;
    *tail = new ChildNode{this, nullptr};
}

void CWindow::LeaveParent() {
    if (!m_pParent)
        return;
    for (ChildNode** link = &m_pParent->m_pChildren; *link; link = &(*link)->next) {
        if ((*link)->child == this) {
            ChildNode* node = *link;
            *link = node->next;
            delete node;
            break;
        }
    }
    m_pParent = nullptr;
}

int CWindow::GetChildCount() const {
    int count = 0;
    for (ChildNode* node = m_pChildren; node; node = node->next)
        ++count;
    return count;
}

CWindow* CWindow::GetChild(int index) const {
    ChildNode* node = m_pChildren;
    for (; node && index > 0; --index)
        node = node->next;
    return node && index == 0 ? node->child : nullptr;
}

void CWindow::Mark(HWND window, CWindow* object) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    if (object)
        SetPropA(window, kBoundProp, object);
    else
        RemovePropA(window, kBoundProp);
}

void CWindow::BindWindow(HWND window) {
    m_hWnd = window;
    if (window)
        Mark(window, this);
}

CWindow* CWindow::FromHandle(void* window) {
    HWND handle = static_cast<HWND>(window);
    if (!handle || !IsWindow(handle))
        return nullptr;
    void* tagged = GetPropA(handle, kBoundProp);
    LONG_PTR data = GetWindowLongPtrA(handle, GWLP_USERDATA);
    if (!tagged || reinterpret_cast<LONG_PTR>(tagged) != data)
        return nullptr;
    return static_cast<CWindow*>(tagged);
}

void CWindow::Forget(HWND window) {
    CWindow* object = FromHandle(window);
    if (!object)
        return;
    Mark(window, nullptr);
    if (object->m_hWnd == window)
        object->m_hWnd = nullptr;
    if (object->m_hMarked == window)
        object->m_hMarked = nullptr;
}

// CDialog: the modal dialog kind and its dialog procedure.
#include "ovkit/cdialog.h"

CDialog::CDialog(CWindow* parent, int templateId)
    : CWindow(parent, nullptr), m_nTemplateId(templateId) {}

void CDialog::DoModal() {
    HWND owner = m_pParent ? m_pParent->m_hWnd : nullptr;
    DialogBoxParamA(ClassModule(), MAKEINTRESOURCEA(m_nTemplateId), owner, DialogProc,
                    reinterpret_cast<LPARAM>(this));
}

ULONG_PTR CDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == IDOK)
        EndDialog(m_hWnd, 0);
    else if (LOWORD(wParam) == IDCANCEL)
        EndDialog(m_hWnd, -1);
    return 0;
}

ULONG_PTR CDialog::OnPaint(void*) {
    return 0;
}

ULONG_PTR CDialog::OnMessage(void*, unsigned int, WPARAM, LPARAM) {
    return 0;
}

ULONG_PTR CDialog::OnInitDialog() {
    return 0;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG && lParam)
        Mark(dialog, reinterpret_cast<CWindow*>(lParam));
    if (message == WM_NCDESTROY) {
        Forget(dialog);
        return 0;
    }
    CDialog* object = static_cast<CDialog*>(FromHandle(dialog));
    if (!object)
        return 0;
    switch (message) {
    case WM_INITDIALOG:
        object->m_hWnd = dialog;
        return static_cast<INT_PTR>(object->OnInitDialog());
    case WM_COMMAND: // the dialog's own, not redirected to controls
        return static_cast<INT_PTR>(object->OnCommand(wParam, lParam));
    case WM_DESTROY:
    case WM_SIZE:
    case WM_PAINT:
    case WM_CONTEXTMENU:
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        // The dialog's mouse x is taken unsigned.
        return static_cast<INT_PTR>(Dispatch(object, dialog, message, wParam, lParam, true));
    default:
        return static_cast<INT_PTR>(object->OnMessage(dialog, message, wParam, lParam));
    }
}

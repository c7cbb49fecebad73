// CDialog: the modal dialog kind and its dialog procedure.
#include "ovkit/cdialog.h"
#include <windowsx.h>

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
    const unsigned short keys = LOWORD(wParam);
    // The dialog's x is taken unsigned.
    const int x = LOWORD(lParam);
    const int y = GET_Y_LPARAM(lParam);
    ULONG_PTR result;
    switch (message) {
    case WM_INITDIALOG:
        object->m_hWnd = dialog;
        result = object->OnInitDialog();
        break;
    case WM_DESTROY:
        result = object->OnDestroy();
        break;
    case WM_SIZE:
        result = object->OnSize(LOWORD(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_PAINT:
        result = object->OnPaint(reinterpret_cast<void*>(wParam));
        break;
    case WM_CONTEXTMENU:
        result = object->OnContextMenu(GET_X_LPARAM(lParam), y);
        break;
    case WM_COMMAND:
        result = object->OnCommand(wParam, lParam);
        break;
    case WM_TIMER:
        result = object->OnTimer(LOWORD(wParam));
        break;
    case WM_MOUSEMOVE:
        result = object->OnMouseMove(keys, x, y);
        break;
    case WM_LBUTTONDOWN:
        result = object->OnLButtonDown(keys, x, y);
        break;
    case WM_LBUTTONUP:
        result = object->OnLButtonUp(keys, x, y);
        break;
    default:
        result = object->OnMessage(dialog, message, wParam, lParam);
        break;
    }
    return static_cast<INT_PTR>(result);
}

// CDialog: a modal dialog from a template of CWindow::hInstance, bound to its
// object at WM_INITDIALOG.
#pragma once
#include "ovkit/cwindow.h"

class OVKIT_API CDialog : public CWindow {
  public:
    // Binds nothing yet; the dialog is made by DoModal.
    CDialog(CWindow* parent, int templateId);

    // Runs the dialog (owner: the parent's window) until it ends. The
    // dialog's result is not returned.
    void DoModal();

    // Ends the dialog with 0 on IDOK and -1 on IDCANCEL (low word of
    // wParam); returns 0 in all cases.
    ULONG_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Both return 0, so that the dialog manager does its default processing.
    ULONG_PTR OnPaint(void* dc) override;
    ULONG_PTR OnMessage(void* window, unsigned int message, WPARAM wParam, LPARAM lParam) override;
    // WM_INITDIALOG once the object is bound; returns 0.
    virtual ULONG_PTR OnInitDialog();

    int GetTemplateId() const { return m_nTemplateId; }

  protected:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int m_nTemplateId;
};

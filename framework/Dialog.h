// Dialogs from this module's own RT_DIALOG templates, modeless (Create) or modal (DoModal).
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : m_nTemplateId(templateId) {}

    UINT GetTemplateId() const { return m_nTemplateId; }

    // Modeless: creates the dialog (hidden unless its template says WS_VISIBLE).
    bool Create(CWnd* parent);
    bool Create(HWND parent);
    // Modal: runs the dialog and returns the value passed to EndDialog, or -1 on failure.
    INT_PTR DoModal(HWND owner = nullptr);
    void EndDialog(INT_PTR result);
    bool IsModal() const { return m_bModal; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Modeless dialogs get the dialog manager's keyboard navigation here.
    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Return TRUE to let the dialog manager set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // IDOK and IDCANCEL end a modal dialog; a modeless dialog keeps running.
    virtual void OnOK();
    virtual void OnCancel();
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_nTemplateId;
    bool m_bModal = false;
};

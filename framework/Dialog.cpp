#include "framework/Dialog.h"

#include "framework/Module.h"
#include "framework/ThreadState.h"

namespace {

// Every message reaches the object through its window procedure first; the dialog manager's
// own procedure has nothing left to do.
INT_PTR CALLBACK NullDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

bool CDialog::Create(CWnd* parent)
{
    return Create(HandleOf(parent));
}

bool CDialog::Create(HWND parent)
{
    m_bModal = false;
    HWND hwnd;
    {
        CWndCreationScope scope(this);
        hwnd = ::CreateDialogParamA(FwResourceModule(), MAKEINTRESOURCEA(m_nTemplateId), parent,
                                    &NullDialogProc, 0);
    }
    return hwnd != nullptr;
}

INT_PTR CDialog::DoModal(HWND owner)
{
    m_bModal = true;
    CWndCreationScope scope(this);
    return ::DialogBoxParamA(FwResourceModule(), MAKEINTRESOURCEA(m_nTemplateId), owner,
                             &NullDialogProc, 0);
}

void CDialog::EndDialog(INT_PTR result)
{
    ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    if (m_bModal || !m_hWnd)
        return false;   // the modal loop runs the dialog manager itself
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return false;
    return ::IsDialogMessageA(m_hWnd, msg) != FALSE;
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return true;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

void CDialog::OnOK()
{
    if (m_bModal)
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    if (m_bModal)
        EndDialog(IDCANCEL);
}

#include "overink/DeskMainDlg.h"

#include "framework/Module.h"
#include "overink/DeskTopDlg.h"
#include "overink/Globals.h"
#include "overink/resource.h"

CDeskMainDlg::CDeskMainDlg()
    : CDialog(IDD_HIDDEN_OWNER),
      m_hIcon(::LoadIconA(FwResourceModule(), MAKEINTRESOURCEA(IDI_OVERINK)))
{
}

BOOL CDeskMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(FwLoadString(IDS_OWNER_TITLE));
    return TRUE;
}

LRESULT CDeskMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        { CPaintDC validate(m_hWnd); }
        if (g_bWakePending) {
            g_bWakePending = 0;
            if (g_pDeskTopDlg)
                g_pDeskTopDlg->OnSleep(FALSE);
        }
        return 0;
    }
    case WM_CLOSE:
        NotifyHost(DRAWCB_CLOSE);
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

#include "app/AboutDlg.h"

#include "app/resource.h"

const char kAboutNotice[] = "Copyright (C) Inkvane. All rights reserved.";

CAboutDlg::CAboutDlg(std::string notice) : CDialog(IDD_ABOUTBOX), m_strNotice(std::move(notice)) {}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_NOTICE, m_strNotice.c_str());
    return TRUE;
}

void RunAboutCommand(const std::function<void(int)>& enableWnd,
                     const std::function<void(int)>& setTrayMenuEnabled, HWND owner,
                     const std::function<void(HWND)>& runModal)
{
    if (enableWnd)
        enableWnd(0);
    setTrayMenuEnabled(0);
    if (runModal) {
        runModal(owner);
    } else {
        CAboutDlg about;
        about.DoModal(owner);
    }
    setTrayMenuEnabled(1);
    if (enableWnd)
        enableWnd(1);
}

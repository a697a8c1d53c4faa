// The hidden 1 x 1 owner of the library's windows. It carries the taskbar entry (icon and
// title), turns a close from the taskbar into a notification for the host, and serves a pending
// wake-up when it paints. Destroying it destroys the whole window tree.
#pragma once

#include "framework/Dialog.h"
#include "framework/Handles.h"

class CDeskMainDlg : public CDialog {
public:
    CDeskMainDlg();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;

private:
    HICON m_hIcon;   // shared resource icon: not destroyed
};

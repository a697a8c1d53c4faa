// The floating palette: twenty buttons in two columns, the presenter's control on the desktop.
#pragma once

#include "framework/Dialog.h"

class CDeskTopDlg;

class CToolDlg : public CDialog {
public:
    static constexpr int BUTTON_COUNT = 20;
    // Control ids of buttons 1 to 20; button n sends command code n.
    static const UINT s_buttonIds[BUTTON_COUNT];

    explicit CToolDlg(CDeskTopDlg* owner);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CDeskTopDlg* m_pOwner;
};

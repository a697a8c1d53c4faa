// The floating palette: twenty picture buttons in two columns, the presenter's control on the
// desktop. Every button sends its number to the overlay's OnToolCommand.
#pragma once

#include "framework/Dialog.h"
#include "overink/ZCButton.h"

class CDeskTopDlg;

class CToolDlg : public CDialog {
public:
    static constexpr int BUTTON_COUNT = 20;
    // Control ids of buttons 1 to 20; button n sends command code n.
    static const UINT s_buttonIds[BUTTON_COUNT];

    explicit CToolDlg(CDeskTopDlg* owner);

    // Button n, 1 to 20.
    CZCButton& Button(int n) { return m_buttons[n - 1]; }
    HWND ToolTip() const { return m_toolTip; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void CreateToolTips();

    CDeskTopDlg* m_pOwner;
    HWND m_toolTip = nullptr;   // child of the palette: destroyed with it
    CZCButton m_buttons[BUTTON_COUNT];
};

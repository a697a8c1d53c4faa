#include "overink/ToolDlg.h"

#include "framework/Layered.h"
#include "overink/DeskTopDlg.h"
#include "overink/Globals.h"
#include "overink/resource.h"

const UINT CToolDlg::s_buttonIds[BUTTON_COUNT] = {
    IDC_TOOL_1,  IDC_TOOL_2,  IDC_TOOL_3,  IDC_TOOL_4,  IDC_TOOL_5,
    IDC_TOOL_6,  IDC_TOOL_7,  IDC_TOOL_8,  IDC_TOOL_9,  IDC_TOOL_10,
    IDC_TOOL_11, IDC_TOOL_12, IDC_TOOL_13, IDC_TOOL_14, IDC_TOOL_15,
    IDC_TOOL_16, IDC_TOOL_17, IDC_TOOL_18, IDC_TOOL_19, IDC_TOOL_20,
};

CToolDlg::CToolDlg(CDeskTopDlg* owner) : CDialog(IDD_PALETTE), m_pOwner(owner) {}

BOOL CToolDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const ToolSettings* record = Settings().Record();
    if (record)
        ::SetWindowPos(m_hWnd, nullptr, record->deskPaletteX, record->deskPaletteY, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

bool CToolDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        for (int n = 1; n <= BUTTON_COUNT; ++n) {
            if (s_buttonIds[n - 1] == LOWORD(wParam)) {
                m_pOwner->OnToolCommand(n);
                return true;
            }
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CToolDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (CDialog::WindowProc(message, wParam, lParam) == -1)
            return -1;
        // An opaque layered window.
        ModifyStyleEx(0, WS_EX_LAYERED);
        FwSetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);
        return 0;
    case WM_CLOSE:
        ::SendMessageA(m_pOwner->m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

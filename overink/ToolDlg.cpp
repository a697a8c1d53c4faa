#include "overink/ToolDlg.h"

#include "framework/Layered.h"
#include "framework/Module.h"
#include "overink/DeskTopDlg.h"
#include "overink/Globals.h"
#include "overink/resource.h"

#include <commctrl.h>

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
    CreateToolTips();
    for (int n = 1; n <= BUTTON_COUNT; ++n)
        Button(n).Attach(s_buttonIds[n - 1], this, m_toolTip);
    return TRUE;
}

void CToolDlg::CreateToolTips()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    m_toolTip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  FwResourceModule(), nullptr);
    if (!m_toolTip)
        return;
    ::SendMessageA(m_toolTip, TTM_ACTIVATE, TRUE, 0);
    for (int n = 1; n <= BUTTON_COUNT; ++n) {
        std::string text = FwLoadString(static_cast<UINT>(n + 1));
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(m_hWnd, static_cast<int>(s_buttonIds[n - 1])));
        tool.lpszText = text.data();
        ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool CToolDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        for (int n = 1; n <= BUTTON_COUNT; ++n) {
            if (s_buttonIds[n - 1] != LOWORD(wParam))
                continue;
            if (!Button(n).m_bDisabled)
                m_pOwner->OnToolCommand(n);
            return true;
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
        for (int n = 1; n <= BUTTON_COUNT; ++n) {
            Button(n).SetBitmaps(IDB_PALETTE_NORMAL, IDB_PALETTE_ALTERNATE, IDB_PALETTE_DISABLED);
            Button(n).SetIndex(n);
        }
        return 0;
    case WM_CLOSE:
        ::SendMessageA(m_pOwner->m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

#include "overink/DeskTopDlg.h"

#include "framework/Handles.h"
#include "framework/Layered.h"
#include "overink/DeskMainDlg.h"
#include "overink/Globals.h"
#include "overink/resource.h"

namespace {

// WS_EX_TRANSPARENT and bit 0x02: clicks pass through while the presenter uses the mouse.
constexpr DWORD OVERLAY_PASS_THROUGH = 0x22;
constexpr BYTE OVERLAY_OPACITY = 5;

// The spotlight and the shade hold these while they are open.
const char* const TOOL_MUTEXES[] = {"Beamora for Inkvane", "Umbrata for Inkvane"};

} // namespace

CDeskTopDlg::CDeskTopDlg() : CDialog(IDD_OVERLAY), m_toolDlg(this) {}

BOOL CDeskTopDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(DRAW_DIALOG_TITLE);
    m_penLayer.Create(this);
    m_highlightLayer.Create(this);
    m_toolDlg.Create(this);
    m_libraries.Load();
    UpdateToolButtons();
    return TRUE;
}

LRESULT CDeskTopDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (CDialog::WindowProc(message, wParam, lParam) == -1)
            return -1;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                       ::GetSystemMetrics(SM_CYSCREEN),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        ModifyStyleEx(0, OVERLAY_PASS_THROUGH);
        return 0;
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT clip{};
        ::GetClipBox(dc, &clip);
        ::FillRect(dc, &clip, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    case WM_PAINT: {
        CPaintDC paint(m_hWnd);
        return 0;
    }
    case WM_CLOSE:
        NotifyHost(DRAWCB_CLOSE);
        return 0;
    case WM_DRAW_SHOW:
        ShowAll(TRUE);
        return 0;
    case WM_DRAW_RESERVED:
        return 0;
    case WM_TOOLS_CHANGED:
        CountRunningTools();
        UpdateToolButtons();
        return 0;
    case WM_DESTROY:
        m_libraries.Free();
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CDeskTopDlg::ShowLayer(bool show)
{
    if (show) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        FwSetLayeredWindowAttributes(m_hWnd, 0, OVERLAY_OPACITY, LWA_ALPHA);
        ShowWindow(SW_SHOW);
        return;
    }
    ShowWindow(SW_HIDE);
    if (::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED)
        ModifyStyleEx(WS_EX_LAYERED, 0);
}

void CDeskTopDlg::ShowAll(BOOL show)
{
    if (show) {
        Settings().SetSurface(SURFACE_DESKTOP);
        if (Settings().GetWorkMode() == WORK_DRAW && !m_bSleeping && !m_nToolsRunning)
            SetDrawingShown(TRUE);
        m_toolDlg.ShowWindow(SW_SHOW);
        if (g_pDeskMainDlg)
            g_pDeskMainDlg->ShowWindow(SW_SHOW);
        m_bHidden = 0;
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        return;
    }
    m_libraries.ShowUmbrata(0);
    m_libraries.ShowBeamora(0);
    m_toolDlg.ShowWindow(SW_HIDE);
    SetDrawingShown(FALSE);
    m_libraries.CloseSheet();
    if (g_pDeskMainDlg)
        g_pDeskMainDlg->ShowWindow(SW_HIDE);
    m_bHidden = 1;
    m_nToolsRunning = 0;
    // The host relies on the screen being clear when this returns (it may capture it next).
    ::Sleep(500);
}

void CDeskTopDlg::SetDrawingShown(BOOL show)
{
    CountRunningTools();
    if (show) {
        m_toolDlg.ShowWindow(SW_HIDE);
        m_highlightLayer.ShowLayer(true);
        m_penLayer.ShowLayer(true);
        m_toolDlg.ShowWindow(SW_SHOW);
        ShowLayer(true);
    } else {
        ShowLayer(false);
        m_highlightLayer.ShowLayer(false);
        m_penLayer.ShowLayer(false);
    }
    UpdateToolButtons();
}

BOOL CDeskTopDlg::EnableAll(BOOL enable)
{
    ::EnableWindow(m_toolDlg.m_hWnd, enable);
    ::EnableWindow(m_penLayer.m_hWnd, enable);
    ::EnableWindow(m_highlightLayer.m_hWnd, enable);
    return ::EnableWindow(m_hWnd, enable);
}

int CDeskTopDlg::OnSleep(BOOL sleep)
{
    if (sleep) {
        SetDrawingShown(FALSE);
        m_bSleeping = 1;
    } else if (m_bSleeping) {
        if (Settings().GetSurface() == SURFACE_DESKTOP && Settings().GetWorkMode() == WORK_DRAW &&
            !m_bHidden && !m_nToolsRunning)
            SetDrawingShown(TRUE);
        m_bSleeping = 0;
    }
    return m_bSleeping;
}

void CDeskTopDlg::CountRunningTools()
{
    m_nToolsRunning = 0;
    if (Settings().GetSurface() != SURFACE_DESKTOP)
        return;
    for (const char* name : TOOL_MUTEXES) {
        CKernelHandle mutex(::CreateMutexA(nullptr, TRUE, name));
        if (::GetLastError() == ERROR_ALREADY_EXISTS)
            ++m_nToolsRunning;
        else if (mutex)
            ::ReleaseMutex(mutex.Get());
    }
}

void CDeskTopDlg::UpdateToolButtons()
{
    if (m_toolDlg.m_hWnd)
        m_toolDlg.Invalidate(true);
}

void CDeskTopDlg::ShowPenSheet(int sheetKind)
{
    if (ToolSettings* record = Settings().Record())
        record->penSheetKind = sheetKind;
    m_libraries.ShowColor(this, g_pSettings);
}

void CDeskTopDlg::StartTool(bool spotlight)
{
    if (spotlight)
        m_libraries.StartBeamora(&m_toolDlg);
    else
        m_libraries.StartUmbrata(&m_toolDlg);
    CountRunningTools();
    UpdateToolButtons();
}

void CDeskTopDlg::OnToolCommand(int code)
{
    switch (code) {
    case CMD_WHITEBOARD:
        ShowAll(FALSE);
        NotifyHost(DRAWCB_WHITEBOARD);
        break;
    case CMD_FAST_PEN_SET:
        ShowPenSheet(2);
        break;
    case CMD_ACCURATE_PEN_SET:
        ShowPenSheet(1);
        break;
    case CMD_SHADE:
        StartTool(false);
        break;
    case CMD_SPOTLIGHT:
        StartTool(true);
        break;
    case CMD_RIGHT_BUTTON:
        m_libraries.StartHookR();
        break;
    case CMD_MINIMIZE:
        ShowAll(FALSE);
        break;
    default:
        break;
    }
}

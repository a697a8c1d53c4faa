#include "app/MainFrame.h"

#include "app/EboardApp.h"
#include "framework/Handles.h"

#include <imm.h>

CMainFrame* g_pMainFrame = nullptr;

namespace {

RECT ScreenRect()
{
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

} // namespace

CMainFrame::CMainFrame() : m_rectScreen(ScreenRect())
{
    g_pMainFrame = this;
}

CMainFrame::~CMainFrame()
{
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

void CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.lpszName = GetEboardApp()->GetTitle().c_str();
    cs.hMenu = nullptr;
}

int CMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    ModifyStyle(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CAPTION | WS_BORDER, 0);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    if (ToolSettings* record = GetEboardApp()->Settings().Record())
        record->ownProcessId = static_cast<int>(::GetCurrentProcessId());

    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_toolLibraries.LoadToolLibraries();

    // The board takes pen input; an input method must not intercept it.
    ::ImmAssociateContext(m_hWnd, nullptr);
    ::SetWindowPos(m_hWnd, nullptr, -200, -200, 10, 10,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    return 0;
}

void CMainFrame::OnClose()
{
    if (m_bClosing)
        return;
    m_bClosing = 1;
    CFrameWnd::OnClose();
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        CFrameWnd::WindowProc(message, wParam, lParam);
        m_rectScreen = ScreenRect();
        return 0;
    case WM_DESTROY:
        m_toolLibraries.UnloadToolLibraries();
        break;
    case WM_NCHITTEST: {
        LRESULT hit = CFrameWnd::WindowProc(message, wParam, lParam);
        return hit == HTCAPTION ? HTBORDER : hit;
    }
    case WM_PAINT: {
        CPaintDC paint(m_hWnd);   // the view covers the client area
        return 0;
    }
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

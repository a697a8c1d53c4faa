#include "app/MainFrameBars.h"

#include "app/StatusBarDlg.h"
#include "app/Toolbars.h"
#include "app/XPMenu.h"
#include "app/resource.h"
#include "framework/Frame.h"
#include "view/PreView.h"

// In the order the frame creates them.
struct CMainFrameBars::Parts {
    CStatusBarDlg statusPanel;
    // The image lists outlive the bars that show them.
    CToolbarImages mainImages;
    CToolbarImages moreImages;
    CToolBarEx mainBar;
    CToolBarEx moreBar;
    CPreView pageList;
    CFrameWnd* pFrame = nullptr;
};

CMainFrameBars::CMainFrameBars() : m_pParts(new Parts) {}

CMainFrameBars::~CMainFrameBars()
{
    if (m_pParts->pFrame) {
        m_pParts->pFrame->RemoveCommandBar(&m_pParts->mainBar);
        m_pParts->pFrame->RemoveCommandBar(&m_pParts->moreBar);
    }
    delete m_pParts;
}

bool CMainFrameBars::CreateToolbars(CFrameWnd& frame, ToolSettingsRef& settings)
{
    Parts& p = *m_pParts;
    if (!CreateMainToolbar(p.mainBar, p.mainImages, &frame, settings) ||
        !CreateMoreToolbar(p.moreBar, p.moreImages, &frame, settings))
        return false;
    p.pFrame = &frame;
    frame.AddCommandBar(&p.mainBar);
    frame.AddCommandBar(&p.moreBar);
    // A press on a toolbar counts as the pen lifted there, for the page list's fading.
    auto lifted = [this](int x, int y) { OnBoardMouseMove(x, y, 0); };
    p.mainBar.SetLButtonDownListener(lifted);
    p.moreBar.SetLButtonDownListener(lifted);
    return true;
}

void CMainFrameBars::CreateStatusPanel(CFrameWnd& frame, const RECT& board, const ToolSettingsRef& settings)
{
    if (m_pParts->statusPanel.Create(&frame, board, settings))
        m_pParts->statusPanel.ShowWindow(SW_HIDE);
}

void CMainFrameBars::CreatePageList(CFrameWnd& frame)
{
    if (m_pParts->pageList.Create(&frame))
        m_pParts->pageList.ShowList(0);
}

namespace {

// A floating bar shares the board's top-most band, so the board never covers it.
void ShowBar(CToolBarEx& bar, bool show)
{
    if (!bar.m_hWnd)
        return;
    bar.ShowControlBar(show);
    if (show && bar.GetMiniFrame())
        ::SetWindowPos(bar.GetMiniFrame()->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

void CMainFrameBars::KeepAboveBoard()
{
    auto raise = [](HWND window) {
        if (window && ::IsWindowVisible(window))
            ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    for (CToolBarEx* bar : {&m_pParts->mainBar, &m_pParts->moreBar})
        if (bar->m_hWnd && bar->GetMiniFrame())
            raise(bar->GetMiniFrame()->m_hWnd);
    raise(m_pParts->statusPanel.m_hWnd);
    raise(m_pParts->pageList.m_hWnd);
}

void CMainFrameBars::ShowToolbars(bool main, bool more)
{
    ShowBar(m_pParts->mainBar, main);
    ShowBar(m_pParts->moreBar, more);
}

void CMainFrameBars::ApplyButtonSet(int currentTool)
{
    if (m_pParts->mainBar.m_hWnd)
        ::ApplyButtonSet(m_pParts->mainBar, currentTool);
}

void CMainFrameBars::ShowStatusPanel(bool show)
{
    HWND panel = m_pParts->statusPanel.m_hWnd;
    if (!panel)
        return;
    m_pParts->statusPanel.ShowWindow(show ? SW_SHOW : SW_HIDE);
    // Above the board, which may have been raised after it.
    if (show)
        ::SetWindowPos(panel, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMainFrameBars::SetLabelRect(const RECT& board)
{
    m_pParts->statusPanel.SetLabelRect(board);
}

void CMainFrameBars::SetPages(int n, int count)
{
    if (m_pParts->statusPanel.SetPages(n, count) && m_pParts->statusPanel.m_hWnd)
        m_pParts->statusPanel.Refresh();
}

void CMainFrameBars::RefreshStatusPanel()
{
    if (m_pParts->statusPanel.m_hWnd)
        m_pParts->statusPanel.Refresh();
}

int CMainFrameBars::StatusPage() const
{
    return m_pParts->statusPanel.GetPage();
}

bool CMainFrameBars::IsPageListShown() const
{
    return m_pParts->pageList.m_bShown != 0;
}

void CMainFrameBars::ShowPageList(bool show)
{
    if (m_pParts->pageList.m_hWnd)
        m_pParts->pageList.ShowList(show ? 1 : 0);
}

void CMainFrameBars::RefreshPageList(bool erase)
{
    if (m_pParts->pageList.m_hWnd)
        m_pParts->pageList.Refresh(erase);
}

void CMainFrameBars::ScrollPageListToCurrent()
{
    if (m_pParts->pageList.m_hWnd)
        m_pParts->pageList.ScrollToCurrentPage();
}

void CMainFrameBars::OnBoardMouseMove(int x, int y, int drawing)
{
    if (m_pParts->pageList.m_hWnd)
        m_pParts->pageList.OnBoardMouseMove(x, y, drawing);
}

void CMainFrameBars::TrackTrayMenu(HWND owner)
{
    ::TrackTrayMenu(owner);
}

HWND CMainFrameBars::StatusPanelWindow() const
{
    return m_pParts->statusPanel.m_hWnd;
}

HWND CMainFrameBars::PageListWindow() const
{
    return m_pParts->pageList.m_hWnd;
}

CToolBarEx& CMainFrameBars::MainBar()
{
    return m_pParts->mainBar;
}

CToolBarEx& CMainFrameBars::MoreBar()
{
    return m_pParts->moreBar;
}

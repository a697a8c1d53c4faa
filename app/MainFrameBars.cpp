#include "app/MainFrameBars.h"

#include "app/resource.h"
#include "framework/Frame.h"
#include "framework/Handles.h"
#include "framework/Module.h"

struct CMainFrameBars::Parts {
    bool bPageListShown = false;
};

CMainFrameBars::CMainFrameBars() : m_pParts(new Parts) {}

CMainFrameBars::~CMainFrameBars()
{
    delete m_pParts;
}

bool CMainFrameBars::CreateToolbars(CFrameWnd&, ToolSettingsRef&)
{
    return true;
}

void CMainFrameBars::CreateStatusPanel(CFrameWnd&) {}
void CMainFrameBars::CreatePageList(CFrameWnd&) {}
void CMainFrameBars::ShowToolbars(bool, bool) {}
void CMainFrameBars::ApplyButtonSet(int) {}
void CMainFrameBars::ShowStatusPanel(bool) {}
void CMainFrameBars::SetLabelRect(const RECT&) {}
void CMainFrameBars::SetPages(int, int) {}
void CMainFrameBars::RefreshStatusPanel() {}

bool CMainFrameBars::IsPageListShown() const
{
    return m_pParts->bPageListShown;
}

void CMainFrameBars::ShowPageList(bool show)
{
    m_pParts->bPageListShown = show;
}

void CMainFrameBars::RefreshPageList(bool) {}
void CMainFrameBars::ScrollPageListToCurrent() {}
void CMainFrameBars::OnBoardMouseMove(int, int, int) {}

void CMainFrameBars::TrackTrayMenu(HWND owner)
{
    CMenuHandle menu(::CreatePopupMenu());
    ::AppendMenuA(menu.Get(), MF_STRING, ID_SAVING_SETTING, FwLoadString(IDS_MENU_SAVING_SETTING).c_str());
    ::AppendMenuA(menu.Get(), MF_STRING, ID_TRAY_ABOUT, FwLoadString(IDS_MENU_ABOUT).c_str());
    ::AppendMenuA(menu.Get(), MF_STRING, ID_TRAY_EXIT, FwLoadString(IDS_MENU_EXIT).c_str());
    POINT at{};
    ::GetCursorPos(&at);
    ::SetForegroundWindow(owner);
    ::TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

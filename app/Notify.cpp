#include "app/Notify.h"

#include "app/resource.h"
#include "framework/Handles.h"
#include "framework/Module.h"

void CNotify::SetUp(HWND window)
{
    m_data = NOTIFYICONDATAA{};
    // The Windows 2000 layout: the shell of every supported Windows accepts it.
    m_data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    m_data.hWnd = window;
    m_data.uID = ICON_ID;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = WM_TRAY_NOTIFY;
    lstrcpynA(m_data.szTip, FwLoadString(IDS_TRAY_TIP).c_str(), sizeof m_data.szTip);
}

BOOL CNotify::Add()
{
    CIconHandle icon(static_cast<HICON>(::LoadImageA(FwResourceModule(), MAKEINTRESOURCEA(IDI_TRAY),
                                                     IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                     ::GetSystemMetrics(SM_CYSMICON), 0)));
    m_data.hIcon = icon.Get();
    // The shell keeps its own copy of the icon.
    BOOL added = ::Shell_NotifyIconA(NIM_ADD, &m_data);
    m_data.hIcon = nullptr;
    return added;
}

BOOL CNotify::Delete()
{
    return ::Shell_NotifyIconA(NIM_DELETE, &m_data);
}

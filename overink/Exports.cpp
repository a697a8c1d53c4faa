// The library's exported interface. C linkage, C calling convention, undecorated names (see
// Overink.def). The host calls StartDraw once before anything else and nothing after EndDraw.
#include "overink/DeskMainDlg.h"
#include "overink/DeskTopDlg.h"
#include "overink/Globals.h"

extern "C" {

// Resources always come from this library: its framework copy uses its own module.
void __cdecl StartDraw(DrawCallback callback, ToolSettingsRef* settings)
{
    g_pSettings = settings;

    g_pDeskMainDlg = new CDeskMainDlg;
    g_pDeskMainDlg->Create(static_cast<HWND>(nullptr));
    ::MoveWindow(g_pDeskMainDlg->m_hWnd, -100, -100, 1, 1, TRUE);
    g_pDeskMainDlg->ShowWindow(SW_SHOW);

    g_pfnCallback = callback;
    g_pDeskTopDlg = new CDeskTopDlg;
    g_pDeskTopDlg->Create(g_pDeskMainDlg);

    if (const ToolSettings* record = Settings().Record())
        ::SetWindowPos(g_pDeskTopDlg->Palette().m_hWnd, nullptr, record->deskPaletteX,
                       record->deskPaletteY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settings().SetSurface(SURFACE_DESKTOP);
    Settings().SetWorkMode(WORK_MOUSE);
    g_pDeskTopDlg->ShowAll(TRUE);
}

int __cdecl ShowDraw(int show)
{
    if (g_pDeskTopDlg)
        g_pDeskTopDlg->ShowAll(show != 0);
    return 0;
}

void __cdecl EndDraw()
{
    if (g_pDeskMainDlg) {
        g_pDeskMainDlg->DestroyWindow();   // takes the overlay's window tree with it
        delete g_pDeskMainDlg;
        g_pDeskMainDlg = nullptr;
    }
    if (g_pDeskTopDlg) {
        g_pDeskTopDlg->DestroyWindow();
        delete g_pDeskTopDlg;
        g_pDeskTopDlg = nullptr;
    }
    g_pfnCallback = nullptr;
}

int __cdecl EnableWnd(int enable)
{
    return g_pDeskTopDlg ? g_pDeskTopDlg->EnableAll(enable) : 0;
}

int __cdecl DoForSleep(int sleep)
{
    if (sleep) {
        if (g_pDeskTopDlg)
            g_pDeskTopDlg->OnSleep(TRUE);
        return 1;
    }
    // The wake-up runs at the next paint of the hidden owner or of a palette button.
    g_bWakePending = 1;
    return 1;
}

} // extern "C"

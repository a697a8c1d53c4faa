#include "overink/Globals.h"

CDeskMainDlg* g_pDeskMainDlg = nullptr;
CDeskTopDlg* g_pDeskTopDlg = nullptr;
ToolSettingsRef* g_pSettings = nullptr;
DrawCallback g_pfnCallback = nullptr;
int g_bWakePending = 0;

ToolSettingsRef& Settings()
{
    // Before StartDraw there is no record; an empty holder makes every accessor harmless.
    static ToolSettingsRef none;
    return g_pSettings ? *g_pSettings : none;
}

void NotifyHost(int code)
{
    if (g_pfnCallback)
        g_pfnCallback(code, 0, 0);
}

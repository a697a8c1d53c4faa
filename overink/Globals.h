// The library's process-wide state: its windows, the host's settings and callback.
#pragma once

#include "app/settings/ToolSettings.h"
#include "overink/OverinkApi.h"

class CDeskMainDlg;
class CDeskTopDlg;

extern CDeskMainDlg* g_pDeskMainDlg;   // hidden owner; null outside StartDraw..EndDraw
extern CDeskTopDlg* g_pDeskTopDlg;     // overlay; null outside StartDraw..EndDraw
extern ToolSettingsRef* g_pSettings;   // the host's holder, never freed here
extern DrawCallback g_pfnCallback;     // the host's notification function, or null
extern int g_bWakePending;             // a wake-up waits for the next paint

// The host's settings; every read goes through the holder to the current record.
ToolSettingsRef& Settings();

// Notifies the host when it gave a callback.
void NotifyHost(int code);

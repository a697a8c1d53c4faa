// The colour library: the pen settings sheet behind "Fast pen set" and "Accurate pen set".
// C exports with the C calling convention (names from Color.def). The caller's window object
// belongs to another module: only its handle is read.
#include "app/settings/ToolSettings.h"
#include "framework/App.h"
#include "framework/Wnd.h"
#include "outside/color/PenSheet.h"

namespace {

class CColorApp : public CWinApp {};

CColorApp theApp;

// The one sheet; its window is destroyed before the library goes (CloseSheet, or at unload).
CPenSheet g_sheet;

} // namespace

extern "C" {

int __cdecl ShowColor(CWnd* window, ToolSettingsRef* settings)
{
    if (!settings || !settings->Record())
        return 0;
    g_sheet.Open(CWnd::HandleOf(window), settings);
    return g_sheet.m_hWnd != nullptr;
}

void __cdecl CloseSheet()
{
    if (g_sheet.m_hWnd)
        g_sheet.DestroyWindow();
}

void __cdecl UpdataPenSet()
{
    g_sheet.Refresh();
}

} // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        ::DisableThreadLibraryCalls(instance);
    // The sheet and its message hook must be gone before the code behind them is.
    if (reason == DLL_PROCESS_DETACH)
        CloseSheet();
    return FwLibraryMain(reason);
}

// A stand-in colour library for the tests: exports what the product calls and records each call,
// so the tests can see what the caller passed and when.
#include "app/settings/ToolSettings.h"
#include "framework/Wnd.h"
#include "tests/overink/fakecolor/FakeColor.h"

namespace {
FakeColorLog g_log;
}

extern "C" {

int __cdecl ShowColor(CWnd* window, ToolSettingsRef* holder)
{
    ++g_log.showCalls;
    g_log.window = CWnd::HandleOf(window);
    g_log.holder = holder;
    const ToolSettings* record = holder ? holder->Record() : nullptr;
    g_log.sheetKind = record ? record->penSheetKind : 0;
    return 1;
}

void __cdecl CloseSheet()
{
    ++g_log.closeCalls;
}

void __cdecl UpdataPenSet()
{
    ++g_log.updateCalls;
}

FakeColorLog* __cdecl GetFakeColorLog()
{
    return &g_log;
}

} // extern "C"

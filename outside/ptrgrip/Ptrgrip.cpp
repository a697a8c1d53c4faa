// The pointer library. StartHookR arms a right-button simulation: the next left-button press and
// release anywhere on the screen reach the window under the pointer as a right-button press and
// release (so its context menu opens), then the simulation disarms itself.
//
// A low-level mouse hook on the calling thread swallows the left button and injects the right
// one; the events it injects carry a marker so it lets them through. An arming that no click
// follows within half a minute lapses, so a forgotten one does not surprise the presenter later.
#include <windows.h>

namespace {

constexpr ULONG_PTR INJECTED_MARK = 0x50545247;   // "PTRG"
constexpr DWORD ARMED_FOR_MS = 30000;

HINSTANCE g_hInstance = nullptr;
HHOOK g_hHook = nullptr;
DWORD g_dwArmedAt = 0;
bool g_bLeftDown = false;   // the press was converted; its release must be too

void Disarm()
{
    if (g_hHook)
        ::UnhookWindowsHookEx(g_hHook);
    g_hHook = nullptr;
    g_bLeftDown = false;
}

void InjectRight(DWORD flag)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    input.mi.dwExtraInfo = INJECTED_MARK;
    ::SendInput(1, &input, sizeof input);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HC_ACTION || !g_hHook)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (event->dwExtraInfo == INJECTED_MARK)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);

    if (wParam == WM_LBUTTONDOWN) {
        if (!g_bLeftDown && ::GetTickCount() - g_dwArmedAt > ARMED_FOR_MS) {
            Disarm();
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        }
        g_bLeftDown = true;
        InjectRight(MOUSEEVENTF_RIGHTDOWN);
        return 1;
    }
    if (wParam == WM_LBUTTONUP && g_bLeftDown) {
        InjectRight(MOUSEEVENTF_RIGHTUP);
        Disarm();
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

extern "C" void __cdecl StartHookR()
{
    // Arming again only renews the time: one click is converted, however often it was asked for.
    g_dwArmedAt = ::GetTickCount();
    if (!g_hHook)
        g_hHook = ::SetWindowsHookExA(WH_MOUSE_LL, &MouseHook, g_hInstance, 0);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hInstance = instance;
        ::DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        Disarm();
    }
    return TRUE;
}

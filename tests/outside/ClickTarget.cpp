// A helper for right_button.sh: a window that reports the mouse buttons it receives, and a
// process that arms the pointer library's right-button simulation, as the palette does.
//   clicktarget target        shows the window at (200, 200), 400 x 300; prints one line per
//                             message: ldown, lup, rdown, rup, menu (WM_CONTEXTMENU)
//   clicktarget arm DLL       loads the library from that path, calls StartHookR, prints "armed"
//   clicktarget both DLL      the window and the arming on one thread
// Each runs its message loop for a minute (the script ends it sooner). Exit code 2 on bad
// arguments, 3 when the library or its export is missing.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

void Report(const char* what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        Report("ldown");
        return 0;
    case WM_LBUTTONUP:
        Report("lup");
        return 0;
    case WM_RBUTTONDOWN:
        Report("rdown");
        return 0;
    case WM_RBUTTONUP:
        Report("rup");
        break;   // the default handling sends WM_CONTEXTMENU
    case WM_CONTEXTMENU:
        Report("menu");
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void ShowTarget()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TargetProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1);
    wc.lpszClassName = "ClickTarget";
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "click target", WS_POPUP | WS_VISIBLE, 200,
                                  200, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetForegroundWindow(hwnd);
}

bool Arm(const char* path)
{
    HMODULE library = ::LoadLibraryA(path);
    auto startHookR = reinterpret_cast<void(__cdecl*)()>(
        reinterpret_cast<void*>(library ? ::GetProcAddress(library, "StartHookR") : nullptr));
    if (!startHookR)
        return false;
    startHookR();
    Report("armed");
    return true;
}

void RunForAMinute()
{
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 60000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const char* command = argv[1];
    bool target = std::strcmp(command, "target") == 0 || std::strcmp(command, "both") == 0;
    bool arm = std::strcmp(command, "arm") == 0 || std::strcmp(command, "both") == 0;
    if (!target && !arm)
        return 2;
    if (arm && argc < 3)
        return 2;
    if (target)
        ShowTarget();
    if (arm && !Arm(argv[2]))
        return 3;
    RunForAMinute();
    return 0;
}

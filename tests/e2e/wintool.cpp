// A small Windows-side helper for the end-to-end scripts: finds windows the way another program
// would and acts on them, or stands in for the desktop the presenter writes over.
//   wintool close TITLE     posts WM_CLOSE to the top-level window with that title
//   wintool text TITLE      prints the text of that window's message-box text control
//   wintool press TITLE     presses that window's default button (IDOK)
//   wintool no TITLE        answers that question box with No
//   wintool notify MESSAGE  tells the whiteboard's frame that its tray icon saw that mouse message
//   wintool center ID       prints the screen centre "x y" of the visible button with that
//                           control id in any top-level window
//   wintool toolbutton ID   prints the screen centre "x y" of the visible toolbar button with
//                           that command id in any toolbar of any process
//   wintool backdrop RRGGBB shows a full-screen window of that colour, under everything else;
//                           each click on it turns it to the next of three colours
// Exit code 0 when the window was found, 1 when not, 2 on bad arguments.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int FindButtonCentre(int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            HWND control = ::GetDlgItem(hwnd, s->id);
            if (control && ::IsWindowVisible(hwnd) && ::IsWindowVisible(control)) {
                s->found = control;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    RECT rect{};
    ::GetWindowRect(search.found, &rect);
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}

// The rectangle of a toolbar button, read through memory of the toolbar's own process: the
// control writes it to the address it is given.
bool ToolbarButtonRect(HWND toolbar, int index, RECT* rect)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(toolbar, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return false;
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    bool ok = remote && ::SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)) &&
              ::ReadProcessMemory(process, remote, rect, sizeof(RECT), nullptr);
    if (remote)
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return ok;
}

struct ToolbarSearch {
    int id;
    bool found;
};

BOOL CALLBACK SearchToolbars(HWND hwnd, LPARAM param)
{
    auto* s = reinterpret_cast<ToolbarSearch*>(param);
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(cls, "ToolbarWindow32") == 0 && ::IsWindowVisible(hwnd)) {
        LRESULT index = ::SendMessageA(hwnd, TB_COMMANDTOINDEX, s->id, 0);
        RECT rect{};
        if (index >= 0 && ToolbarButtonRect(hwnd, static_cast<int>(index), &rect) && !::IsRectEmpty(&rect)) {
            POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
            ::ClientToScreen(hwnd, &centre);
            std::printf("%ld %ld\n", centre.x, centre.y);
            s->found = true;
            return FALSE;
        }
    }
    ::EnumChildWindows(hwnd, &SearchToolbars, param);
    return s->found ? FALSE : TRUE;
}

int FindToolbarButtonCentre(int id)
{
    ToolbarSearch search{id, false};
    ::EnumWindows(&SearchToolbars, reinterpret_cast<LPARAM>(&search));
    return search.found ? 0 : 1;
}

COLORREF g_colours[3];
int g_clicks = 0;

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        ++g_clicks;
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND: {
        RECT rect{};
        ::GetClientRect(hwnd, &rect);
        HBRUSH brush = ::CreateSolidBrush(g_colours[g_clicks % 3]);
        ::FillRect(reinterpret_cast<HDC>(wParam), &rect, brush);
        ::DeleteObject(brush);
        return TRUE;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

int Backdrop(const char* colour)
{
    unsigned long rgb = std::strtoul(colour, nullptr, 16);
    g_colours[0] = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    g_colours[1] = RGB(255, 240, 160);
    g_colours[2] = RGB(160, 240, 255);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &BackdropProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "E2EBackdrop";
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowExA(0, wc.lpszClassName, "E2E backdrop", WS_POPUP | WS_VISIBLE, 0, 0,
                                  ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const char* command = argv[1];
    if (std::strcmp(command, "center") == 0)
        return FindButtonCentre(std::atoi(argv[2]));
    if (std::strcmp(command, "toolbutton") == 0)
        return FindToolbarButtonCentre(std::atoi(argv[2]));
    if (std::strcmp(command, "backdrop") == 0)
        return Backdrop(argv[2]);
    if (std::strcmp(command, "at") == 0) {
        int x = 0, y = 0;
        std::sscanf(argv[2], "%d,%d", &x, &y);
        HWND hwnd = ::WindowFromPoint(POINT{x, y});
        char title[128] = {}, cls[64] = {};
        ::GetWindowTextA(hwnd, title, sizeof title);
        ::GetClassNameA(hwnd, cls, sizeof cls);
        std::printf("%p %s \"%s\" id %d exstyle %lx\n", static_cast<void*>(hwnd), cls, title,
                    ::GetDlgCtrlID(hwnd), static_cast<long>(::GetWindowLongA(hwnd, GWL_EXSTYLE)));
        return hwnd ? 0 : 1;
    }

    if (std::strcmp(command, "notify") == 0) {
        // notify MOUSE_MESSAGE: the tray icon's click as the shell reports it to the frame.
        HWND frame = ::FindWindowA(nullptr, "Inkvane");
        while (frame && ::GetWindowLongA(frame, GWL_STYLE) & WS_POPUP)
            frame = ::FindWindowExA(nullptr, frame, nullptr, "Inkvane");
        if (!frame)
            return 1;
        ::PostMessageA(frame, 2570, 1, std::atoi(argv[2]));
        return 0;
    }

    // A dialog (a message box) of that title first, else any window.
    HWND hwnd = ::FindWindowA("#32770", argv[2]);
    if (!hwnd)
        hwnd = ::FindWindowA(nullptr, argv[2]);
    if (!hwnd)
        return 1;
    if (std::strcmp(command, "close") == 0) {
        ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
    } else if (std::strcmp(command, "press") == 0) {
        ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    } else if (std::strcmp(command, "no") == 0) {
        ::PostMessageA(hwnd, WM_COMMAND, IDNO, 0);
    } else if (std::strcmp(command, "text") == 0) {
        char text[1024] = {};
        ::GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
        std::printf("%s\n", text);
    } else {
        return 2;
    }
    return 0;
}

// A small Windows-side helper for the end-to-end scripts: finds a top-level window by its title
// and acts on it the way another program would.
//   wintool close TITLE   posts WM_CLOSE
//   wintool text TITLE    prints the text of the window's message-box text control
//   wintool press TITLE   presses the window's default button (IDOK)
// Exit code 0 when the window was found, 1 when not, 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    HWND hwnd = ::FindWindowA(nullptr, argv[2]);
    if (!hwnd)
        return 1;
    if (std::strcmp(argv[1], "close") == 0) {
        ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
    } else if (std::strcmp(argv[1], "press") == 0) {
        ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    } else if (std::strcmp(argv[1], "text") == 0) {
        char text[1024] = {};
        ::GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
        std::printf("%s\n", text);
    } else {
        return 2;
    }
    return 0;
}

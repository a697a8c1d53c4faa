#include "framework/Layered.h"

bool FwSetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    typedef BOOL(WINAPI * SetLayeredFn)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = ::GetModuleHandleA("User32.DLL");
    if (!user32)
        return false;
    auto fn = reinterpret_cast<SetLayeredFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")));
    return fn && fn(hwnd, key, alpha, flags);
}

#include "overink/PageKeys.h"

#include "app/settings/ToolSettings.h"

#include <cstdlib>

bool IsTargetWindow(HWND hwnd, const ToolSettings& record)
{
    if (!::IsWindowEnabled(hwnd) || !::IsWindowVisible(hwnd))
        return false;
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (static_cast<int>(process) == record.ownProcessId)
        return false;
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    long long area = static_cast<long long>(std::abs(rect.right - rect.left)) *
                     std::abs(rect.bottom - rect.top);
    return area >= static_cast<long long>(record.screenWidth) * record.screenHeight / 4;
}

void FindTargetWindow(ToolSettings& record)
{
    HWND hwnd = ::GetTopWindow(nullptr);
    if (hwnd) {
        // The topmost window itself is never the target.
        do
            hwnd = ::GetWindow(hwnd, GW_HWNDNEXT);
        while (hwnd && !IsTargetWindow(hwnd, record));
    }
    record.pageKeyTarget = hwnd;
}

void SendPageKey(ToolSettings& record, BYTE vk, HWND palette)
{
    FindTargetWindow(record);
    if (!record.pageKeyTarget)
        return;
    ::SetForegroundWindow(record.pageKeyTarget);
    ::Sleep(static_cast<DWORD>(record.pageKeyPauseBefore));
    ::keybd_event(vk, 0, 0, 0);
    // Released at once, so the key is not left held down for every program after.
    ::keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    ::Sleep(static_cast<DWORD>(record.pageKeyPauseAfter));
    ::SetForegroundWindow(palette);
}

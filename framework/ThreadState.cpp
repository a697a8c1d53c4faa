#include "framework/ThreadState.h"

#include "framework/Wnd.h"

namespace {

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message != WM_NULL && FwPreTranslateMessage(msg))
            msg->message = WM_NULL;   // consumed: the loop dispatches nothing
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

FwThreadStateData& FwThreadState()
{
    static FwThreadStateData state;
    return state;
}

void FwThreadStateData::OnWindowBound()
{
    if (m_nBoundWindows++ == 0)
        m_messageHook.Reset(
            ::SetWindowsHookExA(WH_GETMESSAGE, &GetMessageHook, nullptr, ::GetCurrentThreadId()));
}

void FwThreadStateData::OnWindowUnbound()
{
    // With the last window gone the hook goes too, so a library can be unloaded safely.
    if (--m_nBoundWindows == 0)
        m_messageHook.Reset();
}

bool FwPreTranslateMessage(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetAncestor(hwnd, GA_PARENT)) {
        if (hwnd == ::GetDesktopWindow())
            break;
        if (CWnd* wnd = CWnd::FromHandle(hwnd))
            if (wnd->PreTranslateMessage(msg))
                return true;
    }
    return false;
}

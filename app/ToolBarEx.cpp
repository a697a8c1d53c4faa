#include "app/ToolBarEx.h"

void CToolBarEx::SetColumns(int n)
{
    if (n <= 0)
        return;
    m_nColumns = n;
    int count = GetButtonCount();
    for (int i = 0; i < count; ++i) {
        UINT state = GetButtonState(i);
        UINT wanted = (i + 1) % n == 0 ? state | TBSTATE_WRAP : state & ~TBSTATE_WRAP;
        if (wanted != state)
            SetButtonState(i, wanted);
    }
    Invalidate(true);
    RecalcLayout();
}

int CToolBarEx::GetButtonCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0));
}

LRESULT CToolBarEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WINDOWPOSCHANGED: {
        LRESULT result = CToolBar::WindowProc(message, wParam, lParam);
        OnWindowPosChanged();
        return result;
    }
    case WM_LBUTTONDOWN:
        if (m_onLButtonDown) {
            RECT window{};
            ::GetWindowRect(m_hWnd, &window);
            m_onLButtonDown(window.left + static_cast<short>(LOWORD(lParam)),
                            window.top + static_cast<short>(HIWORD(lParam)));
        }
        break;
    default:
        break;
    }
    return CToolBar::WindowProc(message, wParam, lParam);
}

void CToolBarEx::OnWindowPosChanged()
{
    if (!IsFloating()) {
        m_bFrameStripped = 0;
        return;
    }
    if (m_bFrameStripped)
        return;
    // The presenter hides the toolbars with the board, never one by its close box.
    HWND frame = GetMiniFrame()->m_hWnd;
    GetMiniFrame()->ModifyStyle(WS_SYSMENU, 0);
    ::SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bFrameStripped = 1;
}

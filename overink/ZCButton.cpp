#include "overink/ZCButton.h"

#include "framework/Module.h"
#include "overink/DeskTopDlg.h"
#include "overink/Globals.h"

#include <commctrl.h>

namespace {

constexpr COLORREF BUTTON_FACE = RGB(232, 232, 232);

HBITMAP LoadStrip(UINT id)
{
    return static_cast<HBITMAP>(::LoadImageA(FwResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                             0, 0, LR_CREATEDIBSECTION));
}

} // namespace

CZCButton::CZCButton()
    : m_penShadow(::CreatePen(PS_INSIDEFRAME, 1, RGB(180, 180, 180))),
      m_penLight(::CreatePen(PS_INSIDEFRAME, 1, RGB(240, 240, 240)))
{
}

bool CZCButton::Attach(UINT id, CWnd* palette, HWND toolTip)
{
    HWND control = ::GetDlgItem(HandleOf(palette), static_cast<int>(id));
    if (!control)
        return false;
    LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
    ::SetWindowLongPtrA(control, GWL_STYLE, (style & ~LONG_PTR(BS_TYPEMASK)) | BS_OWNERDRAW);
    m_hToolTip = toolTip;
    return SubclassWindow(control);
}

void CZCButton::SetBitmaps(UINT normal, UINT alternate, UINT disabled)
{
    m_bmpNormal.Reset(LoadStrip(normal));
    m_bmpAlternate.Reset(LoadStrip(alternate));
    m_bmpDisabled.Reset(LoadStrip(disabled));
}

void CZCButton::SetDown(int v)
{
    m_bDown = v == -1 ? !m_bDown : v == 1;
    Invalidate(true);
}

void CZCButton::SetAlternate(int v)
{
    if (v == -1)
        m_bAlternate = !m_bAlternate;
    else if (v == 0 || v == 1)
        m_bAlternate = v;
    Invalidate(true);
}

void CZCButton::SetDisabled(int v)
{
    if (v == m_bDisabled)
        return;
    m_bDisabled = v;
    Invalidate(true);
}

void CZCButton::Relay(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hToolTip)
        return;
    MSG msg{m_hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    ::SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

LRESULT CZCButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDBLCLK:
        // A quick second click is a second click, not a double click.
        return WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    case WM_MOUSEMOVE:
        Relay(message, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        Relay(message, wParam, lParam);
        LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        m_bPressed = message == WM_LBUTTONDOWN;
        Invalidate(true);
        return result;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CZCButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return true;
}

void CZCButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (g_bWakePending) {
        g_bWakePending = 0;
        if (g_pDeskTopDlg)
            g_pDeskTopDlg->OnSleep(FALSE);
    }

    const RECT& rc = item.rcItem;
    int w = rc.right - rc.left;
    int h = rc.bottom - rc.top;
    CSaveDC saved(item.hDC);
    CMemoryDC memory(::CreateCompatibleDC(item.hDC));
    CBitmap canvas(::CreateCompatibleBitmap(item.hDC, w, h));
    if (!canvas) {
        char text[64];
        wsprintfA(text, "71Error for CreateCompatibleBitmap:%d", static_cast<int>(::GetLastError()));
        ::OutputDebugStringA(text);
    }
    CSelectObject canvasSelected(memory.Get(), canvas.Get());

    const CBitmap& strip = m_bDisabled ? m_bmpDisabled : m_bAlternate ? m_bmpAlternate : m_bmpNormal;
    int d = !m_bDisabled && (m_bDown || m_bPressed) ? 2 : 0;

    RECT local{0, 0, w, h};
    CBrush face(::CreateSolidBrush(BUTTON_FACE));
    ::FillRect(memory.Get(), &local, face.Get());
    {
        CMemoryDC source(::CreateCompatibleDC(item.hDC));
        CSelectObject stripSelected(source.Get(), strip.Get());
        ::SetStretchBltMode(memory.Get(), COLORONCOLOR);
        ::StretchBlt(memory.Get(), d, d, w, h, source.Get(), (m_nIndex - 1) * PICTURE_SIZE, 0,
                     PICTURE_SIZE, PICTURE_SIZE, SRCCOPY);
    }
    if (d == 2) {
        // Sunken frame: shadow on the top and left, light on the right and bottom.
        CSelectObject shadow(memory.Get(), m_penShadow.Get());
        ::MoveToEx(memory.Get(), local.left, local.bottom, nullptr);
        ::LineTo(memory.Get(), local.left, local.top);
        ::LineTo(memory.Get(), local.right, local.top);
        CSelectObject light(memory.Get(), m_penLight.Get());
        ::LineTo(memory.Get(), local.right, local.bottom - 2);
        ::LineTo(memory.Get(), local.left, local.bottom - 2);
    }
    ::BitBlt(item.hDC, rc.left, rc.top, w, h, memory.Get(), 0, 0, SRCCOPY);
}

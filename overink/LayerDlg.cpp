#include "overink/LayerDlg.h"

#include "framework/Handles.h"
#include "framework/Layered.h"
#include "overink/DeskTopDlg.h"
#include "overink/Globals.h"
#include "overink/model/PaintLayer.h"
#include "overink/resource.h"

namespace {

// WS_EX_TRANSPARENT and bit 0x02: the layers never take the pointer.
constexpr DWORD LAYER_PASS_THROUGH = 0x22;

void FillWithKeyColour(HDC dc, const RECT& rect)
{
    CBrush brush(::CreateSolidBrush(Settings().GetKeyColour()));
    CRgn region(::CreateRectRgnIndirect(&rect));
    int oldRop = ::SetROP2(dc, R2_COPYPEN);
    ::FillRgn(dc, region.Get(), brush.Get());
    ::SetROP2(dc, oldRop);
}

} // namespace

void CLayerDlg::ShowLayer(bool show)
{
    if (show) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        SetLayerAttributes();
        // A layer never takes the keyboard; activating it would only reorder its owner's windows.
        ShowWindow(SW_SHOWNA);
        return;
    }
    ShowWindow(SW_HIDE);
    if (::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED)
        ModifyStyleEx(WS_EX_LAYERED, 0);
}

LRESULT CLayerDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        if (CDialog::WindowProc(message, wParam, lParam) == -1)
            return -1;
        ModifyStyleEx(0, LAYER_PASS_THROUGH);
        if (IsTopmost())
            ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        ::MoveWindow(m_hWnd, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                     ::GetSystemMetrics(SM_CYSCREEN), TRUE);
        return 0;
    }
    case WM_ERASEBKGND:
        if (!m_bErased) {
            RECT client{};
            ::GetClientRect(m_hWnd, &client);
            FillWithKeyColour(reinterpret_cast<HDC>(wParam), client);
            m_bErased = 1;
        }
        return TRUE;
    case WM_PAINT: {
        CPaintDC paint(m_hWnd);
        if (g_pDeskTopDlg && g_pDeskTopDlg->Page()) {
            // Only the uncovered or invalidated part: key colour, then every shape of this layer.
            RECT clip{};
            ::GetClipBox(paint.Get(), &clip);
            FillWithKeyColour(paint.Get(), clip);
            PaintLayer(paint.Get(), *g_pDeskTopDlg->Page(), LayerCode(), Settings().GetKeyColour());
        }
        return 0;
    }
    case WM_CLOSE:
        if (g_pDeskTopDlg)
            ::SendMessageA(g_pDeskTopDlg->m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

CSTBDialog::CSTBDialog() : CLayerDlg(IDD_PEN_LAYER) {}

void CSTBDialog::SetLayerAttributes()
{
    FwSetLayeredWindowAttributes(m_hWnd, Settings().GetKeyColour(), 1, LWA_COLORKEY);
}

CYGBDialog::CYGBDialog() : CLayerDlg(IDD_HIGHLIGHT_LAYER) {}

void CYGBDialog::SetLayerAttributes()
{
    FwSetLayeredWindowAttributes(m_hWnd, Settings().GetKeyColour(), 150,
                                 LWA_COLORKEY | LWA_ALPHA);
}

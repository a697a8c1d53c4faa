#include "app/StatusBarDlg.h"

#include "app/resource.h"
#include "framework/Handles.h"
#include "framework/Layered.h"
#include "view/BoardView.h"

namespace {

// Layered, transparent to the mouse, and bit 0x2, which no other style uses.
constexpr DWORD kPanelExStyle = 0x00080022;
static_assert((kPanelExStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) ==
              (WS_EX_LAYERED | WS_EX_TRANSPARENT));

} // namespace

CStatusBarDlg::CStatusBarDlg() : CDialog(IDD_STATUS_PANEL) {}

bool CStatusBarDlg::Create(CWnd* parent, const RECT& board, const ToolSettingsRef& settings)
{
    m_rectBoard = board;
    if (const ToolSettings* record = settings.Record()) {
        m_nRightMargin = record->statusRightMargin;
        m_nTopMargin = record->statusTopMargin;
        m_nWidth = record->statusWidth;
        m_nHeight = record->statusHeight;
    }
    if (!CDialog::Create(parent))
        return false;
    ShowWindow(SW_HIDE);
    return true;
}

int CStatusBarDlg::SetPages(int n, int count)
{
    if (count < n || n == 0)
        return 0;
    m_nPage = n;
    m_nPageCount = count;
    return 1;
}

void CStatusBarDlg::SetLabelRect(const RECT& board)
{
    m_rectLabel = RECT{board.right - 110, board.top + 40, board.right - 40, board.top + 60};
}

void CStatusBarDlg::Refresh()
{
    if (!m_backBuffer || !m_hWnd)
        return;
    CMemoryDC memory(::CreateCompatibleDC(nullptr));
    {
        CSelectObject selected(memory.Get(), m_backBuffer->GetBitmap());
        RECT all{0, 0, m_backBuffer->Width(), m_backBuffer->Height()};
        FwFillSolidRect(memory.Get(), all, kStatusPanelKeyColour);
        // Until the frame gives it the pages, the panel shows nothing.
        if (m_nPage > 0)
            DrawPageLabelIn(memory.Get(), all, m_nPage, m_nPageCount);
    }
    CWindowDC dc(m_hWnd);
    CopyBackBuffer(dc.Get());
}

void CStatusBarDlg::DrawLabelOn(HDC dc)
{
    if (m_nPage > 0)
        DrawPageLabelIn(dc, m_rectLabel, m_nPage, m_nPageCount);
}

void CStatusBarDlg::CopyBackBuffer(HDC dc)
{
    if (!m_backBuffer || !dc)
        return;
    CMemoryDC memory(::CreateCompatibleDC(dc));
    CSelectObject selected(memory.Get(), m_backBuffer->GetBitmap());
    ::BitBlt(dc, 0, 0, m_backBuffer->Width(), m_backBuffer->Height(), memory.Get(), 0, 0, SRCCOPY);
}

BOOL CStatusBarDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWindowDC dc(m_hWnd);
    m_backBuffer = CreatePictureSection(dc.Get(), m_rectPanel.right - m_rectPanel.left,
                                        m_rectPanel.bottom - m_rectPanel.top, 32);
    Refresh();
    return TRUE;
}

int CStatusBarDlg::OnCreate()
{
    if (!(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED))
        ModifyStyleEx(0, kPanelExStyle);
    // Every pixel of the key colour is transparent; without layering the panel stays grey.
    FwSetLayeredWindowAttributes(m_hWnd, kStatusPanelKeyColour, 1, LWA_COLORKEY);
    m_rectPanel.left = m_rectBoard.right - m_nWidth - m_nRightMargin;
    m_rectPanel.top = m_rectBoard.top + m_nTopMargin;
    m_rectPanel.right = m_rectBoard.right - m_nRightMargin;
    m_rectPanel.bottom = m_rectPanel.top + m_nHeight;
    ::MoveWindow(m_hWnd, m_rectPanel.left, m_rectPanel.top, m_rectPanel.right - m_rectPanel.left,
                 m_rectPanel.bottom - m_rectPanel.top, TRUE);
    return 0;
}

LRESULT CStatusBarDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        if (CDialog::WindowProc(message, wParam, lParam) == -1)
            return -1;
        return OnCreate();
    case WM_PAINT: {
        CPaintDC dc(m_hWnd);
        CopyBackBuffer(dc.Get());
        return 0;
    }
    case WM_DESTROY: {
        LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        m_backBuffer.Reset();
        return result;
    }
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

#include "view/PreView.h"

#include "app/resource.h"
#include "board/BoardContext.h"
#include "board/BoardDoc.h"
#include "framework/Handles.h"
#include "framework/Layered.h"
#include "framework/Module.h"
#include "view/BoardView.h"
#include "view/picture/FgDib.h"

#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace page_list {

namespace {

// Scrolled all the way, the last cell ends 146 rows above the band's bottom (198 = 41 above the
// cells + 11 below them + 146), so the last page never sits at the list's very edge.
constexpr int SCROLL_SLACK = 198;

} // namespace

int ScrollMaxFor(int pageCount, int screenHeight)
{
    return (pageCount * CELL_HEIGHT - screenHeight + SCROLL_SLACK) / SCROLL_STEP;
}

int ScrollPosShowing(int pageIndex, int pos, int screenHeight)
{
    int low = (CELL_HEIGHT * pageIndex - screenHeight + SCROLL_SLACK) / SCROLL_STEP;
    int high = CELL_HEIGHT * pageIndex / SCROLL_STEP;
    if (pos < low)
        return low;
    if (pos > high)
        return high;
    return pos;
}

int ScrollPosAfter(int code, int thumbPos, int pos)
{
    long long wanted = pos;
    switch (code) {
    case SB_LINEUP:
        wanted -= 1;
        break;
    case SB_LINEDOWN:
        wanted += 1;
        break;
    case SB_PAGEUP:
        wanted -= 10;
        break;
    case SB_PAGEDOWN:
        wanted += 10;
        break;
    case SB_THUMBTRACK:
        wanted = thumbPos;
        break;
    case SB_TOP:
        wanted = 0;
        break;
    case SB_BOTTOM:
        wanted = INT_MAX;
        break;
    default:   // SB_THUMBPOSITION, SB_ENDSCROLL: the track already moved the list
        break;
    }
    // The control never goes below 0; the list's own largest position is applied on refresh.
    return static_cast<int>(std::clamp<long long>(wanted, 0, INT_MAX));
}

int ScrollPosAfterWheel(int delta, int pos, int scrollMax)
{
    // A notch of 120 toward the user moves the list 12 steps down.
    int wanted = pos + delta / -10;
    return std::max(0, std::min(wanted, scrollMax));
}

std::vector<SPageCell> VisibleCells(int pageCount, int scrollPos, int clientHeight)
{
    std::vector<SPageCell> cells;
    const int shift = SCROLL_STEP * scrollPos;
    const int bandBottom = clientHeight - CELLS_BOTTOM_MARGIN;
    int y = CELLS_TOP;
    for (int k = 0; k < pageCount; ++k) {
        if (shift - CELL_HEIGHT * k > CELL_HEIGHT)
            continue;   // wholly above the band
        if (CELL_HEIGHT * k - shift > clientHeight - 38)
            break;      // this and every later cell lie below
        int bottom = std::min(bandBottom, CELLS_TOP + CELL_HEIGHT + CELL_HEIGHT * k - shift);
        if (bottom > y) {
            // A cell cut by the list's bottom shows its top; one cut by the header its bottom.
            int sourceTop = bottom == bandBottom ? 0 : y - bottom + CELL_HEIGHT;
            cells.push_back(SPageCell{k, y, bottom, sourceTop});
        }
        y = bottom;
    }
    return cells;
}

int PageAt(int x, int y, int scrollPos, int pageCount, int clientHeight)
{
    for (const SPageCell& cell : VisibleCells(pageCount, scrollPos, clientHeight)) {
        RECT rc{CELL_LEFT, cell.nTop, CELL_LEFT + CELL_WIDTH, cell.nBottom};
        if (::PtInRect(&rc, POINT{x, y}))
            return cell.nIndex + 1;
    }
    return -1;
}

} // namespace page_list

using namespace page_list;

namespace {

int ScreenHeight()
{
    RECT board = GetBoardRect();
    return board.bottom - board.top;
}

// Stretches a part of a bitmap resource of this module into the target.
void DrawResourceBitmap(HDC target, UINT id, const RECT& to, int srcX, int srcY, int srcW,
                        int srcH)
{
    CBitmap bitmap(::LoadBitmapA(FwResourceModule(), MAKEINTRESOURCEA(id)));
    if (!bitmap)
        return;
    CMemoryDC source(::CreateCompatibleDC(target));
    if (!source)
        return;
    CSelectObject select(source.Get(), bitmap.Get());
    ::StretchBlt(target, to.left, to.top, to.right - to.left, to.bottom - to.top, source.Get(),
                 srcX, srcY, srcW, srcH, SRCCOPY);
}

void DrawWholeResourceBitmap(HDC target, UINT id, const RECT& to, int width, int height)
{
    DrawResourceBitmap(target, id, to, 0, 0, width, height);
}

UINT HeaderBitmap(int alpha, int unfolded)
{
    bool opaque = alpha == ALPHA_OPAQUE;
    if (unfolded)
        return opaque ? IDB_LIST_HEADER_OPAQUE : IDB_LIST_HEADER_TRANSLUCENT;
    return opaque ? IDB_LIST_HEADER_OPAQUE_FOLDED : IDB_LIST_HEADER_TRANSLUCENT_FOLDED;
}

constexpr int SIDES_WIDTH = 192;
constexpr int SIDES_HEIGHT = 279;
constexpr int SIDE_SLICE = 8;
constexpr int SIDE_STRIP = 4;
constexpr int BOTTOM_WIDTH = 192;
constexpr int BOTTOM_HEIGHT = 10;
constexpr int BOTTOM_STRIP = 8;

} // namespace

CPreView::CPreView() : CDialog(IDD_PAGE_LIST) {}

CPreView::~CPreView()
{
    // Destroyed here, while the messages of its last moments still reach this class.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CPreView::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_scrollBar.SubclassDlgItem(IDC_PAGE_LIST_SCROLL, this);
    int height = ScreenHeight();
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, LIST_WIDTH, height, 0);
    ::MoveWindow(m_scrollBar.m_hWnd, SCROLLBAR_LEFT, HEADER_HEIGHT, SCROLLBAR_WIDTH,
                 height - HEADER_HEIGHT, TRUE);
    ::EnableScrollBar(m_scrollBar.m_hWnd, SB_CTL, ESB_ENABLE_BOTH);
    StoreWindowRect();
    m_scrollBar.ShowWindow(SW_HIDE);
    // The pen's strokes must never open an input method over the list.
    ::ImmAssociateContext(m_hWnd, nullptr);
    ::ImmAssociateContext(m_scrollBar.m_hWnd, nullptr);
    return TRUE;
}

void CPreView::ShowList(int on)
{
    m_bShown = on;
    ShowWindow(on ? SW_SHOW : SW_HIDE);
}

void CPreView::Refresh(bool erase)
{
    if (!g_pBoardView)
        return;
    int count = g_pBoardView->GetPageCount();
    if (count >= 0)
        SetPageCount(count);
    if (m_bShown && m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CPreView::SetPageCount(int n)
{
    m_nScrollMax = ScrollMaxFor(n, ScreenHeight());

    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(m_nScrollMax * 1.125);
    info.nPage = static_cast<UINT>(std::max(0, m_nScrollMax / 8));
    info.nPos = m_nScrollPos;
    if (m_scrollBar.m_hWnd)
        ::SetScrollInfo(m_scrollBar.m_hWnd, SB_CTL, &info, TRUE);

    if (m_nScrollMax < m_nScrollPos) {
        m_nScrollPos = m_nScrollMax;
        WriteScrollPos();
    }
    if (m_nScrollMax < 0) {
        m_bScrollBarShown = 0;
        m_nScrollPos = 0;
        WriteScrollPos();
        m_scrollBar.ShowWindow(SW_HIDE);
    } else {
        m_bScrollBarShown = 1;
        m_scrollBar.ShowWindow(SW_SHOW);
    }
}

void CPreView::ScrollToCurrentPage()
{
    ReadScrollPos();
    if (m_nScrollMax < 0 || !g_pBoardView)
        return;
    int pos = ScrollPosShowing(g_pBoardView->GetCurrentPageIndex(), m_nScrollPos, ScreenHeight());
    if (pos == m_nScrollPos)
        return;
    m_nScrollPos = pos;
    WriteScrollPos();
    Invalidate(true);
}

void CPreView::OnBoardMouseMove(int x, int y, int drawing)
{
    if (m_nAlpha == ALPHA_TRANSLUCENT)
        return;   // a translucent list already lets the board show through
    bool inside = ::PtInRect(&m_rectWindow, POINT{x, y}) != FALSE;
    if (m_bOpaqueNow == 1 && drawing == 1 && m_bShown && inside) {
        FwSetLayeredWindowAttributes(m_hWnd, LAYER_KEY, 0, LWA_ALPHA);
        m_bOpaqueNow = 0;
    } else if (m_bOpaqueNow == 0 && drawing == 0 && m_bShown && !inside) {
        FwSetLayeredWindowAttributes(m_hWnd, LAYER_KEY, static_cast<BYTE>(m_nAlpha), LWA_ALPHA);
        m_bOpaqueNow = 1;
    }
}

int CPreView::PageAt(int x, int y, int scrollPos) const
{
    if (!g_pBoardView)
        return -1;
    RECT client{};
    if (!m_hWnd || !::GetClientRect(m_hWnd, &client))
        client.bottom = ScreenHeight();
    return page_list::PageAt(x, y, scrollPos, g_pBoardView->GetPageCount(), client.bottom);
}

void CPreView::ReadScrollPos()
{
    if (m_scrollBar.m_hWnd)
        m_nScrollPos = ::GetScrollPos(m_scrollBar.m_hWnd, SB_CTL);
}

void CPreView::WriteScrollPos()
{
    if (m_scrollBar.m_hWnd)
        ::SetScrollPos(m_scrollBar.m_hWnd, SB_CTL, m_nScrollPos, TRUE);
}

void CPreView::StoreWindowRect()
{
    ::GetWindowRect(m_hWnd, &m_rectWindow);
}

LRESULT CPreView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        ModifyStyleEx(0, WS_EX_NOACTIVATE | WS_EX_LAYERED);
        FwSetLayeredWindowAttributes(m_hWnd, LAYER_KEY, ALPHA_OPAQUE, LWA_ALPHA);
        return result;
    }
    case WM_PAINT: {
        CPaintDC paint(m_hWnd);
        Paint(paint.Get());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;   // every pixel comes from the composed list
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        break;
    case WM_LBUTTONDOWN:
        if (!OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            break;
        Invalidate(true);
        break;
    case WM_LBUTTONUP:
        ::ReleaseCapture();
        m_bPressed = 0;
        break;
    case WM_MOVING:
    case WM_SIZING: {
        LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        StoreWindowRect();
        return result;
    }
    case WM_CLOSE:
        // The dialog manager would turn a close into IDCANCEL, which a modeless dialog ignores;
        // closing the list hides it.
        m_bShown = 0;
        ShowWindow(SW_HIDE);
        return 0;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CPreView::OnVScroll(int code, int thumbPos)
{
    ReadScrollPos();
    m_nScrollPos = ScrollPosAfter(code, thumbPos, m_nScrollPos);
    WriteScrollPos();
    Refresh(true);
}

void CPreView::OnMouseWheel(int delta)
{
    if (!m_bScrollBarShown)
        return;
    m_nScrollPos = ScrollPosAfterWheel(delta, m_nScrollPos, m_nScrollMax);
    WriteScrollPos();
    Invalidate(true);
}

bool CPreView::OnLButtonDown(int x, int y)
{
    ::SetCapture(m_hWnd);
    POINT pt{x, y};
    if (::PtInRect(&FOLD_BUTTON, pt)) {
        Fold(m_bUnfolded != 0);
        return true;
    }
    if (::PtInRect(&TRANSPARENCY_BUTTON, pt)) {
        m_nAlpha = m_nAlpha == ALPHA_OPAQUE ? ALPHA_TRANSLUCENT : ALPHA_OPAQUE;
        FwSetLayeredWindowAttributes(m_hWnd, LAYER_KEY, static_cast<BYTE>(m_nAlpha), LWA_ALPHA);
        return true;
    }
    m_bPressed = 1;
    int n = PageAt(x, y, m_nScrollPos);
    if (n == -1)
        return false;
    g_pBoardView->SelectPage(n);
    return true;
}

void CPreView::Fold(bool fold)
{
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    int height = rc.bottom - rc.top;
    // Folded, only the header's upper 30 rows stay on the screen, at its bottom.
    int top = fold ? ScreenHeight() - FOLDED_TAB : 0;
    ::MoveWindow(m_hWnd, rc.left, top, rc.right - rc.left, height, TRUE);
    m_bUnfolded = fold ? 0 : 1;
    // The fading test needs the list where it is now, not where it was unfolded.
    StoreWindowRect();
}

void CPreView::Paint(HDC target)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    int width = client.right;
    int height = client.bottom;

    CDibRef canvas = CreatePictureSection(target, width, height);
    CMemoryDC memory(::CreateCompatibleDC(target));
    if (!canvas || !memory)
        return;
    CSelectObject selectCanvas(memory.Get(), canvas->GetBitmap());
    HDC dc = memory.Get();
    FwFillSolidRect(dc, client, FACE_COLOUR);

    ::SetStretchBltMode(dc, COLORONCOLOR);
    DrawWholeResourceBitmap(dc, HeaderBitmap(m_nAlpha, m_bUnfolded),
                            RECT{0, 0, LIST_WIDTH, HEADER_HEIGHT}, LIST_WIDTH, HEADER_HEIGHT);
    int sideBottom = height - BOTTOM_STRIP;
    DrawResourceBitmap(dc, IDB_LIST_SIDES, RECT{0, HEADER_HEIGHT, SIDE_STRIP, sideBottom}, 0, 0,
                       SIDE_SLICE, SIDES_HEIGHT);
    DrawResourceBitmap(dc, IDB_LIST_SIDES,
                       RECT{LIST_WIDTH - SIDE_STRIP, HEADER_HEIGHT, LIST_WIDTH, sideBottom},
                       SIDES_WIDTH - SIDE_SLICE, 0, SIDE_SLICE, SIDES_HEIGHT);
    DrawWholeResourceBitmap(dc, IDB_LIST_BOTTOM, RECT{0, sideBottom, LIST_WIDTH, height},
                            BOTTOM_WIDTH, BOTTOM_HEIGHT);

    ReadScrollPos();
    DrawCells(dc, height);

    // The scroll bar draws itself; the copy must leave its column alone while it shows.
    CRgn clip(::CreateRectRgn(0, 0, width, height));
    CRgn column(::CreateRectRgn(SCROLLBAR_LEFT, HEADER_HEIGHT, SCROLLBAR_LEFT + SCROLLBAR_WIDTH,
                                ScreenHeight()));
    ::CombineRgn(clip.Get(), clip.Get(), column.Get(), RGN_XOR);
    if (m_bScrollBarShown)
        ::SelectClipRgn(target, clip.Get());
    ::BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ::SelectClipRgn(target, nullptr);
}

void CPreView::DrawCells(HDC target, int clientHeight)
{
    CBoardDoc* doc = g_pBoardView ? g_pBoardView->GetDocument() : nullptr;
    if (!doc)
        return;
    std::vector<SPageCell> cells = VisibleCells(doc->CountPages(), m_nScrollPos, clientHeight);
    if (cells.empty())
        return;

    CDibRef cell = CreatePictureSection(target, CELL_WIDTH, CELL_HEIGHT);
    CMemoryDC cellDc(::CreateCompatibleDC(target));
    if (!cell || !cellDc)
        return;
    CSelectObject selectCell(cellDc.Get(), cell->GetBitmap());
    CFont font(::CreateFontA(20, 0, 0, 0, 350, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "Arial"));
    ::SetStretchBltMode(target, COLORONCOLOR);

    // Cells come in page order, so one walk through the document finds each cell's page.
    CPage* page = doc->GetFirstPage();
    int index = 0;
    for (const SPageCell& place : cells) {
        for (; page && index < place.nIndex; ++index)
            page = doc->GetNextPage(page);
        if (!page)
            break;
        DrawCell(doc, page, cellDc.Get(), font.Get());
        ::BitBlt(target, CELL_LEFT, place.nTop, CELL_WIDTH, place.nBottom - place.nTop,
                 cellDc.Get(), 0, place.nSourceTop, SRCCOPY);
    }
}

void CPreView::DrawCell(CBoardDoc* doc, CPage* page, HDC dc, HFONT font)
{
    RECT all{0, 0, CELL_WIDTH, CELL_HEIGHT};
    FwFillSolidRect(dc, all, FACE_COLOUR);

    int n = doc->GetPageNumber(page);
    if (n >= 1 && n <= 9999) {
        char text[8];
        int digits = std::snprintf(text, sizeof(text), "%d", n);
        static constexpr int LEFT_FOR_DIGITS[] = {40, 35, 30, 25};
        CSelectObject selectFont(dc, font);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::SetBkMode(dc, OPAQUE);
        ::TextOutA(dc, LEFT_FOR_DIGITS[digits - 1], THUMBNAIL_SIZE, text, digits);
    }

    CFG_DIB* thumbnail = page->m_pThumbnail.Get();
    if (thumbnail && thumbnail->m_pBits) {
        thumbnail->Draw(dc, 0, 0, 0, 0, THUMBNAIL_SIZE, THUMBNAIL_SIZE);
    } else {
        FwFillSolidRect(dc, RECT{0, 0, THUMBNAIL_SIZE, THUMBNAIL_SIZE}, BoardColour());
    }

    bool current = page == doc->GetCurrentPage();
    CPen pen(::CreatePen(PS_SOLID, 2, current ? RGB(255, 0, 0) : RGB(0, 0, 0)));
    CSelectObject selectPen(dc, pen.Get());
    ::MoveToEx(dc, 0, 0, nullptr);
    ::LineTo(dc, THUMBNAIL_SIZE, 0);
    ::LineTo(dc, THUMBNAIL_SIZE, THUMBNAIL_SIZE);
    ::LineTo(dc, 0, THUMBNAIL_SIZE);
    ::LineTo(dc, 0, 0);
}

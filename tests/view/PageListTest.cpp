// The page list: its layout and scroll rules, then the window itself, created in-process over
// a real board document and board view and driven with the mouse, wheel and scroll messages
// the system sends; pictures of it are read back with WM_PRINTCLIENT.
#include "tests/board/BoardCanvas.h"

#include "app/resource.h"
#include "board/BoardDoc.h"
#include "framework/Module.h"
#include "tests/support/WineTest.h"
#include "view/BoardView.h"
#include "view/PreView.h"

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

using namespace board_test;
using namespace page_list;

namespace {

// The screen of the worked examples; the list takes its height from the board rectangle.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// ---- Layout and scroll rules ----

TEST(PageListRules, ScrollRangeFollowsThePageCount)
{
    struct Case {
        int pages, screen, max;
    };
    const Case cases[] = {
        {5, 768, 8},      // from 5 pages on the bar shows
        {4, 768, -5},     // everything fits
        {1, 768, -44},
        {12, 768, 99},
        {4, 765, -4},     // -47 / 10 truncates toward zero
        {100, 1080, 1211},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollMaxFor(c.pages, c.screen), c.max) << c.pages << " pages on " << c.screen;
}

TEST(PageListRules, CellsFollowTheScrollPosition)
{
    struct Case {
        const char* what;
        int pages, pos;
        std::vector<SPageCell> cells;
    };
    const Case cases[] = {
        {"position 0: the first cell starts at 41", 3, 0,
         {{0, 41, 171, 0}, {1, 171, 301, 0}, {2, 301, 431, 0}}},
        {"position 5: the first cell shows its lower 80 rows", 2, 5,
         {{0, 41, 121, 50}, {1, 121, 251, 0}}},
        {"position 13: the first cell has scrolled away whole", 2, 13, {{1, 41, 171, 0}}},
        {"position 14: only the second cell's lower 120 rows", 2, 14, {{1, 41, 161, 10}}},
        {"the bottom cuts the sixth cell to its top 66 rows", 12, 0,
         {{0, 41, 171, 0}, {1, 171, 301, 0}, {2, 301, 431, 0}, {3, 431, 561, 0},
          {4, 561, 691, 0}, {5, 691, 757, 0}}},
    };
    for (const Case& c : cases) {
        std::vector<SPageCell> cells = VisibleCells(c.pages, c.pos, kScreenHeight);
        ASSERT_EQ(cells.size(), c.cells.size()) << c.what;
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i].nIndex, c.cells[i].nIndex) << c.what << ", cell " << i;
            EXPECT_EQ(cells[i].nTop, c.cells[i].nTop) << c.what << ", cell " << i;
            EXPECT_EQ(cells[i].nBottom, c.cells[i].nBottom) << c.what << ", cell " << i;
            EXPECT_EQ(cells[i].nSourceTop, c.cells[i].nSourceTop) << c.what << ", cell " << i;
        }
    }
}

TEST(PageListRules, PageAtHitsCellsAndMissesEverythingElse)
{
    struct Case {
        const char* what;
        int x, y, pos, pages, page;
    };
    const Case cases[] = {
        {"inside the first thumbnail", 60, 100, 0, 5, 1},
        {"on the first page's number row", 60, 165, 0, 5, 1},
        {"the first row of the second cell", 60, 171, 0, 5, 2},
        {"the left edge of a cell", 11, 200, 0, 5, 2},
        {"left of the cells, on the border", 10, 200, 0, 5, -1},
        {"right of the cells", 111, 200, 0, 5, -1},
        {"in the header", 60, 20, 0, 5, -1},
        {"in the gap below the header", 60, 40, 0, 5, -1},
        {"below the last cell", 60, 500, 0, 3, -1},
        {"in the bottom margin", 60, 760, 0, 12, -1},
        {"scrolled by 5: the cut first cell", 60, 45, 5, 5, 1},
        {"scrolled by 5: the second cell", 60, 125, 5, 5, 2},
        {"scrolled to the end: the last cell", 60, 600, 99, 12, 12},
        {"scrolled to the end: below the last cell", 60, 620, 99, 12, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageAt(c.x, c.y, c.pos, c.pages, kScreenHeight), c.page) << c.what;
}

TEST(PageListRules, ScrollCodesMoveByLinesPagesAndThumb)
{
    struct Case {
        int code, thumb, pos, result;
    };
    const Case cases[] = {
        {SB_LINEUP, 0, 20, 19},        {SB_LINEDOWN, 0, 20, 21},
        {SB_PAGEUP, 0, 20, 10},        {SB_PAGEDOWN, 0, 20, 30},
        {SB_THUMBTRACK, 42, 20, 42},   {SB_TOP, 0, 20, 0},
        {SB_BOTTOM, 0, 20, INT_MAX},   {SB_THUMBPOSITION, 42, 20, 20},
        {SB_ENDSCROLL, 0, 20, 20},     {SB_LINEUP, 0, 0, 0},
        {SB_PAGEUP, 0, 4, 0},          {SB_LINEDOWN, 0, INT_MAX, INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollPosAfter(c.code, c.thumb, c.pos), c.result)
            << "code " << c.code << " from " << c.pos;
}

TEST(PageListRules, WheelNotchesMoveTwelveStepsWithinTheRange)
{
    struct Case {
        int delta, pos, max, result;
    };
    const Case cases[] = {
        {-120, 0, 99, 12},   // toward the user: down the list
        {120, 20, 99, 8},
        {-120, 0, 8, 8},     // stops at the largest position
        {120, 5, 99, 0},     // and at the top
        {-60, 0, 99, 6},     // half a notch from a fine wheel
        {-5, 3, 99, 3},      // truncated toward zero
        {-15, 3, 99, 4},
        {15, 3, 99, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollPosAfterWheel(c.delta, c.pos, c.max), c.result)
            << c.delta << " from " << c.pos;
}

TEST(PageListRules, ScrollingToAPageMovesOnlyWhenItIsOutOfView)
{
    struct Case {
        int index, pos, result;
    };
    const Case cases[] = {
        {0, 0, 0},     // visible
        {3, 0, 0},     // visible
        {5, 0, 8},     // below: scroll until its cell is whole
        {11, 0, 86},
        {5, 30, 30},   // visible in the middle
        {5, 70, 65},   // above: scroll until it is the first
        {0, 40, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollPosShowing(c.index, c.pos, kScreenHeight), c.result)
            << "page index " << c.index << " from " << c.pos;
    // Scrolled there, the page's cell shows whole.
    for (const SPageCell& cell : VisibleCells(12, 86, kScreenHeight)) {
        if (cell.nIndex == 11) {
            EXPECT_EQ(cell.nBottom - cell.nTop, CELL_HEIGHT);
        }
    }
}

// ---- The window ----

// What the frame does with the view's news: hand it to the list.
class CListForwarder : public CBoardViewListener {
public:
    explicit CListForwarder(CPreView* list) : m_pList(list) {}
    void OnBoardMouseMove(int x, int y, int drawing) override
    {
        m_pList->OnBoardMouseMove(x, y, drawing);
    }
    void RefreshPageList(bool erase) override { m_pList->Refresh(erase); }
    void RefreshStatusPanel() override {}
    void UpdateStatusPanel() override {}
    void CloseColourSheet() override {}

private:
    CPreView* m_pList;
};

constexpr COLORREF kBoardColour = RGB(250, 240, 200);
constexpr COLORREF kFace = RGB(230, 230, 230);

// A 24-bit bitmap resource of this module, for comparing the list's artwork with.
CDibRef LoadResourcePicture(UINT id)
{
    CBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(FwResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                     LR_CREATEDIBSECTION)));
    if (!bitmap)
        return CDibRef();
    BITMAP info{};
    ::GetObjectA(bitmap.Get(), sizeof info, &info);
    CDibRef picture = CreatePictureSection(nullptr, info.bmWidth, info.bmHeight);
    CMemoryDC from(::CreateCompatibleDC(nullptr));
    CMemoryDC to(::CreateCompatibleDC(nullptr));
    CSelectObject selectFrom(from.Get(), bitmap.Get());
    CSelectObject selectTo(to.Get(), picture->GetBitmap());
    ::BitBlt(to.Get(), 0, 0, info.bmWidth, info.bmHeight, from.Get(), 0, 0, SRCCOPY);
    return picture;
}

// A board of pages with a real view in a hidden frame stand-in, and the page list owned by
// it, created hidden as the frame creates it.
class PageList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gdiplus.Started());
        ASSERT_TRUE(m_settings.FillToolDefaults());
        ToolSettings& record = *m_settings.Record();
        record.surface = SURFACE_BOARD;
        record.boardEraserColour = kBoardColour;
        record.boardTool = STYLE_PEN;
        record.boardPenShape = SHAPE_STROKE;
        record.boardPenColour = RGB(0, 0, 255);
        record.boardPenWidth = 60;
        SetBoardSettings(&m_settings);

        ASSERT_TRUE(m_frame.CreateEx(0, nullptr, "board", WS_POPUP,
                                     RECT{0, 0, kScreenWidth, kScreenHeight}, nullptr, nullptr));
        m_view = new CBoardView;
        // The view takes the real screen; the list is checked on the examples' screen.
        SetBoardRect(RECT{0, 0, kScreenWidth, kScreenHeight});
        m_view->m_rectBoard = RECT{0, 0, kScreenWidth, kScreenHeight};
        m_view->SetListener(&m_forwarder);
        ASSERT_TRUE(m_view->Create(&m_frame, &m_doc));
        ASSERT_TRUE(m_doc.OnNewDocument());

        ASSERT_TRUE(m_list.Create(&m_frame));
        m_list.ShowList(0);
    }

    void TearDown() override
    {
        m_list.DestroyWindow();
        m_frame.DestroyWindow();
        delete m_view;
        test::PumpMessages();
        SetBoardSettings(nullptr);
        m_settings.Release();
    }

    HWND List() const { return m_list.m_hWnd; }

    // n pages, page 1 shown, the list refreshed as the document would have it.
    void MakePages(int n)
    {
        while (m_doc.CountPages() < n)
            m_doc.AppendPage(false);
        m_doc.GoToFirstPage(false);
        m_list.Refresh(true);
    }

    void Click(int x, int y)
    {
        ::SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    void Scroll(int code, int thumb = 0)
    {
        ::SendMessageA(List(), WM_VSCROLL, MAKEWPARAM(code, thumb),
                       reinterpret_cast<LPARAM>(m_list.m_scrollBar.m_hWnd));
    }
    void Wheel(int delta)
    {
        ::SendMessageA(List(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                       MAKELPARAM(60, 300));
    }
    int ControlPos() const { return ::GetScrollPos(m_list.m_scrollBar.m_hWnd, SB_CTL); }

    BYTE LayerAlpha() const
    {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ::GetLayeredWindowAttributes(List(), &key, &alpha, &flags);
        return alpha;
    }

    RECT WindowRect() const
    {
        RECT rc{};
        ::GetWindowRect(List(), &rc);
        return rc;
    }

    // The list as it paints itself, over a background of the given colour.
    CDibRef Render(COLORREF underneath = RGB(255, 0, 255))
    {
        RECT client{};
        ::GetClientRect(List(), &client);
        CDibRef picture = CreatePictureSection(nullptr, client.right, client.bottom);
        CMemoryDC dc(::CreateCompatibleDC(nullptr));
        CSelectObject select(dc.Get(), picture->GetBitmap());
        CBrush brush(::CreateSolidBrush(underneath));
        ::FillRect(dc.Get(), &client, brush.Get());
        ::SendMessageA(List(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        ::GdiFlush();
        return picture;
    }

    // A picture for a page's thumbnail: each row its own colour, so a shown row names itself.
    static CDibRef RowPicture(int red)
    {
        return MakePicture(THUMBNAIL_SIZE, THUMBNAIL_SIZE,
                           [red](int, int y) { return RGB(red, 2 * y, 255 - 2 * y); });
    }
    static CDibRef SolidPicture(COLORREF colour)
    {
        return MakePicture(THUMBNAIL_SIZE, THUMBNAIL_SIZE, [colour](int, int) { return colour; });
    }

    // Pixels of the rectangle for which the test holds.
    static int CountIn(const CFG_DIB& picture, const RECT& rc, const std::function<bool(COLORREF)>& test)
    {
        int count = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (test(PixelOf(picture, x, y)))
                    ++count;
        return count;
    }
    static bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }
    static bool IsBlack(COLORREF c) { return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60; }
    static bool IsWhite(COLORREF c) { return c == RGB(255, 255, 255); }

    CGdiplusSession m_gdiplus;
    ToolSettingsRef m_settings;
    CWnd m_frame;
    CBoardDoc m_doc;
    CBoardView* m_view = nullptr;
    CPreView m_list;
    CListForwarder m_forwarder{&m_list};
};

TEST_F(PageList, StartsAsATopMostStripAtTheLeftEdge)
{
    RECT rc = WindowRect();
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, LIST_WIDTH);
    EXPECT_EQ(rc.bottom, kScreenHeight);
    EXPECT_TRUE(::EqualRect(&rc, &m_list.m_rectWindow));

    LONG_PTR style = ::GetWindowLongPtrA(List(), GWL_STYLE);
    LONG_PTR exStyle = ::GetWindowLongPtrA(List(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    for (LONG_PTR bit : {LONG_PTR{WS_EX_TOPMOST}, LONG_PTR{WS_EX_TOOLWINDOW}, LONG_PTR{WS_EX_NOACTIVATE},
                         LONG_PTR{WS_EX_LAYERED}})
        EXPECT_TRUE(exStyle & bit) << std::hex << bit;
    EXPECT_EQ(::GetWindow(List(), GW_OWNER), m_frame.m_hWnd);
    EXPECT_EQ(LayerAlpha(), 255);

    HWND bar = ::GetDlgItem(List(), IDC_PAGE_LIST_SCROLL);
    ASSERT_EQ(bar, m_list.m_scrollBar.m_hWnd);
    RECT barRect{};
    ::GetWindowRect(bar, &barRect);
    ::MapWindowPoints(nullptr, List(), reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_EQ(barRect.left, SCROLLBAR_LEFT);
    EXPECT_EQ(barRect.top, HEADER_HEIGHT);
    EXPECT_EQ(barRect.right - barRect.left, SCROLLBAR_WIDTH);
    EXPECT_EQ(barRect.bottom, kScreenHeight);
    EXPECT_FALSE(::IsWindowVisible(bar));

    EXPECT_EQ(m_list.m_nScrollPos, 0);
    EXPECT_EQ(m_list.m_nAlpha, 255);
    EXPECT_EQ(m_list.m_bOpaqueNow, 1);
    EXPECT_EQ(m_list.m_bUnfolded, 1);
}

TEST_F(PageList, ShowListAndClosingShowAndHideIt)
{
    m_list.ShowList(1);
    EXPECT_EQ(m_list.m_bShown, 1);
    EXPECT_TRUE(::IsWindowVisible(List()));
    m_list.ShowList(0);
    EXPECT_EQ(m_list.m_bShown, 0);
    EXPECT_FALSE(::IsWindowVisible(List()));

    m_list.ShowList(1);
    ::SendMessageA(List(), WM_CLOSE, 0, 0);
    EXPECT_EQ(m_list.m_bShown, 0);
    EXPECT_FALSE(::IsWindowVisible(List()));
    EXPECT_TRUE(::IsWindow(List()));
}

TEST_F(PageList, ScrollBarShowsOnlyWhileThePagesDoNotFit)
{
    struct Case {
        int pages, max, rangeMax, page;
        bool shown;
    };
    const Case cases[] = {
        {4, -5, -5, 0, false},
        {5, 8, 9, 1, true},
        {12, 99, 111, 12, true},
        {4, -5, -5, 0, false},   // and hides again when pages go
    };
    for (const Case& c : cases) {
        while (m_doc.CountPages() > c.pages) {
            m_doc.GoToLastPage(false);
            m_doc.DeleteCurrentPage();
        }
        MakePages(c.pages);
        EXPECT_EQ(m_list.m_nScrollMax, c.max) << c.pages << " pages";
        EXPECT_EQ(m_list.m_bScrollBarShown, c.shown ? 1 : 0) << c.pages << " pages";
        // The list itself is hidden, as the frame creates it; the bar's own flag still tells.
        LONG_PTR barStyle = ::GetWindowLongPtrA(m_list.m_scrollBar.m_hWnd, GWL_STYLE);
        EXPECT_EQ((barStyle & WS_VISIBLE) != 0, c.shown) << c.pages << " pages";
        if (c.shown) {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_ALL;
            ASSERT_TRUE(::GetScrollInfo(m_list.m_scrollBar.m_hWnd, SB_CTL, &info));
            EXPECT_EQ(info.nMin, 0);
            EXPECT_EQ(info.nMax, c.rangeMax) << c.pages << " pages";
            EXPECT_EQ(static_cast<int>(info.nPage), c.page) << c.pages << " pages";
        }
    }
}

TEST_F(PageList, FewerPagesPullTheScrollPositionBack)
{
    MakePages(12);
    Scroll(SB_THUMBTRACK, 60);
    ASSERT_EQ(m_list.m_nScrollPos, 60);

    while (m_doc.CountPages() > 5)
        m_doc.DeleteCurrentPage();
    m_list.Refresh(true);
    EXPECT_EQ(m_list.m_nScrollPos, 8);
    EXPECT_EQ(ControlPos(), 8);

    m_doc.DeleteCurrentPage();
    m_list.Refresh(true);
    EXPECT_EQ(m_list.m_nScrollPos, 0);
    EXPECT_EQ(ControlPos(), 0);
}

TEST_F(PageList, ScrollMessagesMoveTheListAndTheBar)
{
    MakePages(12);   // largest position 99
    struct Case {
        int code, thumb, from, to;
    };
    const Case cases[] = {
        {SB_LINEUP, 0, 20, 19},       {SB_LINEDOWN, 0, 20, 21},
        {SB_PAGEUP, 0, 20, 10},       {SB_PAGEDOWN, 0, 20, 30},
        {SB_THUMBTRACK, 42, 20, 42},  {SB_TOP, 0, 20, 0},
        {SB_BOTTOM, 0, 20, 99},       {SB_THUMBPOSITION, 42, 20, 20},
        {SB_ENDSCROLL, 0, 20, 20},    {SB_LINEUP, 0, 0, 0},
        {SB_PAGEDOWN, 0, 95, 99},
    };
    for (const Case& c : cases) {
        Scroll(SB_THUMBTRACK, c.from);
        ASSERT_EQ(m_list.m_nScrollPos, c.from);
        Scroll(c.code, c.thumb);
        EXPECT_EQ(m_list.m_nScrollPos, c.to) << "code " << c.code << " from " << c.from;
        EXPECT_EQ(ControlPos(), c.to) << "code " << c.code << " from " << c.from;
    }
}

TEST_F(PageList, WheelScrollsOnlyWhileTheBarShows)
{
    MakePages(12);
    Wheel(-120);
    EXPECT_EQ(m_list.m_nScrollPos, 12);
    EXPECT_EQ(ControlPos(), 12);
    Wheel(120);
    EXPECT_EQ(m_list.m_nScrollPos, 0);
    for (int i = 0; i < 10; ++i)
        Wheel(-120);
    EXPECT_EQ(m_list.m_nScrollPos, 99);
    EXPECT_EQ(ControlPos(), 99);

    while (m_doc.CountPages() > 4)
        m_doc.DeleteCurrentPage();
    m_list.Refresh(true);
    Wheel(-120);
    EXPECT_EQ(m_list.m_nScrollPos, 0);
}

TEST_F(PageList, ScrollToCurrentPageBringsItsCellIntoView)
{
    MakePages(12);
    m_doc.GoToLastPage(false);
    m_list.ScrollToCurrentPage();
    EXPECT_EQ(m_list.m_nScrollPos, 86);
    EXPECT_EQ(ControlPos(), 86);

    m_doc.GoToPageNumber(10);   // already in view
    m_list.ScrollToCurrentPage();
    EXPECT_EQ(m_list.m_nScrollPos, 86);

    m_doc.GoToFirstPage(false);
    m_list.ScrollToCurrentPage();
    EXPECT_EQ(m_list.m_nScrollPos, 0);
}

TEST_F(PageList, ScrollToCurrentPageLeavesAListThatFits)
{
    MakePages(4);
    m_doc.GoToLastPage(false);
    m_list.ScrollToCurrentPage();
    EXPECT_EQ(m_list.m_nScrollPos, 0);
}

TEST_F(PageList, FoldButtonMovesTheListToATabAndBackKeepingItsHeight)
{
    m_list.ShowList(1);
    for (int round = 0; round < 3; ++round) {
        Click(125, 18);
        RECT folded = WindowRect();
        EXPECT_EQ(m_list.m_bUnfolded, 0);
        EXPECT_EQ(folded.top, kScreenHeight - FOLDED_TAB);
        EXPECT_EQ(folded.bottom - folded.top, kScreenHeight);
        EXPECT_EQ(folded.left, 0);
        EXPECT_EQ(folded.right, LIST_WIDTH);
        EXPECT_TRUE(::EqualRect(&folded, &m_list.m_rectWindow));

        Click(125, 18);
        RECT unfolded = WindowRect();
        EXPECT_EQ(m_list.m_bUnfolded, 1);
        EXPECT_EQ(unfolded.top, 0);
        EXPECT_EQ(unfolded.bottom - unfolded.top, kScreenHeight);
    }
}

TEST_F(PageList, TransparencyButtonTogglesBetweenOpaqueAndTranslucent)
{
    m_list.ShowList(1);
    Click(97, 18);
    EXPECT_EQ(m_list.m_nAlpha, 200);
    EXPECT_EQ(LayerAlpha(), 200);
    Click(97, 18);
    EXPECT_EQ(m_list.m_nAlpha, 255);
    EXPECT_EQ(LayerAlpha(), 255);
    // The buttons' edges: just outside them nothing toggles.
    Click(84, 18);
    Click(97, 30);
    EXPECT_EQ(m_list.m_nAlpha, 255);
    EXPECT_EQ(m_list.m_bUnfolded, 1);
}

TEST_F(PageList, FadesWhileThePenDrawsAcrossItOnlyWhenOpaque)
{
    // A move of the pointer over the board: inside the list or beside it, mid-stroke or not.
    struct Move {
        bool inside;
        int drawing;
    };
    struct Case {
        const char* what;
        bool translucent, shown;
        std::vector<Move> moves;
        BYTE alpha;
        int opaqueNow;
    };
    const Case cases[] = {
        {"drawing inside fades it", false, true, {{true, 1}}, 0, 0},
        {"drawing beside it does not", false, true, {{false, 1}}, 255, 1},
        {"pointing inside without drawing does not", false, true, {{true, 0}}, 255, 1},
        {"a hidden list is left alone", false, false, {{true, 1}}, 255, 1},
        {"translucent never fades", true, true, {{true, 1}}, 200, 1},
        {"lifting the pen inside keeps it faded", false, true, {{true, 1}, {true, 0}}, 0, 0},
        {"drawing on beside it keeps it faded", false, true, {{true, 1}, {false, 1}}, 0, 0},
        {"lifted and moved off, it comes back", false, true,
         {{true, 1}, {false, 1}, {false, 0}}, 255, 1},
    };
    for (const Case& c : cases) {
        m_list.ShowList(c.shown ? 1 : 0);
        if (c.translucent)
            Click(97, 18);
        for (const Move& move : c.moves)
            m_list.OnBoardMouseMove(move.inside ? 70 : 600, 300, move.drawing);
        EXPECT_EQ(LayerAlpha(), c.alpha) << c.what;
        EXPECT_EQ(m_list.m_bOpaqueNow, c.opaqueNow) << c.what;

        // Back to opaque and fully shown for the next case.
        m_list.ShowList(1);
        m_list.OnBoardMouseMove(600, 300, 0);
        if (c.translucent)
            Click(97, 18);
        ASSERT_EQ(LayerAlpha(), 255);
    }
}

TEST_F(PageList, AStrokeThroughTheViewFadesAndRestoresIt)
{
    m_list.ShowList(1);
    HWND view = m_view->m_hWnd;
    ::SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
    ::SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 310));
    EXPECT_EQ(LayerAlpha(), 0);
    ::SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 320));
    ::SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(400, 320));
    EXPECT_EQ(LayerAlpha(), 0);
    ::SendMessageA(view, WM_MOUSEMOVE, 0, MAKELPARAM(410, 320));
    EXPECT_EQ(LayerAlpha(), 255);
    EXPECT_EQ(m_list.m_bOpaqueNow, 1);
}

TEST_F(PageList, ClickOnACellSelectsThatPageThroughTheView)
{
    MakePages(5);
    m_list.ShowList(1);
    ::ValidateRect(List(), nullptr);
    ::SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 41 + 2 * 130 + 50));
    EXPECT_EQ(m_list.m_bPressed, 1);
    EXPECT_EQ(::GetCapture(), List());
    EXPECT_EQ(m_doc.IndexOfCurrentPage(), 2);
    EXPECT_EQ(m_view->GetCurrentPageIndex(), 2);
    EXPECT_TRUE(::GetUpdateRect(List(), nullptr, FALSE));
    ::SendMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(60, 350));
    EXPECT_EQ(m_list.m_bPressed, 0);
    EXPECT_NE(::GetCapture(), List());

    // Scrolled, the clicked row belongs to another page.
    Scroll(SB_THUMBTRACK, 5);
    Click(60, 45);
    EXPECT_EQ(m_doc.IndexOfCurrentPage(), 0);
    Click(60, 125);
    EXPECT_EQ(m_doc.IndexOfCurrentPage(), 1);
}

TEST_F(PageList, ClickBesideOrBelowTheCellsSelectsNothingAndDoesNotRepaint)
{
    MakePages(3);
    m_doc.GoToPageNumber(2);
    m_list.ShowList(1);
    for (POINT pt : {POINT{60, 500}, POINT{5, 100}, POINT{125, 300}, POINT{40, 18}}) {
        ::ValidateRect(List(), nullptr);
        Click(pt.x, pt.y);
        EXPECT_EQ(m_doc.IndexOfCurrentPage(), 1) << pt.x << "," << pt.y;
        EXPECT_FALSE(::GetUpdateRect(List(), nullptr, FALSE)) << pt.x << "," << pt.y;
    }
}

TEST_F(PageList, WithoutABoardViewNothingIsFoundOrDrawn)
{
    MakePages(3);
    CBoardView* view = g_pBoardView;
    g_pBoardView = nullptr;
    EXPECT_EQ(m_list.PageAt(60, 100, 0), -1);
    m_list.Refresh(true);
    CDibRef shot = Render();
    g_pBoardView = view;
    ASSERT_TRUE(shot);
    EXPECT_EQ(PixelOf(*shot, 60, 100), kFace);
}

// ---- Pictures ----

TEST_F(PageList, ArtworkHasTheSizesThePaintingStretchesFrom)
{
    struct Case {
        UINT id;
        int width, height;
    };
    const Case cases[] = {
        {IDB_LIST_HEADER_TRANSLUCENT, 142, 34}, {IDB_LIST_HEADER_OPAQUE, 142, 34},
        {IDB_LIST_HEADER_TRANSLUCENT_FOLDED, 142, 34}, {IDB_LIST_HEADER_OPAQUE_FOLDED, 142, 34},
        {IDB_LIST_SIDES, 192, 279}, {IDB_LIST_BOTTOM, 192, 10},
    };
    for (const Case& c : cases) {
        CBitmap bitmap(static_cast<HBITMAP>(::LoadImageA(
            FwResourceModule(), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap) << c.id;
        DIBSECTION section{};
        ASSERT_EQ(::GetObjectA(bitmap.Get(), sizeof section, &section),
                  static_cast<int>(sizeof section)) << c.id;
        EXPECT_EQ(section.dsBm.bmWidth, c.width) << c.id;
        EXPECT_EQ(section.dsBm.bmHeight, c.height) << c.id;
        EXPECT_EQ(section.dsBmih.biBitCount, 24) << c.id;
    }
}

TEST_F(PageList, PaintsHeaderBordersThumbnailsNumbersAndTheCurrentFrame)
{
    MakePages(3);
    CPage* first = m_doc.GetFirstPage();
    CPage* second = m_doc.GetNextPage(first);
    CPage* third = m_doc.GetNextPage(second);
    first->m_pThumbnail = SolidPicture(RGB(40, 160, 60));
    second->m_pThumbnail = SolidPicture(RGB(60, 90, 200));
    third->m_pThumbnail.Reset();
    m_doc.GoToPageNumber(2);

    CDibRef shot = Render();
    ASSERT_TRUE(shot);

    CDibRef header = LoadResourcePicture(IDB_LIST_HEADER_OPAQUE);
    ASSERT_TRUE(header);
    int differing = 0;
    for (int y = 0; y < HEADER_HEIGHT; ++y)
        for (int x = 0; x < LIST_WIDTH; ++x)
            differing += PixelOf(*shot, x, y) != PixelOf(*header, x, y);
    EXPECT_EQ(differing, 0);

    CDibRef sides = LoadResourcePicture(IDB_LIST_SIDES);
    CDibRef bottom = LoadResourcePicture(IDB_LIST_BOTTOM);
    EXPECT_EQ(PixelOf(*shot, 0, 300), PixelOf(*sides, 0, 100));
    EXPECT_EQ(PixelOf(*shot, LIST_WIDTH - 1, 300), PixelOf(*sides, 191, 100));
    EXPECT_EQ(PixelOf(*shot, 70, kScreenHeight - 1), PixelOf(*bottom, 96, 9));
    EXPECT_EQ(PixelOf(*shot, 125, 300), kFace);   // the bar's column while it is hidden

    // Thumbnails unscaled, a page without one in the board colour.
    EXPECT_EQ(PixelOf(*shot, 11 + 50, 41 + 50), RGB(40, 160, 60));
    EXPECT_EQ(PixelOf(*shot, 11 + 5, 41 + 5), RGB(40, 160, 60));
    EXPECT_EQ(PixelOf(*shot, 11 + 50, 171 + 50), RGB(60, 90, 200));
    EXPECT_EQ(PixelOf(*shot, 11 + 50, 301 + 50), kBoardColour);

    // The current page is framed red, the others black.
    RECT topEdge2{11, 171, 111, 173};
    RECT topEdge1{11, 41, 111, 43};
    EXPECT_GT(CountIn(*shot, topEdge2, IsRed), 90);
    EXPECT_EQ(CountIn(*shot, topEdge1, IsRed), 0);
    EXPECT_GT(CountIn(*shot, topEdge1, IsBlack), 90);

    // Numbers in black on white below each thumbnail; the rest of the row in the face colour.
    for (int k = 0; k < 3; ++k) {
        int top = 41 + 130 * k;
        RECT number{11 + 30, top + 102, 11 + 70, top + 125};
        EXPECT_GT(CountIn(*shot, number, IsBlack), 10) << "page " << k + 1;
        EXPECT_GT(CountIn(*shot, number, IsWhite), 10) << "page " << k + 1;
        EXPECT_EQ(PixelOf(*shot, 11 + 5, top + 115), kFace);
        EXPECT_EQ(PixelOf(*shot, 11 + 95, top + 115), kFace);
    }
    EXPECT_EQ(PixelOf(*shot, 60, 500), kFace);   // below the last cell
}

TEST_F(PageList, HeaderShowsTheTransparencyAndFoldState)
{
    m_list.ShowList(1);
    struct Case {
        const char* what;
        bool translucent, folded;
        UINT bitmap;
    };
    const Case cases[] = {
        {"opaque", false, false, IDB_LIST_HEADER_OPAQUE},
        {"translucent", true, false, IDB_LIST_HEADER_TRANSLUCENT},
        {"opaque, folded", false, true, IDB_LIST_HEADER_OPAQUE_FOLDED},
        {"translucent, folded", true, true, IDB_LIST_HEADER_TRANSLUCENT_FOLDED},
    };
    std::vector<CDibRef> seen;
    for (const Case& c : cases) {
        if (c.translucent)
            Click(97, 18);
        if (c.folded)
            Click(125, 18);
        CDibRef shot = Render();
        CDibRef header = LoadResourcePicture(c.bitmap);
        ASSERT_TRUE(shot && header) << c.what;
        int differing = 0;
        for (int y = 0; y < HEADER_HEIGHT; ++y)
            for (int x = 0; x < LIST_WIDTH; ++x)
                differing += PixelOf(*shot, x, y) != PixelOf(*header, x, y);
        EXPECT_EQ(differing, 0) << c.what;
        // Each state's buttons look different from every other state's.
        for (const CDibRef& other : seen) {
            int buttonsDiffer = 0;
            for (int y = 6; y < 30; ++y)
                for (int x = 85; x < 137; ++x)
                    buttonsDiffer += PixelOf(*shot, x, y) != PixelOf(*other, x, y);
            EXPECT_GT(buttonsDiffer, 20) << c.what;
        }
        seen.push_back(std::move(shot));
        if (c.translucent)
            Click(97, 18);
        if (c.folded)
            Click(125, 18);
    }
}

TEST_F(PageList, AScrolledFirstCellShowsItsLowerPart)
{
    MakePages(6);
    for (CPage* page = m_doc.GetFirstPage(); page; page = m_doc.GetNextPage(page))
        page->m_pThumbnail = RowPicture(10 * m_doc.GetPageNumber(page));
    Scroll(SB_THUMBTRACK, 5);

    CDibRef shot = Render();
    ASSERT_TRUE(shot);
    // Client row 41 shows cell row 50: the first thumbnail's rows 50 to 99, then its number row.
    for (int row = 52; row < 98; row += 5)
        EXPECT_EQ(PixelOf(*shot, 61, 41 + row - 50), RGB(10, 2 * row, 255 - 2 * row)) << row;
    // The second cell follows whole, 80 rows down.
    EXPECT_EQ(PixelOf(*shot, 61, 121 + 50), RGB(20, 100, 155));
    // The bar's column is left to the bar.
    EXPECT_EQ(PixelOf(*shot, 125, 300), RGB(255, 0, 255));
    EXPECT_EQ(PixelOf(*shot, 125, 20), PixelOf(*LoadResourcePicture(IDB_LIST_HEADER_OPAQUE), 125, 20));
}

TEST_F(PageList, ThumbnailOfAStrokeDrawnOnTheBoard)
{
    MakePages(2);
    HWND view = m_view->m_hWnd;
    ::SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 384));
    ::SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 384));
    ::SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(900, 384));
    ::SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(900, 384));

    CDibRef shot = Render();
    ASSERT_TRUE(shot);
    // The page is 1024 x 768 in a 100 x 100 square: the stroke crosses the middle row.
    COLORREF middle = PixelOf(*shot, 11 + 50, 41 + 50);
    EXPECT_GT(GetBValue(middle), GetRValue(middle) + 80);
    EXPECT_TRUE(IsNear(PixelOf(*shot, 11 + 50, 41 + 20), kBoardColour, 8));
    // The second page is untouched.
    EXPECT_TRUE(IsNear(PixelOf(*shot, 11 + 50, 171 + 50), kBoardColour, 8));
}

TEST_F(PageList, PageNumbersStopAt9999)
{
    MakePages(10001);
    m_list.Refresh(true);
    Scroll(SB_BOTTOM);
    ASSERT_EQ(m_list.m_nScrollPos, m_list.m_nScrollMax);

    CDibRef shot = Render();
    ASSERT_TRUE(shot);
    // The last cell whole at the bottom is page 10001, above it 10000 and 9999.
    std::vector<SPageCell> cells = VisibleCells(10001, m_list.m_nScrollPos, kScreenHeight);
    ASSERT_GE(cells.size(), 3u);
    for (const SPageCell& cell : cells) {
        if (cell.nBottom - cell.nTop < CELL_HEIGHT)
            continue;
        int number = cell.nIndex + 1;
        RECT row{11 + 2, cell.nTop + 102, 11 + 98, cell.nTop + 128};
        int ink = CountIn(*shot, row, IsBlack);
        if (number >= 10000)
            EXPECT_EQ(ink, 0) << "page " << number;
        else
            EXPECT_GT(ink, 20) << "page " << number;
        // The thumbnail square is drawn for every page.
        EXPECT_EQ(PixelOf(*shot, 11 + 50, cell.nTop + 50), kBoardColour) << "page " << number;
    }
}

// Pictures of the list for a person to look at, written beside the other test pictures.
TEST_F(PageList, PicturesOfListsOfThreeAndTwelvePages)
{
    std::string folder = test::ProgramFolder() + "..\\pictures\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (int pages : {3, 12}) {
        MakePages(pages);
        int n = 0;
        for (CPage* page = m_doc.GetFirstPage(); page; page = m_doc.GetNextPage(page), ++n)
            page->m_pThumbnail = MakePicture(THUMBNAIL_SIZE, THUMBNAIL_SIZE, [n](int x, int y) {
                bool ink = std::abs(x - 50) < 3 + 3 * (n % 4) && y > 20 && y < 80;
                return ink ? RGB(30 + 20 * n, 60, 200) : ((x / 10 + y / 10) % 2 ? RGB(255, 255, 255)
                                                                                  : RGB(235, 240, 250));
            });
        m_doc.GoToPageNumber(2);
        if (pages == 12)
            Wheel(-120);
        CDibRef shot = Render(RGB(255, 255, 255));
        ASSERT_TRUE(shot);
        // Page 2's ink down its middle: one notch has moved the twelve pages up by 120 rows.
        int secondTop = pages == 12 ? 171 - 120 : 171;
        EXPECT_EQ(PixelOf(*shot, 60, secondTop + 50), RGB(50, 60, 200)) << pages << " pages";

        std::string path = folder + "page_list_" + std::to_string(pages) + ".bmp";
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr) << path;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + shot->m_nImageSize;
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(shot->Header(), sizeof(BITMAPINFOHEADER), 1, out);
        std::fwrite(shot->m_pBits, 1, shot->m_nImageSize, out);
        std::fclose(out);
    }
}

} // namespace

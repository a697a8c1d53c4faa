// The board view: pen input through its window, painting, undo and redo, the page commands
// with their questions, the page label, page pictures and the line-width menu items.
#include "tests/slatewing/Whiteboard.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace whiteboard_test;

namespace {

class BoardView : public Whiteboard {
protected:
    CPage* Page() const { return doc->GetCurrentPage(); }
    int Shapes() const
    {
        int n = 0;
        for (CShape* s = Page()->m_pFirstShape; s; s = s->m_pNext)
            ++n;
        return n;
    }
};

// ---- Pen input ----

TEST_F(BoardView, APressMovesAndReleaseMakeOneShapeWithTheRecordsTool)
{
    Record().surface = SURFACE_BOARD;
    app.Settings().SetCurrentTool(STYLE_PEN);
    app.Settings().SetCurrentShape(SHAPE_LINE);
    app.Settings().SetBoardChanged(0);
    ::SendMessageA(ViewWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 60));
    EXPECT_EQ(view->m_bDrawing, 1);
    EXPECT_EQ(::GetCapture(), ViewWnd());
    EXPECT_EQ(app.Settings().IsBoardChanged(), 1);
    EXPECT_EQ(view->CanUndo(), 0);   // not mid-stroke
    ::SendMessageA(ViewWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 90));
    ::SendMessageA(ViewWnd(), WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
    EXPECT_EQ(view->m_bDrawing, 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    ASSERT_EQ(Shapes(), 1);
    CShape* shape = Page()->m_pFirstShape;
    EXPECT_EQ(shape->m_nType, SHAPE_LINE);
    EXPECT_EQ(shape->m_nStyle, STYLE_PEN);
    EXPECT_EQ(shape->m_nWidth, app.Settings().GetToolWidth());
    EXPECT_EQ(shape->m_ptEnd.x, 200);
    EXPECT_EQ(view->CanUndo(), 1);
}

TEST_F(BoardView, MovingWithoutAPressDrawsNothingAndAReleaseAloneOnlyLetsGo)
{
    ::SendMessageA(ViewWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    ::SendMessageA(ViewWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(90, 40));
    ::SetCapture(ViewWnd());
    ::SendMessageA(ViewWnd(), WM_LBUTTONUP, 0, MAKELPARAM(90, 40));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Shapes(), 0);
}

TEST_F(BoardView, TheRightButtonNeverDraws)
{
    ::SendMessageA(ViewWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    ::SendMessageA(ViewWnd(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(90, 40));
    ::SendMessageA(ViewWnd(), WM_RBUTTONUP, 0, MAKELPARAM(90, 40));
    EXPECT_EQ(Shapes(), 0);
}

TEST_F(BoardView, TheEraserIsAShapeThatUndoTakesBack)
{
    Record().surface = SURFACE_BOARD;
    Stroke({{100, 100}, {300, 100}});
    app.Settings().SetCurrentTool(STYLE_ERASER);
    Stroke({{200, 50}, {200, 150}});
    ASSERT_EQ(Shapes(), 2);
    EXPECT_EQ(Page()->m_pLastShape->m_nStyle, STYLE_ERASER);
    EXPECT_EQ(Page()->m_pLastShape->m_nWidth, 20);
    view->Undo();
    EXPECT_EQ(Page()->CountVisibleShapes(), 1);
    EXPECT_EQ(view->CanRedo(), 1);
}

// ---- Painting ----

TEST_F(BoardView, PaintingCopiesThePageImageButNotMidStroke)
{
    frame->ShowBoard();
    test::PumpMessages(100);
    Record().surface = SURFACE_BOARD;
    app.Settings().SetCurrentTool(STYLE_PEN);
    Record().boardPenWidth = 9;
    ::SendMessageA(ViewWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 200));
    ::SendMessageA(ViewWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 200));
    // A paint request mid-stroke leaves the live ink on the screen.
    ::InvalidateRect(ViewWnd(), nullptr, FALSE);
    ::UpdateWindow(ViewWnd());
    CWindowDC dc(ViewWnd());
    EXPECT_EQ(::GetPixel(dc.Get(), 250, 200), RGB(0, 0, 0));
    ::SendMessageA(ViewWnd(), WM_LBUTTONUP, 0, MAKELPARAM(400, 200));
    test::PumpMessages(50);
    EXPECT_EQ(::GetPixel(dc.Get(), 250, 200), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc.Get(), 250, 300), RGB(255, 255, 255));
    // After an undo the screen is the page image without the stroke.
    view->Undo();
    EXPECT_EQ(::GetPixel(dc.Get(), 250, 200), RGB(255, 255, 255));
}

// ---- Page commands ----

TEST_F(BoardView, DeletingTheOnlyPageAsksAndResetsTheShape)
{
    Record().surface = SURFACE_BOARD;
    app.Settings().SetCurrentShape(SHAPE_CIRCLE);
    Stroke({{100, 100}, {300, 200}});
    {
        test::MessageBoxWatcher boxes;   // presses the default button: Yes
        view->DeletePage();
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, "Are you sure you want to delete the current page?");
    }
    EXPECT_EQ(doc->CountPages(), 1);
    EXPECT_EQ(Page()->CountVisibleShapes(), 0);
    EXPECT_EQ(app.Settings().GetCurrentShape(), SHAPE_STROKE);
}

TEST_F(BoardView, ClearingAsksFirst)
{
    Stroke({{100, 100}, {300, 200}});
    test::MessageBoxWatcher boxes;
    view->ClearPage();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Are you sure you want to clear the current page?");
    EXPECT_EQ(Shapes(), 0);
}

TEST_F(BoardView, CopyFromTheLastPageNeedsTwoPages)
{
    Stroke({{100, 100}, {300, 200}});
    view->CopyFromLastPage();
    EXPECT_EQ(Shapes(), 1);
    view->AddPage();
    EXPECT_EQ(doc->CountPages(), 2);
    view->CopyFromLastPage();
    EXPECT_EQ(Shapes(), 1);
    EXPECT_EQ(view->CanUndo(), 0);   // a copy cannot be undone
}

TEST_F(BoardView, SelectingAPageGoesThere)
{
    view->AddPage();
    view->AddPage();
    EXPECT_EQ(view->GetCurrentPageIndex(), 2);
    view->SelectPage(1);
    EXPECT_EQ(view->GetCurrentPageIndex(), 0);
    view->SelectPage(9);
    EXPECT_EQ(view->GetCurrentPageIndex(), 0);
    EXPECT_EQ(view->GetPageCount(), 3);
}

TEST_F(BoardView, TheFirstBackgroundPressShowsTheDesktopSnapshot)
{
    view->TakeDesktopSnapshot();
    ASSERT_TRUE(view->m_pDesktopSnapshot);
    EXPECT_EQ(view->m_pDesktopSnapshot->Width(), ::GetSystemMetrics(SM_CXSCREEN));
    view->CycleBackground();
    EXPECT_EQ(Page()->m_background.m_nKind, CPageBackground::KIND_PICTURE);
    // A copy: a later snapshot leaves this page's picture alone.
    EXPECT_NE(Page()->m_background.m_pPicture.Get(), view->m_pDesktopSnapshot.Get());
    EXPECT_EQ(view->m_nBackgroundCycle, 1);
    view->AddPage();
    EXPECT_EQ(view->m_nBackgroundCycle, 0);   // a page change starts the cycle again
}

// ---- The page label and page pictures ----

TEST(PageLabel, PadsThePageNumberToTheWidthOfTheCount)
{
    const struct { int n, count; const char* label; } table[] = {
        {1, 1, "1/1"}, {10, 10, "10/10"}, {9, 100, "009/100"}, {3, 12, "03/12"}, {7, 9, "7/9"},
    };
    for (const auto& row : table)
        EXPECT_EQ(FormatPageLabel(row.n, row.count), row.label);
}

TEST(DiskFreeBytes, FromTheDriveOfThePath)
{
    EXPECT_EQ(GetDiskFreeBytes(""), 0.0);
    EXPECT_EQ(GetDiskFreeBytes("\\\\server\\share\\a.bmp"), 400000000.0);
    EXPECT_GT(GetDiskFreeBytes("Z:\\tmp\\a.bmp"), 0.0);
    EXPECT_EQ(GetDiskFreeBytes("Z"), GetDiskFreeBytes("Z:\\anything"));
}

TEST(DiskFreeBytes, APictureThatWouldFillTheDiskIsRefused)
{
    // A 1024 x 768 board at 24 bits: 768 rows of 3072 bytes.
    const unsigned long image = 768ul * 3072ul;
    EXPECT_TRUE(IsDiskTooFullFor(2359450.0, image));
    EXPECT_TRUE(IsDiskTooFullFor(0.0, image));
    EXPECT_FALSE(IsDiskTooFullFor(2359451.0, image));
}

std::vector<BYTE> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(BoardView, ABmpPagePictureHasTheFixedLayout)
{
    Stroke({{100, 100}, {300, 200}});
    test::TempFolder folder;
    std::string path = folder.Path() + "page.bmp";
    ASSERT_EQ(view->SavePageAsBmp(Page(), path), 1);
    std::vector<BYTE> file = ReadAll(path);
    int width = view->m_rectBoard.right, height = view->m_rectBoard.bottom;
    size_t stride = (width * 3 + 3) & ~3;
    size_t image = stride * height;
    ASSERT_EQ(file.size(), 54 + image);
    auto u16 = [&](size_t at) { return file[at] | file[at + 1] << 8; };
    auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | u16(at + 2) << 16); };
    EXPECT_EQ(u16(0), 0x4D42);
    EXPECT_EQ(u32(2), 54 + image);
    EXPECT_EQ(u32(6), 0u);
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(static_cast<int>(u32(18)), width);
    EXPECT_EQ(static_cast<int>(u32(22)), height);
    EXPECT_EQ(u16(26), 1);
    EXPECT_EQ(u16(28), 24);
    EXPECT_EQ(u32(30), 0u);
    EXPECT_EQ(u32(34), image);
    // The rows are the page image's, bottom row first; the label is stamped at the top right.
    const CFG_DIB& pageImage = *Page()->m_pImage;
    EXPECT_EQ(0, std::memcmp(file.data() + 54, pageImage.m_pBits, stride * (height - 70)));
    bool labelInk = false;
    RECT label = view->PageLabelRect();
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x)
            labelInk = labelInk || file[54 + (height - 1 - y) * stride + x * 3] < 128;
    EXPECT_TRUE(labelInk);
}

TEST_F(BoardView, AJpegPagePictureDecodesToTheBoard)
{
    Stroke({{100, 100}, {300, 100}});
    test::TempFolder folder;
    std::string path = folder.Path() + "page.jpg";
    ASSERT_EQ(view->SavePageAsJpeg(Page(), path), 1);
    int width = 0, height = 0;
    BYTE* rgb = ReadJpegFile(path.c_str(), &width, &height);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(width, view->m_rectBoard.right);
    EXPECT_EQ(height, view->m_rectBoard.bottom);
    const BYTE* white = rgb + (500 * width + 500) * 3;
    EXPECT_GT(white[0] + white[1] + white[2], 3 * 240);
    std::free(rgb);
}

TEST_F(BoardView, APictureThatCannotBeWrittenFails)
{
    test::MessageBoxWatcher boxes;
    EXPECT_EQ(view->SavePageAsBmp(Page(), "Z:\\no\\such\\folder\\page.bmp"), 0);
    EXPECT_EQ(view->SavePageAsJpeg(Page(), "Z:\\no\\such\\folder\\page.jpg"), 0);
}

// ---- Line-width items ----

TEST_F(BoardView, LineWidthMenuItemsAreMeasuredAndBarsDrawn)
{
    for (UINT id = 1031; id <= 1036; ++id) {
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = id;
        ::SendMessageA(ViewWnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.itemWidth, 50u);
        EXPECT_EQ(item.itemHeight, 15u);
    }
    MEASUREITEMSTRUCT other{};
    other.CtlType = ODT_MENU;
    other.itemID = 1037;
    ::SendMessageA(ViewWnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(other.itemWidth, 0u);

    CDibRef canvas = CreatePictureSection(nullptr, 50, 15);
    CMemoryDC dc(::CreateCompatibleDC(nullptr));
    CSelectObject selected(dc.Get(), canvas->GetBitmap());
    RECT all{0, 0, 50, 15};
    ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = 1034;   // a bar 7 pixels high
    draw.hDC = dc.Get();
    draw.rcItem = all;
    ::SendMessageA(ViewWnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    ::GdiFlush();
    int dark = 0;
    for (int y = 0; y < 15; ++y)
        dark += ::GetPixel(dc.Get(), 25, y) == RGB(0, 0, 0);
    EXPECT_EQ(dark, 7);
}

} // namespace

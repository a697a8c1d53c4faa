// A page: undo and redo, copying drawings between pages, clearing, the page image, the blit to
// the screen and the thumbnail.
#include "tests/board/BoardCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

using namespace board_test;

namespace {

class PageTest : public BoardTest {
protected:
    CPage m_page;

    // Shape k is a thick pen line on a row of its own.
    static int RowOf(int k) { return 12 + 14 * k; }
    void DrawRow(CPage& page, int k, COLORREF colour = kBlack)
    {
        Gesture(page, SHAPE_LINE, STYLE_PEN, 6, colour, {{20, RowOf(k)}, {220, RowOf(k)}});
    }
    COLORREF ImageAt(const CPage& page, int x, int y) const { return PixelOf(*page.m_pImage, x, y); }
};

// ---- Undo and redo ----

struct UndoCase {
    const char* name;
    const char* ops;          // D draws a new shape, U undoes, R redoes
    int lastResult;           // what the last U or R returned (-1: there was none)
    const char* shown;        // per shape drawn, in drawing order: 1 shown on the page, 0 not
    int undone;
    int shapesInList;
};

class UndoRedo : public PageTest, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(UndoRedo, FollowsTheSequence)
{
    const UndoCase& c = GetParam();
    int drawn = 0, result = -1;
    for (const char* op = c.ops; *op; ++op) {
        if (*op == 'D')
            DrawRow(m_page, drawn++);
        else if (*op == 'U')
            result = m_page.UndoShape(Screen());
        else if (*op == 'R')
            result = m_page.RedoShape(Screen());
    }
    EXPECT_EQ(result, c.lastResult);
    EXPECT_EQ(m_page.m_nUndone, c.undone);
    int inList = 0;
    for (CShape* s = m_page.m_pFirstShape; s; s = s->m_pNext)
        ++inList;
    EXPECT_EQ(inList, c.shapesInList);
    if (m_page.m_pLastShape)
        EXPECT_EQ(m_page.m_pLastShape->m_pNext, nullptr);
    ASSERT_EQ(static_cast<int>(std::string(c.shown).size()), drawn);
    if (!m_page.m_pImage)
        m_page.RenderImage(Screen());
    std::string shown;
    for (int k = 0; k < drawn; ++k)
        shown += ImageAt(m_page, 120, RowOf(k)) == kBlack ? '1' : '0';
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(m_page.CountVisibleShapes(), static_cast<int>(std::count(shown.begin(), shown.end(), '1')));
    // The cursor is the last visible shape.
    CShape* lastVisible = nullptr;
    for (CShape* s = m_page.m_pFirstShape; s && !s->m_bHidden; s = s->m_pNext)
        lastVisible = s;
    EXPECT_EQ(m_page.m_pCurrentShape, lastVisible);
}

INSTANTIATE_TEST_SUITE_P(
    Page, UndoRedo,
    ::testing::Values(
        UndoCase{"UndoTheOnlyShape", "DU", 1, "0", 1, 1},
        UndoCase{"RedoItAgain", "DUR", 1, "1", 0, 1},
        UndoCase{"UndoOnAnEmptyPage", "U", 0, "", 0, 0},
        UndoCase{"RedoWithNothingUndone", "DDR", 0, "11", 0, 2},
        UndoCase{"UndoPastTheFirstShape", "DDUUU", 0, "00", 2, 2},
        UndoCase{"DrawingDeletesTheUndone", "DDDUUD", 1, "1001", 0, 2},
        UndoCase{"NoRedoAfterDrawing", "DDDUUDR", 0, "1001", 0, 2},
        UndoCase{"EverythingBackAndMore", "DDDUUURRRR", 0, "111", 0, 3},
        UndoCase{"BackAndForth", "DDDURUUR", 1, "110", 1, 3},
        UndoCase{"UndoAllThenDraw", "DDUUD", 1, "001", 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageTest, UndoOfAShapeThatNeverFinishedHidesItWithoutRepainting)
{
    m_page.BeginShape(SHAPE_STROKE, 30, 30, 5, kBlack, STYLE_PEN, Screen());
    EXPECT_EQ(m_page.UndoShape(Screen()), 0);
    EXPECT_EQ(m_page.m_pFirstShape->m_bHidden, 1);
    EXPECT_EQ(m_page.m_nUndone, 1);
    EXPECT_EQ(m_page.m_pCurrentShape, nullptr);
    EXPECT_FALSE(m_page.m_pImage);
}

TEST_F(PageTest, UndoRepaintsOnlyTheShapesRectangle)
{
    DrawRow(m_page, 0);
    DrawRow(m_page, 5);
    // Paint over the page image where the undone shape is not: it must survive the undo.
    {
        CMemoryDC image(::CreateCompatibleDC(nullptr));
        CSelectObject selected(image.Get(), m_page.m_pImage->GetBitmap());
        RECT mark{0, RowOf(0) - 2, 10, RowOf(0) + 2};
        ::FillRect(image.Get(), &mark, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    }
    EXPECT_EQ(m_page.UndoShape(Screen()), 1);
    EXPECT_EQ(ImageAt(m_page, 120, RowOf(5)), kWhite);
    EXPECT_NE(ImageAt(m_page, 5, RowOf(0)), kWhite);
}

// Repainting one rectangle must not lay shapes outside it a second time, also when an eraser on
// a picture sets a clipping of its own on the way.
TEST_F(PageTest, RepaintingARectangleLeavesTheRestOfTheImageAsItWas)
{
    m_page.SetBackground(CPageBackground::KIND_PICTURE, kWhite,
                         MakePicture(kWidth, kHeight, Checker).Detach());
    Gesture(m_page, SHAPE_STROKE, STYLE_ERASER, 12, kWhite, {{20, 20}, {60, 40}});
    Gesture(m_page, SHAPE_STROKE, STYLE_HIGHLIGHTER, 16, kBlue, {{20, 120}, {220, 120}});
    COLORREF before = ImageAt(m_page, 120, 120);
    Gesture(m_page, SHAPE_RECTANGLE, STYLE_PEN, 4, kRed, {{150, 20}, {220, 60}});
    EXPECT_EQ(m_page.UndoShape(Screen()), 1);
    EXPECT_EQ(ImageAt(m_page, 120, 120), before);
    EXPECT_NE(ImageAt(m_page, 150, 40), kRed);
}

// ---- Copying drawings from another page ----

TEST_F(PageTest, CopyAppendsVisibleCopiesAndSharesThePicture)
{
    CPage source;
    CDibRef picture = MakePicture(kWidth, kHeight, Checker);
    source.SetBackground(CPageBackground::KIND_PICTURE, kWhite, CDibRef::Share(picture.Get()).Detach());
    DrawRow(source, 0, kRed);
    DrawRow(source, 1, kRed);
    DrawRow(source, 2, kRed);
    source.UndoShape(Screen());   // the third is hidden: not copied
    DrawRow(m_page, 4);

    m_page.CopyFrom(&source);
    EXPECT_EQ(m_page.m_background.m_pPicture.Get(), picture.Get());
    EXPECT_EQ(picture->m_nRefCount, 3);
    EXPECT_EQ(m_page.CountVisibleShapes(), 3);   // its own first, then two copies
    EXPECT_EQ(m_page.m_pCurrentShape, m_page.m_pLastShape);
    EXPECT_EQ(m_page.m_pLastShape->m_bUndoable, 0);
    EXPECT_EQ(m_page.m_pLastShape->m_pBackground, &m_page.m_background);

    m_page.BlitToScreen(Screen(), 0, 0, kWidth, kHeight, true);
    EXPECT_EQ(ImageAt(m_page, 120, RowOf(0)), kRed);
    EXPECT_EQ(ImageAt(m_page, 120, RowOf(1)), kRed);
    EXPECT_EQ(ImageAt(m_page, 120, RowOf(2)), PixelOf(*source.m_pImage, 120, RowOf(2)));
    EXPECT_EQ(ImageAt(m_page, 120, RowOf(4)), kBlack);

    // Releasing the source leaves the copy's picture intact.
    COLORREF corner = ImageAt(m_page, 5, 150);
    EXPECT_EQ(corner, PixelOf(*source.m_pImage, 5, 150));
    source.ClearAll();
    EXPECT_EQ(picture->m_nRefCount, 2);
    m_page.ReleaseImages();
    m_page.BlitToScreen(Screen(), 0, 0, kWidth, kHeight, false);
    EXPECT_EQ(ImageAt(m_page, 5, 150), corner);
}

TEST_F(PageTest, UndoStopsAtTheNewestCopy)
{
    CPage source;
    DrawRow(source, 0);
    m_page.CopyFrom(&source);
    DrawRow(m_page, 1);
    DrawRow(m_page, 2);
    EXPECT_EQ(m_page.UndoShape(Screen()), 1);
    EXPECT_EQ(m_page.UndoShape(Screen()), 1);
    EXPECT_EQ(m_page.UndoShape(Screen()), 0);
    EXPECT_EQ(m_page.CountVisibleShapes(), 1);
    EXPECT_EQ(ImageAt(m_page, 120, RowOf(0)), kBlack);
}

TEST_F(PageTest, CopyDiscardsUndoneShapesFirst)
{
    CPage source;
    DrawRow(source, 0);
    DrawRow(m_page, 1);
    DrawRow(m_page, 2);
    m_page.UndoShape(Screen());
    m_page.CopyFrom(&source);
    EXPECT_EQ(m_page.m_nUndone, 0);
    EXPECT_EQ(m_page.CountVisibleShapes(), 2);
    EXPECT_EQ(m_page.RedoShape(Screen()), 0);
}

TEST_F(PageTest, APageIsNeverCopiedIntoItself)
{
    DrawRow(m_page, 0);
    m_page.CopyFrom(&m_page);
    EXPECT_EQ(m_page.CountVisibleShapes(), 1);
    EXPECT_EQ(m_page.m_pFirstShape, m_page.m_pLastShape);
}

// ---- Clearing ----

TEST_F(PageTest, ClearShapesKeepsThePictureAndClearAllRemovesIt)
{
    CDibRef picture = MakePicture(kWidth, kHeight, Checker);
    m_page.SetBackground(CPageBackground::KIND_PICTURE, kYellow, CDibRef::Share(picture.Get()).Detach());
    DrawRow(m_page, 0);
    DrawRow(m_page, 1);
    m_page.UndoShape(Screen());

    m_page.ClearShapes();
    EXPECT_EQ(m_page.m_pFirstShape, nullptr);
    EXPECT_EQ(m_page.m_pLastShape, nullptr);
    EXPECT_EQ(m_page.m_pCurrentShape, nullptr);
    EXPECT_EQ(m_page.m_nUndone, 0);
    EXPECT_FALSE(m_page.m_pImage);
    EXPECT_FALSE(m_page.m_pThumbnail);
    EXPECT_EQ(m_page.m_background.m_nKind, CPageBackground::KIND_PICTURE);
    EXPECT_EQ(picture->m_nRefCount, 2);

    m_page.ClearAll();
    EXPECT_EQ(m_page.m_background.m_nKind, CPageBackground::KIND_COLOUR);
    EXPECT_EQ(m_page.m_background.m_crColor, kYellow);
    EXPECT_FALSE(m_page.m_background.m_pPicture);
    EXPECT_EQ(picture->m_nRefCount, 1);
    m_page.RenderImage(Screen());
    EXPECT_EQ(ImageAt(m_page, 120, 80), kYellow);
}

// ---- Images ----

TEST_F(PageTest, APageThatIsNotShownRebuildsItsImageToBlit)
{
    DrawRow(m_page, 3, kBlue);
    m_page.ReleaseImages();
    EXPECT_FALSE(m_page.m_pImage);
    EXPECT_TRUE(m_page.m_pThumbnail);   // the thumbnail stays for the page list
    m_page.BlitToScreen(Screen(), 0, 0, kWidth, kHeight, false);
    ASSERT_TRUE(m_page.m_pImage);
    EXPECT_EQ(m_page.m_rcImage.right, kWidth);
    EXPECT_EQ(m_page.m_rcImage.bottom, kHeight);
    EXPECT_EQ(ScreenAt(120, RowOf(3)), kBlue);
}

TEST_F(PageTest, BlitCopiesOnlyTheAskedRectangle)
{
    DrawRow(m_page, 3, kBlue);
    RECT all{0, 0, kWidth, kHeight};
    ::FillRect(Screen(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    m_page.BlitToScreen(Screen(), 100, 0, 140, kHeight, false);
    EXPECT_EQ(ScreenAt(120, RowOf(3)), kBlue);
    EXPECT_EQ(ScreenAt(120, 100), kWhite);
    EXPECT_EQ(ScreenAt(60, 100), kBlack);
}

TEST_F(PageTest, ThumbnailIsTheWholePageAtOneHundredPixels)
{
    EXPECT_FALSE(m_page.m_pThumbnail);
    m_page.SetBackground(CPageBackground::KIND_COLOUR, kYellow, nullptr);
    // The right half of the board in blue.
    for (int y = 0; y < kHeight; y += 8)
        Gesture(m_page, SHAPE_LINE, STYLE_PEN, 10, kBlue, {{kWidth / 2 + 6, y}, {kWidth, y}});
    ASSERT_TRUE(m_page.m_pThumbnail);
    const CFG_DIB& thumbnail = *m_page.m_pThumbnail;
    EXPECT_EQ(thumbnail.Width(), THUMBNAIL_SIZE);
    EXPECT_EQ(std::abs(thumbnail.Height()), THUMBNAIL_SIZE);
    EXPECT_EQ(thumbnail.Header()->biBitCount, 24);
    EXPECT_TRUE(IsNear(PixelOf(thumbnail, 10, 50), kYellow, 4));
    EXPECT_TRUE(IsNear(PixelOf(thumbnail, 90, 50), kBlue, 16));
    // Whole-page scaling: the corners are the page's corners, not a soft border.
    EXPECT_TRUE(IsNear(PixelOf(thumbnail, 0, 0), kYellow, 8));
    EXPECT_TRUE(IsNear(PixelOf(thumbnail, 0, 99), kYellow, 8));
}

TEST_F(PageTest, EveryFinishedShapeRefreshesTheThumbnail)
{
    DrawRow(m_page, 0);
    CFG_DIB* first = m_page.m_pThumbnail.Get();
    DrawRow(m_page, 1);
    EXPECT_NE(m_page.m_pThumbnail.Get(), first);
    CFG_DIB* second = m_page.m_pThumbnail.Get();
    m_page.UndoShape(Screen());
    EXPECT_NE(m_page.m_pThumbnail.Get(), second);
}

TEST_F(PageTest, CreationTimeIsTakenOnce)
{
    int64_t now = static_cast<int64_t>(std::time(nullptr));
    CPage page;
    EXPECT_LE(std::llabs(page.m_tCreated - now), 2);
}

} // namespace

// Shapes drawn through a page: the final ink in the page image, the live drawing on the screen,
// the eraser's regions and the bounding rectangles.
#include "tests/board/BoardCanvas.h"

#include "board/Shape.h"

#include <cmath>
#include <string>

using namespace board_test;

namespace {

class ShapeTest : public BoardTest {
protected:
    CPage m_page;

    COLORREF ImageAt(int x, int y) const { return PixelOf(*m_page.m_pImage, x, y); }
    int DarkPixels() const
    {
        return CountPixels(*m_page.m_pImage, [](COLORREF c) { return GetRValue(c) < 128; });
    }
};

struct ShapeCase {
    const char* name;
    int type;
};

const ShapeCase kAllTypes[] = {
    {"Stroke", SHAPE_STROKE},
    {"Line", SHAPE_LINE},
    {"Circle", SHAPE_CIRCLE},
    {"Rectangle", SHAPE_RECTANGLE},
};

class PenClick : public ShapeTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(PenClick, LeavesARoundDotOfThePenWidth)
{
    Gesture(m_page, GetParam().type, STYLE_PEN, 9, kBlack, {{60, 50}});
    ASSERT_TRUE(m_page.m_pImage);
    EXPECT_EQ(ImageAt(60, 50), kBlack);
    EXPECT_EQ(ImageAt(62, 52), kBlack);
    EXPECT_EQ(ImageAt(60, 44), kWhite);
    EXPECT_EQ(ImageAt(66, 50), kWhite);
    // A disc of diameter 9 covers about 64 pixels; a square would cover 81 or more.
    EXPECT_GT(DarkPixels(), 45);
    EXPECT_LT(DarkPixels(), 80);
}

INSTANTIATE_TEST_SUITE_P(EveryShape, PenClick, ::testing::ValuesIn(kAllTypes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShapeTest, PenStrokeHasItsWidthAndRoundEnds)
{
    Gesture(m_page, SHAPE_STROKE, STYLE_PEN, 10, kBlack, {{40, 80}, {120, 80}, {200, 80}});
    EXPECT_EQ(ImageAt(120, 80), kBlack);
    EXPECT_EQ(ImageAt(120, 76), kBlack);
    EXPECT_EQ(ImageAt(120, 70), kWhite);
    // The round cap reaches half the width beyond the end point, centred on the line.
    EXPECT_EQ(ImageAt(204, 80), kBlack);
    EXPECT_TRUE(IsNear(ImageAt(204, 76), kWhite, 8));
}

TEST_F(ShapeTest, RepeatedPointerPositionsAddNoPoint)
{
    m_page.BeginShape(SHAPE_STROKE, 10, 10, 3, kBlack, STYLE_PEN, Screen());
    m_page.DragShape(10, 10, Screen());
    m_page.DragShape(20, 10, Screen());
    m_page.DragShape(20, 10, Screen());
    m_page.DragShape(20, 11, Screen());
    m_page.EndShape(20, 11, Screen());
    auto* stroke = static_cast<CStroke*>(m_page.m_pCurrentShape);
    EXPECT_EQ(stroke->CountPoints(), 3);
    EXPECT_EQ(stroke->m_pFirstPoint->x, 10.0f);
    EXPECT_EQ(stroke->m_pLastPoint->y, 11.0f);
}

TEST_F(ShapeTest, HighlighterClickStoresOnePointAndDrawsNothing)
{
    Gesture(m_page, SHAPE_STROKE, STYLE_HIGHLIGHTER, 9, kBlue, {{60, 50}});
    EXPECT_EQ(static_cast<CStroke*>(m_page.m_pCurrentShape)->CountPoints(), 1);
    EXPECT_EQ(CountPixels(*m_page.m_pImage, [](COLORREF c) { return c != kWhite; }), 0);
}

TEST_F(ShapeTest, HighlighterIsTranslucentWithTheRecordsAlpha)
{
    ToolSettingsRef settings;
    ASSERT_TRUE(settings.FillToolDefaults());
    SetBoardSettings(&settings);
    Gesture(m_page, SHAPE_STROKE, STYLE_PEN, 12, kBlack, {{20, 40}, {220, 40}});
    Gesture(m_page, SHAPE_STROKE, STYLE_HIGHLIGHTER, 12, kYellow, {{100, 10}, {100, 150}});
    // Over white the yellow shows, lightened; over the black ink the black shows through a little.
    COLORREF overWhite = ImageAt(100, 100);
    EXPECT_GE(GetRValue(overWhite), 250);
    EXPECT_GE(GetGValue(overWhite), 250);
    EXPECT_GT(GetBValue(overWhite), 20);
    EXPECT_LT(GetBValue(overWhite), 140);
    COLORREF overInk = ImageAt(100, 40);
    EXPECT_GT(GetRValue(overInk), 150);
    EXPECT_LT(GetRValue(overInk), 250);

    // The alpha is read at every drawing call: an opaque highlighter hides the ink.
    settings.Record()->highlighterAlpha = 0x1FF;   // only the low byte counts
    m_page.RenderImage(Screen());
    EXPECT_TRUE(IsNear(ImageAt(100, 40), kYellow, 3));
    SetBoardSettings(nullptr);
    settings.Release();
}

TEST_F(ShapeTest, HighlighterStrokeCrossingItselfIsLaidOnce)
{
    Gesture(m_page, SHAPE_STROKE, STYLE_HIGHLIGHTER, 14, kBlue,
            {{40, 80}, {200, 80}, {120, 20}, {120, 140}});
    COLORREF once = ImageAt(60, 80);
    COLORREF crossing = ImageAt(120, 80);
    EXPECT_TRUE(IsNear(once, crossing, 3)) << std::hex << once << " " << crossing;
}

TEST_F(ShapeTest, LongHighlighterStrokeDrawsItsFirst30000Points)
{
    CStroke stroke(&m_page.m_background);
    stroke.BeginDraw(20, 20, 6, kBlue, STYLE_HIGHLIGHTER, Screen());
    for (int i = 1; i < MAX_HIGHLIGHT_POINTS; ++i)
        stroke.AddPoint(20 + (i % 2) * 40, 20);
    ASSERT_EQ(stroke.CountPoints(), MAX_HIGHLIGHT_POINTS);
    stroke.AddPoint(200, 140);   // point 30001: never drawn
    m_page.RenderImage(Screen());
    {
        CMemoryDC image(::CreateCompatibleDC(nullptr));
        CSelectObject selected(image.Get(), m_page.m_pImage->GetBitmap());
        stroke.Draw(image.Get());
    }
    EXPECT_NE(ImageAt(40, 20), kWhite);
    EXPECT_EQ(ImageAt(200, 140), kWhite);
    EXPECT_EQ(ImageAt(130, 80), kWhite);
}

// ---- The eraser ----

TEST_F(ShapeTest, EraserOnAColourBackgroundPaintsTheBackgroundColour)
{
    m_page.SetBackground(CPageBackground::KIND_COLOUR, kYellow, nullptr);
    Gesture(m_page, SHAPE_STROKE, STYLE_PEN, 20, kBlack, {{20, 80}, {220, 80}});
    Gesture(m_page, SHAPE_STROKE, STYLE_ERASER, 16, kWhite, {{120, 40}, {120, 120}});
    EXPECT_EQ(ImageAt(120, 80), kYellow);
    EXPECT_EQ(ImageAt(115, 80), kYellow);
    EXPECT_EQ(ImageAt(60, 80), kBlack);
}

TEST_F(ShapeTest, EraserClickTakesBackADotOnAColourBackground)
{
    Gesture(m_page, SHAPE_STROKE, STYLE_PEN, 30, kBlack, {{20, 80}, {220, 80}});
    Gesture(m_page, SHAPE_STROKE, STYLE_ERASER, 12, kBlack, {{120, 80}});
    EXPECT_EQ(ImageAt(120, 80), kWhite);
    EXPECT_EQ(ImageAt(130, 80), kBlack);
}

// The eraser swept over ink on a picture: inside the swept region (bands and round ends of
// every segment) the page is exactly the background again; outside, the ink stays.
TEST_F(ShapeTest, EraserOnAPictureRestoresItExactlyInsideItsRegion)
{
    CPage background;
    background.SetBackground(CPageBackground::KIND_PICTURE, kWhite,
                             MakePicture(kWidth, kHeight, Checker).Detach());
    background.RenderImage(Screen());
    m_page.SetBackground(CPageBackground::KIND_PICTURE, kWhite,
                         MakePicture(kWidth, kHeight, Checker).Detach());
    Gesture(m_page, SHAPE_STROKE, STYLE_PEN, 40, kRed, {{10, 80}, {230, 80}});
    const POINT sweep[] = {{50, 50}, {110, 100}, {170, 70}};
    Gesture(m_page, SHAPE_STROKE, STYLE_ERASER, 18, kWhite, {sweep[0], sweep[1], sweep[2]});

    auto* eraser = static_cast<CStroke*>(m_page.m_pCurrentShape);
    CRgn swept(::CreateRectRgn(0, 0, 0, 0));
    for (int i = 0; i < 3; ++i) {
        POINT a = sweep[i > 0 ? i - 1 : 0], b = sweep[i];
        CRgn part(eraser->CreateSegmentRegion(a.x, a.y, b.x, b.y));
        ::CombineRgn(swept.Get(), swept.Get(), part.Get(), RGN_OR);
    }
    int inside = 0, mismatched = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (::PtInRegion(swept.Get(), x, y)) {
                ++inside;
                if (ImageAt(x, y) != PixelOf(*background.m_pImage, x, y))
                    ++mismatched;
            }
    EXPECT_GT(inside, 2000);
    EXPECT_EQ(mismatched, 0);
    // The round end beyond the last point is restored too; the ink away from the sweep stays.
    EXPECT_EQ(ImageAt(176, 67), PixelOf(*background.m_pImage, 176, 67));
    EXPECT_NE(ImageAt(176, 67), kRed);
    EXPECT_EQ(ImageAt(20, 80), kRed);
    EXPECT_EQ(ImageAt(220, 95), kRed);
}

struct AreaEraserCase {
    const char* name;
    int type;
    bool picture;
};

class AreaEraser : public ShapeTest, public ::testing::WithParamInterface<AreaEraserCase> {};

// Circles and rectangles erase their whole area, not only their outline.
TEST_P(AreaEraser, ClearsTheWholeArea)
{
    if (GetParam().picture)
        m_page.SetBackground(CPageBackground::KIND_PICTURE, kWhite,
                             MakePicture(kWidth, kHeight, [](int, int) { return kBlue; }).Detach());
    for (int y = 30; y <= 130; y += 10)
        Gesture(m_page, SHAPE_STROKE, STYLE_PEN, 12, kBlack, {{20, y}, {220, y}});
    Gesture(m_page, GetParam().type, STYLE_ERASER, 20, kWhite, {{60, 40}, {180, 120}});
    COLORREF expected = GetParam().picture ? kBlue : kWhite;
    EXPECT_EQ(ImageAt(120, 80), expected);
    EXPECT_EQ(ImageAt(100, 70), expected);
    EXPECT_EQ(ImageAt(140, 90), expected);
    EXPECT_EQ(ImageAt(30, 80), kBlack);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, AreaEraser,
    ::testing::Values(AreaEraserCase{"CircleOnColour", SHAPE_CIRCLE, false},
                      AreaEraserCase{"RectangleOnColour", SHAPE_RECTANGLE, false},
                      AreaEraserCase{"CircleOnPicture", SHAPE_CIRCLE, true},
                      AreaEraserCase{"RectangleOnPicture", SHAPE_RECTANGLE, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShapeTest, SegmentRegionOfAVerticalSegmentIsABandWithRoundEnds)
{
    CStroke stroke(&m_page.m_background);
    stroke.m_nWidth = 10;
    CRgn region(stroke.CreateSegmentRegion(50, 20, 50, 100));
    ASSERT_TRUE(region);
    EXPECT_TRUE(::PtInRegion(region.Get(), 50, 60));
    EXPECT_TRUE(::PtInRegion(region.Get(), 46, 60));
    EXPECT_FALSE(::PtInRegion(region.Get(), 43, 60));
    EXPECT_FALSE(::PtInRegion(region.Get(), 57, 60));
    EXPECT_TRUE(::PtInRegion(region.Get(), 50, 17));    // round end above
    EXPECT_TRUE(::PtInRegion(region.Get(), 50, 103));   // and below
    EXPECT_FALSE(::PtInRegion(region.Get(), 50, 108));
}

TEST_F(ShapeTest, SegmentRegionOfADiagonalSegmentFollowsIt)
{
    CStroke stroke(&m_page.m_background);
    stroke.m_nWidth = 10;
    CRgn region(stroke.CreateSegmentRegion(20, 20, 100, 100));
    EXPECT_TRUE(::PtInRegion(region.Get(), 60, 60));
    EXPECT_TRUE(::PtInRegion(region.Get(), 63, 57));   // within half the width across
    EXPECT_FALSE(::PtInRegion(region.Get(), 70, 50));
    EXPECT_FALSE(::PtInRegion(region.Get(), 100, 20));
}

// ---- Live drawing on the screen ----

TEST_F(ShapeTest, AimingPreviewInvertsAndTakesItselfBack)
{
    ::SelectObject(Screen(), ::GetStockObject(BLACK_PEN));
    m_page.RenderImage(Screen());
    m_page.BeginShape(SHAPE_LINE, 20, 20, 6, kRed, STYLE_PEN, Screen());
    m_page.DragShape(200, 20, Screen());
    EXPECT_EQ(ScreenAt(100, 20), kBlack);   // white inverted
    m_page.DragShape(200, 140, Screen());
    EXPECT_EQ(ScreenAt(100, 20), kWhite);   // the old preview is gone
    m_page.EndShape(200, 140, Screen());
    // The preview is gone and the final ink is drawn in its colour.
    EXPECT_EQ(ScreenAt(110, 80), kRed);
    EXPECT_EQ(CountPixels(*m_screen, [](COLORREF c) { return c == kBlack; }), 0);
    EXPECT_EQ(ImageAt(110, 80), kRed);
}

TEST_F(ShapeTest, EraserRingFollowsThePointerAndLeavesNothing)
{
    ::SelectObject(Screen(), ::GetStockObject(BLACK_PEN));
    m_page.BeginShape(SHAPE_STROKE, 60, 60, 30, kWhite, STYLE_ERASER, Screen());
    EXPECT_GT(CountPixels(*m_screen, [](COLORREF c) { return c == kBlack; }), 40);
    m_page.DragShape(120, 60, Screen());
    EXPECT_GT(CountPixels(*m_screen, [](COLORREF c) { return c == kBlack; }), 40);
    m_page.EndShape(120, 60, Screen());
    EXPECT_EQ(CountPixels(*m_screen, [](COLORREF c) { return c == kBlack; }), 0);
}

TEST_F(ShapeTest, PenInkShowsOnTheScreenWhileDrawn)
{
    m_page.BeginShape(SHAPE_STROKE, 20, 100, 8, kBlue, STYLE_PEN, Screen());
    m_page.DragShape(200, 100, Screen());
    EXPECT_EQ(ScreenAt(110, 100), kBlue);
    EXPECT_FALSE(m_page.m_pImage);   // the image is built only at the end
    m_page.EndShape(200, 100, Screen());
    EXPECT_EQ(ImageAt(110, 100), kBlue);
}

// ---- Bounding rectangles, copies, hidden and invalid shapes ----

struct BoundCase {
    const char* name;
    int type;
    int style;
    int width;
    POINT from, to;
    RECT expected;
};

class BoundingRect : public ShapeTest, public ::testing::WithParamInterface<BoundCase> {};

TEST_P(BoundingRect, CoversTheInkWithItsMargin)
{
    const BoundCase& c = GetParam();
    m_page.BeginShape(c.type, c.from.x, c.from.y, c.width, kBlack, c.style, Screen());
    RECT before;
    m_page.m_pCurrentShape->GetBoundRect(&before);
    EXPECT_TRUE(::IsRectEmpty(&before));
    m_page.DragShape(c.to.x, c.to.y, Screen());
    m_page.EndShape(c.to.x, c.to.y, Screen());
    RECT bound;
    m_page.m_pCurrentShape->GetBoundRect(&bound);
    EXPECT_EQ(bound.left, c.expected.left);
    EXPECT_EQ(bound.top, c.expected.top);
    EXPECT_EQ(bound.right, c.expected.right);
    EXPECT_EQ(bound.bottom, c.expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, BoundingRect,
    ::testing::Values(
        BoundCase{"PenStroke", SHAPE_STROKE, STYLE_PEN, 4, {50, 60}, {90, 30}, {41, 21, 99, 69}},
        BoundCase{"EraserStroke", SHAPE_STROKE, STYLE_ERASER, 20, {50, 60}, {90, 30}, {20, 0, 120, 90}},
        BoundCase{"LineBackwards", SHAPE_LINE, STYLE_PEN, 5, {150, 120}, {100, 100}, {90, 90, 160, 130}},
        BoundCase{"NearTheTopLeftCorner", SHAPE_RECTANGLE, STYLE_HIGHLIGHTER, 10, {3, 4}, {40, 30}, {0, 0, 55, 45}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShapeTest, CloneIsAVisibleCopyThatCannotBeUndone)
{
    Gesture(m_page, SHAPE_STROKE, STYLE_PEN, 7, kRed, {{10, 10}, {30, 40}, {50, 20}});
    CShape* original = m_page.m_pCurrentShape;
    original->m_bHidden = 1;
    CPage other;
    std::unique_ptr<CShape> copy(original->Clone(&other.m_background));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->m_nType, SHAPE_STROKE);
    EXPECT_EQ(copy->m_bHidden, 0);
    EXPECT_EQ(copy->m_bUndoable, 0);
    EXPECT_EQ(copy->m_pBackground, &other.m_background);
    EXPECT_EQ(copy->m_crColor, kRed);
    EXPECT_EQ(copy->m_nWidth, 7);
    EXPECT_TRUE(::EqualRect(&copy->m_rcBound, &original->m_rcBound));
    auto* points = static_cast<CStroke*>(copy.get());
    EXPECT_EQ(points->CountPoints(), 3);
    EXPECT_NE(points->m_pFirstPoint, static_cast<CStroke*>(original)->m_pFirstPoint);
    EXPECT_EQ(points->m_pLastPoint->x, 50.0f);

    Gesture(m_page, SHAPE_CIRCLE, STYLE_PEN, 3, kBlue, {{60, 60}, {100, 90}});
    std::unique_ptr<CShape> circle(m_page.m_pCurrentShape->Clone(&other.m_background));
    EXPECT_EQ(circle->m_nType, SHAPE_CIRCLE);
    EXPECT_EQ(circle->m_ptEnd.x, 100);
    EXPECT_EQ(circle->m_ptEnd.y, 90);
}

TEST_F(ShapeTest, HiddenShapeDrawsNothing)
{
    Gesture(m_page, SHAPE_RECTANGLE, STYLE_PEN, 5, kBlack, {{30, 30}, {150, 120}});
    m_page.m_pCurrentShape->m_bHidden = 1;
    m_page.RenderImage(Screen());
    EXPECT_EQ(DarkPixels(), 0);
}

TEST_F(ShapeTest, UnknownTypesAndStylesDrawNothing)
{
    EXPECT_EQ(CreateShape(0, &m_page.m_background), nullptr);
    EXPECT_EQ(CreateShape(5, &m_page.m_background), nullptr);
    m_page.BeginShape(9, 10, 10, 5, kBlack, STYLE_PEN, Screen());
    EXPECT_EQ(m_page.m_pFirstShape, nullptr);
    Gesture(m_page, SHAPE_LINE, 7, 5, kBlack, {{10, 10}, {200, 100}});
    EXPECT_EQ(DarkPixels(), 0);
}

} // namespace

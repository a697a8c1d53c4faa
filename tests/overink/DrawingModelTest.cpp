// The desktop drawing model drawn live into bitmaps standing in for the two layer windows: what
// each gesture leaves in the pixels while dragging and after the release, and the page's list of
// shapes with undo.
#include "overink/model/Erase.h"
#include "overink/model/Page.h"
#include "tests/overink/LayerCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

using namespace layer_test;

namespace {

// Draws with a dotted one-pixel pen that inverts, as a preview is drawn; doing it twice restores.
void Inverted(HDC dc, const std::function<void(HDC)>& figure)
{
    CPen pen(::CreatePen(PS_DOT, 1, kKey));
    CSelectObject selectPen(dc, pen.Get());
    CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    int oldRop = ::SetROP2(dc, R2_NOT);
    figure(dc);
    ::SetROP2(dc, oldRop);
}

// Draws with a solid pen and a raster operation, as finished ink is drawn.
void Inked(HDC dc, int width, COLORREF colour, int rop, const std::function<void(HDC)>& figure)
{
    CPen pen(::CreatePen(PS_SOLID, width, colour));
    CSelectObject selectPen(dc, pen.Get());
    int oldRop = ::SetROP2(dc, rop);
    figure(dc);
    ::SetROP2(dc, oldRop);
}

void Line(HDC dc, POINT a, POINT b)
{
    ::MoveToEx(dc, a.x, a.y, nullptr);
    ::LineTo(dc, b.x, b.y);
}

// The two-point figures the way the shapes draw them.
void FigureOf(int kind, HDC dc, POINT a, POINT b)
{
    switch (kind) {
    case KIND_LINE:
        Line(dc, a, b);
        break;
    case KIND_CIRCLE:
        ::Arc(dc, a.x, a.y, b.x, b.y, 0, 0, 0, 0);
        break;
    case KIND_RECTANGLE:
        ::MoveToEx(dc, a.x, a.y, nullptr);
        ::LineTo(dc, b.x, a.y);
        ::LineTo(dc, b.x, b.y);
        ::LineTo(dc, a.x, b.y);
        ::LineTo(dc, a.x, a.y);
        break;
    default:
        break;
    }
}

// The preview figures of the eraser's area forms.
void EraserPreviewOf(int form, HDC dc, POINT a, POINT b)
{
    switch (form) {
    case ERASE_LINE:
        Line(dc, a, b);
        break;
    case ERASE_ELLIPSE:
        ::Ellipse(dc, a.x, a.y, b.x, b.y);
        break;
    case ERASE_RECTANGLE:
        ::Rectangle(dc, a.x, a.y, b.x, b.y);
        break;
    default:
        break;
    }
}

CStroke& FirstStroke(const CPage& page)
{
    return static_cast<CStroke&>(*page.GetFirst());
}

// Live ink.

TEST(LiveInk, PenStrokeLeavesInkAlongItsPathOnly)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{10, 50}, {100, 50}, {100, 150}});
    EXPECT_EQ(pen.At(50, 50), kBlack);
    EXPECT_EQ(pen.At(100, 120), kBlack);
    EXPECT_EQ(pen.At(50, 100), kKey);
}

TEST(LiveInk, ClickWithoutMovementLeavesADot)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{60, 60}});
    EXPECT_EQ(pen.At(60, 60), kBlack);
    EXPECT_EQ(pen.At(64, 60), kKey);
    ASSERT_FALSE(page.IsEmpty());
    const std::vector<POINT>& points = FirstStroke(page).Points();
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points[0].x, 60);
    EXPECT_EQ(points[1].x, 61);
    EXPECT_EQ(points[1].y, 60);
}

// Ink over the key colour (left half) and over red (right half): the pen layer paints its colour
// over anything, the highlighter layer masks what is below.
struct RopCase {
    const char* name;
    int kind;
    int layer;
    COLORREF overRed;
};

void PrintTo(const RopCase& c, std::ostream* os)
{
    *os << c.name;
}

class InkRasterOperation : public ::testing::TestWithParam<RopCase> {};

TEST_P(InkRasterOperation, FollowsTheLayer)
{
    Canvas layer;
    layer.Fill(RECT{100, 0, 200, 200}, kRed);
    CPage page;
    Gesture(page, GetParam().kind, GetParam().layer, kHighlight, 5, layer.Dc(), nullptr,
            {{20, 100}, {180, 100}});
    EXPECT_EQ(layer.At(50, 100), kHighlight);
    EXPECT_EQ(layer.At(150, 100), GetParam().overRed);
    EXPECT_EQ(layer.At(150, 50), kRed);
}

INSTANTIATE_TEST_SUITE_P(
    Layers, InkRasterOperation,
    ::testing::Values(RopCase{"PenStroke", KIND_STROKE, LAYER_PEN, kHighlight},
                      RopCase{"PenLine", KIND_LINE, LAYER_PEN, kHighlight},
                      RopCase{"HighlighterStroke", KIND_STROKE, LAYER_HIGHLIGHT, kBlack},
                      RopCase{"HighlighterLine", KIND_LINE, LAYER_HIGHLIGHT, kBlack}),
    [](const ::testing::TestParamInfo<RopCase>& info) { return info.param.name; });

TEST(LiveInk, StrokeDrawUsesTheSelectedPenAndMasks)
{
    Canvas canvas(kRed);
    CPage page;
    Canvas scratch;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, scratch.Dc(), nullptr, {{20, 100}, {180, 100}});
    Inked(canvas.Dc(), 1, kHighlight, R2_COPYPEN, [&](HDC dc) { page.GetFirst()->Draw(dc); });
    EXPECT_EQ(canvas.At(100, 100), kBlack);   // red masked by (0, 128, 255), not the stroke's colour
    EXPECT_EQ(canvas.At(100, 102), kRed);     // the selected one-pixel pen, not the stroke's width

    CPage erasing;
    Gesture(erasing, KIND_STROKE, LAYER_BOTH, kKey, 20, scratch.Dc(), scratch.Dc(), {{20, 150}, {180, 150}});
    erasing.GetFirst()->Draw(canvas.Dc());
    EXPECT_EQ(canvas.At(100, 150), kRed);
}

// Two-point figures: a dotted inverted preview follows the pointer, the figure stays.

struct FigureCase {
    const char* name;
    int kind;
    int layer;
    POINT start, away, end;
};

void PrintTo(const FigureCase& c, std::ostream* os)
{
    *os << c.name;
}

class FigurePreview : public ::testing::TestWithParam<FigureCase> {};

TEST_P(FigurePreview, FollowsThePointerAndTheFigureStays)
{
    const FigureCase& c = GetParam();
    Canvas live;
    CPage page;
    page.BeginShape(c.kind, c.start.x, c.start.y, 3, kBlack, 0, c.layer, 0, 0);
    page.DragShape(c.start.x + 1, c.start.y, live.Dc(), nullptr);
    page.DragShape(c.away.x, c.away.y, live.Dc(), nullptr);   // a preview far out...
    page.DragShape(c.end.x, c.end.y, live.Dc(), nullptr);   // ...moved: only the new one shows

    Canvas preview;
    Inverted(preview.Dc(), [&](HDC dc) { FigureOf(c.kind, dc, c.start, c.end); });
    EXPECT_EQ(live.DiffersFrom(preview), "") << "while dragging";

    page.EndShape(c.end.x, c.end.y, live.Dc(), nullptr);
    Canvas figure;
    int rop = c.layer == LAYER_PEN ? R2_COPYPEN : R2_MASKPEN;
    Inked(figure.Dc(), 3, kBlack, rop, [&](HDC dc) { FigureOf(c.kind, dc, c.start, c.end); });
    EXPECT_EQ(live.DiffersFrom(figure), "") << "after the release";
    EXPECT_GT(live.Count(kBlack), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FigurePreview,
    ::testing::Values(FigureCase{"Line", KIND_LINE, LAYER_PEN, {40, 40}, {190, 190}, {160, 120}},
                      FigureCase{"Circle", KIND_CIRCLE, LAYER_PEN, {40, 40}, {190, 190}, {160, 120}},
                      FigureCase{"Rectangle", KIND_RECTANGLE, LAYER_PEN, {40, 40}, {190, 190}, {160, 120}},
                      FigureCase{"CircleUpLeft", KIND_CIRCLE, LAYER_HIGHLIGHT, {160, 150}, {5, 5}, {30, 60}},
                      FigureCase{"RectangleUpLeft", KIND_RECTANGLE, LAYER_HIGHLIGHT, {160, 150}, {5, 5}, {30, 60}}),
    [](const ::testing::TestParamInfo<FigureCase>& info) { return info.param.name; });

// The eraser.

TEST(Eraser, FreeFormEraserClearsBothLayersAndLeavesNoRing)
{
    Canvas pen(kBlack), highlight(kHighlight);
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(), {{40, 100}, {160, 100}});
    for (Canvas* layer : {&pen, &highlight}) {
        EXPECT_EQ(layer->At(100, 100), kKey);
        EXPECT_EQ(layer->At(100, 108), kKey);
        EXPECT_NE(layer->At(100, 130), kKey);
        EXPECT_EQ(layer->At(160, 100), kKey);
    }
    EXPECT_EQ(pen.At(160, 120), kBlack);   // just outside the eraser: no ring left

    // Exactly the capsules between the points, nothing else.
    Canvas expected(kBlack);
    EraseSegment(expected.Dc(), POINT{40, 100}, POINT{41, 100}, 20, kKey);
    EraseSegment(expected.Dc(), POINT{41, 100}, POINT{160, 100}, 20, kKey);
    EXPECT_EQ(pen.DiffersFrom(expected), "");
}

TEST(Eraser, FreeFormRingFollowsThePointerOnBothLayers)
{
    Canvas pen(kBlue), highlight(kHighlight);
    CPage page;
    Press(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(), {{40, 60}, {80, 60}, {120, 130}});

    for (Canvas* layer : {&pen, &highlight}) {
        COLORREF fill = layer == &pen ? kBlue : kHighlight;
        int ring = 0, stray = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                COLORREF c = layer->At(x, y);
                if (c == fill || c == kKey)
                    continue;
                // An inverted pixel: it belongs to the ring around the pointer, nowhere else.
                double d = std::hypot(x - 120, y - 130);
                (d >= 7 && d <= 12 ? ring : stray)++;
            }
        EXPECT_GT(ring, 20);
        EXPECT_EQ(stray, 0);
    }

    page.EndShape(120, 130, pen.Dc(), highlight.Dc());
    Canvas expected(kBlue);
    const std::vector<POINT>& p = FirstStroke(page).Points();
    for (size_t i = 1; i < p.size(); ++i)
        EraseSegment(expected.Dc(), p[i - 1], p[i], 20, kKey);
    EXPECT_EQ(pen.DiffersFrom(expected), "");
}

// The area forms: a dotted inverted figure from the press to the pointer on both layers while
// dragging, and only the erased area after the release.
struct AreaCase {
    const char* name;
    int form;
    POINT start, away, last, release;
};

void PrintTo(const AreaCase& c, std::ostream* os)
{
    *os << c.name;
}

class EraserArea : public ::testing::TestWithParam<AreaCase> {};

TEST_P(EraserArea, PreviewWhileDraggingAndErasedAreaAfterRelease)
{
    const AreaCase& c = GetParam();
    Canvas pen(kBlack), highlight(kHighlight);
    CPage page;
    Press(page, KIND_STROKE, LAYER_BOTH, kKey, 12, pen.Dc(), highlight.Dc(), {c.start, c.away, c.last}, c.form);

    Canvas penPreview(kBlack), highlightPreview(kHighlight);
    for (Canvas* expected : {&penPreview, &highlightPreview})
        Inverted(expected->Dc(), [&](HDC dc) { EraserPreviewOf(c.form, dc, c.start, c.last); });
    EXPECT_EQ(pen.DiffersFrom(penPreview), "") << "pen layer while dragging";
    EXPECT_EQ(highlight.DiffersFrom(highlightPreview), "") << "highlighter layer while dragging";

    page.EndShape(c.release.x, c.release.y, pen.Dc(), highlight.Dc());
    Canvas penErased(kBlack), highlightErased(kHighlight);
    for (Canvas* expected : {&penErased, &highlightErased}) {
        HDC dc = expected->Dc();
        if (c.form == ERASE_LINE)
            EraseSegment(dc, c.start, c.release, 12, kKey);
        else if (c.form == ERASE_ELLIPSE)
            EraseEllipse(dc, c.start, c.release, kKey);
        else
            EraseRectangle(dc, c.start, c.release, kKey);
    }
    EXPECT_EQ(pen.DiffersFrom(penErased), "") << "pen layer after the release";
    EXPECT_EQ(highlight.DiffersFrom(highlightErased), "") << "highlighter layer after the release";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, EraserArea,
    ::testing::Values(
        AreaCase{"Line", ERASE_LINE, {30, 40}, {190, 190}, {150, 120}, {150, 120}},
        AreaCase{"LineUpLeft", ERASE_LINE, {150, 160}, {5, 5}, {40, 70}, {40, 70}},
        AreaCase{"Ellipse", ERASE_ELLIPSE, {30, 40}, {190, 190}, {150, 120}, {150, 120}},
        AreaCase{"EllipseUpLeft", ERASE_ELLIPSE, {150, 160}, {5, 5}, {40, 70}, {40, 70}},
        AreaCase{"Rectangle", ERASE_RECTANGLE, {30, 40}, {190, 190}, {150, 120}, {150, 120}},
        AreaCase{"RectangleUpLeft", ERASE_RECTANGLE, {150, 160}, {5, 5}, {40, 70}, {40, 70}},
        // The release can come without a move to its point first.
        AreaCase{"RectangleReleasedElsewhere", ERASE_RECTANGLE, {30, 40}, {190, 190}, {150, 120}, {100, 90}}),
    [](const ::testing::TestParamInfo<AreaCase>& info) { return info.param.name; });

TEST(Eraser, RectangleEraserFillsTheRectangleAndRemovesItsPreview)
{
    Canvas pen(kBlack), highlight;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(),
            {{20, 20}, {150, 150}, {80, 80}}, ERASE_RECTANGLE);
    EXPECT_EQ(pen.At(50, 50), kKey);
    EXPECT_EQ(pen.At(10, 10), kBlack);
    EXPECT_EQ(pen.At(120, 120), kBlack);   // the preview that went out there is gone
    EXPECT_EQ(pen.At(80, 50), kBlack);     // and so is the last one
    EXPECT_EQ(highlight.At(120, 120), kKey);
}

TEST(Eraser, EllipseEraserTakesAnOutlineDrawnOnTheSameEllipse)
{
    Canvas pen, highlight;
    CPage page;
    Gesture(page, KIND_CIRCLE, LAYER_PEN, kBlack, 1, pen.Dc(), nullptr, {{20, 20}, {120, 80}});
    ASSERT_EQ(pen.At(20, 50), kBlack);
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(), {{20, 20}, {120, 80}},
            ERASE_ELLIPSE);
    for (int y = 0; y < kSize; ++y)
        EXPECT_TRUE(pen.RowFreeOf(y, 0, kSize - 1, kBlack)) << "row " << y;
}

// The widening of the ellipse depends on which corner is larger: every drag direction must take
// the outline of the circle drawn over the same two points.
struct DirectionCase {
    const char* name;
    POINT a, b;
};

void PrintTo(const DirectionCase& c, std::ostream* os)
{
    *os << c.name;
}

class EllipseDirections : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(EllipseDirections, OutlineOnTheSameBoxIsErased)
{
    POINT a = GetParam().a, b = GetParam().b;
    Canvas pen, highlight;
    CPage page;
    Gesture(page, KIND_CIRCLE, LAYER_PEN, kBlack, 1, pen.Dc(), nullptr, {a, b});
    ASSERT_GT(pen.Count(kBlack), 100);
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(), {a, b}, ERASE_ELLIPSE);
    EXPECT_EQ(pen.Count(kBlack), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, EllipseDirections,
    ::testing::Values(DirectionCase{"DownRight", {30, 40}, {170, 120}},
                      DirectionCase{"UpLeft", {170, 120}, {30, 40}},
                      DirectionCase{"DownLeft", {170, 40}, {30, 120}},
                      DirectionCase{"UpRight", {30, 120}, {170, 40}}),
    [](const ::testing::TestParamInfo<DirectionCase>& info) { return info.param.name; });

// A flat drag still clears a thin band through its points instead of an empty ellipse.
TEST(Eraser, FlatEllipseClearsABandThroughItsPoints)
{
    Canvas pen(kBlack);
    EraseEllipse(pen.Dc(), POINT{30, 100}, POINT{170, 100}, kKey);
    EXPECT_EQ(pen.At(100, 100), kKey);
    EXPECT_EQ(pen.At(100, 104), kBlack);
    EXPECT_EQ(pen.At(100, 96), kBlack);
    EXPECT_EQ(pen.At(20, 100), kBlack);
}

TEST(Eraser, VerticalEraserSegmentIsErased)
{
    Canvas pen(kBlack);
    EraseSegment(pen.Dc(), POINT{100, 20}, POINT{100, 180}, 10, kKey);
    EXPECT_EQ(pen.At(100, 100), kKey);
    EXPECT_EQ(pen.At(103, 100), kKey);
    EXPECT_EQ(pen.At(110, 100), kBlack);
}

// The capsule: a band of the eraser's width along the segment with round ends, in any direction.
struct CapsuleCase {
    const char* name;
    POINT a, b;
};

void PrintTo(const CapsuleCase& c, std::ostream* os)
{
    *os << c.name;
}

class Capsule : public ::testing::TestWithParam<CapsuleCase> {};

TEST_P(Capsule, CoversTheBandAndNothingBeyond)
{
    const CapsuleCase& c = GetParam();
    const int w = 16;
    Canvas pen(kBlack);
    EraseSegment(pen.Dc(), c.a, c.b, w, kKey);
    // Distance of each pixel from the segment decides: well inside is erased, well outside is not.
    double dx = c.b.x - c.a.x, dy = c.b.y - c.a.y, len2 = dx * dx + dy * dy;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double t = len2 > 0 ? ((x - c.a.x) * dx + (y - c.a.y) * dy) / len2 : 0;
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            double d = std::hypot(x - (c.a.x + t * dx), y - (c.a.y + t * dy));
            if (d <= w / 2 - 2) {
                ASSERT_EQ(pen.At(x, y), kKey) << x << "," << y;
            } else if (d >= w / 2 + 2) {
                ASSERT_EQ(pen.At(x, y), kBlack) << x << "," << y;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(
    Directions, Capsule,
    ::testing::Values(CapsuleCase{"Horizontal", {30, 100}, {170, 100}},
                      CapsuleCase{"Vertical", {100, 170}, {100, 30}},
                      CapsuleCase{"Diagonal", {30, 40}, {160, 150}},
                      CapsuleCase{"Backwards", {170, 60}, {40, 120}},
                      CapsuleCase{"Steep", {90, 20}, {110, 180}},
                      CapsuleCase{"Point", {100, 100}, {100, 100}}),
    [](const ::testing::TestParamInfo<CapsuleCase>& info) { return info.param.name; });

TEST(Eraser, KeyColourOtherThanWhiteIsWhatTheEraserLeaves)
{
    const COLORREF key = RGB(0, 255, 0);
    Canvas pen(key), highlight(key);
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 9, pen.Dc(), nullptr, {{20, 100}, {180, 100}});
    Gesture(page, KIND_STROKE, LAYER_HIGHLIGHT, kHighlight, 9, highlight.Dc(), nullptr, {{20, 100}, {180, 100}});
    Gesture(page, KIND_STROKE, LAYER_BOTH, key, 20, pen.Dc(), highlight.Dc(), {{100, 20}, {100, 180}});
    EXPECT_EQ(pen.At(100, 100), key);
    EXPECT_EQ(highlight.At(100, 100), key);
    EXPECT_EQ(pen.At(50, 100), kBlack);
    EXPECT_EQ(pen.Count(kKey), 0);
    EXPECT_EQ(highlight.Count(kKey), 0);
}

// Live drawing borrows the layer's device context: it must give back the pen, brush and raster
// operation it found.
struct StateCase {
    const char* name;
    int kind;
    int layer;
    int eraserShape;
};

void PrintTo(const StateCase& c, std::ostream* os)
{
    *os << c.name;
}

class LeavesDeviceContext : public ::testing::TestWithParam<StateCase> {};

TEST_P(LeavesDeviceContext, AsItFoundIt)
{
    const StateCase& c = GetParam();
    Canvas a, b;
    CPen pen(::CreatePen(PS_SOLID, 2, kRed));
    CBrush brush(::CreateSolidBrush(kBlue));
    std::vector<std::unique_ptr<CSelectObject>> selected;
    for (HDC dc : {a.Dc(), b.Dc()}) {
        selected.push_back(std::make_unique<CSelectObject>(dc, pen.Get()));
        selected.push_back(std::make_unique<CSelectObject>(dc, brush.Get()));
        ::SetROP2(dc, R2_XORPEN);
    }
    CPage page;
    COLORREF colour = c.layer == LAYER_BOTH ? kKey : kBlack;
    HDC second = c.layer == LAYER_BOTH ? b.Dc() : nullptr;
    Gesture(page, c.kind, c.layer, colour, 8, a.Dc(), second, {{30, 30}, {150, 90}, {120, 160}}, c.eraserShape);
    for (HDC dc : {a.Dc(), b.Dc()}) {
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), pen.Get());
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush.Get());
        EXPECT_EQ(::GetROP2(dc), R2_XORPEN);
    }
    selected.clear();
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, LeavesDeviceContext,
    ::testing::Values(StateCase{"PenStroke", KIND_STROKE, LAYER_PEN, 0},
                      StateCase{"HighlighterStroke", KIND_STROKE, LAYER_HIGHLIGHT, 0},
                      StateCase{"Line", KIND_LINE, LAYER_PEN, 0},
                      StateCase{"Circle", KIND_CIRCLE, LAYER_HIGHLIGHT, 0},
                      StateCase{"Rectangle", KIND_RECTANGLE, LAYER_PEN, 0},
                      StateCase{"EraserFreeForm", KIND_STROKE, LAYER_BOTH, ERASE_FREEFORM},
                      StateCase{"EraserLine", KIND_STROKE, LAYER_BOTH, ERASE_LINE},
                      StateCase{"EraserEllipse", KIND_STROKE, LAYER_BOTH, ERASE_ELLIPSE},
                      StateCase{"EraserRectangle", KIND_STROKE, LAYER_BOTH, ERASE_RECTANGLE}),
    [](const ::testing::TestParamInfo<StateCase>& info) { return info.param.name; });

// The page.

TEST(Page, UndoTakesTheLastShapeWithItsLayerAndBounds)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{50, 60}, {90, 70}});
    Gesture(page, KIND_LINE, LAYER_HIGHLIGHT, kHighlight, 5, pen.Dc(), nullptr, {{10, 20}, {30, 40}});

    short layer = 7;
    RECT rect{};
    ASSERT_EQ(page.UndoLast(&layer, &rect), 1);
    EXPECT_EQ(layer, LAYER_HIGHLIGHT);
    EXPECT_EQ(rect.left, 0);     // 10 - (5 + 5), not below zero
    EXPECT_EQ(rect.top, 10);
    EXPECT_EQ(rect.right, 40);
    EXPECT_EQ(rect.bottom, 50);

    ASSERT_EQ(page.UndoLast(&layer, &rect), 1);
    EXPECT_EQ(layer, LAYER_PEN);
    EXPECT_EQ(rect.left, 50 - 8);
    EXPECT_TRUE(page.IsEmpty());
    EXPECT_EQ(page.GetFirst(), nullptr);

    layer = 7;
    rect = RECT{1, 2, 3, 4};
    EXPECT_EQ(page.UndoLast(&layer, &rect), 0);
    EXPECT_EQ(layer, 7);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.bottom, 4);
}

TEST(Page, EraserBoundsHaveTheWiderMargin)
{
    Canvas pen, highlight;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(), {{100, 100}, {120, 100}});
    short layer = 0;
    RECT rect{};
    page.UndoLast(&layer, &rect);
    EXPECT_EQ(layer, LAYER_BOTH);
    EXPECT_EQ(rect.left, 100 - 30);
    EXPECT_EQ(rect.right, 120 + 30);
    EXPECT_EQ(rect.bottom, 100 + 30);
}

// Bounds: extremes over every point of a stroke, over both corners of a figure drawn in any
// direction; left and top never below zero, right and bottom never clamped.
struct BoundsCase {
    const char* name;
    int kind;
    int layer;
    int width;
    std::vector<POINT> path;
    RECT expected;
};

void PrintTo(const BoundsCase& c, std::ostream* os)
{
    *os << c.name;
}

class Bounds : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(Bounds, SpanAllPointsWithTheMargin)
{
    const BoundsCase& c = GetParam();
    Canvas a, b;
    CPage page;
    COLORREF colour = c.layer == LAYER_BOTH ? kKey : kBlack;
    page.BeginShape(c.kind, c.path[0].x, c.path[0].y, c.width, colour, c.layer == LAYER_BOTH, c.layer, 0, 0);
    page.DragShape(c.path[0].x + 1, c.path[0].y, a.Dc(), b.Dc());
    for (size_t i = 1; i < c.path.size(); ++i)
        page.DragShape(c.path[i].x, c.path[i].y, a.Dc(), b.Dc());
    page.EndShape(c.path.back().x, c.path.back().y, a.Dc(), b.Dc());

    RECT rect{};
    page.GetFirst()->GetBoundRect(&rect);
    EXPECT_EQ(rect.left, c.expected.left);
    EXPECT_EQ(rect.top, c.expected.top);
    EXPECT_EQ(rect.right, c.expected.right);
    EXPECT_EQ(rect.bottom, c.expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, Bounds,
    ::testing::Values(
        // A stroke whose extremes lie in the middle of its path.
        BoundsCase{"Stroke", KIND_STROKE, LAYER_PEN, 4, {{100, 100}, {60, 150}, {170, 30}, {120, 90}}, {51, 21, 179, 159}},
        BoundsCase{"StrokeAtTheEdge", KIND_STROKE, LAYER_HIGHLIGHT, 10, {{3, 8}, {50, 40}}, {0, 0, 65, 55}},
        // A release back at the press: the extra point still counts.
        BoundsCase{"Click", KIND_STROKE, LAYER_PEN, 2, {{60, 60}}, {53, 53, 68, 67}},
        BoundsCase{"RectangleUpLeft", KIND_RECTANGLE, LAYER_PEN, 3, {{150, 140}, {40, 30}}, {32, 22, 158, 148}},
        BoundsCase{"CircleAcross", KIND_CIRCLE, LAYER_HIGHLIGHT, 1, {{150, 20}, {40, 130}}, {34, 14, 156, 136}},
        BoundsCase{"EraserAtTheEdge", KIND_STROKE, LAYER_BOTH, 10, {{15, 25}, {30, 40}}, {0, 5, 50, 60}}),
    [](const ::testing::TestParamInfo<BoundsCase>& info) { return info.param.name; });

TEST(Page, WalksShapesInDrawingOrderAcrossUndo)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{10, 10}, {20, 20}});
    Gesture(page, KIND_LINE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{10, 10}, {20, 20}});
    Gesture(page, KIND_CIRCLE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{10, 10}, {20, 20}});
    short layer;
    RECT rect;
    ASSERT_EQ(page.UndoLast(&layer, &rect), 1);
    Gesture(page, KIND_RECTANGLE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{10, 10}, {20, 20}});

    std::vector<int> kinds;
    for (const CShape* shape = page.GetFirst(); shape; shape = shape->m_pNext)
        kinds.push_back(shape->m_nType);
    EXPECT_EQ(kinds, (std::vector<int>{KIND_STROKE, KIND_LINE, KIND_RECTANGLE}));
    EXPECT_EQ(page.GetCurrent()->m_nType, KIND_RECTANGLE);
}

TEST(Page, UnknownKindsBeginNothing)
{
    Canvas pen;
    CPage page;
    for (int kind : {-1, 4, 99}) {
        page.BeginShape(kind, 10, 10, 3, kBlack, 0, LAYER_PEN, 0, 0);
        page.DragShape(11, 10, pen.Dc(), nullptr);
        page.EndShape(11, 10, pen.Dc(), nullptr);
    }
    EXPECT_TRUE(page.IsEmpty());
    EXPECT_EQ(pen.Count(kKey), kSize * kSize);
}

TEST(Page, EraserFormIsReducedModuloFour)
{
    const std::pair<int, int> cases[] = {{0, 0}, {3, 3}, {5, 1}, {6, 2}, {-1, 3}, {-4, 0}};
    for (auto [given, form] : cases) {
        CPage page;
        page.BeginShape(KIND_STROKE, 10, 10, 20, kKey, 1, LAYER_BOTH, 0, given);
        EXPECT_EQ(FirstStroke(page).m_nEraserShape, form) << given;
    }
}

TEST(Page, EndShapeOnAnEmptyPageDoesNothing)
{
    Canvas pen;
    CPage page;
    page.EndShape(10, 10, pen.Dc(), nullptr);
    EXPECT_TRUE(page.IsEmpty());
    EXPECT_EQ(pen.Count(kKey), kSize * kSize);
}

// Undoing the shape being drawn must not hand the rest of the gesture to the shape before it,
// which is finished: it would grow by the new points and draw a segment from its old end.
TEST(Page, GestureAfterUndoingItsShapeLeavesTheEarlierShapeAlone)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{20, 20}, {60, 20}});
    RECT before{};
    page.GetFirst()->GetBoundRect(&before);
    size_t points = FirstStroke(page).Points().size();

    Press(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{100, 100}, {150, 150}});
    short layer;
    RECT rect;
    ASSERT_EQ(page.UndoLast(&layer, &rect), 1);
    page.DragShape(180, 180, pen.Dc(), nullptr);
    page.EndShape(180, 180, pen.Dc(), nullptr);

    RECT after{};
    page.GetFirst()->GetBoundRect(&after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(FirstStroke(page).Points().size(), points);
    EXPECT_EQ(pen.At(120, 100), kKey);   // on the line from (60, 20) to (180, 180)
    EXPECT_EQ(pen.At(170, 170), kKey);
}

// A second release for a finished figure must not move its end or invert a preview that is gone.
TEST(Page, SecondReleaseChangesNothing)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_RECTANGLE, LAYER_PEN, kBlack, 1, pen.Dc(), nullptr, {{20, 20}, {120, 100}});
    Canvas once;
    Inked(once.Dc(), 1, kBlack, R2_COPYPEN, [](HDC dc) { FigureOf(KIND_RECTANGLE, dc, {20, 20}, {120, 100}); });
    page.EndShape(160, 160, pen.Dc(), nullptr);
    EXPECT_EQ(pen.DiffersFrom(once), "");
    EXPECT_EQ(page.GetFirst()->m_ptEnd.x, 120);
}

TEST(Page, FirstShapeHasNoElapsedTime)
{
    CPage page;
    page.BeginShape(KIND_LINE, 10, 10, 3, kBlack, 0, LAYER_PEN, 0, 0);
    EXPECT_EQ(page.GetFirst()->m_nElapsed, 0);
    EXPECT_EQ(page.GetFirst()->m_nPhase, 1);
}

} // namespace

// Painting a layer again from the page: the shapes of that layer and the eraser strokes, replayed
// in drawing order, give the layer back what live drawing left in it.
#include "overink/model/PaintLayer.h"
#include "tests/overink/LayerCanvas.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

using namespace layer_test;

namespace {

TEST(PaintLayer, ReplaysEachLayerInDrawingOrderWithTheEraserLast)
{
    Canvas livePen, liveHighlight;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, livePen.Dc(), nullptr, {{20, 50}, {180, 50}});
    Gesture(page, KIND_STROKE, LAYER_HIGHLIGHT, kHighlight, 5, liveHighlight.Dc(), nullptr,
            {{20, 150}, {180, 150}});
    Gesture(page, KIND_RECTANGLE, LAYER_PEN, kBlack, 1, livePen.Dc(), nullptr, {{10, 10}, {190, 190}});
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, livePen.Dc(), liveHighlight.Dc(),
            {{100, 20}, {100, 180}});

    Canvas pen, highlight;
    PaintLayer(pen.Dc(), page, LAYER_PEN, kKey);
    PaintLayer(highlight.Dc(), page, LAYER_HIGHLIGHT, kKey);

    EXPECT_EQ(pen.At(50, 50), kBlack);
    EXPECT_EQ(pen.At(100, 50), kKey);        // erased after it was drawn
    EXPECT_EQ(pen.At(10, 100), kBlack);      // the rectangle
    EXPECT_EQ(pen.At(50, 150), kKey);        // highlighter ink is not on the pen layer
    EXPECT_EQ(highlight.At(50, 150), kHighlight);
    EXPECT_EQ(highlight.At(100, 150), kKey);
    EXPECT_EQ(highlight.At(50, 50), kKey);
    EXPECT_EQ(highlight.At(10, 100), kKey);  // nor the pen's rectangle on the highlighter layer

    // The repaint shows what the live drawing showed.
    for (int x : {20, 50, 99, 100, 101, 150, 180})
        for (int y : {50, 150}) {
            EXPECT_EQ(pen.At(x, y), livePen.At(x, y)) << x << "," << y;
            EXPECT_EQ(highlight.At(x, y), liveHighlight.At(x, y)) << x << "," << y;
        }
}

TEST(PaintLayer, ASinglePointStrokePaintsNothing)
{
    Canvas canvas;
    CPage page;
    page.BeginShape(KIND_STROKE, 50, 50, 9, kBlack, 0, LAYER_PEN, 0, 0);
    page.EndShape(50, 50, nullptr, nullptr);
    PaintLayer(canvas.Dc(), page, LAYER_PEN, kKey);
    EXPECT_EQ(canvas.Count(kKey), kSize * kSize);
}

TEST(PaintLayer, EraserDrawnBeforeTheInkLeavesTheInk)
{
    Canvas a, b;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, a.Dc(), b.Dc(), {{100, 20}, {100, 180}});
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 5, a.Dc(), nullptr, {{20, 100}, {180, 100}});
    Canvas pen;
    PaintLayer(pen.Dc(), page, LAYER_PEN, kKey);
    EXPECT_EQ(pen.At(100, 100), kBlack);
}

// Every pixel of both layers, live against repainted.
struct Stroke {
    int kind;
    int layer;
    COLORREF colour;
    int width;
    std::vector<POINT> path;
    int eraserShape;
};

struct ReplayCase {
    const char* name;
    std::vector<Stroke> strokes;
};

void PrintTo(const ReplayCase& c, std::ostream* os)
{
    *os << c.name;
}

class Replay : public ::testing::TestWithParam<ReplayCase> {};

TEST_P(Replay, RepaintEqualsLiveDrawing)
{
    Canvas livePen, liveHighlight;
    CPage page;
    for (const Stroke& s : GetParam().strokes) {
        HDC a = s.layer == LAYER_HIGHLIGHT ? liveHighlight.Dc() : livePen.Dc();
        HDC b = s.layer == LAYER_BOTH ? liveHighlight.Dc() : nullptr;
        Gesture(page, s.kind, s.layer, s.colour, s.width, a, b, s.path, s.eraserShape);
    }
    Canvas pen, highlight;
    PaintLayer(pen.Dc(), page, LAYER_PEN, kKey);
    PaintLayer(highlight.Dc(), page, LAYER_HIGHLIGHT, kKey);
    EXPECT_EQ(pen.DiffersFrom(livePen), "") << "pen layer";
    EXPECT_EQ(highlight.DiffersFrom(liveHighlight), "") << "highlighter layer";
}

Stroke Pen(COLORREF colour, int width, std::vector<POINT> path, int kind = KIND_STROKE)
{
    return Stroke{kind, LAYER_PEN, colour, width, std::move(path), 0};
}

Stroke Highlighter(COLORREF colour, int width, std::vector<POINT> path, int kind = KIND_STROKE)
{
    return Stroke{kind, LAYER_HIGHLIGHT, colour, width, std::move(path), 0};
}

Stroke Eraser(int form, int width, std::vector<POINT> path)
{
    return Stroke{KIND_STROKE, LAYER_BOTH, kKey, width, std::move(path), form};
}

const Stroke kPenBand = Pen(kBlack, 15, {{10, 100}, {190, 100}});
const Stroke kHighlightBand = Highlighter(kHighlight, 15, {{10, 110}, {190, 110}});
const std::vector<POINT> kEraserPath{{100, 10}, {90, 60}, {120, 120}, {100, 190}};
const COLORREF kYellow = RGB(255, 255, 0);

INSTANTIATE_TEST_SUITE_P(
    Gestures, Replay,
    ::testing::Values(
        ReplayCase{"PenPolyline", {Pen(kRed, 1, {{20, 20}, {60, 150}, {100, 30}, {180, 170}})}},
        ReplayCase{"WidePenStraight", {Pen(kRed, 9, {{20, 20}, {100, 100}, {180, 180}})}},
        ReplayCase{"ClickDot", {Pen(kBlack, 5, {{60, 60}}), Highlighter(kHighlight, 7, {{90, 90}})}},
        ReplayCase{"HighlighterCrossing", {Highlighter(kHighlight, 9, {{20, 100}, {180, 100}}),
                                           Highlighter(kYellow, 9, {{100, 20}, {100, 180}})}},
        ReplayCase{"Figures", {Pen(kBlack, 3, {{20, 30}, {170, 60}}, KIND_LINE),
                               Highlighter(kHighlight, 5, {{150, 150}, {30, 40}}, KIND_CIRCLE),
                               Pen(kRed, 3, {{40, 160}, {180, 90}}, KIND_RECTANGLE),
                               Highlighter(kYellow, 7, {{10, 190}, {190, 10}}, KIND_LINE)}},
        ReplayCase{"EraserFreeForm", {kPenBand, kHighlightBand, Eraser(ERASE_FREEFORM, 20, kEraserPath)}},
        ReplayCase{"EraserLine", {kPenBand, kHighlightBand, Eraser(ERASE_LINE, 20, kEraserPath)}},
        ReplayCase{"EraserEllipse", {kPenBand, kHighlightBand, Eraser(ERASE_ELLIPSE, 20, kEraserPath)}},
        ReplayCase{"EraserRectangle", {kPenBand, kHighlightBand,
                                       Eraser(ERASE_RECTANGLE, 20, {{150, 190}, {10, 10}, {60, 40}})}},
        ReplayCase{"VerticalEraser", {kPenBand, kHighlightBand,
                                      Eraser(ERASE_FREEFORM, 12, {{100, 20}, {100, 180}})}},
        // Ink drawn again after the eraser stays.
        ReplayCase{"InkOverErased", {kPenBand, Eraser(ERASE_FREEFORM, 30, {{100, 20}, {100, 180}}),
                                     Pen(kRed, 3, {{80, 80}, {120, 120}}, KIND_CIRCLE)}}),
    [](const ::testing::TestParamInfo<ReplayCase>& info) { return info.param.name; });

TEST(PaintLayer, LeavesTheDeviceContextAsItFoundIt)
{
    Canvas a, b;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 5, a.Dc(), nullptr, {{20, 100}, {180, 100}});
    Gesture(page, KIND_CIRCLE, LAYER_PEN, kBlack, 5, a.Dc(), nullptr, {{20, 20}, {180, 180}});
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, a.Dc(), b.Dc(), {{100, 20}, {100, 180}}, ERASE_LINE);

    Canvas canvas;
    CPen pen(::CreatePen(PS_SOLID, 2, kRed));
    CSelectObject selected(canvas.Dc(), pen.Get());
    ::SetROP2(canvas.Dc(), R2_XORPEN);
    PaintLayer(canvas.Dc(), page, LAYER_PEN, kKey);
    EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_PEN), pen.Get());
    EXPECT_EQ(::GetROP2(canvas.Dc()), R2_XORPEN);
}

// The key colour can differ from the one an eraser stroke was drawn with (the display changed
// depth, or the settings changed): the stroke still erases, with the key the layer is filled with,
// and never shows as a line in the old key colour.
TEST(PaintLayer, EraserStrokesEraseWithTheKeyOfTheRepaint)
{
    const COLORREF newKey = RGB(0, 255, 0);
    Canvas a, b;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 9, a.Dc(), nullptr, {{20, 100}, {180, 100}});
    Gesture(page, KIND_STROKE, LAYER_HIGHLIGHT, kHighlight, 9, b.Dc(), nullptr, {{20, 100}, {180, 100}});
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, a.Dc(), b.Dc(), {{100, 20}, {100, 180}});

    Canvas pen(newKey), highlight(newKey);
    PaintLayer(pen.Dc(), page, LAYER_PEN, newKey);
    PaintLayer(highlight.Dc(), page, LAYER_HIGHLIGHT, newKey);
    for (Canvas* layer : {&pen, &highlight}) {
        EXPECT_EQ(layer->At(100, 100), newKey);
        EXPECT_EQ(layer->Count(kKey), 0);
    }
    EXPECT_EQ(pen.At(50, 100), kBlack);
}

// Ink is told from the eraser by what the stroke is, not by its colour: ink that happens to have
// the key colour of the repaint is drawn as ink and erases nothing below it.
TEST(PaintLayer, InkOfTheKeyColourIsNotTakenForAnEraser)
{
    const COLORREF newKey = RGB(0, 255, 0);
    Canvas a;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_HIGHLIGHT, kHighlight, 9, a.Dc(), nullptr, {{20, 100}, {180, 100}});
    Gesture(page, KIND_STROKE, LAYER_HIGHLIGHT, newKey, 3, a.Dc(), nullptr, {{100, 20}, {100, 180}});

    Canvas highlight(newKey);
    PaintLayer(highlight.Dc(), page, LAYER_HIGHLIGHT, newKey);
    // (0, 128, 255) masked by (0, 255, 0) on the crossing, not cleared to the key.
    EXPECT_EQ(highlight.At(100, 100), RGB(0, 128, 0));
    EXPECT_EQ(highlight.At(95, 100), RGB(0, 128, 0));
}

} // namespace

// The desktop drawing model drawn into bitmaps standing in for the two layer windows: what each
// gesture leaves in the pixels, live and when a layer is painted again from the page.
#include "framework/Handles.h"
#include "overink/model/Erase.h"
#include "overink/model/Page.h"
#include "overink/model/PaintLayer.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kKey = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kHighlight = RGB(0, 128, 255);

// A 32-bit bitmap in a memory device context, filled with the key colour.
class Canvas {
public:
    explicit Canvas(int w = 200, int h = 200) : m_w(w), m_h(h)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0));
        m_dc.Reset(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
        Fill(RECT{0, 0, w, h}, kKey);
    }
    ~Canvas() { ::SelectObject(m_dc.Get(), m_old); }

    HDC Dc() const { return m_dc.Get(); }
    void Fill(RECT rect, COLORREF colour)
    {
        CBrush brush(::CreateSolidBrush(colour));
        ::FillRect(m_dc.Get(), &rect, brush.Get());
    }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD bgr = static_cast<const DWORD*>(m_pBits)[y * m_w + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    // True when no pixel of the row between x1 and x2 has the colour.
    bool RowFreeOf(int y, int x1, int x2, COLORREF colour) const
    {
        for (int x = x1; x <= x2; ++x)
            if (At(x, y) == colour)
                return false;
        return true;
    }

private:
    int m_w, m_h;
    void* m_pBits = nullptr;
    CBitmap m_bitmap;
    CMemoryDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// A whole gesture as the overlay feeds it: press with the extra point, moves, release.
void Gesture(CPage& page, int kind, int layer, COLORREF colour, int width, HDC a, HDC b,
             std::initializer_list<POINT> path, int eraserShape = 0)
{
    POINT first = *path.begin();
    bool eraser = layer == LAYER_BOTH;
    page.BeginShape(kind, first.x, first.y, width, colour, eraser ? 1 : 0, layer, 0, eraserShape);
    page.DragShape(first.x + 1, first.y, a, b);
    POINT last = first;
    for (auto it = path.begin() + 1; it != path.end(); ++it) {
        page.DragShape(it->x, it->y, a, b);
        last = *it;
    }
    page.EndShape(last.x, last.y, a, b);
}

TEST(DesktopModel, PenStrokeLeavesInkAlongItsPathOnly)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{10, 50}, {100, 50}, {100, 150}});
    EXPECT_EQ(pen.At(50, 50), kBlack);
    EXPECT_EQ(pen.At(100, 120), kBlack);
    EXPECT_EQ(pen.At(50, 100), kKey);
}

TEST(DesktopModel, ClickWithoutMovementLeavesADot)
{
    Canvas pen;
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_PEN, kBlack, 3, pen.Dc(), nullptr, {{60, 60}});
    EXPECT_EQ(pen.At(60, 60), kBlack);
    EXPECT_FALSE(page.IsEmpty());
}

TEST(DesktopModel, HighlighterMasksWhatIsBelowIt)
{
    Canvas layer;
    layer.Fill(RECT{0, 100, 200, 200}, RGB(255, 0, 0));
    CPage page;
    Gesture(page, KIND_LINE, LAYER_HIGHLIGHT, kHighlight, 5, layer.Dc(), nullptr, {{20, 20}, {20, 180}});
    EXPECT_EQ(layer.At(20, 50), kHighlight);          // over the key colour
    EXPECT_EQ(layer.At(20, 150), RGB(0, 0, 0));       // red masked by (0, 128, 255)
}

struct FigureCase {
    const char* name;
    int kind;
    POINT on;        // a pixel of the final figure
    POINT inside;    // a pixel that stays clear
};

class Figures : public ::testing::TestWithParam<FigureCase> {};

TEST_P(Figures, PreviewFollowsThePointerAndTheFigureStays)
{
    Canvas pen;
    CPage page;
    page.BeginShape(GetParam().kind, 40, 40, 1, kBlack, 0, LAYER_PEN, 0, 0);
    page.DragShape(41, 40, pen.Dc(), nullptr);
    page.DragShape(190, 190, pen.Dc(), nullptr);   // a preview far out...
    page.DragShape(160, 120, pen.Dc(), nullptr);   // ...moved: the old one is gone
    EXPECT_TRUE(pen.RowFreeOf(190, 100, 199, kBlack));
    page.EndShape(160, 120, pen.Dc(), nullptr);

    EXPECT_EQ(pen.At(GetParam().on.x, GetParam().on.y), kBlack) << GetParam().name;
    EXPECT_EQ(pen.At(GetParam().inside.x, GetParam().inside.y), kKey) << GetParam().name;
    EXPECT_TRUE(pen.RowFreeOf(190, 0, 199, kBlack));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Figures,
    ::testing::Values(FigureCase{"Line", KIND_LINE, {100, 80}, {100, 60}},
                      FigureCase{"Circle", KIND_CIRCLE, {40, 80}, {100, 80}},
                      FigureCase{"Rectangle", KIND_RECTANGLE, {40, 80}, {100, 80}}),
    [](const ::testing::TestParamInfo<FigureCase>& info) { return info.param.name; });

TEST(DesktopModel, FreeFormEraserClearsBothLayersAndLeavesNoRing)
{
    Canvas pen, highlight;
    pen.Fill(RECT{0, 0, 200, 200}, kBlack);
    highlight.Fill(RECT{0, 0, 200, 200}, kHighlight);
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(), {{40, 100}, {160, 100}});
    for (Canvas* layer : {&pen, &highlight}) {
        EXPECT_EQ(layer->At(100, 100), kKey);
        EXPECT_EQ(layer->At(100, 108), kKey);
        EXPECT_NE(layer->At(100, 130), kKey);
        EXPECT_EQ(layer->At(160, 100), kKey);
    }
    EXPECT_EQ(pen.At(160, 120), kBlack);   // just outside the eraser: no ring left
}

TEST(DesktopModel, RectangleEraserFillsTheRectangleAndRemovesItsPreview)
{
    Canvas pen, highlight;
    pen.Fill(RECT{0, 0, 200, 200}, kBlack);
    CPage page;
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(),
            {{20, 20}, {150, 150}, {80, 80}}, ERASE_RECTANGLE);
    EXPECT_EQ(pen.At(50, 50), kKey);
    EXPECT_EQ(pen.At(10, 10), kBlack);
    EXPECT_EQ(pen.At(120, 120), kBlack);   // the preview that went out there is gone
    EXPECT_EQ(pen.At(80, 50), kBlack);     // and so is the last one
    EXPECT_EQ(highlight.At(120, 120), kKey);
}

TEST(DesktopModel, EllipseEraserTakesAnOutlineDrawnOnTheSameEllipse)
{
    Canvas pen, highlight;
    CPage page;
    Gesture(page, KIND_CIRCLE, LAYER_PEN, kBlack, 1, pen.Dc(), nullptr, {{20, 20}, {120, 80}});
    ASSERT_EQ(pen.At(20, 50), kBlack);
    Gesture(page, KIND_STROKE, LAYER_BOTH, kKey, 20, pen.Dc(), highlight.Dc(), {{20, 20}, {120, 80}},
            ERASE_ELLIPSE);
    for (int y = 0; y < 200; ++y)
        EXPECT_TRUE(pen.RowFreeOf(y, 0, 199, kBlack)) << "row " << y;
}

TEST(DesktopModel, VerticalEraserSegmentIsErased)
{
    Canvas pen;
    pen.Fill(RECT{0, 0, 200, 200}, kBlack);
    EraseSegment(pen.Dc(), POINT{100, 20}, POINT{100, 180}, 10, kKey);
    EXPECT_EQ(pen.At(100, 100), kKey);
    EXPECT_EQ(pen.At(103, 100), kKey);
    EXPECT_EQ(pen.At(110, 100), kBlack);
}

TEST(DesktopModel, UndoTakesTheLastShapeWithItsLayerAndBounds)
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

    layer = 7;
    EXPECT_EQ(page.UndoLast(&layer, &rect), 0);
    EXPECT_EQ(layer, 7);
}

TEST(DesktopModel, EraserBoundsHaveTheWiderMargin)
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
    EXPECT_EQ(canvas.At(50, 50), kKey);
}

} // namespace

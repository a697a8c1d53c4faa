// Coverage of filled and stroked shapes, and how painted coverage becomes pixels.
#include "Drawing.h"
#include "Raster.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// One sample of the 8 x 8 grid.
constexpr double kSample = 1.0 / 64;

std::vector<SPolyline> Rect(double x0, double y0, double x1, double y1)
{
    SPolyline p;
    p.points = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    p.closed = true;
    return {p};
}

CImage RenderText(const std::string& text, int w, int h)
{
    CDrawing d;
    std::string error;
    EXPECT_TRUE(ParseDrawing(text, "test.art", d, error)) << error;
    return d.Render(w, h);
}

TEST(FillCoverage, SquareOnPixelEdgesCoversWholePixelsOnly)
{
    CCoverage c = CoverFill(Rect(2, 2, 6, 6), EFillRule::NonZero, 8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
            EXPECT_EQ(c.At(x, y), inside ? 1.0 : 0.0) << x << "," << y;
        }
}

TEST(FillCoverage, EdgeThroughAPixelCoversTheSamplesOnItsSide)
{
    // Pixel 2 spans 2..3; its sample columns sit at 2 + (k + 0.5) / 8.
    struct SCase {
        double left, right;
        double expected;
    } cases[] = {
        {0, 2.5, 0.5}, {0, 2.25, 0.25}, {0, 2.75, 0.75}, {0, 2.125, 0.125},
        {0, 2.35, 0.375},       // 2.35 lies past the third sample centre (2.3125)
        {0, 2.3, 0.25},         // ... and 2.3 before it
        {2.35, 4, 0.625},       // a left edge keeps the samples at or after it
        {2.3, 4, 0.75},
    };
    for (const SCase& k : cases) {
        SCOPED_TRACE(testing::Message() << k.left << ".." << k.right);
        CCoverage c = CoverFill(Rect(k.left, 0, k.right, 1), EFillRule::NonZero, 4, 1);
        EXPECT_NEAR(c.At(2, 0), k.expected, 1e-12);
        EXPECT_EQ(c.At(k.left > 0 ? 3 : 1, 0), 1.0);
        EXPECT_EQ(c.At(k.left > 0 ? 1 : 3, 0), 0.0);
    }
}

TEST(FillCoverage, VertexOnASampleRowIsCrossedOnce)
{
    // The left vertex lies exactly on the centre row of samples 8.5 / 8; counting it twice
    // would empty that row under the even-odd rule.
    SPolyline triangle;
    triangle.points = {{4, 0}, {1, 8.5 / 8}, {4, 2}};
    triangle.closed = true;
    CCoverage nonZero = CoverFill({triangle}, EFillRule::NonZero, 4, 2);
    CCoverage evenOdd = CoverFill({triangle}, EFillRule::EvenOdd, 4, 2);
    EXPECT_NEAR(evenOdd.Total(), 3.0, 0.1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(evenOdd.At(x, y), nonZero.At(x, y)) << x << "," << y;
}

TEST(FillCoverage, DiagonalEdgeHalvesThePixel)
{
    SPolyline triangle;
    triangle.points = {{0, 0}, {1, 0}, {0, 1}};
    triangle.closed = true;
    CCoverage c = CoverFill({triangle}, EFillRule::NonZero, 1, 1);
    // The samples on the diagonal fall outside (half-open rows), so a little under a half.
    EXPECT_NEAR(c.At(0, 0), 0.5, 5 * kSample);
    EXPECT_GT(c.At(0, 0), 0.0);
    EXPECT_LT(c.At(0, 0), 1.0);
}

TEST(FillCoverage, FillRuleDecidesWhetherANestedContourIsAHole)
{
    std::vector<SPolyline> nested = Rect(0, 0, 10, 10);
    nested.push_back(Rect(3, 3, 7, 7).front());     // same direction as the outer one
    CCoverage nonZero = CoverFill(nested, EFillRule::NonZero, 10, 10);
    CCoverage evenOdd = CoverFill(nested, EFillRule::EvenOdd, 10, 10);
    EXPECT_EQ(nonZero.At(5, 5), 1.0);
    EXPECT_EQ(evenOdd.At(5, 5), 0.0);
    EXPECT_EQ(evenOdd.At(1, 1), 1.0);
    EXPECT_DOUBLE_EQ(evenOdd.Total(), 100.0 - 16.0);
}

TEST(FillCoverage, CircleAreaMatchesPiRSquared)
{
    CPath circle;
    circle.AddEllipse({8, 8}, 6, 6);
    CCoverage c = CoverFill(circle.Flatten(CAffine(), 0.01), EFillRule::NonZero, 16, 16);
    EXPECT_NEAR(c.Total(), kPi * 36, 0.3);
    EXPECT_EQ(c.At(8, 8), 1.0);
    EXPECT_EQ(c.At(0, 0), 0.0);
}

TEST(FillCoverage, ShapesOutsideThePictureAreClipped)
{
    CCoverage c = CoverFill(Rect(-5, -5, 2, 30), EFillRule::NonZero, 4, 4);
    EXPECT_DOUBLE_EQ(c.Total(), 8.0);
}

TEST(StrokeCoverage, RoundCapsReachHalfTheWidthPastTheEnds)
{
    SPolyline line;
    line.points = {{4, 8}, {12, 8}};
    CCoverage c = CoverStroke({line}, 1.0, 16, 16);
    EXPECT_NEAR(c.Total(), 8 * 2 + kPi, 0.15);      // body plus two half discs
    EXPECT_EQ(c.At(7, 7), 1.0);
    EXPECT_EQ(c.At(7, 8), 1.0);
    EXPECT_EQ(c.At(7, 6), 0.0);
    EXPECT_GT(c.At(12, 7), 0.2);                    // cap beyond the end point
    EXPECT_LT(c.At(12, 7), 1.0);
    EXPECT_EQ(c.At(13, 7), 0.0);
}

TEST(StrokeCoverage, OverlappingSegmentsAreNotCountedTwice)
{
    SPolyline once, thrice;
    once.points = {{2, 8}, {12, 8}};
    thrice.points = {{2, 8}, {12, 8}, {2, 8}, {12, 8}};
    CCoverage a = CoverStroke({once}, 1.5, 16, 16);
    CCoverage b = CoverStroke({thrice}, 1.5, 16, 16);
    EXPECT_DOUBLE_EQ(a.Total(), b.Total());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_LE(b.At(x, y), 1.0);
}

TEST(StrokeCoverage, SinglePointIsARoundDot)
{
    SPolyline dot;
    dot.points = {{5, 5}};
    CCoverage c = CoverStroke({dot}, 2.0, 10, 10);
    EXPECT_NEAR(c.Total(), kPi * 4, 0.15);
}

TEST(Canvas, PartialCoverageBecomesAlphaAndColourStaysExact)
{
    CCoverage half = CoverFill(Rect(0, 0, 0.5, 1), EFillRule::NonZero, 1, 1);
    CCanvas canvas(1, 1);
    canvas.Paint(half, SColor{200, 40, 10, 255});
    SColor once = canvas.Pixel(0, 0);
    EXPECT_EQ(once, (SColor{200, 40, 10, 128}));
    canvas.Paint(half, SColor{200, 40, 10, 255});     // source-over: 0.5 + 0.5 * 0.5
    EXPECT_EQ(canvas.Pixel(0, 0).a, 191);
    EXPECT_EQ(canvas.Pixel(0, 0).r, 200);
}

TEST(Canvas, TranslucentColourScalesCoverage)
{
    CCanvas canvas(1, 1);
    canvas.Paint(CoverFill(Rect(0, 0, 1, 1), EFillRule::NonZero, 1, 1), SColor{0, 0, 255, 102});
    EXPECT_EQ(canvas.Pixel(0, 0), (SColor{0, 0, 255, 102}));
    canvas.Paint(CoverFill(Rect(0, 0, 1, 1), EFillRule::NonZero, 1, 1), SColor{255, 0, 0, 255});
    EXPECT_EQ(canvas.Pixel(0, 0), (SColor{255, 0, 0, 255}));
}

TEST(Render, DrawingUnitsScaleToTheOutputSize)
{
    const char text[] = "size 10 10\nfill #ff0000\nrect 0 0 5 10\n";
    CImage small = RenderText(text, 10, 10);
    CImage large = RenderText(text, 20, 20);
    EXPECT_EQ(small.At(4, 5).a, 255);
    EXPECT_EQ(small.At(5, 5).a, 0);
    EXPECT_EQ(large.At(9, 5).a, 255);
    EXPECT_EQ(large.At(10, 5).a, 0);
    EXPECT_EQ(large.At(9, 19).a, 255);
}

TEST(Render, StrokeWidthScalesWithTheDrawing)
{
    const char text[] = "size 10 10\nstroke #000000 2\nline 0,5 10,5\n";
    CImage small = RenderText(text, 10, 10);
    CImage large = RenderText(text, 20, 20);
    EXPECT_EQ(small.At(5, 3).a, 0);
    EXPECT_EQ(small.At(5, 4).a, 255);
    EXPECT_EQ(small.At(5, 5).a, 255);
    EXPECT_EQ(small.At(5, 6).a, 0);
    EXPECT_EQ(large.At(10, 7).a, 0);
    EXPECT_EQ(large.At(10, 8).a, 255);
    EXPECT_EQ(large.At(10, 11).a, 255);
    EXPECT_EQ(large.At(10, 12).a, 0);
}

TEST(Render, RectangleOutlineHasSquareCornersAndAnOpenMiddle)
{
    // Outline 2 wide centred on the edges of 4..12: the band 3..5 and 11..13.
    CImage img = RenderText("size 16 16\nfill none\nstroke #000000 2\nrect 4 4 8 8\n", 16, 16);
    EXPECT_EQ(img.At(3, 3).a, 255);     // a round join would leave this corner pixel partial
    EXPECT_EQ(img.At(4, 4).a, 255);
    EXPECT_EQ(img.At(12, 12).a, 255);
    EXPECT_EQ(img.At(5, 5).a, 0);
    EXPECT_EQ(img.At(8, 8).a, 0);
    EXPECT_EQ(img.At(2, 2).a, 0);
    EXPECT_EQ(img.At(13, 13).a, 0);
}

TEST(Render, OutlineIsPaintedOverTheFill)
{
    CImage img = RenderText("size 16 16\nfill #0000ff\nstroke #ff0000 2\ncircle 8 8 5\n", 16, 16);
    EXPECT_EQ(img.At(8, 8), (SColor{0, 0, 255, 255}));
    EXPECT_EQ(img.At(8, 3), (SColor{255, 0, 0, 255}));       // on the circle's edge at the top
}

TEST(Render, TransformsApplyInTheOrderWritten)
{
    // translate then scale: the unit square at the origin lands on (10..12, 0..2).
    CImage img = RenderText("size 16 16\ntranslate 10 0\nscale 2\nrect 0 0 1 1\n", 16, 16);
    EXPECT_EQ(img.At(10, 0).a, 255);
    EXPECT_EQ(img.At(11, 1).a, 255);
    EXPECT_EQ(img.At(12, 0).a, 0);
    EXPECT_EQ(img.At(1, 1).a, 0);
}

TEST(Render, RotationTurnsClockwiseAboutTheGivenCentre)
{
    // A bar to the right of the centre, turned a quarter, points down.
    CImage img = RenderText("size 16 16\nrotate 90 8 8\nrect 8 7 6 2\n", 16, 16);
    EXPECT_EQ(img.At(7, 12).a, 255);
    EXPECT_EQ(img.At(12, 7).a, 0);
}

TEST(Render, RelativeAndAbsolutePathDataDrawTheSameShape)
{
    CImage abs = RenderText("size 16 16\npath M 2,2 L 12,3 L 9,13 Q 4,10 2,2 Z\n", 16, 16);
    CImage rel = RenderText("size 16 16\npath m 2,2 l 10,1 l -3,10 q -5,-3 -7,-11 z\n", 16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(abs.At(x, y), rel.At(x, y)) << x << "," << y;
}

TEST(Render, SmoothCurvesReflectThePreviousControlPoint)
{
    struct SCase {
        const char* shorthand;
        const char* explicitForm;
    } cases[] = {
        {"M 1 8 C 1 2 5 2 5 8 S 9 14 9 8 S 13 2 13 8",
         "M 1 8 C 1 2 5 2 5 8 C 5 14 9 14 9 8 C 9 2 13 2 13 8"},
        {"M 1 8 Q 3 2 5 8 T 9 8 T 13 8", "M 1 8 Q 3 2 5 8 Q 7 14 9 8 Q 11 2 13 8"},
        {"M 2 8 L 8 8 S 14 14 14 8", "M 2 8 L 8 8 C 8 8 14 14 14 8"},   // no curve before: no reflection
    };
    for (const SCase& k : cases) {
        SCOPED_TRACE(k.shorthand);
        const std::string head = "size 16 16\nfill none\nstroke #000000 1.5\npath ";
        CImage a = RenderText(head + k.shorthand + "\n", 16, 16);
        CImage b = RenderText(head + k.explicitForm + "\n", 16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(a.At(x, y), b.At(x, y)) << x << "," << y;
    }
}

TEST(Render, PieCoversItsSectorOnly)
{
    // 0 to 90 degrees runs from +x towards +y: the lower-right quarter on screen.
    CImage img = RenderText("size 16 16\npie 8 8 6 0 90\n", 16, 16);
    double total = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            total += img.At(x, y).a / 255.0;
    EXPECT_NEAR(total, kPi * 36 / 4, 0.3);
    EXPECT_EQ(img.At(10, 10).a, 255);
    EXPECT_EQ(img.At(5, 5).a, 0);
    EXPECT_EQ(img.At(10, 5).a, 0);
    EXPECT_EQ(img.At(5, 10).a, 0);
}

TEST(Render, PathArcMakesAHalfDisc)
{
    CImage img = RenderText("size 16 16\npath M 2 8 A 6 6 0 0 1 14 8 Z\n", 16, 16);
    double total = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            total += img.At(x, y).a / 255.0;
    EXPECT_NEAR(total, kPi * 36 / 2, 0.4);
    EXPECT_EQ(img.At(8, 4).a, 255);     // sweep flag 1 runs clockwise on screen: over the top
    EXPECT_EQ(img.At(8, 11).a, 0);
}

} // namespace

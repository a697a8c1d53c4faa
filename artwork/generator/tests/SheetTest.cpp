// Shapes painted straight onto opaque pictures, and the seeded noise of the textures.
#include "Raster.h"
#include "Sheet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
const SColor kWhite{255, 255, 255, 255};
const SColor kBlack{0, 0, 0, 255};

double Area(const CShapes& shapes, int w, int h)
{
    return CoverFill(shapes.Contours(), EFillRule::NonZero, w, h).Total();
}

TEST(Shapes, OverlapsJoinWhicheverWayTheShapesTurn)
{
    // A square listed clockwise and one counter-clockwise; if their turns were kept, the
    // non-zero rule would cut a hole where they overlap.
    CShapes squares;
    squares.Polygon({{0, 0}, {6, 0}, {6, 6}, {0, 6}});
    squares.Polygon({{3, 3}, {3, 9}, {9, 9}, {9, 3}});
    EXPECT_DOUBLE_EQ(Area(squares, 10, 10), 36 + 36 - 9);
    CImage image(10, 10, kWhite);
    Paint(image, squares, kBlack);
    EXPECT_EQ(image.At(4, 4), kBlack);

    // Segments drawn in opposite senses cross without a hole either.
    CShapes cross;
    cross.Segment({0, 5}, {10, 5}, 2);
    cross.Segment({5, 10}, {5, 0}, 2);
    EXPECT_DOUBLE_EQ(Area(cross, 10, 10), 20 + 20 - 4);
}

TEST(Shapes, RectAndSegmentCoverExactlyTheirArea)
{
    CShapes rect;
    rect.Rect(2, 3, 7, 5);
    EXPECT_DOUBLE_EQ(Area(rect, 10, 10), 10.0);

    // Square ends: the segment stops at its end points.
    CShapes segment;
    segment.Segment({2, 5}, {8, 5}, 2);
    CCoverage c = CoverFill(segment.Contours(), EFillRule::NonZero, 10, 10);
    EXPECT_DOUBLE_EQ(c.Total(), 12.0);
    EXPECT_EQ(c.At(2, 4), 1.0);
    EXPECT_EQ(c.At(7, 5), 1.0);
    EXPECT_EQ(c.At(8, 5), 0.0);
    EXPECT_EQ(c.At(5, 3), 0.0);
}

TEST(Shapes, DotsAreRoundAtAnySize)
{
    for (double r : {0.6, 2.5, 7.0}) {
        SCOPED_TRACE(r);
        CShapes dot;
        dot.Dot({8, 8}, r);
        // The polygon lies just inside the circle, and the samples count in 64ths.
        EXPECT_NEAR(Area(dot, 16, 16), kPi * r * r, 0.03 * kPi * r * r + 0.05);
    }
}

TEST(Paint, CoverageMixesTheColourInProportion)
{
    CShapes half;
    half.Rect(0, 0, 0.5, 1);
    CImage image(2, 1, SColor{200, 100, 0, 255});
    Paint(image, half, SColor{0, 100, 200, 255});
    EXPECT_EQ(image.At(0, 0), (SColor{100, 100, 100, 255}));
    EXPECT_EQ(image.At(1, 0), (SColor{200, 100, 0, 255}));

    CShapes whole;
    whole.Rect(0, 0, 2, 1);
    Paint(image, whole, SColor{0, 0, 0, 51});            // a fifth
    EXPECT_EQ(image.At(1, 0), (SColor{160, 80, 0, 255}));
}

TEST(Noise, HashIsFixedSpreadAndSeeded)
{
    double sum = 0;
    int sameAsOtherSeed = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            double h = Hash(x, y, 1);
            ASSERT_GE(h, 0.0);
            ASSERT_LT(h, 1.0);
            ASSERT_EQ(h, Hash(x, y, 1));
            sum += h;
            sameAsOtherSeed += h == Hash(x, y, 2);
        }
    EXPECT_NEAR(sum / 10000, 0.5, 0.01);
    EXPECT_EQ(sameAsOtherSeed, 0);
    EXPECT_NE(Hash(1, 2, 1), Hash(2, 1, 1));
}

TEST(Noise, SmoothNoisePassesThroughTheLatticeAndHasNoSteps)
{
    EXPECT_DOUBLE_EQ(SmoothNoise(0, 0, 10, 20, 3), Hash(0, 0, 3));
    EXPECT_DOUBLE_EQ(SmoothNoise(30, 40, 10, 20, 3), Hash(3, 2, 3));
    EXPECT_DOUBLE_EQ(SmoothNoise(-10, 0, 10, 20, 3), Hash(-1, 0, 3));
    for (double x = 0; x < 50; x += 0.25)
        EXPECT_LT(std::fabs(SmoothNoise(x + 0.25, 7, 10, 20, 3) - SmoothNoise(x, 7, 10, 20, 3)), 0.05) << x;
}

TEST(Dithered, WholeValuesStayAndFractionsAverageOut)
{
    EXPECT_EQ(Dithered(100, 5, 9), 100);
    EXPECT_EQ(Dithered(-3, 5, 9), 0);
    EXPECT_EQ(Dithered(300, 5, 9), 255);
    double sum = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            int v = Dithered(100.25, x, y);
            ASSERT_TRUE(v == 100 || v == 101) << v;
            sum += v;
        }
    EXPECT_NEAR(sum / (64 * 64), 100.25, 0.03);
}

} // namespace

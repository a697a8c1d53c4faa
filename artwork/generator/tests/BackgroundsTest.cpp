// The whiteboard's backgrounds: every design at any size, and where each one puts its lines.
#include "Backgrounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr int kChalkboard = 5;
constexpr double kSqrt3 = 1.7320508075688772;
const SColor kPaper{253, 253, 250, 255};

double Luma(SColor c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// A stretch of marked pixels along a row or column.
struct SRun {
    int start;
    int length;
    double Centre() const { return start + length / 2.0; }
};

std::vector<SRun> Runs(int count, const std::function<bool(int)>& marked)
{
    std::vector<SRun> runs;
    for (int i = 0; i < count; ++i)
        if (marked(i)) {
            if (!runs.empty() && runs.back().start + runs.back().length == i)
                ++runs.back().length;
            else
                runs.push_back({i, 1});
        }
    return runs;
}

// Runs of pixels that are not bare paper, down column x or across row y.
std::vector<SRun> RunsDown(const CImage& image, int x)
{
    return Runs(image.Height(), [&](int y) { return image.At(x, y) != kPaper; });
}

std::vector<SRun> RunsAcross(const CImage& image, int y)
{
    return Runs(image.Width(), [&](int x) { return image.At(x, y) != kPaper; });
}

// All ten as the build draws them, drawn once for the tests that look at every design.
const std::vector<CImage>& FullSizePictures()
{
    static const std::vector<CImage> pictures = [] {
        std::vector<CImage> all;
        for (int n = 1; n <= kBackgroundCount; ++n)
            all.push_back(DrawBackground(n, 1920, 1080));
        return all;
    }();
    return pictures;
}

TEST(BackgroundNames, NumbersAndNamesFindTheDesign)
{
    struct SCase {
        const char* text;
        int number;
    } cases[] = {
        {"1", 1},       {"10", 10},          {"ruled", 1},       {"chalkboard", 5}, {"coordinates", 6},
        {"plain", 10},  {"0", 0},            {"11", 0},          {"01", 0},         {"", 0},
        {"Ruled", 0},   {"ruled ", 0},       {"fr_1", 0},
    };
    for (const SCase& k : cases)
        EXPECT_EQ(FindBackground(k.text), k.number) << "'" << k.text << "'";
    for (int n = 1; n <= kBackgroundCount; ++n)
        EXPECT_EQ(FindBackground(BackgroundName(n)), n) << BackgroundName(n);
}

TEST(AllBackgrounds, FillTheRequestedSizeOpaque)
{
    // Odd sizes and another shape than the screen's must work as well.
    const std::pair<int, int> sizes[] = {{480, 270}, {333, 251}, {200, 300}};
    for (auto [w, h] : sizes)
        for (int n = 1; n <= kBackgroundCount; ++n) {
            SCOPED_TRACE(testing::Message() << BackgroundName(n) << " " << w << "x" << h);
            CImage image = DrawBackground(n, w, h);
            ASSERT_EQ(image.Width(), w);
            ASSERT_EQ(image.Height(), h);
            int seeThrough = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    seeThrough += image.At(x, y).a != 255;
            EXPECT_EQ(seeThrough, 0);
        }
}

TEST(AllBackgrounds, AreTheSameEveryTime)
{
    for (int n = 1; n <= kBackgroundCount; ++n) {
        CImage first = DrawBackground(n, 480, 270), again = DrawBackground(n, 480, 270);
        int differing = 0;
        for (int y = 0; y < 270; ++y)
            for (int x = 0; x < 480; ++x)
                differing += again.At(x, y) != first.At(x, y);
        EXPECT_EQ(differing, 0) << BackgroundName(n);
    }
}

TEST(AllBackgrounds, DifferFromEachOther)
{
    // Visibly: at least one pixel in a hundred differs by more than a few levels.
    std::vector<std::vector<double>> lumas;
    for (const CImage& image : FullSizePictures()) {
        lumas.emplace_back();
        for (int y = 0; y < 1080; y += 2)
            for (int x = 0; x < 1920; x += 2)
                lumas.back().push_back(Luma(image.At(x, y)));
    }
    for (size_t a = 0; a < lumas.size(); ++a)
        for (size_t b = a + 1; b < lumas.size(); ++b) {
            int differing = 0;
            for (size_t i = 0; i < lumas[a].size(); ++i)
                differing += std::fabs(lumas[a][i] - lumas[b][i]) > 4;
            EXPECT_GT(differing, int(lumas[a].size() / 100)) << BackgroundName(int(a) + 1) << " and "
                                                              << BackgroundName(int(b) + 1);
        }
}

TEST(AllBackgrounds, PaperIsLightUnderTheInkAndTheChalkboardDark)
{
    // Luminance of the palette's red and blue ink is about 100.
    const double ink = 100;
    const auto& pictures = FullSizePictures();
    for (int n = 1; n <= kBackgroundCount; ++n) {
        SCOPED_TRACE(BackgroundName(n));
        const CImage& image = pictures[static_cast<size_t>(n - 1)];
        int light = 0, unlikeInk = 0, dark = 0;
        double red = 0, green = 0, blue = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) {
                SColor c = image.At(x, y);
                light += Luma(c) >= 200;
                unlikeInk += Luma(c) >= ink + 20;
                dark += Luma(c) < ink;
                red += c.r;
                green += c.g;
                blue += c.b;
            }
        const int all = image.Width() * image.Height();
        if (n == kChalkboard) {
            EXPECT_EQ(dark, all);
            EXPECT_GT(green, red * 1.2);
            EXPECT_GT(green, blue * 1.1);
        } else {
            // Mostly paper, and lines far enough from the ink's tone that strokes stay clear.
            EXPECT_GT(light, all * 9 / 10);
            EXPECT_GT(unlikeInk, all * 99 / 100);
        }
    }
}

TEST(Ruled, LinesEverySixtiethOfTheHeightBelowRoomForAHeading)
{
    struct SCase {
        int width, height;
        int first, step, thickness;
    } cases[] = {{1920, 1080, 120, 60, 2}, {960, 540, 60, 30, 1}, {1024, 768, 86, 43, 1}};
    for (const SCase& k : cases) {
        SCOPED_TRACE(k.height);
        CImage image = DrawBackground(1, k.width, k.height);
        std::vector<SRun> runs = RunsDown(image, k.width * 3 / 4);
        ASSERT_FALSE(runs.empty());
        const SColor line = image.At(k.width * 3 / 4, runs[0].start);
        size_t i = 0;
        for (int y = k.first; y <= k.height - k.step / 2; y += k.step, ++i) {
            ASSERT_LT(i, runs.size());
            EXPECT_NEAR(runs[i].Centre(), y, 0.5) << i;
            // Whole pixels of one colour: a crisp line, the same every time.
            EXPECT_EQ(runs[i].length, k.thickness) << i;
            EXPECT_EQ(image.At(k.width * 3 / 4, runs[i].start), line) << i;
        }
        EXPECT_EQ(runs.size(), i);
    }
}

TEST(Ruled, RedMarginLineRunsDownThePage)
{
    CImage image = DrawBackground(1, 1920, 1080);
    for (int y : {0, 60, 1079}) {
        SCOPED_TRACE(y);
        std::vector<SRun> runs = RunsAcross(image, y);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].Centre(), 240);
        SColor c = image.At(runs[0].start, y);
        EXPECT_GT(c.r, c.g + 60);
        EXPECT_GT(c.r, c.b + 60);
    }
}

TEST(Grids, LinesAreCrispRegularAndStrongerEveryFew)
{
    struct SCase {
        int design;
        int step;
        int every;             // strong lines, counted from the one through the centre
        int fine, strong;      // widths
    } cases[] = {{2, 40, 5, 1, 2}, {9, 12, 10, 1, 2}};
    for (const SCase& k : cases) {
        SCOPED_TRACE(BackgroundName(k.design));
        CImage image = DrawBackground(k.design, 1920, 1080);
        const SColor paper = image.At(960 + k.step / 2, 540 + k.step / 2);
        // Down a column between vertical lines, then across a row between horizontal ones.
        const int length[] = {1080, 1920};
        std::vector<SRun> lines[] = {
            Runs(1080, [&](int y) { return image.At(960 + k.step / 2, y) != paper; }),
            Runs(1920, [&](int x) { return image.At(x, 540 + k.step / 2) != paper; })};
        for (int axis = 0; axis < 2; ++axis) {
            SCOPED_TRACE(axis == 0 ? "rows" : "columns");
            std::vector<SRun>& runs = lines[axis];
            // A line on the edge shows only part of its width.
            auto onEdge = [&](const SRun& r) { return r.start == 0 || r.start + r.length == length[axis]; };
            runs.erase(std::remove_if(runs.begin(), runs.end(), onEdge), runs.end());
            ASSERT_GE(runs.size(), size_t(length[axis] / k.step - 2));
            auto centre = std::find_if(runs.begin(), runs.end(),
                                       [&](const SRun& r) { return r.start >= length[axis] / 2 - 2; });
            ASSERT_NE(centre, runs.end());
            for (auto r = runs.begin(); r != runs.end(); ++r) {
                long n = r - centre;
                EXPECT_EQ(r->length, n % k.every == 0 ? k.strong : k.fine) << n;
                if (r + 1 != runs.end())
                    EXPECT_NEAR((r + 1)->Centre() - r->Centre(), k.step, 0.5) << n;
            }
        }
        // Strong lines are darker than fine ones.
        EXPECT_LT(Luma(image.At(960, 5)), Luma(image.At(960 + k.step, 5)) - 20);
    }
}

TEST(Staves, FiveStavesOfFiveEvenLinesClosedByBarLines)
{
    CImage image = DrawBackground(4, 1920, 1080);
    std::vector<SRun> runs = RunsDown(image, 960);
    ASSERT_EQ(runs.size(), 25u);
    for (int staff = 0; staff < 5; ++staff) {
        SCOPED_TRACE(staff);
        const SRun* lines = &runs[static_cast<size_t>(staff * 5)];
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(lines[i].length, 2);
        for (int i = 0; i + 1 < 5; ++i)
            EXPECT_EQ(lines[i + 1].start - lines[i].start, 22);
        // Centred in its fifth of the page.
        EXPECT_NEAR(lines[2].Centre(), 1080 / 5.0 * (staff + 0.5), 1);
        std::vector<SRun> across = RunsAcross(image, lines[0].start + 11);
        ASSERT_EQ(across.size(), 2u);
        EXPECT_EQ(across[0].start, 90);
        EXPECT_EQ(across[1].start + across[1].length, 1920 - 90);
    }
}

TEST(Coordinates, AxesCrossAtTheCentreWithArrowsAndTicks)
{
    CImage image = DrawBackground(6, 1920, 1080);
    auto ink = [&](int x, int y) { return Luma(image.At(x, y)) < 100; };
    EXPECT_TRUE(ink(960, 540));
    for (int x = 20; x < 1900; ++x)
        ASSERT_TRUE(ink(x, 540)) << x;
    for (int y = 20; y < 1060; ++y)
        ASSERT_TRUE(ink(960, y)) << y;
    // Three pixels wide, centred on the middle of the picture.
    for (int y = 537; y <= 543; ++y)
        EXPECT_EQ(ink(990, y), y >= 539 && y <= 541) << y;
    // Arrow heads at the positive ends only: wider than the axis near the tip.
    EXPECT_TRUE(ink(1920 - 34, 535));
    EXPECT_TRUE(ink(966, 34));
    EXPECT_FALSE(ink(34, 535));
    EXPECT_FALSE(ink(966, 1080 - 34));
    // A tick on every unit, a longer one on every fifth, both ways from the centre.
    for (int k : {1, -1, 5, -5}) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(ink(960 + 60 * k, 540 + 6));
        EXPECT_TRUE(ink(960 - 6, 540 + 60 * k));
        EXPECT_EQ(ink(960 + 60 * k, 540 + 11), k % 5 == 0);
        EXPECT_EQ(ink(960 - 11, 540 + 60 * k), k % 5 == 0);
    }
    EXPECT_FALSE(ink(960 + 30, 540 + 6));
}

TEST(Handwriting, FourLineGuidesWithDashedMidlineAndStrongBaseline)
{
    CImage image = DrawBackground(7, 1920, 1080);
    // Lines only: the tinted band between midline and baseline is much lighter.
    auto line = [&](int x, int y) { return Luma(image.At(x, y)) < 225; };
    const int x = 13;                            // through the first dash of each midline
    std::vector<SRun> runs = Runs(1080, [&](int y) { return line(x, y); });
    ASSERT_EQ(runs.size(), 24u);
    for (size_t g = 0; g < 6; ++g) {
        SCOPED_TRACE(g);
        const SRun* guide = &runs[g * 4];
        for (int i = 0; i + 1 < 4; ++i)
            EXPECT_NEAR(guide[i + 1].Centre() - guide[i].Centre(), 40, 0.5);
        double base = Luma(image.At(x, guide[2].start));
        for (int i : {0, 1, 3})
            EXPECT_LT(base, Luma(image.At(x, guide[i].start)) - 30);
        // Small letters sit in a tinted band between midline and baseline.
        SColor band = image.At(x, static_cast<int>(guide[1].Centre() + 20));
        EXPECT_NE(band, kPaper);
        EXPECT_GT(Luma(band), 235);
        if (g > 0)
            EXPECT_NEAR(guide[0].Centre() - runs[g * 4 - 1].Centre(), 48, 0.5);
    }
    const int mid = runs[1].start;
    std::vector<SRun> dashes = Runs(1920, [&](int i) { return line(i, mid); });
    EXPECT_GT(dashes.size(), 60u);
    for (size_t i = 0; i + 1 < dashes.size(); ++i)
        EXPECT_EQ(dashes[i].length, 16) << i;
    std::vector<SRun> baseline = Runs(1920, [&](int i) { return line(i, runs[2].start); });
    EXPECT_EQ(baseline.size(), 1u);
}

TEST(Isometric, SlopingLinesAreAntialiasedAndDotsSitWhereTheyMeet)
{
    CImage image = DrawBackground(8, 1920, 1080);
    // Centre point at (960.5, 540.5); columns 42 apart, points one side (48.5) apart.
    const double side = 42 * 2 / kSqrt3;
    auto luma = [&](double x, double y) { return Luma(image.At(int(x), int(y))); };
    EXPECT_LT(luma(960.5, 540.5), 190);
    EXPECT_LT(luma(960.5, 540.5 + side), 190);
    EXPECT_LT(luma(960.5 + 42, 540.5 + side / 2), 190);
    EXPECT_GT(luma(960.5 + 21, 540.5), 245);          // middle of a triangle: paper
    // Half-covered pixels along the 30-degree lines: neither paper nor the line's full colour.
    const double full = luma(960.5 + 21, 540.5 - 21 / kSqrt3);
    int partial = 0;
    for (int x = 975; x < 1000; ++x) {
        double y = 540.5 - (x + 0.5 - 960.5) / kSqrt3;
        for (int dy : {-1, 1}) {
            double l = Luma(image.At(x, int(y) + dy));
            partial += l > full + 2 && l < Luma(kPaper) - 2;
        }
    }
    EXPECT_LT(full, Luma(kPaper) - 15);
    EXPECT_GT(partial, 10);
}

TEST(Chalkboard, TextureIsThereButSubtle)
{
    CImage image = DrawBackground(kChalkboard, 1920, 1080);
    double sum = 0, squares = 0;
    int n = 0;
    for (int y = 100; y < 980; y += 3)
        for (int x = 200; x < 1720; x += 3) {
            double l = Luma(image.At(x, y));
            sum += l;
            squares += l * l;
            ++n;
        }
    double mean = sum / n, deviation = std::sqrt(squares / n - mean * mean);
    EXPECT_GT(deviation, 1.0);
    EXPECT_LT(deviation, 6.0);
    // Darker towards the corners.
    EXPECT_LT(Luma(image.At(5, 5)) + Luma(image.At(1914, 1074)), 2 * mean);
}

TEST(Plain, GentleGradientDarkerTowardsTheBottomWithoutBands)
{
    CImage image = DrawBackground(10, 1920, 1080);
    auto rowMean = [&](int y) {
        double sum = 0;
        for (int x = 0; x < 1920; ++x)
            sum += Luma(image.At(x, y));
        return sum / 1920;
    };
    double top = rowMean(0), bottom = rowMean(1079);
    EXPECT_GT(top - bottom, 4);
    EXPECT_LT(top - bottom, 15);
    double previous = top;
    for (int y = 1; y < 1080; ++y) {
        double now = rowMean(y);
        ASSERT_LT(std::fabs(now - previous), 0.3) << y;
        previous = now;
    }
}

} // namespace

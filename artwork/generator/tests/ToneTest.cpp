// The disabled rendering and the flattening of pictures onto a background.
#include "Tone.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int Luma(SColor c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

TEST(DisabledTone, EndsOfTheScaleBecomeMidAndLightGrey)
{
    EXPECT_EQ(DisabledTone(SColor{0, 0, 0, 255}), (SColor{112, 112, 112, 255}));
    EXPECT_EQ(DisabledTone(SColor{255, 255, 255, 255}), (SColor{240, 240, 240, 255}));
}

TEST(DisabledTone, ResultIsGreyOfTheLuminanceWithAlphaKept)
{
    const SColor colours[] = {{255, 0, 0, 255}, {0, 255, 0, 10}, {0, 0, 255, 128}, {30, 111, 217, 255},
                              {245, 196, 0, 0}, {128, 128, 128, 200}};
    for (SColor c : colours) {
        SColor g = DisabledTone(c);
        SCOPED_TRACE(testing::Message() << int(c.r) << "," << int(c.g) << "," << int(c.b));
        EXPECT_EQ(g.r, g.g);
        EXPECT_EQ(g.g, g.b);
        EXPECT_EQ(g.a, c.a);
        EXPECT_NEAR(g.r, 112 + Luma(c) * 128 / 255, 1);
    }
}

TEST(DisabledTone, HuesOfEqualLuminanceLookAlikeAndContrastHalves)
{
    // Pure red and a dark grey of the same luminance are indistinguishable once disabled.
    EXPECT_EQ(DisabledTone(SColor{255, 0, 0, 255}), DisabledTone(SColor{76, 76, 76, 255}));
    const SColor pairs[][2] = {{{0, 0, 0, 255}, {255, 255, 255, 255}},
                               {{216, 58, 46, 255}, {46, 158, 72, 255}},
                               {{31, 42, 54, 255}, {232, 232, 232, 255}}};
    for (const auto& p : pairs) {
        int before = std::abs(Luma(p[0]) - Luma(p[1]));
        int after = std::abs(DisabledTone(p[0]).r - DisabledTone(p[1]).r);
        EXPECT_LE(after, before / 2 + 2);
    }
}

TEST(DisabledTone, AppliesToEveryPixel)
{
    CImage img(2, 1, SColor{0, 0, 0, 255});
    img.At(1, 0) = SColor{255, 255, 255, 0};
    ApplyDisabledTone(img);
    EXPECT_EQ(img.At(0, 0), (SColor{112, 112, 112, 255}));
    EXPECT_EQ(img.At(1, 0), (SColor{240, 240, 240, 0}));
}

TEST(Flatten, BlendsByAlphaAndKeepsIt)
{
    const SColor bg{232, 232, 232, 255};
    struct SCase {
        SColor in;
        SColor out;
    } cases[] = {
        {{0, 0, 0, 0}, {232, 232, 232, 0}},            // untouched: exactly the background
        {{10, 20, 30, 255}, {10, 20, 30, 255}},
        {{0, 0, 0, 128}, {116, 116, 116, 128}},
        {{255, 255, 255, 51}, {237, 237, 237, 51}},
    };
    for (const SCase& k : cases) {
        CImage img(1, 1, k.in);
        FlattenOnto(img, bg);
        EXPECT_EQ(img.At(0, 0), k.out) << int(k.in.a);
    }
}

} // namespace

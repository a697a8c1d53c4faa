#include "Tone.h"

#include <cmath>

namespace {

// Black maps to kDarkest, white to kDarkest + kRange: about half the original contrast.
constexpr double kDarkest = 112;
constexpr double kRange = 128;

std::uint8_t Blend(std::uint8_t top, std::uint8_t bottom, double alpha)
{
    return static_cast<std::uint8_t>(std::lround(top * alpha + bottom * (1 - alpha)));
}

} // namespace

SColor DisabledTone(SColor c)
{
    double luminance = (0.299 * c.r + 0.587 * c.g + 0.114 * c.b) / 255.0;
    auto grey = static_cast<std::uint8_t>(std::lround(kDarkest + kRange * luminance));
    return SColor{grey, grey, grey, c.a};
}

void ApplyDisabledTone(CImage& image)
{
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.At(x, y) = DisabledTone(image.At(x, y));
}

void FlattenOnto(CImage& image, SColor background)
{
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            SColor& p = image.At(x, y);
            double a = p.a / 255.0;
            p = SColor{Blend(p.r, background.r, a), Blend(p.g, background.g, a), Blend(p.b, background.b, a), p.a};
        }
}

// Colours of the drawings and 8-bit pictures made of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SColor {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;

    bool operator==(const SColor& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const SColor& o) const { return !(*this == o); }
};

// "#rrggbb" or "#rrggbbaa"; false for anything else.
bool ParseColor(const std::string& text, SColor& colour);

// Straight (not premultiplied) RGBA, rows top-down.
class CImage {
public:
    CImage() = default;
    CImage(int width, int height, SColor fill = SColor{0, 0, 0, 0});

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    SColor& At(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_nWidth + x]; }
    const SColor& At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_nWidth + x]; }

    // Copies other into this picture with its top-left corner at (x, y).
    void Blit(const CImage& other, int x, int y);

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<SColor> m_pixels;
};

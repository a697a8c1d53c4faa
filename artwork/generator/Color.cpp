#include "Color.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool ParseColor(const std::string& text, SColor& colour)
{
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#')
        return false;
    std::uint8_t bytes[4] = {0, 0, 0, 255};
    for (size_t i = 1, n = 0; i < text.size(); i += 2, ++n) {
        int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes[n] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    colour = SColor{bytes[0], bytes[1], bytes[2], bytes[3]};
    return true;
}

CImage::CImage(int width, int height, SColor fill)
    : m_nWidth(width), m_nHeight(height), m_pixels(static_cast<size_t>(width) * height, fill)
{
}

void CImage::Blit(const CImage& other, int x0, int y0)
{
    for (int y = 0; y < other.Height(); ++y)
        for (int x = 0; x < other.Width(); ++x)
            if (x0 + x >= 0 && x0 + x < m_nWidth && y0 + y >= 0 && y0 + y < m_nHeight)
                At(x0 + x, y0 + y) = other.At(x, y);
}

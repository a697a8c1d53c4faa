// Bitmaps standing in for the two layer windows, and gestures fed to a page the way the overlay
// feeds them.
#pragma once

#include "framework/Handles.h"
#include "overink/model/Page.h"

#include <string>
#include <vector>

namespace layer_test {

inline constexpr COLORREF kKey = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kHighlight = RGB(0, 128, 255);

inline constexpr int kSize = 200;

// A 32-bit top-down DIB section in a memory device context, filled with one colour.
class Canvas {
public:
    explicit Canvas(COLORREF fill = kKey)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &m_pBits, nullptr, 0));
        m_dc.Reset(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
        Fill(RECT{0, 0, kSize, kSize}, fill);
    }
    ~Canvas() { ::SelectObject(m_dc.Get(), m_old); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc.Get(); }

    void Fill(RECT rect, COLORREF colour)
    {
        CBrush brush(::CreateSolidBrush(colour));
        ::FillRect(m_dc.Get(), &rect, brush.Get());
    }

    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD bgr = static_cast<const DWORD*>(m_pBits)[y * kSize + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }

    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                n += At(x, y) == colour;
        return n;
    }

    // True when no pixel of the row between x1 and x2 has the colour.
    bool RowFreeOf(int y, int x1, int x2, COLORREF colour) const
    {
        for (int x = x1; x <= x2; ++x)
            if (At(x, y) == colour)
                return false;
        return true;
    }

    // Empty when both hold the same pixels; otherwise the count and the first differing pixel.
    std::string DiffersFrom(const Canvas& other) const
    {
        int n = 0;
        std::string first;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (At(x, y) != other.At(x, y) && n++ == 0)
                    first = " first at " + std::to_string(x) + "," + std::to_string(y);
        return n ? std::to_string(n) + " pixels differ," + first : std::string();
    }

private:
    void* m_pBits = nullptr;
    CBitmap m_bitmap;
    CMemoryDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// Press with the overlay's extra point one pixel to the right, the moves, and no release.
inline void Press(CPage& page, int kind, int layer, COLORREF colour, int width, HDC a, HDC b,
                  const std::vector<POINT>& path, int eraserShape = 0)
{
    POINT first = path.front();
    int eraser = layer == LAYER_BOTH ? 1 : 0;
    page.BeginShape(kind, first.x, first.y, width, colour, eraser, layer, 0, eraserShape);
    page.DragShape(first.x + 1, first.y, a, b);
    for (auto it = path.begin() + 1; it != path.end(); ++it)
        page.DragShape(it->x, it->y, a, b);
}

// A whole gesture: press, moves, release at the last point of the path (a click releases where
// it pressed).
inline void Gesture(CPage& page, int kind, int layer, COLORREF colour, int width, HDC a, HDC b,
                    const std::vector<POINT>& path, int eraserShape = 0)
{
    Press(page, kind, layer, colour, width, a, b, path, eraserShape);
    POINT last = path.back();
    page.EndShape(last.x, last.y, a, b);
}

} // namespace layer_test

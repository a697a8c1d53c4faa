// A small board for the model's tests: the board rectangle set to a canvas of known size, a
// screen stand-in to draw the live gesture on, and pixel reading from pictures.
#pragma once

#include "board/BoardContext.h"
#include "board/Page.h"
#include "framework/GdiplusSession.h"
#include "framework/Handles.h"
#include "view/picture/FgDib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace board_test {

inline constexpr int kWidth = 240;
inline constexpr int kHeight = 160;

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline constexpr COLORREF kYellow = RGB(255, 255, 0);

// The colour of a 24-bit picture's pixel, (0, 0) being the top-left corner.
inline COLORREF PixelOf(const CFG_DIB& picture, int x, int y)
{
    ::GdiFlush();
    int height = std::abs(picture.Height());
    int stride = (picture.Width() * 3 + 3) & ~3;
    int row = picture.Height() > 0 ? height - 1 - y : y;
    const BYTE* p = picture.m_pBits + static_cast<size_t>(row) * stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

// Counts the pixels of a picture for which the test holds.
inline int CountPixels(const CFG_DIB& picture, const std::function<bool(COLORREF)>& test)
{
    int count = 0;
    for (int y = 0; y < std::abs(picture.Height()); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (test(PixelOf(picture, x, y)))
                ++count;
    return count;
}

inline bool IsNear(COLORREF a, COLORREF b, int tolerance = 2)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A 24-bit picture of the given colours, drawn by the function; count 1, no DIB section needed
// by its users.
inline CDibRef MakePicture(int width, int height, const std::function<COLORREF(int, int)>& colour)
{
    CDibRef picture = CreatePictureSection(nullptr, width, height);
    if (!picture)
        return picture;
    int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            BYTE* p = picture->m_pBits + static_cast<size_t>(height - 1 - y) * stride + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return picture;
}

// A checkerboard of 8-pixel squares in two colours: every pixel of a restored area can be
// compared with it exactly.
inline COLORREF Checker(int x, int y)
{
    return ((x / 8 + y / 8) % 2) ? RGB(30, 140, 60) : RGB(240, 200, 40);
}

// GDI+ started, the board rectangle set to the canvas size, and a "screen": a picture the
// gesture draws on live, as the view's client area would be.
class BoardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gdiplus.Started());
        SetBoardRect(RECT{0, 0, kWidth, kHeight});
        m_screen = CreatePictureSection(nullptr, kWidth, kHeight);
        ASSERT_TRUE(m_screen);
        m_screenDc.Reset(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_screenDc.Get(), m_screen->GetBitmap());
        RECT all{0, 0, kWidth, kHeight};
        ::FillRect(m_screenDc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    void TearDown() override
    {
        if (m_screenDc)
            ::SelectObject(m_screenDc.Get(), m_old);
    }

    HDC Screen() const { return m_screenDc.Get(); }
    COLORREF ScreenAt(int x, int y) const { return PixelOf(*m_screen, x, y); }

    // A whole gesture on the page: press, moves, release at the last point.
    void Gesture(CPage& page, int type, int style, int width, COLORREF colour,
                 std::initializer_list<POINT> points)
    {
        auto it = points.begin();
        page.BeginShape(type, it->x, it->y, width, colour, style, Screen());
        POINT last = *it;
        for (++it; it != points.end(); ++it) {
            page.DragShape(it->x, it->y, Screen());
            last = *it;
        }
        page.EndShape(last.x, last.y, Screen());
    }

    CGdiplusSession m_gdiplus;
    CDibRef m_screen;
    CMemoryDC m_screenDc;
    HGDIOBJ m_old = nullptr;
};

} // namespace board_test

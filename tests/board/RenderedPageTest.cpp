// Pictures of rendered pages, written as BMP files for a person to look at (pen, highlighter
// over pen, the eraser on a picture background, every shape), each checked at a few points.
#include "tests/board/BoardCanvas.h"

#include "tests/support/WineTest.h"
#include "view/background/BuiltInBackgrounds.h"

#include <cmath>
#include <cstdio>
#include <string>

using namespace board_test;

namespace {

constexpr int kPictureWidth = 960;
constexpr int kPictureHeight = 540;

// A 24-bit picture as a BMP file: 54-byte header, bottom-up rows.
void WriteBmp(const std::string& path, const CFG_DIB& picture)
{
    ::GdiFlush();
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + picture.m_nImageSize;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr) << path;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(picture.Header(), sizeof(BITMAPINFOHEADER), 1, out);
    std::fwrite(picture.m_pBits, 1, picture.m_nImageSize, out);
    std::fclose(out);
}

class RenderedPage : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        SetBoardRect(RECT{0, 0, kPictureWidth, kPictureHeight});
        m_bigScreen = CreatePictureSection(nullptr, kPictureWidth, kPictureHeight);
        m_bigDc.Reset(::CreateCompatibleDC(nullptr));
        m_old = ::SelectObject(m_bigDc.Get(), m_bigScreen->GetBitmap());
        ::SelectObject(m_bigDc.Get(), ::GetStockObject(BLACK_PEN));
        m_folder = test::ProgramFolder() + "..\\pictures\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
    }
    void TearDown() override
    {
        ::SelectObject(m_bigDc.Get(), m_old);
        BoardTest::TearDown();
    }

    void Draw(CPage& page, int type, int style, int width, COLORREF colour,
              std::initializer_list<POINT> points)
    {
        auto it = points.begin();
        page.BeginShape(type, it->x, it->y, width, colour, style, m_bigDc.Get());
        POINT last = *it;
        for (++it; it != points.end(); ++it) {
            page.DragShape(it->x, it->y, m_bigDc.Get());
            last = *it;
        }
        page.EndShape(last.x, last.y, m_bigDc.Get());
    }
    // A wavy hand-written-like line from (x, y) to the right.
    void Wave(CPage& page, int style, int width, COLORREF colour, int x, int y, int length)
    {
        page.BeginShape(SHAPE_STROKE, x, y, width, colour, style, m_bigDc.Get());
        for (int i = 4; i <= length; i += 4)
            page.DragShape(x + i, y + static_cast<int>(18 * std::sin(i / 22.0)), m_bigDc.Get());
        page.EndShape(x + length, y + static_cast<int>(18 * std::sin(length / 22.0)), m_bigDc.Get());
    }
    void Save(CPage& page, const char* name)
    {
        page.BlitToScreen(m_bigDc.Get(), 0, 0, kPictureWidth, kPictureHeight, false);
        WriteBmp(m_folder + name, *page.m_pImage);
    }

    CDibRef m_bigScreen;
    CMemoryDC m_bigDc;
    HGDIOBJ m_old = nullptr;
    std::string m_folder;
};

TEST_F(RenderedPage, PenAndHighlighterOverPen)
{
    CPage page;
    Wave(page, STYLE_PEN, 1, kBlack, 60, 80, 380);
    Wave(page, STYLE_PEN, 3, RGB(200, 0, 0), 60, 160, 380);
    Wave(page, STYLE_PEN, 8, RGB(0, 60, 200), 60, 250, 380);
    Wave(page, STYLE_PEN, 20, RGB(0, 140, 40), 60, 360, 380);
    Draw(page, SHAPE_STROKE, STYLE_PEN, 14, kBlack, {{520, 460}});   // a dot
    Draw(page, SHAPE_STROKE, STYLE_HIGHLIGHTER, 30, kYellow,
         {{40, 160}, {200, 150}, {420, 170}, {250, 260}, {60, 250}});
    Draw(page, SHAPE_STROKE, STYLE_HIGHLIGHTER, 24, RGB(255, 0, 200), {{100, 40}, {300, 420}});
    Save(page, "page_pen_highlighter.bmp");
    EXPECT_EQ(PixelOf(*page.m_pImage, 520, 460), kBlack);
    EXPECT_NE(PixelOf(*page.m_pImage, 300, 165), kWhite);
}

TEST_F(RenderedPage, EraserOnAPictureBackground)
{
    CPage page;
    CDibRef picture;
    ASSERT_EQ(ReadPictureFile(BuiltInBackgroundPath(test::ProgramFolder(), 6), &picture),
              PictureFileResult::Read);
    page.SetBackground(CPageBackground::KIND_PICTURE, kWhite, picture.Detach());
    for (int y = 100; y <= 440; y += 60)
        Wave(page, STYLE_PEN, 10, RGB(200, 0, 0), 80, y, 800);
    Draw(page, SHAPE_STROKE, STYLE_ERASER, 40, kWhite,
         {{150, 60}, {300, 300}, {450, 120}, {600, 480}, {750, 200}});
    Draw(page, SHAPE_RECTANGLE, STYLE_ERASER, 1, kWhite, {{780, 60}, {920, 220}});
    Draw(page, SHAPE_CIRCLE, STYLE_ERASER, 1, kWhite, {{780, 320}, {920, 500}});
    Save(page, "page_eraser_on_picture.bmp");
    EXPECT_NE(PixelOf(*page.m_pImage, 300, 300), RGB(200, 0, 0));
}

TEST_F(RenderedPage, EveryShapeInEveryStyle)
{
    CPage page;
    page.SetBackground(CPageBackground::KIND_COLOUR, RGB(250, 250, 245), nullptr);
    // Grey bands for the erasers to cut through.
    for (int y = 380; y <= 500; y += 12)
        Draw(page, SHAPE_LINE, STYLE_PEN, 6, RGB(120, 120, 120), {{20, y}, {940, y}});
    int x = 40;
    for (int type : {SHAPE_LINE, SHAPE_CIRCLE, SHAPE_RECTANGLE}) {
        Draw(page, type, STYLE_PEN, 5, RGB(0, 60, 200), {{x, 40}, {x + 220, 180}});
        Draw(page, type, STYLE_HIGHLIGHTER, 20, RGB(255, 160, 0), {{x, 200}, {x + 220, 340}});
        Draw(page, type, STYLE_ERASER, 20, kWhite, {{x + 30, 390}, {x + 200, 490}});
        x += 300;
    }
    Save(page, "page_shapes.bmp");
    EXPECT_EQ(PixelOf(*page.m_pImage, 40 + 115, 440), RGB(250, 250, 245));
}

} // namespace

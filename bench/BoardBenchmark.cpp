// The whiteboard model's costs on a 1920 x 1080 board: encoding a page picture, rendering a
// page of many strokes, finishing one stroke on a full page, and the memory of a large board.
// Prints figures; never fails.
//   board_benchmark [TEMP_FOLDER]
#include "board/BoardContext.h"
#include "board/BoardDoc.h"
#include "bench/BenchSupport.h"
#include "framework/GdiplusSession.h"
#include "framework/Handles.h"
#include "view/picture/FgDib.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

using namespace bench;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The live screen the gestures draw on: a board-sized picture in a memory context.
class Screen {
public:
    Screen() : m_picture(CreatePictureSection(nullptr, kWidth, kHeight)), m_dc(::CreateCompatibleDC(nullptr))
    {
        m_old = ::SelectObject(m_dc.Get(), m_picture->GetBitmap());
        ::SelectObject(m_dc.Get(), ::GetStockObject(BLACK_PEN));
    }
    ~Screen() { ::SelectObject(m_dc.Get(), m_old); }
    HDC Dc() const { return m_dc.Get(); }

private:
    CDibRef m_picture;
    CMemoryDC m_dc;
    HGDIOBJ m_old;
};

const COLORREF kInks[] = {RGB(0, 0, 0), RGB(200, 0, 0), RGB(0, 60, 200), RGB(0, 140, 40)};

// A hand-written-like stroke of about 20 points somewhere on the board; every tenth is a
// highlighter stroke.
void DrawStroke(CPage& page, Dice& dice, HDC screen, double* endMs = nullptr)
{
    int x = 40 + dice.Roll(kWidth - 200), y = 40 + dice.Roll(kHeight - 120);
    bool highlighter = dice.Roll(10) == 0;
    int style = highlighter ? STYLE_HIGHLIGHTER : STYLE_PEN;
    int width = highlighter ? 14 : 3;
    page.BeginShape(SHAPE_STROKE, x, y, width, kInks[dice.Roll(4)], style, screen);
    for (int i = 0; i < 20; ++i) {
        x += dice.Roll(13) - 3;
        y += dice.Roll(9) - 4;
        page.DragShape(x, y, screen);
    }
    double start = Now();
    page.EndShape(x, y, screen);
    if (endMs)
        *endMs = Now() - start;
}

void FillPage(CPage& page, int strokes, HDC screen, Dice& dice)
{
    for (int i = 0; i < strokes; ++i)
        DrawStroke(page, dice, screen);
}

// ---- Page picture encoding ----

// The page image's pixels as the JPEG writer takes them: top row first, red-green-blue.
std::vector<BYTE> RgbRowsOf(const CFG_DIB& image)
{
    int stride = (kWidth * 3 + 3) & ~3;
    std::vector<BYTE> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        const BYTE* row = image.m_pBits + static_cast<size_t>(kHeight - 1 - y) * stride;
        std::memcpy(&rgb[static_cast<size_t>(y) * kWidth * 3], row, kWidth * 3);
    }
    SwapRedBlue(rgb.data(), kWidth, kHeight);
    return rgb;
}

void BareLibjpeg(const char* path, const BYTE* rgb)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    std::FILE* file = std::fopen(path, "wb");
    jpeg_stdio_dest(&info, file);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 80, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<BYTE*>(rgb + static_cast<size_t>(info.next_scanline) * kWidth * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::fclose(file);
    jpeg_destroy_compress(&info);
}

void BenchmarkJpeg(const std::string& folder, CPage& page)
{
    std::vector<BYTE> rgb = RgbRowsOf(*page.m_pImage);
    std::string ours = folder + "ours.jpg", bare = folder + "bare.jpg";
    std::vector<double> oursMs, bareMs, preparedMs;
    for (int i = 0; i < 7; ++i) {
        double t0 = Now();
        WriteJpegFile(ours.c_str(), rgb.data(), kWidth, kHeight, 1, 80);
        double t1 = Now();
        BareLibjpeg(bare.c_str(), rgb.data());
        double t2 = Now();
        std::vector<BYTE> fromImage = RgbRowsOf(*page.m_pImage);
        WriteJpegFile(ours.c_str(), fromImage.data(), kWidth, kHeight, 1, 80);
        double t3 = Now();
        oursMs.push_back(t1 - t0);
        bareMs.push_back(t2 - t1);
        preparedMs.push_back(t3 - t2);
    }
    std::printf("JPEG page picture, 1920 x 1080, quality 80 (median of 7):\n");
    std::printf("  our writer             %7.1f ms\n", Median(oursMs));
    std::printf("  bare libjpeg-turbo     %7.1f ms\n", Median(bareMs));
    std::printf("  ratio                  %7.2f x   (goal: within 1.20 x)\n", Median(oursMs) / Median(bareMs));
    std::printf("  our writer from the page image (rows flipped, red and blue swapped) %.1f ms\n",
                Median(preparedMs));
    ::DeleteFileA(ours.c_str());
    ::DeleteFileA(bare.c_str());
}

// ---- Rendering and finishing strokes ----

void BenchmarkRendering(HDC screen)
{
    std::printf("Page rendering, 1920 x 1080, strokes of about 20 points (1 in 10 highlighter):\n");
    for (int strokes : {100, 1000, 10000}) {
        CPage page;
        Dice dice;
        FillPage(page, strokes, screen, dice);
        std::vector<double> samples;
        for (int i = 0; i < 3; ++i) {
            double start = Now();
            page.RenderImage(screen);
            samples.push_back(Now() - start);
        }
        std::printf("  RenderImage, %5d strokes  %8.1f ms (median of 3)\n", strokes, Median(samples));

        std::vector<double> ends;
        for (int i = 0; i < 50; ++i) {
            double ms = 0;
            DrawStroke(page, dice, screen, &ms);
            ends.push_back(ms);
        }
        std::printf("  EndShape on that page      %8.2f ms median, %.2f ms worst of 50   (goal: under 16 ms)\n",
                    Median(ends), Worst(ends));
    }
}

// ---- Memory ----

void PrintMemory(const char* when)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    std::printf("  %-34s working set %6.1f MB, peak %6.1f MB, private %6.1f MB\n", when,
                counters.WorkingSetSize / 1048576.0, counters.PeakWorkingSetSize / 1048576.0,
                counters.PrivateUsage / 1048576.0);
}

void BenchmarkMemory(HDC screen)
{
    std::printf("Memory, a board of 100 pages with 100 strokes each:\n");
    PrintMemory("before the board");
    {
        CBoardDoc doc;
        doc.OnNewDocument();
        Dice dice;
        for (int p = 0; p < 100; ++p) {
            if (p > 0)
                doc.AppendPage(false);
            FillPage(*doc.GetCurrentPage(), 100, screen, dice);
        }
        int images = 0, thumbnails = 0;
        for (CPage* page = doc.GetFirstPage(); page; page = doc.GetNextPage(page)) {
            images += page->m_pImage ? 1 : 0;
            thumbnails += page->m_pThumbnail ? 1 : 0;
        }
        PrintMemory("with the board");
        std::printf("  pages holding a full-size image: %d; thumbnails: %d\n", images, thumbnails);
    }
    PrintMemory("after the board is gone");
}

} // namespace

int main(int argc, char** argv)
{
    CGdiplusSession gdiplus;
    SetBoardRect(RECT{0, 0, kWidth, kHeight});
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = argc > 1 ? argv[1] : temp;
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';

    Screen screen;
    {
        CPage page;
        Dice dice;
        FillPage(page, 1000, screen.Dc(), dice);
        BenchmarkJpeg(folder, page);
    }
    BenchmarkRendering(screen.Dc());
    BenchmarkMemory(screen.Dc());
    return 0;
}

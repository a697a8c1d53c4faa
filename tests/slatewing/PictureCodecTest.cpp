// The picture type and its codec: JPEG round trips, the pixel routines, BMP reading, and a
// corpus of malformed files that must be refused without harm.
#include "tests/support/WineTest.h"
#include "view/picture/FgDib.h"

#include <gtest/gtest.h>

#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> Gradient(int w, int h)
{
    std::vector<BYTE> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            // Gentle slopes: JPEG halves the colour resolution, which sharp edges would show.
            p[0] = static_cast<BYTE>(40 + x * 2);
            p[1] = static_cast<BYTE>(60 + y * 2);
            p[2] = 128;
        }
    return rgb;
}

// Pixel (x, y) counted from the top of a bottom-up, blue-green-red picture, as red, green, blue.
std::vector<int> PixelOf(const CFG_DIB& dib, int x, int y)
{
    int stride = ((dib.Width() * 24 + 31) / 32) * 4;
    const BYTE* p = dib.m_pBits + static_cast<size_t>(dib.Height() - 1 - y) * stride + x * 3;
    return {p[2], p[1], p[0]};
}

struct RoundTrip {
    int width, height, colour;
};

class JpegRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(JpegRoundTrip, DecodesToABottomUpPaddedPictureCloseToTheOriginal)
{
    const auto [w, h, colour] = GetParam();
    test::TempFolder folder;
    std::string path = folder.Path() + "picture.jpg";
    std::vector<BYTE> rgb = Gradient(w, h);
    ASSERT_EQ(WriteJpegFile(path.c_str(), rgb.data(), w, h, colour, 95), 1);

    CFG_DIB dib;
    ASSERT_EQ(dib.ReadJpeg(path.c_str()), 1);
    ASSERT_EQ(dib.Width(), w);
    ASSERT_EQ(dib.Height(), h);
    EXPECT_EQ(dib.Header()->biBitCount, 24);
    EXPECT_EQ(dib.m_nColors, 0);
    EXPECT_EQ(dib.m_nImageSize, ((w * 24 + 31) / 32) * 4 * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::vector<int> p = PixelOf(dib, x, y);
            const BYTE* o = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            if (colour) {
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(p[c], o[c], 12) << x << "," << y;
            } else {
                EXPECT_EQ(p[0], p[1]);
                EXPECT_EQ(p[1], p[2]);
                EXPECT_NEAR(p[0], int(0.299 * o[0] + 0.587 * o[1] + 0.114 * o[2]), 12);
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, JpegRoundTrip,
                         ::testing::Values(RoundTrip{1, 1, 1}, RoundTrip{1, 9, 1}, RoundTrip{3, 5, 1},
                                           RoundTrip{17, 11, 1}, RoundTrip{64, 48, 1},
                                           RoundTrip{1, 4, 0}, RoundTrip{17, 11, 0}));

TEST(JpegWriter, GreyscaleUsesTheLuminanceOfEachPixel)
{
    const std::pair<std::vector<BYTE>, int> cases[] = {
        {{255, 0, 0}, 76}, {{0, 255, 0}, 149}, {{0, 0, 255}, 29}};
    test::TempFolder folder;
    for (const auto& [colour, expected] : cases) {
        std::vector<BYTE> block;
        for (int i = 0; i < 16 * 16; ++i)
            block.insert(block.end(), colour.begin(), colour.end());
        std::string path = folder.Path() + "grey.jpg";
        ASSERT_EQ(WriteJpegFile(path.c_str(), block.data(), 16, 16, 0, 100), 1);
        int w = 0, h = 0;
        BYTE* decoded = ReadJpegFile(path.c_str(), &w, &h);
        ASSERT_NE(decoded, nullptr);
        EXPECT_NEAR(decoded[0], expected, 1);
        std::free(decoded);
    }
}

TEST(JpegWriter, NothingToWriteIsRefusedQuietly)
{
    BYTE pixel[3] = {};
    EXPECT_EQ(WriteJpegFile("unused.jpg", nullptr, 1, 1, 1, 80), 0);
    EXPECT_EQ(WriteJpegFile("unused.jpg", pixel, 0, 1, 1, 80), 0);
    EXPECT_EQ(WriteJpegFile("unused.jpg", pixel, 1, 0, 1, 80), 0);
}

TEST(PixelRoutines, FlipSwapAndPad)
{
    BYTE rows[3 * 3] = {1, 1, 1, 2, 2, 2, 3, 3, 3};   // three rows of one pixel
    ASSERT_EQ(FlipRows(rows, 3, 3), 1);
    EXPECT_EQ(rows[0], 3);
    EXPECT_EQ(rows[3], 2);   // the middle row stays
    EXPECT_EQ(rows[6], 1);
    EXPECT_EQ(FlipRows(nullptr, 3, 3), 0);

    BYTE pixel[3] = {10, 20, 30};
    ASSERT_EQ(SwapRedBlue(pixel, 1, 1), 1);
    EXPECT_EQ(pixel[0], 30);
    EXPECT_EQ(pixel[2], 10);
    EXPECT_EQ(SwapRedBlue(nullptr, 1, 1), 0);

    int stride = 0;
    BYTE* padded = PadRowsToDword(rows, 1, 3, &stride);
    ASSERT_NE(padded, nullptr);
    EXPECT_EQ(stride, 4);
    EXPECT_EQ(padded[4], 2);
    std::free(padded);
    EXPECT_EQ(PadRowsToDword(nullptr, 1, 1, &stride), nullptr);
}

// A BMP file in memory: file header, info header, colour table, pixel rows.
std::vector<BYTE> Bmp(int w, int h, int bits, int colours = 0, std::vector<BYTE> pixels = {})
{
    int stride = ((w * bits + 31) / 32) * 4;
    if (pixels.empty())
        pixels.assign(static_cast<size_t>(stride) * h, 0x5A);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = 14 + 40 + 4 * colours;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = 40;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bits);
    info.biClrUsed = static_cast<DWORD>(colours);
    std::vector<BYTE> out(14 + 40 + 4 * colours);
    std::memcpy(out.data(), &file, 14);
    std::memcpy(out.data() + 14, &info, 40);
    for (int i = 0; i < colours; ++i)
        out[54 + i * 4] = static_cast<BYTE>(i);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

int ReadBmpBytes(CFG_DIB& dib, const std::vector<BYTE>& bytes)
{
    test::TempFolder folder;
    std::string path = folder.Path() + "picture.bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    file = std::fopen(path.c_str(), "rb");
    int result = dib.ReadBmp(file);
    std::fclose(file);
    return result;
}

TEST(BmpReader, ReadsTrueColourAndPalettePictures)
{
    CFG_DIB colour;
    std::vector<BYTE> pixels = {1, 2, 3, 4, 5, 6, 0, 0};   // one row of two pixels, padded
    ASSERT_EQ(ReadBmpBytes(colour, Bmp(2, 1, 24, 0, pixels)), 1);
    EXPECT_EQ(colour.Width(), 2);
    EXPECT_EQ(std::memcmp(colour.m_pBits, pixels.data(), 8), 0);
    EXPECT_EQ(colour.m_hPalette, nullptr);

    CFG_DIB indexed;
    ASSERT_EQ(ReadBmpBytes(indexed, Bmp(5, 3, 8, 256)), 1);
    EXPECT_EQ(indexed.m_nColors, 256);
    EXPECT_NE(indexed.m_hPalette, nullptr);
    EXPECT_EQ(indexed.m_pColorTable[7].rgbBlue, 7);
}

struct Malformed {
    const char* name;
    std::vector<BYTE> bytes;
};

template <class T>
std::vector<BYTE> Patched(std::vector<BYTE> bytes, size_t offset, T value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    return bytes;
}

std::vector<Malformed> MalformedBmps()
{
    std::vector<BYTE> good = Bmp(4, 4, 24);
    std::vector<BYTE> truncated(good.begin(), good.end() - 10);
    return {
        {"Empty", {}},
        {"ShorterThanTheFileHeader", {'B', 'M', 0, 0}},
        {"NotABitmap", Patched(good, 0, WORD(0x5A4D))},
        {"PixelsInsideTheHeaders", Patched(good, 10, DWORD(20))},
        {"PixelsBeyondTheFile", Patched(good, 10, DWORD(100000))},
        {"PixelOffsetAtTheTopOfTheRange", Patched(good, 10, DWORD(0xFFFFFFFF))},
        {"CoreHeader", Patched(good, 14, DWORD(12))},
        {"ZeroWidth", Patched(good, 18, LONG(0))},
        {"TopDown", Patched(good, 22, LONG(-4))},
        {"AbsurdWidth", Patched(good, 18, LONG(0x7FFFFFFF))},
        {"SizeOverflowingThirtyTwoBits", Patched(Patched(Patched(good, 18, LONG(32768)), 22, LONG(32768)), 28, WORD(32))},
        {"OddBitCount", Patched(good, 28, WORD(7))},
        {"Compressed", Patched(good, 30, DWORD(1))},
        {"ImageSizeSmallerThanThePixels", Patched(good, 34, DWORD(4))},
        {"ColourTableBeyondTheHeader", Patched(Patched(good, 28, WORD(8)), 46, DWORD(1000))},
        {"TruncatedPixels", truncated},
    };
}

class BmpCorpus : public ::testing::TestWithParam<Malformed> {};

TEST_P(BmpCorpus, IsRefusedWithTheMessageAndLeavesAnEmptyPicture)
{
    test::MessageBoxWatcher watcher;
    CFG_DIB dib;
    EXPECT_EQ(ReadBmpBytes(dib, GetParam().bytes), 0);
    EXPECT_EQ(dib.m_pInfo, nullptr);
    EXPECT_EQ(dib.m_pBits, nullptr);
    std::vector<test::SeenMessageBox> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Read file error");
}

INSTANTIATE_TEST_SUITE_P(Files, BmpCorpus, ::testing::ValuesIn(MalformedBmps()),
                         [](const ::testing::TestParamInfo<Malformed>& info) { return info.param.name; });

TEST(JpegReader, BrokenFilesAreRefusedWithTheMessage)
{
    test::TempFolder folder;
    std::vector<BYTE> rgb = Gradient(32, 32);
    std::string good = folder.Path() + "good.jpg";
    ASSERT_EQ(WriteJpegFile(good.c_str(), rgb.data(), 32, 32, 1, 80), 1);
    std::FILE* file = std::fopen(good.c_str(), "rb");
    std::vector<BYTE> bytes(4096);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);

    const std::pair<const char*, std::vector<BYTE>> cases[] = {
        {"empty", {}},
        {"garbage", std::vector<BYTE>(300, 0x42)},
        {"header only", std::vector<BYTE>(bytes.begin(), bytes.begin() + 20)},
    };
    for (const auto& [name, content] : cases) {
        std::string path = folder.Path() + "broken.jpg";
        std::FILE* out = std::fopen(path.c_str(), "wb");
        std::fwrite(content.data(), 1, content.size(), out);
        std::fclose(out);
        test::MessageBoxWatcher watcher;
        CFG_DIB dib;
        EXPECT_EQ(dib.ReadJpeg(path.c_str()), 0) << name;
        EXPECT_EQ(dib.m_pBits, nullptr) << name;
        std::vector<test::SeenMessageBox> seen = watcher.Seen();
        ASSERT_FALSE(seen.empty()) << name;
        EXPECT_EQ(seen.back().text, "Read file error") << name;
    }
}

TEST(JpegReader, MissingFileSaysWhichPath)
{
    test::MessageBoxWatcher watcher;
    CFG_DIB dib;
    EXPECT_EQ(dib.ReadJpeg("Z:\\no\\such\\picture.jpg"), 0);
    std::vector<test::SeenMessageBox> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text.substr(0, 6), "JPEG :");
    EXPECT_NE(seen[0].text.find("picture.jpg"), std::string::npos);
    EXPECT_EQ(seen[1].text, "Read file error");
}

TEST(Pictures, CopyIsIndependentAndReleaseCounts)
{
    CFG_DIB source(8, 4, 24);
    ASSERT_NE(source.CreateSection(nullptr), nullptr);
    EXPECT_EQ(source.CreateSection(nullptr), source.GetBitmap());
    std::memset(source.m_pBits, 0x33, static_cast<size_t>(source.m_nImageSize));

    auto* copy = new CFG_DIB;
    ASSERT_EQ(copy->CopyFrom(&source), 1);
    EXPECT_EQ(copy->GetBitmap(), nullptr);
    EXPECT_EQ(copy->m_hPalette, nullptr);
    EXPECT_EQ(copy->m_nColors, 0);
    EXPECT_EQ(copy->m_nImageSize, source.m_nImageSize);
    EXPECT_NE(copy->m_pBits, source.m_pBits);
    EXPECT_EQ(copy->m_pBits[5], 0x33);

    ++copy->m_nRefCount;
    copy->Release();
    EXPECT_EQ(copy->m_nRefCount, 1);
    copy->Release();   // frees it
    EXPECT_EQ(CFG_DIB().CopyFrom(nullptr), 0);
}

} // namespace

namespace {

class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

TEST(StretchPicture, ScalesTheWholeSourceOverTheWholeTarget)
{
    GdiplusSession gdiplus;
    // Close to the sizes it is used for: a picture scaled by a little over the screen.
    CFG_DIB source(40, 40, 32), target(48, 48, 32);
    ASSERT_NE(source.CreateSection(nullptr), nullptr);
    ASSERT_NE(target.CreateSection(nullptr), nullptr);
    // Left half red, right half blue (bottom-up rows, blue-green-red-x bytes).
    auto* px = reinterpret_cast<DWORD*>(source.m_pBits);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            px[y * 40 + x] = x < 20 ? 0x00FF0000 : 0x000000FF;
    StretchPicture(&source, &target);
    ::GdiFlush();
    auto* out = reinterpret_cast<const DWORD*>(target.m_pBits);
    auto red = [&](int x, int y) { return int((out[y * 48 + x] >> 16) & 0xFF); };
    auto blue = [&](int x, int y) { return int(out[y * 48 + x] & 0xFF); };
    EXPECT_GE(red(1, 24), 240);
    // The last row and column are full colour too: the edges are mirrored, not faded.
    EXPECT_GE(blue(47, 24), 240);
    EXPECT_GE(blue(47, 47), 240);
    EXPECT_GE(blue(47, 0), 240);
    // Between the halves the colours blend.
    bool blended = false;
    for (int x = 22; x <= 25; ++x)
        blended = blended || (red(x, 24) > 0 && blue(x, 24) > 0);
    EXPECT_TRUE(blended);
    StretchPicture(nullptr, &target);
    StretchPicture(&source, nullptr);
}

} // namespace

namespace {

TEST(JpegWriter, AFileThatCannotBeCreatedIsReported)
{
    test::MessageBoxWatcher watcher;
    std::vector<BYTE> pixels(4 * 4 * 3, 200);
    EXPECT_EQ(WriteJpegFile("Z:\\no\\such\\folder\\page.jpg", pixels.data(), 4, 4, 1, 80), 0);
    std::vector<test::SeenMessageBox> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Disk full while accessing Z:\\no\\such\\folder\\page.jpg\n");
}

TEST(Pictures, SizingRefusesHeadersItDoesNotKnow)
{
    CFG_DIB picture(8, 8, 24);
    picture.Header()->biSize = 12;
    EXPECT_THROW(picture.ComputeSizes(), CMyException);
}

} // namespace

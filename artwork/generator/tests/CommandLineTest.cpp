// The inkart command line end to end: files in, resource files and pictures out, failures on
// stderr with 1.
#include "Inkart.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

struct SRun {
    int code;
    std::string out;
    std::string err;
};

SRun RunTool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    int code = RunInkart(args, out, err);
    return {code, out.str(), err.str()};
}

// BGR(A) of pixel (x, y) counted from the top of a bottom-up BMP file.
std::vector<int> BmpPixel(const std::vector<std::uint8_t>& b, int x, int y)
{
    int width = S32(b, 18), height = S32(b, 22), bytes = U16(b, 28) / 8;
    size_t stride = static_cast<size_t>((width * bytes + 3) / 4 * 4);
    size_t at = 54 + stride * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x * bytes);
    std::vector<int> px;
    for (int i = 0; i < bytes; ++i)
        px.push_back(b.at(at + static_cast<size_t>(i)));
    return px;
}

class CommandLine : public testing::Test {
protected:
    void SetUp() override
    {
        m_empty = m_dir.Write("empty.art", "size 25 25\n");
        m_red = m_dir.Write("red.art", "size 25 25\nfill #ff0000\nrect 5 5 15 15\n");
        m_blue = m_dir.Write("blue.art", "size 25 25\nfill #0000ff\nrect 0 0 25 25\n");
        m_big = m_dir.Write("big.art", "size 32 32\nfill #000000\nrect 0 0 4 4\n");
    }

    CScratchDir m_dir;
    std::string m_empty, m_red, m_blue, m_big;
};

TEST_F(CommandLine, StripPlacesPicturesSideBySideOverTheBackground)
{
    std::string out = m_dir.Path("s.bmp");
    SRun r = RunTool({"strip", out, "--background", "#e8e8e8", m_empty, m_red, m_blue});
    ASSERT_EQ(r.code, 0) << r.err;
    auto b = ReadAll(out);
    EXPECT_EQ(S32(b, 18), 75);
    EXPECT_EQ(S32(b, 22), 25);
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(BmpPixel(b, 10, 10), (std::vector<int>{232, 232, 232}));   // first picture: blank
    EXPECT_EQ(BmpPixel(b, 25 + 10, 10), (std::vector<int>{0, 0, 255}));  // second: red square
    EXPECT_EQ(BmpPixel(b, 25 + 2, 2), (std::vector<int>{232, 232, 232}));
    EXPECT_EQ(BmpPixel(b, 50, 0), (std::vector<int>{255, 0, 0}));        // third: all blue
    EXPECT_EQ(BmpPixel(b, 74, 24), (std::vector<int>{255, 0, 0}));
}

TEST_F(CommandLine, DisabledStripIsGreyButKeepsTheExactBackground)
{
    std::string out = m_dir.Path("d.bmp");
    ASSERT_EQ(RunTool({"strip", out, "--disabled", "--background", "#e6e6e6", m_red}).code, 0);
    auto b = ReadAll(out);
    EXPECT_EQ(BmpPixel(b, 0, 0), (std::vector<int>{230, 230, 230}));     // a mask colour must survive
    std::vector<int> ink = BmpPixel(b, 12, 12);
    EXPECT_EQ(ink[0], ink[1]);
    EXPECT_EQ(ink[1], ink[2]);
    EXPECT_EQ(ink[0], 150);
}

TEST_F(CommandLine, ThirtyTwoBitStripHasAlphaOnlyWhereDrawn)
{
    std::string out = m_dir.Path("s32.bmp");
    ASSERT_EQ(RunTool({"strip", out, "--bpp", "32", m_red}).code, 0);
    auto b = ReadAll(out);
    EXPECT_EQ(U16(b, 28), 32u);
    EXPECT_EQ(b.size(), 54u + 25 * 25 * 4);
    EXPECT_EQ(BmpPixel(b, 12, 12), (std::vector<int>{0, 0, 255, 255}));
    EXPECT_EQ(BmpPixel(b, 1, 1), (std::vector<int>{232, 232, 232, 0}));  // default background
}

TEST_F(CommandLine, PictureOptionScalesDrawingsOfAnotherSize)
{
    std::string out = m_dir.Path("p.bmp");
    ASSERT_EQ(RunTool({"strip", out, "--picture", "16", "16", m_big, m_red}).code, 0);
    auto b = ReadAll(out);
    EXPECT_EQ(S32(b, 18), 32);
    EXPECT_EQ(BmpPixel(b, 1, 1), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(BmpPixel(b, 2, 2), (std::vector<int>{232, 232, 232}));
}

TEST_F(CommandLine, IconHasEachSizeAndTakesAPerSizeDrawing)
{
    std::string out = m_dir.Path("i.ico");
    SRun r = RunTool({"icon", out, "--at", "16", m_blue, m_red});
    ASSERT_EQ(r.code, 0) << r.err;
    auto b = ReadAll(out);
    ASSERT_EQ(U16(b, 4), 3u);
    EXPECT_EQ(b[6], 16);
    EXPECT_EQ(b[6 + 16], 32);
    EXPECT_EQ(b[6 + 32], 48);
    // Top-left pixel (last colour row) of each image: blue only in the 16-pixel one.
    auto topLeft = [&](int entry, int size) {
        size_t at = U32(b, 6 + 16 * static_cast<size_t>(entry) + 12) + 40 +
                    static_cast<size_t>(size * (size - 1) * 4);
        return std::vector<int>{b[at], b[at + 1], b[at + 2], b[at + 3]};
    };
    EXPECT_EQ(topLeft(0, 16), (std::vector<int>{255, 0, 0, 255}));
    EXPECT_EQ(topLeft(1, 32), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(CommandLine, IconSizesCanBeChosen)
{
    std::string out = m_dir.Path("m.ico");
    ASSERT_EQ(RunTool({"icon", out, "--sizes", "16,18,32", m_red}).code, 0);
    auto b = ReadAll(out);
    ASSERT_EQ(U16(b, 4), 3u);
    EXPECT_EQ(b[6 + 16], 18);
}

TEST_F(CommandLine, CursorWritesItsHotSpot)
{
    std::string out = m_dir.Path("c.cur");
    SRun r = RunTool({"cursor", out, "--hotspot", "2", "3", m_big});
    ASSERT_EQ(r.code, 0) << r.err;
    auto b = ReadAll(out);
    EXPECT_EQ(U16(b, 2), 2u);
    EXPECT_EQ(U16(b, 10), 2u);
    EXPECT_EQ(U16(b, 12), 3u);
}

TEST_F(CommandLine, CursorRefusesAHotSpotOffTheDrawing)
{
    std::string out = m_dir.Path("c.cur");
    SRun r = RunTool({"cursor", out, "--hotspot", "4", "3", m_big});   // the square covers 0..3
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("hot spot (4,3) is not on the drawing"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CommandLine, BackgroundWritesAPpmOfTheDesignByNumberOrName)
{
    std::string byNumber = m_dir.Path("n.ppm"), byName = m_dir.Path("d.ppm");
    SRun r = RunTool({"background", byNumber, "3", "--size", "320x200"});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(RunTool({"background", byName, "--size", "320x200", "dots"}).code, 0);
    auto b = ReadAll(byNumber);
    const std::string header = "P6\n320 200\n255\n";
    ASSERT_EQ(b.size(), header.size() + 320 * 200 * 3);
    EXPECT_EQ(std::string(b.begin(), b.begin() + static_cast<long>(header.size())), header);
    EXPECT_EQ(b, ReadAll(byName));
}

TEST_F(CommandLine, BackgroundIsFullHdUnlessToldOtherwise)
{
    std::string out = m_dir.Path("p.ppm");
    ASSERT_EQ(RunTool({"background", out, "plain"}).code, 0);
    auto b = ReadAll(out);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 16), "P6\n1920 1080\n255");
}

TEST_F(CommandLine, FailuresGoToStderrWithExitCodeOne)
{
    std::string out = m_dir.Path("x.bmp");
    std::string bad = m_dir.Write("bad.art", "size 25 25\nfill #000000\ncircle 1 2\n");
    struct SCase {
        std::vector<std::string> args;
        std::string expected;
    } cases[] = {
        {{"strip", out, m_dir.Path("nope.art")}, m_dir.Path("nope.art") + ": cannot open file"},
        {{"strip", out, m_red, bad}, bad + ":3: 'circle' takes 3 numbers"},
        {{"strip", out, m_red, m_big}, m_big + ": size differs"},
        {{"strip", out}, "no source drawings"},
        {{"strip", out, "--bpp", "16", m_red}, "--bpp"},
        {{"strip", out, "--background", "grey", m_red}, "'grey' is not a colour"},
        {{"strip", out, "--picture", "25"}, "--picture needs a value"},
        {{"strip", out, "--shiny", m_red}, "unknown option --shiny"},
        {{"icon", out, m_red, m_blue}, "one source drawing expected"},
        {{"icon", out, "--sizes", "16,300", m_red}, "'300' is not a size"},
        {{"icon", out, "--at", "24", m_blue, m_red}, "--at 24: not one of the icon's sizes"},
        {{"cursor", out, m_big}, "--hotspot X Y is required"},
        {{"cursor", out, "--hotspot", "32", "0", m_big}, "hot spot lies outside"},
        {{"cursor", out, "--hotspot", "x", "0", m_big}, "'x' is not a whole number"},
        {{"background", out}, "no design given"},
        {{"background", out, "11"}, "no design '11'"},
        {{"background", out, "wallpaper"}, "no design 'wallpaper'"},
        {{"background", out, "1", "2"}, "one design expected"},
        {{"background", out, "1", "--size", "1920"}, "'1920' is not WxH"},
        {{"background", out, "1", "--size", "32x32"}, "from 64 to 8192"},
        {{"background", out, "1", "--size", "1920x-1080"}, "is not WxH"},
        {{"background", out, "1", "--size"}, "--size needs a value"},
        {{"background", out, "1", "--quality", "90"}, "unknown option --quality"},
        {{"paint", out, m_red}, "unknown command 'paint'"},
        {{"strip"}, "usage:"},
    };
    for (const SCase& k : cases) {
        SCOPED_TRACE(k.expected);
        SRun r = RunTool(k.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(k.expected), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(CommandLine, UnwritableOutputIsAFailure)
{
    SRun r = RunTool({"strip", m_dir.Path("no/such/dir/s.bmp"), m_red});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cannot write file"), std::string::npos) << r.err;
}

TEST(CommandLineHelp, HelpGoesToStdout)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunInkart({"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("inkart strip"), std::string::npos);
    EXPECT_TRUE(err.str().empty());
}

} // namespace

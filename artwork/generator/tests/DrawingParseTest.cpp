// The artwork language: what it accepts, and errors that name the file and line at fault.
#include "Drawing.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::string ParseError(const std::string& text)
{
    CDrawing d;
    std::string error;
    EXPECT_FALSE(ParseDrawing(text, "pic.art", d, error)) << text;
    return error;
}

TEST(DrawingParse, ErrorsNameTheFileAndLine)
{
    struct SCase {
        const char* text;
        const char* expected;
    } cases[] = {
        {"size 25 25\nbogus 1 2\n", "pic.art:2: unknown command 'bogus'"},
        {"size 25 25\n\n# note\ncircle 1 2\n", "pic.art:4: 'circle' takes 3 numbers (cx cy r), got 2"},
        {"size 25 25\nrect 1 2 x 4\n", "pic.art:2: 'x' is not a number"},
        {"size 25 25\nfill #12345\n", "pic.art:2: '#12345' is not a colour"},
        {"size 25 25\nfill #gg0000\n", "pic.art:2: '#gg0000' is not a colour"},
        {"size 25 25\nstroke #000000 0\n", "pic.art:2: stroke width must be positive"},
        {"size 25 25\nstroke #000000 2 3\n", "pic.art:2: 'stroke' takes a colour and a width"},
        {"size 25 25\npoly 1,2 3,4 5\n", "pic.art:2: 'poly' takes x,y pairs"},
        {"size 25 25\npoly 1,2 3,4\n", "pic.art:2: 'poly' needs at least 3 points"},
        {"size 25 25\nline 1,2\n", "pic.art:2: 'line' needs at least 2 points"},
        {"circle 1 2 3\nsize 25 25\n", "pic.art:1: 'size' must come before the first shape"},
        {"size 25 25\nsize 25 25\n", "pic.art:2: 'size' given twice"},
        {"size 0 25\n", "pic.art:1: 'size' must be positive"},
        {"size 25 25\ncircle 1 2 0\n", "pic.art:2: radius must be positive"},
        {"size 25 25\nrect 1 2 -3 4\n", "pic.art:2: width and height must be positive"},
        {"size 25 25\nrrect 1 2 3 4 -1\n", "pic.art:2: radius must not be negative"},
        {"size 25 25\ngear 5 5 2 3 8\n", "pic.art:2: 'gear' needs 0 < inner-r < outer-r"},
        {"size 25 25\ngear 5 5 3 2 2.5\n", "pic.art:2: 'gear' needs a whole number"},
        {"size 25 25\npop\n", "pic.art:2: 'pop' without a 'push'"},
        {"size 25 25\npush\nfill #ff0000\npush\npop\n", "pic.art:2: 'push' without a matching 'pop'"},
        {"size 25 25\nrotate 10 5\n", "pic.art:2: 'rotate' takes 1 number (degrees [cx cy]), got 2"},
        {"size 25 25\nfillrule odd\n", "pic.art:2: 'fillrule' takes 'nonzero' or 'evenodd'"},
        {"size 25 25\npath L 1 2\n", "pic.art:2: path data must start with 'M'"},
        {"size 25 25\npath 1 2\n", "pic.art:2: path data must start with 'M'"},
        {"size 25 25\npath M 1 2 C 3 4 5\n", "pic.art:2: path command 'C' is missing numbers"},
        {"size 25 25\npath M 1 2 X 3 4\n", "pic.art:2: unknown path command 'X'"},
        {"size 25 25\npath M 1 2 S 3 4 5\n", "pic.art:2: path command 'S' is missing numbers"},
        {"size 25 25\npie 5 5 0 0 90\n", "pic.art:2: radius must be positive"},
        {"size 25 25\npath M 1 2 L 3 4 Z 5\n", "pic.art:2: 'Z' takes no numbers"},
        {"size 25 25\npath\n", "pic.art:2: 'path' needs path data"},
        {"size 25 25\ninclude\n", "pic.art:2: 'include' takes one file name"},
        {"fill #ff0000\n", "pic.art: no 'size' line"},
    };
    for (const SCase& k : cases) {
        SCOPED_TRACE(k.text);
        std::string error = ParseError(k.text);
        EXPECT_EQ(error.rfind(k.expected, 0), 0u) << error;
    }
}

TEST(DrawingParse, AcceptsCommentsBlankLinesCrLfAndSeparators)
{
    CDrawing d;
    std::string error;
    const char text[] =
        "# a comment\r\n"
        "size 25 24\r\n"
        "\r\n"
        "   # indented comment\r\n"
        "fill #ff000080\r\n"
        "stroke #00ff00 1.5\r\n"
        "poly 1,2 3,4 5 6\r\n"
        "\tline 1 2, 3 4\r\n"
        "path M1,2L3-4c1.5.5 2,2 3,3z\r\n"
        "rrect 1 1 10 10 2\r\n"
        "arc 12 12 5 0 270\r\n"
        "gear 12 12 6 4 8\r\n"
        "ellipse 5 5 3 2\r\n"
        "pie 12 12 5 -90 0\r\n"
        "path M 1 1 Q 2 0 3 1 T 5 1 S 7 3 8 1 Z\r\n";
    ASSERT_TRUE(ParseDrawing(text, "pic.art", d, error)) << error;
    EXPECT_EQ(d.Width(), 25);
    EXPECT_EQ(d.Height(), 24);
    EXPECT_EQ(d.Ops().size(), 9u);
}

TEST(DrawingParse, NoneLeavesOnlyWhatIsStillSet)
{
    CDrawing d;
    std::string error;
    ASSERT_TRUE(ParseDrawing("size 8 8\nfill none\nrect 0 0 8 8\nline 0,0 8,8\n", "pic.art", d, error));
    // The rectangle has nothing to draw; the line has no stroke, so it is dropped.
    ASSERT_EQ(d.Ops().size(), 1u);
    CImage img = d.Render(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(img.At(x, y).a, 0);
}

TEST(DrawingParse, PopRestoresColoursAndTransform)
{
    CDrawing d;
    std::string error;
    ASSERT_TRUE(ParseDrawing("size 4 1\nfill #ff0000\npush\nfill #0000ff\ntranslate 1 0\nrect 0 0 1 1\npop\n"
                             "rect 0 0 1 1\n",
                             "pic.art", d, error))
        << error;
    CImage img = d.Render(4, 1);
    EXPECT_EQ(img.At(0, 0), (SColor{255, 0, 0, 255}));
    EXPECT_EQ(img.At(1, 0), (SColor{0, 0, 255, 255}));
}

TEST(DrawingInclude, DrawsThePartWithTheCurrentTransformAndKeepsTheIncluderState)
{
    CScratchDir dir;
    dir.Write("parts/dot.art", "size 4 1\nrect 0 0 1 1\nfill #00ff00\n");
    std::string main = dir.Write("main.art", "size 4 1\nfill #ff0000\ntranslate 2 0\ninclude parts/dot.art\n"
                                             "translate 1 0\nrect 0 0 1 1\n");
    CDrawing d;
    std::string error;
    ASSERT_TRUE(LoadDrawing(main, d, error)) << error;
    CImage img = d.Render(4, 1);
    EXPECT_EQ(img.At(0, 0).a, 0);
    EXPECT_EQ(img.At(2, 0), (SColor{255, 0, 0, 255}));   // part drawn in the includer's colour
    EXPECT_EQ(img.At(3, 0), (SColor{255, 0, 0, 255}));   // its "fill" did not leak back
}

TEST(DrawingInclude, ErrorsPointIntoTheRightFile)
{
    CScratchDir dir;
    dir.Write("bad.art", "size 4 4\n\ncircle 1\n");
    dir.Write("other-size.art", "size 8 8\n");
    dir.Write("self.art", "size 4 4\ninclude self.art\n");
    struct SCase {
        const char* text;
        std::string expected;
    } cases[] = {
        {"size 4 4\nfill #000000\ninclude bad.art\n", dir.Path("bad.art") + ":3: 'circle' takes 3 numbers"},
        {"size 4 4\ninclude missing.art\n", dir.Path("main.art") + ":2: cannot open '" + dir.Path("missing.art")},
        {"size 4 4\ninclude other-size.art\n", dir.Path("other-size.art") + ":1: included drawing has a different"},
        {"size 4 4\ninclude self.art\n", dir.Path("self.art") + ":2: includes nested too deeply"},
    };
    for (const SCase& k : cases) {
        SCOPED_TRACE(k.text);
        std::string path = dir.Write("main.art", k.text);
        CDrawing d;
        std::string error;
        EXPECT_FALSE(LoadDrawing(path, d, error));
        EXPECT_EQ(error.rfind(k.expected, 0), 0u) << error;
    }
}

TEST(DrawingLoad, MissingFileIsReported)
{
    CDrawing d;
    std::string error;
    EXPECT_FALSE(LoadDrawing("/nonexistent/x.art", d, error));
    EXPECT_EQ(error, "/nonexistent/x.art: cannot open file");
}

} // namespace

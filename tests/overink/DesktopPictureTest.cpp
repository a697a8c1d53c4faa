// The desktop library's copy of the picture code: the same pictures, sized without throwing, and
// its own message for a JPEG file it cannot create.
#include "tests/support/WineTest.h"
#include "view/picture/FgDib.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DesktopPictures, SizingNeverThrows)
{
    CFG_DIB picture(64, 32, 24);
    ASSERT_NE(picture.m_pInfo, nullptr);
    EXPECT_EQ(picture.m_nImageSize, 192 * 32);

    picture.Header()->biSize = 12;   // a header the whiteboard's copy would refuse
    EXPECT_NO_THROW(picture.ComputeSizes());
    EXPECT_EQ(picture.m_nImageSize, 192 * 32);

    picture.Header()->biSize = 40;
    picture.Header()->biWidth = 32768;
    picture.Header()->biHeight = 32768;
    picture.Header()->biBitCount = 32;
    EXPECT_NO_THROW(picture.ComputeSizes());
    EXPECT_EQ(picture.m_nImageSize, 0);   // too large: no bits rather than too few
}

TEST(DesktopPictures, AJpegFileThatCannotBeCreatedIsReportedAsSuch)
{
    test::MessageBoxWatcher watcher;
    std::vector<BYTE> pixels(4 * 4 * 3, 200);
    EXPECT_EQ(WriteJpegFile("Z:\\no\\such\\folder\\screen.jpg", pixels.data(), 4, 4, 1, 80), 0);
    std::vector<test::SeenMessageBox> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "JpegFile :\nCan't open Z:\\no\\such\\folder\\screen.jpg\n");
}

} // namespace

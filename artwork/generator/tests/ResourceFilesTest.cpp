// Byte layouts of the BMP, ICO, CUR and PPM files, read back field by field.
#include "ResourceFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

const SColor kRed{255, 0, 0, 255};
const SColor kBlue{0, 0, 255, 255};
const SColor kClear{0, 0, 0, 0};

TEST(BmpFile, HeaderFieldsOf24BitPicture)
{
    // Width 5 makes 15-byte rows, padded to 16.
    Bytes b = EncodeBmp(CImage(5, 3, kRed), 24);
    ASSERT_EQ(b.size(), 54u + 3 * 16);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 2), b.size());         // file size
    EXPECT_EQ(U32(b, 6), 0u);               // reserved
    EXPECT_EQ(U32(b, 10), 54u);             // pixel offset: no colour table
    EXPECT_EQ(U32(b, 14), 40u);             // BITMAPINFOHEADER
    EXPECT_EQ(S32(b, 18), 5);
    EXPECT_EQ(S32(b, 22), 3);               // positive: bottom-up
    EXPECT_EQ(U16(b, 26), 1u);              // planes
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u);              // BI_RGB
    EXPECT_EQ(U32(b, 34), 3u * 16);         // image size
    EXPECT_EQ(U32(b, 46), 0u);              // colours used
}

TEST(BmpFile, RowsAreBottomUpBgrWithZeroPadding)
{
    CImage image(5, 3, kClear);
    image.At(0, 0) = kRed;                  // top-left
    image.At(0, 2) = kBlue;                 // bottom-left
    image.At(4, 2) = SColor{1, 2, 3, 255};
    Bytes b = EncodeBmp(image, 24);
    const size_t bottomRow = 54, topRow = 54 + 2 * 16;
    EXPECT_EQ(b[bottomRow + 0], 255);       // blue first: B, G, R
    EXPECT_EQ(b[bottomRow + 2], 0);
    EXPECT_EQ(b[bottomRow + 12], 3);
    EXPECT_EQ(b[bottomRow + 13], 2);
    EXPECT_EQ(b[bottomRow + 14], 1);
    EXPECT_EQ(b[bottomRow + 15], 0);        // padding
    EXPECT_EQ(b[topRow + 0], 0);
    EXPECT_EQ(b[topRow + 2], 255);
}

TEST(BmpFile, ThirtyTwoBitKeepsAlphaAndNeedsNoPadding)
{
    CImage image(3, 2, SColor{10, 20, 30, 0});
    image.At(2, 1) = SColor{40, 50, 60, 255};
    Bytes b = EncodeBmp(image, 32);
    ASSERT_EQ(b.size(), 54u + 3 * 2 * 4);
    EXPECT_EQ(U16(b, 28), 32u);
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 34), 24u);
    // Bottom row comes first; its last pixel is (2, 1).
    EXPECT_EQ(b[54 + 8], 60);
    EXPECT_EQ(b[54 + 9], 50);
    EXPECT_EQ(b[54 + 10], 40);
    EXPECT_EQ(b[54 + 11], 255);
    EXPECT_EQ(b[54 + 3], 0);                // alpha of (0, 1)
    EXPECT_EQ(b[54 + 2], 10);               // colour kept where transparent: it is the background
}

TEST(IconFile, DirectoryListsEverySizeWithContiguousImages)
{
    Bytes b = EncodeIcon({CImage(16, 16, kRed), CImage(32, 32, kRed), CImage(48, 48, kRed)});
    EXPECT_EQ(U16(b, 0), 0u);
    EXPECT_EQ(U16(b, 2), 1u);               // icon
    ASSERT_EQ(U16(b, 4), 3u);
    size_t expectedOffset = 6 + 3 * 16;
    const int sizes[] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(sizes[i]);
        const size_t e = 6 + 16 * static_cast<size_t>(i);
        const unsigned s = static_cast<unsigned>(sizes[i]);
        const unsigned maskStride = (s + 31) / 32 * 4;
        EXPECT_EQ(b[e], s);
        EXPECT_EQ(b[e + 1], s);
        EXPECT_EQ(b[e + 2], 0);             // no palette
        EXPECT_EQ(U16(b, e + 4), 1u);       // planes
        EXPECT_EQ(U16(b, e + 6), 32u);      // bits
        EXPECT_EQ(U32(b, e + 8), 40 + s * s * 4 + maskStride * s);
        EXPECT_EQ(U32(b, e + 12), expectedOffset);

        const size_t h = expectedOffset;
        EXPECT_EQ(U32(b, h), 40u);
        EXPECT_EQ(S32(b, h + 4), sizes[i]);
        EXPECT_EQ(S32(b, h + 8), 2 * sizes[i]);   // colour and mask halves
        EXPECT_EQ(U16(b, h + 14), 32u);
        EXPECT_EQ(U32(b, h + 16), 0u);
        expectedOffset += U32(b, e + 8);
    }
    EXPECT_EQ(b.size(), expectedOffset);
}

TEST(IconFile, MaskMarksTransparentPixelsAndColourIsStraightBgra)
{
    CImage image(16, 16, kClear);
    image.At(0, 0) = SColor{200, 100, 50, 255};
    image.At(2, 0) = SColor{200, 100, 50, 127};   // less than half opaque
    image.At(3, 0) = SColor{200, 100, 50, 128};
    Bytes b = EncodeIcon({image});
    const size_t colour = 6 + 16 + 40;
    const size_t topColourRow = colour + 15 * 16 * 4;
    EXPECT_EQ(b[topColourRow + 0], 50);
    EXPECT_EQ(b[topColourRow + 1], 100);
    EXPECT_EQ(b[topColourRow + 2], 200);
    EXPECT_EQ(b[topColourRow + 3], 255);
    EXPECT_EQ(b[topColourRow + 2 * 4 + 2], 200);  // not premultiplied
    EXPECT_EQ(b[topColourRow + 2 * 4 + 3], 127);
    EXPECT_EQ(b[topColourRow + 4 + 3], 0);

    // Mask rows are 4 bytes (16 bits padded to 32), bottom-up; a set bit means transparent.
    const size_t mask = colour + 16 * 16 * 4;
    const size_t topMaskRow = mask + 15 * 4;
    EXPECT_EQ(b[topMaskRow], 0x6F);              // 0110 1111: only x = 0 and x = 3 opaque
    EXPECT_EQ(b[topMaskRow + 1], 0xFF);
    EXPECT_EQ(b[topMaskRow + 2], 0);             // padding
    EXPECT_EQ(b[mask], 0xFF);                    // bottom row: all transparent
}

TEST(CursorFile, HotSpotSitsInThePlanesAndBitCountFields)
{
    Bytes b = EncodeCursor(CImage(32, 32, kRed), 2, 20);
    EXPECT_EQ(U16(b, 2), 2u);               // cursor
    ASSERT_EQ(U16(b, 4), 1u);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(U16(b, 10), 2u);              // hot spot x
    EXPECT_EQ(U16(b, 12), 20u);             // hot spot y
    EXPECT_EQ(U32(b, 14), 40u + 32 * 32 * 4 + 4 * 32);
    EXPECT_EQ(U32(b, 18), 22u);
    EXPECT_EQ(U16(b, 22 + 14), 32u);        // the image itself is 32-bit
    EXPECT_EQ(b.size(), 22u + U32(b, 14));
}

TEST(PpmFile, HeaderThenRgbRowsTopDownWithoutAlpha)
{
    CImage image(3, 2, kClear);
    image.At(0, 0) = kRed;                  // top-left
    image.At(2, 1) = SColor{1, 2, 3, 255};  // bottom-right
    image.At(1, 1) = SColor{40, 50, 60, 0}; // alpha is not written, colour is
    Bytes b = EncodePpm(image);
    const std::string header = "P6\n3 2\n255\n";
    ASSERT_EQ(b.size(), header.size() + 3 * 2 * 3);
    EXPECT_EQ(std::string(b.begin(), b.begin() + static_cast<long>(header.size())), header);
    const size_t pixels = header.size();
    EXPECT_EQ((Bytes(b.begin() + pixels, b.begin() + pixels + 3)), (Bytes{255, 0, 0}));
    EXPECT_EQ((Bytes(b.end() - 6, b.end())), (Bytes{40, 50, 60, 1, 2, 3}));
}

} // namespace

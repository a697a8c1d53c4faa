// libjpeg-turbo as built for this target: a small picture written and read back.
#include "tests/support/WineTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int W = 32;
constexpr int H = 16;

std::vector<unsigned char> Gradient()
{
    std::vector<unsigned char> rgb(W * H * 3);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            unsigned char* p = &rgb[(y * W + x) * 3];
            p[0] = static_cast<unsigned char>(x * 8);
            p[1] = static_cast<unsigned char>(y * 16);
            p[2] = 128;
        }
    return rgb;
}

void Encode(const char* path, const std::vector<unsigned char>& rgb, int quality)
{
    FILE* file = std::fopen(path, "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = W;
    cinfo.image_height = H;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&rgb[cinfo.next_scanline * W * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

std::vector<unsigned char> Decode(const char* path, int* width, int* height)
{
    std::vector<unsigned char> rgb;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return rgb;
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    *width = static_cast<int>(cinfo.output_width);
    *height = static_cast<int>(cinfo.output_height);
    rgb.resize(static_cast<size_t>(*width) * *height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &rgb[cinfo.output_scanline * *width * 3];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return rgb;
}

TEST(Jpeg, PictureSurvivesEncodeAndDecodeWithinJpegLoss)
{
    test::TempFolder folder;
    std::string path = folder.Path() + "gradient.jpg";
    std::vector<unsigned char> original = Gradient();
    Encode(path.c_str(), original, 80);

    int width = 0, height = 0;
    std::vector<unsigned char> decoded = Decode(path.c_str(), &width, &height);
    ASSERT_EQ(width, W);
    ASSERT_EQ(height, H);
    int worst = 0;
    for (size_t i = 0; i < original.size(); ++i)
        worst = std::max(worst, std::abs(int(original[i]) - int(decoded[i])));
    EXPECT_LE(worst, 24);   // quality 80 on a smooth gradient
}

} // namespace

#include "ResourceFiles.h"

#include <fstream>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconEntrySize = 16;

void Put16(Bytes& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize)
{
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);                                      // planes
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0);                                      // BI_RGB
    Put32(out, imageSize);
    Put32(out, 0);                                      // resolution: none given
    Put32(out, 0);
    Put32(out, 0);                                      // colours used
    Put32(out, 0);                                      // colours important
}

std::uint32_t MaskStride(int width) { return static_cast<std::uint32_t>((width + 31) / 32 * 4); }

// BITMAPINFOHEADER with the doubled height of icon resources, colour rows, then mask rows.
Bytes IconImage(const CImage& image)
{
    const int w = image.Width(), h = image.Height();
    const std::uint32_t maskStride = MaskStride(w);
    const std::uint32_t colourSize = static_cast<std::uint32_t>(w * h * 4);
    Bytes out;
    PutInfoHeader(out, w, 2 * h, 32, colourSize + maskStride * static_cast<std::uint32_t>(h));
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            SColor c = image.At(x, y);
            if (c.a == 0)
                c = SColor{0, 0, 0, 0};
            out.insert(out.end(), {c.b, c.g, c.r, c.a});
        }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (image.At(x, y).a < 128)
                row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// ICONDIR and its entries; for cursors (type 2) the planes and bit-count fields carry the hot spot.
Bytes IconDirectory(int type, const std::vector<CImage>& images, int hotX, int hotY)
{
    Bytes out;
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(type));
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::vector<Bytes> bodies;
    std::uint32_t offset = kIconDirSize + kIconEntrySize * static_cast<std::uint32_t>(images.size());
    for (const CImage& image : images) {
        bodies.push_back(IconImage(image));
        out.push_back(static_cast<std::uint8_t>(image.Width() & 0xFF));   // 0 would mean 256
        out.push_back(static_cast<std::uint8_t>(image.Height() & 0xFF));
        out.push_back(0);                                                  // no palette
        out.push_back(0);
        Put16(out, type == 2 ? static_cast<std::uint32_t>(hotX) : 1);
        Put16(out, type == 2 ? static_cast<std::uint32_t>(hotY) : 32);
        Put32(out, static_cast<std::uint32_t>(bodies.back().size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies.back().size());
    }
    for (const Bytes& b : bodies)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

} // namespace

Bytes EncodeBmp(const CImage& image, int bitsPerPixel)
{
    const int w = image.Width(), h = image.Height();
    const int bytesPerPixel = bitsPerPixel / 8;
    const std::uint32_t stride = static_cast<std::uint32_t>((w * bytesPerPixel + 3) / 4 * 4);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(h);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, kFileHeaderSize + kInfoHeaderSize + imageSize);
    Put32(out, 0);                                      // reserved
    Put32(out, kFileHeaderSize + kInfoHeaderSize);      // pixel data offset
    PutInfoHeader(out, w, h, bitsPerPixel, imageSize);
    for (int y = h - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < w; ++x) {
            SColor c = image.At(x, y);
            out.insert(out.end(), {c.b, c.g, c.r});
            if (bytesPerPixel == 4)
                out.push_back(c.a);
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

Bytes EncodeIcon(const std::vector<CImage>& images) { return IconDirectory(1, images, 0, 0); }

Bytes EncodeCursor(const CImage& image, int hotX, int hotY) { return IconDirectory(2, {image}, hotX, hotY); }

Bytes EncodePpm(const CImage& image)
{
    std::string header = "P6\n" + std::to_string(image.Width()) + " " + std::to_string(image.Height()) + "\n255\n";
    Bytes out(header.begin(), header.end());
    out.reserve(out.size() + static_cast<size_t>(image.Width()) * image.Height() * 3);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const SColor& c = image.At(x, y);
            out.insert(out.end(), {c.r, c.g, c.b});
        }
    return out;
}

bool WriteBytes(const std::string& path, const Bytes& bytes, std::string& error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = path + ": cannot write file";
        return false;
    }
    return true;
}

// Byte layouts of the files the artwork is compiled into: Windows resources, and the PPM
// pictures the build turns into the whiteboard's JPEG backgrounds.
#pragma once

#include "Color.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// BITMAPFILEHEADER + BITMAPINFOHEADER (54 bytes), no colour table, bottom-up rows, BI_RGB.
// 24 bits: BGR rows padded to 4 bytes. 32 bits: BGRA, alpha as in the image.
Bytes EncodeBmp(const CImage& image, int bitsPerPixel);

// One 32-bit BGRA entry per image (non-premultiplied alpha) with a 1-bit AND mask that marks
// the pixels less than half opaque, for consumers that ignore alpha.
Bytes EncodeIcon(const std::vector<CImage>& images);
Bytes EncodeCursor(const CImage& image, int hotX, int hotY);

// Binary PPM (P6): "P6\nW H\n255\n", then RGB rows top-down. Alpha is dropped.
Bytes EncodePpm(const CImage& image);

bool WriteBytes(const std::string& path, const Bytes& bytes, std::string& error);

// Byte layouts of the Windows resource files the artwork is compiled into.
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

bool WriteBytes(const std::string& path, const Bytes& bytes, std::string& error);

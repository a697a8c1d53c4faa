#include "view/picture/FgDib.h"

#include "framework/Module.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr int HEADER_BYTES = sizeof(BITMAPINFOHEADER);
constexpr int MAX_COLOURS = 256;
// Far beyond any screen or camera picture, and small enough that sizes stay in 32 bits.
constexpr LONG MAX_SIDE = 32768;

void ReadFileError()
{
    FwMessageBox("Read file error", MB_OK);
}

long long RowBytes(int bitCount, long long width)
{
    return (static_cast<long long>(bitCount) * width + 31) / 32 * 4;
}

} // namespace

CFG_DIB::CFG_DIB(int width, int height, int bitCount)
{
    SetColorCount(bitCount);
    size_t bytes = HEADER_BYTES + 4 * static_cast<size_t>(m_nColors);
    m_pInfo = static_cast<BYTE*>(std::calloc(1, bytes));
    if (!m_pInfo)
        return;
    BITMAPINFOHEADER* h = Header();
    h->biSize = HEADER_BYTES;
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = static_cast<WORD>(bitCount);
    h->biCompression = BI_RGB;
    h->biClrUsed = h->biClrImportant = static_cast<DWORD>(m_nColors);
    try {
        ComputeSizes();
    } catch (const CMyException&) {
        Destroy();
    }
}

CFG_DIB::~CFG_DIB()
{
    Destroy();
}

void CFG_DIB::Destroy()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    if (m_hPalette)
        ::DeleteObject(m_hPalette);
    std::free(m_pInfo);
    if (m_bOwnsBits)
        std::free(m_pBits);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_pInfo = nullptr;
    m_pColorTable = nullptr;
    m_hPalette = nullptr;
    m_nImageSize = 0;
    m_nColors = 0;
    m_bOwnsBits = false;
}

void CFG_DIB::Release()
{
    if (m_nRefCount <= 1)
        delete this;
    else
        --m_nRefCount;
}

void CFG_DIB::SetColorCount(int bitCount)
{
    if (m_pInfo && Header()->biClrUsed) {
        m_nColors = static_cast<int>(Header()->biClrUsed);
        return;
    }
    switch (bitCount) {
    case 1: m_nColors = 2; break;
    case 4: m_nColors = 16; break;
    case 8: m_nColors = 256; break;
    case 16:
    case 24:
    case 32: m_nColors = 0; break;
    default: break;
    }
}

void CFG_DIB::ComputeSizes()
{
    const BITMAPINFOHEADER* h = Header();
    if (!h)
        throw CMyException();
#ifndef PICTURES_FOR_DESKTOP
    // The desktop library only sizes headers it made itself, and never throws.
    if (h->biSize != HEADER_BYTES)
        throw CMyException();
#endif
    // Computed in 64 bits: a size that overflows 32 would become a small block and a large copy.
    long long size = h->biSizeImage;
    if (size == 0)
        size = RowBytes(h->biBitCount, h->biWidth) * h->biHeight;
    if (size < 0 || size > INT32_MAX) {
#ifdef PICTURES_FOR_DESKTOP
        size = 0;   // no bits rather than too few
#else
        throw CMyException();
#endif
    }
    m_nImageSize = static_cast<int>(size);
    m_pColorTable = reinterpret_cast<RGBQUAD*>(m_pInfo + HEADER_BYTES);
}

HBITMAP CFG_DIB::CreateSection(HDC dc)
{
    if (m_hBitmap)
        return m_hBitmap;
    if (!m_pInfo || m_pBits)
        return nullptr;
    void* bits = nullptr;
    m_hBitmap = ::CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(m_pInfo), DIB_RGB_COLORS, &bits,
                                   nullptr, 0);
    m_pBits = m_hBitmap ? static_cast<BYTE*>(bits) : nullptr;
    m_bOwnsBits = false;
    return m_hBitmap;
}

void CFG_DIB::DeleteSection()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    if (!m_bOwnsBits)
        m_pBits = nullptr;
}

int CFG_DIB::BuildPalette()
{
    if (m_nColors == 0)
        return 0;
    if (m_hPalette)
        ::DeleteObject(m_hPalette);
    std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * m_nColors);
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(m_nColors);
    for (int i = 0; i < m_nColors; ++i)
        palette->palPalEntry[i] = {m_pColorTable[i].rgbRed, m_pColorTable[i].rgbGreen,
                                   m_pColorTable[i].rgbBlue, 0};
    m_hPalette = ::CreatePalette(palette);
    return 1;
}

int CFG_DIB::Draw(HDC dc, int xSrc, int ySrc, int xDest, int yDest, int width, int height)
{
    if (!m_pInfo)
        return 0;
    if (m_hPalette)
        ::SelectPalette(dc, m_hPalette, TRUE);
    ::StretchDIBits(dc, xDest, yDest, width, height, xSrc, ySrc, width, height, m_pBits,
                    reinterpret_cast<BITMAPINFO*>(m_pInfo), DIB_RGB_COLORS, SRCCOPY);
    return 1;
}

int CFG_DIB::CopyFrom(const CFG_DIB* source)
{
    if (!source || !source->m_pInfo)
        return 0;
    Destroy();
    m_nRefCount = 1;
    SetColorCount(source->Header()->biBitCount);
    if (m_nColors > MAX_COLOURS)
        return 0;
    size_t headerBytes = HEADER_BYTES + 4 * static_cast<size_t>(m_nColors);
    m_pInfo = static_cast<BYTE*>(std::calloc(1, headerBytes));
    if (!m_pInfo)
        return 0;
    std::memcpy(m_pInfo, source->m_pInfo, headerBytes);
    try {
        ComputeSizes();
    } catch (const CMyException&) {
        Destroy();
        return 0;
    }
    if (m_nColors)
        std::memcpy(m_pColorTable, source->m_pColorTable, 4 * static_cast<size_t>(m_nColors));
    m_pBits = static_cast<BYTE*>(std::calloc(1, static_cast<size_t>(m_nImageSize)));
    m_bOwnsBits = m_pBits != nullptr;
    if (m_pBits && source->m_pBits)
        std::memcpy(m_pBits, source->m_pBits, std::min(m_nImageSize, source->m_nImageSize));
    return m_pBits ? 1 : 0;
}

int CFG_DIB::ReadBmp(std::FILE* file)
{
    try {
        ReadBmpOrThrow(file);
        return 1;
    } catch (const CMyException&) {
        Destroy();   // nothing half-read stays behind
        ReadFileError();
        return 0;
    }
}

void CFG_DIB::ReadBmpOrThrow(std::FILE* file)
{
    Destroy();
    if (!file || std::fseek(file, 0, SEEK_END) != 0)
        throw CMyException();
    long fileSize = std::ftell(file);
    std::rewind(file);

    BITMAPFILEHEADER fileHeader{};
    if (fileSize < 14 || std::fread(&fileHeader, 1, 14, file) != 14 || fileHeader.bfType != 0x4D42)
        throw CMyException();
    // The info header and colour table lie between the file header and the pixels; the file
    // decides where the pixels begin, and nothing of it is taken on trust.
    long long headerBytes = static_cast<long long>(fileHeader.bfOffBits) - 14;
    if (headerBytes < HEADER_BYTES || headerBytes > HEADER_BYTES + 4 * MAX_COLOURS ||
        fileHeader.bfOffBits > static_cast<DWORD>(fileSize))
        throw CMyException();
    m_pInfo = static_cast<BYTE*>(std::calloc(1, static_cast<size_t>(headerBytes)));
    if (!m_pInfo || std::fread(m_pInfo, 1, static_cast<size_t>(headerBytes), file) !=
                        static_cast<size_t>(headerBytes))
        throw CMyException();

    const BITMAPINFOHEADER* h = Header();
    if (h->biSize != HEADER_BYTES || h->biWidth <= 0 || h->biHeight <= 0 || h->biWidth > MAX_SIDE ||
        h->biHeight > MAX_SIDE || h->biPlanes != 1 || h->biCompression != BI_RGB)
        throw CMyException();
    switch (h->biBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: throw CMyException();
    }
    ComputeSizes();
    long long needed = RowBytes(h->biBitCount, h->biWidth) * h->biHeight;
    if (m_nImageSize < needed || m_nImageSize > fileSize - static_cast<long>(fileHeader.bfOffBits))
        throw CMyException();
    SetColorCount(h->biBitCount);
    if (m_nColors < 0 || m_nColors > MAX_COLOURS || HEADER_BYTES + 4LL * m_nColors > headerBytes)
        throw CMyException();
    BuildPalette();

    m_pBits = static_cast<BYTE*>(std::malloc(static_cast<size_t>(m_nImageSize)));
    m_bOwnsBits = m_pBits != nullptr;
    if (!m_pBits || std::fread(m_pBits, 1, static_cast<size_t>(m_nImageSize), file) !=
                        static_cast<size_t>(m_nImageSize))
        throw CMyException();
}

int CFG_DIB::ReadJpeg(const char* path)
{
    try {
        ReadJpegOrThrow(path);
        return 1;
    } catch (const CMyException&) {
        Destroy();
        ReadFileError();
        return 0;
    }
}

void CFG_DIB::ReadJpegOrThrow(const char* path)
{
    Destroy();
    int width = 0, height = 0;
    BYTE* rgb = ReadJpegFile(path, &width, &height);
    if (!rgb)
        throw CMyException();
    int stride = 0;
    BYTE* padded = nullptr;
    if (SwapRedBlue(rgb, width, height) && FlipRows(rgb, width * 3, height))
        padded = PadRowsToDword(rgb, width, height, &stride);
    std::free(rgb);
    if (!padded)
        throw CMyException();
    m_pBits = padded;
    m_bOwnsBits = true;

    m_pInfo = static_cast<BYTE*>(std::calloc(1, HEADER_BYTES));
    if (!m_pInfo)
        throw CMyException();
    BITMAPINFOHEADER* h = Header();
    h->biSize = HEADER_BYTES;
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = 24;
    h->biCompression = BI_RGB;
    ComputeSizes();
    SetColorCount(24);
    BuildPalette();
}

CDibRef CreatePictureSection(HDC dc, int width, int height, int bitCount)
{
    if (width <= 0 || height <= 0)
        return CDibRef();
    CDibRef picture(new (std::nothrow) CFG_DIB(width, height, bitCount));
    if (!picture || !picture->m_pInfo || !picture->CreateSection(dc))
        return CDibRef();
    return picture;
}

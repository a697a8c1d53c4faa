// The one picture type: a device-independent bitmap (header, optional colour table, bottom-up
// rows padded to 4 bytes) that can own a DIB section and a palette, shared by reference count.
#pragma once

#include <windows.h>

#include <cstdio>

class CFG_DIB {
public:
    CFG_DIB() = default;
    // A header-only picture; a DIB section supplies the bits.
    CFG_DIB(int width, int height, int bitCount);
    virtual ~CFG_DIB();
    CFG_DIB(const CFG_DIB&) = delete;
    CFG_DIB& operator=(const CFG_DIB&) = delete;

    void Destroy();
    // Destroys and frees the picture at the last reference, else drops one reference.
    void Release();

    void SetColorCount(int bitCount);
    // Throws CMyException for a header that is not 40 bytes or sizes beyond what a picture can be.
    void ComputeSizes();
    HBITMAP CreateSection(HDC dc);
    void DeleteSection();
    HBITMAP GetBitmap() const { return m_hBitmap; }
    int BuildPalette();
    int Draw(HDC dc, int xSrc, int ySrc, int xDest, int yDest, int width, int height);
    int CopyFrom(const CFG_DIB* source);
    // Readers of an open file: 1 on success; 0 after telling the presenter "Read file error".
    int ReadBmp(std::FILE* file);
    int ReadJpeg(const char* path);

    BITMAPINFOHEADER* Header() const { return reinterpret_cast<BITMAPINFOHEADER*>(m_pInfo); }
    int Width() const { return m_pInfo ? Header()->biWidth : 0; }
    int Height() const { return m_pInfo ? Header()->biHeight : 0; }

    HBITMAP m_hBitmap = nullptr;
    BYTE* m_pBits = nullptr;
    BYTE* m_pInfo = nullptr;
    RGBQUAD* m_pColorTable = nullptr;
    HPALETTE m_hPalette = nullptr;
    int m_nImageSize = 0;
    int m_nColors = 0;
    int m_nRefCount = 1;

private:
    void ReadBmpOrThrow(std::FILE* file);
    void ReadJpegOrThrow(const char* path);
    bool m_bOwnsBits = false;   // the bits are a heap block, not the DIB section's
};

// One reference to a shared picture, dropped at the end of the holder's life.
class CDibRef {
public:
    CDibRef() noexcept = default;
    // Takes over a reference the caller holds.
    explicit CDibRef(CFG_DIB* picture) noexcept : m_p(picture) {}
    ~CDibRef() { Reset(); }
    CDibRef(CDibRef&& other) noexcept : m_p(other.Detach()) {}
    CDibRef& operator=(CDibRef&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    CDibRef(const CDibRef&) = delete;
    CDibRef& operator=(const CDibRef&) = delete;

    // A second holder of the same picture.
    static CDibRef Share(CFG_DIB* picture) noexcept
    {
        if (picture)
            ++picture->m_nRefCount;
        return CDibRef(picture);
    }

    CFG_DIB* Get() const noexcept { return m_p; }
    CFG_DIB* operator->() const noexcept { return m_p; }
    CFG_DIB& operator*() const noexcept { return *m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    CFG_DIB* Detach() noexcept
    {
        CFG_DIB* p = m_p;
        m_p = nullptr;
        return p;
    }
    void Reset(CFG_DIB* picture = nullptr) noexcept
    {
        CFG_DIB* old = m_p;
        m_p = picture;
        if (old)
            old->Release();
    }

private:
    CFG_DIB* m_p = nullptr;
};

// A new picture of the given size with its DIB section for the DC; empty when either fails.
CDibRef CreatePictureSection(HDC dc, int width, int height, int bitCount = 24);

// The readers' internal failure; it never leaves them.
struct CMyException {};

// Free pixel routines: 3-byte pixels, rows tightly packed unless said otherwise.
BYTE* ReadJpegFile(const char* path, int* width, int* height);
int WriteJpegFile(const char* path, const BYTE* data, int width, int height, int colour,
                  int quality);
void CopyRgbRow(const BYTE* row, int width, BYTE* out, int rowIndex);
void ExpandGreyRow(const BYTE* row, int width, BYTE* out, int rowIndex);
int FlipRows(BYTE* data, int rowBytes, int rows);
int SwapRedBlue(BYTE* data, int width, int rows);
BYTE* PadRowsToDword(const BYTE* data, int width, int rows, int* stride);
// Scales the source's DIB section into the target's (both must have one) with GDI+.
void StretchPicture(CFG_DIB* source, CFG_DIB* target);

// The background of one whiteboard page: a solid colour, or a picture stretched over the whole
// board. It renders itself once into a cache of the size last drawn; later page renders copy the
// cache with one blit.
#pragma once

#include "view/picture/FgDib.h"

#include <windows.h>

class CPageBackground {
public:
    static constexpr int KIND_COLOUR = 1;
    static constexpr int KIND_PICTURE = 2;

    CPageBackground() = default;
    ~CPageBackground() { Reset(); }
    CPageBackground(const CPageBackground&) = delete;
    CPageBackground& operator=(const CPageBackground&) = delete;

    // Back to a plain background of the current colour; the picture and the cache are released.
    void Reset();
    // Returns the previous kind. For a picture the background takes over the caller's reference.
    int Set(int kind, COLORREF colour, CFG_DIB* picture);
    void DrawBackground(HDC dc, int left, int top, int right, int bottom);
    // Takes the other's kind, colour and picture (shared, one more reference); not its cache.
    void CopyFrom(const CPageBackground& other);
    void ReleaseCache() { m_pCache.Reset(); }

    int m_nKind = KIND_COLOUR;
    RECT m_rectPicture{};
    CDibRef m_pPicture;
    CDibRef m_pCache;
    COLORREF m_crColor = RGB(255, 255, 255);

private:
    void RenderCache(HDC dc, int left, int top, int right, int bottom);
    void RenderPicture(HDC dc);
};

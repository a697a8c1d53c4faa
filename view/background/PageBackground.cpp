#include "view/background/PageBackground.h"

#include "framework/Handles.h"

#include <cstdlib>

void CPageBackground::Reset()
{
    if (m_nKind != KIND_COLOUR) {
        m_nKind = KIND_COLOUR;
        m_rectPicture = RECT{};
        m_pPicture.Reset();
    }
    m_pCache.Reset();
}

int CPageBackground::Set(int kind, COLORREF colour, CFG_DIB* picture)
{
    int previous = m_nKind;
    Reset();
    m_crColor = colour;
    if (kind == KIND_PICTURE) {
        m_nKind = KIND_PICTURE;
        m_pPicture.Reset(picture);
        if (picture && picture->m_pInfo)
            m_rectPicture = RECT{0, 0, picture->Width(), std::abs(picture->Height())};
    } else if (picture) {
        // A colour background keeps no picture; the reference handed over is dropped.
        picture->Release();
    }
    return previous;
}

void CPageBackground::CopyFrom(const CPageBackground& other)
{
    if (&other == this)
        return;
    Reset();
    m_nKind = other.m_nKind;
    m_crColor = other.m_crColor;
    m_pPicture = CDibRef::Share(other.m_pPicture.Get());
    m_rectPicture = other.m_rectPicture;
}

void CPageBackground::DrawBackground(HDC dc, int left, int top, int right, int bottom)
{
    int width = right - left;
    int height = bottom - top;
    if (m_pCache && (m_pCache->Width() != width || std::abs(m_pCache->Height()) != height))
        m_pCache.Reset();
    if (!m_pCache)
        RenderCache(dc, left, top, right, bottom);
    if (!m_pCache)
        return;
    CMemoryDC memory(::CreateCompatibleDC(dc));
    CSelectObject cache(memory.Get(), m_pCache->GetBitmap());
    ::BitBlt(dc, left, top, width, height, memory.Get(), left, top, SRCCOPY);
}

void CPageBackground::RenderCache(HDC dc, int left, int top, int right, int bottom)
{
    m_pCache = CreatePictureSection(dc, right - left, bottom - top);
    if (!m_pCache)
        return;
    {
        CMemoryDC memory(::CreateCompatibleDC(dc));
        CSelectObject cache(memory.Get(), m_pCache->GetBitmap());
        // The colour also stands under a picture, so a picture that cannot be drawn leaves the
        // board in its colour rather than black.
        FwFillSolidRect(memory.Get(), RECT{left, top, right, bottom}, m_crColor);
    }
    if (m_nKind == KIND_PICTURE)
        RenderPicture(dc);
}

// Any picture (any bit depth, with or without a DIB section) is first drawn unscaled into a
// 24-bit section, which the bicubic stretch can read.
void CPageBackground::RenderPicture(HDC dc)
{
    if (!m_pPicture || ::IsRectEmpty(&m_rectPicture))
        return;
    CDibRef flat = CreatePictureSection(dc, m_rectPicture.right, m_rectPicture.bottom);
    if (!flat)
        return;
    {
        CMemoryDC memory(::CreateCompatibleDC(dc));
        CSelectObject selected(memory.Get(), flat->GetBitmap());
        m_pPicture->Draw(memory.Get(), 0, 0, 0, 0, m_rectPicture.right, m_rectPicture.bottom);
    }
    StretchPicture(flat.Get(), m_pCache.Get());
}

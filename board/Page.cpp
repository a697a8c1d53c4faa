#include "board/Page.h"

#include "board/BoardContext.h"
#include "framework/Handles.h"

#include <ctime>

#include <gdiplus.h>

namespace {

// A memory device context drawing into a picture's DIB section for the length of a scope.
class CPictureDC {
public:
    CPictureDC(HDC reference, CFG_DIB* picture)
        : m_dc(::CreateCompatibleDC(reference)), m_select(m_dc.Get(), picture->GetBitmap())
    {
    }
    HDC Get() const { return m_dc.Get(); }

private:
    CMemoryDC m_dc;
    CSelectObject m_select;
};

} // namespace

CPage::CPage() : m_tCreated(static_cast<int64_t>(std::time(nullptr))) {}

CPage::~CPage()
{
    DeleteShapesAfter(nullptr);
}

// ---- Drawing ----

void CPage::BeginShape(int type, int x, int y, int width, COLORREF colour, int style, HDC dc)
{
    CShape* shape = CreateShape(type, &m_background);
    if (!shape)
        return;
    DiscardUndone();
    if (m_pLastShape)
        m_pLastShape->m_pNext = shape;
    else
        m_pFirstShape = shape;
    m_pLastShape = shape;
    m_pCurrentShape = shape;
    shape->BeginDraw(x, y, width, colour, style, dc);
}

void CPage::DragShape(int x, int y, HDC dc)
{
    if (m_pCurrentShape)
        m_pCurrentShape->DragTo(x, y, dc);
}

void CPage::EndShape(int x, int y, HDC dc)
{
    if (!m_pCurrentShape)
        return;
    m_pCurrentShape->FinishDraw(x, y, dc);
    DrawIntoImage(m_pCurrentShape, dc);
}

void CPage::DrawIntoImage(CShape* shape, HDC dc)
{
    if (!m_pImage) {
        RenderImage(dc);
        return;
    }
    {
        CPictureDC image(dc, m_pImage.Get());
        shape->Draw(image.Get());
    }
    UpdateThumbnail(dc);
}

// ---- Undo and redo ----

int CPage::UndoShape(HDC dc)
{
    if (!m_pFirstShape || !m_pCurrentShape)
        return 0;
    CShape* shape = m_pCurrentShape;
    if (shape == m_pFirstShape) {
        if (shape->m_bHidden || !shape->m_bUndoable)
            return 0;
        m_pCurrentShape = nullptr;
    } else {
        if (!shape->m_bUndoable)
            return 0;
        m_pCurrentShape = ShapeBefore(shape);
    }
    shape->m_bHidden = 1;
    ++m_nUndone;
    RECT bound;
    shape->GetBoundRect(&bound);
    if (::IsRectEmpty(&bound))
        return 0;
    RepaintRect(dc, bound);
    return 1;
}

int CPage::RedoShape(HDC dc)
{
    if (!m_pFirstShape || m_nUndone == 0)
        return 0;
    CShape* candidate = m_pCurrentShape ? m_pCurrentShape->m_pNext : m_pFirstShape;
    if (!candidate)
        return 0;
    m_pCurrentShape = candidate;
    if (!candidate->m_bHidden)
        return 0;
    candidate->m_bHidden = 0;
    --m_nUndone;
    DrawIntoImage(candidate, dc);
    return 1;
}

void CPage::DiscardUndone()
{
    m_nUndone = 0;
    DeleteShapesAfter(m_pCurrentShape);
}

// Deletes every shape after keep (every shape when keep is null); keep becomes the last.
void CPage::DeleteShapesAfter(CShape* keep)
{
    CShape* shape = keep ? keep->m_pNext : m_pFirstShape;
    while (shape) {
        CShape* next = shape->m_pNext;
        delete shape;
        shape = next;
    }
    if (keep) {
        keep->m_pNext = nullptr;
        m_pLastShape = keep;
    } else {
        m_pFirstShape = m_pLastShape = nullptr;
    }
}

CShape* CPage::ShapeBefore(const CShape* shape) const
{
    for (CShape* s = m_pFirstShape; s; s = s->m_pNext)
        if (s->m_pNext == shape)
            return s;
    return nullptr;
}

// ---- Content ----

void CPage::CopyFrom(CPage* other)
{
    // A page copied into itself would append its shapes to the list being walked.
    if (!other || other == this)
        return;
    m_background.CopyFrom(other->m_background);
    DiscardUndone();
    for (CShape* s = other->m_pFirstShape; s && !s->m_bHidden; s = s->m_pNext) {
        CShape* copy = s->Clone(&m_background);
        if (!copy)
            break;
        if (m_pLastShape)
            m_pLastShape->m_pNext = copy;
        else
            m_pFirstShape = copy;
        m_pLastShape = copy;
        m_pCurrentShape = copy;
    }
}

void CPage::ClearShapes()
{
    DeleteShapesAfter(nullptr);
    m_pCurrentShape = nullptr;
    m_nUndone = 0;
    m_pImage.Reset();
    m_pThumbnail.Reset();
}

void CPage::ClearAll()
{
    ClearShapes();
    m_background.Reset();
}

int CPage::CountVisibleShapes() const
{
    int count = 0;
    for (const CShape* s = m_pFirstShape; s; s = s->m_pNext)
        if (!s->m_bHidden)
            ++count;
    return count;
}

int CPage::SetBackground(int kind, COLORREF colour, CFG_DIB* picture)
{
    return m_background.Set(kind, colour, picture);
}

// ---- Rendering ----

void CPage::CreateImage(HDC dc)
{
    m_pImage.Reset();
    RECT board = GetBoardRect();
    m_rcImage = RECT{0, 0, board.right - board.left, board.bottom - board.top};
    m_pImage = CreatePictureSection(dc, m_rcImage.right, m_rcImage.bottom);
}

void CPage::RenderImage(HDC dc)
{
    CreateImage(dc);
    if (!m_pImage)
        return;
    DrawPage(dc, nullptr);
    UpdateThumbnail(dc);
}

void CPage::RepaintRect(HDC dc, RECT rc)
{
    if (::IsRectEmpty(&rc))
        return;
    if (!m_pImage) {
        RenderImage(dc);
        return;
    }
    DrawPage(dc, &rc);
    UpdateThumbnail(dc);
}

void CPage::DrawPage(HDC dc, const RECT* clip)
{
    CPictureDC image(dc, m_pImage.Get());
    CRgn clipRegion;
    if (clip) {
        clipRegion.Reset(::CreateRectRgnIndirect(clip));
        ::SelectClipRgn(image.Get(), clipRegion.Get());
    }
    m_background.DrawBackground(image.Get(), m_rcImage.left, m_rcImage.top, m_rcImage.right,
                                m_rcImage.bottom);
    for (CShape* s = m_pFirstShape; s; s = s->m_pNext)
        s->Draw(image.Get());
    if (clip)
        ::SelectClipRgn(image.Get(), nullptr);
}

void CPage::BlitToScreen(HDC dc, int left, int top, int right, int bottom, bool rebuild)
{
    if (rebuild || !m_pImage)
        RenderImage(dc);
    if (!m_pImage)
        return;
    CPictureDC image(dc, m_pImage.Get());
    ::BitBlt(dc, left, top, right - left, bottom - top, image.Get(), m_rcImage.left, m_rcImage.top,
             SRCCOPY);
}

void CPage::UpdateThumbnail(HDC dc)
{
    if (!m_pImage || !m_pImage->m_pBits)
        return;
    CDibRef thumbnail = CreatePictureSection(dc, THUMBNAIL_SIZE, THUMBNAIL_SIZE);
    if (!thumbnail)
        return;
    int width = m_pImage->Width();
    int height = m_pImage->Height();
    int stride = (width * 3 + 3) & ~3;
    // The page image's own rows, bottom-up: GDI+ reads them in place, top row first, through
    // a negative stride; nothing is copied.
    Gdiplus::Bitmap page(width, height, -stride, PixelFormat24bppRGB,
                         m_pImage->m_pBits + static_cast<size_t>(height - 1) * stride);
    {
        CPictureDC target(dc, thumbnail.Get());
        Gdiplus::Graphics graphics(target.Get());
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        // Mirrored edges: the filter then finds page colour, not emptiness, beyond the border.
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        graphics.DrawImage(&page, Gdiplus::Rect(0, 0, THUMBNAIL_SIZE, THUMBNAIL_SIZE), 0, 0, width,
                           height, Gdiplus::UnitPixel, &edges);
    }
    m_pThumbnail = std::move(thumbnail);
}

void CPage::ReleaseImages()
{
    m_background.ReleaseCache();
    m_pImage.Reset();
}

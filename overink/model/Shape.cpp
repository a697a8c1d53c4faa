#include "overink/model/Shape.h"

#include "framework/Handles.h"
#include "overink/model/Erase.h"

#include <algorithm>

namespace {

// The final pen and the layer's raster operation, restored on scope exit.
class CInk {
public:
    CInk(HDC dc, int width, COLORREF colour, int rop)
        : m_dc(dc), m_pen(::CreatePen(PS_SOLID, width, colour)), m_select(dc, m_pen.Get()),
          m_nOldRop(::SetROP2(dc, rop))
    {
    }
    ~CInk() { ::SetROP2(m_dc, m_nOldRop); }
    CInk(const CInk&) = delete;
    CInk& operator=(const CInk&) = delete;

private:
    HDC m_dc;
    CPen m_pen;
    CSelectObject m_select;
    int m_nOldRop;
};

// The preview: a dotted pen inverting what lies below, so drawing it twice removes it.
class CPreviewInk {
public:
    CPreviewInk(HDC dc, COLORREF colour)
        : m_dc(dc), m_pen(::CreatePen(PS_DOT, 1, colour)), m_select(dc, m_pen.Get()),
          m_brush(dc, ::GetStockObject(NULL_BRUSH)), m_nOldRop(::SetROP2(dc, R2_NOT))
    {
    }
    ~CPreviewInk() { ::SetROP2(m_dc, m_nOldRop); }
    CPreviewInk(const CPreviewInk&) = delete;
    CPreviewInk& operator=(const CPreviewInk&) = delete;

private:
    HDC m_dc;
    CPen m_pen;
    CSelectObject m_select;
    CSelectObject m_brush;
    int m_nOldRop;
};

void Segment(HDC dc, POINT from, POINT to)
{
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, to.y);
}

} // namespace

void CShape::BeginDraw(int x, int y, int width, COLORREF colour, int elapsed, int eraser, int layer,
                       int brush)
{
    m_ptStart = m_ptLast = POINT{x, y};
    m_nWidth = static_cast<short>(width);
    m_crColor = colour;
    m_nElapsed = elapsed;
    m_bEraser = static_cast<short>(eraser);
    m_nLayer = static_cast<short>(layer);
    m_bBrush = brush;
}

void CShape::SetBound(const std::vector<POINT>& points)
{
    if (points.empty())
        return;
    int margin = m_nWidth + (m_bEraser ? 10 : 5);
    LONG left = points[0].x, top = points[0].y, right = left, bottom = top;
    for (const POINT& p : points) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    m_rcBound.left = std::max<LONG>(left - margin, 0);
    m_rcBound.top = std::max<LONG>(top - margin, 0);
    m_rcBound.right = right + margin;
    m_rcBound.bottom = bottom + margin;
}

// Strokes.

void CStroke::BeginDraw(int x, int y, int width, COLORREF colour, int elapsed, int eraser, int layer,
                        int brush)
{
    CShape::BeginDraw(x, y, width, colour, elapsed, eraser, layer, brush);
    m_points.assign(1, POINT{x, y});
    m_nPhase = 1;
}

void CStroke::AddPoint(int x, int y)
{
    if (m_points.empty() || m_points.back().x != x || m_points.back().y != y)
        m_points.push_back(POINT{x, y});
}

void CStroke::Ring(HDC dc, POINT centre) const
{
    int h = m_nWidth / 2;
    int oldRop = ::SetROP2(dc, R2_NOT);
    ::Arc(dc, centre.x - h, centre.y - h, centre.x + h, centre.y + h, 0, 0, 0, 0);
    ::SetROP2(dc, oldRop);
}

void CStroke::PreviewFigure(HDC dc, POINT to) const
{
    CPreviewInk preview(dc, m_crColor);
    switch (m_nEraserShape) {
    case ERASE_LINE:
        Segment(dc, m_ptStart, to);
        break;
    case ERASE_ELLIPSE:
        ::Ellipse(dc, m_ptStart.x, m_ptStart.y, to.x, to.y);
        break;
    case ERASE_RECTANGLE:
        ::Rectangle(dc, m_ptStart.x, m_ptStart.y, to.x, to.y);
        break;
    default:
        break;
    }
}

void CStroke::EraserDrag(HDC dc, int x, int y)
{
    POINT to{x, y};
    if (m_nEraserShape == ERASE_FREEFORM) {
        if (m_nPhase == 2)
            Ring(dc, m_ptLast);
        EraseSegment(dc, m_ptLast, to, m_nWidth, m_crColor);
        Ring(dc, to);
        return;
    }
    // The preview on screen always reaches the last drag point, so taking it down inverts that
    // same figure; the first drag has nothing to take down.
    if (m_bPreviewArmed)
        PreviewFigure(dc, m_ptLast);
    PreviewFigure(dc, to);
}

void CStroke::DragTo(int x, int y, HDC dcA, HDC dcB)
{
    if (!m_bEraser) {
        if (dcA) {
            CInk ink(dcA, m_nWidth, m_crColor, LayerRop());
            Segment(dcA, m_ptLast, POINT{x, y});
        }
    } else {
        // Both layers see the same previous point; the preview is armed once for both.
        for (HDC dc : {dcA, dcB})
            if (dc)
                EraserDrag(dc, x, y);
        if (m_nEraserShape != ERASE_FREEFORM)
            m_bPreviewArmed = 1;
    }
    m_ptLast = POINT{x, y};
    AddPoint(x, y);
    m_nPhase = 2;
}

void CStroke::EraserFinish(HDC dc, int x, int y)
{
    POINT to{x, y};
    // The preview on screen is the one to the last drag point; inverting it again removes it
    // even when the release comes somewhere else.
    if (m_nEraserShape != ERASE_FREEFORM && m_bPreviewArmed)
        PreviewFigure(dc, m_ptLast);
    switch (m_nEraserShape) {
    case ERASE_LINE:
        EraseSegment(dc, m_ptStart, to, m_nWidth, m_crColor);
        break;
    case ERASE_ELLIPSE:
        EraseEllipse(dc, m_ptStart, to, m_crColor);
        break;
    case ERASE_RECTANGLE:
        EraseRectangle(dc, m_ptStart, to, m_crColor);
        break;
    default:
        if (m_nPhase == 2)
            Ring(dc, m_ptLast);
        EraseSegment(dc, m_ptLast, to, m_nWidth, m_crColor);
        break;
    }
}

void CStroke::FinishDraw(int x, int y, HDC dcA, HDC dcB)
{
    if (m_bEraser) {
        for (HDC dc : {dcA, dcB})
            if (dc)
                EraserFinish(dc, x, y);
        m_bPreviewArmed = 0;
    }
    m_ptLast = POINT{x, y};
    AddPoint(x, y);
    SetBound(m_points);
    m_nPhase = 3;
}

void CStroke::Draw(HDC dc)
{
    if (m_bEraser || m_points.empty())
        return;
    int oldRop = ::SetROP2(dc, R2_MASKPEN);
    ::MoveToEx(dc, m_points[0].x, m_points[0].y, nullptr);
    for (size_t i = 1; i < m_points.size(); ++i)
        ::LineTo(dc, m_points[i].x, m_points[i].y);
    ::SetROP2(dc, oldRop);
}

// Two-point figures.

void CFigure::Preview(HDC dc, POINT to) const
{
    CPreviewInk preview(dc, m_crColor);
    Figure(dc, m_ptStart, to);
}

void CFigure::BeginDraw(int x, int y, int width, COLORREF colour, int elapsed, int eraser, int layer,
                        int brush)
{
    CShape::BeginDraw(x, y, width, colour, elapsed, eraser, layer, brush);
    m_nPhase = 1;
}

void CFigure::DragTo(int x, int y, HDC dcA, HDC)
{
    if (dcA) {
        Preview(dcA, m_ptLast);   // removes the previous preview
        Preview(dcA, POINT{x, y});
    }
    m_ptLast = POINT{x, y};
    m_nPhase = 2;
}

void CFigure::FinishDraw(int x, int y, HDC dcA, HDC)
{
    m_ptEnd = POINT{x, y};
    SetBound({m_ptStart, m_ptEnd});
    if (dcA) {
        Preview(dcA, m_ptLast);
        if (!m_bEraser) {
            CInk ink(dcA, m_nWidth, m_crColor, LayerRop());
            Figure(dcA, m_ptStart, m_ptEnd);
        }
    }
    m_ptLast = m_ptEnd;
    m_nPhase = 3;
}

void CFigure::Draw(HDC dc)
{
    CPen pen(::CreatePen(PS_SOLID, m_nWidth, m_crColor));
    CSelectObject selected(dc, pen.Get());
    int oldRop = m_bEraser ? ::GetROP2(dc) : ::SetROP2(dc, LayerRop());
    Figure(dc, m_ptStart, m_ptEnd);
    ::SetROP2(dc, oldRop);
}

void CLine::Figure(HDC dc, POINT from, POINT to) const
{
    Segment(dc, from, to);
}

void CCircle::Figure(HDC dc, POINT from, POINT to) const
{
    ::Arc(dc, from.x, from.y, to.x, to.y, 0, 0, 0, 0);
}

void CRectangle::Figure(HDC dc, POINT from, POINT to) const
{
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, to.x, from.y);
    ::LineTo(dc, to.x, to.y);
    ::LineTo(dc, from.x, to.y);
    ::LineTo(dc, from.x, from.y);
}

#include "board/Shape.h"

#include "board/BoardContext.h"
#include "framework/Handles.h"
#include "view/background/PageBackground.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include <gdiplus.h>

// The GDI+ side of one drawing call: a Graphics object on the target and the shape's pen,
// made on first use and released when the call returns. A whole stroke drawn into the page
// image shares them across its segments.
class CInkPainter {
public:
    CInkPainter(const CShape& shape, HDC dc) : m_shape(shape), m_dc(dc) {}
    CInkPainter(const CInkPainter&) = delete;
    CInkPainter& operator=(const CInkPainter&) = delete;

    HDC Dc() const { return m_dc; }

    Gdiplus::Graphics& Graphics()
    {
        if (!m_graphics) {
            m_graphics = std::make_unique<Gdiplus::Graphics>(m_dc);
            m_graphics->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
            m_graphics->SetCompositingQuality(Gdiplus::CompositingQualityGammaCorrected);
        }
        return *m_graphics;
    }

    // The pen of the shape's style: opaque ink, translucent highlighter, or the board colour
    // for the eraser on a colour background.
    Gdiplus::Pen& Pen()
    {
        if (!m_pen) {
            m_pen = std::make_unique<Gdiplus::Pen>(InkColour(),
                                                   static_cast<Gdiplus::REAL>(m_shape.m_nWidth));
            m_pen->SetLineCap(Gdiplus::LineCapRound, Gdiplus::LineCapRound, Gdiplus::DashCapRound);
            if (m_shape.m_nStyle == STYLE_HIGHLIGHTER || m_shape.m_nType == SHAPE_RECTANGLE)
                m_pen->SetLineJoin(Gdiplus::LineJoinRound);
        }
        return *m_pen;
    }

    Gdiplus::Color InkColour() const
    {
        COLORREF colour = m_shape.m_crColor;
        BYTE alpha = 0xFF;
        if (m_shape.m_nStyle == STYLE_HIGHLIGHTER)
            alpha = HighlighterAlpha();
        else if (m_shape.m_nStyle == STYLE_ERASER && m_shape.m_pBackground)
            colour = m_shape.m_pBackground->m_crColor;
        return Gdiplus::Color(alpha, GetRValue(colour), GetGValue(colour), GetBValue(colour));
    }

private:
    const CShape& m_shape;
    HDC m_dc;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
    std::unique_ptr<Gdiplus::Pen> m_pen;
};

namespace {

bool IsValidStyle(int style)
{
    return style >= STYLE_ERASER && style <= STYLE_PEN;
}

Gdiplus::Rect BoxOf(int x1, int y1, int x2, int y2)
{
    return Gdiplus::Rect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

void DrawTwoPoints(CInkPainter& painter, int x1, int y1, int x2, int y2)
{
    Gdiplus::Point points[2] = {Gdiplus::Point(x1, y1), Gdiplus::Point(x2, y2)};
    painter.Graphics().DrawLines(&painter.Pen(), points, 2);
}

// The raster operation for the length of one preview.
class CRop2 {
public:
    CRop2(HDC dc, bool invert) : m_dc(dc), m_nOld(invert ? ::SetROP2(dc, R2_NOT) : 0) {}
    ~CRop2()
    {
        if (m_nOld)
            ::SetROP2(m_dc, m_nOld);
    }
    CRop2(const CRop2&) = delete;
    CRop2& operator=(const CRop2&) = delete;

private:
    HDC m_dc;
    int m_nOld;
};

} // namespace

// ---- CShape ----

void CShape::Draw(HDC) {}
void CShape::FinishDraw(int, int, HDC) {}
void CShape::DragTo(int, int, HDC) {}
void CShape::BeginDraw(int, int, int, COLORREF, int, HDC) {}

void CShape::GetBoundRect(RECT* out)
{
    *out = m_rcBound;
}

void CShape::StoreStart(int x, int y, int width, COLORREF colour, int style)
{
    m_ptStart = m_ptLast = POINT{x, y};
    m_nWidth = static_cast<short>(width & 0xFFFF);
    m_crColor = colour;
    m_nStyle = style;
}

void CShape::CopyFieldsTo(CShape& copy) const
{
    copy.m_nType = m_nType;
    copy.m_ptStart = m_ptStart;
    copy.m_ptLast = m_ptLast;
    copy.m_ptEnd = m_ptEnd;
    copy.m_rcBound = m_rcBound;
    copy.m_crColor = m_crColor;
    copy.m_nWidth = m_nWidth;
    copy.m_nStyle = m_nStyle;
    copy.m_pNext = nullptr;
    copy.m_bHidden = 0;
    copy.m_bUndoable = 0;
}

int CShape::BoundMargin() const
{
    return m_nWidth + (m_nStyle == STYLE_ERASER ? 10 : 5);
}

void CShape::SetBoundRect(int minX, int minY, int maxX, int maxY)
{
    int margin = BoundMargin();
    int left = minX - margin;
    int top = minY - margin;
    m_rcBound = RECT{left > 0 ? left : 0, top > 0 ? top : 0, maxX + margin, maxY + margin};
}

void CShape::DrawSegment(CInkPainter& painter, int x1, int y1, int x2, int y2)
{
    if (m_nType < SHAPE_STROKE || m_nType > SHAPE_RECTANGLE)
        return;
    switch (m_nStyle) {
    case STYLE_PEN:
        DrawPenSegment(painter, x1, y1, x2, y2);
        break;
    case STYLE_HIGHLIGHTER:
        DrawHighlightSegment(painter, x1, y1, x2, y2);
        break;
    case STYLE_ERASER:
        DrawEraserSegment(painter, x1, y1, x2, y2);
        break;
    default:
        break;
    }
}

void CShape::DrawPenSegment(CInkPainter& painter, int x1, int y1, int x2, int y2)
{
    Gdiplus::Graphics& graphics = painter.Graphics();
    if (x1 == x2 && y1 == y2) {
        // A press without movement: a one-pixel line whose round caps make a dot.
        DrawTwoPoints(painter, x1, y1, x2, y2 + 1);
    } else if (m_nType == SHAPE_CIRCLE) {
        graphics.DrawArc(&painter.Pen(), BoxOf(x1, y1, x2, y2), 0.0f, 360.0f);
    } else if (m_nType == SHAPE_RECTANGLE) {
        graphics.DrawRectangle(&painter.Pen(), BoxOf(x1, y1, x2, y2));
    } else {
        DrawTwoPoints(painter, x1, y1, x2, y2);
    }
}

void CShape::DrawHighlightSegment(CInkPainter& painter, int x1, int y1, int x2, int y2)
{
    Gdiplus::Graphics& graphics = painter.Graphics();
    if (m_nType == SHAPE_CIRCLE) {
        graphics.DrawArc(&painter.Pen(), BoxOf(x1, y1, x2, y2), 0.0f, 360.0f);
    } else if (m_nType == SHAPE_RECTANGLE) {
        // One closed polyline, so the corners are not covered twice.
        Gdiplus::Point outline[5] = {Gdiplus::Point(x1, y1), Gdiplus::Point(x2, y1),
                                     Gdiplus::Point(x2, y2), Gdiplus::Point(x1, y2),
                                     Gdiplus::Point(x1, y1)};
        graphics.DrawLines(&painter.Pen(), outline, 5);
    } else {
        DrawTwoPoints(painter, x1, y1, x2, y2);
    }
}

void CShape::DrawEraserSegment(CInkPainter& painter, int x1, int y1, int x2, int y2)
{
    if (!m_pBackground)
        return;
    if (m_pBackground->m_nKind == CPageBackground::KIND_COLOUR) {
        Gdiplus::Graphics& graphics = painter.Graphics();
        if (m_nType == SHAPE_CIRCLE || m_nType == SHAPE_RECTANGLE) {
            Gdiplus::SolidBrush brush(painter.InkColour());
            if (m_nType == SHAPE_CIRCLE)
                graphics.FillEllipse(&brush, BoxOf(x1, y1, x2, y2));
            else
                graphics.FillRectangle(&brush, BoxOf(x1, y1, x2, y2));
        } else {
            // A press without movement takes back a dot, as it does on a picture background.
            DrawTwoPoints(painter, x1, y1, x2, (x1 == x2 && y1 == y2) ? y2 + 1 : y2);
        }
        return;
    }
    CRgn region;
    if (m_nType == SHAPE_CIRCLE)
        region.Reset(::CreateEllipticRgn(x1, y1, x2, y2));
    else if (m_nType == SHAPE_RECTANGLE)
        region.Reset(::CreateRectRgn(x1, y1, x2, y2));
    else
        region.Reset(CreateSegmentRegion(x1, y1, x2, y2));
    if (!region)
        return;
    HDC dc = painter.Dc();
    // Within any clipping the caller has set (a page repainting one rectangle), so that nothing
    // outside it is drawn twice; the caller's clipping comes back afterwards.
    CSaveDC saved(dc);
    ::ExtSelectClipRgn(dc, region.Get(), RGN_AND);
    RECT board = GetBoardRect();
    m_pBackground->DrawBackground(dc, board.left, board.top, board.right, board.bottom);
}

HRGN CShape::CreateSegmentRegion(int x1, int y1, int x2, int y2) const
{
    double w = m_nWidth;
    double s = 0.5 * w;
    double c = 0.0;
    if (x1 != x2) {
        double theta = std::atan(static_cast<double>(y2 - y1) / static_cast<double>(x2 - x1));
        s = 0.5 * w * std::sin(theta);
        c = 0.5 * w * std::cos(theta);
    }
    POINT corners[4] = {
        {static_cast<LONG>(x1 - s), static_cast<LONG>(y1 + c)},
        {static_cast<LONG>(x2 - s), static_cast<LONG>(y2 + c)},
        {static_cast<LONG>(x2 + s), static_cast<LONG>(y2 - c)},
        {static_cast<LONG>(x1 + s), static_cast<LONG>(y1 - c)},
    };
    HRGN band = ::CreatePolygonRgn(corners, 4, WINDING);
    if (!band)
        return nullptr;
    int h = m_nWidth / 2;
    CRgn startCap(::CreateEllipticRgn(x1 - h, y1 - h, x1 + h, y1 + h));
    CRgn endCap(::CreateEllipticRgn(x2 - h, y2 - h, x2 + h, y2 + h));
    if (startCap)
        ::CombineRgn(band, band, startCap.Get(), RGN_OR);
    if (endCap)
        ::CombineRgn(band, band, endCap.Get(), RGN_OR);
    return band;
}

void CShape::DrawPreview(int x1, int y1, int x2, int y2, bool invert, HDC dc) const
{
    CRop2 rop(dc, invert);
    switch (m_nType) {
    case SHAPE_STROKE:
    case SHAPE_LINE:
        ::MoveToEx(dc, x1, y1, nullptr);
        ::LineTo(dc, x2, y2);
        break;
    case SHAPE_CIRCLE:
        ::Arc(dc, x1, y1, x2, y2, 0, 0, 0, 0);
        break;
    case SHAPE_RECTANGLE:
        ::MoveToEx(dc, x1, y1, nullptr);
        ::LineTo(dc, x2, y1);
        ::LineTo(dc, x2, y2);
        ::LineTo(dc, x1, y2);
        ::LineTo(dc, x1, y1);
        break;
    default:
        break;
    }
}

void CShape::DrawEraserRing(int x, int y, HDC dc) const
{
    int h = m_nWidth / 2;
    CRop2 rop(dc, true);
    ::Arc(dc, x - h, y - h, x + h, y + h, 0, 0, 0, 0);
}

// ---- CStroke ----

void CStroke::BeginDraw(int x, int y, int width, COLORREF colour, int style, HDC dc)
{
    if (m_bHidden)
        return;
    StoreStart(x, y, width, colour, style);
    AddPoint(x, y);
    if (style == STYLE_HIGHLIGHTER) {
        DrawPreview(x, y, x, y, false, dc);
    } else {
        CInkPainter painter(*this, dc);
        DrawSegment(painter, x, y, x, y);
    }
    if (style == STYLE_ERASER)
        DrawEraserRing(x, y, dc);
}

void CStroke::DragTo(int x, int y, HDC dc)
{
    if (m_bHidden)
        return;
    if (m_nStyle == STYLE_ERASER)
        DrawEraserRing(m_ptLast.x, m_ptLast.y, dc);
    {
        CInkPainter painter(*this, dc);
        if (m_nStyle == STYLE_HIGHLIGHTER)
            DrawHighlightSegment(painter, m_ptLast.x, m_ptLast.y, x, y);
        else
            DrawSegment(painter, m_ptLast.x, m_ptLast.y, x, y);
    }
    if (m_nStyle == STYLE_ERASER)
        DrawEraserRing(x, y, dc);
    m_ptLast = POINT{x, y};
    AddPoint(x, y);
}

void CStroke::FinishDraw(int x, int y, HDC dc)
{
    if (m_bHidden)
        return;
    if (m_nStyle == STYLE_ERASER)
        DrawEraserRing(m_ptLast.x, m_ptLast.y, dc);
    if (m_nStyle == STYLE_HIGHLIGHTER) {
        DrawPreview(m_ptLast.x, m_ptLast.y, x, y, false, dc);
    } else {
        CInkPainter painter(*this, dc);
        DrawSegment(painter, m_ptLast.x, m_ptLast.y, x, y);
    }
    m_ptLast = POINT{x, y};
    AddPoint(x, y);
    ComputeBoundRect();
}

void CStroke::Draw(HDC dc)
{
    if (m_bHidden || !m_pFirstPoint || !IsValidStyle(m_nStyle))
        return;
    CInkPainter painter(*this, dc);
    if (m_nStyle == STYLE_HIGHLIGHTER) {
        DrawHighlightStroke(painter);
        return;
    }
    // The first point is paired with itself, so a stroke of one point shows a dot.
    const StrokePoint* previous = m_pFirstPoint;
    for (const StrokePoint* p = m_pFirstPoint; p; p = p->pNext) {
        DrawSegment(painter, static_cast<int>(previous->x), static_cast<int>(previous->y),
                    static_cast<int>(p->x), static_cast<int>(p->y));
        previous = p;
    }
}

// One polyline for the whole stroke: where the stroke crosses itself the translucent ink is
// laid once, not twice.
void CStroke::DrawHighlightStroke(CInkPainter& painter)
{
    std::vector<Gdiplus::Point> points;
    points.reserve(std::min(CountPoints(), MAX_HIGHLIGHT_POINTS));
    for (const StrokePoint* p = m_pFirstPoint; p && points.size() < MAX_HIGHLIGHT_POINTS;
         p = p->pNext)
        points.emplace_back(static_cast<INT>(p->x), static_cast<INT>(p->y));
    if (points.size() < 2)
        return;
    painter.Graphics().DrawLines(&painter.Pen(), points.data(), static_cast<INT>(points.size()));
}

void CStroke::AddPoint(int x, int y)
{
    float fx = static_cast<float>(x);
    float fy = static_cast<float>(y);
    if (m_pLastPoint && m_pLastPoint->x == fx && m_pLastPoint->y == fy)
        return;
    StrokePoint* point = new (std::nothrow) StrokePoint{fx, fy, nullptr};
    if (!point)
        return;
    if (m_pLastPoint)
        m_pLastPoint->pNext = point;
    else
        m_pFirstPoint = point;
    m_pLastPoint = point;
}

int CStroke::CountPoints() const
{
    int count = 0;
    for (const StrokePoint* p = m_pFirstPoint; p; p = p->pNext)
        ++count;
    return count;
}

void CStroke::ReleasePoints()
{
    StrokePoint* p = m_pFirstPoint;
    while (p) {
        StrokePoint* next = p->pNext;
        delete p;
        p = next;
    }
    m_pFirstPoint = m_pLastPoint = nullptr;
}

void CStroke::ComputeBoundRect()
{
    if (!m_pFirstPoint)
        return;
    float minX = m_pFirstPoint->x, maxX = minX;
    float minY = m_pFirstPoint->y, maxY = minY;
    for (const StrokePoint* p = m_pFirstPoint->pNext; p; p = p->pNext) {
        minX = std::min(minX, p->x);
        maxX = std::max(maxX, p->x);
        minY = std::min(minY, p->y);
        maxY = std::max(maxY, p->y);
    }
    SetBoundRect(static_cast<int>(minX), static_cast<int>(minY), static_cast<int>(maxX),
                 static_cast<int>(maxY));
}

CShape* CStroke::Clone(CPageBackground* background)
{
    CStroke* copy = new (std::nothrow) CStroke(background);
    if (!copy)
        return nullptr;
    CopyFieldsTo(*copy);
    for (const StrokePoint* p = m_pFirstPoint; p; p = p->pNext)
        copy->AddPoint(static_cast<int>(p->x), static_cast<int>(p->y));
    return copy;
}

// ---- Lines, circles, rectangles ----

void CTwoPointShape::BeginDraw(int x, int y, int width, COLORREF colour, int style, HDC dc)
{
    if (m_bHidden)
        return;
    StoreStart(x, y, width, colour, style);
    DrawPreview(x, y, x, y, true, dc);
}

void CTwoPointShape::DragTo(int x, int y, HDC dc)
{
    if (m_bHidden)
        return;
    DrawPreview(m_ptStart.x, m_ptStart.y, m_ptLast.x, m_ptLast.y, true, dc);
    DrawPreview(m_ptStart.x, m_ptStart.y, x, y, true, dc);
    m_ptLast = POINT{x, y};
}

void CTwoPointShape::FinishDraw(int x, int y, HDC dc)
{
    if (m_bHidden)
        return;
    m_ptEnd = POINT{x, y};
    int startX = m_ptStart.x, startY = m_ptStart.y;
    SetBoundRect(std::min(startX, x), std::min(startY, y), std::max(startX, x), std::max(startY, y));
    DrawPreview(m_ptStart.x, m_ptStart.y, m_ptLast.x, m_ptLast.y, true, dc);
    CInkPainter painter(*this, dc);
    DrawSegment(painter, m_ptStart.x, m_ptStart.y, m_ptEnd.x, m_ptEnd.y);
}

void CTwoPointShape::Draw(HDC dc)
{
    if (m_bHidden)
        return;
    CInkPainter painter(*this, dc);
    DrawSegment(painter, m_ptStart.x, m_ptStart.y, m_ptEnd.x, m_ptEnd.y);
}

CShape* CLine::Clone(CPageBackground* background)
{
    return CloneAs<CLine>(background);
}

CShape* CCircle::Clone(CPageBackground* background)
{
    return CloneAs<CCircle>(background);
}

CShape* CRectangle::Clone(CPageBackground* background)
{
    return CloneAs<CRectangle>(background);
}

CShape* CreateShape(int type, CPageBackground* background)
{
    switch (type) {
    case SHAPE_STROKE:
        return new (std::nothrow) CStroke(background);
    case SHAPE_LINE:
        return new (std::nothrow) CLine(background);
    case SHAPE_CIRCLE:
        return new (std::nothrow) CCircle(background);
    case SHAPE_RECTANGLE:
        return new (std::nothrow) CRectangle(background);
    default:
        return nullptr;
    }
}

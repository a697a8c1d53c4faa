#include "overink/model/PaintLayer.h"

#include "framework/Handles.h"
#include "overink/model/Erase.h"

namespace {

void PaintEraserStroke(HDC dc, const CStroke& stroke, COLORREF key)
{
    const std::vector<POINT>& p = stroke.Points();
    if (p.empty())
        return;
    if (stroke.m_nEraserShape == ERASE_FREEFORM)
        for (size_t i = 1; i < p.size(); ++i)
            EraseSegment(dc, p[i - 1], p[i], stroke.m_nWidth, key);
    switch (stroke.m_nEraserShape) {
    case ERASE_LINE:
        EraseSegment(dc, p.front(), p.back(), stroke.m_nWidth, key);
        break;
    case ERASE_ELLIPSE:
        EraseEllipse(dc, p.front(), p.back(), key);
        break;
    case ERASE_RECTANGLE:
        EraseRectangle(dc, p.front(), p.back(), key);
        break;
    default:
        break;
    }
}

void PaintInkStroke(HDC dc, const CStroke& stroke, int rop)
{
    const std::vector<POINT>& p = stroke.Points();
    if (p.size() < 2)
        return;
    CPen pen(::CreatePen(PS_SOLID, stroke.m_nWidth, stroke.m_crColor));
    CSelectObject selected(dc, pen.Get());
    int oldRop = ::SetROP2(dc, rop);
    ::Polyline(dc, p.data(), static_cast<int>(p.size()));
    ::SetROP2(dc, oldRop);
}

} // namespace

void PaintLayer(HDC dc, const CPage& page, int layer, COLORREF keyColour)
{
    int rop = layer == LAYER_PEN ? R2_COPYPEN : R2_MASKPEN;
    for (CShape* shape = page.GetFirst(); shape; shape = shape->m_pNext) {
        if (shape->m_nLayer != LAYER_BOTH && shape->m_nLayer != layer)
            continue;
        if (shape->m_nType != KIND_STROKE) {
            shape->Draw(dc);
            continue;
        }
        // The eraser is told by what it is, not by its colour, and clears to the key the layer is
        // filled with now: the key may have changed since it was drawn, and ink may have that
        // colour by then.
        const auto& stroke = static_cast<const CStroke&>(*shape);
        if (stroke.m_bEraser)
            PaintEraserStroke(dc, stroke, keyColour);
        else
            PaintInkStroke(dc, stroke, rop);
    }
}

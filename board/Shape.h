// The whiteboard's shapes: one gesture of the presenter each (free-hand stroke, line, circle or
// rectangle) in one style (pen, highlighter or eraser). A shape draws itself live on the screen
// while it grows and again, whole, into the page image. Final ink is GDI+ (antialiased, round
// caps); the aiming previews of lines, circles and rectangles are plain inverting GDI.
#pragma once

#include "app/settings/ToolSettings.h"   // the shape and style codes

#include <windows.h>

#include <new>

class CPageBackground;
class CInkPainter;

// The highlighter draws a whole stroke as one polyline of at most this many points.
constexpr int MAX_HIGHLIGHT_POINTS = 30000;

struct StrokePoint {
    float x;
    float y;
    StrokePoint* pNext;
};

class CShape {
public:
    virtual void Draw(HDC dc);
    virtual void FinishDraw(int x, int y, HDC dc);
    virtual void DragTo(int x, int y, HDC dc);
    virtual void GetBoundRect(RECT* out);
    virtual void BeginDraw(int x, int y, int width, COLORREF colour, int style, HDC dc);
    // A visible copy for another page that cannot be undone there.
    virtual CShape* Clone(CPageBackground* background) = 0;
    virtual ~CShape() = default;

    CShape(const CShape&) = delete;
    CShape& operator=(const CShape&) = delete;

    int m_nType;
    CShape* m_pNext = nullptr;
    POINT m_ptStart{};
    POINT m_ptLast{};
    POINT m_ptEnd{};
    RECT m_rcBound{};
    COLORREF m_crColor = 0;
    short m_nWidth = 0;
    int m_nStyle = 0;
    int m_bHidden = 0;
    int m_bUndoable = 1;
    CPageBackground* m_pBackground;

    // The area the eraser takes back between two points: a band of the eraser's width with
    // round ends. The caller owns the region.
    HRGN CreateSegmentRegion(int x1, int y1, int x2, int y2) const;

protected:
    CShape(int type, CPageBackground* background) : m_nType(type), m_pBackground(background) {}

    void StoreStart(int x, int y, int width, COLORREF colour, int style);
    void CopyFieldsTo(CShape& copy) const;
    // Margin around the ink: the pen's half width and the antialiased fringe, more for the
    // eraser, whose ring and round ends reach further.
    int BoundMargin() const;
    void SetBoundRect(int minX, int minY, int maxX, int maxY);

    void DrawSegment(CInkPainter& painter, int x1, int y1, int x2, int y2);
    void DrawPenSegment(CInkPainter& painter, int x1, int y1, int x2, int y2);
    void DrawHighlightSegment(CInkPainter& painter, int x1, int y1, int x2, int y2);
    void DrawEraserSegment(CInkPainter& painter, int x1, int y1, int x2, int y2);
    void DrawPreview(int x1, int y1, int x2, int y2, bool invert, HDC dc) const;
    void DrawEraserRing(int x, int y, HDC dc) const;

    friend class CInkPainter;
};

class CStroke : public CShape {
public:
    explicit CStroke(CPageBackground* background) : CShape(SHAPE_STROKE, background) {}
    ~CStroke() override { ReleasePoints(); }

    void Draw(HDC dc) override;
    void FinishDraw(int x, int y, HDC dc) override;
    void DragTo(int x, int y, HDC dc) override;
    void BeginDraw(int x, int y, int width, COLORREF colour, int style, HDC dc) override;
    CShape* Clone(CPageBackground* background) override;
    virtual void ReleasePoints();

    // Appends a point unless it repeats the last one.
    void AddPoint(int x, int y);
    int CountPoints() const;

    StrokePoint* m_pFirstPoint = nullptr;
    StrokePoint* m_pLastPoint = nullptr;

private:
    void DrawHighlightStroke(CInkPainter& painter);
    void ComputeBoundRect();
};

// Lines, circles and rectangles: two points, aimed with an inverting preview.
class CTwoPointShape : public CShape {
public:
    void Draw(HDC dc) override;
    void FinishDraw(int x, int y, HDC dc) override;
    void DragTo(int x, int y, HDC dc) override;
    void BeginDraw(int x, int y, int width, COLORREF colour, int style, HDC dc) override;
    virtual void ReleasePoints() {}

protected:
    using CShape::CShape;

    // A visible, not undoable copy of this shape as a T bound to the background.
    template <class T>
    CShape* CloneAs(CPageBackground* background) const
    {
        T* copy = new (std::nothrow) T(background);
        if (copy)
            CopyFieldsTo(*copy);
        return copy;
    }
};

class CLine : public CTwoPointShape {
public:
    explicit CLine(CPageBackground* background) : CTwoPointShape(SHAPE_LINE, background) {}
    CShape* Clone(CPageBackground* background) override;
};

class CCircle : public CTwoPointShape {
public:
    explicit CCircle(CPageBackground* background) : CTwoPointShape(SHAPE_CIRCLE, background) {}
    CShape* Clone(CPageBackground* background) override;
};

class CRectangle : public CTwoPointShape {
public:
    explicit CRectangle(CPageBackground* background)
        : CTwoPointShape(SHAPE_RECTANGLE, background)
    {
    }
    CShape* Clone(CPageBackground* background) override;
};

// A new shape of the type (SHAPE_*) bound to the background; null for any other type.
CShape* CreateShape(int type, CPageBackground* background);

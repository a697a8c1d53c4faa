// The shapes of the desktop annotations. Each shape belongs to a layer and draws itself live into
// the layer windows' device contexts while the presenter drags; the eraser is a free-hand stroke
// in the key colour that clears both layers.
#pragma once

#include <windows.h>

#include <vector>

// Layers of the desktop drawing.
inline constexpr int LAYER_PEN = 0;
inline constexpr int LAYER_HIGHLIGHT = 1;
inline constexpr int LAYER_BOTH = -1;   // the eraser

// Shape kinds, counted from 0.
inline constexpr int KIND_STROKE = 0;
inline constexpr int KIND_LINE = 1;
inline constexpr int KIND_CIRCLE = 2;
inline constexpr int KIND_RECTANGLE = 3;

// Erasing forms of an eraser stroke.
inline constexpr int ERASE_FREEFORM = 0;
inline constexpr int ERASE_LINE = 1;
inline constexpr int ERASE_ELLIPSE = 2;
inline constexpr int ERASE_RECTANGLE = 3;

class CShape {
public:
    // The finished shape.
    virtual void Draw(HDC dc) { (void)dc; }
    virtual void FinishDraw(int x, int y, HDC dcA, HDC dcB) { (void)x; (void)y; (void)dcA; (void)dcB; }
    virtual void DragTo(int x, int y, HDC dcA, HDC dcB) { (void)x; (void)y; (void)dcA; (void)dcB; }
    virtual void GetBoundRect(RECT* out) const { *out = m_rcBound; }
    virtual void BeginDraw(int x, int y, int width, COLORREF colour, int elapsed, int eraser,
                           int layer, int brush);
    virtual ~CShape() = default;
    virtual void ReleasePoints() {}

    bool IsFinished() const { return m_nPhase == 3; }

    // Raster operation of the shape's layer: opaque ink on the pen layer, masking elsewhere.
    int LayerRop() const { return m_nLayer == LAYER_PEN ? R2_COPYPEN : R2_MASKPEN; }

    int m_nType = KIND_STROKE;
    CShape* m_pNext = nullptr;
    POINT m_ptStart{};
    POINT m_ptLast{};
    POINT m_ptEnd{};
    RECT m_rcBound{};
    COLORREF m_crColor = 0;
    short m_nWidth = 1;
    short m_bEraser = 0;
    short m_nLayer = LAYER_PEN;
    int m_bBrush = 0;
    int m_nPhase = 0;      // 0 created, 1 begun, 2 dragged, 3 finished
    int m_nElapsed = 0;    // milliseconds since the page's previous begin or drag

protected:
    // Bounding rectangle of the given points with the shape's margin.
    void SetBound(const std::vector<POINT>& points);
};

class CStroke : public CShape {
public:
    // Any eraser form maps onto 0..3, negative ones included.
    explicit CStroke(int eraserShape) : m_nEraserShape((eraserShape % 4 + 4) % 4) {}

    void Draw(HDC dc) override;
    void FinishDraw(int x, int y, HDC dcA, HDC dcB) override;
    void DragTo(int x, int y, HDC dcA, HDC dcB) override;
    void BeginDraw(int x, int y, int width, COLORREF colour, int elapsed, int eraser, int layer,
                   int brush) override;
    void ReleasePoints() override { m_points.clear(); }

    const std::vector<POINT>& Points() const { return m_points; }

    int m_nEraserShape;
    int m_bPreviewArmed = 0;

private:
    void AddPoint(int x, int y);
    void EraserDrag(HDC dc, int x, int y);
    void EraserFinish(HDC dc, int x, int y);
    void Ring(HDC dc, POINT centre) const;
    void PreviewFigure(HDC dc, POINT to) const;

    // Whole pixels in drawing order.
    std::vector<POINT> m_points;
};

// Two-point shapes: a line, a circle in the box of the two points, a rectangle.
class CFigure : public CShape {
public:
    void Draw(HDC dc) override;
    void FinishDraw(int x, int y, HDC dcA, HDC dcB) override;
    void DragTo(int x, int y, HDC dcA, HDC dcB) override;
    void BeginDraw(int x, int y, int width, COLORREF colour, int elapsed, int eraser, int layer,
                   int brush) override;

protected:
    virtual void Figure(HDC dc, POINT from, POINT to) const = 0;

private:
    void Preview(HDC dc, POINT to) const;
};

class CLine : public CFigure {
protected:
    void Figure(HDC dc, POINT from, POINT to) const override;
};

class CCircle : public CFigure {
protected:
    void Figure(HDC dc, POINT from, POINT to) const override;
};

class CRectangle : public CFigure {
protected:
    void Figure(HDC dc, POINT from, POINT to) const override;
};

// Vector geometry of the drawings: points, affine transforms and paths made of lines and cubic
// curves. Every drawing primitive is reduced to a path, so rasterising only has to deal with
// straight edges once the path has been flattened in pixel space.
#pragma once

#include <vector>

struct SPoint {
    double x = 0;
    double y = 0;
};

// Maps (x, y) to (a x + c y + e, b x + d y + f), the usual 2 x 3 matrix of vector drawing.
class CAffine {
public:
    CAffine() = default;
    CAffine(double a, double b, double c, double d, double e, double f);

    static CAffine Translate(double dx, double dy);
    static CAffine Scale(double sx, double sy);
    static CAffine Rotate(double degrees);               // clockwise on screen (y grows down)

    SPoint Apply(SPoint p) const;
    CAffine operator*(const CAffine& inner) const;       // apply inner first, then this
    double LinearScale() const;                          // how a stroke width scales

private:
    double m_dA = 1, m_dB = 0, m_dC = 0, m_dD = 1, m_dE = 0, m_dF = 0;
};

// An open or closed run of points, already in pixel space.
struct SPolyline {
    std::vector<SPoint> points;
    bool closed = false;
};

class CPath {
public:
    void MoveTo(SPoint p);
    void LineTo(SPoint p);
    void CubicTo(SPoint c1, SPoint c2, SPoint p);
    void QuadTo(SPoint c, SPoint p);
    // SVG's elliptical arc from the current point to p.
    void ArcTo(double rx, double ry, double rotationDegrees, bool largeArc, bool sweep, SPoint p);
    void Close();

    bool HasCurrentPoint() const { return !m_subpaths.empty(); }
    SPoint CurrentPoint() const;
    bool Empty() const { return m_subpaths.empty(); }

    // Angles in degrees from the +x axis towards +y; the arc runs from a0 to a1 in that sense
    // (or back when a1 < a0). Starts a new subpath.
    void AddArc(SPoint centre, double rx, double ry, double a0, double a1);
    // A closed slice of a disc: centre, out along a0, round to a1, back to the centre.
    void AddPie(SPoint centre, double r, double a0, double a1);
    void AddEllipse(SPoint centre, double rx, double ry);
    void AddRect(double x, double y, double w, double h);
    void AddRoundRect(double x, double y, double w, double h, double r);
    void AddPolygon(const std::vector<SPoint>& points, bool closed);
    // A cog wheel: n teeth reaching out to outerR from a rim of innerR.
    void AddGear(SPoint centre, double outerR, double innerR, int teeth);
    void Append(const CPath& other);

    // Straight-edged version under transform t, no point further than tolerance from the curve.
    std::vector<SPolyline> Flatten(const CAffine& t, double tolerance) const;

private:
    struct SSegment {
        bool cubic = false;
        SPoint c1, c2, p;
    };
    struct SSubpath {
        SPoint start;
        std::vector<SSegment> segments;
        bool closed = false;
    };

    void ContinueSubpath();
    void ArcSegments(SPoint centre, double rx, double ry, double rotation, double a0, double sweep);

    std::vector<SSubpath> m_subpaths;
};

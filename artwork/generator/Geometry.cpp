#include "Geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) { return degrees * kPi / 180.0; }

SPoint Lerp(SPoint a, SPoint b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

SPoint CubicAt(SPoint p0, SPoint p1, SPoint p2, SPoint p3, double t)
{
    double u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

} // namespace

CAffine::CAffine(double a, double b, double c, double d, double e, double f)
    : m_dA(a), m_dB(b), m_dC(c), m_dD(d), m_dE(e), m_dF(f)
{
}

CAffine CAffine::Translate(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }

CAffine CAffine::Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

CAffine CAffine::Rotate(double degrees)
{
    double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    return {c, s, -s, c, 0, 0};
}

SPoint CAffine::Apply(SPoint p) const
{
    return {m_dA * p.x + m_dC * p.y + m_dE, m_dB * p.x + m_dD * p.y + m_dF};
}

CAffine CAffine::operator*(const CAffine& in) const
{
    return {m_dA * in.m_dA + m_dC * in.m_dB,
            m_dB * in.m_dA + m_dD * in.m_dB,
            m_dA * in.m_dC + m_dC * in.m_dD,
            m_dB * in.m_dC + m_dD * in.m_dD,
            m_dA * in.m_dE + m_dC * in.m_dF + m_dE,
            m_dB * in.m_dE + m_dD * in.m_dF + m_dF};
}

// The geometric mean of the two axis scales: exact for rotations and uniform scaling, which is
// all the drawings use; a stretched drawing gets a stroke of the average width.
double CAffine::LinearScale() const { return std::sqrt(std::fabs(m_dA * m_dD - m_dB * m_dC)); }

SPoint CPath::CurrentPoint() const
{
    const SSubpath& s = m_subpaths.back();
    return s.segments.empty() ? s.start : s.segments.back().p;
}

void CPath::MoveTo(SPoint p)
{
    SSubpath s;
    s.start = p;
    m_subpaths.push_back(s);
}

// Drawing on after a close starts a new subpath where the closed one began, as in SVG.
void CPath::ContinueSubpath()
{
    if (m_subpaths.empty())
        MoveTo({0, 0});
    else if (m_subpaths.back().closed)
        MoveTo(m_subpaths.back().start);
}

void CPath::LineTo(SPoint p)
{
    ContinueSubpath();
    SSegment seg;
    seg.p = p;
    m_subpaths.back().segments.push_back(seg);
}

void CPath::CubicTo(SPoint c1, SPoint c2, SPoint p)
{
    ContinueSubpath();
    SSegment seg;
    seg.cubic = true;
    seg.c1 = c1;
    seg.c2 = c2;
    seg.p = p;
    m_subpaths.back().segments.push_back(seg);
}

void CPath::QuadTo(SPoint c, SPoint p)
{
    SPoint p0 = HasCurrentPoint() ? CurrentPoint() : c;
    CubicTo(Lerp(p0, c, 2.0 / 3.0), Lerp(p, c, 2.0 / 3.0), p);
}

void CPath::Close()
{
    if (!m_subpaths.empty())
        m_subpaths.back().closed = true;
}

// Pieces of at most a quarter turn, each one cubic: the usual 4/3 tan(delta/4) handles keep the
// error far below a pixel at the sizes drawn here.
void CPath::ArcSegments(SPoint centre, double rx, double ry, double rotation, double a0, double sweep)
{
    int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (kPi / 2) - 1e-9)));
    double delta = sweep / pieces;
    double k = 4.0 / 3.0 * std::tan(delta / 4);
    double cr = std::cos(rotation), sr = std::sin(rotation);
    auto map = [&](double ux, double uy) {
        double x = rx * ux, y = ry * uy;
        return SPoint{centre.x + cr * x - sr * y, centre.y + sr * x + cr * y};
    };
    for (int i = 0; i < pieces; ++i) {
        double t0 = a0 + delta * i, t1 = t0 + delta;
        double c0 = std::cos(t0), s0 = std::sin(t0), c1 = std::cos(t1), s1 = std::sin(t1);
        CubicTo(map(c0 - k * s0, s0 + k * c0), map(c1 + k * s1, s1 - k * c1), map(c1, s1));
    }
}

void CPath::ArcTo(double rx, double ry, double rotationDegrees, bool largeArc, bool sweep, SPoint p)
{
    SPoint p0 = HasCurrentPoint() ? CurrentPoint() : p;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0 || (p0.x == p.x && p0.y == p.y)) {
        LineTo(p);
        return;
    }
    double phi = Radians(rotationDegrees);
    double cp = std::cos(phi), sp = std::sin(phi);
    double hx = (p0.x - p.x) / 2, hy = (p0.y - p.y) / 2;
    double x1 = cp * hx + sp * hy, y1 = -sp * hx + cp * hy;
    double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coef = std::sqrt(std::max(0.0, num / den)) * (largeArc == sweep ? -1 : 1);
    double cx1 = coef * rx * y1 / ry, cy1 = -coef * ry * x1 / rx;
    SPoint centre{cp * cx1 - sp * cy1 + (p0.x + p.x) / 2, sp * cx1 + cp * cy1 + (p0.y + p.y) / 2};
    double theta = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
    double end = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx);
    double delta = end - theta;
    if (sweep && delta < 0)
        delta += 2 * kPi;
    else if (!sweep && delta > 0)
        delta -= 2 * kPi;
    ArcSegments(centre, rx, ry, phi, theta, delta);
}

void CPath::AddArc(SPoint centre, double rx, double ry, double a0, double a1)
{
    double t0 = Radians(a0);
    MoveTo({centre.x + rx * std::cos(t0), centre.y + ry * std::sin(t0)});
    ArcSegments(centre, rx, ry, 0, t0, Radians(a1 - a0));
}

void CPath::AddPie(SPoint centre, double r, double a0, double a1)
{
    double t0 = Radians(a0);
    MoveTo(centre);
    LineTo({centre.x + r * std::cos(t0), centre.y + r * std::sin(t0)});
    ArcSegments(centre, r, r, 0, t0, Radians(a1 - a0));
    Close();
}

void CPath::AddEllipse(SPoint centre, double rx, double ry)
{
    AddArc(centre, rx, ry, 0, 360);
    Close();
}

void CPath::AddRect(double x, double y, double w, double h)
{
    AddPolygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, true);
}

void CPath::AddRoundRect(double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    if (r <= 0) {
        AddRect(x, y, w, h);
        return;
    }
    MoveTo({x + r, y});
    LineTo({x + w - r, y});
    ArcSegments({x + w - r, y + r}, r, r, 0, -kPi / 2, kPi / 2);
    LineTo({x + w, y + h - r});
    ArcSegments({x + w - r, y + h - r}, r, r, 0, 0, kPi / 2);
    LineTo({x + r, y + h});
    ArcSegments({x + r, y + h - r}, r, r, 0, kPi / 2, kPi / 2);
    LineTo({x, y + r});
    ArcSegments({x + r, y + r}, r, r, 0, kPi, kPi / 2);
    Close();
}

void CPath::AddPolygon(const std::vector<SPoint>& points, bool closed)
{
    if (points.empty())
        return;
    MoveTo(points.front());
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i]);
    if (closed)
        Close();
}

void CPath::AddGear(SPoint centre, double outerR, double innerR, int teeth)
{
    std::vector<SPoint> points;
    double period = 2 * kPi / teeth;
    auto at = [&](double r, double a) {
        return SPoint{centre.x + r * std::cos(a), centre.y + r * std::sin(a)};
    };
    for (int i = 0; i < teeth; ++i) {
        double a = -kPi / 2 + i * period;
        points.push_back(at(innerR, a - 0.30 * period));
        points.push_back(at(outerR, a - 0.17 * period));
        points.push_back(at(outerR, a + 0.17 * period));
        points.push_back(at(innerR, a + 0.30 * period));
    }
    AddPolygon(points, true);
}

void CPath::Append(const CPath& other)
{
    m_subpaths.insert(m_subpaths.end(), other.m_subpaths.begin(), other.m_subpaths.end());
}

std::vector<SPolyline> CPath::Flatten(const CAffine& t, double tolerance) const
{
    std::vector<SPolyline> out;
    for (const SSubpath& s : m_subpaths) {
        SPolyline line;
        line.closed = s.closed;
        SPoint from = t.Apply(s.start);
        line.points.push_back(from);
        for (const SSegment& seg : s.segments) {
            SPoint to = t.Apply(seg.p);
            if (seg.cubic) {
                SPoint c1 = t.Apply(seg.c1), c2 = t.Apply(seg.c2);
                // Uniform steps: the chord error of a cubic is bounded by 3/4 of its largest
                // second difference over the square of the step count.
                double dd = std::max(Length(from.x - 2 * c1.x + c2.x, from.y - 2 * c1.y + c2.y),
                                     Length(c1.x - 2 * c2.x + to.x, c1.y - 2 * c2.y + to.y));
                int n = static_cast<int>(std::ceil(std::sqrt(0.75 * dd / tolerance)));
                n = std::clamp(n, 1, 256);
                for (int i = 1; i < n; ++i)
                    line.points.push_back(CubicAt(from, c1, c2, to, static_cast<double>(i) / n));
            }
            line.points.push_back(to);
            from = to;
        }
        if (line.closed && line.points.size() > 1) {
            const SPoint& a = line.points.front();
            const SPoint& b = line.points.back();
            if (std::fabs(a.x - b.x) < 1e-9 && std::fabs(a.y - b.y) < 1e-9)
                line.points.pop_back();
        }
        out.push_back(std::move(line));
    }
    return out;
}

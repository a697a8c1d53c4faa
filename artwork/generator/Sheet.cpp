#include "Sheet.h"

#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Farthest a dot's polygon may stray inside the true circle, in pixels.
constexpr double kTolerance = 0.02;

double SignedArea(const std::vector<SPoint>& points)
{
    double sum = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const SPoint& a = points[i];
        const SPoint& b = points[(i + 1) % points.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum / 2;
}

std::uint8_t Mix(std::uint8_t under, std::uint8_t over, double alpha)
{
    return static_cast<std::uint8_t>(std::lround(under + (over - under) * alpha));
}

double SmoothStep(double t) { return t * t * (3 - 2 * t); }

} // namespace

void CShapes::Rect(double x0, double y0, double x1, double y1) { Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}); }

void CShapes::Segment(SPoint a, SPoint b, double width)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double length = std::sqrt(dx * dx + dy * dy);
    if (length <= 0)
        return;
    double nx = -dy / length * width / 2, ny = dx / length * width / 2;
    Polygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}});
}

void CShapes::Dot(SPoint centre, double radius)
{
    // Enough corners that no edge strays further than kTolerance from the circle.
    int corners = 8;
    if (radius > kTolerance)
        corners = std::max(corners, static_cast<int>(std::ceil(kPi / std::acos(1 - kTolerance / radius))));
    std::vector<SPoint> points;
    for (int i = 0; i < corners; ++i) {
        double angle = 2 * kPi * i / corners;
        points.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    Polygon(std::move(points));
}

void CShapes::Polygon(std::vector<SPoint> points)
{
    if (SignedArea(points) < 0)
        std::reverse(points.begin(), points.end());
    SPolyline contour;
    contour.points = std::move(points);
    contour.closed = true;
    m_contours.push_back(std::move(contour));
}

void Paint(CImage& image, const CShapes& shapes, SColor colour)
{
    CCoverage coverage = CoverFill(shapes.Contours(), EFillRule::NonZero, image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            double alpha = coverage.At(x, y) * colour.a / 255.0;
            if (alpha <= 0)
                continue;
            SColor& p = image.At(x, y);
            p = SColor{Mix(p.r, colour.r, alpha), Mix(p.g, colour.g, alpha), Mix(p.b, colour.b, alpha), 255};
        }
}

double Hash(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h = (h ^ (h >> 16)) * 0x7FEB352Du;
    h = (h ^ (h >> 15)) * 0x846CA68Bu;
    h ^= h >> 16;
    return h / 4294967296.0;
}

double SmoothNoise(double x, double y, double cellW, double cellH, std::uint32_t seed)
{
    double u = x / cellW, v = y / cellH;
    int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
    double fu = SmoothStep(u - i), fv = SmoothStep(v - j);
    double top = Hash(i, j, seed) + (Hash(i + 1, j, seed) - Hash(i, j, seed)) * fu;
    double bottom = Hash(i, j + 1, seed) + (Hash(i + 1, j + 1, seed) - Hash(i, j + 1, seed)) * fu;
    return top + (bottom - top) * fv;
}

std::uint8_t Dithered(double value, int x, int y)
{
    double level = std::floor(value + Hash(x, y, 0xD17E));
    return static_cast<std::uint8_t>(std::clamp(level, 0.0, 255.0));
}

#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int S = kSamplesPerAxis;

// Index of the first sample column or row whose centre ((k + 0.5) / S) is at or after v.
int FirstSampleAtOrAfter(double v) { return static_cast<int>(std::ceil(v * S - 0.5)); }

double DistanceSquaredToSegment(SPoint p, SPoint a, SPoint b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

struct SCrossing {
    double x;
    int direction;
};

} // namespace

CCoverage::CCoverage(int width, int height)
    : m_nWidth(width), m_nHeight(height), m_samples(static_cast<size_t>(width) * height, 0)
{
}

double CCoverage::At(int x, int y) const
{
    return m_samples[static_cast<size_t>(y) * m_nWidth + x] / static_cast<double>(S * S);
}

double CCoverage::Total() const
{
    long long sum = 0;
    for (int n : m_samples)
        sum += n;
    return static_cast<double>(sum) / (S * S);
}

void CCoverage::AddSamples(int x, int y, int count) { m_samples[static_cast<size_t>(y) * m_nWidth + x] += count; }

CCoverage CoverFill(const std::vector<SPolyline>& contours, EFillRule rule, int width, int height)
{
    CCoverage coverage(width, height);
    double top = 1e300, bottom = -1e300;
    for (const SPolyline& c : contours)
        for (const SPoint& p : c.points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    int firstRow = std::max(0, FirstSampleAtOrAfter(top));
    int endRow = std::min(height * S, FirstSampleAtOrAfter(bottom) + 1);

    std::vector<SCrossing> crossings;
    std::vector<int> rowSamples(static_cast<size_t>(width));
    for (int sy = firstRow; sy < endRow; ++sy) {
        double y = (sy + 0.5) / S;
        crossings.clear();
        for (const SPolyline& c : contours) {
            size_t n = c.points.size();
            if (n < 2)
                continue;
            for (size_t i = 0; i < n; ++i) {
                SPoint a = c.points[i], b = c.points[(i + 1) % n];
                // Half-open in y, so a vertex shared by two edges is crossed exactly once.
                int direction = (a.y <= y && b.y > y) ? 1 : (b.y <= y && a.y > y) ? -1 : 0;
                if (direction != 0)
                    crossings.push_back({a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y), direction});
            }
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const SCrossing& l, const SCrossing& r) { return l.x < r.x; });
        std::fill(rowSamples.begin(), rowSamples.end(), 0);
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            bool inside = rule == EFillRule::NonZero ? winding != 0 : (winding & 1) != 0;
            if (!inside)
                continue;
            int k0 = std::max(0, FirstSampleAtOrAfter(crossings[i].x));
            int k1 = std::min(width * S, FirstSampleAtOrAfter(crossings[i + 1].x));
            for (int k = k0; k < k1; ++k)
                ++rowSamples[static_cast<size_t>(k / S)];
        }
        for (int x = 0; x < width; ++x)
            if (rowSamples[static_cast<size_t>(x)] != 0)
                coverage.AddSamples(x, sy / S, rowSamples[static_cast<size_t>(x)]);
    }
    return coverage;
}

CCoverage CoverStroke(const std::vector<SPolyline>& lines, double halfWidth, int width, int height)
{
    CCoverage coverage(width, height);
    if (halfWidth <= 0)
        return coverage;
    const int cols = width * S, rows = height * S;
    std::vector<unsigned char> inside(static_cast<size_t>(cols) * rows, 0);
    const double limit = halfWidth * halfWidth;

    auto mark = [&](SPoint a, SPoint b) {
        int sx0 = std::max(0, FirstSampleAtOrAfter(std::min(a.x, b.x) - halfWidth));
        int sx1 = std::min(cols, FirstSampleAtOrAfter(std::max(a.x, b.x) + halfWidth) + 1);
        int sy0 = std::max(0, FirstSampleAtOrAfter(std::min(a.y, b.y) - halfWidth));
        int sy1 = std::min(rows, FirstSampleAtOrAfter(std::max(a.y, b.y) + halfWidth) + 1);
        for (int sy = sy0; sy < sy1; ++sy)
            for (int sx = sx0; sx < sx1; ++sx) {
                SPoint p{(sx + 0.5) / S, (sy + 0.5) / S};
                if (DistanceSquaredToSegment(p, a, b) <= limit)
                    inside[static_cast<size_t>(sy) * cols + sx] = 1;
            }
    };

    for (const SPolyline& line : lines) {
        const auto& pts = line.points;
        if (pts.size() == 1)
            mark(pts[0], pts[0]);
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            mark(pts[i], pts[i + 1]);
        if (line.closed && pts.size() > 2)
            mark(pts.back(), pts.front());
    }

    for (int sy = 0; sy < rows; ++sy)
        for (int sx = 0; sx < cols; ++sx)
            if (inside[static_cast<size_t>(sy) * cols + sx])
                coverage.AddSamples(sx / S, sy / S, 1);
    return coverage;
}

CCanvas::CCanvas(int width, int height)
    : m_nWidth(width), m_nHeight(height), m_pixels(static_cast<size_t>(width) * height)
{
}

void CCanvas::Paint(const CCoverage& coverage, SColor colour)
{
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x) {
            double c = coverage.At(x, y);
            if (c <= 0)
                continue;
            double a = colour.a / 255.0 * c;
            SPremultiplied& d = m_pixels[static_cast<size_t>(y) * m_nWidth + x];
            d.r = colour.r / 255.0 * a + d.r * (1 - a);
            d.g = colour.g / 255.0 * a + d.g * (1 - a);
            d.b = colour.b / 255.0 * a + d.b * (1 - a);
            d.a = a + d.a * (1 - a);
        }
}

SColor CCanvas::Pixel(int x, int y) const
{
    const SPremultiplied& p = m_pixels[static_cast<size_t>(y) * m_nWidth + x];
    if (p.a <= 0)
        return SColor{0, 0, 0, 0};
    auto byte = [](double v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L));
    };
    return SColor{byte(p.r / p.a), byte(p.g / p.a), byte(p.b / p.a), byte(p.a)};
}

#include "overink/model/Erase.h"

#include "framework/Handles.h"

#include <algorithm>
#include <cmath>

namespace {

void FillWithKey(HDC dc, HRGN region, COLORREF key)
{
    CBrush brush(::CreateSolidBrush(key));
    int oldRop = ::SetROP2(dc, R2_COPYPEN);
    ::FillRgn(dc, region, brush.Get());
    ::SetROP2(dc, oldRop);
}

} // namespace

void EraseSegment(HDC dc, POINT p1, POINT p2, int w, COLORREF key)
{
    ::LPtoDP(dc, &p1, 1);
    ::LPtoDP(dc, &p2, 1);
    double s = 0.5 * w;
    double c = 0;
    if (p1.x != p2.x) {
        double theta = std::atan(double(p2.y - p1.y) / double(p2.x - p1.x));
        s = 0.5 * w * std::sin(theta);
        c = 0.5 * w * std::cos(theta);
    }
    POINT polygon[4] = {
        {LONG(p1.x - s), LONG(p1.y + c)},
        {LONG(p2.x - s), LONG(p2.y + c)},
        {LONG(p2.x + s), LONG(p2.y - c)},
        {LONG(p1.x + s), LONG(p1.y - c)},
    };
    int h = w / 2;
    CRgn capsule(::CreatePolygonRgn(polygon, 4, WINDING));
    CRgn start(::CreateEllipticRgn(p1.x - h, p1.y - h, p1.x + h, p1.y + h));
    CRgn end(::CreateEllipticRgn(p2.x - h, p2.y - h, p2.x + h, p2.y + h));
    ::CombineRgn(capsule.Get(), capsule.Get(), start.Get(), RGN_OR);
    ::CombineRgn(capsule.Get(), capsule.Get(), end.Get(), RGN_OR);
    FillWithKey(dc, capsule.Get(), key);
}

void EraseRectangle(HDC dc, POINT p1, POINT p2, COLORREF key)
{
    ::LPtoDP(dc, &p1, 1);
    ::LPtoDP(dc, &p2, 1);
    CRgn region(::CreateRectRgn(p1.x, p1.y, p2.x, p2.y));
    FillWithKey(dc, region.Get(), key);
}

void EraseEllipse(HDC dc, POINT p1, POINT p2, COLORREF key)
{
    ::LPtoDP(dc, &p1, 1);
    ::LPtoDP(dc, &p2, 1);
    // The larger coordinate gets + 2, the smaller - 1; equal ones: the second + 2, the first - 1.
    auto widen = [](LONG& a, LONG& b) {
        if (a > b) {
            a += 2;
            b -= 1;
        } else {
            b += 2;
            a -= 1;
        }
    };
    widen(p1.x, p2.x);
    widen(p1.y, p2.y);
    CRgn region(::CreateEllipticRgn(p1.x, p1.y, p2.x, p2.y));
    FillWithKey(dc, region.Get(), key);
}

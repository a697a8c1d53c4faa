#include "Backgrounds.h"

#include "Sheet.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;

// Paper a touch warmer than white: a projector's white is glaring over a whole wall.
const SColor kPaper{253, 253, 250, 255};
const SColor kRuleBlue{150, 182, 220, 255};
const SColor kMarginRed{226, 128, 132, 255};
const SColor kGridLight{202, 213, 227, 255};
const SColor kGridStrong{160, 180, 204, 255};
const SColor kDotGrey{140, 154, 170, 255};
const SColor kStaffGrey{122, 134, 148, 255};
const SColor kAxisInk{58, 70, 84, 255};

// Sizes in the designs are for a picture 1080 pixels high and scale with the real height.
class CLayout {
public:
    CLayout(int width, int height) : m_nWidth(width), m_nHeight(height), m_dUnit(height / 1080.0) {}

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    double Px(double units) const { return units * m_dUnit; }
    // Spacings in whole pixels, so a repeated line looks the same every time.
    int Step(double units) const { return std::max(2, static_cast<int>(std::lround(units * m_dUnit))); }
    double Thickness(double units) const { return std::max(1.0, std::round(units * m_dUnit)); }

private:
    int m_nWidth;
    int m_nHeight;
    double m_dUnit;
};

// The centre nearest `at` for a line of this width whose edges fall on pixel edges: such a line
// is crisp. Odd and even widths get centres half a pixel apart.
double Snap(double at, double width) { return std::round(at - width / 2) + width / 2; }

// Horizontal and vertical lines centred on (snapped) y or x.
void Row(CShapes& shapes, double y, double width, double x0, double x1)
{
    double top = Snap(y, width) - width / 2;
    shapes.Rect(x0, top, x1, top + width);
}

void Column(CShapes& shapes, double x, double width, double y0, double y1)
{
    double left = Snap(x, width) - width / 2;
    shapes.Rect(left, y0, left + width, y1);
}

// The k for which origin + k * step lies from `inset` to length - inset.
std::vector<int> Steps(double origin, int step, int length, double inset = 0)
{
    std::vector<int> ks;
    for (int k = static_cast<int>(std::ceil((inset - origin) / step));
         origin + k * step <= length - inset; ++k)
        ks.push_back(k);
    return ks;
}

// Shapes that will be painted in one colour, and the width of their lines.
struct SPen {
    double width;
    SColor colour;
    CShapes shapes;
};

// Lines across the whole picture every `step` pixels both ways through origin; pen(k) picks
// the pen for the line k steps from the origin.
void Grid(const CLayout& l, SPoint origin, int step, const std::function<SPen&(int)>& pen)
{
    for (int k : Steps(origin.x, step, l.Width())) {
        SPen& p = pen(k);
        Column(p.shapes, origin.x + k * step, p.width, 0, l.Height());
    }
    for (int k : Steps(origin.y, step, l.Height())) {
        SPen& p = pen(k);
        Row(p.shapes, origin.y + k * step, p.width, 0, l.Width());
    }
}

void Paint(CImage& image, const SPen& pen) { Paint(image, pen.shapes, pen.colour); }

SPoint Centre(const CLayout& l) { return {l.Width() / 2.0, l.Height() / 2.0}; }

// A stroke with round ends, for the letters on the axes.
void Stroke(CShapes& shapes, SPoint a, SPoint b, double width)
{
    shapes.Segment(a, b, width);
    shapes.Dot(a, width / 2);
    shapes.Dot(b, width / 2);
}

CImage Ruled(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), kPaper);
    SPen lines{l.Thickness(2), kRuleBlue, {}};
    SPen margin{l.Thickness(2), kMarginRed, {}};
    // Two spacings of room at the top for a heading, as in an exercise book.
    int step = l.Step(60);
    for (int y = 2 * step; y <= l.Height() - step / 2; y += step)
        Row(lines.shapes, y, lines.width, 0, l.Width());
    Column(margin.shapes, l.Px(240), margin.width, 0, l.Height());
    Paint(image, lines);
    Paint(image, margin);
    return image;
}

CImage Squared(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), kPaper);
    SPen fine{l.Thickness(1), kGridLight, {}};
    SPen strong{l.Thickness(2), kGridStrong, {}};
    Grid(l, Centre(l), l.Step(40), [&](int k) -> SPen& { return k % 5 == 0 ? strong : fine; });
    Paint(image, fine);
    Paint(image, strong);
    return image;
}

CImage Dots(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), kPaper);
    SPen dots{0, kDotGrey, {}};
    const int step = l.Step(40);
    const double radius = std::max(0.8, l.Px(2.6));
    const SPoint c = Centre(l);
    // No dot cut in half by the edge.
    for (int kx : Steps(c.x, step, l.Width(), radius + 1))
        for (int ky : Steps(c.y, step, l.Height(), radius + 1))
            dots.shapes.Dot({c.x + kx * step, c.y + ky * step}, radius);
    Paint(image, dots);
    return image;
}

CImage Staves(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), kPaper);
    SPen lines{l.Thickness(2), kStaffGrey, {}};
    const int gap = l.Step(22);
    const double left = std::round(l.Px(90)), right = l.Width() - left;
    const double slot = l.Height() / 5.0;
    for (int staff = 0; staff < 5; ++staff) {
        double top = std::round(slot * (staff + 0.5)) - 2 * gap;
        for (int i = 0; i < 5; ++i)
            Row(lines.shapes, top + i * gap, lines.width, left, right);
        // Bar lines close each staff at both ends, as on printed manuscript paper.
        double y0 = Snap(top, lines.width) - lines.width / 2, y1 = y0 + 4 * gap + lines.width;
        lines.shapes.Rect(left, y0, left + lines.width, y1);
        lines.shapes.Rect(right - lines.width, y0, right, y1);
    }
    Paint(image, lines);
    return image;
}

CImage Chalkboard(const CLayout& l)
{
    const double base[3] = {44, 72, 58};
    const double chalk[3] = {150, 170, 156};
    CImage image(l.Width(), l.Height());
    const SPoint c = Centre(l);
    for (int y = 0; y < l.Height(); ++y)
        for (int x = 0; x < l.Width(); ++x) {
            // Chalk dust left in clouds, and streaks where an eraser swept across in curves
            // and pressed harder in some places than in others.
            double cloud = 0.5 * SmoothNoise(x, y, l.Px(420), l.Px(300), 1) +
                           0.3 * SmoothNoise(x, y, l.Px(170), l.Px(140), 2) +
                           0.2 * SmoothNoise(x, y, l.Px(60), l.Px(50), 5);
            double bend = l.Px(90) * SmoothNoise(x, y, l.Px(640), l.Px(520), 6);
            double wipe = SmoothNoise(x, y + bend, l.Px(280), l.Px(14), 3) *
                          SmoothNoise(x, y, l.Px(380), l.Px(260), 7);
            double dust = 0.09 * cloud * cloud + 0.05 * wipe;
            // A little less light reaches the corners, as on a board in a classroom.
            double dx = (x - c.x) / c.x, dy = (y - c.y) / c.y;
            double light = 1 - 0.07 * (dx * dx + dy * dy);
            double grain = 3 * (Hash(x, y, 4) - 0.5);
            std::uint8_t rgb[3];
            for (int i = 0; i < 3; ++i)
                rgb[i] = Dithered((base[i] + (chalk[i] - base[i]) * dust) * light + grain, x, y);
            image.At(x, y) = SColor{rgb[0], rgb[1], rgb[2], 255};
        }
    return image;
}

// An arrow head pointing along the unit vector (dx, dy) with its tip at `tip`. The back is cut
// in a little, so it reads as an arrow rather than a triangle stuck on a line.
void ArrowHead(CShapes& shapes, SPoint tip, double dx, double dy, double length, double halfWidth)
{
    SPoint back{tip.x - dx * length, tip.y - dy * length};
    SPoint notch{back.x + dx * length * 0.2, back.y + dy * length * 0.2};
    SPoint left{back.x - dy * halfWidth, back.y + dx * halfWidth};
    SPoint right{back.x + dy * halfWidth, back.y - dx * halfWidth};
    shapes.Polygon({tip, left, notch, right});
}

CImage Coordinates(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), kPaper);
    SPen grid{l.Thickness(1), kGridLight, {}};
    SPen axes{l.Thickness(3), kAxisInk, {}};
    const int step = l.Step(60);
    // Snapped for the axes; at 1080 rows grid, axes and ticks all have odd widths, so they
    // share their centres.
    const SPoint o{Snap(l.Width() / 2.0, axes.width), Snap(l.Height() / 2.0, axes.width)};
    Grid(l, o, step, [&](int) -> SPen& { return grid; });

    const double end = l.Px(18), head = l.Px(26);
    const double right = l.Width() - end, top = end;
    axes.shapes.Rect(end, o.y - axes.width / 2, right - head / 2, o.y + axes.width / 2);
    axes.shapes.Rect(o.x - axes.width / 2, top + head / 2, o.x + axes.width / 2, l.Height() - end);
    ArrowHead(axes.shapes, {right, o.y}, 1, 0, head, l.Px(11));
    ArrowHead(axes.shapes, {o.x, top}, 0, -1, head, l.Px(11));

    // A tick on each unit, a longer one on every fifth; none under the arrow heads.
    const double tick = l.Thickness(3);
    auto reach = [&](int k) { return l.Px(k % 5 == 0 ? 13 : 7); };
    for (int k : Steps(o.x, step, l.Width(), end + head))
        if (k != 0)
            axes.shapes.Rect(o.x + k * step - tick / 2, o.y - reach(k), o.x + k * step + tick / 2, o.y + reach(k));
    for (int k : Steps(o.y, step, l.Height(), end + head))
        if (k != 0)
            axes.shapes.Rect(o.x - reach(k), o.y + k * step - tick / 2, o.x + reach(k), o.y + k * step + tick / 2);

    // The axes' names beside the arrow heads.
    const double h = l.Px(9), pen = l.Px(3.2);
    const SPoint x{right - l.Px(22), o.y + l.Px(40)};
    Stroke(axes.shapes, {x.x - h, x.y - h}, {x.x + h, x.y + h}, pen);
    Stroke(axes.shapes, {x.x + h, x.y - h}, {x.x - h, x.y + h}, pen);
    const SPoint y{o.x + l.Px(40), top + l.Px(18)};
    Stroke(axes.shapes, {y.x - h, y.y - h}, {y.x, y.y + 0.5 * h}, pen);
    Stroke(axes.shapes, {y.x + h, y.y - h}, {y.x - 0.6 * h, y.y + 1.9 * h}, pen);

    Paint(image, grid);
    Paint(image, axes);
    return image;
}

CImage Handwriting(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), kPaper);
    SPen band{0, SColor{238, 244, 251, 255}, {}};
    SPen guides{l.Thickness(2), SColor{170, 194, 222, 255}, {}};
    SPen baselines{l.Thickness(2), SColor{92, 130, 180, 255}, {}};
    const int space = l.Step(40), gap = l.Step(48), groups = 6;
    const int dash = l.Step(16), dashGap = l.Step(10);
    const double first = std::round((l.Height() - groups * 3 * space - (groups - 1) * gap) / 2.0);
    for (int g = 0; g < groups; ++g) {
        // Ascender line, midline, baseline and descender line; small letters fill the
        // tinted band between midline and baseline.
        double ascender = first + g * (3 * space + gap);
        double mid = ascender + space, base = mid + space, descender = base + space;
        band.shapes.Rect(0, Snap(mid, guides.width), l.Width(), Snap(base, baselines.width));
        Row(guides.shapes, ascender, guides.width, 0, l.Width());
        Row(guides.shapes, descender, guides.width, 0, l.Width());
        for (int x = dashGap / 2; x < l.Width(); x += dash + dashGap)
            Row(guides.shapes, mid, guides.width, x, std::min(x + dash, l.Width()));
        Row(baselines.shapes, base, baselines.width, 0, l.Width());
    }
    Paint(image, band);
    Paint(image, guides);
    Paint(image, baselines);
    return image;
}

CImage Isometric(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), kPaper);
    SPen lines{l.Thickness(1), SColor{214, 222, 232, 255}, {}};
    SPen dots{0, kDotGrey, {}};
    // Columns `across` apart; the points on a column are one triangle side apart, and every
    // other column is shifted by half a side.
    const int across = l.Step(42);
    const double side = across * 2 / kSqrt3, slope = 1 / kSqrt3;
    const SPoint o{Snap(l.Width() / 2.0, lines.width), Snap(l.Height() / 2.0, lines.width)};
    const double radius = std::max(0.8, l.Px(2.4));

    for (int k : Steps(o.x, across, l.Width()))
        Column(lines.shapes, o.x + k * across, lines.width, 0, l.Height());
    // Lines at +30 and -30 degrees through every point: y = o.y +- (x - o.x) * slope + m * side.
    const double rise = (l.Width() / 2.0 + 2) * slope;
    const int reach = static_cast<int>(std::ceil((l.Height() / 2.0 + rise) / side)) + 1;
    const double x0 = -2, x1 = l.Width() + 2.0;
    for (int m = -reach; m <= reach; ++m)
        for (int sense : {-1, 1}) {
            double y = o.y + m * side;
            SPoint a{x0, y + sense * (x0 - o.x) * slope}, b{x1, y + sense * (x1 - o.x) * slope};
            lines.shapes.Segment(a, b, lines.width);
        }
    for (int k : Steps(o.x, across, l.Width(), radius + 1)) {
        double x = o.x + k * across, shift = (k % 2 == 0 ? 0 : side / 2);
        for (int j = -reach; j <= reach; ++j) {
            double y = o.y + j * side + shift;
            if (y >= radius + 1 && y <= l.Height() - radius - 1)
                dots.shapes.Dot({x, y}, radius);
        }
    }
    Paint(image, lines);
    Paint(image, dots);
    return image;
}

CImage Millimetre(const CLayout& l)
{
    CImage image(l.Width(), l.Height(), SColor{250, 252, 254, 255});
    SPen fine{l.Thickness(1), SColor{212, 229, 244, 255}, {}};
    SPen half{l.Thickness(1), SColor{160, 198, 232, 255}, {}};
    SPen whole{l.Thickness(2), SColor{112, 164, 214, 255}, {}};
    Grid(l, Centre(l), l.Step(12), [&](int k) -> SPen& { return k % 10 == 0 ? whole : k % 5 == 0 ? half : fine; });
    Paint(image, fine);
    Paint(image, half);
    Paint(image, whole);
    return image;
}

CImage Plain(const CLayout& l)
{
    const double top[3] = {253, 251, 245}, bottom[3] = {244, 239, 227};
    CImage image(l.Width(), l.Height());
    for (int y = 0; y < l.Height(); ++y) {
        double t = l.Height() > 1 ? y / (l.Height() - 1.0) : 0;
        for (int x = 0; x < l.Width(); ++x) {
            std::uint8_t rgb[3];
            for (int i = 0; i < 3; ++i)
                rgb[i] = Dithered(top[i] + (bottom[i] - top[i]) * t, x, y);
            image.At(x, y) = SColor{rgb[0], rgb[1], rgb[2], 255};
        }
    }
    return image;
}

struct SDesign {
    const char* name;
    CImage (*draw)(const CLayout&);
};

const SDesign kDesigns[kBackgroundCount] = {
    {"ruled", Ruled},
    {"squared", Squared},
    {"dots", Dots},
    {"staves", Staves},
    {"chalkboard", Chalkboard},
    {"coordinates", Coordinates},
    {"handwriting", Handwriting},
    {"isometric", Isometric},
    {"millimetre", Millimetre},
    {"plain", Plain},
};

} // namespace

int FindBackground(const std::string& numberOrName)
{
    for (int n = 1; n <= kBackgroundCount; ++n)
        if (numberOrName == std::to_string(n) || numberOrName == kDesigns[n - 1].name)
            return n;
    return 0;
}

const char* BackgroundName(int number)
{
    assert(number >= 1 && number <= kBackgroundCount);
    return kDesigns[number - 1].name;
}

CImage DrawBackground(int number, int width, int height)
{
    assert(number >= 1 && number <= kBackgroundCount);
    return kDesigns[number - 1].draw(CLayout(width, height));
}

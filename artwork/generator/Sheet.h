// Opaque pictures painted in code rather than described in the drawing language: a paper
// colour, shapes laid over it one colour at a time, and seeded noise for textures. Coverage
// comes from the same 8 x 8 supersampling as the drawings.
#pragma once

#include "Color.h"
#include "Geometry.h"

#include <cstdint>
#include <vector>

// Shapes in pixels, covered together in one colour: where two overlap the pixel is painted
// once, so the crossings of a grid are no darker than its lines. Every contour is turned the
// same way, so overlapping shapes join under the non-zero rule instead of cancelling.
class CShapes {
public:
    void Rect(double x0, double y0, double x1, double y1);
    void Segment(SPoint a, SPoint b, double width);      // square ends, flush with a and b
    void Dot(SPoint centre, double radius);
    void Polygon(std::vector<SPoint> points);

    const std::vector<SPolyline>& Contours() const { return m_contours; }

private:
    std::vector<SPolyline> m_contours;
};

// Lays the colour (and its alpha) over the image in proportion to the shapes' coverage.
void Paint(CImage& image, const CShapes& shapes, SColor colour);

// 0 <= value < 1, a fixed function of its arguments: textures come out the same on every build.
double Hash(int x, int y, std::uint32_t seed);

// Smooth noise from 0 to 1: hashed values on a lattice of cellW x cellH pixels, blended.
double SmoothNoise(double x, double y, double cellW, double cellH, std::uint32_t seed);

// A channel value from 0 to 255 rounded up or down at random in proportion to its fraction,
// so gentle gradients show no bands.
std::uint8_t Dithered(double value, int x, int y);

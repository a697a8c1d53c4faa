// Antialiased rasterising by supersampling: each pixel is tested at kSamplesPerAxis squared
// points and covered by the share of them that lie inside the shape. Simple and exact enough
// for pictures of a few dozen pixels, and it never double-counts where strokes overlap.
#pragma once

#include "Color.h"
#include "Geometry.h"

#include <vector>

constexpr int kSamplesPerAxis = 8;

enum class EFillRule { NonZero, EvenOdd };

// Per-pixel coverage, 0 (untouched) to 1 (every sample inside).
class CCoverage {
public:
    CCoverage(int width, int height);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    double At(int x, int y) const;
    double Total() const;                                 // sum over all pixels, in pixels

    // Adds samples counted per pixel; see the functions below.
    void AddSamples(int x, int y, int count);

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<int> m_samples;
};

// Inside the closed contours (every polyline is closed implicitly) under the fill rule.
CCoverage CoverFill(const std::vector<SPolyline>& contours, EFillRule rule, int width, int height);

// Within halfWidth of the polylines: round joins and caps fall out of the distance test.
CCoverage CoverStroke(const std::vector<SPolyline>& lines, double halfWidth, int width, int height);

// Premultiplied floating-point pixels, so painting is plain source-over.
class CCanvas {
public:
    CCanvas(int width, int height);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    void Paint(const CCoverage& coverage, SColor colour);
    SColor Pixel(int x, int y) const;                     // straight alpha, rounded

private:
    struct SPremultiplied {
        double r = 0, g = 0, b = 0, a = 0;
    };
    int m_nWidth;
    int m_nHeight;
    std::vector<SPremultiplied> m_pixels;
};

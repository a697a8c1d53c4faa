// Clearing parts of a layer: each fills a region with the key colour, which is transparent on
// screen.
#pragma once

#include <windows.h>

// A capsule of width w around the segment.
void EraseSegment(HDC dc, POINT p1, POINT p2, int w, COLORREF key);
void EraseRectangle(HDC dc, POINT p1, POINT p2, COLORREF key);
// The ellipse in the box of the two points, widened a little so an outline drawn on it goes too.
void EraseEllipse(HDC dc, POINT p1, POINT p2, COLORREF key);

// One picture described in the artwork language: a line-based list of shapes drawn in order,
// each filled and then outlined with the colours in force when it appears. See README.md.
#pragma once

#include "Color.h"
#include "Geometry.h"
#include "Raster.h"

#include <string>
#include <vector>

struct SDrawOp {
    CAffine transform;                     // drawing units, before scaling to the output size
    CPath fill;
    EFillRule fillRule = EFillRule::NonZero;
    SColor fillColour;
    CPath strokeArea;                      // outline of closed primitives: an exact ring, even-odd
    CPath strokeLine;                      // outline of lines and paths: round joins and caps
    double strokeWidth = 0;
    SColor strokeColour;
};

class CDrawing {
public:
    double Width() const { return m_dWidth; }
    double Height() const { return m_dHeight; }
    const std::vector<SDrawOp>& Ops() const { return m_ops; }

    // The drawing stretched over width x height pixels.
    CImage Render(int width, int height) const;

private:
    friend class CDrawingParser;
    double m_dWidth = 0;
    double m_dHeight = 0;
    std::vector<SDrawOp> m_ops;
};

// Both return false with error set to "name:line: what is wrong" (or "name: ..." when no
// line is to blame). Includes are looked up beside the file that names them.
bool LoadDrawing(const std::string& path, CDrawing& drawing, std::string& error);
bool ParseDrawing(const std::string& text, const std::string& name, CDrawing& drawing, std::string& error);

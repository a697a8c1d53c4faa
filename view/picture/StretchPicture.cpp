// Scaling one picture into another with GDI+'s high-quality bicubic filter (backgrounds, the
// desktop snapshot, thumbnails). GDI+ must have been started by the caller.
#include "view/picture/FgDib.h"

#include "framework/Handles.h"

#include <algorithm>

#include <gdiplus.h>

void StretchPicture(CFG_DIB* source, CFG_DIB* target)
{
    if (!source || !target || !source->GetBitmap() || !target->GetBitmap())
        return;
    Gdiplus::Bitmap* bitmap = Gdiplus::Bitmap::FromHBITMAP(source->GetBitmap(), nullptr);
    if (!bitmap)
        return;
    {
        CMemoryDC dc(::CreateCompatibleDC(nullptr));
        CSelectObject selected(dc.Get(), target->GetBitmap());
        Gdiplus::Graphics graphics(dc.Get());
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        // Mirrored edges: the filter finds the picture's own border beyond it, not emptiness, so
        // the edges of an enlarged picture do not fade.
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        graphics.DrawImage(bitmap,
                           Gdiplus::Rect(0, 0, target->Width(), std::abs(target->Height())), 0, 0,
                           source->Width(), std::abs(source->Height()), Gdiplus::UnitPixel, &edges);
    }
    delete bitmap;
}

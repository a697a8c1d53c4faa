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
        // Two pixels beyond the target: the filter then has no soft edge at the right and bottom;
        // they fall outside the target and are clipped.
        graphics.DrawImage(bitmap,
                           Gdiplus::Rect(0, 0, target->Width() + 2, std::abs(target->Height()) + 2),
                           0, 0, source->Width(), std::abs(source->Height()), Gdiplus::UnitPixel);
    }
    delete bitmap;
}

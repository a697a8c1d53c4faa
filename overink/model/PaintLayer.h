// Repainting a layer window from the page.
#pragma once

#include "overink/model/Page.h"

// Paints every shape of the page that belongs to the layer (LAYER_PEN or LAYER_HIGHLIGHT), and
// every eraser stroke, in drawing order; eraser strokes fill with the key colour given.
void PaintLayer(HDC dc, const CPage& page, int layer, COLORREF keyColour);

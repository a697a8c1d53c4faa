// Colour treatments applied to a rendered picture before it is written.
#pragma once

#include "Color.h"

// The greyed look of an unavailable button: luminance only, pulled towards a light grey so the
// darkest ink becomes mid grey and the picture loses most of its contrast. Alpha is kept.
SColor DisabledTone(SColor colour);
void ApplyDisabledTone(CImage& image);

// Lays the picture over an opaque background. The colour channels become the blend; alpha keeps
// the picture's own opacity, so a 32-bit consumer can still tell ink from background.
void FlattenOnto(CImage& image, SColor background);

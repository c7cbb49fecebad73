// A bevelled frame drawn as four filled quadrilaterals.
#pragma once
#include "ovkit/ovkit_base.h"

// Draws a frame of the given width inside the rectangle: kind 0 fills the
// left and top sides with the first colour and the right and bottom sides
// with the second (raised), kind 1 the other way round (sunken); other kinds
// fill with the brush the DC holds. The DC's pen, brush and fill mode are
// restored.
OVKIT_EXPORT(void)
OVKIT_DrawKarstPolygons(HDC dc, const RECT* rect, int kind, int width, COLORREF first,
                        COLORREF second);

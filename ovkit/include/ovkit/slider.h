// The percentage slider ("Ostrevane Slider"): a sunken track with ticks, the
// caption drawn in two colours at the value, and a thumb the user drags. The
// value runs from 1 to 100 by dragging; the parent reads it with
// OVKIT_SLIDER_GETVALUE (the slider does not notify). WM_GETFONT answers the
// caption's font, which the slider owns and deletes when it is destroyed.
#pragma once
#include "ovkit/ovkit_base.h"

enum : UINT {
    OVKIT_SLIDER_SETVALUE = 2024, // wParam: the value, stored as given (16 bits); repaints
    OVKIT_SLIDER_GETVALUE = 2025, // returns the value
};

// Creates the slider as a visible child of parent (x, y, width and height
// taken as 16-bit) with the caption (at most 255 characters kept). Returns
// the window; null when it or its state could not be made.
OVKIT_EXPORT(HWND)
OVKIT_CreateSliderControl(HWND parent, int x, int y, int width, int height, const char* caption);

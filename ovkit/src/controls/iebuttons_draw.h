// Drawing of the button bar's buttons. Private to ovkit.
#pragma once
#include "ovkit/iebuttons.h"

// Draws button index of the bar into dc (the bar's client coordinates).
void IeBarDrawButton(const IEButtonsBar* bar, int index, HDC dc);

// The screen's colour class as ovkit's drawing sees it. Private to ovkit.
#pragma once

// More than 256 colours (16 bits per pixel and more); never with
// [RepaintInfoSection] Force16Color.
bool OvkitScreenMoreThan256();
// Fewer than 256 colours, or Force16Color set: the 16-colour branches.
bool OvkitScreenFewerThan256();
// Tests pretend a screen depth (0: the real screen) and Force16Color (-1: the
// display settings' value).
void OvkitOverrideScreen(int bitsPerPixel, int force16Color);

// Display settings of the base settings file and the screen's colour depth.
#include "startup/startup_parts.h"
#include "ovcore/ovcore.h"

namespace {
RepaintSettings g_repaint = {2, 1, 1000, 4000, 0};
int g_bitsPerPixel = 0;

int AtMost(int value, int limit) {
    return value > limit ? limit : value;
}
} // namespace

void ReadRepaintSettings(void) {
    const char* section = "RepaintInfoSection";
    g_repaint.DrawSubliminals = AtMost(GetBaseProfileInt(section, "DrawSubliminals", 2), 2);
    g_repaint.DrawBitmaps = AtMost(GetBaseProfileInt(section, "DrawBitmaps", 1), 1);
    g_repaint.QuickHelpDelay = GetBaseProfileInt(section, "QuickHelpDelay", 1) * 1000;
    g_repaint.QuickHelpDuration = GetBaseProfileInt(section, "QuickHelpDuration", 4) * 1000;
    g_repaint.Force16Color = GetBaseProfileInt(section, "Force16Color", 0);
}

const RepaintSettings& GetRepaintSettings(void) {
    return g_repaint;
}

DWORD GetDisplayColorCount(int* bitsPerPixel, int* paletteSize) {
    if (g_repaint.Force16Color)
        return 16;
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    g_bitsPerPixel = bits;
    DWORD colours = 0;
    int palette = 0;
    switch (bits) {
    case 1:
        colours = 2;
        palette = 2;
        break;
    case 4:
        colours = 16;
        palette = 16;
        break;
    case 8:
        colours = 256;
        palette = 256;
        break;
    case 16:
        colours = 65536;
        break;
    case 18:
        colours = 262144;
        break;
    case 24:
        colours = 16777216;
        break;
    default:
        break;
    }
    if (bitsPerPixel)
        *bitsPerPixel = bits;
    if (paletteSize)
        *paletteSize = palette;
    return colours;
}

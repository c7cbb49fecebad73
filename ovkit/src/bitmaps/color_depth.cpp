#include "color_depth.h"
#include "ovkit/bitmaps.h"
#include "ovkit/startup.h"

namespace {

int g_bitsOverride = 0;
int g_forceOverride = -1;

int CountForBits(int bits) {
    switch (bits) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    case 16:
        return 65536;
    case 18:
        return 262144;
    case 24:
        return 16777216;
    case 32:
        return -1;
    default:
        return 0;
    }
}

bool Forced16() {
    return (g_forceOverride >= 0 ? g_forceOverride : OvkitGetDisplaySettings().force16Color) != 0;
}

} // namespace

int OVKIT_CALL OVKIT_GetNumSysColors(int* bits) {
    int depth = g_bitsOverride;
    if (!depth) {
        HDC screen = GetDC(nullptr);
        depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
        ReleaseDC(nullptr, screen);
    }
    if (bits)
        *bits = depth;
    return CountForBits(depth);
}

bool OvkitScreenMoreThan256() {
    int bits = 0;
    int count = OVKIT_GetNumSysColors(&bits);
    return !Forced16() && OVKIT_MoreThan256Colors(count, bits);
}

bool OvkitScreenFewerThan256() {
    int bits = 0;
    int count = OVKIT_GetNumSysColors(&bits);
    return Forced16() || OVKIT_FewerThan256Colors(count, bits);
}

void OvkitOverrideScreen(int bitsPerPixel, int force16Color) {
    g_bitsOverride = bitsPerPixel;
    g_forceOverride = force16Color;
}

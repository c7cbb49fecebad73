#include "ovkit/startup.h"

namespace {

const char kSection[] = "RepaintInfoSection";

int ReadInt(const char* key, int fallback, const char* iniPath) {
    return static_cast<int>(GetPrivateProfileIntA(kSection, key, fallback, iniPath));
}

int Clamp(int value, int high, int fallback) {
    return value < 0 || value > high ? fallback : value;
}

} // namespace

void OvkitReadDisplaySettings(const char* iniPath, OvkitDisplaySettings* out) {
    out->drawSubliminals = Clamp(ReadInt("DrawSubliminals", 2, iniPath), 2, 2);
    out->drawBitmaps = Clamp(ReadInt("DrawBitmaps", 1, iniPath), 1, 1);
    out->quickHelpDelayMs = ReadInt("QuickHelpDelay", 1, iniPath) * 1000;
    out->quickHelpDurationMs = ReadInt("QuickHelpDuration", 4, iniPath) * 1000;
    out->force16Color = ReadInt("Force16Color", 0, iniPath);
}

#include "ovkit/report_page.h"
#include "ovkit/style_keys.h"
#include "ovkit/text_copy.h"
#include <cstddef>
#include <cstring>

namespace {

const size_t kColourSize = sizeof(OVKIT_ReportStyle::pageBackground);
const DWORD kFontSize = sizeof(OVKIT_ReportStyle::standardFont);
// The colour fields follow each other in the order of the key table.
static_assert(offsetof(OVKIT_ReportStyle, tableFrame) ==
                  offsetof(OVKIT_ReportStyle, pageBackground) +
                      (OVKIT_STYLE_COLOR_COUNT - 1) * kColourSize,
              "colour fields in key order");
static_assert(offsetof(OVKIT_ReportStyle, tableFont) ==
                  offsetof(OVKIT_ReportStyle, standardFont) +
                      (OVKIT_STYLE_FONT_COUNT - 1) * kFontSize,
              "font fields in key order");

// A colour value is read with room for 9 characters; "#" and at most 6 of
// them fit the 8 bytes kept.
void ReadColour(const OVKIT_StyleKey& c, char* out, const char* section, const char* file) {
    char value[10];
    GetPrivateProfileStringA(section, c.key, c.fallback, value, sizeof value, file);
    out[0] = '#';
    OvkitCopyPart(out + 1, 7, value, std::strlen(value));
}

void ReadText(const char* section, const char* key, const char* fallback, char* out, DWORD size,
              const char* file) {
    GetPrivateProfileStringA(section, key, fallback, out, size, file);
}

int ReadInt(const char* section, const char* key, int fallback, const char* file) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

} // namespace

void OVKIT_CALL OVKIT_ReadStyleColors(OVKIT_ReportStyle* style, const char* section,
                                      const char* file) {
    if (!style)
        return;
    *style = OVKIT_ReportStyle();
    char* fields = reinterpret_cast<char*>(style);
    for (int i = 0; i < OVKIT_STYLE_COLOR_COUNT; ++i)
        ReadColour(kOvkitStyleColorKeys[i],
                   fields + offsetof(OVKIT_ReportStyle, pageBackground) + i * kColourSize, section,
                   file);
    for (int i = 0; i < OVKIT_STYLE_FONT_COUNT; ++i)
        ReadText(section, kOvkitStyleFontKeys[i].key, kOvkitStyleFontKeys[i].fallback,
                 fields + offsetof(OVKIT_ReportStyle, standardFont) + i * kFontSize, kFontSize,
                 file);
    ReadText(section, "Background Filename", "", style->backgroundFile, 260, file);
    ReadText(section, "Logo Filename", "", style->logoFile, 260, file);
    if (!style->logoFile[0])
        lstrcpyA(style->logoFile, "ovlogoss.gif");
    char columns[16];
    ReadText(section, "Table Columns", "012", columns, sizeof columns, file);
    for (int digit = 0; digit < 4; ++digit)
        style->tableColumns[digit] = std::strchr(columns, '0' + digit) != nullptr;
    style->sortBy = ReadInt(section, "Sort By", 1, file);
    ReadText(section, "Number Alignment", "CENTER", style->numberAlignment, 8, file);
    style->framePage = ReadInt(section, "Frame Page", 0, file);
    style->frameWidth = ReadInt(section, "Frame Width", 1, file);
    style->longDescription = ReadInt(section, "Long Description", 0, file);
}

#include "ovkit/report_page.h"
#include "text/textbound.h"
#include <cstring>

using ovkit_detail::CopyPart;

namespace {

struct ColourKey {
    const char* key;
    const char* fallback;
    size_t offset;
};
#define OV_COLOUR(key, fallback, field)                                                            \
    { key, fallback, offsetof(OVKIT_ReportStyle, field) }
const ColourKey kColours[] = {
    OV_COLOUR("Page Background Color", "80FFFF", pageBackground),
    OV_COLOUR("Page Text Color", "000000", pageText),
    OV_COLOUR("Section Background Color", "800080", sectionBackground),
    OV_COLOUR("Section Text Color", "FFFFFF", sectionText),
    OV_COLOUR("Title Background Color", "0000FF", titleBackground),
    OV_COLOUR("Title Text Color", "00FF00", titleText),
    OV_COLOUR("Sub Title Background Color", "408080", subTitleBackground),
    OV_COLOUR("Sub Title Text Color", "FFFF00", subTitleText),
    OV_COLOUR("Odd Row Background Color", "C0C0C0", oddRowBackground),
    OV_COLOUR("Odd Row Text Color", "000000", oddRowText),
    OV_COLOUR("Even Row Background Color", "FFFFFF", evenRowBackground),
    OV_COLOUR("Even Row Text Color", "000000", evenRowText),
    OV_COLOUR("Table Frame Color", "000000", tableFrame),
};
#undef OV_COLOUR

// A colour value is read with room for 9 characters; "#" and at most 6 of
// them fit the 8 bytes kept.
void ReadColour(const ColourKey& c, OVKIT_ReportStyle* style, const char* section,
                const char* file) {
    char value[10];
    GetPrivateProfileStringA(section, c.key, c.fallback, value, sizeof value, file);
    char* out = reinterpret_cast<char*>(style) + c.offset;
    out[0] = '#';
    CopyPart(out + 1, 7, value, std::strlen(value));
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
    for (const ColourKey& c : kColours)
        ReadColour(c, style, section, file);
    ReadText(section, "Standard Font", "Arial", style->standardFont, 64, file);
    ReadText(section, "Section Font", "Arial", style->sectionFont, 64, file);
    ReadText(section, "Title Font", "Arial", style->titleFont, 64, file);
    ReadText(section, "Sub Title Font", "Arial", style->subTitleFont, 64, file);
    ReadText(section, "Table Data Font", "Arial", style->tableFont, 64, file);
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

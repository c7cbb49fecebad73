#include "splash_text.h"

#include <cstdlib>
#include <cstring>

namespace bandolet {

namespace {

// The 20 fixed colours of the Windows default palette.
constexpr COLORREF kPalette[20] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
    0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF,
    0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
constexpr size_t kMaxLine = 255;

// The palette index a colour line names, -1 when the line is text.
int ColourOf(const std::string& line) {
    size_t at = line.find("%%color=");
    if (at == std::string::npos)
        return -1;
    const char* p = line.c_str() + at + 8;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p < '0' || *p > '9')
        return -1;
    char* end = nullptr;
    long n = strtol(p, &end, 10);
    return *end == '%' && n >= 0 && n <= 19 ? static_cast<int>(n) : -1;
}

} // namespace

std::vector<SplashLine> SplitSplashText(const char* text) {
    std::vector<SplashLine> lines;
    COLORREF colour = 0xFFFFFF;
    for (const char* p = text ? text : ""; *p;) {
        size_t n = strcspn(p, "\r\n");
        std::string line(p, n);
        p += n;
        if (*p == '\r')
            ++p;
        if (*p == '\n')
            ++p;
        int c = ColourOf(line);
        if (c >= 0) {
            colour = kPalette[c];
            continue;
        }
        if (line.size() > kMaxLine)
            line.resize(kMaxLine);
        lines.push_back(SplashLine{line, colour});
    }
    return lines;
}

} // namespace bandolet

// The keys of a report style's section in style.ini with their fallbacks: one
// table for every reader of the file (the report-page helpers here, the
// engine's report writer). Header only: nothing crosses the DLL boundary.
#pragma once

struct OVKIT_StyleKey {
    const char* key;
    const char* fallback;
};

enum { OVKIT_STYLE_COLOR_COUNT = 13, OVKIT_STYLE_FONT_COUNT = 5 };

// Colours as six hexadecimal digits, in the order of the colour fields of
// OVKIT_ReportStyle.
inline constexpr OVKIT_StyleKey kOvkitStyleColorKeys[OVKIT_STYLE_COLOR_COUNT] = {
    {"Page Background Color", "80FFFF"},      {"Page Text Color", "000000"},
    {"Section Background Color", "800080"},   {"Section Text Color", "FFFFFF"},
    {"Title Background Color", "0000FF"},     {"Title Text Color", "00FF00"},
    {"Sub Title Background Color", "408080"}, {"Sub Title Text Color", "FFFF00"},
    {"Odd Row Background Color", "C0C0C0"},   {"Odd Row Text Color", "000000"},
    {"Even Row Background Color", "FFFFFF"},  {"Even Row Text Color", "000000"},
    {"Table Frame Color", "000000"},
};

// Fonts: standard, section, title, sub-title and table data.
inline constexpr OVKIT_StyleKey kOvkitStyleFontKeys[OVKIT_STYLE_FONT_COUNT] = {
    {"Standard Font", "Arial"},  {"Section Font", "Arial"},    {"Title Font", "Arial"},
    {"Sub Title Font", "Arial"}, {"Table Data Font", "Arial"},
};

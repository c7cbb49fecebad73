// The splash text as lines with their colours.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace bandolet {

struct SplashLine {
    std::string text; // at most 255 characters
    COLORREF colour;
};

// Splits text at line ends; colour lines ("%%color=" blanks, 0 to 19, "%")
// set the colour of the lines after them and are not lines themselves.
std::vector<SplashLine> SplitSplashText(const char* text);

} // namespace bandolet

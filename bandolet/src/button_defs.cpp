#include "button_defs.h"

#include <vector>

namespace bandolet {

namespace {

// Picture ids: kind base + the button's place in the set.
constexpr UINT kHighlightBase = 266, kLargeBase = 102, kLargeDisabledBase = 282;
constexpr UINT kSmallBase = 218, kSmallDisabledBase = 234, kShadowBase = 250;

ButtonSpec Button(int i, UINT command, UINT caption, UINT tooltip) {
    UINT n = static_cast<UINT>(i);
    return ButtonSpec{command,
                      {kHighlightBase + n, kLargeBase + n, kLargeBase + n, kLargeDisabledBase + n,
                       kSmallBase + n, kSmallDisabledBase + n, kShadowBase + n},
                      nullptr,
                      caption,
                      nullptr,
                      tooltip,
                      nullptr};
}

std::vector<ButtonSpec>& BuiltIn() {
    static std::vector<ButtonSpec> set = {
        Button(0, 5000, 135, 146),
        Button(1, 5030, 136, 147),
        Button(2, 5090, 137, 148),
        SeparatorSpec(),
        Button(3, 5040, 138, 149),
        Button(4, 5050, 139, 150),
        Button(5, 5060, 140, 151),
        SeparatorSpec(),
        Button(6, 5230, 141, 152),
        Button(7, 5010, 142, 153),
        Button(8, 5260, 143, 154),
        Button(9, 5250, 144, 155),
        SeparatorSpec(),
        Button(10, 5070, 145, 156),
        Button(11, 19200, 500, 501),
        Button(12, 19201, 700, 701),
        Button(13, 19202, 707, 708),
        Button(14, 19203, 710, 711),
    };
    return set;
}

std::vector<ButtonSpec>& Added() {
    static std::vector<ButtonSpec> added;
    return added;
}

} // namespace

ButtonSpec SeparatorSpec() {
    return ButtonSpec{BANDOLET_CMD_SEPARATOR,
                      {101, 101, 101, 101, 201, 201, 101},
                      nullptr,
                      161,
                      nullptr,
                      0,
                      nullptr};
}

void InitBuiltInButtons(HINSTANCE module) {
    for (ButtonSpec& s : BuiltIn())
        s.bitmapModule = s.captionModule = s.tooltipModule = module;
}

const ButtonSpec* BuiltInButtons(int* count) {
    *count = static_cast<int>(BuiltIn().size());
    return BuiltIn().data();
}

ButtonSpec* FindButtonSpec(UINT command) {
    for (ButtonSpec& s : Added())
        if (s.command == command)
            return &s;
    for (ButtonSpec& s : BuiltIn())
        if (s.command == command)
            return &s;
    return nullptr;
}

bool AddButtonSpec(const ButtonSpec& spec) {
    Added().push_back(spec);
    return true;
}

bool IsOwnCommand(UINT command) {
    return command == BANDOLET_CMD_SCROLL_LEFT || command == BANDOLET_CMD_SCROLL_RIGHT ||
           (command >= BANDOLET_CMD_SEPARATOR && command <= BANDOLET_CMD_SPLASH);
}

} // namespace bandolet

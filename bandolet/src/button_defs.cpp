#include "button_defs.h"

#include <algorithm>
#include <vector>

#include "ovkit/bitmaps.h"

namespace bandolet {

namespace {

// Picture ids: kind base + the button's place in the set.
constexpr UINT kHighlightBase = 266, kLargeBase = 102, kLargeDisabledBase = 282;
constexpr UINT kSmallBase = 218, kSmallDisabledBase = 234, kShadowBase = 250;

// The 16-colour forms fill 117-132 around the watermark (128).
UINT Large16Id(UINT n) {
    return n < 11 ? 117 + n : 118 + n;
}

ButtonSpec Button(int i, UINT command, UINT caption, UINT tooltip) {
    UINT n = static_cast<UINT>(i);
    return ButtonSpec{command,
                      {kHighlightBase + n, kLargeBase + n, Large16Id(n), kLargeDisabledBase + n,
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

// An added button and the pictures every bar shares; cached marks those
// taken from ovkit's cache (released there, not deleted).
struct AddedDef {
    ButtonSpec spec;
    HBITMAP pictures[kKindCount];
    bool cached[kKindCount];
};

std::vector<AddedDef>& Added() {
    static std::vector<AddedDef> added;
    return added;
}

AddedDef* FindAdded(const ButtonSpec& s) {
    for (AddedDef& d : Added())
        if (d.spec.command == s.command && d.spec.bitmapModule == s.bitmapModule &&
            std::equal(d.spec.bitmaps, d.spec.bitmaps + kKindCount, s.bitmaps))
            return &d;
    return nullptr;
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
    for (AddedDef& d : Added())
        if (d.spec.command == command)
            return &d.spec;
    for (ButtonSpec& s : BuiltIn())
        if (s.command == command)
            return &s;
    return nullptr;
}

bool AddButtonSpec(const ButtonSpec& spec) {
    Added().push_back(AddedDef{spec, {}, {}});
    return true;
}

bool SharedPicture(const ButtonSpec& spec, int kind, bool manyColors, HBITMAP* picture) {
    AddedDef* d = FindAdded(spec);
    if (!d)
        return false;
    UINT id = spec.bitmaps[kind];
    if (!d->pictures[kind] && id) {
        // The 16-colour form is for displays that cannot show the cached picture.
        d->cached[kind] = manyColors && kind != kLarge16;
        d->pictures[kind] =
            d->cached[kind]
                ? OVKIT_GetBitmapHandleFromCache(nullptr, id, spec.bitmapModule, nullptr)
                : static_cast<HBITMAP>(LoadImageA(spec.bitmapModule, MAKEINTRESOURCEA(id),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    *picture = d->pictures[kind];
    return true;
}

void FreeButtonDefs() {
    for (AddedDef& d : Added())
        for (int k = 0; k < kKindCount; ++k) {
            if (d.pictures[k] && d.cached[k])
                OVKIT_DestroyDlgBmp(nullptr, d.spec.bitmaps[k], d.spec.bitmapModule);
            else if (d.pictures[k])
                DeleteObject(d.pictures[k]);
            d.pictures[k] = nullptr;
        }
}

bool IsOwnCommand(UINT command) {
    return command == BANDOLET_CMD_SCROLL_LEFT || command == BANDOLET_CMD_SCROLL_RIGHT ||
           (command >= BANDOLET_CMD_SEPARATOR && command <= BANDOLET_CMD_SPLASH);
}

} // namespace bandolet

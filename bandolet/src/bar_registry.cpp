// The bars alive, so that a parent's user data is taken for a bar only when
// it is one of ours.
#include <algorithm>
#include <vector>

#include "bar_internal.h"

namespace bandolet {

namespace {
std::vector<BandoletBar*>& Live() {
    static std::vector<BandoletBar*> bars;
    return bars;
}
} // namespace

void RegisterBar(BandoletBar* bar) {
    Live().push_back(bar);
}

void UnregisterBar(BandoletBar* bar) {
    auto& v = Live();
    v.erase(std::remove(v.begin(), v.end(), bar), v.end());
}

BandoletBar* BarOf(HWND parent) {
    if (!parent)
        return nullptr;
    auto* bar = reinterpret_cast<BandoletBar*>(GetWindowLongPtrA(parent, GWLP_USERDATA));
    auto& v = Live();
    if (!bar || std::find(v.begin(), v.end(), bar) == v.end())
        return nullptr;
    if (bar->parent != parent || !IsWindow(bar->window))
        return nullptr;
    return bar;
}

void Warn(HWND parent, const char* text) {
    MessageBoxA(parent, text, kCaption, MB_OK | MB_ICONWARNING);
}

} // namespace bandolet

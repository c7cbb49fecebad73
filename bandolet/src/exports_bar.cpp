// The exported functions that make, change and take down a bar.
#include <vector>

#include "bar_internal.h"
#include "button_defs.h"
#include "options.h"

using namespace bandolet;

namespace {

// The specs of a list of command ids; false when one is unknown.
bool SpecsOf(const UINT* commands, std::vector<ButtonSpec>* specs) {
    for (const UINT* c = commands; c && *c; ++c) {
        if (*c == BANDOLET_CMD_SCROLL_LEFT || *c == BANDOLET_CMD_SCROLL_RIGHT ||
            *c == BANDOLET_CMD_OPTIONS_MENU || *c == BANDOLET_CMD_SPLASH)
            continue;
        const ButtonSpec* s = FindButtonSpec(*c);
        if (!s)
            return false;
        specs->push_back(*c == BANDOLET_CMD_SEPARATOR ? SeparatorSpec() : *s);
    }
    return true;
}

UINT Entry(const UINT* list, int i, UINT fallback) {
    return list ? list[i] : fallback;
}

} // namespace

BANDOLET_EXPORT(BandoletBar*) Bandolet_CreateDefaultBandolet(HWND parent, DWORD options) {
    return Bandolet_CreateBandolet(parent, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, options, 0);
}

BANDOLET_EXPORT(BandoletBar*)
Bandolet_CreateSubsetBandolet(HWND parent, const UINT* commands, DWORD options) {
    std::vector<ButtonSpec> specs;
    if (!SpecsOf(commands, &specs) || specs.empty())
        return nullptr;
    DWORD o = options ? options : ReadToolbarOptions(0, nullptr);
    return CreateBar(parent, specs.data(), static_cast<int>(specs.size()), o | BANDOLET_SUBSET, 0,
                     nullptr);
}

BANDOLET_EXPORT(BandoletBar*)
Bandolet_CreateBandolet(HWND parent, const UINT* highlight, const UINT* large, const UINT* large16,
                        const UINT* largeDisabled, const UINT* small, const UINT* smallDisabled,
                        const UINT* shadow, const UINT_PTR* captions, const UINT_PTR* tooltips,
                        const UINT* commands, DWORD options, UINT leftmost) {
    int builtInCount = 0;
    const ButtonSpec* builtIn = BuiltInButtons(&builtInCount);
    std::vector<ButtonSpec> specs;
    int n = builtInCount;
    if (commands)
        for (n = 0; commands[n];)
            ++n;
    for (int i = 0; i < n; ++i) {
        ButtonSpec s = i < builtInCount ? builtIn[i] : SeparatorSpec();
        s.command = Entry(commands, i, s.command);
        const UINT* lists[kKindCount] = {highlight, large,         large16, largeDisabled,
                                         small,     smallDisabled, shadow};
        for (int k = 0; k < kKindCount; ++k)
            s.bitmaps[k] = Entry(lists[k], i, s.bitmaps[k]);
        if (captions) {
            s.caption = static_cast<UINT>(captions[2 * i]);
            s.captionModule = reinterpret_cast<HINSTANCE>(captions[2 * i + 1]);
        }
        if (tooltips) {
            s.tooltip = static_cast<UINT>(tooltips[2 * i]);
            s.tooltipModule = reinterpret_cast<HINSTANCE>(tooltips[2 * i + 1]);
        }
        specs.push_back(s);
    }
    return CreateBar(parent, specs.data(), n, options, leftmost, nullptr);
}

BANDOLET_EXPORT(void) Bandolet_DestroyBandolet(HWND parent) {
    DestroyBar(parent);
}

BANDOLET_EXPORT(int) Bandolet_MatchButtons(HWND parent, const UINT* commands) {
    std::vector<UINT> wanted;
    for (const UINT* c = commands; c && *c; ++c)
        if (!IsOwnCommand(*c))
            wanted.push_back(*c);
    if (wanted.empty())
        return 0;
    BandoletBar* bar = BarOf(parent);
    if (bar) {
        size_t i = 0;
        while (i < wanted.size() && bar->commands[i] == wanted[i])
            ++i;
        if (i == wanted.size() && bar->commands[i] == 0)
            return 1;
    }
    DWORD options = bar ? bar->options & ~BANDOLET_SUBSET : 0;
    Bandolet_CreateSubsetBandolet(parent, commands, options);
    return static_cast<int>(wanted.size());
}

BANDOLET_EXPORT(int) Bandolet_EnableButton(HWND parent, UINT command, BOOL enable) {
    BandoletBar* bar = BarOf(parent);
    int i = bar ? ButtonIndex(bar, command) : -1;
    if (i < 0)
        return 0;
    bar->buttons[i].enabled = enable != FALSE;
    if (!enable) {
        bar->buttons[i].pressed = false;
        if (bar->pressed == i)
            bar->pressed = -1;
    }
    RedrawButton(bar, i);
    return 1;
}

BANDOLET_EXPORT(BandoletBar*) Bandolet_SetOptions(HWND parent, DWORD options) {
    BandoletBar* bar = BarOf(parent);
    if (!bar)
        return nullptr;
    std::vector<ButtonSpec> specs(bar->specs, bar->specs + bar->specCount);
    std::vector<std::pair<UINT, bool>> enabled;
    for (int i = 0; i < bar->count; ++i)
        if (!bar->buttons[i].scroll)
            enabled.emplace_back(bar->buttons[i].command, bar->buttons[i].enabled);
    char file[MAX_PATH];
    lstrcpynA(file, bar->iniFile, MAX_PATH);
    UINT leftmost = bar->leftmost;
    DWORD keep = bar->options & (BANDOLET_SUBSET | BANDOLET_OWN_FILE);
    DWORD o = NormaliseOptions((options & ~BANDOLET_SUBSET) | keep, CurrentDisplay());
    BandoletBar* made =
        CreateBar(parent, specs.data(), static_cast<int>(specs.size()), o, leftmost, file);
    for (const auto& e : enabled)
        if (made && !e.second)
            Bandolet_EnableButton(parent, e.first, FALSE);
    return made;
}

BANDOLET_EXPORT(int) Bandolet_Palette(HWND parent, UINT message, HWND window) {
    BandoletBar* bar = BarOf(parent);
    if (!bar)
        return 0;
    if (!(message == WM_PALETTECHANGED && window == parent))
        InvalidateRect(bar->window, nullptr, FALSE);
    return 1;
}

BANDOLET_EXPORT(void) Bandolet_Resize(HWND parent) {
    RECT rc = {};
    GetClientRect(parent, &rc);
    Bandolet_ResizeRect(parent, &rc);
}

BANDOLET_EXPORT(void) Bandolet_ResizeRect(HWND parent, const RECT* rect) {
    BandoletBar* bar = BarOf(parent);
    if (bar && rect)
        ResizeBar(bar, rect->right - rect->left);
}

BANDOLET_EXPORT(void) Bandolet_Focus(HWND) {}

BANDOLET_EXPORT(HWND) Bandolet_GetToolbarHWND(HWND parent) {
    BandoletBar* bar = BarOf(parent);
    return bar ? bar->window : nullptr;
}

BANDOLET_EXPORT(int)
Bandolet_AddButton(HINSTANCE module, UINT highlight, UINT large, UINT large16, UINT largeDisabled,
                   UINT small, UINT smallDisabled, UINT shadow, UINT caption, UINT tooltip,
                   UINT command) {
    ButtonSpec s = {
        command, {highlight, large, large16, largeDisabled, small, smallDisabled, shadow},
        module,  caption,
        module,  tooltip,
        module};
    return AddButtonSpec(s) ? 1 : 0;
}

BANDOLET_EXPORT(int)
Bandolet_ChangeButtonText(HWND parent, UINT command, UINT caption, UINT tooltip, HINSTANCE module) {
    BandoletBar* bar = BarOf(parent);
    if (!bar || ButtonIndex(bar, command) < 0)
        return 0;
    if (ButtonSpec* def = FindButtonSpec(command)) {
        def->caption = caption;
        def->tooltip = tooltip;
        def->captionModule = def->tooltipModule = module;
    }
    for (int i = 0; i < bar->specCount; ++i)
        if (bar->specs[i].command == command) {
            bar->specs[i].caption = caption;
            bar->specs[i].tooltip = tooltip;
            bar->specs[i].captionModule = bar->specs[i].tooltipModule = module;
        }
    return Bandolet_SetOptions(parent, bar->options) ? 1 : 0;
}

BANDOLET_EXPORT(BandoletBar*)
Bandolet_SetINIFilename(HWND parent, const char* file, DWORD options) {
    BandoletBar* bar = BarOf(parent);
    if (!bar)
        return nullptr;
    lstrcpynA(bar->iniFile, file ? file : "", MAX_PATH);
    DWORD o = ReadToolbarOptions(options | BANDOLET_OWN_FILE, bar->iniFile);
    return Bandolet_SetOptions(parent, o);
}

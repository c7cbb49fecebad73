// The library's own commands and the options menu's state.
#include "bar_internal.h"
#include "options.h"

using namespace bandolet;

namespace {

struct MenuBit {
    UINT item;
    DWORD bit;
};
constexpr MenuBit kMenuBits[] = {
    {19000, BANDOLET_SMALL},     {19001, BANDOLET_LARGE},      {19002, BANDOLET_TEXT},
    {19003, BANDOLET_TOOLTIPS},  {19005, BANDOLET_FRAME},      {19006, BANDOLET_SEPARATORS},
    {19007, BANDOLET_WATERMARK}, {19008, BANDOLET_HIGHLIGHT},  {19009, BANDOLET_SHADOWS},
    {19010, BANDOLET_RAISED},    {19011, BANDOLET_SCROLLABLE},
};

void Enable(HMENU menu, UINT item, bool on) {
    EnableMenuItem(menu, item, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

} // namespace

BANDOLET_EXPORT(int) Bandolet_Initmenu(HWND parent, HMENU menu) {
    BandoletBar* bar = BarOf(parent);
    if (!bar)
        return 0;
    DWORD keep = bar->options & (BANDOLET_OWN_FILE | BANDOLET_SUBSET);
    DWORD o = ReadToolbarOptions(keep, bar->iniFile) | keep;
    for (const MenuBit& m : kMenuBits)
        CheckMenuItem(menu, m.item, MF_BYCOMMAND | ((o & m.bit) ? MF_CHECKED : MF_UNCHECKED));
    Display d = CurrentDisplay();
    bool large = (o & BANDOLET_LARGE) != 0;
    Enable(menu, 19008, large && !d.few16);
    Enable(menu, 19009, large);
    Enable(menu, 19007, d.more256);
    Enable(menu, 19000, !d.few16);
    return 1;
}

BANDOLET_EXPORT(int) Bandolet_Command(HWND parent, UINT command) {
    BandoletBar* bar = BarOf(parent);
    if (!bar)
        return 0;
    if (IsOptionCommand(command)) {
        DWORD o = ApplyOptionCommand(bar->options, command, CurrentDisplay());
        WriteToolbarOptions(o, bar->iniFile, bar->leftmost);
        Bandolet_SetOptions(parent, o);
        return 1;
    }
    switch (command) {
    case BANDOLET_CMD_SCROLL_LEFT:
    case BANDOLET_CMD_SCROLL_RIGHT:
        ScrollBar(bar, command == BANDOLET_CMD_SCROLL_RIGHT);
        return 1;
    case BANDOLET_CMD_OPTIONS_MENU: {
        int i = ButtonIndex(bar, command);
        POINT at = {i >= 0 ? bar->buttons[i].rect.left : 0, bar->height};
        ClientToScreen(bar->window, &at);
        ShowOptionsMenu(bar, at);
        return 1;
    }
    case BANDOLET_CMD_SPLASH:
        Bandolet_ShowSplash(parent, 0, nullptr, nullptr);
        return 1;
    }
    return 0;
}

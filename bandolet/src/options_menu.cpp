// The options menu: the pop-up of the bar and the "Toolbar" menu added to
// the host's menu bar.
#include <algorithm>
#include <vector>

#include "bar_internal.h"
#include "options.h"
#include "ovkit/strutil.h"

namespace bandolet {

namespace {

constexpr UINT kPopupMenu = 128, kHostMenu = 127, kToolbarName = 159;

std::vector<HWND>& MenuHosts() {
    static std::vector<HWND> hosts;
    return hosts;
}

} // namespace

void ShowOptionsMenu(BandoletBar* bar, POINT screen) {
    HMENU menu = LoadMenuA(LibraryModule(), MAKEINTRESOURCEA(kPopupMenu));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    Bandolet_Initmenu(bar->parent, popup);
    HWND parent = bar->parent;
    UINT command = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, screen.x,
                       screen.y, 0, bar->window, nullptr));
    DestroyMenu(menu);
    if (command)
        Bandolet_Command(parent, command);
}

void AddToolbarMenu(HWND parent) {
    HWND host = GetMenu(parent) ? parent : GetParent(parent);
    HMENU bar = host ? GetMenu(host) : nullptr;
    auto& hosts = MenuHosts();
    if (!bar || GetMenuItemCount(bar) < 2 ||
        std::find(hosts.begin(), hosts.end(), host) != hosts.end())
        return;
    HMENU loaded = LoadMenuA(LibraryModule(), MAKEINTRESOURCEA(kHostMenu));
    HMENU items = loaded ? GetSubMenu(loaded, 0) : nullptr;
    if (!items)
        return;
    RemoveMenu(loaded, 0, MF_BYPOSITION); // the items now belong to the host's menu
    DestroyMenu(loaded);
    char name[kTextSize];
    OVKIT_GetString(kToolbarName, LibraryModule(), name);
    AppendMenuA(GetSubMenu(bar, 1), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(items), name);
    hosts.push_back(host);
}

void ForgetMenuHosts() {
    MenuHosts().clear();
}

} // namespace bandolet

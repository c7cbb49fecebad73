#include "menu_copy.h"
#include <vector>

namespace ovkit {

namespace {

HMENU CopyTree(HMENU source, bool popup);

// Appends a copy of item i of source to copy; false on failure.
bool CopyItem(HMENU source, int i, HMENU copy) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_CHECKMARKS |
                 MIIM_BITMAP | MIIM_STRING;
    if (!GetMenuItemInfoA(source, i, TRUE, &info))
        return false;
    std::vector<char> text(info.cch + 1, 0);
    if (info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) {
        info.fMask &= ~MIIM_STRING; // these kinds carry no text
    } else {
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        if (!GetMenuItemInfoA(source, i, TRUE, &info))
            return false;
    }
    if (info.hSubMenu && !(info.hSubMenu = CopyTree(info.hSubMenu, true)))
        return false;
    if (InsertMenuItemA(copy, i, TRUE, &info))
        return true;
    if (info.hSubMenu)
        DestroyMenu(info.hSubMenu);
    return false;
}

HMENU CopyTree(HMENU source, bool popup) {
    HMENU copy = popup ? ::CreatePopupMenu() : ::CreateMenu();
    if (!copy)
        return nullptr;
    int count = GetMenuItemCount(source);
    for (int i = 0; i < count; ++i) {
        if (!CopyItem(source, i, copy)) {
            DestroyMenu(copy);
            return nullptr;
        }
    }
    return copy;
}

} // namespace

HMENU CopyMenuTree(HMENU source) {
    if (!source || !IsMenu(source))
        return nullptr;
    return CopyTree(source, false);
}

} // namespace ovkit

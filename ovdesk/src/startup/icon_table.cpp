// The plug-in's icon table.
#include "startup/startup_parts.h"
#include "desk_services.h"
#include "resource_ids.h"

namespace {
struct IconRow {
    WORD Id;
    HICON Icon;
};
IconRow g_icons[ICON_TABLE_SIZE] = {
    {IDI_DESK_MAIN, nullptr}, {IDI_DESK_906, nullptr}, {IDI_DESK_907, nullptr},
    {IDI_DESK_908, nullptr},  {IDI_DESK_909, nullptr},
};
} // namespace

void LoadIconTable(void) {
    for (IconRow& row : g_icons)
        row.Icon = LoadIconA(GetPluginInstance(), MAKEINTRESOURCEA(row.Id));
}

void FreeIconTable(void) {
    for (IconRow& row : g_icons) {
        if (row.Icon)
            DestroyIcon(row.Icon);
        row.Icon = nullptr;
    }
}

HICON GetTableIcon(int index) {
    return index >= 0 && index < ICON_TABLE_SIZE ? g_icons[index].Icon : nullptr;
}

// Weekdays and hours: fixed items made on the table's first use, then one
// count per hit under the hit's weekday or hour.
#include "hit_updaters.h"

#include <stdio.h>

// Makes the fixed items in order (names from name(i)) and keeps their numbers.
template <typename NameFn>
static int MakeFixedItems(HitPass* pass, int table, LONG* items, int count, NameFn name) {
    DWORD bit = table == TopWeekdays ? 1 : 2;
    if (pass->run->Accum.FixedItemsMade & bit)
        return 1;
    for (int i = 0; i < count; ++i) {
        char text[64];
        name(i, text, sizeof text);
        items[i] = RunTableIndex(pass, table, text);
        if (items[i] < 0)
            return 0;
    }
    pass->run->Accum.FixedItemsMade |= bit;
    return 1;
}

static int CountFixedItem(HitPass* pass, int table, LONG item) {
    TableItem_CountHit(RunTableOf(pass->run, table)->lpItems[item], pass->interval, pass->newVisit);
    return 1;
}

int CountWeekday(HitPass* pass) {
    if (!TableUsed(TopWeekdays))
        return 1;
    const ReportIniSettings* lang = pass->run->Language;
    LONG* items = pass->run->Accum.WeekdayItems;
    auto name = [lang](int i, char* text, size_t size) {
        lstrcpynA(text, RunText(lang ? lang->ShortWeekdays[i] : nullptr), int(size));
    };
    if (!MakeFixedItems(pass, TopWeekdays, items, 7, name))
        return 0;
    // The short names are the "%a" texts of the language, Sunday first.
    int weekday = int((pass->hit->dwTime / 86400 + 4) % 7);
    return CountFixedItem(pass, TopWeekdays, items[weekday]);
}

int CountHour(HitPass* pass) {
    if (!TableUsed(TopHours))
        return 1;
    auto name = [](int i, char* text, size_t size) {
        snprintf(text, size, "%02d:00-%02d:59", i, i);
    };
    if (!MakeFixedItems(pass, TopHours, pass->run->Accum.HourItems, 24, name))
        return 0;
    int hour = int(pass->hit->dwTime % 86400 / 3600);
    return CountFixedItem(pass, TopHours, pass->run->Accum.HourItems[hour]);
}

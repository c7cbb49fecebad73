// Closing a visit: its time, its exit page, its path and single-page visits.
#include "accumulate.h"
#include "hit_updaters.h"

#include <stdio.h>
#include <stdlib.h>

#include "ovcore/report_numbers.h"
#include "tables/item_tail.h"

#define SLOT_DOCUMENTS 0
#define SLOT_FORMS 3
#define PATH_NAME_SIZE (SUBLIST_PATH_MAX * 8 + 1)

static const TopNameList* SubLists(const AnalysisItem* visitor) {
    return visitor->lpExtra && visitor->ovTopNamesCount == SUBLIST_SLOTS
               ? (const TopNameList*)visitor->lpExtra
               : nullptr;
}

static WORD SlotCount(const TopNameList* slots, int slot) {
    return slots ? slots[slot].wCount : 0;
}

// The path's name: one "%08x" group per step (form flag * 65536 + page).
static bool PathName(const TopNameList* slots, char* name) {
    name[0] = 0;
    const TopNameList* path = slots ? &slots[SUBLIST_PATH_SLOT] : nullptr;
    if (!path || !path->lpValues || path->wCount < 2)
        return false;
    const DWORD* steps = (const DWORD*)path->lpValues;
    int count = path->wCount / 2;
    for (int i = 0; i < count && i < SUBLIST_PATH_MAX; ++i)
        sprintf(name + 8 * i, "%08lx", (unsigned long)steps[i]);
    return true;
}

static void CountPath(HitPass* pass, const TopNameList* slots) {
    RunContext* run = pass->run;
    char name[PATH_NAME_SIZE];
    if (!TableUsed(TopPaths) || run->Hits.PathsOff || !PathName(slots, name))
        return;
    if (RunTableOf(run, TopPaths)->ovCount > DWORD(GetBigTableCutoff())) {
        run->Hits.PathsOff = TRUE; // too many to print: stop counting paths
        return;
    }
    DWORD interval = pass->interval;
    pass->interval = 0;
    CountRunItem(pass, TopPaths, name, 1);
    pass->interval = interval;
}

void CloseVisit(RunContext* context, AnalysisItem* visitor) {
    ItemVisitTimes* visit = visitor ? ItemVisitTimesOf(visitor) : nullptr;
    if (!context || !visit || visitor->ovOverflow || visitor->ovDeleted || !visit->ovLastPageTime ||
        !context->Period.TopTablesPtr)
        return;
    PeriodBlock& p = context->Period;
    if (visit->Pages.ovTimeOnPagesCount) {
        ++p.UserSessionsTimeCount;
        p.UserSessionsTime += visit->Pages.ovTimeOnPages;
    }
    HitPass pass = {};
    pass.run = context;
    pass.interval = RunInterval(context, visit->ovLastPageTime);
    pass.newVisit = 1;
    const AnalysisTable* pages =
        RunTableOf(context, visit->ovLastPageWasForm ? TopForms : TopDocuments);
    DWORD last = visit->ovLastPageEntryItem;
    const char* page =
        pages->lpItems && last < pages->ovCount + pages->DeleteCount && pages->lpItems[last]
            ? pages->lpItems[last]->ovString
            : nullptr;
    // The exit and single-page tables share the page's stored name.
    pass.storedPage = page ? RunStoredName(context, page) : nullptr;
    if (pass.storedPage)
        page = pass.storedPage;
    const TopNameList* slots = SubLists(visitor);
    if (page && TableUsed(TopExit))
        CountRunItem(&pass, TopExit, page, 1);
    CountPath(&pass, slots);
    WORD documents = SlotCount(slots, SLOT_DOCUMENTS), forms = SlotCount(slots, SLOT_FORMS);
    if (page && TableUsed(TopSinglePage) &&
        ((documents == 1 && forms == 0) || (documents == 0 && forms == 1)))
        CountRunItem(&pass, TopSinglePage, page, 1);
    visit->ovLastPageTime = 0; // closed: a second close changes nothing
    if (pass.failedTable)
        snprintf(context->ErrorText, sizeof context->ErrorText,
                 "Out of memory counting the hits (%s)", pass.failedTable);
}

// The page updaters: entry pages, documents, downloads and uploads,
// extensions, directories and forms, with the visitor's page time and path.
#include "hit_updaters.h"

#include <string.h>
#include "ovkit/text_copy.h"
#include "tables/item_tail.h"

#define SLOT_DOCUMENTS 0
#define SLOT_DOWNLOADS 1
#define SLOT_UPLOADS 2
#define SLOT_FORMS 3
#define SLOT_DIRECTORIES 4
#define SLOT_EXTENSIONS 5
#define SLOT_FORM_RESULTS 6

namespace {

// The page name, kept once for every table that takes it (the run's buffer
// when memory is short).
const char* PageName(HitPass* pass) {
    if (!pass->storedPage)
        pass->storedPage = RunStoredName(pass->run, pass->run->Hits.PageName);
    return pass->storedPage ? pass->storedPage : pass->run->Hits.PageName;
}

// The page name without its query (the name itself stays whole), kept once;
// null when memory is short.
const char* PageWithoutQuery(HitPass* pass) {
    if (pass->storedPageWithoutQuery)
        return pass->storedPageWithoutQuery;
    const char* page = pass->run->Hits.PageName;
    size_t n = strcspn(page, "?");
    if (!page[n])
        return PageName(pass);
    char cut[sizeof pass->run->Hits.PageName];
    memcpy(cut, page, n);
    cut[n] = 0;
    pass->storedPageWithoutQuery = RunStoredName(pass->run, cut);
    return pass->storedPageWithoutQuery;
}

// A user for the item when the visitor meets it first in this visit.
void CountUserOnce(HitPass* pass, int slot, AnalysisItem* item, LONG index) {
    if (pass->visitor && SubItemIdFits(index) &&
        AddSubItemIdIn(pass->visitorBlocks, pass->visitor, slot, DWORD(index)))
        TableItem_CountSecondInterval(item, pass->interval);
}

// The page joins the visit's path (form 1 for a form).
void AddPathStep(HitPass* pass, LONG index, int form) {
    if (!pass->visitor || !TableUsed(TopPaths) || pass->run->Hits.PathsOff || !SubItemIdFits(index))
        return;
    TopNameList* slots = TableItem_SubListsIn(pass->visitorBlocks, pass->visitor);
    if (slots)
        AddLinkPairIn(pass->visitorBlocks, &slots[SUBLIST_PATH_SLOT], WORD(index), WORD(form));
}

bool AnyUsed(const int* tables, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (TableUsed(tables[i]))
            return true;
    return false;
}

bool IsDownloadType(const RunContext* run, const char* extension) {
    for (WORD i = 0; i < run->DownloadTypeCount; ++i)
        if (run->DownloadTypes[i] && SameText(run->DownloadTypes[i]->Name, extension))
            return true;
    return false;
}

} // namespace

void CountPageTime(HitPass* pass, LONG pageItem, int form) {
    ItemVisitTimes* v = pass->visitor ? ItemVisitTimesOf(pass->visitor) : nullptr;
    if (!v)
        return;
    DWORD time = pass->hit->dwTime;
    if (v->ovLastPageTime) {
        DWORD elapsed = time > v->ovLastPageTime ? time - v->ovLastPageTime : 0;
        v->Pages.ovTimeOnPages += elapsed;
        ++v->Pages.ovTimeOnPagesCount;
        AnalysisTable* t = RunTableOf(pass->run, v->ovLastPageWasForm ? TopForms : TopDocuments);
        ItemPageTimes* last = nullptr;
        if (t->lpItems && v->ovLastPageEntryItem < t->ovCount + t->DeleteCount)
            last = ItemPageTimesOf(t->lpItems[v->ovLastPageEntryItem]);
        if (last) {
            last->ovTimeOnPages += elapsed;
            ++last->ovTimeOnPagesCount;
        }
    }
    v->ovLastPageWasForm = BYTE(form != 0);
    v->ovLastPageTime = time;
    v->ovLastPageEntryItem = DWORD(pageItem);
}

int CountEntryPage(HitPass* pass) {
    if (!pass->newVisit)
        return 1;
    return CountRunItem(pass, TopEntry, PageWithoutQuery(pass), 1) != nullptr;
}

int CountDocument(HitPass* pass) {
    static const int kTables[] = {TopDocuments, TopEntry,      TopExit,
                                  TopPaths,     TopSinglePage, TopBottom};
    if (pass->isUpload || !pass->isDocument || !AnyUsed(kTables, 6))
        return 1;
    ++pass->run->Period.DocumentHits;
    LONG index = RunTableIndex(pass, TopDocuments, PageName(pass));
    if (index < 0)
        return 0;
    AnalysisItem* item = RunTableOf(pass->run, TopDocuments)->lpItems[index];
    TableItem_CountInterval(item, pass->interval);
    AddPathStep(pass, index, 0);
    CountPageTime(pass, index, 0);
    CountUserOnce(pass, SLOT_DOCUMENTS, item, index);
    return 1;
}

// The hit on the item of that name, and a user the first time the visit
// meets it; null when memory is short.
static AnalysisItem* CountItemOnce(HitPass* pass, int table, int slot, const char* name) {
    LONG index = RunTableIndex(pass, table, name);
    if (index < 0)
        return nullptr;
    AnalysisItem* item = RunTableOf(pass->run, table)->lpItems[index];
    TableItem_CountInterval(item, pass->interval);
    CountUserOnce(pass, slot, item, index);
    return item;
}

static int CountPageIn(HitPass* pass, int table, int slot) {
    return CountItemOnce(pass, table, slot, PageName(pass)) != nullptr;
}

int CountDownloadOrUpload(HitPass* pass) {
    if (pass->isUpload)
        return TableUsed(TopUploads) ? CountPageIn(pass, TopUploads, SLOT_UPLOADS) : 1;
    if (TableUsed(TopDownloads) && pass->extension[0] && IsDownloadType(pass->run, pass->extension))
        return CountPageIn(pass, TopDownloads, SLOT_DOWNLOADS);
    return 1;
}

int CountExtension(HitPass* pass) {
    const HitRecord* hit = pass->hit;
    if (pass->isUpload || hit->dwStatus == 304 || !TableUsed(TopExtensions))
        return 1;
    char name[MAX_PATH];
    OvkitCopyText(name, sizeof name, pass->extension);
    if (!name[0] && hit->lpszUrl) {
        size_t end = strcspn(hit->lpszUrl, "?");
        const char* dot = nullptr;
        for (const char* p = hit->lpszUrl; p < hit->lpszUrl + end; ++p)
            if (*p == '.')
                dot = p;
        size_t n = dot ? size_t(hit->lpszUrl + end - dot - 1) : 0;
        if (n >= sizeof name)
            n = sizeof name - 1;
        if (dot)
            memcpy(name, dot + 1, n);
        name[n] = 0;
    }
    if (!name[0] && pass->run->HomePageList && pass->run->HomePageList->lpszText) {
        const char* dot = strrchr(pass->run->HomePageList->lpszText, '.');
        if (dot)
            lstrcpynA(name, dot + 1, sizeof name);
    }
    name[strcspn(name, "?")] = 0;
    if (!name[0])
        return 1; // a folder of a site without default documents: no type to tell
    // Visits as in the other page tables: once per visit and type.
    AnalysisItem* item = CountItemOnce(pass, TopExtensions, SLOT_EXTENSIONS, name);
    if (!item)
        return 0;
    item->ovTotalBytes += double(hit->dwBytes);
    return 1;
}

// Where the path part of a page name starts: behind the home-page prefix
// when the page begins with it, else at the first separator behind the
// scheme and host.
static const char* PathPart(const RunContext* run, const char* page) {
    size_t prefix = strlen(run->HomePagePrefix);
    if (prefix && SameTextPrefix(page, run->HomePagePrefix, prefix))
        return page + prefix;
    const char* scheme = strstr(page, "://");
    if (!scheme)
        return page;
    const char* p = scheme + 3;
    while (*p && *p != '/' && *p != '\\')
        ++p;
    return p;
}

int CountDirectory(HitPass* pass) {
    const HitRecord* hit = pass->hit;
    if (!TableUsed(TopDirectory) || (hit->lpszUrl && SameTextPrefix(hit->lpszUrl, "http://", 7)))
        return 1;
    const char* page = pass->run->Hits.PageName;
    char name[1300];
    OvkitCopyText(name, sizeof name, page);
    char* path = name + (PathPart(pass->run, page) - page);
    bool leading = *path == '/' || *path == '\\';
    char* end = path + (leading ? 1 : 0);
    while (*end && *end != '/' && *end != '\\')
        ++end;
    if (leading && !*end)
        end = path + 1; // no second separator: the leading one alone
    *end = 0;
    LONG index = RunTableIndex(pass, TopDirectory, name);
    if (index < 0)
        return 0;
    AnalysisItem* item = RunTableOf(pass->run, TopDirectory)->lpItems[index];
    TableItem_CountInterval(item, pass->interval);
    CountUserOnce(pass, SLOT_DIRECTORIES, item, index);
    if (hit->dwStatus != 304) {
        ++item->ovNonCachedTotalByHits;
        item->ovTotalBytes += double(hit->dwBytes);
    }
    return 1;
}

int CountForm(HitPass* pass) {
    static const int kTables[] = {TopForms, TopEntry, TopExit, TopPaths, TopSinglePage};
    if (!pass->isForm)
        return 1;
    PeriodBlock& p = pass->run->Period;
    const HitRecord* hit = pass->hit;
    ++p.FormHits;
    if (!hit->bSuccess)
        ++p.FailedFormHits;
    if (hit->bSuccess && AnyUsed(kTables, 5)) {
        LONG index = RunTableIndex(pass, TopForms, PageWithoutQuery(pass));
        if (index < 0)
            return 0;
        AnalysisItem* item = RunTableOf(pass->run, TopForms)->lpItems[index];
        TableItem_CountInterval(item, pass->interval);
        if (!pass->isDocument) {
            AddPathStep(pass, index, 1);
            CountPageTime(pass, index, 1);
        }
        CountUserOnce(pass, SLOT_FORMS, item, index);
    }
    if (!TableUsed(TopFormErrors))
        return 1;
    const ReportIniSettings* lang = pass->run->Language;
    const char* text =
        lang ? lang->Generic[hit->bSuccess ? GEN_SUCCESSFULFORMS : GEN_FAILEDFORMS] : nullptr;
    // Visits that sent a form, not visits that began with one.
    return CountItemOnce(pass, TopFormErrors, SLOT_FORM_RESULTS, RunText(text)) != nullptr;
}

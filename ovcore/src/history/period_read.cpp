// Reading a period file back into a run context. The file is read whole;
// every offset is checked against its size before it is followed, and every
// table, item, name and sub-array is copied into memory of its own, so that
// a damaged file gives PERIOD_BAD and never a crash.
#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"
#include "tables/item_tail.h"
#include "tables/table_lookup.h"
#include "history/history_db.h"
#include "history/period_layout.h"

namespace {

struct Image {
    const BYTE* data;
    DWORD size;
    int bad;
    // The bytes at offset, or null (and bad) when they lie outside the file.
    const void* At(DWORD offset, unsigned long long length) {
        if (offset == 0 || (unsigned long long)offset + length > size) {
            bad = 1;
            return nullptr;
        }
        return data + offset;
    }
    // A heap copy of the NUL-terminated text at offset.
    char* Text(DWORD offset) {
        const char* text = (const char*)At(offset, 1);
        const void* end = text ? memchr(text, 0, size - offset) : nullptr;
        if (!end) {
            bad = 1;
            return nullptr;
        }
        char* copy = _strdup(text);
        bad |= copy == nullptr;
        return copy;
    }
    template <class T> T* Copy(DWORD offset, DWORD count, DWORD room) {
        const void* src = At(offset, (unsigned long long)count * sizeof(T));
        T* out = src ? (T*)calloc(room > count ? room : count, sizeof(T)) : nullptr;
        if (!out) {
            bad = 1;
            return nullptr;
        }
        memcpy(out, src, count * sizeof(T));
        return out;
    }
};

// Room for count sub-list ids: the growth rule of the id arrays.
DWORD IdRoom(DWORD count) {
    DWORD room = 4;
    while (room < count)
        room *= 2;
    return room;
}

void ReadNameLists(Image& f, const StoredItem& s, AnalysisItem* item) {
    if (s.ExtraCount > SUBLIST_SLOTS) {
        f.bad = 1;
        return;
    }
    const StoredNameList* stored =
        (const StoredNameList*)f.At(s.Extra, (unsigned long long)s.ExtraCount * 14);
    TopNameList* slots = (TopNameList*)calloc(SUBLIST_SLOTS, sizeof(TopNameList));
    if (!stored || !slots) {
        free(slots);
        f.bad = 1;
        return;
    }
    item->lpExtra = slots;
    item->ovTopNamesCount = SUBLIST_SLOTS;
    for (DWORD i = 0; i < SUBLIST_SLOTS; ++i) {
        slots[i].dwSize = 14;
        slots[i].dwVersion = ANALYSIS_VERSION;
        if (i >= s.ExtraCount)
            continue;
        memcpy(&slots[i], stored[i].Head, sizeof(stored[i].Head));
        WORD count = slots[i].wCount;
        if (count == 0)
            continue;
        // Slot 11's count is of 16-bit halves, in memory as on disk.
        if (i == SUBLIST_PATH_SLOT)
            slots[i].lpValues = f.Copy<DWORD>(stored[i].Values, count / 2u, SUBLIST_PATH_MAX);
        else
            slots[i].lpValues = f.Copy<WORD>(stored[i].Values, count, IdRoom(count));
        if (!slots[i].lpValues)
            slots[i].wCount = 0;
    }
}

void ReadSearchDetails(Image& f, const StoredItem& s, AnalysisItem* item) {
    const StoredSearchDetail* stored =
        (const StoredSearchDetail*)f.At(s.Extra, (unsigned long long)s.ExtraCount * 20);
    SearchDetail** details = stored ? (SearchDetail**)calloc(s.ExtraCount, sizeof(void*)) : nullptr;
    if (!details) {
        f.bad = 1;
        return;
    }
    item->lpExtra = details;
    item->ovTopNamesCount = s.ExtraCount;
    for (DWORD i = 0; i < s.ExtraCount && !f.bad; ++i) {
        details[i] = (SearchDetail*)calloc(1, sizeof(SearchDetail));
        if (!details[i]) {
            f.bad = 1;
            break;
        }
        memcpy(details[i], stored[i].Head, sizeof(stored[i].Head));
        if (stored[i].Name)
            details[i]->lpName = f.Text(stored[i].Name);
    }
}

void ReadExtra(Image& f, const StoredItem& s, AnalysisItem* item, int kind) {
    if (s.Extra == 0 || s.ExtraCount == 0)
        return;
    switch (kind) {
    case TABLE_KIND_SERVERS:
        item->lpExtra = f.Copy<DWORD>(s.Extra, s.ExtraCount, 0);
        break;
    case TABLE_KIND_BANDWIDTH:
        item->lpExtra = f.Copy<double>(s.Extra, s.ExtraCount, ANALYSIS_INTERVALS);
        break;
    case TABLE_KIND_SEARCH:
        ReadSearchDetails(f, s, item);
        return;
    default:
        ReadNameLists(f, s, item);
        return;
    }
    if (item->lpExtra)
        item->ovTopNamesCount = s.ExtraCount;
}

bool LinkOk(LONG link, DWORD slots) {
    return link == ANALYSIS_NO_ITEM || (link >= 0 && (DWORD)link < slots);
}

bool LinksOk(const AnalysisTable* t, DWORD slots) {
    return LinkOk(t->DeleteListHead, slots) && LinkOk(t->DateListHead, slots) &&
           LinkOk(t->DateListTail, slots) && LinkOk(t->TopTableListHead, slots) &&
           LinkOk(t->TopTableListTail, slots) && t->ovCount <= slots;
}

// The capacity of a loaded table's arrays, as for a growing table.
DWORD ArrayRoom(DWORD chunk, DWORD slots) {
    if (chunk == 100)
        return ((slots + 1) / 100 + 1) * 100;
    DWORD room = chunk > slots ? chunk : slots + 1;
    return room > slots * 2 + 128 ? slots * 2 + 128 : room;
}

void ReadItems(Image& f, const StoredTable& s, AnalysisTable* table, int kind, DWORD slots) {
    const StoredItem* stored =
        (const StoredItem*)f.At(s.Items, (unsigned long long)slots * sizeof(StoredItem));
    if (!stored)
        return;
    for (DWORD i = 0; i < slots && !f.bad; ++i) {
        AnalysisItem* item = TableLookup_NewItem(table);
        if (!item) {
            f.bad = 1;
            return;
        }
        table->lpItems[i] = item;
        if (!ItemRecord_ToItem(&stored[i], item)) {
            f.bad = 1; // memory is short
            return;
        }
        if (!LinkOk(item->ovPrevLink, slots) || !LinkOk(item->ovNextLink, slots))
            f.bad = 1;
        if (stored[i].Name)
            item->ovString = f.Text(stored[i].Name);
        else if (kind == TABLE_KIND_VISITOR && !item->ovDeleted)
            item->ovString = _strdup("");
        ReadExtra(f, stored[i], item, kind);
    }
}

void ReadSortIndex(Image& f, const StoredTable& s, AnalysisTable* table, DWORD slots, DWORD room) {
    table->SortIndexCount =
        table->SortIndexCount < table->ovCount ? table->SortIndexCount : table->ovCount;
    if (table->ovCount == 0 || s.SortIndex == 0) {
        table->SortIndexCount = 0;
        return;
    }
    table->lpSortIndex = f.Copy<DWORD>(s.SortIndex, table->ovCount, room);
    for (DWORD i = 0; table->lpSortIndex && i < table->SortIndexCount; ++i)
        if (table->lpSortIndex[i] >= slots)
            f.bad = 1;
}

void ReadTable(Image& f, const StoredTable& s, AnalysisTable* table, int kind, int tail) {
    memset(table, 0, sizeof(*table));
    memcpy(table, s.Head, sizeof(s.Head));
    if (!TableLookup_SetItemTail(table, tail)) {
        f.bad = 1;
        return;
    }
    DWORD slots = table->ovCount + table->DeleteCount;
    if (slots < table->ovCount || !LinksOk(table, slots)) {
        f.bad = 1;
        return;
    }
    if (slots == 0 || s.Items == 0) {
        table->ovCount = table->DeleteCount = table->SortIndexCount = table->ChunkSize = 0;
        return;
    }
    if ((unsigned long long)s.Items + (unsigned long long)slots * sizeof(StoredItem) > f.size) {
        f.bad = 1;
        return;
    }
    DWORD room = ArrayRoom(table->ChunkSize, slots);
    table->ChunkSize = room;
    table->lpItems = (AnalysisItem**)calloc(room, sizeof(AnalysisItem*));
    if (!table->lpItems) {
        f.bad = 1;
        return;
    }
    ReadItems(f, s, table, kind, slots);
    if (!f.bad)
        ReadSortIndex(f, s, table, slots, room);
    if (!f.bad && !TableLookup_Build(table))
        f.bad = 1;
}

void ReadTables(Image& f, DWORD tablesAt, DWORD count, DWORD usersAt, RunContext* context) {
    PeriodBlock& block = context->Period;
    block.TopTablesCount = RUN_TABLE_COUNT;
    block.TopTablesPtr = (AnalysisTable*)calloc(RUN_TABLE_COUNT, sizeof(AnalysisTable));
    block.TopUsersPtr = (AnalysisTable*)calloc(1, sizeof(AnalysisTable));
    if (!block.TopTablesPtr || !block.TopUsersPtr) {
        f.bad = 1;
        return;
    }
    for (DWORD i = 0; i < RUN_TABLE_COUNT; ++i)
        EmptyPeriodTable(&block.TopTablesPtr[i]);
    EmptyPeriodTable(block.TopUsersPtr);
    // A file with fewer tables (an older one) keeps the rest empty.
    if (count > RUN_TABLE_COUNT)
        count = RUN_TABLE_COUNT;
    const StoredTable* stored =
        tablesAt ? (const StoredTable*)f.At(tablesAt, (unsigned long long)count * 60) : nullptr;
    for (DWORD i = 0; stored && i < count && !f.bad; ++i)
        ReadTable(f, stored[i], &block.TopTablesPtr[i], StoredTableKind((int)i),
                  TableItemTail((int)i));
    const StoredTable* users = usersAt ? (const StoredTable*)f.At(usersAt, 60) : nullptr;
    if (users && !f.bad)
        ReadTable(f, *users, block.TopUsersPtr, TABLE_KIND_VISITOR, TableItemTail(-1));
}

// Files written before the byte intervals moved into the bandwidth table
// keep them in the block: item 0 of the table gets them.
void UpgradeBandwidth(RunContext* context) {
    PeriodBlock& block = context->Period;
    AnalysisTable& table = block.TopTablesPtr[TopBandwidth];
    if (block.dwVersion >= RUN_CONTEXT_VERSION)
        return;
    block.dwVersion = RUN_CONTEXT_VERSION; // upgraded once: a rewrite stores the new form
    if (table.ovCount == 0 || !table.lpItems[0])
        return;
    AnalysisItem* item = table.lpItems[0];
    double* bytes = (double*)calloc(ANALYSIS_INTERVALS, sizeof(double));
    if (!bytes)
        return;
    memcpy(bytes, block.Bytes, sizeof(block.Bytes));
    free(item->lpExtra);
    item->lpExtra = bytes;
    item->ovTopNamesCount = ANALYSIS_INTERVALS;
    if (item->ovString) {
        TableLookup_Remove(&table, 0);
        item->ovString[0] = 0;
        TableLookup_Add(&table, 0);
    }
}

// An updater may replace the file while a reader holds it. A file that is
// there but cannot be opened is no missing day: an update would count the
// day afresh over it.
int ReadImage(const char* path, BYTE** data, DWORD* size) {
    *data = nullptr;
    HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PERIOD_NO_FILE
                                                                              : PERIOD_BAD;
    }
    DWORD high = 0;
    *size = GetFileSize(file, &high);
    int result = PERIOD_BAD;
    if (high == 0 && *size == 0)
        result = PERIOD_EMPTY;
    else if (high == 0 && *size != INVALID_FILE_SIZE && (*data = (BYTE*)malloc(*size)) != nullptr) {
        DWORD got = 0;
        if (ReadFile(file, *data, *size, &got, nullptr) && got == *size)
            result = PERIOD_LOADED;
    }
    CloseHandle(file);
    if (result != PERIOD_LOADED) {
        free(*data);
        *data = nullptr;
    }
    return result;
}

} // namespace

int ReadPeriodFile(const char* path, RunContext* context) {
    BYTE* data;
    DWORD size;
    int result = ReadImage(path, &data, &size);
    if (result != PERIOD_LOADED)
        return result;
    Image f{data, size, 0};
    DWORD blockAt = size >= PERIOD_HEADER_SIZE ? *(const DWORD*)data : 0;
    const BYTE* block = (const BYTE*)f.At(blockAt, PERIOD_BLOCK_SIZE);
    if (block) {
        DWORD tablesAt, usersAt;
        memcpy(&context->Period, block, PERIOD_BLOCK_HEAD);
        memcpy(&tablesAt, block + PERIOD_BLOCK_HEAD, 4);
        memcpy(&usersAt, block + PERIOD_BLOCK_HEAD + 4, 4);
        ReadTables(f, tablesAt, context->Period.TopTablesCount, usersAt, context);
        if (!f.bad)
            UpgradeBandwidth(context);
    }
    free(data);
    if (f.bad || !block) {
        FreePeriodTables(context);
        return PERIOD_BAD;
    }
    return PERIOD_LOADED;
}

void SetPeriodReportNames(ReportHandle* report, const char* profilePath) {
    strcpy(report->Language, "ENGLISH");
    const char* name = profilePath ? strrchr(profilePath, '\\') : nullptr;
    name = name ? name + 1 : profilePath ? profilePath : "";
    lstrcpynA(report->ProfileFileName, name, MAX_PATH);
}

int ReadPeriod(const MasterEntry* entry, HistoryDatabase* handle, ReportHandle* report,
               const char* profilePath) {
    if (!report->Run && (report->Run = AllocRunContext()) == nullptr)
        return PERIOD_BAD;
    SetPeriodReportNames(report, profilePath);
    for (int i = 0; i < RUN_TABLE_COUNT; ++i)
        g_ReportTableKeywords[i].Used = 1;
    if (entry->Current == 0)
        return PERIOD_EMPTY;
    if (handle && handle->Type == SWIFTMERE_ODBC)
        return ReadOdbcPeriod(handle, entry, report->Run);
    if (!handle || handle->Type != SWIFTMERE_FILES)
        return PERIOD_BAD;
    char path[MAX_PATH];
    if (!PeriodFilePath(handle, entry, path))
        return PERIOD_BAD;
    return ReadPeriodFile(path, report->Run);
}

int LoadPeriodForUpdate(const MasterEntry* entry, HistoryDatabase* handle, ReportHandle* report,
                        const char* profilePath) {
    int result = ReadPeriod(entry, handle, report, profilePath);
    if (result == PERIOD_LOADED)
        return 1;
    if (result == PERIOD_BAD)
        return 0;
    return MakeEmptyPeriodTables(report->Run);
}

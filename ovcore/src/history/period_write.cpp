// Writing a period file: per table its names, the items' kind-specific
// data, the items and the sort index; then the 44 table headers, the visitor
// table and its header, and the per-period block, whose offset goes into the
// first word of the 512-byte header. Offsets are the writer's own file
// positions, so they always match what is on disk.
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "tables/analysis_tables.h"
#include "core/message_sink.h"
#include "history/durable_file.h"
#include "history/history_db.h"
#include "history/period_layout.h"
#include "ovcore/registration.h"

namespace {

struct Writer {
    DurableFile* file;
    DWORD Put(const void* data, DWORD size) {
        DWORD at = file->Position;
        DurableFile_Write(file, data, size);
        return at;
    }
    DWORD PutText(const char* text) { return Put(text, (DWORD)strlen(text) + 1); }
};

DWORD PutNameLists(Writer& w, const AnalysisItem* item) {
    const TopNameList* slots = (const TopNameList*)item->lpExtra;
    std::vector<StoredNameList> stored(item->ovTopNamesCount);
    for (DWORD i = 0; i < item->ovTopNamesCount; ++i) {
        memcpy(stored[i].Head, &slots[i], sizeof(stored[i].Head));
        DWORD bytes = (DWORD)slots[i].wCount * 2;
        stored[i].Values = bytes && slots[i].lpValues ? w.Put(slots[i].lpValues, bytes) : 0;
    }
    return w.Put(stored.data(), (DWORD)(stored.size() * sizeof(StoredNameList)));
}

DWORD PutSearchDetails(Writer& w, const AnalysisItem* item, DWORD* written) {
    SearchDetail* const* details = (SearchDetail* const*)item->lpExtra;
    std::vector<StoredSearchDetail> stored;
    for (DWORD i = 0; i < item->ovTopNamesCount; ++i) {
        if (!details[i])
            continue;
        StoredSearchDetail s;
        memcpy(s.Head, details[i], sizeof(s.Head));
        s.Name = details[i]->lpName ? w.PutText(details[i]->lpName) : 0;
        stored.push_back(s);
    }
    *written = (DWORD)stored.size();
    return w.Put(stored.data(), (DWORD)(stored.size() * sizeof(StoredSearchDetail)));
}

// The offset of the item's kind-specific data, 0 when it has none.
DWORD PutExtra(Writer& w, const AnalysisItem* item, int kind, DWORD* count) {
    *count = item->ovTopNamesCount;
    if (!item->lpExtra || item->ovTopNamesCount == 0)
        return 0;
    switch (kind) {
    case TABLE_KIND_SERVERS:
        return w.Put(item->lpExtra, item->ovTopNamesCount * sizeof(DWORD));
    case TABLE_KIND_BANDWIDTH:
        return w.Put(item->lpExtra, item->ovTopNamesCount * sizeof(double));
    case TABLE_KIND_SEARCH:
        return PutSearchDetails(w, item, count);
    default:
        return PutNameLists(w, item);
    }
}

void PutTable(Writer& w, AnalysisTable* table, int kind, StoredTable* header) {
    DWORD slots = table->lpItems ? table->ovCount + table->DeleteCount : 0;
    if (slots)
        MaterialiseSortIndex(table);
    memset(header, 0, sizeof(*header));
    memcpy(header->Head, table, sizeof(header->Head));
    if (slots == 0)
        return;
    std::vector<StoredItem> items(slots);
    for (DWORD i = 0; i < slots; ++i) {
        const AnalysisItem* item = table->lpItems[i];
        memset(&items[i], 0, sizeof(StoredItem));
        if (!item)
            continue;
        ItemRecord_FromItem(item, &items[i]);
        if (item->ovString)
            items[i].Name = w.PutText(item->ovString);
        else if (kind == TABLE_KIND_VISITOR && !item->ovDeleted && !item->ovTopFlag)
            OutputDebugStringA("history: a visitor item without a name is stored unnamed\n");
    }
    for (DWORD i = 0; i < slots; ++i)
        if (table->lpItems[i])
            items[i].Extra = PutExtra(w, table->lpItems[i], kind, &items[i].ExtraCount);
    header->Items = w.Put(items.data(), slots * sizeof(StoredItem));
    if (table->ovCount > 0) {
        std::vector<DWORD> index(table->ovCount, 0);
        DWORD n = table->lpSortIndex ? table->SortIndexCount : 0;
        for (DWORD i = 0; i < n && i < table->ovCount; ++i)
            index[i] = table->lpSortIndex[i];
        header->SortIndex = w.Put(index.data(), table->ovCount * sizeof(DWORD));
    }
}

void ReportShortWrite(void) {
    Engine_ReportError(nullptr, "Ostrevane", LoadCachedString(5675), 0, 5675, 0);
}

} // namespace

int WritePeriodFileAs(const char* path, RunContext* context) {
    DurableFile file;
    if (!DurableFile_Create(&file, path))
        return PERIOD_WRITE_ERROR;
    Writer w{&file};
    BYTE header[PERIOD_HEADER_SIZE] = {};
    w.Put(header, sizeof(header));

    PeriodBlock& block = context->Period;
    DWORD tables = 0, visitors = 0;
    if (block.TopTablesPtr && block.TopTablesCount) {
        std::vector<StoredTable> headers(block.TopTablesCount);
        for (DWORD i = 0; i < block.TopTablesCount; ++i)
            PutTable(w, &block.TopTablesPtr[i], StoredTableKind((int)i), &headers[i]);
        tables = w.Put(headers.data(), (DWORD)(headers.size() * sizeof(StoredTable)));
    }
    if (block.TopUsersPtr) {
        StoredTable stored;
        PutTable(w, block.TopUsersPtr, TABLE_KIND_VISITOR, &stored);
        visitors = w.Put(&stored, sizeof(stored));
    }
    DWORD at = w.Put(&block, PERIOD_BLOCK_HEAD);
    w.Put(&tables, sizeof(tables));
    w.Put(&visitors, sizeof(visitors));
    if (file.Failed || !DurableFile_Patch(&file, 0, &at, sizeof(at))) {
        DurableFile_Abandon(&file);
        ReportShortWrite();
        return PERIOD_WRITE_ERROR;
    }
    if (!DurableFile_Commit(&file)) {
        ReportShortWrite();
        return PERIOD_WRITE_ERROR;
    }
    return PERIOD_WRITTEN;
}

int PeriodFilePath(const HistoryDatabase* handle, const MasterEntry* entry, char* path) {
    size_t n = strlen(handle->Folder);
    if (n + 1 + strnlen(entry->Name, HISTORY_NAME_SIZE) >= MAX_PATH ||
        memchr(entry->Name, 0, HISTORY_NAME_SIZE) == nullptr)
        return 0;
    strcpy(path, handle->Folder);
    strcat(path, "\\");
    strcat(path, entry->Name);
    return 1;
}

int WritePeriodFile(const MasterEntry* entry, HistoryDatabase* handle, RunContext* context) {
    if (!handle || handle->Type != SWIFTMERE_FILES)
        return handle && handle->Type == SWIFTMERE_ODBC ? PERIOD_STORE_ERROR : PERIOD_WRITE_ERROR;
    char path[MAX_PATH];
    if (!PeriodFilePath(handle, entry, path))
        return PERIOD_WRITE_ERROR;
    return WritePeriodFileAs(path, context);
}

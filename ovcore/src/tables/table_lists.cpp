// The three index-linked lists of a table, linked through each item's
// ovPrevLink and ovNextLink.
#include "analysis_tables.h"
#include "top_list_heap.h"

static AnalysisItem* At(AnalysisTable* table, LONG index) {
    return table->lpItems[index];
}

static void Unlink(AnalysisTable* table, LONG item, LONG* head, LONG* tail) {
    AnalysisItem* it = At(table, item);
    if (it->ovPrevLink >= 0)
        At(table, it->ovPrevLink)->ovNextLink = it->ovNextLink;
    else if (*head == item)
        *head = it->ovNextLink;
    if (it->ovNextLink >= 0)
        At(table, it->ovNextLink)->ovPrevLink = it->ovPrevLink;
    else if (*tail == item)
        *tail = it->ovPrevLink;
    it->ovPrevLink = it->ovNextLink = ANALYSIS_NO_ITEM;
}

static void PushHead(AnalysisTable* table, LONG item, LONG* head, LONG* tail) {
    AnalysisItem* it = At(table, item);
    it->ovPrevLink = ANALYSIS_NO_ITEM;
    it->ovNextLink = *head;
    if (*head >= 0)
        At(table, *head)->ovPrevLink = item;
    else
        *tail = item;
    *head = item;
}

// Inserts the item after `after` (or first when -1) and before `before`.
static void LinkBetween(AnalysisTable* table, LONG item, LONG after, LONG before) {
    AnalysisItem* it = At(table, item);
    it->ovPrevLink = after;
    it->ovNextLink = before;
    if (after >= 0)
        At(table, after)->ovNextLink = item;
    else
        table->DateListHead = item;
    if (before >= 0)
        At(table, before)->ovPrevLink = item;
    else
        table->DateListTail = item;
}

void InsertLinkListItem(AnalysisTable* table, LONG item) {
    DWORD time = At(table, item)->ovLastDateTime;
    LONG head = table->DateListHead, tail = table->DateListTail;
    if (head < 0 || time > At(table, head)->ovLastDateTime) {
        PushHead(table, item, &table->DateListHead, &table->DateListTail);
        return;
    }
    // The item goes before the first member that is older. Walk from the end
    // nearer in time: a log's hits arrive nearly in order.
    DWORD newest = At(table, head)->ovLastDateTime;
    DWORD oldest = At(table, tail)->ovLastDateTime;
    if (newest - time <= (time > oldest ? time - oldest : 0)) {
        LONG before = head;
        while (before >= 0 && time <= At(table, before)->ovLastDateTime)
            before = At(table, before)->ovNextLink;
        LinkBetween(table, item, before >= 0 ? At(table, before)->ovPrevLink : tail, before);
    } else {
        LONG after = tail;
        while (after >= 0 && time > At(table, after)->ovLastDateTime)
            after = At(table, after)->ovPrevLink;
        LinkBetween(table, item, after, after >= 0 ? At(table, after)->ovNextLink : head);
    }
}

void UnlinkItemFromList(AnalysisTable* table, LONG item) {
    Unlink(table, item, &table->DateListHead, &table->DateListTail);
}

void InsertTopItemIntoList(AnalysisTable* table, LONG item) {
    PushHead(table, item, &table->TopTableListHead, &table->TopTableListTail);
    TopListHeap_Pushed(table, item);
}

void UnlinkItemFromTopTableList(AnalysisTable* table, LONG item) {
    Unlink(table, item, &table->TopTableListHead, &table->TopTableListTail);
    TopListHeap_Unlinked(table, item);
}

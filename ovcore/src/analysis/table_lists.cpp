// The three index-linked lists of a table, linked through each item's
// ovPrevLink and ovNextLink.
#include "analysis_tables.h"

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

void InsertLinkListItem(AnalysisTable* table, LONG item) {
    AnalysisItem* it = At(table, item);
    // Walk past every member seen at the same time or later; the head keeps
    // the latest time. Usually the item is the latest and goes first.
    LONG before = table->DateListHead;
    while (before >= 0 && it->ovLastDateTime <= At(table, before)->ovLastDateTime)
        before = At(table, before)->ovNextLink;
    if (before == table->DateListHead) {
        PushHead(table, item, &table->DateListHead, &table->DateListTail);
        return;
    }
    LONG after = before >= 0 ? At(table, before)->ovPrevLink : table->DateListTail;
    it->ovPrevLink = after;
    it->ovNextLink = before;
    At(table, after)->ovNextLink = item;
    if (before >= 0)
        At(table, before)->ovPrevLink = item;
    else
        table->DateListTail = item;
}

void UnlinkItemFromList(AnalysisTable* table, LONG item) {
    Unlink(table, item, &table->DateListHead, &table->DateListTail);
}

void InsertTopItemIntoList(AnalysisTable* table, LONG item) {
    PushHead(table, item, &table->TopTableListHead, &table->TopTableListTail);
}

void UnlinkItemFromTopTableList(AnalysisTable* table, LONG item) {
    Unlink(table, item, &table->TopTableListHead, &table->TopTableListTail);
}

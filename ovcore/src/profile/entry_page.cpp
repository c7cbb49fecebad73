// Entry-page patterns of filters, split into directory, name and extension.
#include "profile/entry_page.h"
#include <cstdlib>
#include <cstring>

bool ParseEntryPages(const char* szText, EntryPageFilter** out) {
    *out = nullptr;
    if (!szText || !*szText)
        return true;
    FilterString* items = nullptr;
    if (!FilterStringToStruct(szText, &items, FILTER_TEXT_LIST)) {
        FreeFilterStrings(items);
        return false;
    }
    bool ok = true;
    EntryPageFilter* head = nullptr;
    EntryPageFilter** tail = &head;
    for (const FilterString* item = items; item; item = item->Next) {
        EntryPageFilter* node =
            static_cast<EntryPageFilter*>(std::calloc(1, sizeof(EntryPageFilter)));
        if (!node) {
            EntryPageFilter_Free(head);
            head = nullptr;
            ok = false;
            break;
        }
        SplitURLPath(item->lpszText, node->szDirectory, sizeof node->szDirectory, node->szName,
                     sizeof node->szName, node->szExtension, sizeof node->szExtension);
        *tail = node;
        tail = &node->Next;
    }
    FreeFilterStrings(items);
    *out = head;
    return ok;
}

EntryPageFilter* ORB_CALL EntryPageFilter_New(const char* szText) {
    EntryPageFilter* list = nullptr;
    ParseEntryPages(szText, &list);
    return list;
}

// One node back to its pattern text (at most 3 parts of 259 characters).
static void EntryPageItemText(const EntryPageFilter* node, char* out) {
    std::strcpy(out, node->szDirectory);
    if (node->szName[0]) {
        if (node->szDirectory[0] && std::strcmp(node->szDirectory, "/") != 0)
            std::strcat(out, "/");
        std::strcat(out, node->szName);
    }
    if (node->szExtension[0]) {
        std::strcat(out, ".");
        std::strcat(out, node->szExtension);
    }
}

void ORB_CALL EntryPageFilter_ToString(const EntryPageFilter* lpList, char* szOut, int size) {
    if (!szOut || size < 1)
        return;
    szOut[0] = '\0';
    FilterString* items = nullptr;
    FilterString** tail = &items;
    char text[3 * ENTRYPAGE_PART_SIZE + 2];
    for (; lpList; lpList = lpList->Next) {
        EntryPageItemText(lpList, text);
        FilterString* node = static_cast<FilterString*>(std::calloc(1, sizeof(FilterString)));
        char* copy = static_cast<char*>(std::malloc(std::strlen(text) + 1));
        if (!node || !copy) {
            std::free(node);
            std::free(copy);
            break;
        }
        std::strcpy(copy, text);
        node->lpszText = copy;
        *tail = node;
        tail = &node->Next;
    }
    FilterStructToString(items, szOut, size);
    FreeFilterStrings(items);
}

void ORB_CALL EntryPageFilter_Free(EntryPageFilter* lpList) {
    while (lpList) {
        EntryPageFilter* next = lpList->Next;
        std::free(lpList);
        lpList = next;
    }
}

// ADVIEWS.TXT read into and written from the ad-views block.
#include "list_editors/adviews_list.h"
#include "list_editors/list_common.h"
#include "desk_services.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {
const char kFileName[] = "ADVIEWS.TXT";

struct AdViewsState {
    HGLOBAL Handle = nullptr;
    AdViewsBlock* Block = nullptr;
    std::string Unread; // lines not taken, written back as they were
    bool Changed = false;
};
AdViewsState g_adviews;

void AppendQuoted(std::string& out, const char* field, const char* after) {
    out += '"';
    out += field;
    out += '"';
    out += after;
}

// Takes entries from the engine's reader; the index of the first line not
// taken, or -1 when every line was.
int TakeEntries(HWND owner, FILE* stream, AdViewsBlock* block) {
    for (int line = 0;; ++line) {
        AdViewFields entry = {}; // a line without quotes leaves it empty
        int got = ORB_GetAdViewsEntry(stream, entry.Description, entry.ViewName, entry.ClickId);
        if (got == 0)
            return -1;
        if (got < 0)
            return line; // the reader closed the stream after its message
        if (block->Count == ADVIEWS_MAX_ENTRIES) {
            AdViews_ShowFullMessage(owner);
            ORB_CloseAdViewsDataFile(stream);
            return line;
        }
        block->Entries[block->Count++] = entry;
    }
}
} // namespace

bool AdViews_AllocList(void) {
    AdViews_FreeList();
    g_adviews.Handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(AdViewsBlock));
    g_adviews.Block = g_adviews.Handle ? (AdViewsBlock*)GlobalLock(g_adviews.Handle) : nullptr;
    if (!g_adviews.Block)
        AdViews_FreeList();
    return g_adviews.Block != nullptr;
}

void AdViews_FreeList(void) {
    if (g_adviews.Handle) {
        if (g_adviews.Block)
            GlobalUnlock(g_adviews.Handle);
        GlobalFree(g_adviews.Handle);
    }
    g_adviews = AdViewsState();
}

AdViewsBlock* AdViews_List(void) {
    return g_adviews.Block;
}

bool AdViews_ListChanged(void) {
    return g_adviews.Changed;
}

void AdViews_ShowFullMessage(HWND owner) {
    char text[300];
    snprintf(text, sizeof text,
             "The maximum number of advertising entries (%d) has been reached. Ostrevane will "
             "continue to operate normally, but no advertising entries beyond the maximum will "
             "be added.",
             ADVIEWS_MAX_ENTRIES);
    DeskMessageBox(owner, text, "Maximum Number of Advertising Entries Reached",
                   MB_OK | MB_ICONINFORMATION);
}

void CALLBACK LoadAdViewsFile(HWND owner) {
    AdViewsBlock* block = g_adviews.Block;
    if (!block)
        return;
    block->Count = 0;
    g_adviews.Unread.clear();
    FILE* stream = ORB_OpenAdViewsDataFile();
    if (!stream)
        return;
    int firstUnread = TakeEntries(owner, stream, block);
    if (firstUnread < 0) {
        ORB_CloseAdViewsDataFile(stream);
        return;
    }
    std::string text;
    if (lists::ReadListFile(kFileName, &text))
        g_adviews.Unread = lists::LinesFrom(text, firstUnread);
}

int CALLBACK SaveAdViewsFile(HWND owner) {
    AdViewsBlock* block = g_adviews.Block;
    if (!block)
        return -1;
    std::string text;
    text.reserve(block->Count * 48 + g_adviews.Unread.size());
    for (DWORD i = 0; i < block->Count; ++i) {
        const AdViewFields& e = block->Entries[i];
        AppendQuoted(text, e.ViewName, ",");
        AppendQuoted(text, e.ClickId, ",");
        AppendQuoted(text, e.Description, "\r\n");
    }
    text += g_adviews.Unread;
    return lists::WriteListFile(owner, kFileName, text) ? 0 : -1;
}

int AdViews_Insert(const AdViewFields& entry) {
    AdViewsBlock* block = g_adviews.Block;
    if (!block || block->Count >= ADVIEWS_MAX_ENTRIES)
        return -1;
    DWORD at = 0;
    while (at < block->Count && lstrcmpA(block->Entries[at].Description, entry.Description) <= 0)
        ++at;
    memmove(&block->Entries[at + 1], &block->Entries[at], (block->Count - at) * sizeof entry);
    block->Entries[at] = entry;
    ++block->Count;
    g_adviews.Changed = true;
    return (int)at;
}

void AdViews_Remove(int index) {
    AdViewsBlock* block = g_adviews.Block;
    if (!block || index < 0 || (DWORD)index >= block->Count)
        return;
    memmove(&block->Entries[index], &block->Entries[index + 1],
            (block->Count - index - 1) * sizeof(AdViewFields));
    --block->Count;
    memset(&block->Entries[block->Count], 0, sizeof(AdViewFields));
    g_adviews.Changed = true;
}

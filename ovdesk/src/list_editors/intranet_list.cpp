// OVINTRA.TXT read into and written from the intranet block.
#include "list_editors/intranet_list.h"
#include "list_editors/list_common.h"
#include "desk_services.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {
const char kFileName[] = "OVINTRA.TXT";

struct IntranetState {
    HGLOBAL Handle = nullptr;
    IntranetBlock* Block = nullptr;
    std::string Unread; // lines past the maximum, written back as they were
    bool Changed = false;
};
IntranetState g_intranet;

void AppendEntry(std::string& out, IntranetFields& entry) {
    for (int f = 0; f < INTRANET_FIELD_COUNT; ++f) {
        const char* field = ORB_IntranetField(&entry, f, nullptr);
        out += *field ? field : f == 0 ? "Unknown" : " ";
        out += f + 1 < INTRANET_FIELD_COUNT ? "," : "\r\n";
    }
}
} // namespace

bool Intranet_AllocList(void) {
    Intranet_FreeList();
    g_intranet.Handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(IntranetBlock));
    g_intranet.Block = g_intranet.Handle ? (IntranetBlock*)GlobalLock(g_intranet.Handle) : nullptr;
    if (!g_intranet.Block)
        Intranet_FreeList();
    return g_intranet.Block != nullptr;
}

void Intranet_FreeList(void) {
    if (g_intranet.Handle) {
        if (g_intranet.Block)
            GlobalUnlock(g_intranet.Handle);
        GlobalFree(g_intranet.Handle);
    }
    g_intranet = IntranetState();
}

IntranetBlock* Intranet_List(void) {
    return g_intranet.Block;
}

bool Intranet_ListChanged(void) {
    return g_intranet.Changed;
}

void Intranet_ShowFullMessage(HWND owner) {
    char text[300];
    snprintf(text, sizeof text,
             "The maximum number of intranet entries (%d) has been reached. Ostrevane will "
             "continue to operate normally, but no intranet entries beyond the maximum will be "
             "added.",
             INTRANET_MAX_ENTRIES);
    DeskMessageBox(owner, text, "Maximum Number of Intranet Entries Reached",
                   MB_OK | MB_ICONINFORMATION);
}

void CALLBACK LoadIntranetFile(HWND owner) {
    IntranetBlock* block = g_intranet.Block;
    if (!block)
        return;
    block->Count = 0;
    g_intranet.Unread.clear();
    std::string text, line;
    lists::ReadListFile(kFileName, &text);
    size_t at = 0;
    for (int index = 0; lists::NextLine(text, &at, &line); ++index) {
        IntranetFields entry;
        if (!ORB_SplitIntranetLine(line.c_str(), &entry))
            continue;
        if (block->Count == INTRANET_MAX_ENTRIES) {
            Intranet_ShowFullMessage(owner);
            g_intranet.Unread = lists::LinesFrom(text, index);
            break;
        }
        block->Entries[block->Count++] = entry;
    }
}

int CALLBACK SaveIntranetFile(HWND owner) {
    IntranetBlock* block = g_intranet.Block;
    if (!block)
        return -1;
    std::string text;
    text.reserve(block->Count * 64 + g_intranet.Unread.size());
    for (DWORD i = 0; i < block->Count; ++i)
        AppendEntry(text, block->Entries[i]);
    text += g_intranet.Unread;
    return lists::WriteListFile(owner, kFileName, text) ? 0 : -1;
}

int Intranet_Insert(const IntranetFields& entry) {
    IntranetBlock* block = g_intranet.Block;
    if (!block || block->Count >= INTRANET_MAX_ENTRIES)
        return -1;
    DWORD at = 0;
    while (at < block->Count && lstrcmpA(block->Entries[at].Domain, entry.Domain) <= 0)
        ++at;
    memmove(&block->Entries[at + 1], &block->Entries[at],
            (block->Count - at) * sizeof(IntranetFields));
    block->Entries[at] = entry;
    ++block->Count;
    g_intranet.Changed = true;
    return (int)at;
}

void Intranet_Remove(int index) {
    IntranetBlock* block = g_intranet.Block;
    if (!block || index < 0 || (DWORD)index >= block->Count)
        return;
    memmove(&block->Entries[index], &block->Entries[index + 1],
            (block->Count - index - 1) * sizeof(IntranetFields));
    --block->Count;
    memset(&block->Entries[block->Count], 0, sizeof(IntranetFields));
    g_intranet.Changed = true;
}

// The section list of the report template behind the Contents page.
#include "report_dialog/contents_sections.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
HGLOBAL g_block = nullptr;
WORD g_count = 0;
TemplateSection* g_pristine = nullptr;

enum { KIND_TEXT = 0, KIND_GRAPH = 1, KIND_TABLE = 2 };

BOOL IsListedKind(WORD kind) {
    return kind <= KIND_TABLE;
}

const TemplateSection* FindStored(const TemplateSection& section, const TemplateSection* stored,
                                  int count) {
    for (int i = 0; i < count; ++i)
        if (stored[i].Kind == section.Kind && _stricmp(stored[i].Name, section.Name) == 0)
            return &stored[i];
    return nullptr;
}
} // namespace

void FreeTemplateSections(void) {
    if (g_block)
        GlobalFree(g_block);
    g_block = nullptr;
    g_count = 0;
    free(g_pristine);
    g_pristine = nullptr;
}

int LoadTemplateSections(void) {
    FreeTemplateSections();
    char path[MAX_PATH];
    if (!ORB_GetTemplatePath(path))
        return 0;
    const char* name = ORB_GetTemplateFilename();
    if (strlen(path) + strlen(name) >= sizeof path)
        return 0;
    strcat(path, name);
    char header[1024] = "";
    HGLOBAL block = nullptr;
    WORD count = 0;
    if (!ORB_ReadTemplateSectionList(path, &count, &block, header) || !block)
        return 0;
    TemplateSection* sections = (TemplateSection*)GlobalLock(block);
    if (!sections) {
        GlobalFree(block);
        return 0;
    }
    g_block = block;
    g_count = count;
    g_pristine = (TemplateSection*)malloc(sizeof(TemplateSection) * count);
    if (g_pristine)
        memcpy(g_pristine, sections, sizeof(TemplateSection) * count);
    for (WORD i = 0; i < count; ++i)
        sections[i].Include = 1;
    GlobalUnlock(block);
    return 1;
}

HGLOBAL GetTemplateSectionBlock(WORD* count) {
    if (count)
        *count = g_count;
    return g_block;
}

HGLOBAL CopyTemplateSectionBlock(WORD* count) {
    *count = 0;
    const void* from = g_block ? GlobalLock(g_block) : nullptr;
    if (!from)
        return nullptr;
    SIZE_T bytes = sizeof(TemplateSection) * g_count;
    HGLOBAL copy = g_count ? GlobalAlloc(GMEM_MOVEABLE, bytes) : nullptr;
    void* to = copy ? GlobalLock(copy) : nullptr;
    if (to) {
        memcpy(to, from, bytes);
        GlobalUnlock(copy);
        *count = g_count;
    } else if (copy) {
        GlobalFree(copy);
        copy = nullptr;
    }
    GlobalUnlock(g_block);
    return copy;
}

const TemplateSection* GetPristineSection(int index) {
    return g_pristine && index >= 0 && index < g_count ? &g_pristine[index] : nullptr;
}

int CopyIncludedSections(TemplateSection* out, int max) {
    if (!g_block)
        return 0;
    TemplateSection* sections = (TemplateSection*)GlobalLock(g_block);
    if (!sections)
        return -1;
    int copied = 0;
    for (WORD i = 0; i < g_count && copied < max; ++i)
        if (sections[i].Include && IsListedKind(sections[i].Kind))
            out[copied++] = sections[i];
    GlobalUnlock(g_block);
    return copied;
}

int ApplyStoredSections(const TemplateSection* stored, int count) {
    if (!g_block)
        return 0;
    TemplateSection* sections = (TemplateSection*)GlobalLock(g_block);
    if (!sections)
        return 0;
    for (WORD i = 0; i < g_count; ++i) {
        TemplateSection& section = sections[i];
        if (!IsListedKind(section.Kind))
            continue;
        const TemplateSection* match = FindStored(section, stored, count);
        if (!match) {
            if (g_pristine)
                section = g_pristine[i];
            section.Include = count == 0 ? 1 : 0;
            continue;
        }
        section.Include = match->Include ? 1 : 0;
        section.GraphType = match->GraphType;
        if (match->Rows != 0xFFFF)
            section.Rows = match->Rows;
        section.ThreeD = match->ThreeD;
        // A sub-element count stored as -1 (or left out) means none.
        section.Columns = match->Columns == 0xFFFF ? 0 : match->Columns;
    }
    GlobalUnlock(g_block);
    return 1;
}

int ShownElements(const TemplateSection& section) {
    return section.Kind == KIND_GRAPH ? section.Rows + 1 : section.Rows;
}

void StoreShownElements(TemplateSection& section, int shown) {
    section.Rows = (WORD)(section.Kind == KIND_GRAPH ? (shown > 0 ? shown - 1 : 0) : shown);
}

int FindSectionForItem(const int* itemMap, int item, int sectionCount) {
    if (!itemMap)
        return -1;
    for (int i = 0; i < sectionCount; ++i)
        if ((WORD)itemMap[i] == (WORD)item)
            return i;
    return -1;
}

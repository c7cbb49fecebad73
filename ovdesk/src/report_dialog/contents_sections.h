// The process-wide list of template sections that the Contents page shows
// and edits, and that the Create Report dialog reads and writes.
#pragma once
#include "desk_types.h"

// Loads the sections of the report template (every section included).
// 1 when loaded, 0 otherwise (no list).
int LoadTemplateSections(void);
// Frees the list and its copies.
void FreeTemplateSections(void);
// The section block and its count (null and 0 when none is loaded).
HGLOBAL GetTemplateSectionBlock(WORD* count);
// A copy of the section block for a report run (unlocked, freed by the
// caller with GlobalFree) and its count; null when none is loaded or memory
// is short.
HGLOBAL CopyTemplateSectionBlock(WORD* count);
// The record as read from the template, or null.
const TemplateSection* GetPristineSection(int index);

// Copies the included sections of kinds 0..2, in list order, into out (at
// most max); the number copied, or -1 when the block cannot be locked.
int CopyIncludedSections(TemplateSection* out, int max);
// Applies a definition's stored sections: each section with a stored match
// (same kind, same name without regard to case) takes its choices; the
// others are restored from the template and left out. A definition that
// names no section (count 0) holds the whole template: every section is
// restored and included. 1, or 0 when the block cannot be locked.
int ApplyStoredSections(const TemplateSection* stored, int count);

// Elements as the page shows them: a graph section keeps its last row index.
int ShownElements(const TemplateSection& section);
void StoreShownElements(TemplateSection& section, int shown);

// Index of the section whose item map entry equals item (16-bit compare), or
// -1.
int FindSectionForItem(const int* itemMap, int item, int sectionCount);

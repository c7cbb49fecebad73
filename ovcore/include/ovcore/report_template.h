// Report templates: the sections a report keeps, and the working copy of a
// template trimmed to them.
#pragma once
#include "ovcore/ovcore_base.h"

#define TEMPLATE_NAME_SIZE 128

#pragma pack(push, 1)
// One "BeginSection" marker of a template, as chosen for a report. Records
// lie one after another in one block.
struct TemplateSection {
    DWORD Include;                          // nonzero keeps the section
    char TitleVariable[TEMPLATE_NAME_SIZE]; // language variable of the title
    char Name[TEMPLATE_NAME_SIZE];          // marker name, ending in "BeginSection"
    WORD Kind;                              // GetTemplateItemKind of the settings
    WORD GraphType;
    WORD First;   // number of the first repeated row
    WORD Rows;    // repeated rows
    WORD Columns; // columns of each row, 0 for none
    DWORD ThreeD;
};
static_assert(sizeof(TemplateSection) == 274, "TemplateSection records are 274 bytes");
#pragma pack(pop)

// Kind word of a section's settings, without regard to case: 3 for the word
// "NOEDITGRAPH", 4 for "NOEDITTABLE", 1 for text beginning "GRAPH", 2 for
// "TABLE", else 0 (also for null).
ORB_EXPORT(int) GetTemplateItemKind(const char* text);

struct ReportHandle;

// Writes the working copy of the template templateName (a file of the
// template folder) to outputPath (replaced), keeping the chapters and
// sections that the report handle's section list includes, with every
// repeat block written out. Template lines may end in CR LF or LF; the
// copy's lines end in CR LF. Returns 1 when the copy was written; 0 for a
// null argument or an empty section list, when the template or the copy
// cannot be opened (after a "Load" or "Save" message), or on a read or write
// failure, and then no partial copy is left.
ORB_EXPORT(int)
TrimSections(const char* outputPath, ReportHandle* report, const char* templateName);

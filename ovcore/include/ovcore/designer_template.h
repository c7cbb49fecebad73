// Designer templates: the sections of a template as editable items (include
// flag, graph or table settings), and the rewrite of a template from such a
// list. They serve template designers outside the system.
#pragma once
#include "ovcore/ovcore_base.h"

#pragma pack(push, 1)
// A graph as a template's graph marker asks for it.
struct GraphRequest {
    BYTE DataKind;  // 0 hits, 1 percent, 2 users, 3 bytes
    BYTE GraphType; // 0 stacked bars .. 7 side stacked bars
    char Title[100];
    char DataLabel[100];
    char AxisLabel[100];
    DWORD ThreeD;   // 1 "3D", 0 "2D"
    DWORD Timeline; // 1 intervals on the axis, 0 table rows
    WORD First;
    WORD Last;
    DWORD Total; // a "Total" bar
    DWORD Size;  // per cent
    DWORD Color;
};
static_assert(sizeof(GraphRequest) == 326, "GraphRequest is 326 bytes");

// One "BeginSection" marker of a designer template.
struct TemplateItem {
    DWORD Include;       // 1 keeps the section when the template is written
    char Source[100];    // the template the section's text comes from
    DWORD Edited;        // nonzero: the graph or table marker is rebuilt from this record
    DWORD SectionStart;  // offset of the section's first line in the source
    WORD SectionLength;  // to the end of the "EndSection" line
    WORD Kind;           // GetTemplateItemKind of the settings
    char Title[100];     // the settings' field between "{" and "}"
    WORD SettingsOffset; // graph or table settings, from the section start
    WORD SettingsLength;
    union {
        GraphRequest Graph; // graph sections
        WORD TopCount;      // table sections
        BYTE Raw[326];
    };
};
static_assert(sizeof(TemplateItem) == 546, "TemplateItem is 546 bytes");
#pragma pack(pop)

// Reads a graph settings ("BARS=50, {Title}, 3D, Timeline {Time},
// Hits {Hits}, 0-9, Total"); log formats 7 and 8 force bars of hits over
// rows 0 to 9. 1 on success, 0 on a malformed text.
ORB_EXPORT(int) ParseGraphSpec(const char* text, GraphRequest* out, int logFormat);

// The items of a template (and, with second, merged with a user-edited
// one) in a movable global block the caller frees; header receives the text
// between "<OVHDR>" and "</OVHDR>" (MAX_PATH characters, may be null).
// 1 on success (count 0 and no block for a template without sections), 0 on
// failure with nothing allocated.
ORB_EXPORT(int)
ORB_ReadTemplateItemList(const char* path, const char* second, WORD* count, HGLOBAL* block,
                         char* header);
// Writes a template from count items of block: the text before the first
// section (with header in place of the old one, when not null), each
// included section (its settings rebuilt when edited), then the text after
// the last section. 1 on success; 0 with no file left.
ORB_EXPORT(int)
ORB_WriteTemplateItemList(const char* path, WORD count, HGLOBAL block, const char* header);

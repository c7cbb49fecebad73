// The ad-views list while its editor is open: one zero-filled movable block
// of an entry count and room for 1,000 entries (ADVIEWS.TXT in the install
// folder, read through the engine's reader), kept in description order.
#pragma once
#include <windows.h>
#include "ovcore/adviews.h"

#define ADVIEWS_MAX_ENTRIES 1000

#pragma pack(push, 1)
struct AdViewFields {
    char ViewName[ADVIEW_VIEWNAME_SIZE];
    char ClickId[ADVIEW_CLICKID_SIZE];
    char Description[ADVIEW_DESCRIPTION_SIZE];
};
struct AdViewsBlock {
    DWORD Count;
    AdViewFields Entries[ADVIEWS_MAX_ENTRIES];
};
#pragma pack(pop)
static_assert(sizeof(AdViewFields) == 406, "an ad-view entry is 406 bytes");
static_assert(sizeof(AdViewsBlock) == 406004, "the ad-views block is 406,004 bytes");

bool AdViews_AllocList(void);
void AdViews_FreeList(void);
AdViewsBlock* AdViews_List(void);
bool AdViews_ListChanged(void);

// Reads the file into the block (a missing file gives an empty list). A
// line without quotes is an empty entry. From a malformed line on, and past
// the 1,000th entry (after the maximum message), the lines are kept aside
// unread and written back after the entries.
extern "C" __declspec(dllexport) void CALLBACK LoadAdViewsFile(HWND owner);
// Writes every entry ("view","click","description" CR LF), then the lines
// kept aside; 0, or -1 after the box "Can not create Data file".
extern "C" __declspec(dllexport) int CALLBACK SaveAdViewsFile(HWND owner);

void AdViews_ShowFullMessage(HWND owner);
// Inserts entry before the first whose description sorts after it
// (lstrcmp order); its index, -1 when the list is full.
int AdViews_Insert(const AdViewFields& entry);
void AdViews_Remove(int index);

// The intranet list while its editor is open: one zero-filled movable block
// of an entry count and room for 2,048 entries (OVINTRA.TXT in the install
// folder), kept sorted by domain.
#pragma once
#include <windows.h>
#include "ovcore/intranet.h"

#define INTRANET_MAX_ENTRIES 2048

#pragma pack(push, 1)
struct IntranetBlock {
    DWORD Count;
    IntranetFields Entries[INTRANET_MAX_ENTRIES];
};
#pragma pack(pop)
static_assert(sizeof(IntranetBlock) == 593924, "the intranet block is 593,924 bytes");

// Allocates the block (false without memory) / frees it.
bool Intranet_AllocList(void);
void Intranet_FreeList(void);
// The locked block, null while none is allocated.
IntranetBlock* Intranet_List(void);
// Nonzero once the user changed the list since it was allocated.
bool Intranet_ListChanged(void);

// Reads OVINTRA.TXT into the block (a missing file gives an empty list).
// Lines beyond the 2,048th entry are kept aside unread, after the message
// that says the maximum was reached, and written back after the entries.
extern "C" __declspec(dllexport) void CALLBACK LoadIntranetFile(HWND owner);
// Writes every entry, then the lines kept aside; 0, or -1 after the box
// "Can not create Data file".
extern "C" __declspec(dllexport) int CALLBACK SaveIntranetFile(HWND owner);

// Shows the maximum-entries message.
void Intranet_ShowFullMessage(HWND owner);
// Inserts entry before the first whose domain sorts after it (lstrcmp
// order); its index, -1 when the list is full.
int Intranet_Insert(const IntranetFields& entry);
// Removes entry index; later entries move up.
void Intranet_Remove(int index);

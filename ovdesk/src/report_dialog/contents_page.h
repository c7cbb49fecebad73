// The Contents page's list and value controls, shared by its files.
#pragma once
#include "report_dialog/contents_sections.h"
#include <commctrl.h>

enum { SECTION_KIND_TEXT = 0, SECTION_KIND_GRAPH = 1, SECTION_KIND_TABLE = 2 };
enum {
    STATE_GRAPH_OUT = 1,
    STATE_GRAPH_IN = 2,
    STATE_OTHER_OUT = 3,
    STATE_OTHER_IN = 4,
    GRAPH_ELEMENTS_LIMIT = 24,
    ELEMENTS_LIMIT = 5000,
    SUBITEMS_LIMIT = 99,
};

// Refills the list from the section list and shows the first section's
// values. 1, or 0 when the section block cannot be locked.
int FillContentsList(HWND page, const char* language);
// Shows the values of section index (the controls enabled for it).
void ShowSectionValues(HWND page, int index);
// The list-view item map (one entry per section, -1 when not listed).
int* GetContentsItemMap(void);
// Toggles the check state of list item; the include flag follows.
void ToggleContentsItem(HWND page, int item);
int SelectAllSections(HWND page);
int UnselectAllSections(HWND page);
int ReverseAllSections(HWND page);
// Value controls: a change of the graph type, 3D/2D, elements or sub-items.
void OnContentsValueCommand(HWND page, int id, int code);
// Shows a number in a value edit without taking it into the section.
void ShowValueNumber(HWND page, int id, int value);
// An up-down control was pressed.
void OnContentsSpin(HWND page, const NMUPDOWN* change);
// Section of the selected row, or -1.
int SelectedSection(HWND page);

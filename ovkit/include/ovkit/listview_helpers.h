// Helpers for report-view list controls (SysListView32): columns and rows from
// tab-separated text, the chosen items, and an owner-drawn row. Not exported:
// the source is compiled into ovkit and into the plug-in that uses them.
// An item counts as chosen when it is selected or has the focus.
#pragma once
#include "ovkit/ovkit_base.h"
#include <commctrl.h>

// Adds one left-aligned column per tab-separated item of spec, at positions
// 0, 1, 2, ... An item that begins with decimal digits gives the width, and
// its title starts one character after them ("120,Name"); any other item is
// the title of a column 100 wide. Empty items are skipped. Returns 0.
int OVKIT_ListViewInsertColumns(HWND listView, const char* spec);
// Adds column i with titles[i] and widths[i] for i = 0 .. count-1. Returns 0.
int OVKIT_ListViewInsertColumnArray(HWND listView, int count, const char* const* titles,
                                    const int* widths);
// Appends a row: the first tab-separated field becomes a new item at the end,
// each further field sub-item 1, 2, ... of it. Empty fields are skipped, so
// later fields move one sub-item left. Returns the new item's index; -1 when
// the text has no field or the insertion failed.
int OVKIT_ListViewAddRow(HWND listView, const char* row);

// Index of the first chosen item; -1 when none.
int OVKIT_ListViewGetSelection(HWND listView);
// Writes the indices of the chosen items in order, at most max of them, to
// out. Returns how many were written.
int OVKIT_ListViewGetChosen(HWND listView, WORD max, int* out);
// The number of chosen items (counted in 16 bits).
WORD OVKIT_ListViewCountChosen(HWND listView);
// Scrolls the item wholly into view. Returns 0.
int OVKIT_ListViewMakeVisible(HWND listView, WORD index);

// Draws one row of an owner-drawn report view: its state image, selection
// colours, each column's text shortened to fit, and the focus rectangle.
// Returns 1; 0 when the action is none of draw-entire, select or focus.
int OVKIT_ListViewDrawItem(const DRAWITEMSTRUCT* item);
// The text as drawn in a column of the given width: whole when it measures
// (LVM_GETSTRINGWIDTHA) at most width - 2, otherwise as many leading
// characters as fit followed by "..." (only "..." when none fit). out holds
// room bytes and is always terminated. Returns out.
char* OVKIT_ListViewFitText(HWND listView, const char* text, int width, char* out, int room);

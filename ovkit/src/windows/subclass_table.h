// The table of the library's 20 subclassed controls. Private to ovkit.
#pragma once
#include "ovkit/custom_controls.h"

// Replaces the window's procedure and notes the old one with two data words.
// Null when the table is full or the window is none or already subclassed.
OVKIT_SubclassEntry* OvkitSubclass(HWND window, WNDPROC procedure, LONG_PTR data0, LONG_PTR data1);
// Passes a message to the window's saved procedure; at WM_NCDESTROY the entry
// is freed first.
LRESULT OvkitCallSaved(HWND window, UINT message, WPARAM w, LPARAM l);

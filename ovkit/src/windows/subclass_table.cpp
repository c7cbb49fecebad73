#include "subclass_table.h"

namespace {

OVKIT_SubclassEntry g_entries[20];

OVKIT_SubclassEntry* Find(HWND window) {
    if (!window)
        return nullptr;
    for (OVKIT_SubclassEntry& e : g_entries)
        if (e.window == window && IsWindow(window))
            return &e;
    return nullptr;
}

} // namespace

OVKIT_SubclassEntry* OvkitSubclass(HWND window, WNDPROC procedure, LONG_PTR data0, LONG_PTR data1) {
    if (!window || !IsWindow(window) || Find(window))
        return nullptr;
    for (OVKIT_SubclassEntry& e : g_entries) {
        if (e.window && IsWindow(e.window))
            continue;
        e.window = window;
        e.data[0] = data0;
        e.data[1] = data1;
        e.savedProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
        return &e;
    }
    return nullptr;
}

LRESULT OvkitCallSaved(HWND window, UINT message, WPARAM w, LPARAM l) {
    OVKIT_SubclassEntry* e = Find(window);
    if (!e || !e->savedProc)
        return DefWindowProcA(window, message, w, l);
    WNDPROC saved = e->savedProc;
    // The entry goes with the window, so that it is free for the next control.
    if (message == WM_NCDESTROY)
        OVKIT_UnsubclassWindow(window);
    return CallWindowProcA(saved, window, message, w, l);
}

void OVKIT_CALL OVKIT_UnsubclassWindow(HWND window) {
    OVKIT_SubclassEntry* e = Find(window);
    if (!e)
        return;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(e->savedProc));
    *e = OVKIT_SubclassEntry();
}

WNDPROC OVKIT_CALL OVKIT_GetSubclassedWndProc(HWND window) {
    OVKIT_SubclassEntry* e = Find(window);
    return e ? e->savedProc : nullptr;
}

OVKIT_SubclassEntry* OVKIT_CALL OVKIT_GetSubclassDataPtr(HWND window) {
    return Find(window);
}

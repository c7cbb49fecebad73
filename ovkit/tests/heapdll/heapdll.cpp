#include "heapdll.h"

void WINAPI HeapDll_Append(CString* text, const char* tail) {
    *text += tail;
}

void WINAPI HeapDll_Assign(CString* text, const char* value) {
    *text = value;
}

void WINAPI HeapDll_Rework(CString* text) {
    CString local("[");
    CString copy(*text);
    copy.Replace("a", "A");
    local += copy;
    local += ']';
    local.Format("%d", text->GetLength());
    *text = local;
}

void WINAPI HeapDll_Empty(CString* text) {
    text->Empty();
}

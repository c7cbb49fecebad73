// Page templates of the property sheet: loading and turning a dialog
// template into a child template.
#pragma once
#include <windows.h>

// Clears WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU and DS_MODALFRAME and
// sets WS_CHILD and DS_CONTROL in the template's style, in place. Both the
// plain and the extended template forms are understood.
void OvkitMakeChildTemplate(void* dialogTemplate);

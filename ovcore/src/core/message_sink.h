// The one way engine messages reach a person: a message box when someone is
// there to answer it, the debug output and the standard error when the engine
// runs unattended (a box nobody answers would hang a scheduled run or a
// console program).
#pragma once
#include <windows.h>

// A MessageBoxA when interactive; unattended, writes "caption: text" to
// OutputDebugString and to the standard error (when the process has one) and
// returns the box's default button.
int Engine_MessageBox(HWND owner, const char* text, const char* caption, UINT type);
void Engine_SetUnattended(BOOL unattended);
BOOL Engine_IsUnattended(void);

// For the system's console programs (the dump tool, the benchmarks), which
// use the engine without registering: unattended, and the engine's texts
// taken from the program's own resources (it links the engine text script).
void Engine_StartUnattendedProgram(void);

// Reports an engine error: through the registered error-display callback when
// one is set, otherwise as an error box through Engine_MessageBox.
void Engine_ReportError(HWND owner, const char* caption, const char* text, UINT captionId,
                        UINT messageId, int keep);
// Engine errors reported so far in this process, so that a console program
// can end with a failure status after one.
LONG Engine_ErrorCount(void);

// The three progress slots through which long engine work lets the client
// show progress and ask to stop, and the engine's abort flag.
#pragma once
#include <windows.h>

#include "ovcore/registration.h"

// CallProgressCallback answers.
#define PROGRESS_NO_CALLBACK 1
#define PROGRESS_STOP 2
#define PROGRESS_GO_ON 3

// Tries slot 1 (five arguments; with tick set called as (0, "", 0, -1, 0);
// 7 asks to stop), then slot 2 (percent, 65535 with tick; 0 asks to stop),
// then slot 3 (the message pump). PROGRESS_NO_CALLBACK when no slot is
// filled.
int CallProgressCallback(BOOL tick, int item, const char* text, int reserved, int percent,
                         int reserved2);
// Shorthand for the waits between units of work: the tick call, and the
// abort flag set when the client asks to stop.
int CallProgressTick(void);

// For the length of one exported call the client's callback is the only
// one: slot 1 (five arguments) or slot 2 (percent) holds it, the other two
// are cleared. Restoring clears slots 1 and 2 and puts the registered
// message pump back in slot 3; every way out of such a call restores.
void InstallProgressCallback(ORB_UPDATEPROGRESSPROC updateProgress, ORB_PERCENTPROC percent);
void RestoreProgressCallbacks(void);

void Engine_SetAbort(BOOL abort);
BOOL Engine_IsAborted(void);

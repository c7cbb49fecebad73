#include "core/progress_callback.h"

#include "core/engine_state.h"

static LONG g_abort = 0;

int CallProgressCallback(BOOL tick, int item, const char* text, int reserved, int percent,
                         int reserved2) {
    EngineState& s = Engine_State();
    if (s.progressSlot1) {
        int answer = tick ? s.progressSlot1(0, "", 0, -1, 0)
                          : s.progressSlot1(item, text, reserved, percent, reserved2);
        return answer == 7 ? PROGRESS_STOP : PROGRESS_GO_ON;
    }
    if (s.progressSlot2)
        return s.progressSlot2(tick ? 65535 : percent) == 0 ? PROGRESS_STOP : PROGRESS_GO_ON;
    if (s.progressSlot3) {
        s.progressSlot3();
        return PROGRESS_GO_ON;
    }
    return PROGRESS_NO_CALLBACK;
}

int CallProgressTick(void) {
    int answer = CallProgressCallback(TRUE, 0, "", 0, -1, 0);
    if (answer == PROGRESS_STOP)
        Engine_SetAbort(TRUE);
    return answer;
}

void InstallProgressCallback(ORB_UPDATEPROGRESSPROC updateProgress, ORB_PERCENTPROC percent) {
    EngineState& s = Engine_State();
    s.progressSlot1 = updateProgress;
    s.progressSlot2 = percent;
    s.progressSlot3 = NULL;
}

void RestoreProgressCallbacks(void) {
    EngineState& s = Engine_State();
    s.progressSlot1 = NULL;
    s.progressSlot2 = NULL;
    s.progressSlot3 = s.registeredPump;
}

void Engine_SetAbort(BOOL abort) {
    InterlockedExchange(&g_abort, abort ? 1 : 0);
}

BOOL Engine_IsAborted(void) {
    return InterlockedCompareExchange(&g_abort, 0, 0) != 0;
}

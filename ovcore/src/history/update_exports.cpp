// The history-update exports: how one call is framed (the progress slots,
// the abort protocol, the result codes) around the update pass.
#include <string.h>

#include "core/progress_callback.h"
#include "history/database_update.h"
#include "logodbc/odbc_log_source.h"
#include "ovcore/logpath.h"
#include "ovcore/profile_file.h"

#define UPDATE_RESULT_MORE 1
#define UPDATE_RESULT_STOPPED 4
#define UPDATE_RESULT_DONE 6
#define OLD_UPDATE_MAX_PASSES 1000

static LONG g_nesting;
static ORB_UPDATEENDPROC g_endCallback;

static void Enter(ORB_UPDATEPROGRESSPROC progress) {
    ++g_nesting;
    Engine_SetAbort(FALSE);
    InstallProgressCallback(progress, nullptr);
}

static void Leave(void) {
    RestoreProgressCallbacks();
    Engine_SetAbort(FALSE);
    CloseOpenHistoryDatabase();
    ORB_UPDATEENDPROC end = g_endCallback;
    g_endCallback = nullptr;
    if (end)
        end();
    --g_nesting;
}

static int Stopped(int answer) {
    return answer == PROGRESS_STOP || Engine_IsAborted();
}

// One update of one profile whose flags ask for it. 0 when stopped.
static int UpdateProfile(DWORD_PTR item, AnalysisProfile* profile) {
    if (Stopped(CallProgressCallback(FALSE, (int)item, nullptr, 0, -1, 0)))
        return 0;
    if (profile->RealtimeDone)
        return 1;
    char path[MAX_PATH];
    GenerateOrbisFilePath(path, profile);
    int upToDate = 1;
    if (DetectLogDateFormat(nullptr, profile, &profile->Servers, 0, 0, TRUE)) {
        PeriodHitSource source;
        MakeLogFileSource(profile, &source);
        UpdateRealtimeDatabase(&source, profile, path, (void*)item, &upToDate);
        CloseLogFileSource(&source);
    }
    // A log table is read and ordered once for a series of updates; once the
    // database holds all of it, the next series reads it afresh.
    if (upToDate && ServerList_GetProtocol(&profile->Servers) == SERVER_PROTOCOL_ODBC)
        ORB_CloseODBC(nullptr);
    profile->RealtimeDone = upToDate;
    if (Engine_IsAborted())
        return 0;
    CallProgressCallback(FALSE, (int)item, nullptr, 0, -1, 0);
    return 1;
}

static int Wanted(const AnalysisProfile* profile) {
    return profile->SwiftmereFlag && profile->RealtimeAnalysis;
}

int ORB_CALL ORB_UpdateRealtime(DWORD_PTR item, AnalysisProfile* profile,
                                ORB_UPDATEPROGRESSPROC progress) {
    if (!profile)
        return UPDATE_RESULT_DONE;
    Enter(progress);
    int stopped = 0;
    if (Wanted(profile)) {
        profile->RealtimeDone = 0;
        stopped = !UpdateProfile(item, profile);
    } else {
        profile->RealtimeDone = 1;
    }
    Leave();
    if (stopped)
        return UPDATE_RESULT_STOPPED;
    return profile->RealtimeDone ? UPDATE_RESULT_DONE : UPDATE_RESULT_MORE;
}

short ORB_CALL OLD_UpdateRealtime(int count, AnalysisProfile** profiles,
                                  ORB_UPDATEPROGRESSPROC progress) {
    Enter(progress);
    // Bounded: it ends when every profile is done, after a pass that
    // changed nothing, or when stopped.
    for (int pass = 0; pass < OLD_UPDATE_MAX_PASSES && !Engine_IsAborted(); ++pass) {
        int open = 0, changed = 0;
        for (int i = 0; i < count; ++i) {
            AnalysisProfile* p = profiles[i];
            if (!p)
                continue;
            if (!Wanted(p)) {
                p->RealtimeDone = 1;
                continue;
            }
            if (pass % 100 == 0)
                p->RealtimeDone = 0;
            if (p->RealtimeDone)
                continue;
            ORB_TIME before = p->DatabaseLastTime;
            if (!UpdateProfile((DWORD_PTR)i, p))
                break;
            changed |= p->RealtimeDone || p->DatabaseLastTime != before;
            open |= !p->RealtimeDone;
        }
        if (!open || !changed)
            break;
    }
    Leave();
    return 0;
}

int ORB_CALL ORB_AbortRealtimeAnalysis(ORB_UPDATEENDPROC end) {
    Engine_SetAbort(TRUE);
    if (g_nesting > 0)
        g_endCallback = end;
    return (int)g_nesting;
}

void ORB_CALL ORB_DeleteRealtimeDatabase(AnalysisProfile* profile) {
    if (profile && profile->SwiftmereFlag)
        DeleteRealtimeDatabase(profile, nullptr);
}

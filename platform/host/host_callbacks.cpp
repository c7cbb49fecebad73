// The stand-in host's callbacks: status texts to stdout, profile handles
// from the listed entries, schedule entries kept for the run.
#include "host_session.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
HostState g_state;

// The plug-in ends each scheduled run with "(Success)" or "(Failed)" on the
// status line: the outcome of that run alone, whatever else shares the
// install's scheduler log.
void CALLBACK ShowStatus(const char* text) {
    text = text ? text : "";
    printf("status: %s\n", text);
    fflush(stdout);
    if (strcmp(text, "(Success)") == 0)
        g_state.Outcome = OUTCOME_SUCCESS;
    else if (strcmp(text, "(Failed)") == 0)
        g_state.Outcome = OUTCOME_FAILED;
}

int CALLBACK OnRefresh(const char*) {
    return 1;
}

int CALLBACK FindProfileHandle(AnalysisProfile* profile, DWORD_PTR* handle) {
    for (size_t i = 0; i < g_state.Profiles.size(); ++i) {
        if (g_state.Profiles[i]->Profile == profile) {
            *handle = i + 1;
            return 1;
        }
    }
    return 0;
}

int CALLBACK AddSchedule(ScheduleListEntry* entry) {
    if (entry && entry->RealtimeFlag) {
        // A profile's realtime entry stays the plug-in's.
        for (ScheduleListEntry* kept : g_state.Realtime)
            if (kept == entry)
                return 1;
        g_state.Realtime.push_back(entry);
        return 1;
    }
    if (g_state.Scheduled)
        HeapFree(GetProcessHeap(), 0, g_state.Scheduled);
    g_state.Scheduled = entry;
    return 1;
}

int CALLBACK RealtimeProgress(int, const char*, int, int, int) {
    return 0;
}
// The plug-in frees the entry afterwards: the host only forgets it.
int CALLBACK RemoveSchedule(AnalysisProfile*, ScheduleListEntry* entry) {
    for (auto* list : {&g_state.Schedule, &g_state.Realtime})
        list->erase(std::remove(list->begin(), list->end(), entry), list->end());
    if (g_state.Scheduled == entry)
        g_state.Scheduled = nullptr;
    return 1;
}

int CALLBACK AddProfile(ProfileListEntry* entry) {
    g_state.Profiles.push_back(entry);
    return 1;
}
} // namespace

HostState& GetHostState(void) {
    return g_state;
}

void SupplyHostCallbacks(decltype(&SupplyCallback) supply) {
    // Each slot's declared type checks the callback before it is stored untyped.
    HostStatusProc status = ShowStatus;
    HostRefreshProc refresh = OnRefresh;
    HostFindProfileProc find = FindProfileHandle;
    HostAddScheduleProc add = AddSchedule;
    HostRealtimeProgressProc progress = RealtimeProgress;
    HostRemoveScheduleProc remove = RemoveSchedule;
    HostAddProfileProc addProfile = AddProfile;
    supply(HOST_SLOT_STATUS, (HostCallback)status);
    supply(HOST_SLOT_REFRESH, (HostCallback)refresh);
    supply(HOST_SLOT_FIND_PROFILE, (HostCallback)find);
    supply(HOST_SLOT_ADD_SCHEDULE, (HostCallback)add);
    supply(HOST_SLOT_REALTIME_PROGRESS, (HostCallback)progress);
    supply(HOST_SLOT_REMOVE_SCHEDULE, (HostCallback)remove);
    supply(HOST_SLOT_ADD_PROFILE, (HostCallback)addProfile);
}

// The stand-in host's scheduler.
#include "host_schedule.h"

bool LoadHostSchedule(HostSession& session, std::string* error) {
    auto find = reinterpret_cast<decltype(&LogFindScheduleEvent)>(session.Entry(9));
    if (!find) {
        *error = "the plug-in cannot list scheduled events";
        return false;
    }
    HostState& state = GetHostState();
    for (;;) {
        ScheduleListEntry* entry = nullptr;
        int result = find(0, 0, &entry);
        if (result == HOST_END)
            return true;
        if (result != HOST_DONE || !entry) {
            *error = "schedule enumeration failed (" + std::to_string(result) + ")";
            return false;
        }
        // A realtime entry stays the plug-in's: it comes again on each listing.
        bool known = false;
        for (ScheduleListEntry* kept : state.Schedule)
            known = known || kept == entry;
        if (!known && !entry->RealtimeFlag)
            state.Schedule.push_back(entry);
        else if (!known)
            state.Realtime.push_back(entry);
    }
}

bool IsScheduleEntryDue(const ScheduleListEntry& entry, time_t now) {
    return entry.Active && (time_t)entry.Time <= now;
}

time_t NextScheduleTime(const ScheduleListEntry& entry) {
    if (!entry.RepeatIncrement || entry.RepeatType > 4)
        return 0;
    time_t at = (time_t)entry.Time;
    if (entry.RepeatType == 4) {
        struct tm when = *gmtime(&at);
        when.tm_mon += (int)entry.RepeatIncrement;
        return _mkgmtime(&when);
    }
    static const time_t kUnit[] = {60, 3600, 86400, 7 * 86400};
    return at + (time_t)entry.RepeatIncrement * kUnit[entry.RepeatType];
}

int RunDueScheduleEvents(HostSession& session, time_t now, int* failed) {
    auto run = reinterpret_cast<decltype(&HostRunScheduledEvent)>(session.Entry(11));
    *failed = 0;
    if (!run)
        return 0;
    HostState& state = GetHostState();
    std::vector<ScheduleListEntry*> all = state.Schedule;
    all.insert(all.end(), state.Realtime.begin(), state.Realtime.end());
    int runs = 0;
    for (ScheduleListEntry* entry : all) {
        if (!IsScheduleEntryDue(*entry, now))
            continue;
        state.Outcome = OUTCOME_UNTOLD;
        run(nullptr, entry);
        ++runs;
        if (state.Outcome != OUTCOME_SUCCESS)
            ++*failed;
        time_t next = NextScheduleTime(*entry);
        // A run that was late catches up with one run, not one per missed step.
        while (next && next <= now) {
            entry->Time = (DWORD)next;
            next = NextScheduleTime(*entry);
        }
        if (next)
            entry->Time = (DWORD)next;
        else
            entry->Active = 0;
    }
    return runs;
}

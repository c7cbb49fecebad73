// Entry functions still to come in this area.
#include "ovdesk/host_interface.h"

int __cdecl HostCreateReport(HWND, ProfileListEntry*, int) {
    return HOST_NO_MEMORY;
}
int __cdecl HostEditProfile(HWND, ProfileListEntry*, ProfileListEntry**) {
    return HOST_NO_MEMORY;
}
int __cdecl HostDeleteProfile(HWND, ProfileListEntry*) {
    return HOST_DONE;
}
int __cdecl HostCopyProfile(HWND, ProfileListEntry*, ProfileListEntry**) {
    return HOST_NO_MEMORY;
}
int __cdecl LogFindProfile(HWND, DWORD_PTR, DWORD_PTR, ProfileListEntry** entry) {
    *entry = nullptr;
    return HOST_END;
}
int __cdecl EditScheduleEvent(HWND, ScheduleListEntry*, ScheduleListEntry** out) {
    *out = nullptr;
    return HOST_NO_MEMORY;
}
int __cdecl DeleteScheduleEvent(DWORD_PTR, ScheduleListEntry*) {
    return HOST_DONE;
}
int __cdecl LogFindScheduleEvent(DWORD_PTR, DWORD_PTR, ScheduleListEntry** entry) {
    *entry = nullptr;
    return HOST_END;
}
int __cdecl HostRunScheduledEvent(HWND, ScheduleListEntry*) {
    return HOST_DONE;
}
int __cdecl HostLogInfoPanel(HWND, ProfileListEntry*, ProfileListEntry*, int) {
    return HOST_DONE;
}
int __cdecl HostRealtimeUpdate(HWND, ProfileListEntry*) {
    return HOST_NOTHING_TO_DO;
}
int __cdecl HostCommandLineReport(DWORD_PTR, const char*) {
    return HOST_NO_MEMORY;
}
int __cdecl LogRefreshProfile(DWORD_PTR, ProfileListEntry*) {
    return HOST_DONE;
}

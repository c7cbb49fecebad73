// The host's way in: start, callbacks, and the entry function of each code.
#include "ovdesk/host_interface.h"
#include "ovdesk/remote_request.h"
#include "ovcore/ovcore.h"
#include "profile_sheet/database_maintenance.h"
#include <cstring>

namespace {
const char kModuleTitle[] = "Web Log Analysis";

// The entry function of each code that has one.
struct CodeRow {
    int Code;
    HostEntry Entry;
};
#define ENTRY(f) reinterpret_cast<HostEntry>(&f)
const CodeRow kCodes[] = {
    {1, ENTRY(HostCreateReport)},       {2, ENTRY(HostEditProfile)},
    {3, ENTRY(HostDeleteProfile)},      {4, ENTRY(HostCopyProfile)},
    {5, ENTRY(LogFindProfile)},         {7, ENTRY(EditScheduleEvent)},
    {8, ENTRY(DeleteScheduleEvent)},    {9, ENTRY(LogFindScheduleEvent)},
    {11, ENTRY(HostRunScheduledEvent)}, {12, ENTRY(HostLogInfoPanel)},
    {13, ENTRY(HostRealtimeUpdate)},    {14, ENTRY(HostShutDown)},
    {15, ENTRY(HostViewLogFile)},       {17, ENTRY(HostIntranetList)},
    {18, ENTRY(HostAdViewsList)},       {19, ENTRY(FindLocalServerLogs)},
    {20, ENTRY(HostCommandLineReport)}, {21, ENTRY(HostDatabaseMaintenance)},
    {22, ENTRY(ShowOptionsSheet)},      {23, ENTRY(OptionsSheetClosed)},
    {24, ENTRY(HostStopRealtime)},      {25, ENTRY(RemoteCommandHandler)},
    {26, ENTRY(LogGetProfileHelp)},     {28, ENTRY(LogRefreshProfile)},
    {33, ENTRY(HostTemplateFolder)},    {34, ENTRY(HostReturnZero)},
    {37, ENTRY(HostClusterFlag)},
};
#undef ENTRY
} // namespace

int __cdecl InitializeSupportLibrary(DWORD_PTR hostValue, int* flag1, int* flag2, int* flag3,
                                     char* title) {
    if (flag1)
        *flag1 = 1;
    if (flag2)
        *flag2 = 1;
    if (flag3)
        *flag3 = 1;
    if (title)
        strcpy(title, kModuleTitle);
    InitGSWLibrary(1, (HANDLE)hostValue);
    return 1;
}

HostEntry __cdecl IsFunctionSupported(int code) {
    for (const CodeRow& row : kCodes)
        if (row.Code == code)
            return row.Entry;
    return nullptr;
}

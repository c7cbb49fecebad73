#include "desk_fixture.h"
#include "desk_services.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include "schedule/schedule_events.h"
#include "startup/plugin_state.h"
#include "report_run/report_delivery.h"
#include "ovkit/schedlog.h"

RecordedHost g_recordedHost;

void RecordedHost::Reset() {
    Statuses.clear();
    for (ScheduleListEntry* entry : Scheduled)
        HeapFree(GetProcessHeap(), 0, entry);
    Scheduled.clear();
    FindCalls = 0;
}

namespace {
void CALLBACK RecordStatus(const char* text) {
    g_recordedHost.Statuses.push_back(text);
}

int CALLBACK RecordFind(AnalysisProfile* profile, DWORD_PTR* handle) {
    ++g_recordedHost.FindCalls;
    *handle = (DWORD_PTR)profile;
    return 1;
}

int CALLBACK RecordSchedule(ScheduleListEntry* entry) {
    g_recordedHost.Scheduled.push_back(entry);
    return 1;
}
} // namespace

void SupplyRecordingCallbacks() {
    HostStatusProc status = RecordStatus;
    HostFindProfileProc find = RecordFind;
    HostAddScheduleProc add = RecordSchedule;
    SupplyCallback(HOST_SLOT_STATUS, (HostCallback)status);
    SupplyCallback(HOST_SLOT_FIND_PROFILE, (HostCallback)find);
    SupplyCallback(HOST_SLOT_ADD_SCHEDULE, (HostCallback)add);
}

namespace {
ovtest::TempInstall& SharedInstall() {
    static ovtest::TempInstall* install = new ovtest::TempInstall();
    return *install;
}

void EmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
} // namespace

DeskFixture::DeskFixture() : install_(SharedInstall()) {}

void DeskFixture::SetUp() {
    static short slot = -1;
    SetPluginInstance(GetModuleHandleA(nullptr));
    std::string name = install_.Root() + "ovdesk.dll";
    ASSERT_GT(SetModuleDirectoryFromName(name.c_str(), (DWORD)name.size()), 0);
    ASSERT_EQ(GetDataFilesFolder(), install_.Data());
    EmptyFolder(install_.Data());
    if (slot == -1)
        slot = ORB_Register(install_.Data().c_str(), 60, 0x454E, &PeekMessageCallback, nullptr,
                            GetModuleHandleA(nullptr), 0, 0, &DisplayReportError);
    ASSERT_NE(slot, -1);
    SetDeskUnattended(TRUE);
    char path[MAX_PATH];
    schedlog_ = OVKIT_GetScheduleLogFilename(nullptr, path);
    schedlogStart_ = ovtest::ReadFileBytes(schedlog_).size();
}

void DeskFixture::TearDown() {
    SetDeskUnattended(FALSE);
    for (ProfileListEntry* entry : entries_)
        HeapFree(GetProcessHeap(), 0, entry);
    FreeLoadedProfiles();
    FreeScheduleEvents();
    ClearHostCallbacks();
    g_recordedHost.Reset();
    EXPECT_EQ(boxes_.Count(), 0u) << "the plug-in showed a box";
}

void DeskFixture::WriteProfile(const std::string& baseName, const std::string& description,
                               const std::string& logPath) {
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->BaseName, baseName.c_str());
    strcpy(p->Extension, "wlp");
    strcpy(p->Description, description.c_str());
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_FILE);
    ServerList_AddServer(&p->Servers, "LocalMachine", logPath.c_str(), "", "");
    EXPECT_TRUE(WriteOrbisFile((install_.Data() + baseName + ".wlp").c_str(), p));
    AnalysisProfile_Free(p);
}

std::vector<ProfileListEntry*> DeskFixture::Enumerate() {
    std::vector<ProfileListEntry*> found;
    for (int guard = 0; guard < 100; ++guard) {
        ProfileListEntry* entry = nullptr;
        int result = LogFindProfile(nullptr, 0, 0, &entry);
        if (result == HOST_END) {
            EXPECT_EQ(entry, nullptr);
            break;
        }
        EXPECT_EQ(result, HOST_DONE);
        if (!entry)
            break;
        found.push_back(entry);
        entries_.push_back(entry);
    }
    return found;
}

std::string DeskFixture::SchedulerLogAdded() const {
    std::string all = ovtest::ReadFileBytes(schedlog_);
    return all.size() > schedlogStart_ ? all.substr(schedlogStart_) : std::string();
}

HMODULE PointEngineSettingsAt(const ovtest::TempInstall& install) {
    std::string module = install.Path("CSTCTLS4.dll");
    char bin[MAX_PATH];
    GetModuleFileNameA(nullptr, bin, sizeof bin);
    strcpy(strrchr(bin, '\\') + 1, "CSTCTLS4.dll");
    if (!CopyFileA(bin, module.c_str(), FALSE))
        return nullptr;
    HMODULE library = LoadLibraryA(module.c_str());
    if (library)
        ORB_InitApplicationPath(library);
    return library;
}

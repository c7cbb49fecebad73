#include "desk_run_fixture.h"

#include <cstdio>
#include <cstdlib>

#include "desk_services.h"
#include "ovkit/schedlog.h"
#include "report_run/report_delivery.h"
#include "startup/plugin_state.h"
#include "startup/startup_parts.h"
#include "wait_until.h"

namespace desktest {

namespace {

int CALLBACK Pump() {
    ovtest::PumpMessages();
    return 0;
}

std::string ExeFolder() {
    char name[MAX_PATH];
    GetModuleFileNameA(nullptr, name, sizeof name);
    std::string path = name;
    return path.substr(0, path.rfind('\\') + 1);
}

// The shipped content (the repository's install/ folder, a host path).
std::string ContentFolder() {
    std::string path = std::string("Z:") + OV_CONTENT_DIR;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path + "\\";
}

} // namespace

DeskInstall::DeskInstall() {
    static bool classes = RegisterPluginWindowClasses(GetModuleHandleA(nullptr)) != 0;
    (void)classes;
    // Any module in the install's root makes it the install folder of both sides.
    std::string anchor = install_.Root() + "ovanchor.dll";
    CopyFileA((ExeFolder() + "ovkit_heapdll.dll").c_str(), anchor.c_str(), FALSE);
    anchor_ = LoadLibraryA(anchor.c_str());
    SetPluginInstance(GetModuleHandleA(nullptr));
    FindModuleDirectory(anchor_);
    ORB_InitApplicationPath(anchor_);
    ovtest::CopyTree(ContentFolder(), install_.Root());
    DWORD network = 0;
    slot_ = ORB_Register(install_.Data().c_str(), 60, 1, Pump, &network, GetModuleHandleA(nullptr),
                         0, nullptr, &DisplayReportError);
}

DeskInstall::~DeskInstall() {
    for (AnalysisProfile* p : profiles_) {
        ORB_FreeURL(p);
        AnalysisProfile_Free(p);
    }
    if (slot_ >= 0)
        ORB_DeRegister(slot_);
    ORB_InitApplicationPath(GetModuleHandleA(nullptr));
    FindModuleDirectory(GetModuleHandleA(nullptr));
    if (anchor_)
        FreeLibrary(anchor_);
}

std::string DeskInstall::WriteLog(const std::string& name, const std::string& bytes) const {
    std::string path = install_.Data() + name;
    ovtest::WriteFileBytes(path, bytes);
    return path;
}

AnalysisProfile* DeskInstall::WriteProfile(const std::string& name, const std::string& paths) {
    AnalysisProfile* p = AnalysisProfile_New();
    lstrcpynA(p->BaseName, name.c_str(), sizeof(p->BaseName));
    lstrcpyA(p->Extension, "wlp");
    lstrcpyA(p->Description, "Desk run");
    p->DNSLookup = 0;
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_FILE);
    ServerList_AddServer(&p->Servers, "LocalMachine", paths.c_str(), "", "");
    std::string file = install_.Data() + name + ".wlp";
    WriteOrbisFile(file.c_str(), p);
    AnalysisProfile_Free(p);
    AnalysisProfile* copy = AnalysisProfile_New();
    ReadOrbisFile(file.c_str(), copy);
    profiles_.push_back(copy);
    return copy;
}

std::string DeskInstall::SchedulerLog() {
    char path[MAX_PATH];
    OVKIT_GetScheduleLogFilename(GetPluginInstance(), path);
    return ovtest::ReadFileBytes(path);
}

void DeskInstall::ClearSchedulerLog() {
    char path[MAX_PATH];
    OVKIT_GetScheduleLogFilename(GetPluginInstance(), path);
    DeleteFileA(path);
}

DeskInstall& Desk() {
    static DeskInstall desk;
    return desk;
}

std::string LogLine(int client, unsigned seconds, const std::string& url) {
    char line[200];
    std::snprintf(line, sizeof line,
                  "10.0.0.%d - - [%02u/Oct/1999:%02u:%02u:%02u +0000] \"GET %s HTTP/1.0\" 200 "
                  "1234\n",
                  client, 10 + seconds / 86400, seconds / 3600 % 24, seconds / 60 % 60,
                  seconds % 60, url.c_str());
    return line;
}

std::string SmallLog() {
    static const char* const kPages[] = {"/index.html", "/products.html", "/about.html",
                                         "/img/logo.gif"};
    std::string log;
    for (unsigned i = 0; i < 40; ++i)
        log += LogLine(1 + i % 7, 3600 + i * 180, kPages[i % 4]);
    return log;
}

} // namespace desktest

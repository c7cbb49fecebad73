#include "run_driver.h"

#include <cstdio>

#include "core/engine_state.h"
#include "core/message_sink.h"
#include "logread/engine_link.h"
#include "run/run_setup.h"
#include "settings/install_folder.h"
#include "wait_until.h"

namespace runtest {

namespace {

int CALLBACK Pump() {
    ovtest::PumpMessages();
    return 0;
}

} // namespace

RunEngine::RunEngine(const std::string& moduleDefaults) {
    Engine_ResetLibraryState();
    Engine_SetUnattended(TRUE);
    InstallFolder_SetFromFileName((install_.Root() + "ovkit.dll").c_str());
    install_.Write("ovdesk\\ovdesk.ini", "[Defaults]\r\n" + moduleDefaults);
    install_.Write("ovdesk\\template\\ENGLISH.RPL", "");
    DWORD status = 0;
    slot_ = ORB_Register(install_.Data().c_str(), 60, 1, Pump, &status, GetModuleHandleA(NULL), 0,
                         NULL, NULL);
    LogRead_SetDatfilesFolder(install_.Data().c_str());
}

RunEngine::~RunEngine() {
    for (AnalysisProfile* p : profiles_) {
        ORB_FreeURL(p);
        AnalysisProfile_Free(p);
    }
    if (slot_ >= 0)
        ORB_DeRegister(slot_);
    Engine_ResetLibraryState();
    Engine_SetUnattended(FALSE);
    InstallFolder_Reset();
    LogRead_SetDatfilesFolder(nullptr);
}

std::string RunEngine::WriteData(const std::string& name, const std::string& bytes) const {
    std::string path = install_.Data() + name;
    ovtest::WriteFileBytes(path, bytes);
    return path;
}

AnalysisProfile* RunEngine::WriteProfile(const std::string& name,
                                         const std::vector<std::string>& paths, DWORD protocol,
                                         void (*edit)(AnalysisProfile*)) {
    AnalysisProfile* p = AnalysisProfile_New();
    lstrcpynA(p->BaseName, name.c_str(), sizeof(p->BaseName));
    lstrcpyA(p->Extension, "wlp");
    lstrcpyA(p->Description, "Run test");
    p->DNSLookup = 0;
    std::string joined;
    for (const std::string& path : paths)
        joined += (joined.empty() ? "" : "|") + path;
    ServerList_SetProtocol(&p->Servers, protocol);
    ServerList_AddServer(&p->Servers, "LocalMachine", joined.c_str(), "", "");
    if (edit)
        edit(p);
    std::string file = install_.Data() + name + ".wlp";
    WriteOrbisFile(file.c_str(), p);
    AnalysisProfile_Free(p);
    AnalysisProfile* client = AnalysisProfile_New();
    ReadOrbisFile(file.c_str(), client);
    profiles_.push_back(client);
    return client;
}

RunOutcome RunReport(AnalysisProfile* profile, const std::string& profileFile,
                     const RunOptions& o) {
    RunOutcome out;
    UrlFetchHandle fetch = nullptr;
    if (ORB_OpenURL(NULL, profileFile.c_str(), &fetch) == 0) {
        while (ORB_PeekURL() != -1)
            ovtest::PumpMessages();
    }
    out.closeUrl = ORB_CloseURL(NULL, fetch, profile);
    ORB_TIME start = o.wholeLog ? profile->FirstLogTime : o.start;
    ORB_TIME end = o.wholeLog ? profile->LastLogTime : o.end;
    char folder[MAX_PATH];
    lstrcpynA(folder, o.outputFolder.c_str(), MAX_PATH);
    out.report = ORB_Cre8Report(NULL, profile, profileFile.c_str(), o.callerText.c_str(), folder,
                                76, 0, start, end, o.kind, o.listingOption, o.secondText.c_str(),
                                o.language.c_str(), o.runText.c_str(), o.sections, o.sectionCount,
                                0, &out.error);
    out.outputFolder = folder;
    if (!out.report)
        return out;
    if (o.useEveryTable)
        UseEveryReportTable();
    for (;;) {
        DWORD changed = 0;
        WORD record = 0;
        short answer = ORB_PeekReport(out.report, &changed, &record);
        if (changed)
            out.refreshes.push_back({out.peeks, ADT_GetReportDonePercent(out.report)});
        out.recordsRead += record;
        out.peeks++;
        if (answer == -1 || (o.stopAfter && out.peeks >= o.stopAfter))
            break;
    }
    return out;
}

std::string LogLine(int client, DWORD seconds, const std::string& url, int status, int bytes) {
    char head[160];
    std::snprintf(head, sizeof(head),
                  "10.0.0.%d - - [%02lu/Oct/1999:%02lu:%02lu:%02lu +0000] \"GET %s HTTP/1.0\" %d "
                  "%d\n",
                  client, (unsigned long)(10 + seconds / 86400),
                  (unsigned long)(seconds / 3600 % 24), (unsigned long)(seconds / 60 % 60),
                  (unsigned long)(seconds % 60), url.c_str(), status, bytes);
    return head;
}

} // namespace runtest

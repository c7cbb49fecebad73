#include "rundump/whole_run.h"

#include <stdio.h>

#include "logread/engine_link.h"
#include "run/run_setup.h"
#include "settings/install_folder.h"

#include <shellapi.h> // after windows.h

bool WholeRunInstall::Make(const char* name, ORB_PUMPPROC pump) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + name + std::to_string(GetCurrentProcessId()) + "\\";
    std::string data = Data();
    CreateDirectoryA(root_.c_str(), NULL);
    CreateDirectoryA((root_ + "ovdesk").c_str(), NULL);
    CreateDirectoryA((root_ + "ovdesk\\template").c_str(), NULL);
    if (!CreateDirectoryA(data.c_str(), NULL))
        return false;
    Write("ovdesk\\ovdesk.ini", "[Defaults]\r\n");
    Write("ovdesk\\template\\ENGLISH.RPL", "");
    InstallFolder_SetFromFileName((root_ + name + ".exe").c_str());
    DWORD network = 0;
    slot_ =
        ORB_Register(data.c_str(), 60, 1, pump, &network, GetModuleHandleA(NULL), 0, NULL, NULL);
    LogRead_SetDatfilesFolder(data.c_str());
    return slot_ >= 0;
}

void WholeRunInstall::Write(const std::string& relative, const std::string& text) const {
    FILE* f = fopen((root_ + relative).c_str(), "wb");
    if (f) {
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
}

WholeRunInstall::~WholeRunInstall() {
    if (slot_ >= 0)
        ORB_DeRegister(slot_);
    if (!root_.empty())
        RemoveFolderTree(root_.substr(0, root_.size() - 1));
}

void RemoveFolderTree(const std::string& folder) {
    std::string from = folder + std::string(1, '\0'); // the list ends with two NULs
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

AnalysisProfile* MakeWholeRunProfile(const WholeRunInstall& install, const char* name,
                                     const std::string& paths, BOOL dns) {
    AnalysisProfile* p = AnalysisProfile_New();
    lstrcpynA(p->BaseName, name, sizeof(p->BaseName));
    lstrcpyA(p->Extension, "wlp");
    lstrcpynA(p->Description, name, sizeof(p->Description));
    p->DNSLookup = dns ? 1 : 0;
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_FILE);
    ServerList_AddServer(&p->Servers, "LocalMachine", paths.c_str(), "", "");
    std::string file = install.Data() + name + ".wlp";
    BOOL written = WriteOrbisFile(file.c_str(), p);
    AnalysisProfile_Free(p);
    AnalysisProfile* client = AnalysisProfile_New();
    if (!written || ReadOrbisFile(file.c_str(), client) != 4) {
        AnalysisProfile_Free(client);
        return nullptr;
    }
    return client;
}

ReportHandle* RunWholeReport(AnalysisProfile* profile, const char* name, WholeRunCounts* counts) {
    std::string file = std::string(name) + ".wlp";
    UrlFetchHandle fetch = nullptr;
    if (ORB_OpenURL(NULL, file.c_str(), &fetch) == 0)
        while (ORB_PeekURL() != -1)
            ;
    if (ORB_CloseURL(NULL, fetch, profile) != 0)
        fprintf(stderr, "no readable record in the logs\n");
    // The report's range is the logs' own: it decides the intervals.
    ORB_TIME start = profile->LogInfoValid ? profile->FirstLogTime : 0;
    ORB_TIME end = profile->LogInfoValid ? profile->LastLogTime : 0xFFFFFFFF;
    char folder[MAX_PATH] = "";
    WORD error = 0;
    ReportHandle* report =
        ORB_Cre8Report(NULL, profile, file.c_str(), name, folder, 76, 0, start, end,
                       REPORT_KIND_TABLES, 0, "(Default)", "ENGLISH", name, nullptr, 0, 0, &error);
    if (error) {
        char text[256];
        ADT_GetErrorTxtMsg(error, text, sizeof(text));
        fprintf(stderr, "%s\n", text);
    }
    if (!report)
        return nullptr;
    UseEveryReportTable(); // whatever a template would ask for
    WholeRunCounts local;
    WholeRunCounts* c = counts ? counts : &local;
    for (;;) {
        WORD record = 0;
        short answer = ORB_PeekReport(report, nullptr, &record);
        c->peeks++;
        c->records += record;
        if (answer == -1)
            break;
    }
    return report;
}

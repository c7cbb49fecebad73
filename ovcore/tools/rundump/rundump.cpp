// ovrundump: runs a report run of kind 6 over the logs given, with default
// settings, every table in use and DNS look-ups off (--dns turns them on),
// and prints what the run counted, tab-separated:
//
//   ovrundump [--dns] log...
//
// First the per-period block ("period" lines: field name, then its value or
// one value per interval), then every table in table order: a "table" line
// (number, keyword, item count), then one line per item in the table's
// sorted order: keyword, position, name, hits, users, non-cached hits,
// bytes, seconds on pages, visits timed; last the visitor table as
// table 44, "Visitors".
//
// Runs unattended in a throw-away install folder beside the system's
// temporary files: an engine message goes to standard error, and the exit
// status is 1 after one, or when the run could not be opened.
#include <stdio.h>
#include <string.h>

#include <string>

#include "core/message_sink.h"
#include "logread/engine_link.h"
#include "ovcore/ovcore.h"
#include "rundump/period_print.h"
#include "run/accumulate.h"
#include "run/report_handle.h"
#include "run/run_setup.h"
#include "settings/install_folder.h"

#include <shellapi.h> // after windows.h

namespace {

// A registered engine over a fresh install folder; removed at the end.
struct DumpInstall {
    std::string root;
    short slot = -1;

    bool Make() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "ovrundump" + std::to_string(GetCurrentProcessId()) + "\\";
        std::string data = root + "ovdesk\\datfiles\\";
        CreateDirectoryA(root.c_str(), NULL);
        CreateDirectoryA((root + "ovdesk").c_str(), NULL);
        CreateDirectoryA((root + "ovdesk\\template").c_str(), NULL);
        if (!CreateDirectoryA(data.c_str(), NULL))
            return false;
        Write("ovdesk\\ovdesk.ini", "[Defaults]\r\n");
        Write("ovdesk\\template\\ENGLISH.RPL", "");
        InstallFolder_SetFromFileName((root + "ovrundump.exe").c_str());
        DWORD network = 0;
        slot = ORB_Register(data.c_str(), 60, 1, NULL, &network, GetModuleHandleA(NULL), 0, NULL,
                            NULL);
        LogRead_SetDatfilesFolder(data.c_str());
        return slot >= 0;
    }
    void Write(const std::string& relative, const std::string& text) const {
        FILE* f = fopen((root + relative).c_str(), "wb");
        if (f) {
            fwrite(text.data(), 1, text.size(), f);
            fclose(f);
        }
    }
    ~DumpInstall() {
        if (slot >= 0)
            ORB_DeRegister(slot);
        if (root.empty())
            return;
        std::string from = root.substr(0, root.size() - 1) + std::string(1, '\0');
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&op);
    }
};

// Writes the profile of the logs into the data folder; the client's copy.
AnalysisProfile* MakeProfile(const DumpInstall& install, int argc, char** argv, int first,
                             BOOL dns) {
    std::string paths;
    for (int i = first; i < argc; i++) {
        char full[MAX_PATH];
        if (!GetFullPathNameA(argv[i], MAX_PATH, full, NULL))
            lstrcpynA(full, argv[i], MAX_PATH);
        paths += (paths.empty() ? "" : "|") + std::string(full);
    }
    AnalysisProfile* p = AnalysisProfile_New();
    lstrcpyA(p->BaseName, "ovrundump");
    lstrcpyA(p->Extension, "wlp");
    lstrcpyA(p->Description, "ovrundump");
    p->DNSLookup = dns ? 1 : 0;
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_FILE);
    ServerList_AddServer(&p->Servers, "LocalMachine", paths.c_str(), "", "");
    std::string file = install.root + "ovdesk\\datfiles\\ovrundump.wlp";
    BOOL written = WriteOrbisFile(file.c_str(), p);
    AnalysisProfile_Free(p);
    AnalysisProfile* client = AnalysisProfile_New();
    if (!written || ReadOrbisFile(file.c_str(), client) != 4) {
        AnalysisProfile_Free(client);
        return nullptr;
    }
    return client;
}

ReportHandle* RunToEnd(AnalysisProfile* profile) {
    UrlFetchHandle fetch = nullptr;
    if (ORB_OpenURL(NULL, "ovrundump.wlp", &fetch) == 0)
        while (ORB_PeekURL() != -1)
            ;
    if (ORB_CloseURL(NULL, fetch, profile) != 0)
        fprintf(stderr, "no readable record in the logs\n");
    // The report's range is the logs' own: it decides the intervals.
    ORB_TIME start = profile->LogInfoValid ? profile->FirstLogTime : 0;
    ORB_TIME end = profile->LogInfoValid ? profile->LastLogTime : 0xFFFFFFFF;
    char folder[MAX_PATH] = "";
    WORD error = 0;
    ReportHandle* report = ORB_Cre8Report(NULL, profile, "ovrundump.wlp", "ovrundump", folder, 76,
                                          0, start, end, REPORT_KIND_TABLES, 0, "(Default)",
                                          "ENGLISH", "ovrundump", nullptr, 0, 0, &error);
    if (error) {
        char text[256];
        ADT_GetErrorTxtMsg(error, text, sizeof(text));
        fprintf(stderr, "%s\n", text);
    }
    if (!report)
        return nullptr;
    UseEveryReportTable(); // whatever a template would ask for
    while (ORB_PeekReport(report, nullptr, nullptr) != -1)
        ;
    return report;
}

} // namespace

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    int first = 1;
    BOOL dns = FALSE;
    if (first < argc && strcmp(argv[first], "--dns") == 0) {
        dns = TRUE;
        first++;
    }
    if (first >= argc) {
        fprintf(stderr, "usage: ovrundump [--dns] log...\n");
        return 2;
    }
    DumpInstall install;
    if (!install.Make()) {
        fprintf(stderr, "cannot make the install folder %s\n", install.root.c_str());
        return 1;
    }
    AnalysisProfile* profile = MakeProfile(install, argc, argv, first, dns);
    ReportHandle* report = profile ? RunToEnd(profile) : nullptr;
    RunContext* context = report ? EndSummaryContext(report) : nullptr;
    if (context) {
        PrintPeriodBlock(context);
        PrintRunTables(context);
    }
    ORB_CloseReport(report, nullptr);
    if (profile)
        ORB_FreeURL(profile);
    AnalysisProfile_Free(profile);
    return context && Engine_ErrorCount() == 0 ? 0 : 1;
}

#include "report_writer_fixture.h"

#include <stdlib.h>
#include <string.h>

#include "core/engine_state.h"
#include "write/output_names.h"
#include "run/report_handle.h"
#include "run/run_setup.h"
#include "settings/install_folder.h"
#include "write/report_output.h"

namespace ovtest {

const char* const kPageHead = "<HTML>\r\n<!-- Ostrevane Web Log Analyzer Report -->\r\n"
                              "<HEAD><TITLE>Ostrevane Web Log Analyzer Report</TITLE></HEAD>\r\n";
const char* const kPageTail = "</HTML>\r\n";

std::vector<std::string> WriterRun::statusCalls;

static WORD FakeResolve(ReportHandle*, HANDLE file, const char* keyword, RunContext* run,
                        DWORD* markerFlag, int* action, ReportStatusProc) {
    std::string k = keyword;
    if (k.rfind("T:", 0) == 0) {
        DWORD written = 0;
        WriteFile(file, k.data() + 2, (DWORD)k.size() - 2, &written, NULL);
        return (WORD)written;
    }
    if (k.size() == 2 && k[0] == 'M') {
        *markerFlag = 1;
        *action = k[1] - '0';
    } else if (k.rfind("P:", 0) == 0) {
        lstrcpynA(run->Output->NextPageName, k.c_str() + 2, MAX_PATH);
        *markerFlag = 1;
        *action = LAYOUT_TOP_OF_FILE;
    } else if (k == "E") {
        *markerFlag = 1;
    } else if (k == "W") {
        return 0xFFFF; // a short write
    }
    return 0;
}

static int CALLBACK RecordStatus(int, const char* text, int flag) {
    WriterRun::statusCalls.push_back(std::to_string(flag) + ":" + text);
    return 1;
}

WriterRun::WriterRun() {
    InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());
    if (!Engine_State().clientResources)
        Engine_State().clientResources = GetModuleHandleA(NULL);
    install.Write("ovdesk\\template\\ENGLISH.RPL", "<Word>{word}\r\n");
    install.Write("Base\\Images\\ovlogoss.gif", "GIF89a logo");
    for (const char* image : {"loganlz.gif", "tocarw.gif", "tocsel.gif", "tocclr.gif", "false.gif",
                              "true.gif", "collall.gif", "expall.gif"})
        install.Write(std::string("ovdesk\\images\\") + image, "GIF89a");
    install.Write("out\\keep.txt", "");
    report = static_cast<ReportHandle*>(calloc(1, sizeof(ReportHandle)));
    strcpy(report->Language, "ENGLISH");
    strcpy(report->StyleName, "Test Style");
    run = AllocRunContext();
    OpenReportOutput(run);
    strcpy(run->Output->ReportTitle, "Test Report");
    lstrcpynA(run->Output->PreparedTemplate, install.Path("ovdesk\\template\\TEMP0.HTM").c_str(),
              MAX_PATH);
    Output("rep.htm");
    Style("");
    saved_ = g_WriterResolveKeyword;
    g_WriterResolveKeyword = FakeResolve;
    statusCalls.clear();
}

WriterRun::~WriterRun() {
    g_WriterResolveKeyword = saved_;
    FreeRunContext(run); // with the writer's page list
    free(report);
    InstallFolder_Reset();
}

void WriterRun::Style(const std::string& keys) {
    install.Write("style.ini", "[Test Style]\r\n" + keys);
}

void WriterRun::Template(const std::string& text) {
    WriteFileBytes(run->Output->PreparedTemplate, text);
}

void WriterRun::Output(const std::string& name) {
    lstrcpynA(run->Output->OutputPath, install.Path("out\\" + name).c_str(), MAX_PATH);
}

int WriterRun::Write() {
    return WriteTemplateReport(report, run, RecordStatus);
}

bool WriterRun::Exists(const std::string& name) const {
    return FileExistsAt(install.Path("out\\" + name));
}

} // namespace ovtest

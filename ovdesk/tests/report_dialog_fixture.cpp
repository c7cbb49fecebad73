#include "report_dialog_fixture.h"
#include "report_dialog/create_report_internal.h"
#include "startup/plugin_state.h"
#include "resource_ids.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include "wait_until.h"
#include <commctrl.h>
#include <cstdlib>
#include <cstring>

namespace {
std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

std::string ExeFolder() {
    char name[MAX_PATH];
    GetModuleFileNameA(nullptr, name, sizeof name);
    std::string folder = name;
    return folder.substr(0, folder.rfind('\\') + 1);
}

// The modal driver's state: the dialog, and the steps to run in its loop.
HWND g_dialog = nullptr;
std::function<void(HWND)> g_steps;

void CALLBACK RunSteps(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (g_dialog && g_steps)
        g_steps(g_dialog);
}

INT_PTR CALLBACK DriverProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        g_dialog = dialog;
    return CreateReportDlg(dialog, message, wParam, lParam);
}

RecordedRun g_run;
int g_runResult = 0;

int RecordRun(HWND, HWND rangePage, AnalysisProfile* profile, WORD rangeIndex, WORD destinationKind,
              const char* outputName, const char* ftpUserName, const char* ftpPassword,
              const char* styleName, const char* languageName, ReportRunRequest* request) {
    ++g_run.Calls;
    g_run.RangePage = rangePage;
    g_run.HasProfile = profile != nullptr;
    g_run.RangeIndex = rangeIndex;
    g_run.DestinationKind = destinationKind;
    g_run.OutputName = outputName ? outputName : "";
    g_run.FtpUser = ftpUserName ? ftpUserName : "";
    g_run.FtpPassword = ftpPassword ? ftpPassword : "";
    g_run.Style = styleName ? styleName : "";
    g_run.Language = languageName ? languageName : "";
    g_run.Request = request;
    return g_runResult;
}
} // namespace

RunRecorder::RunRecorder(int result) {
    g_run = RecordedRun();
    g_runResult = result;
    SetReportRunner(RecordRun);
}
RunRecorder::~RunRecorder() {
    SetReportRunner(nullptr);
}
const RecordedRun& RunRecorder::Run() const {
    return g_run;
}

void ReportDialogTest::SetUp() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                          ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    install_.reset(new ovtest::TempInstall());
    // A module loaded from the install folder points the plug-in and the
    // engine at it, as the plug-in's own file does in a real install.
    std::string anchor = install_->Root() + "anchor.dll";
    ASSERT_TRUE(CopyFileA((ExeFolder() + "CSTCTLS4.dll").c_str(), anchor.c_str(), FALSE));
    anchor_ = LoadLibraryA(anchor.c_str());
    ASSERT_NE(anchor_, nullptr);
    ORB_InitApplicationPath(anchor_);
    FindModuleDirectory(anchor_);
    SetPluginInstance(GetModuleHandleA(nullptr));
    const char* content = getenv("OV_CONTENT_DIR");
    ASSERT_NE(content, nullptr) << "OV_CONTENT_DIR names the shipped content";
    std::string templates = WindowsPath(content) + "ovdesk\\template\\";
    for (const char* name : {"cluster.var", "ENGLISH.RPL"})
        ASSERT_TRUE(
            CopyFileA((templates + name).c_str(), (install_->Templates() + name).c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((WindowsPath(content) + "style.ini").c_str(),
                          (install_->Root() + "Style.ini").c_str(), FALSE));
}

void ReportDialogTest::TearDown() {
    for (HWND page : pages_)
        DestroyWindow(page);
    if (pageParent_)
        DestroyWindow(pageParent_);
    for (AnalysisProfile* profile : profiles_)
        AnalysisProfile_Free(profile);
    if (anchor_)
        FreeLibrary(anchor_);
    install_.reset();
}

AnalysisProfile* ReportDialogTest::MakeProfile(DWORD first, DWORD last) {
    AnalysisProfile* profile = AnalysisProfile_New();
    strcpy(profile->Description, "Shop logs");
    profile->LogInfoValid = 1;
    profile->FirstLogTime = first;
    profile->LastLogTime = last;
    profiles_.push_back(profile);
    return profile;
}

DialogCall& ReportDialogTest::NewCall(WORD options) {
    calls_.emplace_back(new DialogCall());
    DialogCall& call = *calls_.back();
    call.Request.Profile = MakeProfile(1262349296, 1265029200);
    call.Params.Request = &call.Request;
    call.Params.Options = options;
    return call;
}

HWND ReportDialogTest::CreatePage(UINT templateId, DLGPROC procedure, ReportRunRequest* request) {
    // Pages are child windows: a hidden window stands in for the tab control.
    if (!pageParent_)
        pageParent_ = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND page = CreateDialogIndirectParamA(GetPluginInstance(), GetDialogTemplate(templateId),
                                           pageParent_, procedure, (LPARAM)request);
    if (page)
        pages_.push_back(page);
    ovtest::PumpMessages();
    return page;
}

INT_PTR ReportDialogTest::RunDialog(CreateReportParams* params,
                                    const std::function<void(HWND)>& steps) {
    g_dialog = nullptr;
    g_steps = steps;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, RunSteps);
    // The dialog's own template comes from the test program, whatever the
    // language module is.
    HRSRC resource = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CREATE_REPORT),
                                   (LPCSTR)RT_DIALOG);
    const DLGTEMPLATE* dialogTemplate =
        resource ? (const DLGTEMPLATE*)LockResource(LoadResource(nullptr, resource)) : nullptr;
    INT_PTR result = DialogBoxIndirectParamA(GetPluginInstance(), dialogTemplate, nullptr,
                                             DriverProc, (LPARAM)params);
    // A dialog that ended on its own leaves its timer: it must not drive the next one.
    KillTimer(nullptr, timer);
    g_steps = nullptr;
    g_dialog = nullptr;
    return result;
}

void ReportDialogTest::WriteDefinition(const std::string& fileName, const std::string& text) {
    ASSERT_TRUE(install_->Write("ovdesk\\datfiles\\" + fileName, text));
}

void ReportDialogTest::SetModuleSetting(const char* section, const char* key, const char* value) {
    WriteModuleProfileString(section, key, value);
}

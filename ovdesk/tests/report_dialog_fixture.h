// A throw-away install for the Create Report dialog's tests: the shipped
// template and language file, Style.ini, the data folder, the plug-in's and
// the engine's folders pointed at it, and a modal-dialog driver.
#pragma once
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>
#include <string>
#include "temp_install.h"
#include "msgbox_watcher.h"
#include "dialog_driver.h"
#include "report_dialog/create_report_dialog.h"

// A run request and the dialog's parameter that points at it.
struct DialogCall {
    ReportRunRequest Request = {};
    CreateReportParams Params = {};
};

class ReportDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A profile whose logs were probed (first and last log times known).
    AnalysisProfile* MakeProfile(DWORD first, DWORD last);
    // A request for a profile whose logs run from 2010-01-01 12:34:56 to
    // 2010-02-01 13:00:00 UTC, with the dialog's options.
    DialogCall& NewCall(WORD options = 0);
    // Creates a page of the dialog on its own (modeless, hidden).
    HWND CreatePage(UINT templateId, DLGPROC procedure, ReportRunRequest* request);
    // Runs the Create Report dialog modally; steps runs inside its message
    // loop with the dialog's window. The dialog's result.
    INT_PTR RunDialog(CreateReportParams* params, const std::function<void(HWND)>& steps);
    // Writes a saved definition file into the data folder.
    void WriteDefinition(const std::string& fileName, const std::string& text);
    void SetModuleSetting(const char* section, const char* key, const char* value);

    std::unique_ptr<ovtest::TempInstall> install_;
    HMODULE anchor_ = nullptr;
    std::vector<AnalysisProfile*> profiles_;
    std::vector<HWND> pages_;
    std::vector<std::unique_ptr<DialogCall>> calls_;
    HWND pageParent_ = nullptr;
};

// One RunReport call as the dialog made it.
struct RecordedRun {
    int Calls = 0;
    HWND RangePage = nullptr;
    bool HasProfile = false;
    WORD RangeIndex = 0xFFFF;
    WORD DestinationKind = 0xFFFF;
    std::string OutputName, FtpUser, FtpPassword, Style, Language;
    ReportRunRequest* Request = nullptr;
};
// Puts a recorder in place of RunReport for the life of the object; the
// recorder answers result.
class RunRecorder {
  public:
    explicit RunRecorder(int result);
    ~RunRecorder();
    const RecordedRun& Run() const;
};

// The shared dialog driver's helpers, by their short names.
using ovtest::ComboSelection;
using ovtest::FindThreadDialog;
using ovtest::ItemText;
using ovtest::Later;
using ovtest::ListViewText;

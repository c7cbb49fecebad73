// A throw-away install whose REPORT.INI the tests write and read back.
#pragma once
#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include "langvars/var_table.h"
#include "settings/install_folder.h"
#include "msgbox_watcher.h"
#include "temp_install.h"
#include <string>

// Reads REPORT.INI of a throw-away ovdesk folder; the settings are freed at
// the end of each test.
class ReportIniFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallFolder_SetFromFileName((install.Root() + "ovcore.dll").c_str());
        langvars::Clear();
    }
    void TearDown() override {
        FreeSummaryArrays(settings);
        langvars::Clear();
        InstallFolder_Reset();
    }
    void WriteIni(const std::string& text) { install.Write("ovdesk\\REPORT.INI", text); }
    const ReportIniSettings& Read(const char* language = "ENGLISH") {
        FreeSummaryArrays(settings);
        settings = nullptr;
        EXPECT_EQ(ReadReportIniSettings(install.Module().c_str(), language, &settings), 1);
        return *settings;
    }
    ovtest::TempInstall install;
    ovtest::MsgBoxWatcher watcher; // a missing language file is reported in a box
    ReportIniSettings* settings = nullptr;
};

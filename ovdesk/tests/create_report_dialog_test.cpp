// The Create Report dialog driven by messages: opening for a profile, a
// memorized report applied to the pages, Start handing everything to the
// run, a scheduled event run hidden, and memorize mode.
#include "report_dialog_fixture.h"
#include "report_dialog/contents_page.h"
#include "report_dialog/range_page.h"
#include "report_dialog/report_pages.h"
#include "report_run/report_delivery.h"
#include "report_run/report_run.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <commctrl.h>

namespace {
const char kWeekly[] = "[General]\r\nDescription=Weekly\r\n\r\n"
                       "[Range]\r\nOrderBy=0\r\nReportRange=1\r\nStartTime=01:02:03\r\n"
                       "StopTime=23:00:00\r\nStartDate=01/05/10\r\nStopDate=01/12/10\r\n\r\n"
                       "[Style]\r\nReportLanguage=ENGLISH\r\nReportStyle=Classic\r\n\r\n"
                       "[SaveAs]\r\nSaveReportAs=c:\\out\\weekly.CMA\r\nSaveToUserName=\r\n"
                       "SaveToPassword=\r\n\r\n"
                       "[Content]\r\nContentCount=1\r\nReportTitle=Weekly title\r\n"
                       "Section0_Name=TopHoursBeginSection\r\nSection0_ItemType=1\r\n"
                       "Section0_GraphType=3\r\nSection0_3D=0\r\nSection0_Elements=11\r\n\r\n\r\n";

HWND Page(int index) {
    return g_ReportPages[index];
}

// The page's own visibility, whether or not the dialog is on screen yet.
bool Shown(HWND page) {
    return (GetWindowLongA(page, GWL_STYLE) & WS_VISIBLE) != 0;
}

int TabCount(HWND dialog) {
    return (int)SendDlgItemMessageA(dialog, IDC_CR_TAB, TCM_GETITEMCOUNT, 0, 0);
}

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

// Item of the contents list whose section has this name and kind; -1.
int ContentsItem(const char* name, int kind) {
    WORD count = 0;
    HGLOBAL block = GetTemplateSectionBlock(&count);
    TemplateSection* sections = (TemplateSection*)GlobalLock(block);
    int item = -1;
    for (WORD i = 0; sections && i < count; ++i)
        if (!strcmp(sections[i].Name, name) && sections[i].Kind == kind)
            item = GetContentsItemMap()[i];
    GlobalUnlock(block);
    return item;
}

int ContentsState(int item) {
    return (int)((SendDlgItemMessageA(Page(PAGE_CONTENTS), IDC_CONTENTS_LIST, LVM_GETITEMSTATE,
                                      item, LVIS_STATEIMAGEMASK) &
                  LVIS_STATEIMAGEMASK) >>
                 12);
}
} // namespace

TEST_F(ReportDialogTest, OpensForAProfileAndCancels) {
    ovtest::MsgBoxWatcher boxes;
    RunRecorder recorder(1);
    auto& [request, params] = NewCall();
    INT_PTR result = RunDialog(&params, [](HWND dialog) {
        char caption[200];
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Create Report (Shop logs)");
        EXPECT_EQ(TabCount(dialog), PAGE_COUNT);
        EXPECT_TRUE(Shown(Page(PAGE_RANGE)));
        EXPECT_FALSE(Shown(Page(PAGE_STYLE)));
        EXPECT_EQ(ComboSelection(dialog, IDC_CR_DEFINITIONS), "<< None Selected >>");
        EXPECT_EQ(ComboSelection(Page(PAGE_RANGE), RANGE_COMBO), "All of Log");
        EXPECT_EQ(ItemText(Page(PAGE_RANGE), RANGE_START_TIME), "12:34:56");
        EXPECT_EQ(ItemText(Page(PAGE_SAVEAS), IDC_SAVEAS_PATH), ".\\REPORT.HTM");
        EXPECT_EQ(ComboSelection(Page(PAGE_SAVEAS), IDC_SAVEAS_KIND), "file:///");
        EXPECT_EQ(ComboSelection(Page(PAGE_STYLE), IDC_STYLE_STYLE), "(Default)");
        EXPECT_EQ(ComboSelection(Page(PAGE_STYLE), IDC_STYLE_LANGUAGE), "ENGLISH");
        // Switching tabs hides one page and shows the other.
        NMHDR changing = {GetDlgItem(dialog, IDC_CR_TAB), IDC_CR_TAB, (UINT)TCN_SELCHANGING};
        SendMessageA(dialog, WM_NOTIFY, IDC_CR_TAB, (LPARAM)&changing);
        SendDlgItemMessageA(dialog, IDC_CR_TAB, TCM_SETCURSEL, 3, 0);
        NMHDR change = {GetDlgItem(dialog, IDC_CR_TAB), IDC_CR_TAB, (UINT)TCN_SELCHANGE};
        SendMessageA(dialog, WM_NOTIFY, IDC_CR_TAB, (LPARAM)&change);
        EXPECT_TRUE(Shown(Page(PAGE_STYLE)));
        EXPECT_FALSE(Shown(Page(PAGE_RANGE)));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(recorder.Run().Calls, 0);
    EXPECT_EQ(boxes.Count(), 0u);
    for (HWND page : g_ReportPages)
        EXPECT_EQ(page, nullptr); // the pages go with the dialog
}

TEST_F(ReportDialogTest, AppliesTheLastMemorizedReportAndStartsTheRun) {
    WriteDefinition("00000001.MSS", kWeekly);
    SetModuleSetting("Report", "Last Summary", "Weekly");
    ovtest::MsgBoxWatcher boxes;
    RunRecorder recorder(7);
    auto& [request, params] = NewCall();
    INT_PTR result = RunDialog(&params, [](HWND dialog) {
        EXPECT_EQ(ComboSelection(dialog, IDC_CR_DEFINITIONS), "Weekly");
        HWND range = Page(PAGE_RANGE);
        EXPECT_EQ(ComboSelection(range, RANGE_COMBO), "Specify Date/Time");
        EXPECT_EQ(ItemText(range, RANGE_START_TIME), "01:02:03");
        EXPECT_EQ(ItemText(range, RANGE_END_DATE), "01/12/10");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(range, RANGE_START_DATE)));
        EXPECT_EQ(GetSelectedFormat(Page(PAGE_FORMAT)), FORMAT_CMA);
        EXPECT_EQ(ItemText(Page(PAGE_SAVEAS), IDC_SAVEAS_PATH), "c:\\out\\weekly.CMA");
        EXPECT_EQ(ComboSelection(Page(PAGE_STYLE), IDC_STYLE_STYLE), "Classic");
        EXPECT_EQ(ComboSelection(Page(PAGE_STYLE), IDC_STYLE_LANGUAGE), "ENGLISH");
        EXPECT_EQ(ItemText(Page(PAGE_STYLE), IDC_STYLE_TITLE), "Weekly title");
        // The stored graph is in, with its 11 (12 shown); every other section is out.
        int hours = ContentsItem("TopHoursBeginSection", SECTION_KIND_GRAPH);
        int hoursTable = ContentsItem("TopHoursBeginSection", SECTION_KIND_TABLE);
        ASSERT_GE(hours, 0);
        EXPECT_EQ(ContentsState(hours), STATE_GRAPH_IN);
        EXPECT_EQ(ListViewText(GetDlgItem(Page(PAGE_CONTENTS), IDC_CONTENTS_LIST), hours, 1), "12");
        EXPECT_EQ(ContentsState(hoursTable), STATE_OTHER_OUT);
        Click(dialog, IDC_CR_START);
        Click(dialog, IDC_CR_START); // a second Start while running does nothing
    });
    EXPECT_EQ(result, 7); // the run's result is the dialog's
    const RecordedRun& run = recorder.Run();
    EXPECT_EQ(run.Calls, 1);
    EXPECT_TRUE(run.HasProfile);
    EXPECT_NE(run.RangePage, nullptr);
    EXPECT_EQ(run.RangeIndex, RANGE_SPECIFY);
    EXPECT_EQ(run.DestinationKind, DESTINATION_FILE);
    EXPECT_EQ(run.OutputName, "c:\\out\\weekly.CMA");
    EXPECT_EQ(run.Style, "Classic");
    EXPECT_EQ(run.Language, "ENGLISH");
    EXPECT_EQ(run.Request, &request);
    char last[64];
    GetModuleProfileString("Report", "Last Summary", "", last, sizeof last);
    EXPECT_STREQ(last, "Weekly");
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ReportDialogTest, ScheduledEventRunsHiddenAtOnce) {
    WriteDefinition("00000001.MSS", kWeekly);
    struct Case {
        const char* memorized;
        const char* saveAs;
        DWORD protocol;
        int expectedCalls;
        const char* expectedOutput;
        const char* expectedStyle;
    } cases[] = {
        {"weekly", "c:\\out\\sched.CMA", 0, 1, "c:\\out\\sched.CMA", "Classic"},
        // The memorized report is gone: the event's own file and the defaults.
        {"Gone", "c:\\out\\gone.htm", 0, 1, "c:\\out\\gone.htm", "(Default)"},
        // A refused start (no network for an http:// log) ends the dialog, unseen.
        {"weekly", "", 2, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saveAs);
        ovtest::MsgBoxWatcher boxes;
        RunRecorder recorder(5);
        ScheduleEvent event = {};
        strcpy(event.Memorized, c.memorized);
        strcpy(event.SaveAsFilename, c.saveAs);
        auto& [request, params] = NewCall();
        request.Event = &event;
        request.RunMode = RUN_MODE_SCHEDULED;
        ServerList_SetProtocol(&request.Profile->Servers, c.protocol);
        bool waited = false;
        INT_PTR result = RunDialog(&params, [&waited](HWND dialog) {
            waited = true;
            Click(dialog, IDCANCEL);
        });
        EXPECT_FALSE(waited) << "the hidden dialog ended on its own";
        EXPECT_EQ(result, c.expectedCalls ? 5 : 0);
        EXPECT_EQ(recorder.Run().Calls, c.expectedCalls);
        if (c.expectedCalls) {
            EXPECT_EQ(recorder.Run().OutputName, c.expectedOutput);
            EXPECT_EQ(recorder.Run().Style, c.expectedStyle);
        }
        EXPECT_EQ(boxes.Count(), 0u); // nothing waits on this path
    }
}

TEST_F(ReportDialogTest, MemorizeModeSavesADefinition) {
    ovtest::MsgBoxWatcher boxes;
    RunRecorder recorder(9);
    auto& [request, params] = NewCall(CREATE_REPORT_OPTION_MEMORIZE);
    INT_PTR result = RunDialog(&params, [](HWND dialog) {
        EXPECT_EQ(TabCount(dialog), PAGE_COUNT - 1); // no Save As page
        EXPECT_FALSE(Shown(GetDlgItem(dialog, IDC_CR_DEFINITIONS)));
        EXPECT_EQ(ItemText(dialog, IDC_CR_START), "&Memorize");
        SendDlgItemMessageA(Page(PAGE_RANGE), RANGE_COMBO, CB_SETCURSEL, 5, 0);
        SendMessageA(Page(PAGE_CONTENTS), WM_COMMAND, IDM_CONTENTS_UNSELECT_ALL, 0);
        SetDlgItemTextA(Page(PAGE_STYLE), IDC_STYLE_TITLE, "Monthly title");
        Click(dialog, IDC_CR_START); // no description yet: a box, the dialog stays
        SetDlgItemTextA(dialog, IDC_CR_DESCRIPTION, "Monthly");
        Click(dialog, IDC_CR_START);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(params.Description, "Monthly");
    EXPECT_EQ(recorder.Run().Calls, 0);
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].text, "Please enter a memorized report name.");
    std::string saved = install_->Read("ovdesk\\datfiles\\00000001.MSS");
    EXPECT_NE(saved.find("Description=Monthly\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("ReportRange=5\r\n"), std::string::npos);
    EXPECT_NE(saved.find("SaveReportAs=\r\n"), std::string::npos); // memorize mode stores none
    EXPECT_NE(saved.find("ReportLanguage=ENGLISH\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("ContentCount"), std::string::npos); // nothing chosen
}

TEST_F(ReportDialogTest, RealtimeRequestTakesTheRealtimeTemplateAndRange) {
    WriteDefinition("realtime_HTM.MSS", kWeekly); // the name's case does not matter
    SetModuleSetting("Defaults", "RTRange", "5");
    ovtest::MsgBoxWatcher boxes;
    RunRecorder recorder(1);
    ScheduleEvent event = {};
    auto& [request, params] = NewCall();
    request.Event = &event;
    request.RunMode = RUN_MODE_REALTIME;
    strcpy(request.Profile->ReportSaveToPath, "c:\\rt\\live.htm");
    INT_PTR result = RunDialog(&params, [](HWND dialog) { Click(dialog, IDCANCEL); });
    EXPECT_EQ(result, 1);
    const RecordedRun& run = recorder.Run();
    ASSERT_EQ(run.Calls, 1);
    EXPECT_EQ(run.RangeIndex, 5);
    EXPECT_EQ(run.OutputName, "c:\\rt\\live.htm");
    EXPECT_EQ(run.DestinationKind, DESTINATION_FILE);
    EXPECT_EQ(run.Style, "Classic");
    EXPECT_EQ(request.Profile->wRangeCode, 5); // the working copy goes back to the request
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ReportDialogTest, MemorizesUnderANewNameAndDeletesAMemorizedReport) {
    WriteDefinition("00000001.MSS", kWeekly);
    ovtest::MsgBoxWatcher boxes(IDOK);
    RunRecorder recorder(1);
    auto& [request, params] = NewCall();
    HWND nameDialog = nullptr;
    RunDialog(&params, [&](HWND dialog) {
        SetDlgItemTextA(Page(PAGE_SAVEAS), IDC_SAVEAS_PATH, "c:\\out\\daily.htm");
        // The name dialog: a name in use is refused, a new one taken.
        Later([&] {
            nameDialog = FindThreadDialog("Memorize Report...");
            ASSERT_NE(nameDialog, nullptr);
            SetDlgItemTextA(nameDialog, IDC_MEMO_NAME, "WEEKLY");
            Click(nameDialog, IDC_MEMO_SAVE);
            EXPECT_TRUE(IsWindow(nameDialog));
            SetDlgItemTextA(nameDialog, IDC_MEMO_NAME, "Daily");
            Click(nameDialog, IDC_MEMO_SAVE);
        });
        Click(dialog, IDC_CR_MEMORIZE);
        EXPECT_EQ(ComboSelection(dialog, IDC_CR_DEFINITIONS), "Daily");
        // "<< None Selected >>" leaves the pages as they are.
        SendDlgItemMessageA(dialog, IDC_CR_DEFINITIONS, CB_SETCURSEL, 0, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CR_DEFINITIONS, CBN_SELCHANGE), 0);
        EXPECT_EQ(ItemText(Page(PAGE_SAVEAS), IDC_SAVEAS_PATH), "c:\\out\\daily.htm");
        SelectComboText(dialog, IDC_CR_DEFINITIONS, "Weekly");
        boxes.SetButton(IDYES); // "Are you sure?"
        Click(dialog, IDC_CR_DELETE);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_CR_DEFINITIONS, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                      (LPARAM) "Weekly"),
                  CB_ERR);
        Click(dialog, IDCANCEL);
    });
    ASSERT_TRUE(boxes.WaitFor(2));
    EXPECT_EQ(boxes.Seen()[0].text.rfind("Sorry.  That memorized report name is already", 0), 0u);
    EXPECT_EQ(boxes.Seen()[1].text, "Are you sure?");
    EXPECT_FALSE(ovtest::FileExistsAt(install_->Data() + "00000001.MSS"));
    std::string saved = install_->Read("ovdesk\\datfiles\\00000002.MSS");
    EXPECT_NE(saved.find("Description=Daily\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("SaveReportAs=c:\\out\\daily.htm\r\n"), std::string::npos);
    EXPECT_NE(saved.find("ContentCount="), std::string::npos); // every section is chosen
}

TEST_F(ReportDialogTest, WithoutTemplateSectionsTheContentsTabIsLeftOutAndTheRunRefused) {
    DeleteFileA((install_->Templates() + "cluster.var").c_str());
    ovtest::MsgBoxWatcher boxes;
    RunRecorder recorder(1);
    auto& [request, params] = NewCall();
    INT_PTR result = RunDialog(&params, [](HWND dialog) {
        EXPECT_EQ(TabCount(dialog), PAGE_COUNT - 1);
        EXPECT_EQ(Page(PAGE_CONTENTS), nullptr);
        Click(dialog, IDC_CR_START);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(recorder.Run().Calls, 0);
    ASSERT_TRUE(boxes.WaitFor(1));
    EXPECT_EQ(boxes.Seen()[0].text, "Could NOT build the summary.");
}

TEST_F(ReportDialogTest, NetworkCheckRefusesRemoteLogsWithoutTheNetworkLibraries) {
    struct Case {
        DWORD protocol;
        const char* homePage;
        BYTE dnsLookup;
        BOOL allowed;
        const char* box; // null: none
    } cases[] = {
        {2, "", 0, FALSE, "You cannot do a report on a http:// URL."},
        {0, "HTTP://www.example.com/", 0, FALSE, "You cannot do a report on a http:// URL."},
        {1, "", 0, FALSE, "You cannot do a report on a ftp:// URL."},
        {0, "ftp://files/", 0, FALSE, "You cannot do a report on a ftp:// URL."},
        {0, "", 1, TRUE, "NOTE: DNS Lookup will be disabled."},
        {0, "c:\\web\\", 2, TRUE, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box ? c.box : "silent");
        ovtest::MsgBoxWatcher boxes;
        AnalysisProfile* profile = MakeProfile(0, 0);
        ServerList_SetProtocol(&profile->Servers, c.protocol);
        strcpy(profile->HomePageBaseDir, c.homePage);
        profile->DNSLookup = c.dnsLookup;
        EXPECT_EQ(CheckNetworkForProfile(nullptr, profile), c.allowed);
        if (!c.box) {
            EXPECT_EQ(boxes.Count(), 0u);
            continue;
        }
        ASSERT_TRUE(boxes.WaitFor(1));
        EXPECT_EQ(boxes.Seen()[0].text, c.box);
        EXPECT_EQ(boxes.Seen()[0].caption, "No Active Winsock");
    }
}

extern HINSTANCE g_languageModule;

TEST_F(ReportDialogTest, PagesWhoseTemplatesAreMissingAreLeftOut) {
    // A language module without the pages' templates.
    HINSTANCE own = g_languageModule;
    g_languageModule = anchor_;
    ovtest::MsgBoxWatcher boxes;
    RunRecorder recorder(3);
    auto& [request, params] = NewCall();
    INT_PTR result = RunDialog(&params, [](HWND dialog) {
        EXPECT_EQ(TabCount(dialog), 0);
        for (HWND page : g_ReportPages)
            EXPECT_EQ(page, nullptr);
        Click(dialog, IDC_CR_START);
    });
    g_languageModule = own;
    EXPECT_EQ(result, 3); // the run still gets the defaults
    // The default name, placed in the reports folder.
    EXPECT_EQ(recorder.Run().OutputName, install_->Root() + "Reports\\Web Analysis\\REPORT.HTM");
    EXPECT_EQ(recorder.Run().RangePage, nullptr);
}

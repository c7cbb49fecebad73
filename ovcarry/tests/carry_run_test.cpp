// ovcarry.exe end to end: an older installation of each layout imported
// into a fresh one, driven from outside the program as a user would.
#include <gtest/gtest.h>
#include "carry_driver.h"
#include "ovcore/ovcore.h"
#include "saved_report.h"

using namespace carrytest;

namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The imported profile of a description, read back through the engine.
struct ReadProfile {
    AnalysisProfile* p = nullptr;
    std::string base;
    ReadProfile(const std::string& data, const char* description) {
        for (const std::string& name : FilesIn(data, "*.wlp")) {
            AnalysisProfile* candidate = AnalysisProfile_New();
            if (ReadOrbisFile((data + name).c_str(), candidate) &&
                strcmp(candidate->Description, description) == 0) {
                p = candidate;
                base = name.substr(0, name.find('.'));
                return;
            }
            AnalysisProfile_Free(candidate);
        }
    }
    ~ReadProfile() { AnalysisProfile_Free(p); }
};

// The saved report file whose description is given ("" when none).
std::string ReportFile(const std::string& data, const std::string& description) {
    for (const std::string& name : FilesIn(data, "*.mss"))
        if (IniValue(data + name, "General", "Description") == description)
            return data + name;
    return "";
}

std::string ListText(const FilterString* list) {
    std::string text;
    for (; list; list = list->Next)
        text += std::string(text.empty() ? "" : " ") + list->lpszText;
    return text;
}

class CarryRunTest : public ::testing::Test {
  protected:
    CarryInstall carry_;
    std::string Data() const { return carry_.Install().Data(); }
    std::string Schedule() const { return carry_.Install().Module() + "logsched.dat"; }
};

TEST_F(CarryRunTest, OlderLayoutArrivesInTodaysFiles) {
    std::string old = carry_.PlaceOld("older");
    CarryRun run = carry_.Run("\"" + old + "\"");
    EXPECT_TRUE(run.sawChoose);
    EXPECT_EQ(0u, run.exitCode);
    ASSERT_EQ(1u, run.boxes.size());
    EXPECT_TRUE(Has(run.boxes[0], "The import is complete.")) << run.boxes[0];
    EXPECT_TRUE(Has(run.boxes[0], carry_.Folder() + "\\ImportResults.txt")) << run.boxes[0];

    std::string log = carry_.Results();
    for (const char* line :
         {"Import starting at: ", "Importing profiles\r\n", "\tProfile \"Shop site\" converted\r\n",
          "\tProfile \"Zero site\" converted\r\n", "\tProfile \"Middle site\" converted\r\n",
          "\tProfile \"\" converted\r\n",
          "\tMemorized report \"(Imported) Weekly shop\" converted\r\n",
          "\t3 schedule events imported successfully\r\n",
          "Successfully copied advertising file adviews.txt\r\n",
          "Successfully copied intranet file ovintra.txt\r\n",
          "\tSuccessfully converted Swiftmere database for \"Shop site\"\r\n"})
        EXPECT_TRUE(Has(log, line)) << line << "\n" << log;
    EXPECT_FALSE(Has(log, "Sample")) << "sample profiles stay behind";

    ReadProfile shop(Data(), "Shop site");
    ASSERT_NE(nullptr, shop.p) << log;
    EXPECT_EQ(SERVER_PROTOCOL_FILE, shop.p->Servers.dwProtocol);
    ASSERT_EQ(1u, shop.p->Servers.dwCount);
    EXPECT_TRUE(Has(shop.p->Servers.lpServers[0]->szPath, "\\logs\\shop.log"));
    EXPECT_EQ(SWIFTMERE_FILES, shop.p->SwiftmereFlag);
    EXPECT_STREQ("http://www.shop.example/", shop.p->HomePageBaseDir);
    EXPECT_STREQ("index.htm", shop.p->HomePageDefaults);
    EXPECT_STREQ("C:\\reports\\shop", shop.p->ReportSaveToPath);
    EXPECT_EQ(24u, shop.p->RealtimeReportInterval);
    // The filters arrive in the reverse order of the old table.
    ProfileFilter* robots = shop.p->Filters;
    ASSERT_NE(nullptr, robots);
    EXPECT_STREQ("Robots", robots->Name);
    EXPECT_EQ((DWORD)FILTER_EXCLUDE, robots->Type);
    EXPECT_EQ("10.9.9.9", ListText(robots->Users));
    EXPECT_EQ((DWORD)(FILTER_USERS | FILTER_REFERRER), robots->dwFlags & 0xFFFF);
    ProfileFilter* pages = robots->Next;
    ASSERT_NE(nullptr, pages);
    EXPECT_STREQ("Pages", pages->Name);
    EXPECT_EQ("*.htm", ListText(pages->Files)) << "the default *.* gives way";
    EXPECT_EQ("/shop/", ListText(pages->Directory));
    EXPECT_EQ("banner1.gif", ListText(pages->AdView)) << "an unknown advertisement is dropped";
    EXPECT_EQ("banner1.gif", ListText(pages->AdClick));
    EXPECT_EQ((DWORD)(FILTER_RETURNCODES | FILTER_DIRECTORY | FILTER_FILES | FILTER_ADS),
              pages->dwFlags & 0xFFFF);
    EXPECT_EQ(200u, pages->ReturnCodes[0]);

    ReadProfile zero(Data(), "Zero site");
    ASSERT_NE(nullptr, zero.p);
    EXPECT_STREQ("C:\\web|logs\\zero.log", zero.p->Servers.lpServers[0]->szPath);
    EXPECT_STREQ("anon", zero.p->Servers.lpServers[0]->szUsername);
    EXPECT_EQ(1, zero.p->DNSLookup);
    ReadProfile middle(Data(), "Middle site");
    ASSERT_NE(nullptr, middle.p);
    EXPECT_EQ(SERVER_PROTOCOL_FTP, middle.p->Servers.dwProtocol);
    EXPECT_STREQ("bob", middle.p->Servers.lpServers[0]->szUsername);
    ReadProfile odd(Data(), "");
    ASSERT_NE(nullptr, odd.p);
    ASSERT_NE(nullptr, odd.p->Filters);
    EXPECT_EQ("*.htm", ListText(odd.p->Filters->Files));

    std::string weekly = ReportFile(Data(), "(Imported) Weekly shop");
    ASSERT_FALSE(weekly.empty());
    EXPECT_EQ("1", IniValue(weekly, "Range", "ReportRange"));
    EXPECT_EQ("C:\\out\\weekly.htm", IniValue(weekly, "SaveAs", "SaveReportAs"));
    EXPECT_EQ("3", IniValue(weekly, "Content", "ContentCount"));
    const char* const sections[][5] = {{"Section0_Name", "GeneralBeginSection"},
                                       {"Section1_Elements", "25"},
                                       {"Section1_ItemType", "2"},
                                       {"Section2_GraphType", "3"},
                                       {"Section2_3D", "0"},
                                       {"Section2_Elements", "10"}};
    for (const auto& s : sections)
        EXPECT_EQ(s[1], IniValue(weekly, "Content", s[0])) << s[0];
    std::string daily = ReportFile(Data(), "(Imported) Daily description of forty c");
    ASSERT_FALSE(daily.empty()) << "an old description without terminator is cut";
    EXPECT_EQ("7", IniValue(daily, "Range", "ReportRange"));

    EXPECT_EQ(shop.base, IniValue(Schedule(), "Event1", "SetName"));
    EXPECT_EQ("(Imported) Weekly shop", IniValue(Schedule(), "Event1", "Memorized"));
    EXPECT_EQ("256", IniValue(Schedule(), "Event1", "Version"));
    EXPECT_EQ("WLP", IniValue(Schedule(), "Event1", "SetExtension"));
    EXPECT_EQ(zero.base, IniValue(Schedule(), "Event2", "SetName"))
        << "the unknown profile's event is dropped";
    EXPECT_EQ("", IniValue(Schedule(), "Event2", "Memorized"));
    EXPECT_EQ("", IniValue(Schedule(), "Event3", "Version"));

    EXPECT_EQ("proxy.example:8080", IniValue(carry_.Install().BaseIni(), "Defaults", "HTTPProxy"));
    EXPECT_EQ("mail.example", IniValue(carry_.Install().BaseIni(), "eMail", "SMTPServer"));
    EXPECT_EQ("14", IniValue(carry_.Install().ModuleIni(), "Defaults", "CachedTime"));
    EXPECT_EQ("Old Author", IniValue(carry_.Install().ModuleIni(), "Main", "Author"));
    EXPECT_EQ("1", IniValue(carry_.Install().Path("OV_PREV.INI"), "Previous", "Migrated"));

    std::string master =
        carry_.Install().Read("ovdesk\\datfiles\\" + shop.base + ".dat\\daily\\master.dat");
    ASSERT_EQ(448u + 3 * 64, master.size());
    EXPECT_EQ(4, master[0]);
    for (int e = 0; e < 3; ++e)
        EXPECT_EQ(std::string(32, '\0'), master.substr(448 + e * 64 + 32, 32)) << e;
}

TEST_F(CarryRunTest, ASecondImportAddsNoListLinesAndKeepsTheEvents) {
    std::string old = carry_.PlaceOld("older");
    ASSERT_EQ(0u, carry_.Run(old).exitCode);
    std::string events = carry_.Install().Read("ovdesk\\logsched.dat");
    std::string first1 = IniValue(Schedule(), "Event1", "SetName");
    ASSERT_EQ(0u, carry_.Run(old).exitCode);
    std::string ads = carry_.Install().Read("adviews.txt");
    EXPECT_EQ(1u, CountOf(ads, "banner1.gif")) << ads;
    EXPECT_EQ(1u, CountOf(carry_.Install().Read("ovintra.txt"), "\"HQ\""));
    EXPECT_EQ(first1, IniValue(Schedule(), "Event1", "SetName")) << "the first events stay";
    EXPECT_FALSE(IniValue(Schedule(), "Event3", "SetName").empty()) << "new events follow them";
    EXPECT_FALSE(IniValue(Schedule(), "Event4", "SetName").empty());
}

TEST_F(CarryRunTest, NewerLayoutIsCopiedUnderNewNames) {
    std::string old = carry_.PlaceOld("newer");
    CarryRun run = carry_.Run(old);
    EXPECT_EQ(0u, run.exitCode);
    std::string log = carry_.Results();
    ReadProfile shop(Data(), "Newer shop");
    ASSERT_NE(nullptr, shop.p) << log;
    EXPECT_NE("0000000A", shop.base);
    EXPECT_TRUE(Has(log, "\tProfile \"Newer shop\" converted\r\n")) << log;
    EXPECT_TRUE(Has(log, "\tWarning: profile \"Newer shop\" reads its log from the old folder"))
        << log;
    EXPECT_TRUE(Has(log, "\tWarning: profile \"Newer shop\": its user names and passwords cannot "
                         "be read"))
        << log;
    EXPECT_TRUE(Has(log, "\t2 schedule events imported successfully\r\n")) << log;
    EXPECT_FALSE(Has(log, "Sample"));
    EXPECT_FALSE(ReportFile(Data(), "(Imported) Monthly newer").empty());
    EXPECT_EQ(shop.base, IniValue(Schedule(), "Event1", "SetName"));
    EXPECT_EQ("(Imported) Monthly newer", IniValue(Schedule(), "Event1", "Memorized"));
    EXPECT_EQ("", IniValue(Schedule(), "Event2", "Version"));
    EXPECT_EQ("30", IniValue(carry_.Install().ModuleIni(), "Defaults", "CachedTime"));
    EXPECT_EQ("newproxy:3128", IniValue(carry_.Install().BaseIni(), "Defaults", "HTTPProxy"));
    EXPECT_TRUE(Has(log, "\tSuccessfully converted Swiftmere database for \"Newer shop\"")) << log;
}

TEST_F(CarryRunTest, DamagedFilesAreSkippedWithALine) {
    std::string old = carry_.PlaceOld("damaged");
    CarryRun run = carry_.Run(old);
    EXPECT_EQ(0u, run.exitCode);
    std::string log = carry_.Results();
    for (const char* line :
         {"\tProfile \"Cut short\" converted\r\n",
          "\tProfile \"Too many filters\" conversion failed\r\n",
          "\tProfile \"Too many items\" conversion failed\r\n",
          "\tProfile \"Long item\" converted\r\n",
          "\tMemorized report file short.ms is damaged and was skipped\r\n",
          "\tMemorized report \"(Imported) Fine report\" converted\r\n",
          "sections past the first 99 left out", "\t1 schedule events imported successfully\r\n",
          "\tFailed to converted Swiftmere database for \"Long item\"\r\n"})
        EXPECT_TRUE(Has(log, line)) << line << "\n" << log;
    ReadProfile cut(Data(), "Cut short");
    ASSERT_NE(nullptr, cut.p);
    EXPECT_STREQ("", cut.p->ReportSaveToPath) << "fields past the end of the file are empty";
    ReadProfile unterminated(Data(), std::string(80, 'T').c_str());
    ASSERT_NE(nullptr, unterminated.p) << "a title without terminator is cut to its field";
    EXPECT_EQ(std::string(255, 'S'), unterminated.p->ReportSaveToPath);
    ReadProfile item(Data(), "Long item");
    ASSERT_NE(nullptr, item.p);
    ASSERT_NE(nullptr, item.p->Filters);
    EXPECT_EQ(std::string(128, 'a'), ListText(item.p->Filters->Files));
    std::string fine = ReportFile(Data(), "(Imported) Fine report");
    EXPECT_EQ("99", IniValue(fine, "Content", "ContentCount"));
}

// The engine in this process, set on an install folder: a copy of a small
// DLL there anchors it, and it is registered on the install's data folder.
void RegisterEngineIn(const CarryInstall& carry) {
    std::string anchor = carry.Install().Path("anchor.dll");
    ASSERT_TRUE(
        CopyFileA((CarryInstall::BinFolder() + "GSWDLL32.dll").c_str(), anchor.c_str(), FALSE));
    HMODULE module = LoadLibraryA(anchor.c_str());
    ASSERT_NE(nullptr, module);
    ORB_InitApplicationPath(module);
    ASSERT_GE(ORB_Register(carry.Install().Data().c_str(), 0, 0, nullptr, nullptr, nullptr, 0,
                           nullptr, nullptr),
              0);
    ORB_SetUnattended(TRUE);
}

const ORB_TIME kFirstDay = 1001980800; // 2 October 2001, the fixture log's first day
const ORB_TIME kLastSecond = kFirstDay + 3 * 86400 - 1;

// A history database as the engine writes it, over the older fixture's shop
// log, in the old installation's database folder; master.dat then turned
// back into its older form (another format word, the entries' last 32
// bytes in use).
void PlaceEngineDatabase(const std::string& old) {
    std::string fixtures = ovtest::WineFolderFromEnv("OV_CARRY_FIXTURES");
    ASSERT_NE("", fixtures);
    std::string log = fixtures + "older\\logs\\shop.log";
    std::string folder = old + "\\datfiles\\shop.dat", daily = folder + "\\daily\\";
    ovtest::RemoveTree(daily);
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->Description, "Maker");
    strcpy(p->SwiftmereRepository, folder.c_str());
    p->SwiftmereFlag = SWIFTMERE_FILES;
    p->RealtimeAnalysis = 1;
    ServerList_AddServer(&p->Servers, "LocalMachine", log.c_str(), "", "");
    WORD updated = ORB_DoRealtime(p, "", "(Default)", nullptr, nullptr, 0, kFirstDay, kLastSecond,
                                  nullptr, nullptr, nullptr, 0, "", 1, 0);
    AnalysisProfile_Free(p);
    ASSERT_EQ(0, updated);
    std::string master = ovtest::ReadFileBytes(daily + "master.dat");
    ASSERT_GE(master.size(), 448u + 3 * 64) << "the update stored its days";
    master[0] = 3;
    for (size_t e = 448; e + 64 <= master.size(); e += 64)
        master.replace(e + 32, 32, std::string(32, '\xAB'));
    ASSERT_TRUE(ovtest::WriteFileBytes(daily + "master.dat", master));
}

// The days stored by the older installation are counted without the
// filters the imported profile brings along: a page its filters leave out
// shows that the report's figures came from the imported database.
TEST_F(CarryRunTest, AReportRunsOverAnImportedProfileAndItsDatabase) {
    carry_.CopyContent();
    ASSERT_NO_FATAL_FAILURE(RegisterEngineIn(carry_));
    std::string old = carry_.PlaceOld("older");
    ASSERT_NO_FATAL_FAILURE(PlaceEngineDatabase(old));
    ASSERT_EQ(0u, carry_.Run(old).exitCode);
    ReadProfile shop(Data(), "Shop site");
    ASSERT_NE(nullptr, shop.p);
    ASSERT_EQ(SWIFTMERE_FILES, shop.p->SwiftmereFlag);
    strcpy(shop.p->BaseName, shop.base.c_str());
    strcpy(shop.p->Extension, "wlp");
    std::string report = carry_.Install().Path("history.htm");
    WORD count = 0;
    HGLOBAL sections = nullptr;
    ASSERT_EQ(1, ORB_ReadTemplateSectionList(
                     (carry_.Install().Templates() + ORB_GetTemplateFilename()).c_str(), &count,
                     &sections, nullptr));
    TemplateSection* list = (TemplateSection*)GlobalLock(sections);
    for (WORD n = 0; n < count; ++n)
        list[n].Include = 1;
    GlobalUnlock(sections);
    EXPECT_EQ(0, ORB_DoRealtime(shop.p, report.c_str(), "(Default)", nullptr, nullptr, 0, kFirstDay,
                                kLastSecond, nullptr, "", sections, count, "Shop", 0, 0));
    GlobalFree(sections);
    char failure[512] = "";
    ORB_GetSummaryErrMsg(failure);
    std::string page = ovtest::ReadFileBytes(report);
    EXPECT_TRUE(Has(page, "/index.htm")) << failure;
    EXPECT_TRUE(Has(page, "/shop/cart.htm")) << failure;
    std::string master =
        carry_.Install().Read("ovdesk\\datfiles\\" + shop.base + ".dat\\daily\\master.dat");
    ASSERT_GE(master.size(), 448u + 3 * 64);
    EXPECT_EQ(4, master[0]);
}

struct Refusal {
    const char* name;
    const char* arguments; // "%s" stands for the program folder, "%o" for the old one
    const char* prevIni;
    const char* fixture;
    const char* box;
};

TEST_F(CarryRunTest, RefusalsEndWithTheirMessage) {
    const Refusal cases[] = {
        {"argument is the program folder", "\"%s\"", nullptr, nullptr,
         "The previous installation directory matches the current directory."},
        {"argument is the program folder with a backslash", "%s\\", nullptr, nullptr,
         "The previous installation directory matches the current directory."},
        {"both paths are the program folder", "", "InstallPath=%s\r\nInstallPath2=%s\r\n", nullptr,
         "The previous installation directory matches the current directory."},
        {"no argument, no OV_PREV.INI", "", nullptr, nullptr,
         "Ostrevane Import could not find old Ostrevane files to import."},
        {"missing folder", "C:\\no\\such\\folder", nullptr, nullptr,
         "The path to the old Ostrevane files (C:\\no\\such\\folder) could not be found."},
        {"only samples", "%o", nullptr, "samples", "contains only sample profiles."},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        CarryInstall carry;
        std::string old = c.fixture ? carry.PlaceOld(c.fixture) : "";
        auto expand = [&](std::string text) {
            for (size_t at; (at = text.find("%s")) != std::string::npos;)
                text.replace(at, 2, carry.Folder());
            for (size_t at; (at = text.find("%o")) != std::string::npos;)
                text.replace(at, 2, old);
            return text;
        };
        if (c.prevIni)
            carry.Install().Write("OV_PREV.INI", "[Previous]\r\n" + expand(c.prevIni));
        CarryRun run = carry.Run(expand(c.arguments));
        EXPECT_EQ((DWORD)-1, run.exitCode);
        EXPECT_FALSE(run.sawChoose);
        ASSERT_EQ(1u, run.boxes.size());
        EXPECT_TRUE(Has(run.boxes[0], c.box)) << run.boxes[0];
        EXPECT_EQ("", IniValue(carry.Install().Path("OV_PREV.INI"), "Previous", "Migrated"));
    }
}

TEST_F(CarryRunTest, CancelImportsNothingButMarksTheMigration) {
    std::string old = carry_.PlaceOld("older");
    CarryRun run = carry_.Run(old, CHOOSE_CANCEL);
    EXPECT_TRUE(run.sawChoose);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(FilesIn(Data(), "*.wlp").empty());
    EXPECT_EQ("1", IniValue(carry_.Install().Path("OV_PREV.INI"), "Previous", "Migrated"));
}

} // namespace

#include <gtest/gtest.h>
#include "ovcore/ovcore.h"
#include "ovcore/netsettings.h"
#include "core/engine_state.h"
#include "profile/credential_scramble.h"
#include "profile/profile_file_io.h"
#include "temp_install.h"
#include <cstring>
#include <string>

namespace {

// Profile files go to a throw-away install's data folder for each test.
class ProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = Engine_State().dataFolder;
        lstrcpynA(Engine_State().dataFolder, install_.Data().c_str(), MAX_PATH);
    }
    void TearDown() override { lstrcpynA(Engine_State().dataFolder, saved_.c_str(), MAX_PATH); }

    std::string DataPath(const std::string& name) const { return install_.Data() + name; }

    // Writes p to name and reads it into a new profile (null when either fails).
    AnalysisProfile* RoundTrip(const AnalysisProfile* p, const std::string& name = "t.wlp") {
        if (!WriteOrbisFile(DataPath(name).c_str(), p))
            return nullptr;
        return ReadBack(name);
    }

    AnalysisProfile* ReadBack(const std::string& name) {
        AnalysisProfile* read = AnalysisProfile_New();
        if (ReadOrbisFile(DataPath(name).c_str(), read) != 4) {
            AnalysisProfile_Free(read);
            return nullptr;
        }
        return read;
    }

    // Reads a hand-written file.
    AnalysisProfile* ReadText(const std::string& text, short* result = nullptr) {
        ovtest::WriteFileBytes(DataPath("h.wlp"), text);
        AnalysisProfile* read = AnalysisProfile_New();
        short r = ReadOrbisFile(DataPath("h.wlp").c_str(), read);
        if (result)
            *result = r;
        return read;
    }

    ovtest::TempInstall install_;
    std::string saved_;
};

std::string ListText(const FilterString* list) {
    char text[4096];
    FilterStructToString(list, text, sizeof text);
    return text;
}

std::string EntryPageText(const EntryPageFilter* list) {
    char text[4096];
    EntryPageFilter_ToString(list, text, sizeof text);
    return text;
}

std::string UsersText(const ProfileFilter* f) {
    char text[4096];
    UserFiltersStructsToString(f, text, sizeof text);
    return text;
}

void ExpectSameFilter(const ProfileFilter* a, const ProfileFilter* b) {
    SCOPED_TRACE(a->Name);
    EXPECT_STREQ(a->Name, b->Name);
    EXPECT_EQ(a->Type, b->Type);
    EXPECT_EQ(a->dwFlags, b->dwFlags);
    EXPECT_EQ(0, memcmp(a->ReturnCodes, b->ReturnCodes, sizeof a->ReturnCodes));
    EXPECT_EQ(a->Days, b->Days);
    EXPECT_EQ(a->HourAll, b->HourAll);
    EXPECT_EQ(a->HourBegin, b->HourBegin);
    EXPECT_EQ(a->HourEnd, b->HourEnd);
    EXPECT_EQ(a->IncludeSubDirs, b->IncludeSubDirs);
    EXPECT_EQ(a->DirectoryCaseSensitive, b->DirectoryCaseSensitive);
    EXPECT_EQ(a->FilesCaseSensitive, b->FilesCaseSensitive);
    EXPECT_EQ(a->IncludeDefaultPages, b->IncludeDefaultPages);
    EXPECT_EQ(a->UsernameCaseSensitive, b->UsernameCaseSensitive);
    EXPECT_EQ(a->UsernameAll, b->UsernameAll);
    EXPECT_EQ(a->EntryPageCaseSensitive, b->EntryPageCaseSensitive);
    EXPECT_EQ(UsersText(a), UsersText(b));
    const FilterString* const lists[][2] = {{a->Directory, b->Directory},
                                            {a->Files, b->Files},
                                            {a->AdClick, b->AdClick},
                                            {a->AdView, b->AdView},
                                            {a->MultiHomeDomain, b->MultiHomeDomain},
                                            {a->Browser, b->Browser},
                                            {a->Username, b->Username},
                                            {a->SearchKeywords, b->SearchKeywords},
                                            {a->Referrer, b->Referrer}};
    for (const auto& pair : lists)
        EXPECT_EQ(ListText(pair[0]), ListText(pair[1]));
    EXPECT_EQ(EntryPageText(a->EntryPage), EntryPageText(b->EntryPage));
}

ProfileFilter* NamedFilter(ProfileFilter* f, const char* name) {
    strcpy(f->Name, name);
    return f;
}

// Two servers with credentials, three filters and a database-report section.
AnalysisProfile* FullProfile() {
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->Description, "Intranet [Filter1] Name=x");
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_FILE);
    ServerList_SetIsCluster(&p->Servers, 1);
    ServerList_AddServer(&p->Servers, "web1", "c:\\logs\\web1\\ex*.log", "admin", "s3cret=!");
    ServerList_AddServer(&p->Servers, "web2", "\\\\srv\\logs\\ex*.log", "", "only password");
    strcpy(p->ReportSaveToPath, "c:\\reports\\");
    strcpy(p->LogOwner, "gStaff");
    strcpy(p->HomePageDefaults, "index.htm default.htm");
    strcpy(p->HomePageBaseDir, "http://intranet/");
    strcpy(p->HomePageUsername, "web user");
    strcpy(p->HomePagePassword, "pa ss");
    strcpy(p->ODBCDataSource, "DSN=logs");
    strcpy(p->ODBCSwiftmere, "DSN=history");
    strcpy(p->SwiftmereRepository, "c:\\history\\");
    p->DNSLookup = 2;
    p->OverrideMultiHome = 1;
    p->SwiftmereFlag = SWIFTMERE_FILES;
    p->RealtimeAnalysis = 1;
    p->IncrementalUpdate = 0;
    p->RealtimeReportFrequency = 1;
    p->RealtimeReportInterval = 6;
    p->RealtimeReports = 1;
    p->LogFileFormat = 34;
    p->DontShowOverlapMsg = 1;

    ProfileFilter* inc = NamedFilter(CreateNewIncludeFilter(), "Pages");
    FreeFilterStrings(inc->Directory);
    FilterStringToStruct("/docs \"/my files\"", &inc->Directory, FILTER_TEXT_LIST);
    inc->EntryPage = EntryPageFilter_New("/index.html /start/a.asp");
    inc->EntryPageCaseSensitive = 1;
    inc->dwFlags = FILTER_DIRECTORY | FILTER_ENTRYPAGE | FILTER_DAYS | FILTER_HOURS;
    inc->Days = 0x3E;
    inc->HourAll = 0;
    inc->HourBegin = 22;
    inc->HourEnd = 6;
    AddFilterToProfile(inc, p, -1);

    ProfileFilter* exc = NamedFilter(CreateNewExcludeFilter(), "Robots and ads");
    FilterStringToStruct("Googlebot 'Slurp spider' HourBegin=3", &exc->Browser, FILTER_TEXT_LIST);
    FilterStringToStruct("/ads/click /banner", &exc->AdClick, FILTER_TEXT_LIST);
    FilterStringToStruct("adview.gif \"ad view\"", &exc->AdView, FILTER_TEXT_LIST);
    FilterStringToStruct("10.0.0.1-10.0.0.99 crawler.example.com 172.16.0.0/12", &exc->Users,
                         FILTER_TEXT_LIST);
    UpdateUserFilters(exc);
    ReturnCodeStringToStruct("404 500", exc);
    exc->dwFlags = FILTER_BROWSER | FILTER_ADS | FILTER_USERS | FILTER_RETURNCODES;
    AddFilterToProfile(exc, p, -1);

    ProfileFilter* third = NamedFilter(CreateNewIncludeFilter(), "Referrers");
    FreeFilterStrings(third->Referrer);
    third->Referrer = nullptr;
    FilterStringToStruct("(No Referrer)", &third->Referrer, FILTER_TEXT_SINGLE);
    third->UsernameAll = 1;
    third->dwFlags = FILTER_REFERRER | ENABLE_DEFAULT;
    AddFilterToProfile(third, p, -1);

    p->RowmereIP = AllocRowmere();
    p->RowmereIP->RowmereEnabled = 1;
    strcpy(p->RowmereIP->RowmereDSN, "DSN=hosts");
    strcpy(p->RowmereIP->RowmereTable, "machines");
    strcpy(p->RowmereIP->RowmereKeyColumn, "ip");
    p->RowmereIP->lpColumns = AllocRowmereData();
    strcpy(p->RowmereIP->lpColumns->RowmereDataColumn, "owner");
    p->RowmereIP->lpColumns->RowmereColumnNumber = 2;
    return p;
}

void ExpectSameStoredFields(const AnalysisProfile* a, const AnalysisProfile* b) {
    EXPECT_EQ(b->Version, 4);
    EXPECT_STREQ(a->Description, b->Description);
    EXPECT_EQ(ServerList_IsEqual(&a->Servers, &b->Servers), 1);
    EXPECT_STREQ(a->ReportSaveToPath, b->ReportSaveToPath);
    EXPECT_STREQ(a->LogOwner, b->LogOwner);
    EXPECT_STREQ(a->HomePageDefaults, b->HomePageDefaults);
    EXPECT_STREQ(a->HomePageBaseDir, b->HomePageBaseDir);
    EXPECT_STREQ(a->HomePageUsername, b->HomePageUsername);
    EXPECT_STREQ(a->HomePagePassword, b->HomePagePassword);
    EXPECT_STREQ(a->ODBCDataSource, b->ODBCDataSource);
    EXPECT_STREQ(a->ODBCSwiftmere, b->ODBCSwiftmere);
    EXPECT_STREQ(a->SwiftmereRepository, b->SwiftmereRepository);
    EXPECT_EQ(a->DNSLookup, b->DNSLookup);
    EXPECT_EQ(a->OverrideMultiHome, b->OverrideMultiHome);
    EXPECT_EQ(a->SwiftmereFlag, b->SwiftmereFlag);
    EXPECT_EQ(a->RealtimeAnalysis, b->RealtimeAnalysis);
    EXPECT_EQ(a->IncrementalUpdate, b->IncrementalUpdate);
    EXPECT_EQ(a->RealtimeReportFrequency, b->RealtimeReportFrequency);
    EXPECT_EQ(a->RealtimeReportInterval, b->RealtimeReportInterval);
    EXPECT_EQ(a->RealtimeReports, b->RealtimeReports);
    EXPECT_EQ(a->LogFileFormat, b->LogFileFormat);
    EXPECT_EQ(a->DontShowOverlapMsg, b->DontShowOverlapMsg);
    const ProfileFilter* fa = a->Filters;
    const ProfileFilter* fb = b->Filters;
    for (; fa && fb; fa = fa->Next, fb = fb->Next)
        ExpectSameFilter(fa, fb);
    EXPECT_EQ(fa, nullptr);
    EXPECT_EQ(fb, nullptr);
}

} // namespace

TEST_F(ProfileFileTest, FullProfileReadsBackEqual) {
    AnalysisProfile* p = FullProfile();
    AnalysisProfile* read = RoundTrip(p, "full.wlp");
    ASSERT_NE(read, nullptr);
    ExpectSameStoredFields(p, read);
    EXPECT_STREQ(read->BaseName, "full");
    EXPECT_STREQ(read->Extension, "wlp");
    ASSERT_NE(read->RowmereIP, nullptr);
    EXPECT_STREQ(read->RowmereIP->RowmereKeyColumn, "ip");
    ASSERT_NE(read->RowmereIP->lpColumns, nullptr);
    EXPECT_STREQ(read->RowmereIP->lpColumns->RowmereDataColumn, "owner");
    EXPECT_EQ(read->RowmereAuthUser, nullptr);

    // Written again, the file is the same text.
    std::string first = ovtest::ReadFileBytes(DataPath("full.wlp"));
    ASSERT_TRUE(WriteOrbisFile(DataPath("again.wlp").c_str(), read));
    EXPECT_EQ(ovtest::ReadFileBytes(DataPath("again.wlp")), first);
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, FileLayoutNumbersLaterServersAndHidesCredentials) {
    AnalysisProfile* p = FullProfile();
    ASSERT_TRUE(WriteOrbisFile(DataPath("full.wlp").c_str(), p));
    std::string text = ovtest::ReadFileBytes(DataPath("full.wlp"));
    EXPECT_EQ(text.rfind("[Profile]\r\nVersion=4\r\nDescription=", 0), 0u);
    for (const char* key :
         {"\r\nServerName2=web2\r\n", "\r\nLogFilePath2=file:///\\\\srv",
          "\r\nLogFileUsername2=\r\n", "\r\nLogFilePassword2=", "\r\nLogFilePath=file:///c:\\logs",
          "\r\n[[Filter1]]\r\nName=Pages", "\r\n[[Filter3]]\r\n", "\r\n[RowmereIP]\r\n"})
        EXPECT_NE(text.find(key), std::string::npos) << key;
    for (const char* secret : {"s3cret", "only password", "web user", "admin"})
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
    AnalysisProfile_Free(p);
}

TEST(ProfileCredential, EveryByteAtEveryKeyPositionRoundTrips) {
    for (int position = 0; position < 64; position++) {
        for (int byte = 1; byte < 256; byte++) {
            if (byte == '\r' || byte == '\n')
                continue;
            char text[66];
            memset(text, 'a', 65);
            text[65] = '\0';
            text[position] = static_cast<char>(byte);
            std::string plain = text;
            ScrambleCredential(text);
            ASSERT_EQ(strlen(text), 65u) << position << " " << byte;
            ASSERT_EQ(strcspn(text, "\r\n"), 65u) << position << " " << byte;
            ScrambleCredential(text);
            ASSERT_EQ(plain, text) << position << " " << byte;
        }
    }
}

// CR and LF in a credential used to be written as blanks and read back as
// other characters.
TEST_F(ProfileFileTest, EveryCredentialByteRoundTripsThroughTheFile) {
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->HomePageUsername, "a\rb\nc");
    strcpy(p->HomePagePassword, std::string(40, '\n').c_str());
    ServerList_AddServer(&p->Servers, "s", "a.log", "a\rb\nc", "a\rb\nc");
    // Every byte, at key positions that move with it, next to the escape byte.
    for (int byte = 1; byte < 256; byte++) {
        std::string text = std::string(byte % 61, 'x') + static_cast<char>(byte) + "\x1b";
        ServerList_AddServer(&p->Servers, "s", "a.log", text.c_str(), text.c_str());
    }
    ASSERT_EQ(ServerList_Count(&p->Servers), 256u);
    // The longest credentials, all of them escaped.
    std::string crs(63, '\r'), escapes(63, '\x1b');
    ServerInfo_SetUsername(p->Servers.lpServers[255], crs.c_str());
    ServerInfo_SetPassword(p->Servers.lpServers[255], escapes.c_str());
    AnalysisProfile* read = RoundTrip(p);
    ASSERT_NE(read, nullptr);
    ExpectSameStoredFields(p, read);
    EXPECT_STREQ(read->Servers.lpServers[0]->szPassword, "a\rb\nc");
    EXPECT_EQ(std::string(read->Servers.lpServers[255]->szUsername), crs);
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);

    // A value stored by the plain scramble, as files without line breaks in
    // their credentials always were, reads as before.
    char stored[] = "s3cret=!~ \x7f";
    ScrambleCredential(stored);
    read = ReadText(std::string("[Profile]\r\nLogFilePath=a.log\r\nLogFilePassword=") + stored +
                    "\r\n");
    ASSERT_EQ(ServerList_Count(&read->Servers), 1u);
    EXPECT_STREQ(read->Servers.lpServers[0]->szPassword, "s3cret=!~ \x7f");
    AnalysisProfile_Free(read);
}

namespace {
BOOL WINAPI FailingWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
    *written = 0;
    return FALSE;
}
} // namespace

// The writer used to delete the old file first, so a failed write lost it.
TEST_F(ProfileFileTest, FailedWriteLeavesTheOldFileIntact) {
    AnalysisProfile* p = FullProfile();
    ASSERT_TRUE(WriteOrbisFile(DataPath("keep.wlp").c_str(), p));
    std::string before = ovtest::ReadFileBytes(DataPath("keep.wlp"));
    strcpy(p->Description, "changed");
    {
        ProfileWriteFn previous = ProfileFile_SetWriteFunction(FailingWrite);
        EXPECT_EQ(WriteOrbisFile(DataPath("keep.wlp").c_str(), p), 0);
        ProfileFile_SetWriteFunction(previous);
    }
    EXPECT_EQ(ovtest::ReadFileBytes(DataPath("keep.wlp")), before);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(DataPath("*.tmp").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "temporary file left behind";
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, WriteToAMissingFolderFails) {
    AnalysisProfile* p = AnalysisProfile_New();
    EXPECT_EQ(WriteOrbisFile(DataPath("nowhere\\a.wlp").c_str(), p), 0);
    AnalysisProfile_Free(p);
}

// A description or value holding a section or key name used to corrupt the read.
TEST_F(ProfileFileTest, SectionAndKeyNamesInsideValuesAreJustText) {
    AnalysisProfile* p = FullProfile();
    strcpy(p->Description, "[Filter1] HourBegin=3 [RowmereIP]");
    strcpy(p->LogOwner, "Description=evil");
    AnalysisProfile* read = RoundTrip(p);
    ASSERT_NE(read, nullptr);
    ExpectSameStoredFields(p, read);
    EXPECT_STREQ(read->Filters->Next->Name, "Robots and ads");
    EXPECT_EQ(read->Filters->HourBegin, 22u);
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, LineBreaksInsideValuesCannotStartNewLines) {
    AnalysisProfile* p = AnalysisProfile_New();
    strcpy(p->Description, "a\r\n[Filter1]\r\nName=x");
    AnalysisProfile* read = RoundTrip(p);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Filters, nullptr);
    EXPECT_STREQ(read->Description, "a  [Filter1]  Name=x");
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, LogPathsRoundTripWithTheirProtocols) {
    struct Case {
        DWORD protocol;
        std::string path;
        const char* stored; // beginning of the LogFilePath line
    } cases[] = {
        {SERVER_PROTOCOL_ODBC, "odbc:MyDSN", "LogFilePath=odbc:MyDSN\r\n"},
        {SERVER_PROTOCOL_FTP, "host/logs/" + std::string(289, 'f'), "LogFilePath=ftp://host/"},
        {SERVER_PROTOCOL_HTTP, "www.example.com/logs/a.log", "LogFilePath=http://www.example.com/"},
        {SERVER_PROTOCOL_FILE, std::string(299, 'c'), "LogFilePath=file:///ccc"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        AnalysisProfile* p = AnalysisProfile_New();
        ServerList_SetProtocol(&p->Servers, c.protocol);
        ServerList_AddServer(&p->Servers, "s", c.path.c_str(), "", "");
        AnalysisProfile* read = RoundTrip(p);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->Servers.dwProtocol, c.protocol);
        ASSERT_EQ(ServerList_Count(&read->Servers), 1u);
        EXPECT_EQ(std::string(read->Servers.lpServers[0]->szPath), c.path);
        // A second save stores the same text: no prefix is added twice.
        ASSERT_TRUE(WriteOrbisFile(DataPath("t2.wlp").c_str(), read));
        std::string text = ovtest::ReadFileBytes(DataPath("t2.wlp"));
        EXPECT_NE(text.find(c.stored), std::string::npos);
        AnalysisProfile_Free(read);
        AnalysisProfile_Free(p);
    }
}

TEST_F(ProfileFileTest, LongListsAndUnnamedFiltersSurvive) {
    AnalysisProfile* p = AnalysisProfile_New();
    ProfileFilter* first = NamedFilter(CreateNewExcludeFilter(), "");
    std::string many;
    for (int i = 0; i < 3000; i++)
        many += "agent" + std::to_string(i) + " ";
    FilterStringToStruct(many.c_str(), &first->Browser, FILTER_TEXT_LIST);
    first->dwFlags = FILTER_BROWSER;
    AddFilterToProfile(first, p, -1);
    AddFilterToProfile(NamedFilter(CreateNewExcludeFilter(), "later"), p, -1);
    AnalysisProfile* read = RoundTrip(p);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->Filters, nullptr);
    EXPECT_STREQ(read->Filters->Name, "Filter 1");
    int items = 0;
    for (const FilterString* b = read->Filters->Browser; b; b = b->Next)
        items++;
    EXPECT_EQ(items, 3000);
    ASSERT_NE(read->Filters->Next, nullptr);
    EXPECT_STREQ(read->Filters->Next->Name, "later");
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, NewIncludeFilterReadsBackAsPlaceholder) {
    AnalysisProfile* p = AnalysisProfile_New();
    AddFilterToProfile(NamedFilter(CreateNewIncludeFilter(), "All"), p, -1);
    AnalysisProfile* read = RoundTrip(p);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->Filters, nullptr);
    EXPECT_EQ(read->Filters->dwFlags, static_cast<DWORD>(ENABLE_DEFAULT));
    EXPECT_EQ(read->Filters->Days, 127u);
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, HandWrittenFiles) {
    struct Case {
        const char* name;
        std::string text;
        short result;
        int filters;
    } cases[] = {
        {"no filter section", "[Profile]\r\nVersion=4\r\n", 4, 0},
        {"bad filter type", "[Profile]\r\n[[Filter1]]\r\nName=a\r\nFilterType=maybe\r\n", 0, 0},
        {"type without case", "[Profile]\r\n[[Filter1]]\r\nName=a\r\nFilterType=EXCLUDE\r\n", 4, 1},
        {"filters 1 and 3",
         "[Profile]\r\n[[Filter1]]\r\nName=a\r\nFilterType=include\r\n"
         "[[Filter3]]\r\nName=c\r\nFilterType=include\r\n",
         4, 1},
        {"empty name ends reading",
         "[Profile]\r\n[[Filter1]]\r\nName=\r\nFilterType=include\r\n"
         "[[Filter2]]\r\nName=b\r\nFilterType=include\r\n",
         4, 0},
        {"single-bracket header", "[Profile]\r\n[Filter1]\r\nName=a\r\nFilterType=include\r\n", 4,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        short result = -1;
        AnalysisProfile* read = ReadText(c.text, &result);
        EXPECT_EQ(result, c.result);
        if (result == 4) {
            int n = 0;
            for (ProfileFilter* f = read->Filters; f; f = f->Next)
                n++;
            EXPECT_EQ(n, c.filters);
        }
        AnalysisProfile_Free(read);
    }
    AnalysisProfile* missing = AnalysisProfile_New();
    EXPECT_EQ(ReadOrbisFile(DataPath("missing.wlp").c_str(), missing), 0);
    AnalysisProfile_Free(missing);
}

TEST_F(ProfileFileTest, OlderKeysAndLastLineWithoutLineEnd) {
    AnalysisProfile* read = ReadText("[Profile]\r\nHomePageName=c:\\site\\index.htm\r\n"
                                     "Description=" +
                                     std::string(100, 'd') +
                                     "\r\n"
                                     "LogOwner=uBob\r\nDNSLookup=1");
    EXPECT_STREQ(read->HomePageBaseDir, "c:\\site\\");
    EXPECT_STREQ(read->HomePageDefaults, "index.htm");
    EXPECT_EQ(std::string(read->Description), std::string(80, 'd'));
    EXPECT_STREQ(read->LogOwner, "uBob");
    EXPECT_EQ(read->DNSLookup, 0); // no line end: the default
    AnalysisProfile_Free(read);
}

TEST_F(ProfileFileTest, OldFiltersWithoutEnabledKeysGuessTheirElements) {
    AnalysisProfile* read =
        ReadText("[Profile]\r\n[[Filter1]]\r\nName=old\r\nFilterType=include\r\n"
                 "ReturnCodes=*\r\nMultiHomeDomain=*\r\nDirectory=/docs\r\nIncludeSubDirs=1\r\n"
                 "Files=*.*\r\nUsers=*\r\n"
                 "Referrer=(No Referrer)\r\nAdView=*\r\nAdClick=banner\r\nHourAll/None=0\r\n");
    ASSERT_NE(read->Filters, nullptr);
    const ProfileFilter* f = read->Filters;
    EXPECT_EQ(f->dwFlags, static_cast<DWORD>(FILTER_DIRECTORY | FILTER_REFERRER | FILTER_HOURS));
    EXPECT_EQ(ListText(f->Referrer), "\"(No Referrer)\"");
    EXPECT_EQ(ListText(f->Username), "*"); // empty user names of an include filter
    EXPECT_EQ(f->Days, 127u);
    EXPECT_EQ(f->HourBegin, 8u);
    AnalysisProfile_Free(read);
}

TEST_F(ProfileFileTest, FtpProfilesTakeTheDownloadMode) {
    AnalysisProfile* p = AnalysisProfile_New();
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_FTP);
    ServerList_AddServer(&p->Servers, "s", "host/a.log", "", "");
    p->IncrementalUpdate = 7;
    AnalysisProfile* read = RoundTrip(p);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->IncrementalUpdate, NetSettings_Get()->DownloadMode);
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, NameOfTheFileGivesTheBaseName) {
    AnalysisProfile* p = AnalysisProfile_New();
    ASSERT_TRUE(WriteOrbisFile(DataPath("abc.old").c_str(), p));
    AnalysisProfile* read = ReadBack("abc.old");
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->BaseName, "abc");
    EXPECT_STREQ(read->Extension, "wlp");
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

TEST_F(ProfileFileTest, CreateGivesUniqueNamesAndTheDefaultFilter) {
    AnalysisProfile* p = AnalysisProfile_New();
    ASSERT_EQ(ORB_CreateOrbisEntry(p), 0);
    EXPECT_STREQ(p->BaseName, "00000001");
    ASSERT_NE(p->Filters, nullptr);
    EXPECT_STREQ(p->Filters->Name, "Include Everything");
    AnalysisProfile* read = ReadBack("00000001.wlp");
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->Filters->Name, "Include Everything");
    AnalysisProfile_Free(read);

    ovtest::WriteFileBytes(DataPath("0000000A.wlp"), "[Profile]\r\n");
    ovtest::WriteFileBytes(DataPath("Cafe.wlp"), "[Profile]\r\n");
    char base[PROFILE_BASENAME_SIZE], ext[PROFILE_EXTENSION_SIZE], path[MAX_PATH];
    ASSERT_EQ(_BuildUniqueOrbisFileName(path, base, ext), 1);
    EXPECT_STREQ(base, "0000CAFF");
    EXPECT_EQ(std::string(path), DataPath("0000CAFF.wlp"));

    strcpy(p->Description, "updated");
    ASSERT_EQ(ORB_UpdateOrbisEntry(p), 0);
    AnalysisProfile* dup = AnalysisProfile_New();
    ASSERT_EQ(ORB_DuplicateOrbisEntry(p, dup), 0);
    EXPECT_STREQ(dup->BaseName, "0000CAFF");
    read = ReadBack("0000CAFF.wlp");
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->Description, "updated");
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(dup);

    char built[MAX_PATH];
    EXPECT_EQ(std::string(BuildLogProfileFilename(built, p)), DataPath("00000001.wlp"));
    AnalysisProfile_Free(p);
}

// An entry-page value with no item used to fail the whole profile read.
TEST_F(ProfileFileTest, EmptyEntryPageValueGivesNoList) {
    for (const char* value : {" ", "\"\"", ",", "''"}) {
        SCOPED_TRACE(value);
        short result = -1;
        AnalysisProfile* read = ReadText(std::string("[Profile]\r\n[[Filter1]]\r\nName=a\r\n"
                                                     "FilterType=include\r\nEntryPage=") +
                                             value + "\r\n",
                                         &result);
        EXPECT_EQ(result, 4);
        ASSERT_NE(read->Filters, nullptr);
        EXPECT_EQ(read->Filters->EntryPage, nullptr);
        AnalysisProfile_Free(read);
    }
    // The engine itself writes "EntryPage= " for a filter built from ". .".
    AnalysisProfile* p = AnalysisProfile_New();
    ProfileFilter* f = NamedFilter(CreateNewIncludeFilter(), "dots");
    f->EntryPage = EntryPageFilter_New(". .");
    ASSERT_NE(f->EntryPage, nullptr);
    AddFilterToProfile(f, p, -1);
    AnalysisProfile* read = RoundTrip(p);
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->Filters, nullptr);
    EXPECT_STREQ(read->Filters->Name, "dots");
    EXPECT_EQ(read->Filters->EntryPage, nullptr);
    AnalysisProfile_Free(read);
    AnalysisProfile_Free(p);
}

// Files saved by other editors used to read as empty profiles that lost their
// servers on the next save.
TEST_F(ProfileFileTest, ByteOrderMarkAndIndentedNamesAreRead) {
    const std::string body = "Description=Shop\r\nLogFilePath=file:///c:\\logs\\a.log\r\n"
                             "ServerName=web\r\n";
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF[Profile]\r\n" + body},
        {"blanks", "[Profile]\r\n  Description=Shop\r\n  LogFilePath=file:///c:\\logs\\a.log\r\n"
                   "  ServerName=web\r\n"},
        {"tabs", "\xEF\xBB\xBF\t[Profile]\r\n\tDescription=Shop\r\n"
                 "\t LogFilePath=file:///c:\\logs\\a.log\r\n\tServerName=web\r\n"},
        {"unix line ends", "\xEF\xBB\xBF[Profile]\n Description=Shop\n"
                           " LogFilePath=file:///c:\\logs\\a.log\n ServerName=web\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        short result = -1;
        AnalysisProfile* read =
            ReadText(c.text + "  [[Filter1]]\r\n\tName=a\r\n FilterType=exclude\r\n", &result);
        EXPECT_EQ(result, 4);
        EXPECT_STREQ(read->Description, "Shop");
        ASSERT_EQ(ServerList_Count(&read->Servers), 1u);
        EXPECT_STREQ(read->Servers.lpServers[0]->szPath, "c:\\logs\\a.log");
        EXPECT_STREQ(read->Servers.lpServers[0]->szName, "web");
        ASSERT_NE(read->Filters, nullptr);
        EXPECT_EQ(read->Filters->Type, 2u);
        AnalysisProfile_Free(read);
    }
    // A key is still matched only at the start of its line.
    AnalysisProfile* read = ReadText("[Profile]\r\nLogOwner= LogFilePath=c:\\x.log\r\n"
                                     "Description=\tDescription=y\r\n");
    EXPECT_EQ(ServerList_Count(&read->Servers), 0u);
    EXPECT_STREQ(read->Description, "\tDescription=y");
    AnalysisProfile_Free(read);
}

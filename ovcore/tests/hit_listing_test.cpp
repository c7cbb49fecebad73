#include <gtest/gtest.h>
#include "listing/hit_listing.h"
#include "listing/hit_listing_format.h"
#include "core/engine_instance.h"
#include "core/message_sink.h"
#include "ovcore/ovcore.h"
#include <string>
#include <string.h>
#include <vector>

namespace {

const std::string kValue = "\x01\x0E";
const std::string kFile = "\x01\x0A";
const std::string kLabel = "\x01\x02";
const std::string kError = "\x01\x06";
const std::string kEnd = "\x01\x01";
const ORB_TIME kSaturday = 983577600; // Sat 3 March 2001 00:00:00

char* Text(const char* s) {
    return const_cast<char*>(s);
}

// A hit as the DNS stage hands it on: names filled, texts in place.
HitRecord MakeHit(ORB_TIME time, const char* method, const char* url, DWORD bytes) {
    HitRecord hit;
    memset(&hit, 0, sizeof(hit));
    hit.dwTime = time;
    hit.lpszMethod = Text(method);
    hit.wMethod = strcmp(method, "GET") == 0    ? HIT_METHOD_GET
                  : strcmp(method, "POST") == 0 ? HIT_METHOD_POST
                                                : HIT_METHOD_OTHER;
    hit.lpszUrl = Text(url);
    hit.dwBytes = bytes;
    hit.bSuccess = 1;
    hit.dwStatus = 200;
    strcpy(hit.szClientAddr, "10.0.0.1");
    strcpy(hit.szDomain, "example.com");
    strcpy(hit.szDomainType, "Commercial");
    strcpy(hit.szCountry, "Germany");
    hit.lpszProtocol = Text("HTTP/1.0");
    hit.lpszReferrer = Text("http://a.example/");
    hit.lpszUserAgent = Text("Mozilla/4.0");
    hit.lpszUserName = Text("");
    return hit;
}

void Fail(HitRecord* hit, DWORD status) {
    hit->bSuccess = 0;
    hit->dwStatus = status;
}

std::string ReadAll(const char* path) {
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(f, chunk, sizeof(chunk), &n, NULL) && n)
        bytes.append(chunk, n);
    CloseHandle(f);
    return bytes;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class HitListingTest : public ::testing::Test {
  protected:
    // Closes every listing and removes the files kind 4 keeps.
    void TearDown() override {
        for (HitListing* l : opened) {
            std::vector<std::string> names;
            for (DWORD i = 0; i < l->buffers.count; ++i)
                names.push_back(l->buffers.table[i]->fileName);
            HitListing_Close(l);
            for (const std::string& name : names)
                DeleteFileA(name.c_str());
            delete l;
        }
    }
    HitListing* Open(int kind, int option, int lineWidth = 76) {
        HitListingSetup setup = {};
        setup.kind = kind;
        setup.option = option;
        setup.lineWidth = lineWidth;
        setup.outputFolder = outputFolder;
        setup.profileFileName = "site.ovp";
        setup.logPath = "C:\\logs\\access.log";
        setup.callerText = "Caller";
        setup.start = kSaturday;
        setup.end = kSaturday + 86399;
        setup.now = kSaturday + 3600;
        HitListing* l = new HitListing;
        EXPECT_EQ(HitListing_Open(l, &setup), 0);
        opened.push_back(l);
        return l;
    }
    // Buffer n's file without the header every buffer begins with.
    static std::string Body(HitListing* l, DWORD n) {
        std::string all = ReadAll(ViewBuffers_At(&l->buffers, n)->fileName);
        std::string header(l->headerText, l->headerSize);
        EXPECT_EQ(all.compare(0, header.size(), header), 0) << "buffer " << n;
        return all.size() >= header.size() ? all.substr(header.size()) : all;
    }
    std::vector<HitListing*> opened;
    const char* outputFolder = "C:\\reports\\";
};

TEST_F(HitListingTest, HeaderLinesInOrder) {
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_COUNTRY);
    std::string expected =
        "Profile: " + kFile + "site.ovp\r\n" + "Log: " + kFile + "C:\\logs\\access.log\r\n\r\n" +
        kLabel + "Log File:\t" + kValue + "C:\\logs\\access.log\r\n" + kLabel + "Report:\t" +
        kValue + "Caller\r\n" + kLabel + "Created:\t" + kValue + "03 Mar 2001 01:00:00\r\n" +
        kLabel + "From:\t" + kValue + "03 Mar 2001 00:00:00\r\n" + kLabel + "To:\t" + kValue +
        "03 Mar 2001 23:59:59\r\n" + kLabel + "Report Type:\t" + kValue +
        "Detailed Hit Listing\r\n" + kLabel + "Grouped By:\t" + kValue + "Country\r\n" +
        std::string(59, '/') + "\r\n";
    EXPECT_EQ(ReadAll(ViewBuffers_At(&l->buffers, 0)->fileName), expected);
    EXPECT_EQ(l->headerLines, 11u);
    EXPECT_EQ(ViewBuffers_At(&l->buffers, 0)->lineCount, 11u);
}

TEST_F(HitListingTest, KindTwoBlockPerHit) {
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_NONE);
    HitRecord ok = MakeHit(kSaturday + 15 * 3600 + 4 * 60 + 5, "GET", "/docs/index.html", 2560);
    HitRecord failed = MakeHit(kSaturday + 60, "POST", "noslash", 0);
    Fail(&failed, 404);
    failed.lpszReferrer = Text("");
    failed.lpszUserAgent = Text("");
    failed.lpszUserName = Text("bob");
    failed.lpszProtocol = Text("HTTP/1.1");
    strcpy(failed.szServerAddr, "192.168.0.9");
    ASSERT_EQ(HitListing_AddHit(l, &ok), 1);
    ASSERT_EQ(HitListing_AddHit(l, &failed), 1);
    std::string first = "Event:\t" + kValue + "GET\r\n" + "Date:\tSat 03 Mar 2001 15:04:05\r\n" +
                        "Address:\t10.0.0.1\r\nDomain:\texample.com\r\nSuffix:\tCommercial\r\n" +
                        "Country:\tGermany\r\nReferrer:\thttp://a.example/\r\n" +
                        "Browser:\tMozilla/4.0\r\nProtocol:\tHTTP/1.0\r\n" + "File:\t/docs/" +
                        kFile + "index.html\r\n" + "Size:\t2.51K\r\n\r\n\r\n";
    std::string second = "Event:\t" + kValue + "POST\r\n" + "Date:\tSat 03 Mar 2001 00:01:00\r\n" +
                         "Address:\t10.0.0.1\r\nDomain:\texample.com\r\nSuffix:\tCommercial\r\n" +
                         "Country:\tGermany\r\nProtocol:\tHTTP/1.1\r\nFile:\tnoslash\r\n" +
                         "Size:\t0.0K\r\nUser:\tbob\r\nServer:\t192.168.0.9\r\n" + "Result:\t" +
                         kError + "Error, 404 - Not Found\r\n\r\n\r\n";
    EXPECT_EQ(Body(l, 0), first + second);
    EXPECT_EQ(ViewBuffers_At(&l->buffers, 0)->lineCount, 11u + 13u + 14u);
}

TEST(HitListingSize, KilobytesAndTheRestInTens) {
    const struct {
        DWORD bytes;
        const char* expected;
    } cases[] = {{0, "0.0K"},
                 {2560, "2.51K"},
                 {1023, "0.102K"},
                 {1024, "1.0K"},
                 {0xFFFFFFFFu, "4194303.102K"}};
    for (const auto& c : cases) {
        char buffer[32];
        ListingText t;
        ListingText_Init(&t, buffer, sizeof(buffer));
        Listing_AddSize(&t, "%lu.%1luK", c.bytes);
        EXPECT_STREQ(buffer, c.expected) << c.bytes;
    }
}

TEST_F(HitListingTest, KindThreeHeaderOncePerVisitor) {
    HitListing* l = Open(LISTING_KIND_VISITORS, LISTING_GROUP_NONE);
    HitRecord a = MakeHit(kSaturday + 15 * 3600 + 4 * 60 + 5, "GET", "/docs/index.html", 2560);
    HitRecord b = MakeHit(kSaturday + 15 * 3600 + 4 * 60 + 6, "GET", "/", 90);
    HitRecord c = MakeHit(kSaturday + 15 * 3600 + 4 * 60 + 7, "GET", "/missing/page.html", 0);
    Fail(&c, 404);
    for (HitRecord* hit : {&a, &b, &c})
        ASSERT_EQ(HitListing_AddHit(l, hit), 1);
    std::string rule(76, '-');
    std::string header = "\r\n" + rule + "\r\n" + "Address:\t" + kValue + "10.0.0.1\r\n" +
                         "Browser:\t" + kValue + "Mozilla/4.0\r\n" + "Referrer:\t" + kValue +
                         "http://a.example/\r\n" + "Protocol:\t" + kValue + "HTTP/1.0\r\n" +
                         "Date:\t" + kValue + "Sat 03 Mar 2001\r\n" + rule + "\r\n";
    std::string get = kValue + "GET" + kEnd;
    std::string lines = " 15:04:05\t" + get + "\t \t    2.51K\t/docs/" + kFile + "index.html\r\n" +
                        " 15:04:06\t" + get + "\t \t    0.9K \t/" + kFile + "\r\n" + " 15:04:07\t" +
                        get + "\t \t    0.0K \t/missing/" + kFile + "page.html\r\n\t\t" + kError +
                        "Error, 404 - Not Found\r\n";
    EXPECT_EQ(Body(l, 0), header + lines);
    // Header 11, visitor block 8, hit lines 1 + 1 + 2 (the result goes below).
    EXPECT_EQ(ViewBuffers_At(&l->buffers, 0)->lineCount, 11u + 8u + 4u);
    // A new visitor (another address) gets a header of its own.
    HitRecord d = MakeHit(kSaturday + 16 * 3600, "GET", "/", 0);
    strcpy(d.szClientAddr, "10.0.0.2");
    ASSERT_EQ(HitListing_AddHit(l, &d), 1);
    EXPECT_NE(Body(l, 0).find("Address:\t" + kValue + "10.0.0.2\r\n"), std::string::npos);
}

// Fault guarded: a value longer than its kept field never equalled the kept
// (cut) copy, so every hit of such a visitor repeated the header block.
TEST_F(HitListingTest, KindThreeLongAgentKeepsOneHeader) {
    HitListing* l = Open(LISTING_KIND_VISITORS, LISTING_GROUP_NONE);
    std::string agent(200, 'a');
    for (int i = 0; i < 2; ++i) {
        HitRecord hit = MakeHit(kSaturday + i, "GET", "/", 0);
        hit.lpszUserAgent = Text(agent.c_str());
        ASSERT_EQ(HitListing_AddHit(l, &hit), 1);
    }
    std::string body = Body(l, 0);
    size_t first = body.find("Address:");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(body.find("Address:", first + 1), std::string::npos);
}

// Directories longer than the line's room break after a separator and go on
// after five tabs; no room for a piece leaves them whole.
TEST_F(HitListingTest, KindThreeBreaksLongDirectories) {
    const std::string prefix = " 00:00:00\t" + kValue + "GET" + kEnd + "\t \t    0.0K \t";
    const std::string xs(30, 'x');
    const struct {
        int width;
        std::string url;
        std::string expected;
    } cases[] = {
        {76, "/aaaa/bbbb/cccc/dddd/file.txt", "/aaaa/bbbb/cccc/dddd/" + kFile + "file.txt\r\n"},
        {40, "/aaaa/bbbb/cccc/dddd/file.txt",
         "/aaaa/\r\n\t\t\t\t\tbbbb/cccc/dddd/" + kFile + "file.txt\r\n"},
        {40, "/" + xs + "/f", "/xxxx\r\n\t\t\t\t\t" + std::string(26, 'x') + "/" + kFile + "f\r\n"},
        {34, "/aaaa/bbbb/cccc/dddd/file.txt", "/aaaa/bbbb/cccc/dddd/" + kFile + "file.txt\r\n"},
        {76, "nodir.txt", "nodir.txt" + kFile + "\r\n"},
        {76, "/" + std::string(50, 'n'), "/" + kFile + std::string(40, 'n') + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url + " width " + std::to_string(c.width));
        HitListing* l = Open(LISTING_KIND_VISITORS, LISTING_GROUP_NONE, c.width);
        HitRecord hit = MakeHit(kSaturday, "GET", c.url.c_str(), 0);
        DWORD lines = 0;
        DWORD size = HitListing_FormatHit(l, &hit, &lines);
        std::string text(l->hitText, size);
        size_t line = text.rfind(prefix);
        ASSERT_NE(line, std::string::npos) << text;
        EXPECT_EQ(text.substr(line + prefix.size()), c.expected);
    }
}

TEST_F(HitListingTest, GroupingByCountryReusesBuffers) {
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_COUNTRY);
    HitRecord germany = MakeHit(kSaturday, "GET", "/1", 0);
    HitRecord france = MakeHit(kSaturday, "GET", "/2", 0);
    strcpy(france.szCountry, "France");
    HitRecord again = MakeHit(kSaturday, "GET", "/3", 0);
    for (HitRecord* hit : {&germany, &france, &again})
        ASSERT_EQ(HitListing_AddHit(l, hit), 1);
    ASSERT_EQ(l->buffers.count, 2u);
    EXPECT_STREQ(ViewBuffers_Description(&l->buffers, 0), "Germany");
    EXPECT_STREQ(ViewBuffers_Description(&l->buffers, 1), "France");
    std::string first = Body(l, 0), second = Body(l, 1);
    EXPECT_NE(first.find("File:\t/" + kFile + "1"), std::string::npos);
    EXPECT_NE(first.find("File:\t/" + kFile + "3"), std::string::npos);
    EXPECT_EQ(second.find("File:\t/" + kFile + "1"), std::string::npos);
    EXPECT_NE(second.find("File:\t/" + kFile + "2"), std::string::npos);
}

TEST_F(HitListingTest, GroupValuesAndDisplayNames) {
    const struct {
        int option;
        const char* method;
        const char* value;
        const char* display;
    } cases[] = {
        {LISTING_GROUP_METHOD, "POST", "POST", "Post"},
        {LISTING_GROUP_METHOD, "DELETE", "Error, Unknown", "Error"},
        {LISTING_GROUP_DATE, "GET", "Sat 03 Mar 2001", "Sat 03 Mar 2001"},
        {LISTING_GROUP_RESULT, "GET", "Success", "Success"},
        {LISTING_GROUP_DOMAIN, "GET", "example.com", "example.com"},
        {7, "GET", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        HitListing* l = Open(LISTING_KIND_BUFFERS, c.option);
        HitRecord hit = MakeHit(kSaturday, c.method, "/", 0);
        ASSERT_EQ(HitListing_AddHit(l, &hit), 1);
        EXPECT_STREQ(ViewBuffers_Description(&l->buffers, 0), c.value);
        EXPECT_STREQ(ViewBuffers_At(&l->buffers, 0)->displayName, c.display);
    }
    // An empty value shows the option's default name.
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_PROTOCOL);
    HitRecord hit = MakeHit(kSaturday, "GET", "/", 0);
    hit.lpszProtocol = Text("");
    ASSERT_EQ(HitListing_AddHit(l, &hit), 1);
    EXPECT_STREQ(ViewBuffers_At(&l->buffers, 0)->displayName, "Unknown Protocol");
}

TEST_F(HitListingTest, NoGroupingOrOptionSevenKeepsOneBuffer) {
    for (int option : {LISTING_GROUP_NONE, 7, 12}) {
        HitListing* l = Open(LISTING_KIND_HITS, option);
        HitRecord a = MakeHit(kSaturday, "GET", "/", 0);
        HitRecord b = MakeHit(kSaturday + 86400, "POST", "/", 0);
        strcpy(b.szCountry, "France");
        ASSERT_EQ(HitListing_AddHit(l, &a), 1);
        ASSERT_EQ(HitListing_AddHit(l, &b), 1);
        EXPECT_EQ(l->buffers.count, 1u) << option;
    }
}

TEST_F(HitListingTest, KindFourWritesHeadersOnly) {
    HitListing* l = Open(LISTING_KIND_BUFFERS, LISTING_GROUP_COUNTRY);
    HitRecord a = MakeHit(kSaturday, "GET", "/", 2560);
    HitRecord b = MakeHit(kSaturday, "GET", "/", 2560);
    strcpy(b.szCountry, "France");
    ASSERT_EQ(HitListing_AddHit(l, &a), 1);
    ASSERT_EQ(HitListing_AddHit(l, &b), 1);
    ASSERT_EQ(l->buffers.count, 2u);
    std::string names[2] = {ViewBuffers_At(&l->buffers, 0)->fileName,
                            ViewBuffers_At(&l->buffers, 1)->fileName};
    EXPECT_EQ(Body(l, 0), "");
    EXPECT_EQ(Body(l, 1), "");
    HitListing_Close(l);
    for (const std::string& name : names) {
        EXPECT_TRUE(Exists(name)) << name;
        DeleteFileA(name.c_str());
    }
}

// Fault guarded: every run used number 0, so a run overwrote the kept files
// of the one before and two processes wrote the same files.
TEST_F(HitListingTest, EachRunTakesAFreeFileNumber) {
    HitListing* kept = Open(LISTING_KIND_BUFFERS, LISTING_GROUP_NONE);
    std::string keptName = ViewBuffers_At(&kept->buffers, 0)->fileName;
    std::string keptText = ReadAll(keptName.c_str());
    HitListing_Close(kept);
    ASSERT_TRUE(Exists(keptName));

    HitListing* a = Open(LISTING_KIND_HITS, LISTING_GROUP_NONE);
    HitListing* b = Open(LISTING_KIND_HITS, LISTING_GROUP_NONE);
    std::string nameA = ViewBuffers_At(&a->buffers, 0)->fileName;
    std::string nameB = ViewBuffers_At(&b->buffers, 0)->fileName;
    EXPECT_NE(nameA, keptName);
    EXPECT_NE(nameB, keptName);
    EXPECT_NE(nameA, nameB);
    HitRecord hit = MakeHit(kSaturday, "GET", "/", 0);
    ASSERT_EQ(HitListing_AddHit(a, &hit), 1);
    EXPECT_EQ(ReadAll(keptName.c_str()), keptText);

    // The name keeps its form: the engine's folder, "~RRR_000.TMP".
    char folder[MAX_PATH];
    ASSERT_TRUE(Engine_ModuleFolder(folder));
    std::string file = nameA.substr(strlen(folder));
    EXPECT_EQ(nameA.substr(0, strlen(folder)), folder);
    EXPECT_EQ(file.size(), 12u);
    EXPECT_EQ(file.substr(0, 1) + file.substr(4), "~_000.TMP");

    // Listings other than kind 4 take their files with them.
    HitListing_Close(a);
    EXPECT_FALSE(Exists(nameA));
    DeleteFileA(keptName.c_str());
}

TEST_F(HitListingTest, WithoutOutputFolderFilesGoToTheCurrentFolder) {
    char temp[MAX_PATH], previous[MAX_PATH];
    ASSERT_TRUE(GetTempPathA(MAX_PATH, temp));
    ASSERT_TRUE(GetCurrentDirectoryA(MAX_PATH, previous));
    std::string folder = std::string(temp) + "ovlisting_here\\";
    CreateDirectoryA(folder.c_str(), NULL);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    outputFolder = "";
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_NONE);
    std::string name = ViewBuffers_At(&l->buffers, 0)->fileName;
    EXPECT_EQ(name.size(), 12u) << name;
    EXPECT_TRUE(Exists(folder + name));
    HitListing_Close(l);
    EXPECT_FALSE(Exists(folder + name));
    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(folder.c_str());
}

// A refused write stops the run: the hit is reported as not taken.
TEST_F(HitListingTest, RefusedWriteFailsTheHit) {
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_NONE);
    ViewReportBuffer* b = ViewBuffers_At(&l->buffers, 0);
    HANDLE readOnly = CreateFileA(b->fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    CloseHandle(b->file);
    b->file = readOnly;
    Engine_SetUnattended(TRUE); // the "Error Writing" box goes to the debug output
    HitRecord hit = MakeHit(kSaturday, "GET", "/", 0);
    EXPECT_EQ(HitListing_AddHit(l, &hit), 0);
    Engine_SetUnattended(FALSE);
}

TEST_F(HitListingTest, NeverMoreThanFiveFilesOpen) {
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_CLIENT);
    ViewBufferSet* set = &l->buffers;
    auto openFiles = [set]() {
        DWORD n = 0;
        for (DWORD i = 0; i < set->count; ++i)
            n += set->table[i]->fileOpen ? 1 : 0;
        return n;
    };
    for (int i = 1; i <= 7; ++i) {
        std::string client = "10.0.0." + std::to_string(i);
        HitRecord hit = MakeHit(kSaturday, "GET", "/", 0);
        strcpy(hit.szClientAddr, client.c_str());
        ASSERT_EQ(HitListing_AddHit(l, &hit), 1);
        EXPECT_LE(openFiles(), 5u);
        EXPECT_EQ(openFiles(), set->openCount);
    }
    ASSERT_EQ(set->count, 7u);
    // Buffer 1's file was closed on the way; a later hit goes to its end.
    ASSERT_FALSE(set->table[1]->fileOpen);
    HitRecord again = MakeHit(kSaturday, "GET", "/again", 0);
    strcpy(again.szClientAddr, "10.0.0.2");
    ASSERT_EQ(HitListing_AddHit(l, &again), 1);
    std::string body = Body(l, 1);
    EXPECT_LT(body.find("Address:\t10.0.0.2\r\n"), body.find(kFile + "again"));
    EXPECT_NE(body.find(kFile + "again"), std::string::npos);
    for (DWORD n = 0; n < 7; ++n) {
        ViewBuffers_Select(set, n);
        EXPECT_TRUE(set->table[n]->fileOpen);
        EXPECT_TRUE(set->table[set->writeTarget]->fileOpen);
        EXPECT_LE(openFiles(), 5u);
    }
}

TEST_F(HitListingTest, ViewerStepsAndRangeChecks) {
    HitListing* l = Open(LISTING_KIND_HITS, LISTING_GROUP_COUNTRY);
    ViewBufferSet* set = &l->buffers;
    for (const char* country : {"Germany", "France", "Spain"}) {
        HitRecord hit = MakeHit(kSaturday, "GET", "/", 0);
        strcpy(hit.szCountry, country);
        ASSERT_EQ(HitListing_AddHit(l, &hit), 1);
    }
    ASSERT_EQ(set->count, 3u);
    EXPECT_EQ(ViewBuffers_Description(set, 3), nullptr);
    EXPECT_EQ(ViewBuffers_Description(set, 0xFFFFFFFFu), nullptr);
    ASSERT_NE(ViewBuffers_Attach(set, 42), nullptr); // current is 0
    EXPECT_EQ(ViewBuffers_Select(set, 3), 0);
    EXPECT_EQ(set->current, 0u);
    EXPECT_EQ(ViewBuffers_Previous(set), 0);
    EXPECT_EQ(set->current, 2u);
    EXPECT_EQ(ViewBuffers_Next(set), 42);
    EXPECT_EQ(set->current, 0u);
    EXPECT_EQ(ViewBuffers_Next(set), 0);
    EXPECT_EQ(set->current, 1u);

    char name[MAX_PATH + 8];
    memset(name, '#', sizeof(name));
    ViewBuffers_CurrentFileName(set, name);
    EXPECT_STREQ(name, set->table[1]->fileName);
    EXPECT_EQ(name[MAX_PATH], '#');
    HANDLE file = ViewBuffers_CurrentFile(set);
    EXPECT_EQ(file, set->table[1]->file);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);

    ViewBufferSet empty;
    ViewBuffers_Init(&empty, TRUE);
    EXPECT_EQ(ViewBuffers_Next(&empty), 0);
    EXPECT_EQ(ViewBuffers_Attach(&empty, 1), nullptr);
    EXPECT_STREQ(ViewBuffers_CurrentFileName(&empty, name), "");
    EXPECT_EQ(ViewBuffers_CurrentFile(&empty), INVALID_HANDLE_VALUE);
}

// Fault guarded: log texts were joined into the fixed hit and header buffers
// without a bound, and the grouping value was copied without one.
TEST_F(HitListingTest, LongTextsStayInTheirBuffers) {
    std::string huge(5000, 'r');
    std::string longUrl = "/" + std::string(4000, 'd') + "/" + std::string(300, 'f');
    for (int kind : {LISTING_KIND_HITS, LISTING_KIND_VISITORS}) {
        SCOPED_TRACE(kind);
        HitListing* l = Open(kind, LISTING_GROUP_PROTOCOL);
        HitRecord hit = MakeHit(kSaturday, "GET", longUrl.c_str(), 0);
        hit.lpszReferrer = Text(huge.c_str());
        hit.lpszUserAgent = Text(huge.c_str());
        hit.lpszProtocol = Text(huge.c_str());
        Fail(&hit, 500);
        DWORD lines = 0;
        DWORD size = HitListing_FormatHit(l, &hit, &lines);
        EXPECT_EQ(size, (DWORD)LISTING_TEXT_SIZE - 1);
        EXPECT_EQ(strlen(l->hitText), size);
        EXPECT_EQ(l->columnWidths[0], 9);
        EXPECT_EQ(l->columnWidths[3], 9);
        ViewReportBuffer* b = ViewBuffers_At(&l->buffers, 0);
        EXPECT_EQ(strlen(b->group), 259u);
        EXPECT_EQ(b->groupLength, 260u);
        EXPECT_EQ(strlen(b->displayName), 49u);
        EXPECT_EQ(strlen(b->lastAgent), kind == LISTING_KIND_VISITORS ? 159u : 0u);
    }
}

} // namespace

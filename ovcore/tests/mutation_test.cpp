// Damaged logs of every line format through the record reader and through the
// report run's merged reading (fixed seed): no crash, no text outside the
// record's buffers, every line ends as a hit or as a counted skip, and both
// roads give the same hits. Each log holds good lines between the damaged
// ones, so a damaged line (one of 100 KB too, longer than the search window)
// must never take a good one, or the rest of the file, with it.
#include "logread_fixtures.h"
#include "engine_settings_edit.h"
#include "ovcore/hittime.h"
#include <gtest/gtest.h>
#include <malloc.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

using namespace logtest;

namespace {

// The report run's search window.
const DWORD kWindow = 100000;

struct Dice {
    unsigned state;
    explicit Dice(unsigned seed) : state(seed) {}
    unsigned Next() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
    unsigned Below(unsigned n) { return n ? Next() % n : 0; }
};

// One format code's log: its opening lines and its n-th good line, whose URL
// holds "/g<n>." when the format has a URL of its own (hasUrl).
struct Format {
    const char* name;
    std::string header;
    char separator; // between fields
    std::function<std::string(int)> line;
    bool hasUrl;
    // W3C without a "date" column: a line with more columns than declared
    // switches the file to the full field list until the next "#Fields:".
    bool extraColumnsSwitchMap;
};

// The template with "#N" as n, "#C" as a client number and "#S" as two digits.
std::string Printf(const char* format, int n) {
    char number[16], client[16], seconds[16];
    std::snprintf(number, sizeof(number), "%d", n);
    std::snprintf(client, sizeof(client), "%d", n % 250 + 1);
    std::snprintf(seconds, sizeof(seconds), "%02d", n % 60);
    std::string out;
    for (const char* p = format; *p; p++) {
        if (p[0] != '#' || !p[1] || !strchr("NCS", p[1])) {
            out += *p;
            continue;
        }
        out += p[1] == 'N' ? number : p[1] == 'C' ? client : seconds;
        p++;
    }
    return out;
}

const std::vector<Format>& Formats() {
    static const std::vector<Format> formats = {
        {"common", "", ' ',
         [](int n) {
             return Printf("10.0.0.#C - - [10/Oct/1999:13:#S:36 -0700] \"GET /g#N.html "
                           "HTTP/1.0\" 200 2326",
                           n);
         },
         true},
        {"combined", "", ' ',
         [](int n) {
             return Printf("10.1.0.#C - bob [10/Oct/1999:13:55:#S +0000] \"POST /g#N.cgi "
                           "HTTP/1.1\" 302 0 \"http://r.com/x%20y\" \"Mozilla/4.0 (compatible; "
                           "MSIE 4.01)\" \"id=1.2.3.4-5.6; x=y\"",
                           n);
         },
         true},
        {"comma", "", ',',
         [](int n) {
             return Printf("1.2.3.#C, -, 10/10/99, 13:#S:36, W3SVC1, WEB1, 10.0.0.1, 100, "
                           "300, 2326, 200, 0, GET, /g#N.html, id=5,",
                           n);
         },
         true},
        {"blank", "", ' ',
         [](int n) {
             return Printf("Sun Oct 10 13:#S:36 1999 www.site.com 1.2.3.#C GET /g#N.html "
                           "HTTP/1.0",
                           n);
         },
         true},
        {"tab", "", '\t',
         [](int n) {
             return Printf("10/10/99 13:#S:36\t1.2.3.#C\t-\tx\t-\tGET\t/g#N.html\thttp://"
                           "r/\tx\tAgent/1\t200\t77\tend",
                           n);
         },
         true},
        {"keyblock", "", ' ',
         [](int n) {
             return Printf(
                 "log {start 939563736.25} {host 1.2.3.#C} {method GET} {url {/g#N.html}} "
                 "{status 200} {bytes 2326} {agent {Mozilla \\{x\\}}} {referrer http://r/}",
                 n);
         },
         true},
        {"referrer", "", ' ', [](int n) { return Printf("http://a/b#C.html -> /g#N.html", n); },
         true},
        {"agent", "", ' ',
         [](int n) { return Printf("Mozilla/4.#C (compatible; MSIE 4.01; Windows 98)", n); },
         false},
        {"dated", "", ' ',
         [](int n) {
             return n % 2 ? Printf("[10/Oct/1999:13:#S:36] \"http://a/#C\" -> /g#N.html", n)
                          : Printf("[10/Oct/1999:13:#S:36] \"Mozilla/4.#C (Win98)\"", n);
         },
         false},
        {"w3c",
         "#Software: Microsoft Internet Information Services 5.0\r\n#Version: 1.0\r\n"
         "#Date: 1999-10-10 00:00:00\r\n#Fields: date time c-ip cs-username cs-method "
         "cs-uri-stem cs-uri-query sc-status sc-bytes cs(User-Agent) cs(Referer)\r\n",
         ' ',
         [](int n) {
             return Printf("1999-10-10 13:#S:36 1.2.3.#C - GET /g#N.html q=1 200 512 "
                           "Mozilla/4.0+(compatible;+MSIE+5.0) http://r/",
                           n);
         },
         true},
        {"w3c-ftp",
         "#Software: Microsoft Internet Information Services 5.0\r\n#Version: 1.0\r\n"
         "#Date: 1999-10-10 00:00:00\r\n#Fields: time c-ip cs-method cs-uri-stem sc-status\r\n",
         ' ', [](int n) { return Printf("13:#S:36 1.2.3.#C [#C]sent /g#N.zip 226", n); }, true,
         true},
        {"pipe", "", '|',
         [](int n) {
             return Printf("991010 13#S36|1.2.3.#C|GET /g#N.html|x|200|bob|512|-|http://r/|"
                           "Mozilla/4.0",
                           n);
         },
         true},
        {"squid", "", ' ',
         [](int n) {
             return Printf("939563736.567 120 1.2.3.#C TCP_MISS/200 2326 GET "
                           "http://www.x.com/g#N.html - DIRECT/10.0.0.1 text/html",
                           n);
         },
         true},
        {"w3c after a UTF-8 mark",
         "\xEF\xBB\xBF#Fields: date time c-ip cs-method cs-uri-stem sc-status\r\n", ' ',
         [](int n) { return Printf("1999-10-10 13:#S:36 1.2.3.#C GET /g#N.html 200", n); }, true},
    };
    return formats;
}

enum Damage {
    CUT,
    DOUBLED,
    FLIPPED,
    NUL_BYTES,
    FIELDS_DROPPED,
    HUGE_FIELD,
    LINE_ENDS_MIXED,
    STRAY_CR,
    DAMAGE_KINDS
};
const char* const kDamageNames[] = {"cut",     "doubled", "flipped",         "nul",
                                    "dropped", "100k",    "line-ends mixed", "stray CR"};

// Byte positions of the fields (their first characters) of a line.
std::vector<size_t> FieldStarts(const std::string& line, char sep) {
    std::vector<size_t> starts = {0};
    for (size_t i = 0; i + 1 < line.size(); i++)
        if (line[i] == sep && line[i + 1] != sep)
            starts.push_back(i + 1);
    return starts;
}

// The damaged form of a good line, with its line end(s).
std::string DamageLine(Dice& d, Damage kind, const std::string& line, char sep) {
    std::string s = line;
    switch (kind) {
    case CUT:
        return s.substr(0, d.Below((unsigned)s.size())) + "\n";
    case DOUBLED:
        return d.Below(2) ? s + s + "\n" : s + "\n" + s + "\n";
    case FLIPPED:
        for (unsigned n = 1 + d.Below(4); n > 0; n--) {
            char c = (char)d.Below(256);
            s[d.Below((unsigned)s.size())] = c == '\r' ? '\x7f' : c; // CR: see STRAY_CR
        }
        return s + "\n";
    case NUL_BYTES:
        for (unsigned n = 1 + d.Below(3); n > 0; n--)
            s.insert(d.Below((unsigned)s.size() + 1), 1, '\0');
        return s + "\n";
    case FIELDS_DROPPED:
        for (unsigned n = 1 + d.Below(2); n > 0; n--) {
            std::vector<size_t> f = FieldStarts(s, sep);
            size_t i = d.Below((unsigned)f.size());
            size_t end = i + 1 < f.size() ? f[i + 1] : s.size();
            s.erase(f[i], end - f[i]);
        }
        return s + "\n";
    case HUGE_FIELD: {
        std::vector<size_t> f = FieldStarts(s, sep);
        std::string field(100000, 'a');
        for (size_t i = 0; i < field.size(); i += 7)
            field[i] = (char)('b' + i % 23);
        s.insert(f[d.Below((unsigned)f.size())], field + sep);
        return s + "\n";
    }
    case LINE_ENDS_MIXED: {
        static const char* const ends[] = {"\r\n", "\n\r", "\r\r\n", "\n\n", "\r\n\r\n", "\n\r\n"};
        if (d.Below(3) == 0)
            s.insert(d.Below((unsigned)s.size() + 1), 1, '\n');
        return s + ends[d.Below(6)];
    }
    case STRAY_CR:
        for (unsigned n = 1 + d.Below(2); n > 0; n--)
            s.insert(d.Below((unsigned)s.size() + 1), 1, '\r');
        return s + "\n";
    default:
        return s + "\n";
    }
}

// A "/" that begins a line continues the common-log record before it
// ("agent words referrer"), by design: keep it off the line starts.
void KeepSlashOffLineStarts(std::string& log) {
    for (size_t i = 0; i < log.size(); i++)
        if (log[i] == '/' && (i == 0 || log[i - 1] == '\n' || log[i - 1] == '\r'))
            log[i] = '.';
}

bool IsPrintable(char c) {
    return (unsigned char)c >= 32 && (unsigned char)c < 128;
}

// Lines as the reader counts them: text up to each line end (LF, or CR too
// when crIsLineEnd) that holds a printable byte; runs of blank lines and
// control bytes belong to the line they precede.
int ReaderLines(const std::string& log, bool crIsLineEnd) {
    int lines = 0;
    bool printable = false;
    for (char c : log) {
        if (c == '\n' || (crIsLineEnd && c == '\r')) {
            lines += printable ? 1 : 0;
            printable = false;
        } else if (IsPrintable(c)) {
            printable = true;
        }
    }
    return lines + (printable ? 1 : 0);
}

// Text pointers of a record: null, the shared empty text, the record's own
// address fields, or inside its line buffer with the terminator in there too.
void ExpectInsideBuffers(const HitRecord* r) {
    ASSERT_TRUE(r->lpLine != nullptr);
    const char* begin = r->lpLine;
    const char* end = r->lpLine + r->dwLineSize + 1; // the one zero behind the spare
    char* const* slots = &r->lpszProtocol;
    for (int i = 0; i < 14; i++) {
        const char* p = slots[i];
        if (!p || p == HitRecord_EmptyText || p == r->szClientAddr || p == r->szServerAddr)
            continue;
        ASSERT_TRUE(p >= begin && p < end) << "text " << i << " points outside the line";
        ASSERT_TRUE(memchr(p, 0, end - p) != nullptr) << "text " << i << " runs past the line";
    }
    EXPECT_TRUE(memchr(r->szClientAddr, 0, sizeof(r->szClientAddr)));
    EXPECT_TRUE(memchr(r->szDomain, 0, sizeof(r->szDomain)));
    EXPECT_TRUE(memchr(r->szDomainType, 0, sizeof(r->szDomainType)));
    EXPECT_TRUE(memchr(r->szCountry, 0, sizeof(r->szCountry)));
    EXPECT_TRUE(memchr(r->szServerAddr, 0, sizeof(r->szServerAddr)));
    EXPECT_EQ(1u, r->dwValid);
    EXPECT_TRUE(r->wFormat >= LOGFMT_COMMON && r->wFormat <= LOGFMT_SECONDS &&
                r->wFormat != LOGFMT_DATED_REFERRER && r->wFormat != LOGFMT_DATED_AGENT)
        << r->wFormat;
}

// The hits of the log as the report run gets them: the one file of a list,
// opened for all times and read through the merged reading.
std::vector<std::string> ReadReport(const std::string& path) {
    std::vector<std::string> urls;
    FileInfo* info = FileInfo_New();
    FileInfo_AddServerPath(nullptr, "m.wlp", nullptr, nullptr, 0, path.c_str(), info, TRUE,
                           nullptr);
    if (FileInfo_Open(0, info, 0, 0xFFFFFFFF, nullptr, nullptr, nullptr) == 1) {
        HitRecord* r = nullptr;
        while (FileInfo_ReadNext(nullptr, info, &r) == LOGREAD_RECORD) {
            ExpectInsideBuffers(r);
            urls.push_back(r->lpszUrl ? r->lpszUrl : "");
            HitRecord_Free(r);
        }
        FileInfo_CloseAll(info);
    }
    FileInfo_Free(info);
    return urls;
}

struct ReadResult {
    int hits = 0;
    DWORD skipped = 0;
    std::vector<std::string> urls;
};

class MutationTest : public ::testing::Test {
  protected:
    LogInstall install;
    ErrorRecorder errors; // the W3C invalid-format message goes here
    void SetUp() override {
        ResetParserSettings();
        SetLogDateFormat(LOGDATE_MDY);
    }
    void TearDown() override {
        SetLogDateFormat(0);
        ResetParserSettings();
    }

    // Reads the log record after record with the report run's window; a
    // window that ends without a record is read on from where it stopped, so
    // that every line of the log is accounted for. The report run's merged
    // reading must hand out the same hits.
    ReadResult Read(const std::string& log) {
        ReadResult out;
        install.Write("logs\\m.log", log);
        LogFile* file = LogFile_New();
        EXPECT_TRUE(LogFile_Open(file, install.Path("logs\\m.log").c_str(), 0, LOGFILE_SEQUENTIAL));
        HitRecord* r = HitRecord_New();
        ULONGLONG at = 0, size = LogFile_GetSize(file);
        while (at < size) {
            ULONGLONG next = at;
            int got =
                LogRecord_ReadNextCounted(file, at, r, &next, kWindow, 0, &out.skipped, nullptr);
            if (got == LOGREAD_RECORD) {
                out.hits++;
                ExpectInsideBuffers(r);
                out.urls.push_back(r->lpszUrl ? r->lpszUrl : "");
            }
            if (next <= at)
                break; // nothing more (a last piece without a line end)
            at = next;
        }
        HitRecord_Free(r);
        LogFile_Free(file);
        EXPECT_EQ(out.urls, ReadReport(install.Path("logs\\m.log")))
            << "the report run reads other hits";
        EXPECT_TRUE(HeapValidate((HANDLE)_get_heap_handle(), 0, nullptr)) << "heap damaged";
        return out;
    }
};

// Every format with every kind of damage: a good line, then damaged and good
// lines in turn.
TEST_F(MutationTest, EveryLineIsAHitOrACountedSkip) {
    Dice d(4242);
    int damagedLines = 0;
    for (const Format& f : Formats()) {
        for (int k = 0; k < DAMAGE_KINDS; k++) {
            Damage kind = (Damage)k;
            SCOPED_TRACE(std::string(f.name) + " / " + kDamageNames[k]);
            int count = kind == HUGE_FIELD ? 3 : 40;
            std::string log = f.header + f.line(0) + "\n";
            std::vector<int> good = {0};
            for (int i = 1; i <= count; i++) {
                log += DamageLine(d, kind, f.line(1000 + i), f.separator);
                log += f.line(i) + "\n";
                good.push_back(i);
            }
            damagedLines += count;
            KeepSlashOffLineStarts(log);
            ReadResult got = Read(log);
            int total = got.hits + (int)got.skipped;
            if (kind == STRAY_CR) {
                // A lone CR ends the line for a parser, not for the reader's
                // own skip: the line counts once or twice.
                EXPECT_GE(total, ReaderLines(log, false));
                EXPECT_LE(total, ReaderLines(log, true));
            } else {
                EXPECT_EQ(ReaderLines(log, false), total);
            }
            bool addsColumns = kind == DOUBLED || kind == FLIPPED;
            if (!f.hasUrl || (f.extraColumnsSwitchMap && addsColumns))
                continue;
            for (int n : good) {
                std::string marker = "/g" + std::to_string(n) + ".";
                bool found =
                    std::any_of(got.urls.begin(), got.urls.end(), [&](const std::string& u) {
                        return u.find(marker) != std::string::npos;
                    });
                EXPECT_TRUE(found) << "good line " << n << " was lost";
            }
        }
    }
    EXPECT_GT(damagedLines, 3000);
}

// Inputs on the edges of the detector and the parsers, one log each, with
// the hits and skipped lines they give.
TEST_F(MutationTest, EdgeInputs) {
    std::string fields60 = "#Fields: date time";
    std::string columns60 = "1999-10-10 13:55:36";
    for (int i = 0; i < 58; i++) {
        fields60 += " c-ip";
        columns60 += " 1.2.3.4";
    }
    std::string common = CommonLine(1, 0, "/a");
    struct Case {
        const char* name;
        std::string log;
        int hits, skipped;
    } cases[] = {
        {"W3C directive with 60 columns", "#Version: 1.0\n" + fields60 + "\n" + columns60 + "\n", 1,
         2},
        {"W3C line with 60 columns under 2", "#Fields: time c-ip\n" + columns60 + "\n", 0, 2},
        {"W3C directive without names", "#Fields:\n" + common, 1, 1},
        {"lone bracket", "[\n" + common, 1, 1},
        {"unclosed key block", "log {host 1.2.3.4} {url {/a\n" + common, 1, 1},
        {"only commas", std::string(15, ',') + "\n" + common, 1, 1},
        {"only pipes", std::string(9, '|') + "\n" + common, 1, 1},
        {"seconds stamp alone", "936201234.567\n" + common, 1, 1},
        {"lone quote", "\"\n" + common, 1, 1},
        {"lone arrow", " -> \n" + common, 2, 0},
        {"date then lone quote", "[10/Oct/1999:13:55:36] \"\n" + common, 2, 0},
        {"tabs only", std::string(12, '\t') + "x\n" + common, 1, 1},
        {"common line without request", "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700]\n" + common, 1,
         1},
        {"request quote never closed",
         "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700] \"GET /a HTTP/1.0 200 1\n" + common, 1, 1},
        {"bracket never closed",
         "1.2.3.4 - - [10/Oct/1999:13:55:36 -0700 \"GET /a\" 1 1\n" + common, 1, 1},
        {"NUL bytes before a line", std::string("\0\0", 2) + common + common, 2, 0},
        {"high bytes only", "\xff\xfe\x80\n" + common, 1, 0},
        {"lone CR line", "\r\n\r" + common, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReadResult got = Read(c.log);
        EXPECT_EQ(ReaderLines(c.log, false), got.hits + (int)got.skipped);
        EXPECT_EQ(c.hits, got.hits);
        EXPECT_EQ(c.skipped, (int)got.skipped);
    }
}

} // namespace

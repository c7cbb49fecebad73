#include "mail/mail_run.h"
#include "mail/mail_settings.h"
#include "mail/mime_text.h"
#include "mail/smtp_reply.h"
#include <gtest/gtest.h>
#include <vector>

TEST(MailBase64, FiftyEightBytesGiveAFullLineAndAPaddedOne) {
    std::string bytes(58, '\0');
    for (int i = 0; i < 58; ++i)
        bytes[i] = static_cast<char>(i * 7);
    std::string first, second;
    AppendBase64(reinterpret_cast<const unsigned char*>(bytes.data()), kBase64LineBytes, first);
    AppendBase64(reinterpret_cast<const unsigned char*>(bytes.data()) + 57, 1, second);
    EXPECT_EQ(first.size(), 76u);
    EXPECT_EQ(second, "jw=="); // 0x8F alone
    std::string two;
    AppendBase64(reinterpret_cast<const unsigned char*>("\xff\xfe"), 2, two);
    EXPECT_EQ(two, "//4=");
}

TEST(MailAttachment, NameAndContentTypeFromThePath) {
    struct Case {
        const char* path;
        const char* name;
        const char* type;
        bool raw;
    } cases[] = {
        {"C:\\reports\\INDEX.HTM", "INDEX.HTM", "text/html", true},
        {"C:\\reports\\a.gifs", "a.gifs", "image/gif", false},
        {"D:graph.jpg", "graph.jpg", "image/jpeg", false},
        {"report.doc", "report.doc", "application/msword", false},
        {"c:\\x\\t.xls", "t.xls", "application/msexcel", false},
        {"c:\\x\\t.cma", "t.cma", "text/plain", false},
        {"c:\\x\\notes.txt", "notes.txt", "text/plain", false},
        {"c:\\x\\page.htm.gif", "page.htm.gif", "text/html", true}, // .htm is tested first
        {"c:\\x\\data.bin", "data.bin", "application/unknown", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_STREQ(AttachmentName(c.path), c.name);
        bool raw = !c.raw;
        EXPECT_STREQ(AttachmentContentType(AttachmentName(c.path), &raw), c.type);
        EXPECT_EQ(raw, c.raw);
    }
}

// Guards: the Date header left daylight saving out of the zone.
TEST(MailDate, ZoneIsTheBiasInForce) {
    TIME_ZONE_INFORMATION eastern = {};
    eastern.Bias = 300;
    eastern.DaylightBias = -60;
    TIME_ZONE_INFORMATION paris = {};
    paris.Bias = -60;
    paris.DaylightBias = -60;
    TIME_ZONE_INFORMATION india = {};
    india.Bias = -330;
    struct Case {
        const TIME_ZONE_INFORMATION* zone;
        DWORD state;
        const char* zoneText;
    } cases[] = {
        {&eastern, TIME_ZONE_ID_DAYLIGHT, "-0400"},
        {&eastern, TIME_ZONE_ID_STANDARD, "-0500"},
        {&paris, TIME_ZONE_ID_DAYLIGHT, "+0200"},
        {&india, TIME_ZONE_ID_UNKNOWN, "+0530"},
    };
    SYSTEMTIME t = {};
    t.wYear = 2026, t.wMonth = 7, t.wDayOfWeek = 4, t.wDay = 9, t.wHour = 8, t.wMinute = 5;
    t.wSecond = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoneText);
        EXPECT_EQ(DateHeader(t, BiasInForce(*c.zone, c.state)),
                  std::string("Date: Thu, 9 Jul 2026 08:05:01 ") + c.zoneText + "\r\n");
    }
    EXPECT_EQ(DateHeader(t, 0).substr(31), "+0000\r\n");
}

// Guards: a line "." in the text ended the message early; bare line ends.
TEST(MailDataLines, LeadingDotsDoubledAndLineEndsMadeCrLf) {
    struct Case {
        std::vector<std::string> pieces;
        std::string sent;
    } cases[] = {
        {{".\n"}, "..\r\n"},           {{"a\n.b\r\n..c"}, "a\r\n..b\r\n...c"},
        {{"x\r", "\n.y"}, "x\r\n..y"}, // CR LF split between pieces
        {{"x\r", ".y"}, "x\r\n..y"},   // a lone CR ends a line too
        {{"a.b\n", "."}, "a.b\r\n.."}, // line start carried across pieces
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        DataLineWriter writer;
        std::string out;
        for (const std::string& piece : c.pieces)
            writer.Append(piece.data(), piece.size(), out);
        EXPECT_EQ(out, c.sent);
    }
}

// Guards: the reply ended at the first data that arrived, so multi-line or
// split replies were misread.
TEST(MailReply, EndsAtTheFinalLineWhateverThePieces) {
    struct Case {
        std::vector<std::string> pieces;
        int code; // -1: not complete
    } cases[] = {
        {{"250 ok\r\n"}, 250},
        {{"25", "0 o", "k\r", "\n"}, 250},
        {{"250-first\r\n", "250-second\r\n", "250 last\r\n"}, 250},
        {{"220-hello\r\n220 ready\r\n"}, 220},
        {{"250-first\r\n"}, -1},
        {{"250 ok"}, -1},
        {{"354\r\n"}, 354},
        {{"junk\r\n", "550 no\r\n"}, 550},
        {{"250-" + std::string(5000, 'x') + "\r\n", "250 done\r\n"}, 250}, // long line: bounded
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces.front().substr(0, 20));
        SmtpReplyReader reader;
        for (const std::string& piece : c.pieces)
            reader.Feed(piece.data(), piece.size());
        EXPECT_EQ(reader.Code(), c.code);
    }
}

TEST(MailSettingsText, ServerHostAndPort) {
    struct Case {
        const char* server;
        bool ok;
        const char* host;
        unsigned short port;
    } cases[] = {
        {"mail.example.org:2525", true, "mail.example.org", 2525},
        {"mail.example.org", true, "mail.example.org", 25},
        {":2525", false, "", 0},
        {"host:", false, "", 0},
        {"host:70000", false, "", 0},
        {"host:25x", false, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        char host[101] = "";
        unsigned short port = 0;
        ASSERT_EQ(SplitMailServer(c.server, host, sizeof host, &port), c.ok);
        if (c.ok) {
            EXPECT_STREQ(host, c.host);
            EXPECT_EQ(port, c.port);
        }
    }
}

TEST(MailSettingsText, PlaceholderOrEmptySenderIsNotValid) {
    struct Case {
        const char* from;
        const char* replyTo;
        bool valid;
    } cases[] = {
        {"a@example.org", "b@example.org", true},
        {"YOURNAME@YourCompany.com", "b@example.org", false},
        {"a@example.org", "yourname@yourcompany.com", false},
        {"a@example.org", "", false},
        {"", "b@example.org", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " / " + c.replyTo);
        MailSettings s = {};
        lstrcpyA(s.server, "mail");
        lstrcpyA(s.from, c.from);
        lstrcpyA(s.replyTo, c.replyTo);
        EXPECT_EQ(MailSettingsValid(s), c.valid);
        s.mapi = true;
        EXPECT_TRUE(MailSettingsValid(s)); // MAPI checks nothing of these
    }
}

// Guards: an empty piece ended the list and blanks went into RCPT TO.
TEST(MailRecipients, PiecesTrimmedAndEmptyOnesSkipped) {
    std::vector<std::string> got;
    ForEachRecipient(" a@x.org ;; |b@y.org, ,\tc@z.org ", [&](const char* address) {
        got.push_back(address);
        return true;
    });
    EXPECT_EQ(got, (std::vector<std::string>{"a@x.org", "b@y.org", "c@z.org"}));
}

TEST(MailSettingsText, DefaultsAndMailTypeFromTheFile) {
    MailSettings s;
    ReadMailSettings("", &s);
    EXPECT_FALSE(s.mapi);
    EXPECT_STREQ(s.server, "mail");
    EXPECT_STREQ(s.subject, "Ostrevane Report");
    EXPECT_EQ(s.timeoutSeconds, 60);

    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string ini = std::string(folder) + "mail_type_test.ini";
    for (const char* type : {"MAPI", "mapi", "Microsoft", "SMTP", "smtp", "x"}) {
        SCOPED_TRACE(type);
        WritePrivateProfileStringA("eMail", "eMailType", type, ini.c_str());
        ReadMailSettings(ini.c_str(), &s);
        EXPECT_EQ(s.mapi, type[0] == 'M' || type[0] == 'm');
    }
    DeleteFileA(ini.c_str());
}

// The SMTP road against a scripted server on 127.0.0.1: replies in pieces,
// refusals, a server that closes or falls silent.
#include "mail_test_support.h"
#include "msgbox_watcher.h"
#include "ovkit/mail.h"
#include "ovkit/schedlog.h"
#include "temp_install.h"
#include <gtest/gtest.h>

using namespace mailtest;

namespace {

const char kUnexpectedReply[] = "Mail server returned an unexpected reply.";

std::string LocalServer(int port) {
    return "127.0.0.1:" + std::to_string(port);
}

int SendTo(const ScriptedSmtpServer& server, HWND status = nullptr, int* abort = nullptr,
           const char* recipients = "boss@example.org") {
    WriteSmtpSettings(LocalServer(server.Port()), 1);
    return OVKIT_SendSMTPMail(status, recipients, 0, nullptr, "Body", abort, 2);
}

} // namespace

TEST(SmtpDialogue, ResultByServerBehaviour) {
    struct Case {
        const char* what;
        void (*change)(SmtpScript&);
        int result;
        const char* error;
    } cases[] = {
        {"multi-line replies sent in pieces",
         [](SmtpScript& s) {
             s.greeting = "220-welcome|\r\n220-to the|test\r\n|220 ready\r\n";
             s.helo = "250-hello|\r\n250-SIZE 1000\r\n250 HELP\r\n";
             s.endOfData = "25|0 queued\r\n";
         },
         0, ""},
        // Guards: a QUIT reply other than 221 failed a mail already sent.
        {"QUIT answered 500", [](SmtpScript& s) { s.quit = "500 what\r\n"; }, 0, ""},
        {"QUIT unanswered", [](SmtpScript& s) { s.quit = ""; }, 0, ""},
        {"QUIT closes", [](SmtpScript& s) { s.quit = "CLOSE"; }, 0, ""},
        {"sender refused", [](SmtpScript& s) { s.mailFrom = "550 not you\r\n"; }, -1,
         kUnexpectedReply},
        {"recipient refused", [](SmtpScript& s) { s.refusedRecipient = "boss@"; }, -1,
         kUnexpectedReply},
        {"message refused", [](SmtpScript& s) { s.endOfData = "554 spam\r\n"; }, -1,
         kUnexpectedReply},
        {"closes after greeting", [](SmtpScript& s) { s.helo = "CLOSE"; }, -1, kUnexpectedReply},
        {"closes at DATA", [](SmtpScript& s) { s.data = "CLOSE"; }, -1, kUnexpectedReply},
        {"silent greeting", [](SmtpScript& s) { s.greeting = ""; }, -1, kUnexpectedReply},
        {"silent after the message", [](SmtpScript& s) { s.endOfData = ""; }, -1, kUnexpectedReply},
        {"unfinished multi-line reply", [](SmtpScript& s) { s.helo = "250-hello\r\n"; }, -1,
         kUnexpectedReply},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SmtpScript script;
        c.change(script);
        ScriptedSmtpServer server(script);
        DWORD start = GetTickCount();
        EXPECT_EQ(SendTo(server), c.result);
        EXPECT_LT(GetTickCount() - start, 8000u); // a one-second limit per reply
        EXPECT_STREQ(OVKIT_GetLastMailError(), c.error);
    }
}

TEST(SmtpDialogue, CommandsAndRecipients) {
    ScriptedSmtpServer server{SmtpScript()};
    ASSERT_EQ(SendTo(server, nullptr, nullptr, " a@x.org ; ;b@y.org,| c@z.org "), 0);
    std::vector<std::string> commands = server.Commands();
    ASSERT_GE(commands.size(), 7u);
    EXPECT_EQ(commands[0].substr(0, 5), "HELO ");
    std::vector<std::string> middle(commands.begin() + 1, commands.end() - 1);
    EXPECT_EQ(middle,
              (std::vector<std::string>{"MAIL FROM: <reports@example.org>", "RCPT TO: <a@x.org>",
                                        "RCPT TO: <b@y.org>", "RCPT TO: <c@z.org>", "DATA"}));
    EXPECT_EQ(commands.back(), "QUIT");
    // The To header shows the text as given.
    EXPECT_NE(server.Message().find("\r\nTo:  a@x.org ; ;b@y.org,| c@z.org \r\n"),
              std::string::npos);
}

TEST(SmtpDialogue, StatusWindowGetsEveryStepWithItsText) {
    ScriptedSmtpServer server{SmtpScript()};
    StatusWindow status;
    std::string attachment = ProgramFolder() + "status.txt";
    ASSERT_TRUE(ovtest::WriteFileBytes(attachment, "x"));
    WriteSmtpSettings(LocalServer(server.Port()), 1);
    const char* paths[] = {attachment.c_str()};
    ASSERT_EQ(OVKIT_SendSMTPMail(status.Handle(), "a@x.org", 1, paths, nullptr, nullptr, 2), 0);
    EXPECT_EQ(status.Steps(),
              (std::vector<std::string>{"Looking for mail server at " + LocalServer(server.Port()),
                                        "Connecting to mail server", "Building mail message",
                                        "Building mail attachments", "Sending mail"}));
    for (const ProgressRecord& r : status.Records())
        EXPECT_FALSE(r.nullText || r.text.empty());
    EXPECT_EQ(status.Records().back().percent, 100);
    DeleteFileA(attachment.c_str());
}

TEST(SmtpDialogue, AbortSetBeforeTheCallMakesNoConnection) {
    ScriptedSmtpServer server{SmtpScript()};
    int abort = 1;
    EXPECT_EQ(SendTo(server, nullptr, &abort), -1);
    EXPECT_STREQ(OVKIT_GetLastMailError(), "Aborted!");
    EXPECT_FALSE(server.Connected());
}

TEST(SmtpDialogue, ServerThatCannotBeReachedOrNamed) {
    // A port nobody listens on: take a free one and let it go.
    int freePort;
    {
        ScriptedSmtpServer probe{SmtpScript()};
        freePort = probe.Port();
    }
    struct Case {
        std::string server;
        const char* error;
    } cases[] = {
        {LocalServer(freePort), "Failed to connect to the mail server."},
        {"255.255.255.255", "Failed to resolve mail server's address."},
        {":2525", "Failed to resolve mail server's address."},
        {"no-such-host.invalid", "Failed to resolve mail server's address."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        WriteSmtpSettings(c.server, 1);
        EXPECT_EQ(OVKIT_SendSMTPMail(nullptr, "a@x.org", 0, nullptr, nullptr, nullptr, 2), -1);
        EXPECT_STREQ(OVKIT_GetLastMailError(), c.error);
    }
}

TEST(SmtpDialogue, SettingsNotValidByMessageMode) {
    WriteSmtpSettings("127.0.0.1:1", 1);
    SetMailKey("From", "YourName@YourCompany.COM");
    EXPECT_EQ(OVKIT_IsMailOptionsValid(), 0);

    EXPECT_EQ(OVKIT_SendMail(nullptr, "a@x.org", 0, nullptr, 2), -2); // shows nothing

    char log[MAX_PATH];
    OVKIT_GetScheduleLogFilename(nullptr, log);
    DeleteFileA(log);
    EXPECT_EQ(OVKIT_SendMail(nullptr, "a@x.org", 0, nullptr, 0), -2);
    EXPECT_NE(ovtest::ReadFileBytes(log).find("The current e-Mail settings are not valid.\n"
                                              "Please go to the Options Dialog"),
              std::string::npos);
    DeleteFileA(log);

    ovtest::MsgBoxWatcher watcher;
    EXPECT_EQ(OVKIT_SendMail(nullptr, "a@x.org", 0, nullptr, 1), -2);
    ASSERT_TRUE(watcher.WaitFor(1));
    EXPECT_EQ(watcher.Seen()[0].caption, "e-Mail Configuration Error");

    SetMailKey("From", "reports@example.org");
    EXPECT_EQ(OVKIT_IsMailOptionsValid(), 1);
}

TEST(SmtpDialogue, ServerThatStopsReadingEndsTheSend) {
    SmtpScript script;
    script.data = "354 go ahead\r\n|STALL";
    ScriptedSmtpServer server(script);
    std::string attachment = ProgramFolder() + "stall.dat";
    ASSERT_TRUE(ovtest::WriteFileBytes(attachment, std::string(16 << 20, 'z')));
    WriteSmtpSettings(LocalServer(server.Port()), 1);
    const char* paths[] = {attachment.c_str()};
    DWORD start = GetTickCount();
    EXPECT_EQ(OVKIT_SendSMTPMail(nullptr, "a@x.org", 1, paths, nullptr, nullptr, 2), -1);
    EXPECT_LT(GetTickCount() - start, 15000u);
    EXPECT_STREQ(OVKIT_GetLastMailError(), "Error encountered while accessing a WinSock function.");
    DeleteFileA(attachment.c_str());
}

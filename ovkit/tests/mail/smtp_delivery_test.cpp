// Whole messages through a real SMTP server (the test run's loopback sink),
// read back by its own MIME reader.
#include "mail_test_support.h"
#include "ovkit/mail.h"
#include "temp_install.h"
#include <gtest/gtest.h>

using namespace mailtest;

namespace {

std::string Bytes(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

class SmtpDelivery : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(0, SinkPort()) << "no SMTP sink: run through ctest";
        folder_ = ProgramFolder() + "delivery\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        WriteSmtpSettings("127.0.0.1:" + std::to_string(SinkPort()), 10);
    }
    void TearDown() override { ovtest::RemoveTree(folder_); }
    std::string Put(const std::string& name, const std::string& bytes) {
        EXPECT_TRUE(ovtest::WriteFileBytes(folder_ + name, bytes));
        return folder_ + name;
    }
    std::string folder_;
};

} // namespace

// Guards: a body line "." ended the mail early and cut the attachments off.
TEST_F(SmtpDelivery, AttachmentsArriveByteForByteAndDotLinesSurvive) {
    std::string allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes += static_cast<char>(i);
    const std::string html = "<html>\r\n.hidden { }\r\n.\r\n..\r\n</html>\r\n";
    struct File {
        const char* name;
        std::string bytes;
    } files[] = {
        {"graph.gif", allBytes},
        {"big.dat", Bytes(1200 * 1024 + 1, 7)}, // over 1 MB, not a whole number of lines
        {"index.htm", html},
        {"odd.txt", Bytes(58, 3)},
        {"empty.cma", ""},
    };
    std::vector<std::string> paths;
    for (const File& f : files)
        paths.push_back(Put(f.name, f.bytes));
    paths.push_back(folder_ + "missing.doc"); // skipped
    std::vector<const char*> pathPointers;
    for (const std::string& p : paths)
        pathPointers.push_back(p.c_str());
    const char* body = "Report attached.\n.\n.starts with a dot\nend";

    ASSERT_EQ(OVKIT_SendMailBody(nullptr, "one@example.org, ;two@example.org",
                                 static_cast<int>(pathPointers.size()), pathPointers.data(), body,
                                 nullptr, 2),
              0)
        << OVKIT_GetLastMailError();

    std::string message = WaitForSinkMail(1);
    ASSERT_FALSE(message.empty());
    EXPECT_NE(message.find("\r\n\r\nReport attached.\r\n.\r\n.starts with a dot\r\nend\r\n"),
              std::string::npos);
    EXPECT_NE(message.find("Subject: Weekly traffic\r\n"), std::string::npos);
    EXPECT_NE(message.find("\r\n\r\n--===============================--\r\n"), std::string::npos);
    EXPECT_EQ(message.find("missing.doc"), std::string::npos);
    std::string parts = SinkFolder() + "mail-1.parts\\";
    for (const File& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(ovtest::FileExistsAt(parts + f.name));
        EXPECT_TRUE(ovtest::ReadFileBytes(parts + f.name) == f.bytes);
    }
    EXPECT_EQ(ovtest::ReadFileBytes(SinkFolder() + "mail-1.rcpt"),
              "one@example.org\ntwo@example.org\n");

    // The plain entry point mails the files it is given the same way.
    const char* report[] = {pathPointers[2]};
    ASSERT_EQ(OVKIT_SendMail(nullptr, "three@example.org", 1, report, 2), 0)
        << OVKIT_GetLastMailError();
    ASSERT_FALSE(WaitForSinkMail(2).empty());
    EXPECT_TRUE(ovtest::ReadFileBytes(SinkFolder() + "mail-2.parts\\index.htm") == html);
    EXPECT_EQ(ovtest::ReadFileBytes(SinkFolder() + "mail-2.rcpt"), "three@example.org\n");
}

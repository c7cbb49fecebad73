// Upload of report files to the loopback FTP server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "msgbox_watcher.h"
#include "ovkit/ftp.h"
#include "test_server.h"

namespace {

using ftptest::ReadBytes;
using ftptest::ServedPath;
using ftptest::Server;

class FtpUploadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Server().ok) << "run through ctest: the FTP test servers are not up";
        local_ = ftptest::LocalFolder();
        static int counter = 0;
        remote_ = "upload/put" + std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
        CreateDirectoryA(ServedPath(remote_).c_str(), nullptr);
    }
    void TearDown() override {
        if (!local_.empty())
            ftptest::RemoveLocalFolder(local_);
    }
    std::string Address(const std::string& rest, int port = 0) {
        return "127.0.0.1:" + std::to_string(port ? port : Server().port) + "/" + remote_ + rest;
    }
    std::string local_, remote_;
};

TEST_F(FtpUploadTest, FilesArriveByteForByteInTheAddressFolder) {
    std::string binary;
    for (int i = 0; i < 70000; i++)
        binary += char(i * 31 % 256);
    const std::vector<std::pair<std::string, std::string>> files = {
        {"report.htm", "<html>\r\n.\r\n</html>\n"}, {"graph.gif", binary}};
    std::vector<std::string> paths;
    for (const auto& f : files) {
        paths.push_back(local_ + f.first);
        ASSERT_TRUE(ftptest::WriteBytes(paths.back(), f.second));
    }
    std::vector<const char*> list = {paths[0].c_str(), paths[1].c_str()};
    struct Case {
        std::string address;
        std::string folder;
    } cases[] = {
        {"ftp://" + Address("/"), remote_},
        {"FTP://" + Address("/a/index.htm"), remote_ + "/a"},
    };
    CreateDirectoryA(ServedPath(remote_ + "/a").c_str(), nullptr);
    ovtest::MsgBoxWatcher boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(
            OVKIT_FTPSendFiles(nullptr, c.address.c_str(), 2, list.data(), "weblogs", "secret"), 1);
        for (const auto& f : files)
            EXPECT_TRUE(ReadBytes(ServedPath(c.folder + "/" + f.first)) == f.second) << f.first;
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FtpUploadTest, FailuresAreShownAndAnswerZero) {
    std::string path = local_ + "r.htm";
    ASSERT_TRUE(ftptest::WriteBytes(path, "report"));
    const char* list[] = {path.c_str()};
    struct Case {
        const char* what;
        std::string address;
        const char* password;
        std::string firstBox;
        const char* serverSays; // the server's answer in a second box, or null
    } cases[] = {
        {"refused login", Address("/"), "wrong",
         "Unable to connect to the URL\r\n127.0.0.1\r\nfor FTP upload.", nullptr},
        {"no server", Address("/", ftptest::ClosedPort()), "secret",
         "Unable to connect to the URL\r\n127.0.0.1\r\nfor FTP upload.", nullptr},
        {"missing folder", Address("/none/"), "secret",
         "Unable to transmit\r\n" + path + "\r\nto /" + remote_ +
             "/none/r.htm\r\nduring FTP upload.",
         "550"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ovtest::MsgBoxWatcher boxes;
        EXPECT_EQ(OVKIT_FTPSendFiles(nullptr, c.address.c_str(), 1, list, "weblogs", c.password),
                  0);
        ASSERT_TRUE(boxes.WaitFor(1));
        EXPECT_EQ(boxes.Seen()[0].text, c.firstBox);
        EXPECT_EQ(boxes.Seen()[0].caption, "Ostrevane User Interface DLL");
        if (c.serverSays) {
            ASSERT_TRUE(boxes.WaitFor(2));
            EXPECT_NE(boxes.Seen()[1].text.find(c.serverSays), std::string::npos)
                << boxes.Seen()[1].text;
        } else {
            EXPECT_EQ(boxes.Count(), 1u);
        }
    }
}

} // namespace

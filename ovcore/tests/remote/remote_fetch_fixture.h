// What the HTTP and FTP fetch tests share: an install folder whose data
// folder the engine uses, the network libraries bound, a client status
// window, remote profiles, and the client's loop of open, poll and close.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logread_fixtures.h"
#include "msgbox_watcher.h"
#include "ovcore/ovcore.h"

namespace fetchtest {

// A log of n bytes whose text depends on seed (lines of a common log).
std::string LogBytes(size_t n, int seed);

struct FetchResult {
    short opened;
    short closed;
    std::string error;
};

class RemoteFetchTest : public ::testing::Test {
  protected:
    explicit RemoteFetchTest(DWORD protocol) : protocol_(protocol) {}
    // Call first in the derived SetUp; false when it failed.
    void SetUpEngine();
    void TearDown() override;

    // [Defaults] keys of the engine's settings files, then a reload.
    void Settings(const char* mode, const char* timeout, const char* proxy = "",
                  const char* proxyAuth = "", const char* passive = "0");
    // Writes the profile name.wlp with one server (url without its prefix)
    // and reads it back as the client's copy.
    void Profile(const std::string& name, const std::string& url, const char* user = "",
                 const char* password = "");
    // The client's loop: open, poll while pumping messages, close.
    FetchResult Fetch(const std::string& name);
    std::string Copy(const std::string& name, const std::string& file);
    // Fetches name's logs with a registered engine, then runs a statistics
    // report over the copies; the records the run read (-1: it did not open).
    long RunOverFetchedLogs(const std::string& name);
    // Closes a running fetch as a cancelling client does: within limitMs,
    // with the aborted text, the copy of name's file still good and no
    // temporary file left.
    void ExpectCancelKeeps(UrlFetchHandle handle, const std::string& name, const std::string& file,
                           const std::string& good, DWORD limitMs);
    // Temporary files the fetch left in the data folder.
    std::vector<std::string> StrayFiles();

    ovtest::MsgBoxWatcher boxes_;
    logtest::ErrorRecorder errors_;
    logtest::LogInstall install_;
    std::string saved_;
    HWND window_ = nullptr;
    AnalysisProfile* client_ = nullptr;

  private:
    DWORD protocol_;
};

} // namespace fetchtest

// Shared fixtures of the log-reading tests: generated logs, archives made
// with zlib, a recording error display and reading every hit of a file list.
#pragma once
#include "ovcore/fileinfo.h"
#include "ovcore/logread.h"
#include "temp_install.h"
#include <string>
#include <vector>

namespace logtest {

// Seconds of 1999-10-10 00:00:00 read as UTC.
const DWORD kDay = 939513600;

// One common-log line at kDay + seconds.
std::string CommonLine(int client, DWORD seconds, const std::string& url, int bytes = 100);
// lines lines, one every step seconds from kDay + first.
std::string CommonLog(int lines, DWORD first, DWORD step, int client = 1);

std::string GzipBytes(const std::string& plain);
// A zip archive with deflated members (name, data).
std::string ZipBytes(const std::vector<std::pair<std::string, std::string>>& members);

struct Hit {
    DWORD time;
    std::string url;
    DWORD status;
    WORD server;
    bool operator==(const Hit& o) const {
        return time == o.time && url == o.url && status == o.status && server == o.server;
    }
};

// Every hit of the list opened for the whole time span, in the order handed out.
std::vector<Hit> ReadAllHits(FileInfo* info, DWORD start = 0, DWORD end = 0xFFFFFFFF);
// Every hit of one file read record after record from position 0.
std::vector<Hit> ReadFileHits(LogFile* file, DWORD* skipped = nullptr);

// Records the engine's error-display calls (and installs itself while alive).
class ErrorRecorder {
  public:
    ErrorRecorder();
    ~ErrorRecorder();
    std::vector<std::string> texts;
    std::vector<std::string> captions;
};

// An install folder whose datfiles folder the log reading uses.
class LogInstall : public ovtest::TempInstall {
  public:
    LogInstall();
    ~LogInstall();
};

} // namespace logtest

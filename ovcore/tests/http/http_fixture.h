// The loopback servers of the HTTP tests: the nginx that CTest starts around
// the test program (scripts/http-test-server.sh), and small servers of the
// test's own for answers nginx never gives.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>
#include <thread>

namespace httptest {

// The nginx fixture's folder (Windows form, trailing backslash), or empty
// when the test program runs without it.
std::string FixtureFolder();
// A number written in a file of the fixture folder ("port", "proxyport").
int FixtureNumber(const char* file);
// The lines of a fixture log ("access.log"), each "uri status range bytes".
std::vector<std::string> FixtureLog(const char* file);

// A server on 127.0.0.1 that either never answers (it listens but never
// accepts) or answers every request with the given bytes and then closes.
class OwnServer {
  public:
    explicit OwnServer(const std::string& answer, bool answers = true);
    ~OwnServer();
    int Port() const { return port_; }

  private:
    void Serve();
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::string answer_;
    bool stop_ = false;
    std::thread thread_;
};

// A port on 127.0.0.1 where a connect never completes: its listener's queue
// is full (it never accepts), so the SYNs of a new connect are dropped.
class StuckConnects {
  public:
    StuckConnects();
    ~StuckConnects();
    int Port() const { return port_; }
    // True once a connect is seen to hang.
    bool Stuck() const { return stuck_; }

  private:
    SOCKET listener_ = INVALID_SOCKET;
    std::vector<SOCKET> fillers_;
    int port_ = 0;
    bool stuck_ = false;
};

// A port on 127.0.0.1 where nothing listens.
int ClosedPort();

} // namespace httptest

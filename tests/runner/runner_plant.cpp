// Faults planted for the test runner's own check (check_runner.sh):
// each case is run alone through scripts/wine-test.sh, which must fail it and
// name it. Never run without a filter.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// A child copy of this program running one passing test: it prints its own
// "[  PASSED  ] 1 test." into the parent's console.
void RunChildThatPasses() {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=RunnerPlant.Passes";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &child));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 60000));
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
}

// Blocks until the runner ends the program.
void Hang() {
    for (;;)
        Sleep(1000);
}

TEST(RunnerPlant, Passes) {}

TEST(RunnerPlant, Skips) {
    GTEST_SKIP() << "planted skip";
}

TEST(RunnerPlant, FailsWithAMessage) {
    EXPECT_EQ(1, 2) << "planted failure";
}

TEST(RunnerPlant, Hangs) {
    Hang();
}

TEST(RunnerPlant, HangsAfterAChildPrintsItsSummary) {
    RunChildThatPasses();
    Hang();
}

TEST(RunnerPlant, ExitsWithSuccessMidRun) {
    ExitProcess(0);
}

TEST(RunnerPlant, ExitsAfterAChildPrintsItsSummary) {
    RunChildThatPasses();
    ExitProcess(0);
}

} // namespace

// The system's console programs run the engine unattended: an engine message
// goes to standard error and fails the run instead of waiting on a box.
#include <gtest/gtest.h>
#include <stdlib.h>
#include "logread_fixtures.h"
#include "wait_until.h"
#include <functional>
#include <memory>
#include <string>

using namespace logtest;

namespace {

// A program of the build, beside this test program.
std::string ProgramPath(const char* name) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

struct Outcome {
    bool ended = false;
    DWORD exitCode = 0;
    std::string output; // standard output and error together
};

// Runs a program with its output in a file; stops it when it takes longer
// than timeoutMs. prepare, when given, gets the process id before the
// program's first instruction runs.
Outcome RunProgram(const std::string& commandLine, const std::string& outputPath, DWORD timeoutMs,
                   const std::function<void(DWORD)>& prepare = nullptr) {
    Outcome result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return result;
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = out;
    start.hStdError = out;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    BOOL started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, prepare ? CREATE_SUSPENDED : 0,
                       nullptr, nullptr, &start, &process);
    CloseHandle(out);
    if (!started)
        return result;
    if (prepare) {
        prepare(process.dwProcessId);
        ResumeThread(process.hThread);
    }
    result.ended = ovtest::WaitUntil(
        [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (!result.ended)
        TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.output = ovtest::ReadFileBytes(outputPath);
    return result;
}

// The report program writes the report of a log whose first line is newer
// than its last (the range runs from the older to the newer), and fails
// with a message for a log that is not there.
TEST(ConsoleTools, ReportProgramWritesTheReportOrSaysWhyNot) {
    ovtest::TempInstall install;
    std::string log = install.Path("a.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, logtest::CommonLine(1, 7200, "/late.html") +
                                                CommonLog(5, 0, 60)));
    std::string program = "\"" + ProgramPath("ovreport.exe") + "\" --out \"";
    Outcome run = RunProgram(program + install.Path("rep\\index.htm") + "\" \"" + log + "\"",
                             install.Path("out.txt"), 60000);
    ASSERT_TRUE(run.ended) << "still running";
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    std::string page = ovtest::ReadFileBytes(install.Path("rep\\index.htm"));
    EXPECT_NE(page.find("/late.html"), std::string::npos);

    Outcome missing = RunProgram(program + install.Path("none\\index.htm") + "\" \"" +
                                     install.Path("none.log") + "\"",
                                 install.Path("missing.txt"), 60000);
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_FALSE(ovtest::FileExistsAt(install.Path("none\\index.htm")));
    EXPECT_EQ(
        RunProgram("\"" + ProgramPath("ovreport.exe") + "\"", install.Path("usage.txt"), 20000)
            .exitCode,
        2u);
}

// The number after "name: " in a program's output, or -1 when it is missing.
double Figure(const std::string& output, const std::string& name) {
    size_t at = output.find(name + ": ");
    return at == std::string::npos ? -1 : atof(output.c_str() + at + name.size() + 2);
}

// The page without its lines that name the moment of writing or the
// program's throw-away install folder, which differ from run to run.
std::string WithoutRunMarks(const std::string& page) {
    std::string kept;
    for (size_t at = 0; at < page.size();) {
        size_t end = page.find('\n', at);
        end = end == std::string::npos ? page.size() : end + 1;
        std::string line = page.substr(at, end - at);
        if (line.find("generated on") == std::string::npos &&
            line.find("Written by") == std::string::npos &&
            line.find("Word processor settings") == std::string::npos)
            kept += line;
        at = end;
    }
    return kept;
}

// --stats tells the lines read, the times and the peak working set after
// the report, and the report is the one written without it.
TEST(ConsoleTools, ReportProgramStatsTellTheRunAndLeaveTheReportAlone) {
    ovtest::TempInstall install;
    std::string log = install.Path("a.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, CommonLog(7, 0, 60)));
    std::string page = install.Path("rep\\index.htm");
    std::string tail = " --out \"" + page + "\" \"" + log + "\"";
    std::string program = "\"" + ProgramPath("ovreport.exe") + "\"";
    Outcome plain = RunProgram(program + tail, install.Path("plain.txt"), 60000);
    ASSERT_EQ(plain.exitCode, 0u) << plain.output;
    EXPECT_EQ(plain.output.find("lines read"), std::string::npos) << plain.output;
    std::string plainPage = WithoutRunMarks(ovtest::ReadFileBytes(page));
    ASSERT_NE(plainPage.find("/p6.html"), std::string::npos);

    Outcome counted = RunProgram(program + " --stats" + tail, install.Path("stats.txt"), 60000);
    ASSERT_EQ(counted.exitCode, 0u) << counted.output;
    EXPECT_EQ(WithoutRunMarks(ovtest::ReadFileBytes(page)), plainPage);
    // What the run without the flag prints (the page's path) comes first.
    EXPECT_EQ(counted.output.rfind(plain.output, 0), 0u) << counted.output;
    EXPECT_EQ(Figure(counted.output, "lines read"), 7) << counted.output;
    for (const char* name : {"run", "writing", "program", "lines per second"})
        EXPECT_GT(Figure(counted.output, name), 0) << name << "\n" << counted.output;
    EXPECT_GT(Figure(counted.output, "peak working set"), 1 << 20) << counted.output;
}

} // namespace

// Damaged archives used to open a message box that nobody answered, so the
// dump tool never ended.
TEST(ConsoleTools, DumpToolReportsDamagedArchivesAndEnds) {
    ovtest::TempInstall install;
    std::string log = CommonLog(40, 0, 3);
    std::string zip = ZipBytes({{"x.log", log}});
    std::string flipped = zip;
    for (size_t i = 40; i < 200; i += 3)
        flipped[i] = (char)~flipped[i];
    struct Case {
        const char* file;
        std::string bytes;
        const char* kind;
    } cases[] = {
        {"cut.gz", GzipBytes(log).substr(0, 30), "GZ"},
        {"cut.zip", zip.substr(0, zip.size() - 10), "ZIP"},
        {"flipped.zip", flipped, "ZIP"},
        // a short plain log that looks like a zip archive to the detection
        {"pk.log", "PKhost - - [10/Oct/1999:00:00:00 +0000] \"GET /PKG/a.htm HTTP/1.0\" 200 100\n",
         "ZIP"},
    };
    // A backslash before a closing quote would escape it on the command line.
    std::string temp = install.Data().substr(0, install.Data().size() - 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::string path = install.Path(c.file);
        ASSERT_TRUE(ovtest::WriteFileBytes(path, c.bytes));
        Outcome run = RunProgram("\"" + ProgramPath("ovlogdump.exe") + "\" -t \"" + temp + "\" \"" +
                                     path + "\"",
                                 install.Path("out.txt"), 20000);
        ASSERT_TRUE(run.ended) << "still running";
        EXPECT_NE(run.exitCode, 0u);
        EXPECT_NE(run.output.find("Ostrevane: A problem was enountered during \r\ndecompression of "
                                  "the " +
                                  std::string(c.kind) + " file \r\n" + path + ".\n"),
                  std::string::npos)
            << run.output;
    }
}

// The engine loads its texts from its client's module: a program that uses
// the engine carries them, or its messages read "String Not Found!".
TEST(ConsoleTools, ProgramsCarryTheEngineTexts) {
    for (const char* program : {"ovlogdump.exe", "ovrundump.exe", "ovreport.exe", "ovprofile.exe",
                                "ovcore_readbench.exe"}) {
        SCOPED_TRACE(program);
        HMODULE module =
            LoadLibraryExA(ProgramPath(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        char text[256] = "";
        EXPECT_GT(LoadStringA(module, 5716, text, sizeof text), 0);
        EXPECT_EQ(std::string(text).rfind("A problem was enountered", 0), 0u) << text;
        FreeLibrary(module);
    }
}

// The run dump prints the period block and every table, each table in its
// sorted order, and ends by itself.
TEST(ConsoleTools, RunDumpPrintsThePeriodBlockAndEveryTable) {
    ovtest::TempInstall install;
    std::string log = install.Path("a.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, CommonLog(30, 0, 60)));
    Outcome run = RunProgram("\"" + ProgramPath("ovrundump.exe") + "\" \"" + log + "\"",
                             install.Path("out.txt"), 60000);
    ASSERT_TRUE(run.ended) << "still running";
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    for (const char* line :
         {"period\tIntervals\t", "period\tHits", "period\tFailed404\t", "table\t0\tTopWeekdays\t",
          "table\t43\tTopSearchPhraseEngines\t", "table\t44\tVisitors\t"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;

    Outcome usage = RunProgram("\"" + ProgramPath("ovrundump.exe") + "\" --dns",
                               install.Path("usage.txt"), 20000);
    EXPECT_EQ(usage.exitCode, 2u);
}

namespace {

// An install folder of a run in the temporary folder, made here; its lock
// file held open (a running program's) or not (a killed one's).
struct RunFolder {
    RunFolder(const std::string& name, bool held) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + name + "\\";
        CreateDirectoryA(path.c_str(), nullptr);
        lock = CreateFileA((path + "owner.lock").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (!held) {
            CloseHandle(lock);
            lock = INVALID_HANDLE_VALUE;
        }
    }
    ~RunFolder() {
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        ovtest::RemoveTree(path);
    }
    bool Exists() const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string path;
    HANDLE lock = INVALID_HANDLE_VALUE;
};

} // namespace

// A killed run leaves its install folder, named after its process id; a
// later run given the same id used to fail to make its own.
TEST(ConsoleTools, InstallFoldersOfKilledRunsNeitherStopNorOutliveLaterRuns) {
    ovtest::TempInstall install;
    std::string log = install.Path("a.log");
    ASSERT_TRUE(ovtest::WriteFileBytes(log, CommonLog(3, 0, 60)));
    RunFolder killed("ovrundump999999", false), running("ovrundump999998", true);
    std::unique_ptr<RunFolder> sameId;
    Outcome run = RunProgram(
        "\"" + ProgramPath("ovrundump.exe") + "\" \"" + log + "\"", install.Path("out.txt"), 60000,
        [&](DWORD id) { sameId.reset(new RunFolder("ovrundump" + std::to_string(id), true)); });
    ASSERT_TRUE(run.ended) << "still running";
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_FALSE(killed.Exists());
    EXPECT_TRUE(running.Exists());
    ASSERT_TRUE(sameId);
    EXPECT_TRUE(sameId->Exists());
    std::string own = sameId->path.substr(0, sameId->path.size() - 1) + "-1";
    EXPECT_EQ(GetFileAttributesA(own.c_str()), INVALID_FILE_ATTRIBUTES) << "not removed at the end";
}

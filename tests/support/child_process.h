// Runs a program of a test's install as a child process, its standard output
// and error going to a file, and waits for it with a time limit.
#pragma once
#include <windows.h>
#include <string>

namespace ovtest {

struct ChildRun {
    bool started = false;
    bool timedOut = false; // ended by the test at its limit (exit code 99)
    DWORD exitCode = ~0u;
    std::string output; // what it printed, CR left out
};

// commandLine: the whole line, program first; folder: the working folder;
// outputPath: the file that receives what the program prints.
ChildRun RunChild(const std::string& commandLine, const std::string& folder,
                  const std::string& outputPath, DWORD limitMs);

} // namespace ovtest

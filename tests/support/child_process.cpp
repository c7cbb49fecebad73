#include "child_process.h"
#include "temp_install.h"

namespace ovtest {

ChildRun RunChild(const std::string& commandLine, const std::string& folder,
                  const std::string& outputPath, DWORD limitMs) {
    ChildRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = start.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    run.started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                 folder.c_str(), &start, &process) != 0;
    CloseHandle(output);
    if (!run.started)
        return run;
    if (WaitForSingleObject(process.hProcess, limitMs) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
        run.timedOut = true;
    }
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    // Line ends as the console gives them do not matter to the tests.
    for (char c : ReadFileBytes(outputPath))
        if (c != '\r')
            run.output += c;
    return run;
}

} // namespace ovtest

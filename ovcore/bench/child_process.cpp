#include "child_process.h"

BOOL RunCapturingOutput(const std::string& command, std::string* output, DWORD* exitCode) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
    HANDLE readEnd = NULL, writeEnd = NULL;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return FALSE;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA start = {};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = writeEnd;
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string line = command; // CreateProcessA may write into it
    BOOL started =
        CreateProcessA(NULL, &line[0], NULL, NULL, TRUE, 0, NULL, NULL, &start, &process);
    CloseHandle(writeEnd);
    if (started) {
        char block[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, block, sizeof(block), &got, NULL) && got > 0)
            output->append(block, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return started;
}

#include "analyser_run.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "child_process.h"
#include "ovkit/dll_binding.h"

namespace {

// Wine's own export that names the Unix file behind a Windows path (the
// text comes from the process heap).
typedef char*(CDECL* UnixFileNameFn)(const WCHAR* dosName);

std::string UnixPath(const char* windowsPath) {
    UnixFileNameFn toUnix = OvkitProcAddress<UnixFileNameFn>(GetModuleHandleA("kernel32.dll"),
                                                             "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, windowsPath, -1, wide, MAX_PATH))
        return "";
    char* unix = toUnix(wide);
    std::string path = unix ? unix : "";
    if (unix)
        HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

// The analyser as Windows sees it: "Z:" and the Unix path with backslashes.
BOOL AnalyserInstalled(const char* analyser) {
    std::string windows = std::string("Z:") + analyser;
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    DWORD attributes = GetFileAttributesA(windows.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// $1 analyser, $2 log, $3 output folder, $4 file for the milliseconds taken.
const char kScript[] =
    "#!/bin/sh\n"
    "start=$(date +%s%N)\n"
    "\"$1\" -G +C'ALL ON' +O\"$3/report.html\" \"$2\" >\"$3/analog.txt\" 2>&1\n"
    "end=$(date +%s%N)\n"
    "echo $(( (end - start) / 1000000 )) >\"$4.part\" && mv \"$4.part\" \"$4\"\n";

BOOL WriteText(const std::string& path, const char* text) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return FALSE;
    BOOL ok = fputs(text, f) >= 0;
    return fclose(f) == 0 && ok;
}

// Waits for the file of milliseconds; FALSE after an hour.
BOOL WaitForMilliseconds(const std::string& path, double* seconds) {
    for (DWORD waited = 0; waited < 3600 * 1000; waited += 20) {
        FILE* f = fopen(path.c_str(), "rb");
        if (f) {
            unsigned long ms = 0;
            int read = fscanf(f, "%lu", &ms);
            fclose(f);
            *seconds = ms / 1000.0;
            return read == 1;
        }
        Sleep(20);
    }
    return FALSE;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

AnalyserOutcome RunAnalyser(const char* analyser, const char* log, const char* folder,
                            double* seconds) {
    if (!AnalyserInstalled(analyser))
        return ANALYSER_ABSENT;
    std::string base = std::string(folder) + "\\";
    std::string script = base + "run.sh", output = base + "out", done = base + "ms.txt";
    CreateDirectoryA(folder, NULL);
    CreateDirectoryA(output.c_str(), NULL);
    DeleteFileA(done.c_str());
    std::string unixScript = UnixPath(script.c_str()), unixLog = UnixPath(log),
                unixOutput = UnixPath(output.c_str()), unixDone = UnixPath(done.c_str());
    if (unixScript.empty() || unixLog.empty() || unixOutput.empty() || unixDone.empty() ||
        !WriteText(script, kScript))
        return ANALYSER_FAILED;
    std::string command = "start.exe /unix /bin/sh " + Quoted(unixScript) + " " + Quoted(analyser) +
                          " " + Quoted(unixLog) + " " + Quoted(unixOutput) + " " + Quoted(unixDone);
    std::string ignored;
    DWORD code = 1;
    if (!RunCapturingOutput(command, &ignored, &code) || !WaitForMilliseconds(done, seconds))
        return ANALYSER_FAILED;
    return ANALYSER_TIMED;
}

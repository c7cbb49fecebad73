// ovcore_runbench: a whole report run of kind 6 (DNS off, every table of the
// default set in use) over generated combined logs of two sizes, each run in
// a child process of its own so that each has its own peak working set.
//
//   ovcore_runbench [-n lines] [-d folder] [-k] [-u] [-a analyser]
//
// -n: lines of the smaller log (default 1,000,000; the larger one has ten
// times as many); -d: folder for the logs (default: "ovrunbench" in the
// system's temporary folder); -k: keep them; -u: use the logs a kept folder
// holds (written only when missing); -a: Unix path of Analog (default
// /usr/bin/analog), run on the same logs where it is installed.
// Prints, per log, the plain read-and-split loop as the baseline, the run's
// lines/s and peak working set, the ratio of the two, Analog's time where
// present, and last the ratio of the larger log's run time to the smaller's.
// Runs the engine unattended: its messages go to standard error and fail
// the run. The child is the same program started with "--run <log>".
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "analyser_run.h"
#include "bench_logs.h"
#include "bench_options.h"
#include "bench_passes.h"
#include "child_process.h"
#include "core/message_sink.h"
#include "common/tool_install.h"

#include <psapi.h> // after windows.h

namespace {

const char kRunFlag[] = "--run";

struct Options {
    BenchLogOptions logs;
    char analyser[MAX_PATH] = "/usr/bin/analog";
};

BOOL ParseOptions(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc;) {
        int used = TakeBenchLogOption(argc, argv, i, &o->logs);
        if (!used && strcmp(argv[i], "-a") == 0 && i + 1 < argc) {
            lstrcpynA(o->analyser, argv[i + 1], MAX_PATH);
            used = 2;
        }
        if (!used)
            return FALSE;
        i += used;
    }
    FinishBenchLogOptions(&o->logs, "ovrunbench");
    return o->logs.lines > 0 && o->logs.lines <= 400000000;
}

// ---- the child: one whole run ----

DWORD g_pumps = 0;

// The client's message pump, as the plug-in gives it; counted, so that the
// output shows how often the engine calls it.
int CALLBACK Pump() {
    g_pumps++;
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

SIZE_T PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return memory.PeakWorkingSetSize;
}

// Runs the whole report over `log` and prints one "result" line: records,
// wall seconds of the run and of its close, processor seconds, peak working
// set in bytes, pump calls. 0 when the run went through.
int RunChild(const char* log) {
    ovtool::ToolInstall install;
    if (!install.Make("ovrunbench", "", Pump)) {
        fprintf(stderr, "cannot make the install folder %s\n", install.Root().c_str());
        return 1;
    }
    char* logs[] = {const_cast<char*>(log)};
    AnalysisProfile* profile = ovtool::MakeLogProfile(install, "ovrunbench", logs, 1, FALSE);
    if (!profile)
        return 1;
    PassClock t0, t1, t2;
    DWORD records = 0;
    ovtool::RunRequest request;
    request.name = "ovrunbench";
    request.everyTable = true; // every table of the default set
    request.records = &records;
    ReadPassClock(&t0);
    ReportHandle* report = ovtool::RunLogsToEnd(profile, request);
    ReadPassClock(&t1);
    ORB_CloseReport(report, nullptr);
    ReadPassClock(&t2);
    BenchPass run = {}, close = {}, whole = {};
    SetPassTimes(t0, t1, &run);
    SetPassTimes(t1, t2, &close);
    SetPassTimes(t0, t2, &whole);
    printf("result %lu %.3f %.3f %.3f %llu %lu\n", (unsigned long)records, run.seconds,
           close.seconds, whole.cpuSeconds, (unsigned long long)PeakWorkingSet(),
           (unsigned long)g_pumps);
    ORB_FreeURL(profile);
    AnalysisProfile_Free(profile);
    return report && Engine_ErrorCount() == 0 ? 0 : 1;
}

// ---- the parent ----

struct RunFigures {
    unsigned long records = 0, pumps = 0;
    double seconds = 0, closeSeconds = 0, cpuSeconds = 0;
    unsigned long long peak = 0;
    double Whole() const { return seconds + closeSeconds; }
};

// Starts this program with "--run <log>", its standard output in a pipe,
// and reads the figures from the "result" line. FALSE when it failed.
BOOL RunInChild(const char* log, RunFigures* out) {
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" " + kRunFlag + " \"" + log + "\"";
    std::string output;
    DWORD code = 1;
    if (!RunCapturingOutput(command, &output, &code))
        return FALSE;
    size_t at = output.find("result ");
    if (at == std::string::npos) {
        fprintf(stderr, "%s", output.c_str());
        return FALSE;
    }
    int fields =
        sscanf(output.c_str() + at, "result %lu %lf %lf %lf %llu %lu", &out->records, &out->seconds,
               &out->closeSeconds, &out->cpuSeconds, &out->peak, &out->pumps);
    return fields == 6 && code == 0;
}

struct SizeFigures {
    BenchPass plain = {};
    RunFigures run;
};

void PrintSize(const char* title, const SizeFigures& f) {
    const RunFigures& r = f.run;
    printf("%s: %.1f MB, %llu lines\n", title, (double)f.plain.bytes / 1e6,
           (unsigned long long)f.plain.lines);
    printf("  plain read-and-split   %8.3f s %11.0f lines/s\n", f.plain.seconds,
           f.plain.lines / f.plain.seconds);
    printf("  whole run              %8.3f s %11.0f lines/s  (records %lu; close %.3f s; %lu pump "
           "calls)\n",
           r.Whole(), r.records / r.Whole(), r.records, r.closeSeconds, r.pumps);
    printf("  by processor time      %8.3f s %11.0f lines/s\n", r.cpuSeconds,
           r.cpuSeconds > 0 ? r.records / r.cpuSeconds : 0);
    printf("  peak working set       %8.1f MiB\n", r.peak / 1048576.0);
    printf("  ratio run / plain: %.2f (plain seconds / run seconds)\n",
           r.Whole() > 0 ? f.plain.seconds / r.Whole() : 0);
}

// Writes (or reuses) the log, then times the plain loop (best of two, so
// that the file is in the page cache) and the run.
BOOL MeasureSize(const Options& o, const char* path, DWORD lines, SizeFigures* f) {
    ULONGLONG bytes = 0;
    BOOL reuse = o.logs.reuse && BenchLogExists(path);
    if (!reuse && !WriteCombinedLog(path, lines, &bytes)) {
        fprintf(stderr, "cannot write %s\n", path);
        return FALSE;
    }
    for (int i = 0; i < 2; i++) {
        BenchPass p;
        if (!RunPlainPass(path, &p)) {
            fprintf(stderr, "cannot read %s\n", path);
            return FALSE;
        }
        if (i == 0 || p.seconds < f->plain.seconds)
            f->plain = p;
    }
    if (!RunInChild(path, &f->run)) {
        fprintf(stderr, "the run over %s failed\n", path);
        return FALSE;
    }
    return TRUE;
}

// Analog's script, output and time go to "<logs folder>\analog".
std::string AnalyserFolder(const Options& o) {
    return std::string(o.logs.folder) + "\\analog";
}

void PrintAnalyser(const Options& o, const char* log, const RunFigures& run) {
    double seconds = 0;
    AnalyserOutcome outcome = RunAnalyser(o.analyser, log, AnalyserFolder(o).c_str(), &seconds);
    if (outcome == ANALYSER_ABSENT)
        printf("  analog: absent (not installed)\n");
    else if (outcome == ANALYSER_FAILED)
        printf("  analog: did not finish\n");
    else
        printf("  analog                 %8.3f s; ratio analog / run: %.2f\n", seconds,
               run.Whole() > 0 ? seconds / run.Whole() : 0);
}

int RunParent(const Options& o) {
    CreateDirectoryA(o.logs.folder, nullptr);
    const DWORD sizes[2] = {o.logs.lines, o.logs.lines * 10};
    SizeFigures figures[2];
    printf("ovcore_runbench: whole kind-6 runs (DNS off, every table in use), logs in %s\n",
           o.logs.folder);
    BOOL ok = TRUE;
    for (int i = 0; i < 2 && ok; i++) {
        char path[MAX_PATH], title[64];
        snprintf(path, sizeof path, "%s\\combined-%lu.log", o.logs.folder, (unsigned long)sizes[i]);
        snprintf(title, sizeof title, "combined, %lu lines", (unsigned long)sizes[i]);
        ok = MeasureSize(o, path, sizes[i], &figures[i]);
        if (ok) {
            PrintSize(title, figures[i]);
            PrintAnalyser(o, path, figures[i].run);
        }
        if (!o.logs.keep)
            DeleteFileA(path);
        fflush(stdout);
    }
    if (ok) {
        const RunFigures &small = figures[0].run, &large = figures[1].run;
        printf("goals: at least 1000000 lines/s (%s: %.0f); peak at most 192 MiB at 1000000 "
               "lines (%.1f MiB at %lu)\n",
               small.records / small.Whole() >= 1e6 ? "reached" : "not reached",
               small.records / small.Whole(), small.peak / 1048576.0, (unsigned long)sizes[0]);
        printf("ratio of times, %lu / %lu lines: %.2f (goal: at most 11); by processor time: "
               "%.2f\n",
               (unsigned long)sizes[1], (unsigned long)sizes[0],
               small.Whole() > 0 ? large.Whole() / small.Whole() : 0,
               small.cpuSeconds > 0 ? large.cpuSeconds / small.cpuSeconds : 0);
    }
    if (!o.logs.keep) {
        ovtool::RemoveFolderTree(AnalyserFolder(o));
        RemoveDirectoryA(o.logs.folder);
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    if (argc == 3 && strcmp(argv[1], kRunFlag) == 0)
        return RunChild(argv[2]);
    Options o;
    if (!ParseOptions(argc, argv, &o)) {
        fprintf(stderr, "usage: ovcore_runbench [-n lines] [-d folder] [-k] [-u] [-a analyser]\n");
        return 2;
    }
    return RunParent(o);
}

// ovcore_readbench: how fast the engine turns log lines into hit records,
// measured beside a plain read-and-split loop over the same file in the
// same run.
//
//   ovcore_readbench [-n lines] [-r repeats] [-d folder] [-k] [-u] [-c]
//
// -n: lines per generated log (default 1,000,000); -r: runs of each pass,
// the best one counts (default 2); -d: folder for the generated logs
// (default: a folder under the system's temporary folder); -k: keep them;
// -u: use the logs a kept folder holds (written only when missing), so that
// a profile of the run is not taken up by writing them; -c: the combined
// log alone (the W3C log is neither written nor read).
// Prints lines/s and MB/s of each pass and the ratio reader / plain. Runs
// the engine unattended: its messages go to standard error and fail the run.
#include "bench_logs.h"
#include "bench_options.h"
#include "bench_passes.h"
#include "core/message_sink.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

struct Options {
    BenchLogOptions logs;
    int repeats = 2;
    BOOL combinedOnly = FALSE; // -c: the combined log alone
};

BOOL ParseOptions(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc;) {
        int used = TakeBenchLogOption(argc, argv, i, &o->logs);
        if (!used && strcmp(argv[i], "-r") == 0 && i + 1 < argc) {
            o->repeats = atoi(argv[i + 1]);
            used = 2;
        }
        if (!used && strcmp(argv[i], "-c") == 0) {
            o->combinedOnly = TRUE;
            used = 1;
        }
        if (!used)
            return FALSE;
        i += used;
    }
    if (o->repeats < 1)
        o->repeats = 1;
    FinishBenchLogOptions(&o->logs, "ovreadbench");
    return o->logs.lines > 0;
}

typedef BOOL (*PassFn)(const char* path, BenchPass* out);

BOOL RecordLoop(const char* path, BenchPass* out) {
    DWORD skipped;
    return RunRecordReaderPass(path, out, &skipped);
}

// The fastest of `repeats` runs of each pass, the passes taking turns in
// every round, so that a change in the machine's load hits them alike.
BOOL BestOfEach(const PassFn* passes, int count, const char* path, int repeats, BenchPass* best) {
    for (int i = 0; i < repeats; i++)
        for (int k = 0; k < count; k++) {
            BenchPass p;
            if (!passes[k](path, &p))
                return FALSE;
            if (i == 0 || p.seconds < best[k].seconds)
                best[k].seconds = p.seconds, best[k].lines = p.lines, best[k].bytes = p.bytes;
            if (i == 0 || p.cpuSeconds < best[k].cpuSeconds)
                best[k].cpuSeconds = p.cpuSeconds;
        }
    return TRUE;
}

double LinesPerSecond(const BenchPass& p) {
    return p.seconds > 0 ? (double)p.lines / p.seconds : 0;
}

void PrintPass(const char* name, const BenchPass& p) {
    double mb = (double)p.bytes / 1e6;
    printf("  %-22s %9llu lines %8.3f s %11.0f lines/s %8.1f MB/s %8.3f s cpu\n", name,
           (unsigned long long)p.lines, p.seconds, LinesPerSecond(p),
           p.seconds > 0 ? mb / p.seconds : 0, p.cpuSeconds);
}

// Times the three passes over one log; FALSE when a pass could not run.
BOOL MeasureLog(const char* title, const char* path, int repeats) {
    const PassFn passes[3] = {RunPlainPass, RunReportReaderPass, RecordLoop};
    BenchPass best[3];
    if (!BestOfEach(passes, 3, path, repeats, best)) {
        fprintf(stderr, "cannot read %s\n", path);
        return FALSE;
    }
    const BenchPass &plain = best[0], &report = best[1], &loop = best[2];
    printf("%s: %.1f MB, %llu lines\n", title, (double)plain.bytes / 1e6,
           (unsigned long long)plain.lines);
    PrintPass("plain read-and-split", plain);
    PrintPass("reader (report road)", report);
    PrintPass("reader (record loop)", loop);
    double ratio = plain.seconds > 0 && report.seconds > 0 ? plain.seconds / report.seconds : 0;
    double cpuRatio =
        plain.cpuSeconds > 0 && report.cpuSeconds > 0 ? plain.cpuSeconds / report.cpuSeconds : 0;
    printf("  ratio reader / plain: %.2f (goal: at least 0.50); by processor time: %.2f\n", ratio,
           cpuRatio);
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    Options o;
    if (!ParseOptions(argc, argv, &o)) {
        fprintf(stderr,
                "usage: ovcore_readbench [-n lines] [-r repeats] [-d folder] [-k] [-u] [-c]\n");
        return 2;
    }
    const BenchLogOptions& logs = o.logs;
    CreateDirectoryA(logs.folder, nullptr);
    char combined[MAX_PATH], w3c[MAX_PATH];
    snprintf(combined, sizeof(combined), "%s\\combined.log", logs.folder);
    snprintf(w3c, sizeof(w3c), "%s\\w3c.log", logs.folder);
    ULONGLONG bytes = 0;
    printf("ovcore_readbench: %lu lines per log, best of %d runs, logs in %s\n",
           (unsigned long)logs.lines, o.repeats, logs.folder);
    BOOL ok =
        (logs.reuse && BenchLogExists(combined)) || WriteCombinedLog(combined, logs.lines, &bytes);
    ok = ok && (o.combinedOnly || (logs.reuse && BenchLogExists(w3c)) ||
                WriteW3CLog(w3c, logs.lines, &bytes));
    if (!ok)
        fprintf(stderr, "cannot write the logs in %s\n", logs.folder);
    else
        ok = MeasureLog("combined", combined, o.repeats) &&
             (o.combinedOnly || MeasureLog("w3c", w3c, o.repeats));
    if (!logs.keep) {
        DeleteFileA(combined);
        DeleteFileA(w3c);
        RemoveDirectoryA(logs.folder);
    }
    return ok && Engine_ErrorCount() == 0 ? 0 : 1;
}

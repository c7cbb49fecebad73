// The command-line options the benchmarks over generated logs share:
// -n lines, -d folder, -k (keep the logs), -u (use kept logs).
#pragma once
#include "ovcore/ovcore_base.h"

struct BenchLogOptions {
    DWORD lines = 1000000;
    char folder[MAX_PATH] = "";
    BOOL keep = FALSE;
    BOOL reuse = FALSE; // use the logs the folder holds, written only when missing
};

// Takes the option at argv[i] when it is one of these: the number of
// arguments it used (1 or 2), else 0.
int TakeBenchLogOption(int argc, char** argv, int i, BenchLogOptions* o);
// Sets the default folder ("<temp><name>") when none was given and drops a
// trailing backslash.
void FinishBenchLogOptions(BenchLogOptions* o, const char* name);
// Whether the file exists (a kept log).
BOOL BenchLogExists(const char* path);

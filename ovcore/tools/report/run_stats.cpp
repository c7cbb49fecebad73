#include "report/run_stats.h"

#include <psapi.h> // after windows.h

namespace ovtool {

Stopwatch::Stopwatch() {
    QueryPerformanceCounter(&start_);
}

double Stopwatch::Seconds() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)(now.QuadPart - start_.QuadPart) / (double)frequency.QuadPart;
}

void PrintRunStats(FILE* to, const RunStats& stats) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        memory.PeakWorkingSetSize = 0;
    double working = stats.runSeconds + stats.writingSeconds;
    fprintf(to, "lines read: %lu\n", stats.lines);
    fprintf(to, "run: %.3f s\n", stats.runSeconds);
    fprintf(to, "writing: %.3f s\n", stats.writingSeconds);
    fprintf(to, "program: %.3f s\n", stats.programSeconds);
    fprintf(to, "lines per second: %.0f\n", working > 0 ? stats.lines / working : 0.0);
    fprintf(to, "peak working set: %llu bytes (%.1f MiB)\n",
            (unsigned long long)memory.PeakWorkingSetSize, memory.PeakWorkingSetSize / 1048576.0);
    fflush(to);
}

} // namespace ovtool

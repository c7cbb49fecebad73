// What ovreport --stats tells after the report: how many lines the run
// read, how long the run and the writing took, and the process's peak
// working set.
#pragma once
#include <stdio.h>

#include "ovcore/ovcore_base.h"

namespace ovtool {

// A stopwatch on the performance counter.
class Stopwatch {
  public:
    Stopwatch();
    double Seconds() const; // since construction
  private:
    LARGE_INTEGER start_;
};

struct RunStats {
    unsigned long lines = 0;   // records the run read
    double runSeconds = 0;     // fetching the logs and reading them to their end
    double writingSeconds = 0; // writing the report's pages
    double programSeconds = 0; // from the program's start, set-up included
};

// Prints the figures, one "name: value" line each, with lines per second
// over the run and the writing and the peak working set (0 when the system
// cannot tell it).
void PrintRunStats(FILE* to, const RunStats& stats);

} // namespace ovtool

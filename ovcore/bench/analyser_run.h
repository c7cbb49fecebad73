// Runs a Linux log analyser (Analog) on a benchmark's log from the Windows
// side, for a time to hold the engine's run against.
#pragma once
#include "ovcore/ovcore_base.h"

enum AnalyserOutcome { ANALYSER_ABSENT, ANALYSER_FAILED, ANALYSER_TIMED };

// Runs the analyser at the Unix path `analyser` on `log` (a Windows path)
// with every report on, its output in "<folder>\out". It is started
// through Wine's "start /unix" with a small shell script written into
// `folder` (made when missing); start does not wait for a Unix program, so the script times the
// analyser itself and writes the milliseconds into a file that this
// function waits for (at most an hour). ANALYSER_TIMED with *seconds;
// ANALYSER_ABSENT when the analyser is not installed.
AnalyserOutcome RunAnalyser(const char* analyser, const char* log, const char* folder,
                            double* seconds);

// Host code 20: a report asked for on the host's command line,
//   /r "Report Profile Name" "Memorized Name" ["output path"]
//   /rf "Profile Filename" "Memorized Report Filename or Memorized Name" ["output path"]
#pragma once
#include "desk_types.h"
#include <cstddef>

// Longest quoted arguments, without their zero.
enum {
    COMMAND_PROFILE_CHARS = 80,
    COMMAND_DEFINITION_CHARS = DEFINITION_DESCRIPTION_CHARS,
    COMMAND_OUTPUT_CHARS = 260,
};

struct CommandLineRequest {
    int ByFileName; // "/rf"
    char Profile[COMMAND_PROFILE_CHARS + 1];
    char Definition[COMMAND_DEFINITION_CHARS + 1];
    char Output[COMMAND_OUTPUT_CHARS + 1];
    int DefinitionTooLong; // the saved report's name was longer than it can be
};

// Reads the quoted arguments that follow a "/r" or "/rf" at text: 1 when the
// profile and the definition are there and every argument fits, else 0
// (DefinitionTooLong set when the saved report's name did not fit).
// *next receives where the scan for a further request goes on.
int ParseCommandLineRequest(const char* text, CommandLineRequest* request, const char** next);

// Adds the event to the list and hands the host its entry (slots 8 and 9);
// HOST_DONE, or HOST_NO_MEMORY when nothing was scheduled.
int SubmitScheduleEvent(AnalysisProfile* profile, const ScheduleEvent& event);

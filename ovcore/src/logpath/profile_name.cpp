#include "logpath/profile_name.h"
#include <stdio.h>

const char* ProfileFileName(const AnalysisProfile* profile, char* name) {
    // Both fields hold at most 31 characters, so the result always fits.
    snprintf(name, PROFILE_FILENAME_SIZE, profile->Extension[0] ? "%.31s.%.31s" : "%.31s",
             profile->BaseName, profile->Extension);
    return name;
}

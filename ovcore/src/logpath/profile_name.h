// The file name of a profile ("%s.%s" of base name and extension), which
// names the profile's temporary unzip folder.
#pragma once
#include "ovcore/profile.h"

#define PROFILE_FILENAME_SIZE (PROFILE_BASENAME_SIZE + PROFILE_EXTENSION_SIZE)

// Into name (PROFILE_FILENAME_SIZE bytes); the base name alone when the
// extension is empty. Returns name.
const char* ProfileFileName(const AnalysisProfile* profile, char* name);

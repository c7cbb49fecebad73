// ovprofile: writes an analysis profile of local logs into a data folder,
// for setting up an install from a script:
//
//   ovprofile [--dns] [--home ADDRESS FILES] [--history] <data folder>
//             <base name> <description> log...
//
// The profile "<data folder>\<base name>.wlp" gets one local server reading
// the logs (made absolute, joined by "|"), DNS look-ups off unless asked.
// --home gives the web site's home page address (with its prefix) and its
// home page file names (separated by blanks); --history keeps a local history
// database of the profile; either gives it an include filter when it has none.
// Exit status 0 when written, 1 when it could not
// be, 2 for a bad command line.
#include <stdio.h>
#include <string.h>

#include <string>

#include "common/tool_install.h"
#include "core/message_sink.h"

namespace {
struct ProfileExtras {
    const char* HomeAddress = nullptr;
    const char* HomeFiles = nullptr;
    bool History = false;
};

// Takes the options after --dns; the index of the first other argument, or
// -1 for an option without its values.
int TakeExtras(int argc, char** argv, int first, ProfileExtras* extras) {
    while (first < argc) {
        if (strcmp(argv[first], "--home") == 0) {
            if (first + 2 >= argc)
                return -1;
            extras->HomeAddress = argv[first + 1];
            extras->HomeFiles = argv[first + 2];
            first += 3;
        } else if (strcmp(argv[first], "--history") == 0) {
            extras->History = true;
            ++first;
        } else {
            break;
        }
    }
    return first;
}

bool FitsIn(const char* text, size_t size) {
    return strlen(text) < size;
}

// Writes the extras into the profile file just made.
bool AddExtras(const std::string& file, const ProfileExtras& extras) {
    if (!extras.HomeAddress && !extras.History)
        return true;
    AnalysisProfile* profile = AnalysisProfile_New();
    if (!profile)
        return false;
    bool written = false;
    if (ReadOrbisFile(file.c_str(), profile) == 4) {
        if (extras.HomeAddress) {
            lstrcpynA(profile->HomePageBaseDir, extras.HomeAddress,
                      sizeof profile->HomePageBaseDir);
            lstrcpynA(profile->HomePageDefaults, extras.HomeFiles,
                      sizeof profile->HomePageDefaults);
        }
        if (extras.History)
            profile->SwiftmereFlag = SWIFTMERE_FILES;
        // An editor refuses a profile without an include filter.
        if (!profile->Filters)
            if (ProfileFilter* filter = CreateNewIncludeFilter()) {
                lstrcpynA(filter->Name, "Include Everything", sizeof filter->Name);
                AddFilterToProfile(filter, profile, -1);
            }
        written = WriteOrbisFile(file.c_str(), profile) != 0;
    }
    AnalysisProfile_Free(profile);
    return written;
}
} // namespace

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    BOOL dns = FALSE;
    ProfileExtras extras;
    int first = TakeExtras(argc, argv, ovtool::TakeDnsOption(argc, argv, &dns), &extras);
    if (first < 0 || argc - first < 4) {
        fprintf(stderr, "usage: ovprofile [--dns] [--home ADDRESS FILES] [--history] <data folder> "
                        "<base name> <description> log...\n");
        return 2;
    }
    if (extras.HomeAddress && (!FitsIn(extras.HomeAddress, PROFILE_HOMEPAGE_SIZE) ||
                               !FitsIn(extras.HomeFiles, PROFILE_HOMEPAGE_SIZE))) {
        fprintf(stderr, "a home page address or its file names are too long\n");
        return 2;
    }
    std::string folder = argv[first];
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    if (strlen(argv[first + 1]) > 8) {
        fprintf(stderr, "a profile's base name has at most 8 characters: %s\n", argv[first + 1]);
        return 2;
    }
    std::string file = folder + argv[first + 1] + ".wlp";
    if (!ovtool::WriteLogProfile(folder, argv[first + 1], argv[first + 2], argv + first + 3,
                                 argc - first - 3, dns) ||
        !AddExtras(file, extras)) {
        fprintf(stderr, "cannot write %s\n", file.c_str());
        return 1;
    }
    return 0;
}

// ovprofile: writes an analysis profile of local logs into a data folder,
// for setting up an install from a script:
//
//   ovprofile [--dns] <data folder> <base name> <description> log...
//
// The profile "<data folder>\<base name>.wlp" gets one local server reading
// the logs (made absolute, joined by "|"), DNS look-ups off unless asked.
// Exit status 0 when written, 1 when it could not be, 2 for a bad command
// line.
#include <stdio.h>
#include <string.h>

#include <string>

#include "common/tool_install.h"
#include "core/message_sink.h"

int main(int argc, char** argv) {
    Engine_StartUnattendedProgram();
    BOOL dns = FALSE;
    int first = ovtool::TakeDnsOption(argc, argv, &dns);
    if (argc - first < 4) {
        fprintf(stderr,
                "usage: ovprofile [--dns] <data folder> <base name> <description> log...\n");
        return 2;
    }
    std::string folder = argv[first];
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    if (strlen(argv[first + 1]) > 8) {
        fprintf(stderr, "a profile's base name has at most 8 characters: %s\n", argv[first + 1]);
        return 2;
    }
    if (!ovtool::WriteLogProfile(folder, argv[first + 1], argv[first + 2], argv + first + 3,
                                 argc - first - 3, dns)) {
        fprintf(stderr, "cannot write %s%s.wlp\n", folder.c_str(), argv[first + 1]);
        return 1;
    }
    return 0;
}

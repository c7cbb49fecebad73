#include "bench_options.h"

#include <stdlib.h>
#include <string.h>

int TakeBenchLogOption(int argc, char** argv, int i, BenchLogOptions* o) {
    if (strcmp(argv[i], "-n") == 0 && i + 1 < argc) {
        o->lines = strtoul(argv[i + 1], nullptr, 10);
        return 2;
    }
    if (strcmp(argv[i], "-d") == 0 && i + 1 < argc) {
        lstrcpynA(o->folder, argv[i + 1], MAX_PATH - 32);
        return 2;
    }
    if (strcmp(argv[i], "-k") == 0) {
        o->keep = TRUE;
        return 1;
    }
    if (strcmp(argv[i], "-u") == 0) {
        o->reuse = o->keep = TRUE;
        return 1;
    }
    return 0;
}

void FinishBenchLogOptions(BenchLogOptions* o, const char* name) {
    if (!o->folder[0]) {
        GetTempPathA(MAX_PATH - 32, o->folder);
        strncat(o->folder, name, MAX_PATH - 1 - strlen(o->folder));
    }
    size_t n = strlen(o->folder);
    if (n && o->folder[n - 1] == '\\')
        o->folder[n - 1] = 0;
}

BOOL BenchLogExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

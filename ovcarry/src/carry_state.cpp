#include "carry_state.h"
#include <stdio.h>
#include <string.h>

CarryState g_carry;

bool JoinPath(char* out, const char* folder, const char* relative) {
    int n = snprintf(out, MAX_PATH, "%s\\%s", folder, relative);
    if (n < 0 || n >= MAX_PATH) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool OldDataFolder(char* out) {
    return JoinPath(out, g_carry.OldFolder, g_carry.Newer ? "ovdesk\\datfiles" : "datfiles");
}

bool NewDataFolder(char* out) {
    return JoinPath(out, g_carry.ProgramFolder, "ovdesk\\datfiles");
}

const ProfileMapEntry* FindProfileByOldBase(const char* oldBase) {
    for (const ProfileMapEntry& e : g_carry.Profiles)
        if (_stricmp(e.OldBase.c_str(), oldBase) == 0)
            return &e;
    return nullptr;
}

const ReportMapEntry* FindReportByOldDescription(const char* oldDescription) {
    for (const ReportMapEntry& e : g_carry.Reports)
        if (_stricmp(e.OldDescription.c_str(), oldDescription) == 0)
            return &e;
    return nullptr;
}

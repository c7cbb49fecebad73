// The state of one import run: the two folders, the old layout, the user's
// choice and the maps the import steps hand on to each other.
#pragma once
#include <windows.h>
#include "ovcore/fileapi.h"
#include <string>
#include <vector>

// The items of the choose dialog, in the order of its check boxes.
enum CarryItem {
    ITEM_PROFILES = 0,
    ITEM_SCHEDULE,
    ITEM_REPORTS,
    ITEM_ADVIEWS,
    ITEM_INTRANET,
    ITEM_SETTINGS,
    ITEM_DATABASES,
    ITEM_COUNT
};

#define CARRY_CAPTION "Ostrevane Import Program"

struct ProfileMapEntry {
    std::string OldBase; // the old file's name up to its first "."
    std::string NewBase; // the new profile's base name
    std::string Title;   // the new profile's description
    int Database;        // the new profile keeps a folder history database
};

struct ReportMapEntry {
    std::string OldDescription;
    std::string NewDescription;
};

struct CarryState {
    char ProgramFolder[MAX_PATH]; // without the final backslash
    char OldFolder[MAX_PATH];
    int Newer; // 1: the newer layout (ovdesk\ below the old folder)
    int Selected[ITEM_COUNT];
    DWORD SizeKB[ITEM_COUNT];
    DWORD FreeKB;
    HWND Owner;                            // the hidden owner of the please-wait dialogs
    HWND PleaseWait;                       // the please-wait dialog shown last, or null
    std::vector<ProfileMapEntry> Profiles; // newest first
    std::vector<ReportMapEntry> Reports;   // newest first
};

extern CarryState g_carry;

// folder + "\" + relative into out (MAX_PATH); false when it does not fit.
bool JoinPath(char* out, const char* folder, const char* relative);
// The old folder's data folder of the layout: old\datfiles or
// old\ovdesk\datfiles.
bool OldDataFolder(char* out);
// program\ovdesk\datfiles (no final backslash).
bool NewDataFolder(char* out);
// The profile-map entry of an old base name (compared without case), or null.
const ProfileMapEntry* FindProfileByOldBase(const char* oldBase);
// The report-map entry of an old description (compared without case), or null.
const ReportMapEntry* FindReportByOldDescription(const char* oldDescription);

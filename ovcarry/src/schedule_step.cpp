// The scheduled-events step: events whose profile was imported are added to
// program\ovdesk\logsched.dat after the events it holds, with their profile
// and report names rewritten through the maps.
#include "carry_state.h"
#include "carry_steps.h"
#include "file_image.h"
#include "import_log.h"
#include "please_wait.h"
#include "schedule/schedule_file.h"
#include "ovkit/strutil.h"
#include <stdio.h>
#include <string.h>

#define OLD_EVENT_SIZE 575
#define EVENT_VERSION 256

static void SectionName(int number, char* section) {
    snprintf(section, 16, "Event%d", number);
}

// The first event number whose section the file does not hold.
int CountScheduleEvents(const char* file) {
    int n = 1;
    char section[16];
    for (;; ++n) {
        SectionName(n, section);
        if (GetPrivateProfileIntA(section, "Version", 65535, file) == 65535)
            return n;
    }
}

// Maps the event's profile and report; false when its profile was not
// imported.
static bool MapEvent(ScheduleEvent* e, bool keepUnknownReport) {
    const ProfileMapEntry* profile = FindProfileByOldBase(e->SetName);
    if (!profile)
        return false;
    OVKIT_BufCopy(e->SetName, profile->NewBase.c_str(), sizeof e->SetName);
    const ReportMapEntry* report = FindReportByOldDescription(e->Memorized);
    if (report)
        OVKIT_BufCopy(e->Memorized, report->NewDescription.c_str(), sizeof e->Memorized);
    else if (!keepUnknownReport)
        e->Memorized[0] = '\0';
    return true;
}

static void ConvertOldEvent(const FileImage& f, DWORD at, ScheduleEvent* e) {
    memset(e, 0, sizeof *e);
    e->Version = EVENT_VERSION;
    e->Immediate = f.Word(at + 2);
    e->Active = f.Word(at + 4);
    e->Time = f.Dword(at + 8);
    e->RepeatIncrement = f.Word(at + 12);
    e->RepeatType = f.Word(at + 14);
    f.Text(at + 16, 41, e->Memorized, sizeof e->Memorized);
    f.Text(at + 57, 40, e->Server, sizeof e->Server);
    f.Text(at + 97, 15, e->SetName, sizeof e->SetName);
    f.Text(at + 116, 80, e->SetDescription, sizeof e->SetDescription);
    e->Remote = f.Byte(at + 196);
    e->ActivityType = f.Word(at + 197);
    f.Text(at + 199, 41, e->SaveAsUsername, sizeof e->SaveAsUsername);
    f.Text(at + 240, 41, e->SaveAsPassword, sizeof e->SaveAsPassword);
    f.Text(at + 471, 102, e->SaveAsFilename, sizeof e->SaveAsFilename);
    e->SaveAsFileType = f.Word(at + 573);
    strcpy(e->SetExtension, "WLP");
}

static void WriteEvent(const char* file, int* next, const ScheduleEvent* e) {
    char section[16];
    SectionName((*next)++, section);
    WriteScheduleEventFile(file, e, section);
}

static void ImportOlderSchedule(const char* target) {
    char path[MAX_PATH];
    FileImage f;
    JoinPath(path, g_carry.OldFolder, "datfiles\\schedule.das");
    ShowImportFile(path);
    if (!FileExists(path) || !ReadFileImage(path, &f) || f.Size() == 0) {
        AppendImportLog(FileExists(path) && f.Size() != 0
                            ? "\tError reading old schedule database"
                            : "\tDid not find any scheduled events to import");
        return;
    }
    DWORD records = f.Size() / OLD_EVENT_SIZE;
    if (records == 0)
        return;
    int next = CountScheduleEvents(target);
    for (DWORD n = 0; n < records; ++n) {
        ScheduleEvent e;
        ConvertOldEvent(f, n * OLD_EVENT_SIZE, &e);
        if (MapEvent(&e, false))
            WriteEvent(target, &next, &e);
    }
    AppendImportLogf("\t%d schedule events imported successfully", (int)records);
}

static void ImportNewerSchedule(const char* target) {
    char path[MAX_PATH], section[16];
    JoinPath(path, g_carry.OldFolder, "ovdesk\\logsched.dat");
    ShowImportFile(path);
    int next = CountScheduleEvents(target), read = 0;
    ScheduleEvent e;
    for (int n = 1;; ++n) {
        SectionName(n, section);
        if (!ReadScheduleEventFile(path, &e, section))
            break;
        ++read;
        if (MapEvent(&e, true))
            WriteEvent(target, &next, &e);
    }
    AppendImportLogf("\t%d schedule events imported successfully", read);
}

void ImportSchedule(void) {
    char target[MAX_PATH];
    if (!JoinPath(target, g_carry.ProgramFolder, "ovdesk\\logsched.dat"))
        return;
    if (g_carry.Newer)
        ImportNewerSchedule(target);
    else
        ImportOlderSchedule(target);
}

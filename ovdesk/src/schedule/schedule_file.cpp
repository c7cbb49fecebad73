#include "schedule/schedule_file.h"
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#define NO_VERSION 65535

struct EventText {
    const char* Key;
    size_t Offset, Size;
};

#define TEXT_KEY(field)                                                                            \
    { #field, offsetof(ScheduleEvent, field), sizeof(ScheduleEvent::field) }
static const EventText kTexts[] = {TEXT_KEY(Memorized),      TEXT_KEY(Server),
                                   TEXT_KEY(SetName),        TEXT_KEY(SetExtension),
                                   TEXT_KEY(SetDescription), TEXT_KEY(SaveAsFilename),
                                   TEXT_KEY(SaveAsUsername), TEXT_KEY(SaveAsPassword)};

static UINT Number(const char* file, const char* section, const char* key) {
    return GetPrivateProfileIntA(section, key, 0, file);
}

int ReadScheduleEventFile(const char* name, ScheduleEvent* e, const char* section) {
    // The name may be the event's own FilePath, which the zero-fill clears.
    char file[MAX_PATH];
    lstrcpynA(file, name, sizeof file);
    memset(e, 0, sizeof *e);
    UINT version = GetPrivateProfileIntA(section, "Version", NO_VERSION, file);
    if (version == NO_VERSION)
        return 0;
    e->Version = (WORD)version;
    e->Immediate = (WORD)Number(file, section, "Immediate");
    e->Active = (WORD)Number(file, section, "Active");
    e->Time = Number(file, section, "Time");
    e->RepeatIncrement = (WORD)Number(file, section, "RepeatIncrement");
    e->RepeatType = (WORD)Number(file, section, "RepeatType");
    e->Remote = (BYTE)Number(file, section, "Remote");
    e->ActivityType = (WORD)Number(file, section, "ActivityType");
    e->SaveAsFileType = (WORD)Number(file, section, "SaveAsFileType");
    for (const EventText& t : kTexts)
        GetPrivateProfileStringA(section, t.Key, "", (char*)e + t.Offset, (DWORD)t.Size, file);
    return 1;
}

int WriteScheduleEventFile(const char* file, const ScheduleEvent* e, const char* section) {
    if (!file || !file[0])
        return 0;
    const struct {
        const char* Key;
        unsigned long Value;
    } numbers[] = {{"Version", e->Version},
                   {"Immediate", e->Immediate},
                   {"Active", e->Active},
                   {"Time", e->Time},
                   {"RepeatIncrement", e->RepeatIncrement},
                   {"RepeatType", e->RepeatType},
                   {"Remote", e->Remote},
                   {"ActivityType", e->ActivityType},
                   {"SaveAsFileType", e->SaveAsFileType}};
    int ok = 1;
    for (const auto& n : numbers) {
        char value[16];
        snprintf(value, sizeof value, "%lu", n.Value);
        ok &= WritePrivateProfileStringA(section, n.Key, value, file) != 0;
    }
    for (const EventText& t : kTexts) {
        char value[MAX_PATH];
        lstrcpynA(value, (const char*)e + t.Offset, (int)t.Size);
        ok &= WritePrivateProfileStringA(section, t.Key, value, file) != 0;
    }
    return ok;
}

// Host code 20: turns "/r" and "/rf" requests into an immediate scheduled
// event that the host then runs with code 11.
#include "ovdesk/host_interface.h"
#include "host/command_line_report.h"
#include "host/host_callbacks.h"
#include "host/profile_list.h"
#include "definitions/report_definitions.h"
#include "schedule/schedule_events.h"
#include "desk_services.h"
#include "ovkit/schedlog.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
const char kSyntaxR[] =
    "One of the supplied schedule options is invalid or missing.  The correct "
    "syntax is: /r \"Report Profile Name\" \"Memorized Name\" [\"output path\"]";
const char kSyntaxRf[] =
    "One of the supplied schedule options is invalid or missing.  The correct syntax is: /rf "
    "\"Profile Filename\" \"Memorized Report Filename or Memorized Name\" [\"output path\"]";
const char kSyntaxNone[] =
    "One of the supplied schedule options is invalid or missing.  Two options exist: /r and /rf.";
const char kNameTooLong[] =
    "The saved report name given is longer than 40 characters: no saved report has such a name.";
static_assert(COMMAND_DEFINITION_CHARS == 40, "kNameTooLong names the longest saved report name");

enum ArgumentResult { ARGUMENT_NONE, ARGUMENT_TOO_LONG, ARGUMENT_OK };

// The next quoted argument after p (blanks skipped) into field (room for
// limit characters); *p moves behind it.
ArgumentResult NextQuoted(const char** p, char* field, size_t limit) {
    const char* s = *p;
    while (*s == ' ' || *s == '\t')
        ++s;
    if (*s != '"')
        return ARGUMENT_NONE;
    const char* end = strchr(s + 1, '"');
    if (!end)
        return ARGUMENT_NONE;
    size_t length = end - (s + 1);
    *p = end + 1;
    if (length > limit)
        return ARGUMENT_TOO_LONG;
    memcpy(field, s + 1, length);
    field[length] = '\0';
    return ARGUMENT_OK;
}

AnalysisProfile* FindRequestedProfile(const CommandLineRequest& request) {
    AnalysisProfile** loaded = GetLoadedProfiles();
    for (DWORD i = GetLoadedProfileCount(); i-- > 0;) {
        char fileName[MAX_PATH];
        snprintf(fileName, sizeof fileName, "%s.%s", loaded[i]->BaseName, loaded[i]->Extension);
        const char* key = request.ByFileName ? fileName : loaded[i]->Description;
        if (_stricmp(key, request.Profile) == 0)
            return loaded[i];
    }
    return nullptr;
}

void FillEvent(ScheduleEvent* event, const AnalysisProfile* profile,
               const CommandLineRequest& request, const ReportDefinition& definition) {
    memset(event, 0, sizeof *event);
    event->Version = 256;
    event->Immediate = 1;
    event->Active = 1;
    event->Time = (DWORD)time(nullptr);
    event->ActivityType = DEFINITION_SUMMARY;
    snprintf(event->SetName, sizeof event->SetName, "%s", profile->BaseName);
    snprintf(event->SetExtension, sizeof event->SetExtension, "%s", profile->Extension);
    snprintf(event->SetDescription, sizeof event->SetDescription, "%s", profile->Description);
    snprintf(event->Memorized, sizeof event->Memorized, "%s", definition.Description);
    snprintf(event->Server, sizeof event->Server, "%s", definition.Server);
    snprintf(event->SaveAsFilename, sizeof event->SaveAsFilename, "%s",
             request.Output[0] ? request.Output : definition.SaveReportAs);
    snprintf(event->SaveAsUsername, sizeof event->SaveAsUsername, "%s", definition.SaveToUserName);
    snprintf(event->SaveAsPassword, sizeof event->SaveAsPassword, "%s", definition.SaveToPassword);
}

void LogFailure(const char* command, const char* text) {
    char timeText[DATE_TEXT_SIZE], dateText[DATE_TEXT_SIZE];
    desk::FormatLocalTimeTexts(timeText, dateText, time(nullptr));
    char line[80];
    snprintf(line, sizeof line, "%s %s\t\tCommand Line Scheduled Report", dateText, timeText);
    HINSTANCE module = GetLanguageModule();
    OVKIT_WriteSchedulerLogFile(module, line, nullptr);
    OVKIT_WriteSchedulerLogFile(module, "\tFailed", command);
    OVKIT_WriteSchedulerLogFile(module, nullptr, text);
}
} // namespace

int SubmitScheduleEvent(AnalysisProfile* profile, const ScheduleEvent& event) {
    DWORD_PTR handle = 0;
    HostFindProfileProc find = HostFindProfile();
    HostAddScheduleProc add = HostAddSchedule();
    if (!find || !add || find(profile, &handle) != 1)
        return HOST_NO_MEMORY;
    ScheduleListEntry* entry = (ScheduleListEntry*)AllocHostRecord(sizeof(ScheduleListEntry));
    if (!entry || !AddScheduleEvent(&event)) {
        FreeHostRecord(entry);
        return HOST_NO_MEMORY;
    }
    FillScheduleListEntry(GetLastScheduleEvent(), handle, 0, entry);
    add(entry);
    return HOST_DONE;
}

int ParseCommandLineRequest(const char* text, CommandLineRequest* request, const char** next) {
    memset(request, 0, sizeof *request);
    request->ByFileName = text[2] == 'f';
    const char* p = text + (request->ByFileName ? 3 : 2);
    *next = p;
    if (NextQuoted(&p, request->Profile, COMMAND_PROFILE_CHARS) != ARGUMENT_OK)
        return 0;
    ArgumentResult definition = NextQuoted(&p, request->Definition, COMMAND_DEFINITION_CHARS);
    request->DefinitionTooLong = definition == ARGUMENT_TOO_LONG;
    if (definition != ARGUMENT_OK)
        return 0;
    const char* rest = p;
    ArgumentResult output = NextQuoted(&p, request->Output, COMMAND_OUTPUT_CHARS);
    if (output == ARGUMENT_TOO_LONG)
        return 0;
    if (output == ARGUMENT_NONE)
        p = rest;
    *next = p;
    return 1;
}

int __cdecl HostCommandLineReport(DWORD_PTR, const char* command) {
    if (!command)
        command = "";
    // The look-up mode comes from the whole text, compared with case.
    int byFileName = strstr(command, "/rf") != nullptr;
    const char* syntax = byFileName ? kSyntaxRf : strstr(command, "/r") ? kSyntaxR : kSyntaxNone;
    ReportDefinition* definition = (ReportDefinition*)calloc(1, sizeof(ReportDefinition));
    const char* scan = command;
    const char* problem = syntax;
    while (definition && syntax != kSyntaxNone && (scan = strchr(scan, '/')) != nullptr) {
        const char* at = scan++;
        CommandLineRequest request;
        if (at[1] != 'r' && at[1] != 'R')
            continue;
        if (!ParseCommandLineRequest(at, &request, &scan)) {
            if (request.DefinitionTooLong)
                problem = kNameTooLong;
            continue;
        }
        request.ByFileName = byFileName;
        AnalysisProfile* profile = FindRequestedProfile(request);
        if (!profile ||
            !FindReportDefinition(DEFINITION_SUMMARY, "", profile->BaseName, profile->Extension,
                                  request.Definition, definition, nullptr, request.ByFileName))
            continue; // a further request may follow
        ScheduleEvent event;
        FillEvent(&event, profile, request, *definition);
        if (SubmitScheduleEvent(profile, event) == HOST_DONE) {
            free(definition);
            return HOST_DONE;
        }
    }
    free(definition);
    LogFailure(command, problem);
    return HOST_NO_MEMORY;
}

// "%SubmitLogReport%": a report run for a remote user, in a folder of its
// own with its status record, scheduled two seconds ahead.
#include "remote/remote_handler.h"
#include "definitions/report_definitions.h"
#include "host/command_line_report.h"
#include "report_run/remote_status.h"
#include "desk_services.h"
#include "ovcore/settings.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
enum : DWORD { FOLDER_NUMBERS = 100000000, START_DELAY_SECONDS = 2 };
enum {
    STATUS_LINE_SIZE = 100,
    STATUS_LETTER_OFFSET = 100,
    STATUS_TIME_OFFSET = 407,
    STATUS_FORMAT_OFFSET = 415,
    STATUS_FIELD_SIZE = 100,
    STATUS_OUTPUT_OFFSET = 615,
    STATUS_USER_OFFSET = 875,
    STATUS_USER_SIZE = 36,
    STATUS_PASSWORD_OFFSET = 911,
    STATUS_PASSWORD_SIZE = 1060,
};
const char* const kOutputNames[] = {"rep.htm", "rep.doc", "rep.xls", "rep.cvs", "rep.txt"};

struct Submission {
    RemoteRequest* Request;
    AnalysisProfile* Profile;
    char Root[MAX_PATH];
    char User[REMOTE_USER_SIZE];
    DWORD Number;
    char Folder[MAX_PATH];
    char Output[MAX_PATH];
    char Token[DEFINITION_DESCRIPTION_SIZE];
    BYTE Record[STATUS_RECORD_SIZE];
};

BOOL Refuse(RemoteRequest* request, const char* text) {
    SetRemoteStatus(request, REMOTE_REFUSED, text);
    return FALSE;
}

DWORD CountReportFolders(const Submission& s) {
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof pattern, "%s\\%s\\*.*", s.Root, s.User);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    DWORD count = 0;
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
            ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

DWORD DrawFolderNumber(void) {
    static BOOL seeded = FALSE;
    if (!seeded) {
        srand((unsigned)time(nullptr) ^ GetTickCount() ^ GetCurrentProcessId());
        seeded = TRUE;
    }
    DWORD first = (DWORD)rand() & 0x7FFF;
    DWORD second = (DWORD)rand() & 0x7FFF;
    return ((second << 16) | first) % FOLDER_NUMBERS;
}

// A folder number whose folder does not exist yet, and the paths from it.
BOOL ChooseFolder(Submission& s) {
    for (int tries = 0; tries < 1000; ++tries) {
        s.Number = DrawFolderNumber();
        int length = snprintf(s.Folder, sizeof s.Folder, "%s\\%s\\%lu", s.Root, s.User,
                              (unsigned long)s.Number);
        if (length < 0 || (size_t)length + 12 >= sizeof s.Folder)
            return FALSE;
        if (GetFileAttributesA(s.Folder) == INVALID_FILE_ATTRIBUTES)
            return TRUE;
    }
    return FALSE;
}

void PutField(Submission& s, size_t offset, size_t size, const char* text) {
    size_t length = strnlen(text, size - 1);
    memcpy(s.Record + offset, text, length);
}

void FillRecord(Submission& s, const char* format) {
    memset(s.Record, 0, sizeof s.Record);
    SYSTEMTIME now;
    GetLocalTime(&now);
    char line[STATUS_LINE_SIZE];
    snprintf(line, sizeof line, "%s [%s %u/%u/%u %02u:%02u:%02u]\r\n", s.Profile->Description,
             s.User, now.wMonth, now.wDay, now.wYear, now.wHour, now.wMinute, now.wSecond);
    PutField(s, 0, STATUS_LINE_SIZE, line);
    s.Record[STATUS_LETTER_OFFSET] = 'R';
    memcpy(s.Record + STATUS_FOLDER_NUMBER_OFFSET, &s.Number, sizeof s.Number);
    FILETIME stamp;
    SystemTimeToFileTime(&now, &stamp);
    memcpy(s.Record + STATUS_TIME_OFFSET, &stamp, sizeof stamp);
    char field[STATUS_PASSWORD_SIZE];
    PutField(s, STATUS_FORMAT_OFFSET, STATUS_FIELD_SIZE, format);
    ReadRemoteForm(s.Request, "EMail", field, STATUS_MAIL_SIZE);
    PutField(s, STATUS_MAIL_OFFSET, STATUS_MAIL_SIZE, field);
    PutField(s, STATUS_OUTPUT_OFFSET, MAX_PATH, s.Output);
    ReadRemoteForm(s.Request, "Username", field, STATUS_USER_SIZE);
    PutField(s, STATUS_USER_OFFSET, STATUS_USER_SIZE, field);
    ReadRemoteForm(s.Request, "Password", field, STATUS_PASSWORD_SIZE);
    PutField(s, STATUS_PASSWORD_OFFSET, STATUS_PASSWORD_SIZE, field);
}

BOOL WriteRecord(const Submission& s) {
    char level[MAX_PATH];
    CreateDirectoryA(s.Root, nullptr);
    snprintf(level, sizeof level, "%s\\%s", s.Root, s.User);
    CreateDirectoryA(level, nullptr);
    CreateDirectoryA(s.Folder, nullptr);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\status.rep", s.Folder);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL done =
        WriteFile(file, s.Record, sizeof s.Record, &written, nullptr) && written == sizeof s.Record;
    CloseHandle(file);
    return done;
}

void RangeTexts(DWORD seconds, char* timeText, char* dateText) {
    char t[DATE_TEXT_SIZE], d[DATE_TEXT_SIZE];
    desk::FormatLocalTimeTexts(t, d, (time_t)seconds);
    lstrcpynA(timeText, t, DEFINITION_RANGE_TEXT_SIZE);
    lstrcpynA(dateText, d, DEFINITION_RANGE_TEXT_SIZE);
}

// The saved definition of the run, made from the template definition.
BOOL WriteDefinition(Submission& s, ReportDefinition* definition) {
    char path[MAX_PATH], text[REMOTE_TEXT_MAX];
    const RemoteServerSettings* server = s.Request->Server;
    char install[sizeof server->InstallFolder];
    lstrcpynA(install, server->InstallFolder, sizeof install);
    snprintf(path, sizeof path, "%sovdesk\\DATFILES\\REMOTE.MSS", install);
    if (!ReadReportDefinition(path, nullptr, nullptr, nullptr, nullptr, definition))
        return FALSE;
    lstrcpynA(definition->Description, s.Token, sizeof definition->Description);
    lstrcpynA(definition->SetName, s.Profile->BaseName, sizeof definition->SetName);
    lstrcpynA(definition->SetExtension, s.Profile->Extension, sizeof definition->SetExtension);
    GetModuleProfileString("Language", "Report", "", definition->ReportLanguage,
                           sizeof definition->ReportLanguage);
    ReadRemoteForm(s.Request, "Template", text, sizeof text);
    lstrcpynA(definition->ReportStyle, text, sizeof definition->ReportStyle);
    snprintf(definition->SaveReportAs, sizeof definition->SaveReportAs, "file:///%s", s.Output);
    ReadRemoteForm(s.Request, "Range", text, sizeof text);
    definition->ReportRange = (WORD)strtoul(text, nullptr, 10);
    RangeTexts(s.Profile->FirstLogTime, definition->StartTime, definition->StartDate);
    RangeTexts(s.Profile->LastLogTime, definition->StopTime, definition->StopDate);
    definition->SaveToUserName[0] = definition->SaveToPassword[0] = '\0';
    definition->ViewType = definition->OrderBy = 0;
    return NewReportDefinitionName(DEFINITION_SUMMARY, path) &&
           WriteReportDefinition(path, definition);
}

void FillEvent(const Submission& s, ScheduleEvent* event) {
    memset(event, 0, sizeof *event);
    event->Version = 256;
    event->Active = 1;
    event->ActivityType = DEFINITION_SUMMARY;
    event->Remote = EVENT_REMOTE_REQUEST;
    event->Time = (DWORD)time(nullptr) + START_DELAY_SECONDS;
    lstrcpynA(event->SetName, s.Profile->BaseName, sizeof event->SetName);
    lstrcpynA(event->SetExtension, s.Profile->Extension, sizeof event->SetExtension);
    lstrcpynA(event->SetDescription, s.Profile->Description, sizeof event->SetDescription);
    lstrcpynA(event->SaveAsFilename, s.Output, sizeof event->SaveAsFilename);
    lstrcpynA(event->Memorized, s.Token, sizeof event->Memorized);
}

// Steps before the record: 1 go on, 0 refused (status set).
BOOL Admit(Submission& s) {
    RemoteRequest* request = s.Request;
    if (!request->Server || !request->Server->ReportsEnabled)
        return Refuse(request, "Report Disable");
    lstrcpynA(s.User, request->UserName, sizeof s.User);
    // The user's name becomes a folder below the reports root.
    if (!IsSafeRemoteUserName(s.User))
        return Refuse(request, "User Name Refused");
    ProfileListEntry* entry = FindRemoteProfile(request, 1);
    if (!entry || !entry->Profile)
        return Refuse(request, "Profile Not Found");
    s.Profile = entry->Profile;
    lstrcpynA(s.Root, request->Server->ReportsRoot, sizeof s.Root);
    SetRemoteStatus(request, REMOTE_IN_PROGRESS, nullptr);
    DWORD limit = request->Server->FolderLimit;
    BOOL unlimited = request->User && request->User->NoFolderLimit;
    if (!unlimited && limit > 0 && CountReportFolders(s) >= limit)
        return Refuse(request, "Server Limit Exceeded");
    if (!ChooseFolder(s))
        return Refuse(request, "Report Folder Not Available");
    return TRUE;
}
} // namespace

int SubmitRemoteReport(RemoteRequest* request) {
    Submission* s = (Submission*)calloc(1, sizeof(Submission));
    ReportDefinition* definition = (ReportDefinition*)calloc(1, sizeof(ReportDefinition));
    if (!s || !definition) {
        free(s);
        free(definition);
        return 0;
    }
    s->Request = request;
    int result = 1;
    if (Admit(*s)) {
        char format[STATUS_FIELD_SIZE];
        ReadRemoteForm(request, "Format", format, sizeof format);
        DWORD kind = (DWORD)strtoul(format, nullptr, 10);
        snprintf(s->Output, sizeof s->Output, "%s\\%s", s->Folder,
                 kind < 5 ? kOutputNames[kind] : kOutputNames[0]);
        snprintf(s->Token, sizeof s->Token, "~%s/%lu", s->User, (unsigned long)s->Number);
        FillRecord(*s, format);
        ScheduleEvent event;
        FillEvent(*s, &event);
        if (!WriteRecord(*s))
            Refuse(request, "Report Folder Not Available");
        else if (!WriteDefinition(*s, definition))
            Refuse(request, "Report Definition Not Available");
        else if (SubmitScheduleEvent(s->Profile, event) != HOST_DONE)
            result = 0;
        else
            SetRemoteStatus(request, REMOTE_DONE, nullptr);
    }
    free(definition);
    free(s);
    return result;
}

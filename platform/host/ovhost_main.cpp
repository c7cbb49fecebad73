// ovhost.exe: a stand-in of the host program that loads ovdesk.dll.
//
//   ovhost.exe --list
//       prints each profile of the data folder: description, tab, file name
//   ovhost.exe --view "profile.wlp" [DIALOG.bmp VIEWER.bmp]
//       opens the View Log File dialog of that profile (host code 15); with
//       picture files, takes a picture of the dialog, presses Start, takes
//       one of the finished viewer and closes it
//   ovhost.exe --new [PICTURES] | --edit "profile.wlp" [PICTURES]
//              | --copy "profile.wlp" [PICTURES] | --maintain [PICTURES]
//       opens the profile sheet for a new profile (host code 2), on a
//       stored one (code 2) or on its copy (code 4), or the database
//       maintenance dialog (code 21); the plug-in saves what the sheet made.
//   ovhost.exe --options [PICTURES]
//       opens the options sheet (host code 22) in a window of the host's;
//       prints "closed" and OK or Cancel. With a picture prefix, takes a
//       picture of each page, then presses Cancel.
//       Prints "result", and "saved" with the description and file name.
//       With a picture prefix, takes a picture of each page (PICTURES1.bmp,
//       PICTURES2.bmp, ...), then presses OK on an edited profile and Cancel
//       on the others.
//   ovhost.exe --intranet [PICTURES] | --adviews [PICTURES] | --language [PICTURES]
//       opens the intranet list (host code 17), the ad-views list (code 18)
//       or the report-language editor; with a picture prefix, takes a
//       picture of it and of its add or find dialog, then closes them.
//   ovhost.exe --filters "profile.wlp" PICTURES
//       opens the filter wizard from that profile's Filters tab and takes a
//       picture of each of its pages (host_filter_wizard.h)
//   ovhost.exe --schedule [clock]
//       lists the scheduled events (file, time, active, realtime) and runs
//       those due at clock (seconds since 1970; default now) unattended;
//       prints the scheduler log's new lines and exits 0 only when every
//       run was a success.
//   ovhost.exe --schedule-picture new|edit|mail|add PICTURE.bmp
//       takes a picture of a scheduler dialog (host_schedule_pictures.h).
//   ovhost.exe /rf "profile.wlp" "definition" ["output"]
//   ovhost.exe /r "profile description" "definition" ["output"]
//       runs that saved report unattended and prints the scheduler log's
//       new lines; exits 0 only when the plug-in tells that run a success:
//       its report written, and mailed or uploaded where it was to go.
//   ovhost.exe --remote KEYWORD [--user NAME] [--profile FILE] [--token T]
//              [--root FOLDER] [--limit N] [--unlimited] [--disabled] [name=value ...]
//       hands one keyword of a remote page to the plug-in, the values as
//       its form and page fields; prints the result, the request's status
//       and the page fields it set. A submitted report is run, and its
//       status record's end printed; exits 0 when it ends at 100.
//
// Every failure is one line on stderr and a non-zero exit; nothing waits.
#include "host_session.h"
#include "host_schedule.h"
#include "host_schedule_pictures.h"
#include "host_view.h"
#include "host_profile.h"
#include "host_options.h"
#include "host_editors.h"
#include "host_filter_wizard.h"
#include "remote_host.h"
#include "ovcore/serverlist.h"
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>

namespace {
enum { EXIT_OK = 0, EXIT_RUN_FAILED = 1, EXIT_USAGE = 2, EXIT_SETUP = 3 };

const char kUsage[] = "usage: ovhost.exe --list | --schedule [clock] "
                      "| --view \"profile.wlp\" [DIALOG.bmp VIEWER.bmp] "
                      "| --new [PICTURES] | --edit|--copy \"profile.wlp\" [PICTURES] "
                      "| --maintain [PICTURES] | --options [PICTURES] "
                      "| --schedule-picture new|edit|mail|add PICTURE.bmp "
                      "| --intranet|--adviews|--language [PICTURES] "
                      "| /rf \"profile.wlp\" \"definition\" [\"output\"] "
                      "| /r \"profile description\" \"definition\" [\"output\"] "
                      "| --remote KEYWORD [options] [name=value ...]";

int Fail(int code, const std::string& text) {
    fprintf(stderr, "ovhost: %s\n", text.c_str());
    return code;
}

std::string ModuleFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return n && n < sizeof path ? FolderOf(path) : std::string();
}

// The quoted arguments after the "/r" or "/rf" of the command text.
std::vector<std::string> QuotedArguments(const std::string& command) {
    std::vector<std::string> args;
    size_t at = 0;
    while ((at = command.find('"', at)) != std::string::npos) {
        size_t end = command.find('"', at + 1);
        if (end == std::string::npos)
            break;
        args.push_back(command.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return args;
}

const ProfileListEntry* FindEntry(const std::string& name, bool byFileName) {
    for (const ProfileListEntry* entry : GetHostState().Profiles) {
        const char* key = byFileName ? entry->FileName : entry->Description;
        if (_stricmp(key, name.c_str()) == 0)
            return entry;
    }
    return nullptr;
}

// Each local log of an entry is there; the first missing one into *path.
// The entry's text holds the first server's logs joined by "|"; the plug-in
// cuts it to the display size, so a last log that fills it is not looked
// at. Remote logs are not looked at here.
bool LocalLogsExist(const ProfileListEntry& entry, std::string* path) {
    const char prefix[] = "file:///";
    if (strncmp(entry.ServerText, prefix, sizeof prefix - 1) != 0)
        return true;
    std::string logs = entry.ServerText + sizeof prefix - 1;
    bool mayBeCut = strlen(entry.ServerText) >= SERVERLIST_DISPLAYNAME_SIZE - 1;
    for (size_t start = 0; start <= logs.size();) {
        size_t end = logs.find('|', start);
        bool last = end == std::string::npos;
        *path = logs.substr(start, last ? std::string::npos : end - start);
        if (!path->empty() && !(last && mayBeCut)) {
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA(path->c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                return false;
            FindClose(search);
        }
        if (last)
            break;
        start = end + 1;
    }
    return true;
}

int ListProfiles(HostSession& session) {
    std::string error;
    if (!session.ListProfiles(&error))
        return Fail(EXIT_SETUP, error);
    for (const ProfileListEntry* entry : GetHostState().Profiles)
        printf("%s\t%s\n", entry->Description, entry->FileName);
    return EXIT_OK;
}

int ViewProfile(HostSession& session, int argc, char** argv) {
    std::string error;
    if (argc < 3 || argc == 4)
        return Fail(EXIT_USAGE, kUsage);
    if (!session.ListProfiles(&error))
        return Fail(EXIT_SETUP, error);
    const ProfileListEntry* entry = FindEntry(argv[2], true);
    if (!entry)
        return Fail(EXIT_USAGE, std::string("profile not found: ") + argv[2]);
    return ViewLogFile(session, *entry, argc > 3 ? argv[3] : nullptr,
                       argc > 4 ? argv[4] : nullptr) == 0
               ? EXIT_OK
               : EXIT_RUN_FAILED;
}

// --new, --edit, --copy and --maintain.
int OpenEditor(HostSession& session, int argc, char** argv) {
    bool named = strcmp(argv[1], "--edit") == 0 || strcmp(argv[1], "--copy") == 0 ||
                 strcmp(argv[1], "--filters") == 0;
    int first = named ? 3 : 2;
    if (argc < first || argc > first + 1)
        return Fail(EXIT_USAGE, kUsage);
    const char* pictures = argc > first ? argv[first] : nullptr;
    std::string error;
    if (!session.ListProfiles(&error))
        return Fail(EXIT_SETUP, error);
    if (IsListEditorCommand(argv[1]))
        return OpenListEditor(session, argv[1], pictures) == 0 ? EXIT_OK : EXIT_RUN_FAILED;
    if (strcmp(argv[1], "--maintain") == 0)
        return MaintainDatabases(session, pictures) == 0 ? EXIT_OK : EXIT_RUN_FAILED;
    if (strcmp(argv[1], "--options") == 0)
        return ShowOptions(session, pictures) == 0 ? EXIT_OK : EXIT_RUN_FAILED;
    ProfileListEntry* entry = nullptr;
    if (named) {
        entry = const_cast<ProfileListEntry*>(FindEntry(argv[2], true));
        if (!entry)
            return Fail(EXIT_USAGE, std::string("profile not found: ") + argv[2]);
    }
    if (strcmp(argv[1], "--filters") == 0)
        return FilterWizardPictures(session, entry, pictures) == 0 ? EXIT_OK : EXIT_RUN_FAILED;
    int code = strcmp(argv[1], "--copy") == 0 ? 4 : 2;
    return EditProfileByCode(session, code, entry, pictures) == 0 ? EXIT_OK : EXIT_RUN_FAILED;
}

bool IsEditorCommand(const char* option) {
    const char* const editors[] = {"--new",      "--edit",    "--copy",
                                   "--maintain", "--options", "--filters"};
    for (const char* editor : editors)
        if (strcmp(option, editor) == 0)
            return true;
    return IsListEditorCommand(option);
}

int RunSchedule(HostSession& session, const std::string& folder, time_t now) {
    std::string error;
    if (!session.ListProfiles(&error) || !LoadHostSchedule(session, &error))
        return Fail(EXIT_SETUP, error);
    HostState& state = GetHostState();
    std::vector<ScheduleListEntry*> all = state.Schedule;
    all.insert(all.end(), state.Realtime.begin(), state.Realtime.end());
    for (const ScheduleListEntry* entry : all)
        printf("event\t%s\t%lu\t%lu\t%lu\n", entry->FilePath, (unsigned long)entry->Time,
               (unsigned long)entry->Active, (unsigned long)entry->RealtimeFlag);
    std::string schedlog = folder + "SCHEDLOG.TXT";
    long long before = FileSize(schedlog);
    int failed = 0;
    int runs = RunDueScheduleEvents(session, now, &failed);
    fputs(ReadFrom(schedlog, before).c_str(), stdout);
    printf("runs\t%d\tfailed\t%d\n", runs, failed);
    return failed ? Fail(EXIT_RUN_FAILED, "a scheduled run failed") : EXIT_OK;
}

int RunReport(HostSession& session, const std::string& folder, const std::string& command) {
    bool byFileName = command.compare(0, 3, "/rf") == 0;
    std::vector<std::string> args = QuotedArguments(command);
    if (args.empty() || args[0].empty())
        return Fail(EXIT_USAGE, "no profile named; " + std::string(kUsage));
    if (args.size() < 2 || args[1].empty())
        return Fail(EXIT_USAGE, "no saved report named; " + std::string(kUsage));
    std::string error;
    if (!session.ListProfiles(&error))
        return Fail(EXIT_SETUP, error);
    const ProfileListEntry* entry = FindEntry(args[0], byFileName);
    if (!entry)
        return Fail(EXIT_USAGE, "profile not found: " + args[0]);
    std::string log;
    if (!LocalLogsExist(*entry, &log))
        return Fail(EXIT_USAGE, "log not found: " + log);
    std::string schedlog = folder + "SCHEDLOG.TXT";
    long long before = FileSize(schedlog);
    bool submitted = session.RunCommandLineReport(command, &error);
    std::string added = ReadFrom(schedlog, before);
    fputs(added.c_str(), stdout);
    if (!submitted)
        return Fail(EXIT_RUN_FAILED, error);
    // The run's own word, not the shared log's lines: another run in this
    // install may write "Success" or "Failed" there meanwhile.
    if (GetHostState().Outcome != OUTCOME_SUCCESS)
        return Fail(EXIT_RUN_FAILED, "the report run failed");
    return EXIT_OK;
}

// The command text from the first "/r" or "/R" argument on, each argument
// after it quoted again: callers quote as their shell does (Wine's start from
// Linux escapes quotes rather than passing them), and the plug-in reads
// quoted arguments.
std::string CommandText(int argc, char** argv) {
    int first = 1;
    while (first < argc &&
           !(argv[first][0] == '/' && (argv[first][1] == 'r' || argv[first][1] == 'R')))
        ++first;
    if (first >= argc)
        return std::string();
    std::string text = argv[first];
    for (int i = first + 1; i < argc; ++i)
        text += std::string(" \"") + argv[i] + "\"";
    return text;
}
} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && strcmp(argv[1], "--schedule-picture") == 0)
        return RunSchedulePictures(argc, argv, ModuleFolder());
    if (argc >= 2 && strcmp(argv[1], "--remote") == 0) {
        RemoteCommand remote;
        std::string error;
        if (!ParseRemoteCommand(argc, argv, 2, &remote, &error))
            return Fail(EXIT_USAGE, error + "; " + kUsage);
        std::string folder = ModuleFolder();
        HostSession session;
        if (!session.Open(folder, &error))
            return Fail(EXIT_SETUP, error);
        int result = RunRemoteCommand(session, folder, remote);
        fflush(stdout);
        session.Close();
        return result;
    }
    bool list = argc == 2 && strcmp(argv[1], "--list") == 0;
    bool schedule = (argc == 2 || argc == 3) && strcmp(argv[1], "--schedule") == 0;
    bool view = argc >= 2 && (strcmp(argv[1], "--view") == 0 || IsEditorCommand(argv[1]));
    std::string command = list || view || schedule ? std::string() : CommandText(argc, argv);
    if (!list && !view && !schedule && command.empty())
        return Fail(EXIT_USAGE, kUsage);
    std::string folder = ModuleFolder();
    HostSession session;
    std::string error;
    if (!session.Open(folder, &error, !view))
        return Fail(EXIT_SETUP, error);
    time_t now = schedule && argc == 3 ? (time_t)_strtoui64(argv[2], nullptr, 10) : time(nullptr);
    int result = list                                     ? ListProfiles(session)
                 : view && strcmp(argv[1], "--view") != 0 ? OpenEditor(session, argc, argv)
                 : view                                   ? ViewProfile(session, argc, argv)
                 : schedule                               ? RunSchedule(session, folder, now)
                                                          : RunReport(session, folder, command);
    fflush(stdout);
    session.Close();
    return result;
}

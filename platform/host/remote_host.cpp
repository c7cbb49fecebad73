// "ovhost --remote": one keyword of a remote page handed to the plug-in, as
// the host's web pages do.
#include "remote_host.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>

namespace {
const char kWindowClass[] = "ovhost remote host";
enum { STATUS_RECORD_BYTES = 1971, STATUS_PERCENT_AT = 101, STATUS_MESSAGE_AT = 103 };
enum { STATUS_MESSAGE_BYTES = 300, START_WAIT_LIMIT_S = 10 };

bool g_reloadWanted = false;

// The list message asks for the host's profile entries; the reload message
// says a profile changed.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == REMOTE_LIST_MESSAGE && lParam) {
        auto* list = reinterpret_cast<RemoteProfileList*>(lParam);
        std::vector<ProfileListEntry*>& profiles = GetHostState().Profiles;
        list->Count = (DWORD)profiles.size();
        list->Entries = profiles.empty() ? nullptr : profiles.data();
        return 1;
    }
    if (message == REMOTE_RELOAD_MESSAGE) {
        g_reloadWanted = true;
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeHostWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    return CreateWindowA(kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void PumpHostMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Bounded(char* field, size_t size, const std::string& text) {
    size_t length = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(field, text.data(), length);
    field[length] = '\0';
}

void FillPage(RemotePage& page, const std::string& folder, const RemoteCommand& command) {
    Bounded(page.Request.Token, sizeof page.Request.Token, command.Token);
    Bounded(page.Request.ProfileFileName, sizeof page.Request.ProfileFileName, command.Profile);
    Bounded(page.Request.UserName, sizeof page.Request.UserName, command.User);
    page.User.NoFolderLimit = command.Unlimited ? 1 : 0;
    Bounded(page.Server.InstallFolder, sizeof page.Server.InstallFolder, folder);
    page.Server.FolderLimit = (DWORD)command.Limit;
    page.Server.ReportsEnabled = command.Disabled ? 0 : 1;
    std::string root = command.Root.empty() ? folder + "remote reports" : command.Root;
    Bounded(page.Server.ReportsRoot, sizeof page.Server.ReportsRoot, root);
    page.Form = command.Values;
    page.Fields = command.Values;
}

// Waits for the submitted event's time (it is a few seconds ahead) and runs it.
bool RunSubmittedReport(HostSession& session) {
    ScheduleListEntry* entry = GetHostState().Scheduled;
    if (!entry)
        return false;
    for (int waited = 0; waited < START_WAIT_LIMIT_S * 10 && (DWORD)time(nullptr) < entry->Time;
         ++waited) {
        PumpHostMessages();
        Sleep(100);
    }
    return session.RunScheduledEntry();
}

// The report folders of a user.
std::set<std::string> UserFolders(const std::string& userFolder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((userFolder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
            names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool PrintStatusRecord(const std::string& path) {
    std::string record = ReadFrom(path, 0);
    if (record.size() != STATUS_RECORD_BYTES) {
        printf("status.rep: missing\n");
        return false;
    }
    unsigned percent = (unsigned char)record[STATUS_PERCENT_AT] |
                       (unsigned)(unsigned char)record[STATUS_PERCENT_AT + 1] << 8;
    std::string message = record.substr(STATUS_MESSAGE_AT, STATUS_MESSAGE_BYTES);
    message = message.substr(0, message.find('\0'));
    printf("status.rep: %u %s\n", percent, message.c_str());
    return percent == 100;
}
} // namespace

bool ParseRemoteCommand(int argc, char** argv, int first, RemoteCommand* command,
                        std::string* error) {
    if (first >= argc) {
        *error = "no remote keyword given";
        return false;
    }
    command->Keyword = argv[first];
    for (int i = first + 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--unlimited") {
            command->Unlimited = true;
        } else if (arg == "--disabled") {
            command->Disabled = true;
        } else if (arg == "--user" && hasValue) {
            command->User = argv[++i];
        } else if (arg == "--profile" && hasValue) {
            command->Profile = argv[++i];
        } else if (arg == "--token" && hasValue) {
            command->Token = argv[++i];
        } else if (arg == "--root" && hasValue) {
            command->Root = argv[++i];
        } else if (arg == "--limit" && hasValue) {
            command->Limit = strtoul(argv[++i], nullptr, 10);
        } else if (arg.find('=') != std::string::npos && arg[0] != '-') {
            size_t equals = arg.find('=');
            command->Values[arg.substr(0, equals)] = arg.substr(equals + 1);
        } else {
            *error = "unknown remote option: " + arg;
            return false;
        }
    }
    return true;
}

namespace {
void PrintPage(const RemotePage& page, int result, const RemoteCommand& command) {
    std::string statusText(page.Request.StatusText,
                           strnlen(page.Request.StatusText, sizeof page.Request.StatusText));
    printf("result: %d\nstatus: %lu %s\n", result, (unsigned long)page.Request.Status,
           statusText.c_str());
    for (const auto& field : page.Fields) {
        auto given = command.Values.find(field.first);
        if (given == command.Values.end() || given->second != field.second)
            printf("page: %s=%s\n", field.first.c_str(), field.second.c_str());
    }
    fflush(stdout);
}

// A submitted report: its folder, its run, and its status record at the end.
bool FinishSubmission(HostSession& session, const std::string& userFolder,
                      const std::set<std::string>& before) {
    std::string folder;
    for (const std::string& name : UserFolders(userFolder))
        if (!before.count(name))
            folder = userFolder + "\\" + name;
    printf("report folder: %s\n", folder.c_str());
    fflush(stdout);
    if (folder.empty() || !RunSubmittedReport(session))
        return false;
    return PrintStatusRecord(folder + "\\status.rep");
}
} // namespace

int RunRemoteCommand(HostSession& session, const std::string& folder,
                     const RemoteCommand& command) {
    HWND window = MakeHostWindow();
    std::string error;
    if (!window || !session.ListProfiles(&error, window)) {
        fprintf(stderr, "ovhost: %s\n", window ? error.c_str() : "no host window");
        return 3;
    }
    RemotePage page;
    FillPage(page, folder, command);
    std::string userFolder = std::string(page.Server.ReportsRoot) + "\\" + command.User;
    std::set<std::string> before = UserFolders(userFolder);
    int result = session.HandleRemoteKeyword(command.Keyword.c_str(), &page.Request);
    PumpHostMessages();
    if (g_reloadWanted) {
        session.ForgetProfiles();
        session.ListProfiles(&error, window);
    }
    PrintPage(page, result, command);
    bool handled = result > 0;
    // A submission succeeds only with its report run to the end.
    if (_strnicmp(command.Keyword.c_str(), "%SubmitLogReport%", 17) == 0)
        handled = handled && page.Request.Status == REMOTE_DONE &&
                  FinishSubmission(session, userFolder, before);
    DestroyWindow(window);
    return handled ? 0 : 1;
}

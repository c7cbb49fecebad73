#include "common/tool_install.h"

#include <stdio.h>
#include <string.h>

#include "logread/engine_link.h"
#include "run/run_setup.h"
#include "settings/install_folder.h"

#include <shellapi.h> // after windows.h

namespace ovtool {

int TakeDnsOption(int argc, char** argv, BOOL* dns) {
    *dns = argc > 1 && strcmp(argv[1], "--dns") == 0;
    return *dns ? 2 : 1;
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return ".\\";
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

namespace {

const char kLockFile[] = "owner.lock";
// A folder without its lock this old is no install being made.
const ULONGLONG kLocklessAfter = 60ULL * 10000000ULL; // FILETIME units
const int kMaxSuffix = 100;

// <name><digits>, optionally followed by "-<digits>": an install folder's name.
bool IsInstallName(const char* folder, const char* name) {
    size_t length = strlen(name);
    if (_strnicmp(folder, name, length) != 0)
        return false;
    const char* rest = folder + length;
    size_t digits = strspn(rest, "0123456789");
    if (!digits)
        return false;
    rest += digits;
    return !*rest || (rest[0] == '-' && rest[1] && !rest[1 + strspn(rest + 1, "0123456789")]);
}

ULONGLONG AgeOf(const FILETIME& written) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG t = (ULONGLONG)written.dwHighDateTime << 32 | written.dwLowDateTime;
    ULONGLONG n = (ULONGLONG)now.dwHighDateTime << 32 | now.dwLowDateTime;
    return n > t ? n - t : 0;
}

// A killed run's folder: its lock file can be deleted (nobody holds it), or
// it has none and has not been written for a while.
bool IsLeftOver(const std::string& folder, const FILETIME& written) {
    std::string lock = folder + "\\" + kLockFile;
    if (GetFileAttributesA(lock.c_str()) != INVALID_FILE_ATTRIBUTES)
        return DeleteFileA(lock.c_str()) != 0;
    return AgeOf(written) >= kLocklessAfter;
}

void RemoveLeftOvers(const std::string& temp, const char* name) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((temp + name + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsInstallName(found.cFileName, name) &&
            IsLeftOver(temp + found.cFileName, found.ftLastWriteTime))
            RemoveFolderTree(temp + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

// A new folder of this run's own, holding its lock file open.
bool ToolInstall::MakeRoot(const char* name) {
    char temp[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, temp))
        return false;
    RemoveLeftOvers(temp, name);
    std::string base = std::string(temp) + name + std::to_string(GetCurrentProcessId());
    for (int suffix = 0; suffix < kMaxSuffix; suffix++) {
        root_ = base + (suffix ? "-" + std::to_string(suffix) : "") + "\\";
        if (CreateDirectoryA(root_.c_str(), NULL)) {
            lock_ = CreateFileA((root_ + kLockFile).c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, NULL);
            if (lock_ == INVALID_HANDLE_VALUE)
                RemoveFolderTree(root_);
            return lock_ != INVALID_HANDLE_VALUE;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

bool ToolInstall::Make(const char* name, const std::string& contentFolder, ORB_PUMPPROC pump) {
    if (!MakeRoot(name))
        return false;
    if (!contentFolder.empty() && !CopyTree(contentFolder, root_))
        return false;
    CreateDirectoryA((root_ + "ovdesk").c_str(), NULL);
    CreateDirectoryA((root_ + "ovdesk\\template").c_str(), NULL);
    if (!CreateDirectoryA(DataFolder().c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    Write("ovdesk\\ovdesk.ini", "[Defaults]\r\n");
    if (contentFolder.empty())
        Write("ovdesk\\template\\ENGLISH.RPL", "");
    InstallFolder_SetFromFileName((root_ + name + ".exe").c_str());
    DWORD network = 0;
    slot_ = ORB_Register(DataFolder().c_str(), 60, 1, pump, &network, GetModuleHandleA(NULL), 0,
                         NULL, NULL);
    LogRead_SetDatfilesFolder(DataFolder().c_str());
    return slot_ >= 0;
}

void ToolInstall::Write(const std::string& relative, const std::string& text) const {
    FILE* f = fopen((root_ + relative).c_str(), "wb");
    if (f) {
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
}

void RemoveFolderTree(const std::string& folder) {
    if (folder.empty())
        return;
    std::string from = folder;
    if (from.back() == '\\')
        from.pop_back();
    from += std::string(1, '\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

ToolInstall::~ToolInstall() {
    if (slot_ >= 0)
        ORB_DeRegister(slot_);
    // Only a folder this run made (and locked) is its own to remove.
    if (lock_ == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(lock_);
    RemoveFolderTree(root_);
}

BOOL WriteLogProfile(const std::string& dataFolder, const char* name, const char* description,
                     char** logs, int logCount, BOOL dns) {
    std::string paths;
    for (int i = 0; i < logCount; i++) {
        char full[MAX_PATH];
        if (!GetFullPathNameA(logs[i], MAX_PATH, full, NULL))
            lstrcpynA(full, logs[i], MAX_PATH);
        paths += (paths.empty() ? "" : "|") + std::string(full);
    }
    AnalysisProfile* p = AnalysisProfile_New();
    if (!p)
        return FALSE;
    lstrcpynA(p->BaseName, name, sizeof p->BaseName);
    lstrcpyA(p->Extension, "wlp");
    lstrcpynA(p->Description, description, sizeof p->Description);
    p->DNSLookup = dns ? 1 : 0;
    ServerList_SetProtocol(&p->Servers, SERVER_PROTOCOL_FILE);
    ServerList_AddServer(&p->Servers, "LocalMachine", paths.c_str(), "", "");
    std::string file = dataFolder + name + ".wlp";
    BOOL written = WriteOrbisFile(file.c_str(), p);
    AnalysisProfile_Free(p);
    return written;
}

AnalysisProfile* MakeLogProfile(const ToolInstall& install, const char* name, char** logs,
                                int logCount, BOOL dns) {
    if (!WriteLogProfile(install.DataFolder(), name, name, logs, logCount, dns))
        return nullptr;
    std::string file = install.DataFolder() + name + ".wlp";
    AnalysisProfile* client = AnalysisProfile_New();
    if (client && ReadOrbisFile(file.c_str(), client) != 4) {
        AnalysisProfile_Free(client);
        return nullptr;
    }
    return client;
}

ReportHandle* RunLogsToEnd(AnalysisProfile* profile, const RunRequest& request) {
    std::string set = std::string(request.name) + ".wlp";
    UrlFetchHandle fetch = nullptr;
    if (ORB_OpenURL(NULL, set.c_str(), &fetch) == 0)
        while (ORB_PeekURL() != -1)
            ;
    if (ORB_CloseURL(NULL, fetch, profile) != 0)
        fprintf(stderr, "no readable record in the logs\n");
    // The report's range is the logs' own: it decides the intervals.
    ORB_TIME start = profile->LogInfoValid ? profile->FirstLogTime : 0;
    ORB_TIME end = profile->LogInfoValid ? profile->LastLogTime : 0xFFFFFFFF;
    char noFolder[MAX_PATH] = "";
    char* output = request.outputPath ? request.outputPath : noFolder;
    const char* title = request.title ? request.title : request.name;
    WORD error = 0;
    ReportHandle* report = ORB_Cre8Report(NULL, profile, set.c_str(), title, output, 76, 0, start,
                                          end, REPORT_KIND_TABLES, 0, request.style, "ENGLISH",
                                          title, request.sections, request.sectionCount, 0, &error);
    if (error) {
        char text[256];
        ADT_GetErrorTxtMsg(error, text, sizeof(text));
        fprintf(stderr, "%s\n", text);
    }
    if (!report)
        return nullptr;
    if (request.everyTable)
        UseEveryReportTable();
    DWORD records = 0;
    for (;;) {
        WORD record = 0;
        short answer = ORB_PeekReport(report, nullptr, &record);
        records += record;
        if (answer == -1)
            break;
    }
    if (request.records)
        *request.records = records;
    return report;
}

} // namespace ovtool

// Reading a profile file.
#include "ovcore/profile_file.h"
#include "ovcore/netsettings.h"
#include "profile/credential_scramble.h"
#include "profile/filter_sections.h"
#include "profile/profile_file_io.h"
#include "profile/profile_text.h"
#include "profile/rowmere_sections.h"
#include "profile/server_protocol.h"
#include "ovkit/text_copy.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A credential value, unscrambled; at most size - 1 plain characters.
static void ReadCredential(const ProfileSection& s, const char* key, char* out, size_t size) {
    char stored[CREDENTIAL_STORED_SIZE(SERVERINFO_PASSWORD_SIZE)];
    size_t storedSize = CREDENTIAL_STORED_SIZE(size - 1);
    if (storedSize > sizeof stored)
        storedSize = sizeof stored;
    GetProfileTextString(s, key, "", stored, storedSize);
    LoadCredential(stored);
    OvkitCopyText(out, size, stored);
}

// The path as held in memory: the text behind "://" (and one more "/"), or
// the whole text when it has no "://" (so an ODBC path keeps its "odbc:").
static const char* StoredLogPath(const char* text) {
    const char* mark = std::strstr(text, "://");
    if (!mark)
        return text;
    mark += 3;
    return *mark == '/' ? mark + 1 : mark;
}

// One server of the block (keys of index 0 carry no number); false when
// memory ran short.
static bool ReadServer(const ProfileSection& s, ServerList* servers, int index) {
    char suffix[16] = "";
    if (index > 0)
        std::snprintf(suffix, sizeof suffix, "%d", index + 1);
    char key[40];
    // The prefix does not count against the path's 299 characters.
    char path[SERVER_PROTOCOL_PREFIX_MAX + SERVERINFO_PATH_SIZE];
    std::snprintf(key, sizeof key, "LogFilePath%s", suffix);
    if (!GetProfileTextString(s, key, "", path, sizeof path))
        return true;
    if (index == 0)
        servers->dwProtocol = ServerProtocolFromPrefix(path);
    char name[SERVERINFO_NAME_SIZE];
    std::snprintf(key, sizeof key, "ServerName%s", suffix);
    GetProfileTextString(s, key, "", name, sizeof name);
    ServerInfo* info = ServerInfo_New(name, StoredLogPath(path));
    if (!info)
        return false;
    std::snprintf(key, sizeof key, "LogFileUsername%s", suffix);
    ReadCredential(s, key, info->szUsername, sizeof info->szUsername);
    std::snprintf(key, sizeof key, "LogFilePassword%s", suffix);
    ReadCredential(s, key, info->szPassword, sizeof info->szPassword);
    if (ServerList_Add(servers, info))
        return true;
    ServerInfo_Free(info);
    return false;
}

static bool ReadServerSection(const ProfileSection& s, ServerList* servers) {
    ServerList_FreeContents(servers);
    servers->dwIsCluster = GetProfileTextInt(s, "IsServerCluster", 0);
    for (int index = 0; index < 256; index++) {
        if (!ReadServer(s, servers, index))
            return false;
    }
    return true;
}

// The older key "HomePageName" holds folder and document in one text.
static void ReadHomePage(const ProfileSection& s, AnalysisProfile* p) {
    char page[256];
    if (GetProfileTextString(s, "HomePageName", "", page, sizeof page)) {
        char* cut = nullptr;
        for (char* c = page; *c; c++) {
            if (*c == '\\' || *c == '/' || *c == ':')
                cut = c;
        }
        OvkitCopyText(p->HomePageDefaults, cut ? cut + 1 : page);
        if (cut)
            cut[1] = '\0';
        OvkitCopyText(p->HomePageBaseDir, cut ? page : "");
        return;
    }
    GetProfileTextString(s, "HomePageDefaults", "", p->HomePageDefaults, 260);
    GetProfileTextString(s, "HomePageBaseDir", "", p->HomePageBaseDir, 260);
}

static bool ReadProfileSection(const char* text, AnalysisProfile* p) {
    ProfileSection s;
    if (!FindProfileSection(text, "Profile", &s))
        s.begin = s.end = text; // every key takes its default
    GetProfileTextString(s, "Description", "", p->Description, PROFILE_DESCRIPTION_STORED + 1);
    if (!ReadServerSection(s, &p->Servers))
        return false;
    p->DontShowOverlapMsg = GetProfileTextInt(s, "DontShowOverlapMsg", 0);
    GetProfileTextString(s, "ReportSaveToPath", "", p->ReportSaveToPath, 256);
    ReadHomePage(s, p);
    ReadCredential(s, "HomePageUsername", p->HomePageUsername, 41);
    ReadCredential(s, "HomePagePassword", p->HomePagePassword, 41);
    GetProfileTextString(s, "ODBCDataSource", "", p->ODBCDataSource, 301);
    GetProfileTextString(s, "ODBCSwiftmere", "", p->ODBCSwiftmere, 301);
    GetProfileTextString(s, "LogOwner", "", p->LogOwner, 100);
    GetProfileTextString(s, "SwiftmereRepository", "", p->SwiftmereRepository, 260);
    p->DNSLookup = static_cast<BYTE>(GetProfileTextInt(s, "DNSLookup", 0));
    p->OverrideMultiHome = GetProfileTextInt(s, "OverrideMultiHome", 0);
    p->SwiftmereFlag = static_cast<WORD>(GetProfileTextInt(s, "SwiftmereFlag", 0));
    p->RealtimeAnalysis = GetProfileTextInt(s, "RealtimeAnalysis", 0);
    p->IncrementalUpdate = GetProfileTextInt(s, "IncrementalUpdate", 0);
    p->RealtimeReportFrequency =
        static_cast<WORD>(GetProfileTextInt(s, "RealtimeReportFrequency", 0));
    p->RealtimeReportInterval = GetProfileTextInt(s, "RealtimeReportInterval", 0);
    p->RealtimeReports = GetProfileTextInt(s, "RealtimeReports", 0);
    p->LogFileFormat = GetProfileTextInt(s, "LogFileFormat", 0);
    p->wRangeCode = 0;
    p->Version = PROFILE_VERSION;
    return true;
}

// BaseName: the file name of the path without its last extension.
static void SetNameFromPath(const char* path, AnalysisProfile* p) {
    const char* name = path;
    for (const char* c = path; *c; c++) {
        if (*c == '\\' || *c == ':' || *c == '/')
            name = c + 1;
    }
    char base[MAX_PATH];
    OvkitCopyText(base, name);
    char* dot = std::strrchr(base, '.');
    if (dot)
        *dot = '\0';
    OvkitCopyText(p->BaseName, base);
    OvkitCopyText(p->Extension, PROFILE_FILE_EXTENSION);
}

short ORB_CALL ReadOrbisFile(const char* szPath, AnalysisProfile* lpProfile) {
    if (!szPath || !lpProfile)
        return 0;
    DWORD length = 0;
    char* text = ProfileFile_ReadAll(szPath, &length);
    if (!text)
        return 0;
    AnalysisProfile_Init(lpProfile);
    bool ok = ReadProfileSection(text, lpProfile);
    SetNameFromPath(szPath, lpProfile);
    DWORD protocol = lpProfile->Servers.dwProtocol;
    if (ok && (protocol == SERVER_PROTOCOL_FTP || protocol == SERVER_PROTOCOL_HTTP))
        lpProfile->IncrementalUpdate = NetSettings_Get()->DownloadMode;
    ok = ok && ReadProfileFilters(lpProfile, text);
    if (ok) {
        lpProfile->RowmereIP = ReadRowmere("RowmereIP", text);
        lpProfile->RowmereAuthUser = ReadRowmere("RowmereAuthUser", text);
    }
    std::free(text);
    return ok ? 4 : 0;
}

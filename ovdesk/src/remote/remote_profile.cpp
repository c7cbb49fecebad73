// The profile keywords of a remote page: load, save, add, delete and the
// cluster check.
#include "remote/remote_handler.h"
#include <cstdio>
#include <cstring>

namespace {
enum { REMOTE_MAX_SERVERS = 32, FIELD_SIZE = 1060, NAME_SIZE = 32 };
// The page numbers file 0, HTTP 1, FTP 2 against the engine's protocol codes.
const struct {
    int Page;
    DWORD Protocol;
} kProtocols[] = {{0, SERVER_PROTOCOL_FILE}, {1, SERVER_PROTOCOL_HTTP}, {2, SERVER_PROTOCOL_FTP}};
const char* const kHomePrefixes[] = {"file:///", "http://", "ftp://"};

void SetOn(RemoteRequest* request, const char* name, BOOL on) {
    if (on)
        SetRemotePage(request, name, "on");
}

void SetNumberText(RemoteRequest* request, const char* name, unsigned long value) {
    char text[16];
    snprintf(text, sizeof text, "%lu", value);
    SetRemotePage(request, name, text);
}

void LoadServers(RemoteRequest* request, const AnalysisProfile* profile) {
    DWORD protocol = ServerList_GetProtocol(&profile->Servers);
    for (const auto& row : kProtocols)
        if (row.Protocol == protocol)
            SetNumberText(request, "LogURLType", (unsigned long)row.Page);
    DWORD count = ServerList_Count(&profile->Servers);
    SetRemotePageNumber(request, "ServerCount", (int)count);
    for (DWORD i = 0; i < count; ++i) {
        const ServerInfo* server = ServerList_Get(&profile->Servers, i);
        char name[NAME_SIZE];
        snprintf(name, sizeof name, "ServerName%lu", (unsigned long)i);
        SetRemotePage(request, name, server->szName);
        snprintf(name, sizeof name, "LogURL%lu", (unsigned long)i);
        SetRemotePage(request, name, server->szPath);
        snprintf(name, sizeof name, "LogUser%lu", (unsigned long)i);
        SetRemotePage(request, name, server->szUsername);
        snprintf(name, sizeof name, "LogPass%lu", (unsigned long)i);
        SetRemotePage(request, name, server->szPassword);
    }
}

void LoadHomePage(RemoteRequest* request, const AnalysisProfile* profile) {
    for (int type = 0; type < 3; ++type) {
        size_t length = strlen(kHomePrefixes[type]);
        if (strncmp(profile->HomePageBaseDir, kHomePrefixes[type], length) != 0)
            continue;
        SetNumberText(request, "HomeURLType", (unsigned long)type);
        SetRemotePage(request, "HomeURL", profile->HomePageBaseDir + length);
        break;
    }
    SetRemotePage(request, "HomePageFileNames", profile->HomePageDefaults);
    SetRemotePage(request, "HomeUser", profile->HomePageUsername);
    SetRemotePage(request, "HomePass", profile->HomePagePassword);
}

void ReadServers(RemoteRequest* request, AnalysisProfile* profile) {
    DWORD type = ReadRemotePageNumber(request, "LogURLType");
    DWORD protocol = type;
    for (const auto& row : kProtocols)
        if ((DWORD)row.Page == type)
            protocol = row.Protocol;
    ServerList_SetProtocol(&profile->Servers, protocol);
    ReadRemotePageNumber(request, "ServerCount"); // read, not used
    while (ServerList_Count(&profile->Servers))
        ServerList_Delete(&profile->Servers, 0);
    for (int i = 0; i < REMOTE_MAX_SERVERS; ++i) {
        char field[NAME_SIZE], name[SERVERINFO_NAME_SIZE], path[SERVERINFO_PATH_SIZE];
        char user[SERVERINFO_USERNAME_SIZE], password[SERVERINFO_PASSWORD_SIZE];
        snprintf(field, sizeof field, "ServerName%d", i);
        ReadRemotePage(request, field, name, sizeof name);
        snprintf(field, sizeof field, "LogURL%d", i);
        ReadRemotePage(request, field, path, sizeof path);
        snprintf(field, sizeof field, "LogUser%d", i);
        ReadRemotePage(request, field, user, sizeof user);
        snprintf(field, sizeof field, "LogPass%d", i);
        ReadRemotePage(request, field, password, sizeof password);
        if (name[0] && path[0])
            ServerList_AddServer(&profile->Servers, name, path, user, password);
    }
}

void ReadHomePage(RemoteRequest* request, AnalysisProfile* profile) {
    DWORD type = ReadRemotePageNumber(request, "HomeURLType");
    const char* prefix = type == 1   ? kHomePrefixes[1]
                         : type == 2 ? kHomePrefixes[2]
                                     : kHomePrefixes[0];
    char url[PROFILE_HOMEPAGE_SIZE];
    ReadRemotePage(request, "HomeURL", url, sizeof url - 1);
    if (url[0]) {
        if (!strchr(url, '/'))
            strcat(url, "/");
        snprintf(profile->HomePageBaseDir, sizeof profile->HomePageBaseDir, "%s%s", prefix, url);
    } else {
        profile->HomePageBaseDir[0] = '\0';
    }
    ReadRemotePage(request, "HomePageFileNames", profile->HomePageDefaults,
                   sizeof profile->HomePageDefaults);
    ReadRemotePage(request, "HomeUser", profile->HomePageUsername,
                   sizeof profile->HomePageUsername);
    ReadRemotePage(request, "HomePass", profile->HomePagePassword,
                   sizeof profile->HomePagePassword);
    profile->DNSLookup = (BYTE)ReadRemotePageNumber(request, "LogDNS");
}

BOOL PageSays(RemoteRequest* request, const char* name) {
    char text[8];
    ReadRemotePage(request, name, text, sizeof text);
    return text[0] != '\0';
}

void ReadHistoryOptions(RemoteRequest* request, AnalysisProfile* profile) {
    profile->SwiftmereFlag = PageSays(request, "LogDB") ? SWIFTMERE_FILES : SWIFTMERE_NONE;
    profile->RealtimeAnalysis = PageSays(request, "LogRT") && profile->SwiftmereFlag ? 1 : 0;
    if (PageSays(request, "LogRTReport") && profile->RealtimeAnalysis) {
        ReadRemotePage(request, "LogRTSaveAs", profile->ReportSaveToPath,
                       sizeof profile->ReportSaveToPath);
        profile->RealtimeReports = profile->ReportSaveToPath[0] ? 1 : 0;
        profile->RealtimeReportInterval = ReadRemotePageNumber(request, "LogRTEvery");
        profile->RealtimeReportFrequency = (WORD)ReadRemotePageNumber(request, "LogRTEveryScale");
    } else {
        profile->RealtimeReports = 0;
    }
}

void ReadProfileFields(RemoteRequest* request, AnalysisProfile* profile) {
    ReadRemotePage(request, "LogDesc", profile->Description, sizeof profile->Description);
    ReadServers(request, profile);
    ReadHomePage(request, profile);
    ReadHistoryOptions(request, profile);
}
} // namespace

void LoadRemoteProfile(RemoteRequest* request) {
    ProfileListEntry* entry = FindRemoteProfile(request, 0);
    if (!entry || !entry->Profile)
        return;
    const AnalysisProfile* profile = entry->Profile;
    SetRemotePage(request, "LogDesc", profile->Description);
    LoadServers(request, profile);
    LoadHomePage(request, profile);
    SetNumberText(request, "LogDNS", profile->DNSLookup);
    SetOn(request, "LogDB", profile->SwiftmereFlag != SWIFTMERE_NONE);
    SetOn(request, "LogRT", profile->RealtimeAnalysis != 0);
    if (profile->RealtimeReports) {
        SetRemotePage(request, "LogRTReport", "on");
        SetRemotePage(request, "LogRTSaveAs", profile->ReportSaveToPath);
        SetNumberText(request, "LogRTEvery", profile->RealtimeReportInterval);
        SetNumberText(request, "LogRTEveryScale", profile->RealtimeReportFrequency);
    }
}

void SaveRemoteProfile(RemoteRequest* request, int add) {
    if (add) {
        // A new profile starts from the defaults, not from zeros.
        AnalysisProfile* profile = AnalysisProfile_New();
        if (!profile)
            return;
        ReadProfileFields(request, profile);
        ORB_CreateOrbisEntry(profile);
        AnalysisProfile_Free(profile);
    } else {
        SetRemoteStatus(request, REMOTE_REFUSED, nullptr);
        ProfileListEntry* entry = FindRemoteProfile(request, 0);
        if (!entry || !entry->Profile)
            return;
        AnalysisProfile* copy = AnalysisProfile_New();
        if (!copy)
            return;
        if (AnalysisProfile_CopyNonRuntime(copy, entry->Profile)) {
            ReadProfileFields(request, copy);
            ORB_UpdateOrbisEntry(copy);
            AnalysisProfile_CopyNonRuntime(entry->Profile, copy);
        }
        AnalysisProfile_Free(copy);
    }
    ReloadRemoteProfiles();
    SetRemoteStatus(request, REMOTE_DONE, nullptr);
}

void DeleteRemoteProfile(RemoteRequest* request) {
    SetRemoteStatus(request, REMOTE_REFUSED, nullptr);
    ProfileListEntry* entry = FindRemoteProfile(request, 0);
    if (!entry || !entry->Profile)
        return;
    AnalysisProfile* profile = entry->Profile;
    if (profile->SwiftmereFlag != SWIFTMERE_NONE || profile->RealtimeAnalysis)
        ORB_DeleteRealtimeDatabase(profile);
    char name[PROFILE_BASENAME_SIZE + PROFILE_EXTENSION_SIZE + 2];
    snprintf(name, sizeof name, "%s.%s", profile->BaseName, profile->Extension);
    ORB_DeleteSet(profile, name, 1, 0);
    ReloadRemoteProfiles();
    SetRemoteStatus(request, REMOTE_DONE, nullptr);
}

void CheckRemoteCluster(RemoteRequest* request) {
    SetRemoteStatus(request, REMOTE_DONE, nullptr);
    ProfileListEntry* entry = FindRemoteProfile(request, 0);
    if (!entry || !entry->Profile)
        return;
    BOOL cluster = ServerList_Count(&entry->Profile->Servers) >= 2;
    SetRemotePage(request, "LogCluster", cluster ? "on" : "off");
    if (cluster)
        SetRemoteStatus(request, REMOTE_REFUSED, nullptr);
}

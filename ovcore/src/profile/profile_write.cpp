// Writing a profile file.
#include "ovcore/profile_file.h"
#include "profile/credential_scramble.h"
#include "profile/filter_sections.h"
#include "profile/profile_file_io.h"
#include "profile/profile_out.h"
#include "profile/rowmere_sections.h"
#include "profile/server_protocol.h"
#include "ovkit/text_copy.h"
#include <cstdio>
#include <cstring>

// "key=<scrambled value>", or "key=" for an empty value.
static void WriteCredential(ProfileOut* out, const char* key, const char* value) {
    char stored[CREDENTIAL_STORED_SIZE(SERVERINFO_PASSWORD_SIZE)];
    StoreCredential(value, stored, sizeof stored);
    ProfileOut_KeyText(out, key, stored);
}

// The log path as stored: the protocol's prefix, then the path.
static void WriteLogPath(ProfileOut* out, const char* key, DWORD protocol, const char* path) {
    char value[SERVER_PROTOCOL_PREFIX_MAX + SERVERINFO_PATH_SIZE];
    std::snprintf(value, sizeof value, "%s%.*s", ServerProtocolPrefixFor(protocol, path),
                  SERVERINFO_PATH_SIZE - 1, path);
    ProfileOut_KeyText(out, key, value);
}

static void WriteServers(ProfileOut* out, const ServerList* servers) {
    ProfileOut_KeyInt(out, "IsServerCluster", servers->dwIsCluster ? 1 : 0);
    for (DWORD i = 0; i < servers->dwCount; i++) {
        const ServerInfo* info = servers->lpServers[i];
        char suffix[16] = "";
        if (i > 0)
            std::snprintf(suffix, sizeof suffix, "%lu", static_cast<unsigned long>(i + 1));
        char key[40];
        std::snprintf(key, sizeof key, "ServerName%s", suffix);
        ProfileOut_KeyText(out, key, info->szName);
        std::snprintf(key, sizeof key, "LogFilePath%s", suffix);
        WriteLogPath(out, key, servers->dwProtocol, info->szPath);
        std::snprintf(key, sizeof key, "LogFileUsername%s", suffix);
        WriteCredential(out, key, info->szUsername);
        std::snprintf(key, sizeof key, "LogFilePassword%s", suffix);
        WriteCredential(out, key, info->szPassword);
    }
}

static void WriteProfileSection(ProfileOut* out, const AnalysisProfile* p) {
    char text[PROFILE_DESCRIPTION_SIZE];
    ProfileOut_Append(out, "[Profile]\r\n");
    ProfileOut_KeyInt(out, "Version", PROFILE_VERSION);
    ProfileOut_KeyText(out, "Description", OvkitCopyField(text, p->Description));
    WriteServers(out, &p->Servers);
    ProfileOut_KeyInt(out, "DontShowOverlapMsg", p->DontShowOverlapMsg ? 1 : 0);
    ProfileOut_KeyText(out, "ReportSaveToPath", OvkitCopyField(text, p->ReportSaveToPath));
    ProfileOut_KeyText(out, "LogOwner", OvkitCopyField(text, p->LogOwner));
    ProfileOut_KeyText(out, "HomePageDefaults", OvkitCopyField(text, p->HomePageDefaults));
    ProfileOut_KeyText(out, "HomePageBaseDir", OvkitCopyField(text, p->HomePageBaseDir));
    WriteCredential(out, "HomePageUsername", OvkitCopyField(text, p->HomePageUsername));
    WriteCredential(out, "HomePagePassword", OvkitCopyField(text, p->HomePagePassword));
    ProfileOut_KeyText(out, "ODBCDataSource", OvkitCopyField(text, p->ODBCDataSource));
    ProfileOut_KeyText(out, "ODBCSwiftmere", OvkitCopyField(text, p->ODBCSwiftmere));
    ProfileOut_KeyText(out, "SwiftmereRepository", OvkitCopyField(text, p->SwiftmereRepository));
    ProfileOut_KeyInt(out, "DNSLookup", p->DNSLookup);
    ProfileOut_KeyInt(out, "OverrideMultiHome", static_cast<long>(p->OverrideMultiHome));
    ProfileOut_KeyInt(out, "SwiftmereFlag", p->SwiftmereFlag);
    ProfileOut_KeyInt(out, "RealtimeAnalysis", static_cast<long>(p->RealtimeAnalysis));
    ProfileOut_KeyInt(out, "IncrementalUpdate", static_cast<long>(p->IncrementalUpdate));
    ProfileOut_KeyInt(out, "RealtimeReportFrequency", p->RealtimeReportFrequency);
    ProfileOut_KeyInt(out, "RealtimeReportInterval", static_cast<long>(p->RealtimeReportInterval));
    ProfileOut_KeyInt(out, "RealtimeReports", static_cast<long>(p->RealtimeReports));
    ProfileOut_KeyInt(out, "LogFileFormat", static_cast<long>(p->LogFileFormat));
}

// The folder part of a path (through its last separator), "." when none.
static void FolderOf(const char* path, char* folder) {
    lstrcpynA(folder, path, MAX_PATH);
    char* cut = std::strrchr(folder, '\\');
    char* slash = std::strrchr(folder, '/');
    if (slash && (!cut || slash > cut))
        cut = slash;
    if (cut)
        cut[1] = '\0';
    else
        std::strcpy(folder, ".");
}

// Writes the text to a new temporary file beside path, then puts it in
// path's place.
static int ReplaceFileWithText(const char* path, const ProfileOut& text) {
    char folder[MAX_PATH];
    char temp[MAX_PATH];
    FolderOf(path, folder);
    if (!GetTempFileNameA(folder, "wlp", 0, temp))
        return 0;
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temp);
        return 0;
    }
    BOOL written = ProfileFile_WriteAll(file, text.data, static_cast<DWORD>(text.length));
    written = FlushFileBuffers(file) && written;
    CloseHandle(file);
    if (!written || !MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp);
        return 0;
    }
    return 1;
}

int ORB_CALL WriteOrbisFile(const char* szPath, const AnalysisProfile* lpProfile) {
    if (!szPath || !*szPath || !lpProfile)
        return 0;
    ProfileOut out;
    WriteProfileSection(&out, lpProfile);
    WriteProfileFilters(&out, lpProfile->Filters);
    WriteRowmere("RowmereIP", lpProfile->RowmereIP, &out);
    WriteRowmere("RowmereAuthUser", lpProfile->RowmereAuthUser, &out);
    int result = out.failed ? 0 : ReplaceFileWithText(szPath, out);
    ProfileOut_Free(&out);
    return result;
}

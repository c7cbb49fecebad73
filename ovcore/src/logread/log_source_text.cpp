// A single log source given as text, read as a one-server list.
#include "ovcore/fileinfo.h"
#include "ovcore/logpath.h"
#include "ovcore/logsource.h"
#include <string.h>

namespace {

// The path that the list holds for the source text, and its protocol. FALSE
// when the path does not fit a server entry: a cut path would name another
// file.
BOOL SourcePath(const char* text, char* path, DWORD* protocol) {
    *protocol = LogPrefixToProtocol(text);
    if (strncmp(text, ZIPPED_PREFIX, ZIPPED_PREFIX_LEN) == 0)
        text += ZIPPED_PREFIX_LEN;
    else if (*protocol == SERVER_PROTOCOL_FILE && text != SkipLogPrefix(text))
        // "file:///C|/logs/a.log": the local path, which a file can be opened by.
        return ParseUrlSource(path, SERVERINFO_PATH_SIZE, text, nullptr, 0, nullptr) == 0;
    if (strlen(text) >= SERVERINFO_PATH_SIZE)
        return FALSE;
    strcpy(path, text);
    return TRUE;
}

} // namespace

int OpenLogSourceText(HWND hostArg, const char* profileName, DWORD* flags, const char* odbcSource,
                      const char* sourceText, FileInfo* info, BOOL unpack,
                      FileInfoPathCallback pathCallback) {
    FileInfo_Clear(info);
    char path[SERVERINFO_PATH_SIZE];
    DWORD protocol = SERVER_PROTOCOL_FILE;
    if (!sourceText || !SourcePath(sourceText, path, &protocol))
        return 0;
    ServerList* servers = ServerList_NewWithOnePath(protocol, path);
    if (!servers)
        return 0;
    int files = FileInfo_OpenServerList(hostArg, profileName, flags, odbcSource, servers, info,
                                        unpack, pathCallback);
    ServerList_Free(servers);
    return files;
}

// The library's one entry point.
#include "dunzip32.h"
#include "zip_directory.h"
#include "zip_extract.h"
#include <string.h>

namespace {

int MemberInfo(HANDLE archive, DUNZIPCMDSTRUCT* cmd) {
    if (!cmd->lpEntryInfo)
        return DUNZIP_BAD_COMMAND;
    ZipMember m = {};
    int result = ZipFindMember(archive, cmd->dwIndex, &m);
    if (result != DUNZIP_OK)
        return result;
    DUNZIPENTRYINFO* info = cmd->lpEntryInfo;
    info->dwUncompressedSize = m.uncompressedSize;
    info->dwCompressedSize = m.compressedSize;
    info->dwCrc32 = m.crc32;
    info->dwDosDateTime = m.dosDateTime;
    info->dwAttributes = m.externalAttributes;
    memcpy(info->szName, m.name, sizeof(info->szName));
    return DUNZIP_OK;
}

int Extract(HANDLE archive, DUNZIPCMDSTRUCT* cmd) {
    if (!cmd->lpszDestination)
        return DUNZIP_BAD_COMMAND;
    ZipMember m = {};
    int result = ZipFindMember(archive, cmd->dwIndex, &m);
    if (result != DUNZIP_OK)
        return result;
    char name[MAX_PATH];
    lstrcpynA(name, cmd->lpszDestination, sizeof(name));
    if (cmd->lpfnNameCopy && cmd->lpNameBuffer) {
        cmd->lpfnNameCopy(cmd->lpNameBuffer, name);
        lstrcpynA(name, cmd->lpNameBuffer, sizeof(name));
    }
    if (!cmd->dwOverwrite && GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES)
        return DUNZIP_WARNING;
    return ZipExtractToFile(archive, m, name, cmd->lpfnProgress, cmd->hProgressWindow);
}

} // namespace

int WINAPI dunzip(DUNZIPCMDSTRUCT* cmd) {
    if (!cmd || cmd->dwStructSize != sizeof(DUNZIPCMDSTRUCT) || !cmd->lpszZipFile)
        return DUNZIP_BAD_COMMAND;
    HANDLE archive = CreateFileA(cmd->lpszZipFile, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (archive == INVALID_HANDLE_VALUE)
        return DUNZIP_CANNOT_OPEN;
    int result;
    switch (cmd->dwFunction) {
    case DUNZIP_COUNT_MEMBERS:
        result = ZipCountMembers(archive, &cmd->dwMemberCount);
        break;
    case DUNZIP_MEMBER_INFO:
        result = MemberInfo(archive, cmd);
        break;
    case DUNZIP_EXTRACT_TO_FILE:
        result = Extract(archive, cmd);
        break;
    default: // extraction to memory is not offered
        result = DUNZIP_UNSUPPORTED;
        break;
    }
    CloseHandle(archive);
    return result;
}

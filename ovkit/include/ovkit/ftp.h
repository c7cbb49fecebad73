// FTP services: a modal "FTP Browser" dialog that walks the folders of an FTP
// server (through FTP4W32.DLL, bound by name on first use) and an uploader of
// report files (through WinInet, bound by name on first use).
#pragma once
#include "ovkit/ovkit_base.h"

#define OVKIT_FTP_USER_SIZE 41
#define OVKIT_FTP_PASSWORD_SIZE 41
#define OVKIT_FTP_ADDRESS_SIZE 300

// The caller's browse record. address: "host[:port][/path]" without "ftp://",
// read at the start and replaced by the chosen address on OK.
#pragma pack(push, 1)
struct OVKIT_FtpBrowseRecord {
    WORD reserved;
    char user[OVKIT_FTP_USER_SIZE];
    char password[OVKIT_FTP_PASSWORD_SIZE];
    char address[OVKIT_FTP_ADDRESS_SIZE];
};
#pragma pack(pop)
static_assert(sizeof(OVKIT_FtpBrowseRecord) == 384, "OVKIT_FtpBrowseRecord is 384 bytes");

// 1 when the user confirmed a file (the record's address is replaced with
// host, folder and file), 0 on cancel or failure (the failure is shown).
OVKIT_EXPORT(int) OVKIT_FtpBrowse(HWND owner, OVKIT_FtpBrowseRecord* record);
// The same, but a folder is chosen: confirming with a file selected gives its
// folder.
OVKIT_EXPORT(int) OVKIT_FtpBrowseDirectory(HWND owner, OVKIT_FtpBrowseRecord* record);

// Puts count files into the folder of address ("[ftp://]host[:port]/folder/",
// a file name behind the last "/" is ignored) in binary mode, telling the
// progress bar window how far it got. 1 when every file was put; 0 otherwise,
// after a message box owned by progress says why.
OVKIT_EXPORT(int)
OVKIT_FTPSendFiles(HWND progress, const char* address, int count, const char* const* paths,
                   const char* user, const char* password);

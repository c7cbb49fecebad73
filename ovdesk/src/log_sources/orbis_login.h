// The login dialog of a remote log source: user name and password, and a
// browse through the FTP server for the log's path.
#pragma once
#include <windows.h>

enum { LOGIN_TEXT_SIZE = 41, LOGIN_PATH_SIZE = 300 };

#pragma pack(push, 1)
// The dialog's parameter; it is read at the start and written on OK.
struct OrbisLoginBlock {
    WORD Kind; // 1 for a log source, else a report destination (help topic)
    char UserName[LOGIN_TEXT_SIZE];
    char Password[LOGIN_TEXT_SIZE];
    char RemotePath[LOGIN_PATH_SIZE]; // "host/folder/file" without "ftp://"
};
#pragma pack(pop)
static_assert(sizeof(OrbisLoginBlock) == 384, "OrbisLoginBlock is 384 bytes");

// Dialog procedure (template IDD_ORBIS_LOGIN, parameter an OrbisLoginBlock).
// Ends with 1 when the texts (and, after a browse, the path) were stored, 2
// on Cancel.
extern "C" __declspec(dllexport) INT_PTR CALLBACK
    OrbisLoginDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog modally; its result, or -1 when it cannot be shown.
INT_PTR RunOrbisLogin(HWND owner, OrbisLoginBlock* block);

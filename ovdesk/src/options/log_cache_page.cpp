// The Log File Cache page: when remote logs are downloaded again, and the
// flush of the downloaded copies.
#include "options/options_sheet.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstring>

namespace {
enum { HELP_TOPIC = 4103 };

struct CacheMode {
    int Item;
    const char* Value;
};
const CacheMode kModes[] = {
    {IDC_OPT_FTP_ALWAYS, "Always"},
    {IDC_OPT_FTP_ONCE, "Once"},
    {IDC_OPT_FTP_DETECT, "Detect"},
};

const char kFlushQuestion[] =
    "Flushing the log file cache may free up some disk space.\r\n\r\nHowever, remote log files "
    "will need to be retrieved in its entirety until the cache is re-established.\r\n\r\nDo you "
    "still want to flush the log file cache?";

void Fill(HWND page) {
    char value[32] = "";
    GetModuleProfileString("Defaults", "FTPDownload", "Detect", value, sizeof value);
    int chosen = IDC_OPT_FTP_ALWAYS; // anything else than Once or Detect
    for (const CacheMode& mode : kModes)
        if (_stricmp(value, mode.Value) == 0)
            chosen = mode.Item;
    CheckRadioButton(page, IDC_OPT_FTP_ALWAYS, IDC_OPT_FTP_DETECT, chosen);
}

// Calls visit with the full path of each match of pattern in folder.
template <typename Visit> void ForEachMatch(const char* folder, const char* pattern, Visit visit) {
    char path[MAX_PATH * 2];
    snprintf(path, sizeof path, "%s%s", folder, pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
            continue;
        snprintf(path, sizeof path, "%s%s", folder, found.cFileName);
        visit(path, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The downloaded logs ("*.ftp" folders) and the remote listings ("*.dir").
void FlushLogCache() {
    char data[MAX_PATH] = "";
    if (ORB_GetDatfilesPath(data) != 0)
        return;
    ForEachMatch(data, "*.ftp", [](const char* folder, bool isFolder) {
        if (!isFolder)
            return;
        char inside[MAX_PATH * 2 + 2];
        snprintf(inside, sizeof inside, "%s\\", folder);
        ForEachMatch(inside, "*", [](const char* file, bool isSubfolder) {
            if (!isSubfolder)
                DeleteFileA(file);
        });
        RemoveDirectoryA(folder);
    });
    ForEachMatch(data, "*.dir", [](const char* file, bool isFolder) {
        if (!isFolder)
            DeleteFileA(file);
    });
}

BOOL Apply(HWND page) {
    for (const CacheMode& mode : kModes)
        if (IsDlgButtonChecked(page, mode.Item) == BST_CHECKED)
            WriteModuleProfileString("Defaults", "FTPDownload", mode.Value);
    return OptionsAnswer(page, PSNRET_NOERROR);
}
} // namespace

INT_PTR CALLBACK LogCacheOptionsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    OptionsPageCommon(page, message, lParam, OPT_ROW_LOG_CACHE);
    if (message == WM_INITDIALOG)
        Fill(page);
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_OPT_FTP_FLUSH &&
        HIWORD(wParam) == BN_CLICKED) {
        if (OptionsMessage(page, kFlushQuestion, nullptr, MB_YESNO | MB_ICONWARNING) == IDYES)
            FlushLogCache();
        return TRUE;
    }
    switch (OptionsNotifyCode(message, lParam)) {
    case (UINT)PSN_APPLY:
        return Apply(page);
    case (UINT)PSN_HELP:
        OptionsHelp(page, HELP_TOPIC);
        return TRUE;
    }
    return FALSE;
}

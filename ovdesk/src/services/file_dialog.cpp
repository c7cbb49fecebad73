// The common open and save dialog of the plug-in's file pickers.
#include "desk_services.h"
#include "ovkit/filedialog.h"
#include <commdlg.h>
#include <cderr.h>
#include <cstring>

namespace {
enum { FILTER_SIZE = 1024, EXTENSION_SIZE = 8 };

UINT_PTR CALLBACK FileDialogHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// Filter texts separate their parts with 0x01; the dialog wants NULs and a
// double NUL at the end.
void PrepareFilter(const char* source, char* filter) {
    size_t n = source ? strlen(source) : 0;
    if (n > FILTER_SIZE - 2)
        n = FILTER_SIZE - 2;
    memcpy(filter, source ? source : "", n);
    filter[n] = filter[n + 1] = '\0';
    OVKIT_ConvertFileList(filter);
}

// The text after the first "*." of the patterns, up to ';' or the part's end.
void DefaultExtension(const char* source, char* extension) {
    extension[0] = '\0';
    const char* star = source ? strstr(source, "*.") : nullptr;
    if (!star)
        return;
    star += 2;
    size_t n = strcspn(star, ";\x01");
    if (n >= EXTENSION_SIZE || (n == 1 && *star == '*'))
        return;
    memcpy(extension, star, n);
    extension[n] = '\0';
}

// The folder part of a full name, through its last backslash.
void FolderOf(const char* fullName, char* folder) {
    const char* slash = strrchr(fullName, '\\');
    if (!slash)
        return;
    size_t n = slash - fullName + 1;
    if (n < MAX_PATH) {
        memcpy(folder, fullName, n);
        folder[n] = '\0';
    }
}
} // namespace

int FileNameDialog(HWND owner, char* fullName, char* folder, char* fileTitle, const char* filter,
                   const char* title, int open) {
    char filterText[FILTER_SIZE];
    char extension[EXTENSION_SIZE];
    PrepareFilter(filter, filterText);
    DefaultExtension(filter, extension);
    FolderOf(fullName, folder);
    for (int attempt = 0; attempt < 2; ++attempt) {
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.hInstance = GetPluginInstance();
        ofn.lpstrFilter = filterText;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = fullName;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrFileTitle = fileTitle;
        ofn.nMaxFileTitle = MAX_PATH;
        ofn.lpstrInitialDir = folder;
        ofn.lpstrTitle = title;
        ofn.lpstrDefExt = extension[0] ? extension : nullptr;
        ofn.lpfnHook = FileDialogHook;
        ofn.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_ENABLEHOOK | OFN_PATHMUSTEXIST |
                    OFN_HIDEREADONLY | (open ? OFN_FILEMUSTEXIST : 0);
        BOOL chosen = open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
        if (chosen || CommDlgExtendedError() != FNERR_INVALIDFILENAME)
            return chosen;
        // The proposed name was refused: start again with nothing proposed.
        fullName[0] = folder[0] = fileTitle[0] = '\0';
    }
    return 0;
}

#include "ovkit/filedialog.h"
#include "ovkit/fileutil.h"
#include "ovkit/ovassert.h"
#include "ovkit/pathutil.h"
#include <commdlg.h>
#include <cderr.h>
#include <cstring>

namespace {

const DWORD kSaveFlags = OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
const DWORD kOpenFlags = kSaveFlags | OFN_FILEMUSTEXIST;

// Extension of the converted list's first pattern ("*.log;*.txt" gives
// "log"), empty when it has none.
void DefaultExtension(const char* list, char* ext, size_t room) {
    ext[0] = '\0';
    const char* patterns = list + std::strlen(list) + 1;
    const char* star = std::strstr(patterns, "*.");
    if (!star)
        return;
    star += 2;
    size_t n = std::strcspn(star, ";");
    if (n >= room)
        n = room - 1;
    std::memcpy(ext, star, n);
    ext[n] = '\0';
}

} // namespace

void OVKIT_CALL OVKIT_ConvertFileList(char* list) {
    if (!list)
        return;
    for (; *list; ++list)
        if (*list == '\x01')
            *list = '\0';
}

BOOL OVKIT_CALL OVKIT_GetFilename(HWND owner, HINSTANCE instance, char* path, char* folder,
                                  char* defaultName, char* filter, const char* title, BOOL open) {
    OV_ASSERT(path && folder && defaultName && filter);
    if (!path || !folder || !defaultName || !filter)
        return FALSE;
    WIN32_FIND_DATAA found;
    if (OVKIT_FindFile(path, &found))
        OVKIT_IsolateDirectory(path, folder);
    else if (!OVKIT_ConstructFullFilename(folder, defaultName, path))
        path[0] = '\0'; // too long to suggest: the dialog starts with no name
    size_t n = std::strlen(folder);
    if (n && folder[n - 1] == '\\')
        folder[n - 1] = '\0';
    char fileTitle[MAX_PATH];
    OVKIT_IsolateFilename(path, fileTitle);
    OVKIT_ConvertFileList(filter);
    char ext[MAX_PATH];
    DefaultExtension(filter, ext, sizeof ext);

    for (;;) {
        OPENFILENAMEA ofn;
        ZeroMemory(&ofn, sizeof ofn);
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.hInstance = instance;
        ofn.lpstrFilter = filter;
        ofn.lpstrFile = path;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrFileTitle = fileTitle;
        ofn.nMaxFileTitle = MAX_PATH;
        ofn.lpstrInitialDir = folder;
        ofn.lpstrTitle = title;
        ofn.lpstrDefExt = ext[0] ? ext : nullptr;
        ofn.Flags = open ? kOpenFlags : kSaveFlags;
        BOOL chosen = open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
        if (chosen || CommDlgExtendedError() != FNERR_INVALIDFILENAME)
            return chosen;
        // The suggested name was refused: start again with nothing filled in.
        path[0] = folder[0] = defaultName[0] = '\0';
        fileTitle[0] = '\0';
    }
}

// Finding the dialog on screen and writing the screen's picture.
#include "host_pictures.h"
#include "screen_capture.h"
#include <cstdio>
#include <string>

namespace {
struct ItemSearch {
    int Item;
    HWND Found;
};

BOOL CALLBACK HasItem(HWND window, LPARAM param) {
    ItemSearch* search = (ItemSearch*)param;
    if (IsWindowVisible(window) && GetDlgItem(window, search->Item))
        search->Found = window;
    return search->Found == nullptr;
}
} // namespace

HWND WindowWithItem(int item) {
    ItemSearch search = {item, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), HasItem, (LPARAM)&search);
    return search.Found;
}

bool WritePicture(const char* picture) {
    std::string partial = std::string(picture) + ".part";
    if (WriteScreenBmp(partial.c_str()) &&
        MoveFileExA(partial.c_str(), picture, MOVEFILE_REPLACE_EXISTING))
        return true;
    fprintf(stderr, "ovhost: could not write %s\n", picture);
    return false;
}

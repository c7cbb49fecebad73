#include "ovkit/startup.h"
#include "library_resources.h"
#include "mail/mail_winsock.h"
#include "files/module_folder.h"
#include "ovkit/resources.h"
#include "windows/window_classes.h"

namespace {

HINSTANCE g_instance = nullptr;
HBITMAP g_patternBitmap = nullptr;
HBRUSH g_patternBrush = nullptr;
HFONT g_font = nullptr;
OvkitIconRow g_icons[5] = {
    {109, nullptr}, {108, nullptr}, {107, nullptr}, {106, nullptr}, {105, nullptr}};
OvkitDisplaySettings g_display = {2, 1, 1000, 4000, 0};

const char kCaptionOther[] = "Ostrevane";

// The library's own failure text, in the language Windows picks.
void ShowFailure(UINT textId, const char* caption) {
    char text[256] = "";
    LoadStringA(g_instance, textId, text, sizeof text);
    MessageBoxA(nullptr, text, caption, MB_ICONERROR);
}

HFONT CreateLibraryFont() {
    return CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH, "Arial");
}

// A missing icon leaves its row empty; it is not an error.
void LoadIcons() {
    for (OvkitIconRow& row : g_icons)
        row.icon = static_cast<HICON>(
            LoadImageA(g_instance, MAKEINTRESOURCEA(row.id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

void ReadDisplaySettingsAtLoad() {
    char ini[MAX_PATH];
    if (OvkitPathBesideModule(g_instance, "OSTREVAN.INI", ini, sizeof ini))
        OvkitReadDisplaySettings(ini, &g_display);
}

template <class Handle> void DeleteGdi(Handle& handle) {
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}

} // namespace

BOOL OvkitProcessAttach(HINSTANCE instance) {
    g_instance = instance;
    g_patternBitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(OVKIT_IDB_PATTERN));
    if (!g_patternBitmap) {
        ShowFailure(OVKIT_IDS_BITMAP_FAILED, OVKIT_CAPTION);
        return FALSE;
    }
    g_patternBrush = CreatePatternBrush(g_patternBitmap);
    if (!g_patternBrush) {
        ShowFailure(OVKIT_IDS_BRUSH_FAILED, OVKIT_CAPTION);
        return FALSE;
    }
    g_font = CreateLibraryFont();
    if (!g_font) {
        ShowFailure(OVKIT_IDS_FONT_FAILED, OVKIT_CAPTION);
        return FALSE;
    }
    LoadIcons();
    int failed = OvkitRegisterWindowClasses(instance);
    if (failed >= 0) {
        ShowFailure(OVKIT_IDS_CLASS_FAILED, failed == 0 ? OVKIT_CAPTION : kCaptionOther);
        return FALSE;
    }
    ReadDisplaySettingsAtLoad();
    return TRUE;
}

void OvkitProcessDetach() {
    MailWinsockUnbind();
    DeleteGdi(g_patternBitmap);
    DeleteGdi(g_patternBrush);
    DeleteGdi(g_font);
    for (OvkitIconRow& row : g_icons) {
        if (row.icon)
            DestroyIcon(row.icon);
        row.icon = nullptr;
    }
    OVKIT_FreeResourceCache();
    if (g_instance)
        OvkitUnregisterWindowClasses(g_instance);
    g_instance = nullptr;
}

HINSTANCE OVKIT_GetInstance() {
    return g_instance;
}

const OvkitDisplaySettings& OvkitGetDisplaySettings() {
    return g_display;
}
HBRUSH OvkitGetPatternBrush() {
    return g_patternBrush;
}
HFONT OvkitGetLibraryFont() {
    return g_font;
}
const OvkitIconRow* OvkitGetIconTable() {
    return g_icons;
}

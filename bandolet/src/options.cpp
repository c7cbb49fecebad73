#include "options.h"

#include <cstdio>
#include <cstring>

#include "bandolet/bandolet.h"
#include "ovkit/bitmaps.h"
#include "ovkit/pathutil.h"
#include "ovkit/settings_file.h"

namespace bandolet {

namespace {

HINSTANCE g_module = nullptr;

struct OptionKey {
    DWORD bit;
    const char* key;
    bool on; // default
    UINT command;
};
constexpr OptionKey kKeys[] = {
    {BANDOLET_SMALL, "SmallBitmaps", false, 19000},
    {BANDOLET_LARGE, "LargeBitmaps", true, 19001},
    {BANDOLET_TEXT, "Text", true, 19002},
    {BANDOLET_TOOLTIPS, "Tooltips", true, 19003},
    {BANDOLET_FRAME, "Frame", false, 19005},
    {BANDOLET_SEPARATORS, "Separators", false, 19006},
    {BANDOLET_WATERMARK, "Subliminal", true, 19007},
    {BANDOLET_HIGHLIGHT, "HighlightMode", false, 19008},
    {BANDOLET_SHADOWS, "Shadows", true, 19009},
    {BANDOLET_RAISED, "Raised", false, 19010},
    {BANDOLET_SCROLLABLE, "Scrollable", true, 19011},
};
constexpr DWORD kSizes = BANDOLET_SMALL | BANDOLET_LARGE;
constexpr DWORD kLookBits = 0x7FF;

// The rules shared by reading and by the commands, after the size rules.
DWORD DisplayRules(DWORD o, const Display& d) {
    if (!d.more256)
        o &= ~BANDOLET_WATERMARK;
    if (d.few16)
        o &= ~(BANDOLET_SMALL | BANDOLET_HIGHLIGHT);
    // Dropping small bitmaps must not leave a bar with nothing to show.
    if (!(o & (kSizes | BANDOLET_TEXT)))
        o |= BANDOLET_LARGE;
    if (!(o & BANDOLET_LARGE))
        o &= ~BANDOLET_SHADOWS;
    return o;
}

} // namespace

Display CurrentDisplay() {
    int bits = 0;
    int count = OVKIT_GetNumSysColors(&bits);
    return Display{OVKIT_MoreThan256Colors(count, bits), OVKIT_FewerThan256Colors(count, bits)};
}

DWORD NormaliseOptions(DWORD o, const Display& d) {
    if ((o & kSizes) == kSizes)
        o &= ~BANDOLET_SMALL;
    if (!(o & (kSizes | BANDOLET_TEXT)))
        o |= BANDOLET_LARGE;
    if (o & BANDOLET_SMALL)
        o &= ~BANDOLET_HIGHLIGHT;
    return DisplayRules(o, d);
}

bool IsOptionCommand(UINT command) {
    return (command >= 19000 && command <= 19003) || (command >= 19005 && command <= 19013);
}

DWORD ApplyOptionCommand(DWORD old, UINT command, const Display& d) {
    DWORD o = old;
    for (const OptionKey& k : kKeys)
        if (k.command == command)
            o ^= k.bit;
    if (command == 19012)
        o = (o & ~0x3FFu) | BANDOLET_TEXT | BANDOLET_SCROLLABLE;
    if (command == 19013)
        o = (o & ~0x2B1u) | 0x54E;
    if (!IsOptionCommand(command))
        return old;
    if ((o & kSizes) == kSizes) // the newly chosen size stays
        o &= (old & BANDOLET_SMALL) ? ~BANDOLET_SMALL : ~BANDOLET_LARGE;
    if (o & BANDOLET_SMALL)
        o &= ~BANDOLET_HIGHLIGHT;
    if (!(o & (kSizes | BANDOLET_TEXT)))
        o |= (old & BANDOLET_TEXT) ? BANDOLET_LARGE : BANDOLET_TEXT;
    return DisplayRules(o, d);
}

void SetLibraryModule(HINSTANCE module) {
    g_module = module;
}
HINSTANCE LibraryModule() {
    return g_module;
}

void LibraryFolder(char* path) {
    DWORD n = GetModuleFileNameA(g_module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        n = 0;
    path[n] = '\0';
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
}

void SettingsPath(DWORD options, const char* ownFile, char* path) {
    if ((options & BANDOLET_OWN_FILE) && ownFile && ownFile[0]) {
        snprintf(path, MAX_PATH, "%s", ownFile);
        return;
    }
    char folder[MAX_PATH];
    LibraryFolder(folder);
    if (!OVKIT_ConstructFullFilename(folder, "TOOLBAR.INI", path))
        path[0] = '\0';
}

DWORD ReadToolbarOptions(DWORD given, const char* ownFile) {
    char path[MAX_PATH];
    SettingsPath(given, ownFile, path);
    if ((given & BANDOLET_OWN_FILE) &&
        (!ownFile || !ownFile[0] || GetPrivateProfileIntA("Main", "WrittenOnce", 0, path) == 0))
        return NormaliseOptions(given, CurrentDisplay());
    DWORD o = given & ~kLookBits;
    for (const OptionKey& k : kKeys)
        if (GetPrivateProfileIntA("Main", k.key, k.on ? 1 : 0, path) != 0)
            o |= k.bit;
    return NormaliseOptions(o, CurrentDisplay());
}

void WriteToolbarOptions(DWORD options, const char* ownFile, UINT leftmost) {
    char path[MAX_PATH];
    SettingsPath(options, ownFile, path);
    OVKIT_WritePrivateProfileInt("Main", "WrittenOnce", 1, path);
    for (const OptionKey& k : kKeys)
        OVKIT_WritePrivateProfileInt("Main", k.key, options & k.bit, path);
    OVKIT_WritePrivateProfileInt("Main", "Leftmost", leftmost, path);
}

void WriteLeftmost(DWORD options, const char* ownFile, UINT leftmost) {
    char path[MAX_PATH];
    SettingsPath(options, ownFile, path);
    OVKIT_WritePrivateProfileInt("Main", "Leftmost", leftmost, path);
}

} // namespace bandolet

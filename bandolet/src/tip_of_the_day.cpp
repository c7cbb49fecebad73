// The tip of the day: a tip drawn at random from TIP.TXT, never the one
// shown last, kept track of in TIP.INI.
#include <cstdlib>

#include "bandolet/bandolet.h"
#include "options.h"
#include "ovkit/memory.h"
#include "ovkit/pathutil.h"
#include "ovkit/settings_file.h"
#include "tips.h"

using namespace bandolet;

namespace {

// A tip other than last out of count; with one tip there is no other.
int Draw(int count, int last) {
    if (count <= 1)
        return 0;
    int pick;
    do {
        pick = rand() % count;
    } while (pick == last);
    return pick;
}

} // namespace

BANDOLET_EXPORT(void) Bandolet_TipOfTheDay(HWND parent) {
    char folder[MAX_PATH], ini[MAX_PATH], txt[MAX_PATH];
    LibraryFolder(folder);
    if (!OVKIT_ConstructFullFilename(folder, "TIP.INI", ini) ||
        !OVKIT_ConstructFullFilename(folder, "TIP.TXT", txt))
        return;
    if (GetPrivateProfileIntA("Main", "ShowTips", 1, ini) == 0)
        return;
    int count = static_cast<int>(GetPrivateProfileIntA("Main", "NumTips", 0, ini));
    int last = static_cast<int>(GetPrivateProfileIntA("Main", "LastTip", 0, ini));
    srand(GetTickCount());
    int pick = 0;
    if (count > 0)
        pick = Draw(count, last);
    char* tip = count > 0 ? ReadTip(txt, pick) : nullptr;
    if (!tip) {
        // Not yet counted, or a count the file no longer has: count again.
        int real = CountTips(txt);
        if (real == 0)
            return;
        OVKIT_WritePrivateProfileInt("Main", "NumTips", static_cast<DWORD>(real), ini);
        pick = count == 0 ? 0 : Draw(real, last);
        tip = ReadTip(txt, pick);
        if (!tip)
            return;
    }
    Bandolet_ShowSplash(parent, 0, nullptr, tip);
    OVKIT_MyFree(tip);
    OVKIT_WritePrivateProfileInt("Main", "LastTip", static_cast<DWORD>(pick), ini);
}

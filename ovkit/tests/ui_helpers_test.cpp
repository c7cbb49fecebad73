#include <gtest/gtest.h>
#include "../src/windows/dialog_helpers.h"
#include "../src/base/timer_emulation.h"
#include "canvas.h"
#include "library_ini.h"
#include "ovkit/settings_file.h"
#include "ovkit/startup.h"
#include "ovkit/timers.h"
#include "ovkit/ui_helpers.h"
#include "scratch_machine_key.h"
#include "wait_until.h"
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND MakeWindow(const char* cls, DWORD style, int w, int h, HWND parent = nullptr) {
    return CreateWindowExA(0, cls, "", style, 0, 0, w, h, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST(EmulatedTimers, PostTimerMessagesAndRefuseA33rd) {
    HWND window = MakeWindow("STATIC", WS_POPUP, 10, 10);
    for (UINT id = 1; id <= 32; ++id)
        ASSERT_EQ(OvkitStartEmulatedTimer(window, id, 5), id);
    EXPECT_EQ(OvkitStartEmulatedTimer(window, 33, 5), 0u);
    MSG msg;
    bool ticked = ovtest::WaitUntil(
        [&] { return PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE) != FALSE; });
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(OvkitStopEmulatedTimer(window, 7));
    EXPECT_FALSE(OvkitStopEmulatedTimer(window, 7));
    EXPECT_FALSE(OvkitStopEmulatedTimer(nullptr, 8)) << "another window's timer";
    EXPECT_EQ(OvkitStartEmulatedTimer(window, 40, 5), 40u) << "the freed slot is used again";
    for (UINT id : {1,  2,  3,  4,  5,  6,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                    18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 40})
        EXPECT_TRUE(OvkitStopEmulatedTimer(window, id)) << id;
    DestroyWindow(window);
}

TEST(EmulatedTimers, SystemTimerServesThisWindows) {
    HWND window = MakeWindow("STATIC", WS_POPUP, 10, 10);
    EXPECT_FALSE(OvkitTimersNeedEmulation());
    EXPECT_NE(OVKIT_SetTimerEx(window, 10000, 5, nullptr), 0u);
    MSG msg;
    EXPECT_TRUE(ovtest::WaitUntil(
        [&] { return PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_REMOVE) != FALSE; }));
    EXPECT_EQ(msg.wParam, 10000u);
    EXPECT_TRUE(OVKIT_KillTimerEx(window, 10000));
    EXPECT_FALSE(OVKIT_KillTimerEx(window, 10000));
    DestroyWindow(window);
}

TEST(FloatingText, FitsTheTextOrDrawsNothing) {
    ovkittest::Canvas canvas(200, 60);
    RECT fits = {0, 0, 200, 60};
    HFONT font =
        OVKIT_FloatingText(nullptr, canvas.dc(), &fits, "Ostrevane",
                           OVKIT_FT_ARIAL | OVKIT_FT_SHADOW, RGB(255, 0, 0), RGB(0, 0, 255));
    ASSERT_NE(font, nullptr);
    LOGFONTA made;
    GetObjectA(font, sizeof made, &made);
    EXPECT_LE(made.lfHeight, 36);
    EXPECT_STREQ(made.lfFaceName, "Arial");
    EXPECT_GT(canvas.Count(RGB(255, 0, 0)), 0);
    EXPECT_GT(canvas.Count(RGB(0, 0, 255)), 0) << "the shadow";
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE) << "the DC's mode is restored";
    DeleteObject(font);

    ovkittest::Canvas tiny(4, 2);
    RECT none = {0, 0, 4, 2};
    EXPECT_EQ(OVKIT_FloatingText(nullptr, tiny.dc(), &none, "Ostrevane", 0, RGB(255, 0, 0), 0),
              nullptr);
    EXPECT_EQ(tiny.Count(RGB(255, 255, 255)), 8) << "nothing drawn";

    ovkittest::Canvas again(200, 60);
    EXPECT_EQ(
        OVKIT_FloatingText(nullptr, again.dc(), &fits, "x", OVKIT_FT_DELETE, RGB(255, 0, 0), 0),
        nullptr);
    EXPECT_GT(again.Count(RGB(255, 0, 0)), 0);
}

TEST(TextHelpers, ElapsedTimeAndDateTexts) {
    const struct {
        long seconds;
        const char* text;
    } cases[] = {{3725, "01:02:05"}, {0, "00:00:00"}, {360000, "100:00:00"}, {-5, "00:00:00"}};
    for (const auto& c : cases) {
        char out[OVKIT_DATE_TEXT_SIZE];
        OVKIT_GetASCIIElapsedTime(c.seconds, out);
        EXPECT_STREQ(out, c.text) << c.seconds;
    }
    char date[OVKIT_DATE_TEXT_SIZE], both[OVKIT_DATE_TEXT_SIZE], time[OVKIT_DATE_TEXT_SIZE];
    OVKIT_GetDate(date);
    OVKIT_GetDateTime(both);
    OVKIT_GetTime(time);
    SYSTEMTIME now;
    GetLocalTime(&now);
    char year[8];
    wsprintfA(year, ", %u", now.wYear);
    EXPECT_NE(std::strstr(date, year), nullptr) << date;
    EXPECT_EQ(std::string(both), std::string(date) + " at " + time);
    EXPECT_EQ(std::strlen(time), 5u);
}

TEST(PasswordText, EncryptAndDecrypt) {
    const struct {
        const char* password;
        BYTE key;
        const char* text;
    } pairs[] = {
        {"", 0x5A, "Encrypt://"}, {"AB", 0, "Encrypt://4142"}, {"AB", 0xFF, "Encrypt://BEBD"}};
    for (const auto& p : pairs) {
        char text[64], back[64];
        ASSERT_TRUE(OVKIT_EncryptPassword(p.password, text, p.key));
        EXPECT_STREQ(text, p.text);
        ASSERT_TRUE(OVKIT_DecryptPassword(text, back, p.key));
        EXPECT_STREQ(back, p.password);
    }
    // Guards the decoding of bad texts: it stops at the first bad pair.
    const struct {
        const char* text;
        const char* password;
    } reads[] = {
        {"plain secret", "plain secret"}, {"ENCRYPT://6162", "ab"}, {"Encrypt://414", "A"},
        {"Encrypt://41zz42", "A"},        {"Encrypt://4g", ""},
    };
    for (const auto& r : reads) {
        char back[64];
        std::memset(back, '#', sizeof back);
        ASSERT_TRUE(OVKIT_DecryptPassword(r.text, back, 0));
        EXPECT_STREQ(back, r.password) << r.text;
    }
}

// Guards the combo text copy: it reads into a block of the item's length, so
// a long item cannot run past the caller's buffer.
TEST(ComboHelpers, SelectedTextIsCutToTheBuffer) {
    HWND dialog = MakeWindow("STATIC", WS_POPUP, 200, 200);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100,
                                 dialog, reinterpret_cast<HMENU>(42), nullptr, nullptr);
    char buffer[16];
    EXPECT_FALSE(OVKIT_GetSelectedComboText(dialog, 42, buffer, 5, -1)) << "nothing selected";
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Monday"));
    std::string longItem(300, 'x');
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longItem.c_str()));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    EXPECT_TRUE(OVKIT_GetSelectedComboText(dialog, 42, buffer, 5, -1));
    EXPECT_STREQ(buffer, "Mond");
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_TRUE(OVKIT_GetSelectedComboText(combo, 0, buffer, 8, 1));
    EXPECT_STREQ(buffer, "xxxxxxx");
    EXPECT_EQ(buffer[8], '#');
    EXPECT_FALSE(OVKIT_GetSelectedComboText(combo, 0, buffer, 8, 2)) << "empty text";
    EXPECT_FALSE(OVKIT_GetSelectedComboText(combo, 0, buffer, 8, 9)) << "no such item";
    DestroyWindow(dialog);
}

namespace {

WPARAM g_askedItem = 99;
LRESULT CALLBACK IconOwnerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == OVKIT_WM_GETCOMBOICON) {
        g_askedItem = w;
        *reinterpret_cast<int*>(l) = 0;
        return 1;
    }
    return DefWindowProcA(window, message, w, l);
}

} // namespace

TEST(ComboHelpers, DrawsTheItemWithIconTextAndSelectionColours) {
    ASSERT_TRUE(OvkitProcessAttach(GetModuleHandleA(nullptr)));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = IconOwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OvkitComboOwner";
    RegisterClassA(&wc);
    HWND owner = MakeWindow("OvkitComboOwner", WS_POPUP, 300, 200);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 200, 100,
                                 owner, nullptr, nullptr, nullptr);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Monday"));

    MEASUREITEMSTRUCT measure = {};
    OVKIT_MeasureCustomComboBox(owner, 0, &measure, OvkitGetLibraryFont());
    EXPECT_EQ(measure.itemHeight, 36u);
    EXPECT_EQ(measure.itemWidth, 1024u);

    ovkittest::Canvas canvas(200, 40);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_COMBOBOX;
    draw.itemID = 0;
    draw.itemState = ODS_SELECTED;
    draw.hwndItem = combo;
    draw.hDC = canvas.dc();
    draw.rcItem = {0, 2, 200, 38};
    OVKIT_DrawCustomComboBox(0, 0, &draw, OvkitGetLibraryFont());
    EXPECT_EQ(g_askedItem, 0u);
    EXPECT_EQ(canvas.At(150, 20), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.At(150, 0), RGB(255, 255, 255)) << "nothing outside the item";
    int iconPixels = 0;
    for (int y = 4; y < 34; ++y)
        for (int x = 2; x < 34; ++x)
            iconPixels += canvas.At(x, y) != GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(iconPixels, 0) << "the icon at (2, 2)";
    int textPixels = 0;
    for (int x = 36; x < 200; ++x)
        textPixels += canvas.At(x, 20) == GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_GT(textPixels, 0);
    DestroyWindow(owner);
    UnregisterClassA("OvkitComboOwner", GetModuleHandleA(nullptr));
    OvkitProcessDetach();
}

TEST(WindowHelpers, CentringAndSizes) {
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    HWND big = MakeWindow("STATIC", WS_POPUP, sw + 100, 50);
    OVKIT_CenterDialog(big);
    RECT r;
    GetWindowRect(big, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, (sh - 51) / 2);
    EXPECT_EQ(r.right - r.left, sw + 100) << "size unchanged";

    HWND parent = MakeWindow("STATIC", WS_POPUP, 100, 100);
    SetWindowPos(parent, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND child = MakeWindow("STATIC", WS_CHILD, 300, 40, parent);
    OVKIT_CenterDialogInParent(child);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 10 + (101 - 301) / 2) << "partly outside the parent";
    EXPECT_EQ(r.top, 20 + (101 - 41) / 2);

    HWND framed = MakeWindow("STATIC", WS_POPUP | WS_BORDER, 100, 100);
    int w = -1, h = -1;
    OVKIT_GetNonClientSizes(framed, &w, &h);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    RECT place;
    OVKIT_GetChildClientPosition(parent, child, &place);
    EXPECT_EQ(place.left, (101 - 301) / 2);
    EXPECT_EQ(place.right - place.left, 300);

    HWND gone = framed;
    EXPECT_TRUE(OVKIT_DestroyWindowAndHandle(&gone));
    EXPECT_EQ(gone, nullptr);
    EXPECT_FALSE(IsWindow(framed));
    EXPECT_FALSE(OVKIT_DestroyWindowAndHandle(&gone));
    HGDIOBJ a = CreateSolidBrush(0), b = nullptr;
    OVKIT_DeleteBitmapObject(&a, &b);
    EXPECT_EQ(a, nullptr);
    DestroyWindow(parent);
    DestroyWindow(big);
}

TEST(SettingsHelpers, OwnerInfoFromSettingsElseFromWindows) {
    ovkittest::ScopedLibraryIni author("Main", "Author", "Ada");
    ovkittest::ScopedLibraryIni company("Main", "Company", nullptr);
    ovkittest::ScratchMachineKey machine;
    machine.SetDefault("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "");
    HKEY key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0,
                  KEY_ALL_ACCESS, &key);
    RegSetValueExA(key, "RegisteredOrganization", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>("Karst Works"), 12);
    RegCloseKey(key);
    char name[4], firm[64];
    OVKIT_GetOwnerInfo(name, sizeof name, firm, sizeof firm);
    EXPECT_STREQ(name, "Ada");
    EXPECT_STREQ(firm, "Karst Works");
    char ini[MAX_PATH], kept[64];
    OVKIT_GetConfigFilePath(ini);
    GetPrivateProfileStringA("Main", "Company", "", kept, sizeof kept, ini);
    EXPECT_STREQ(kept, "Karst Works") << "written back";
    OVKIT_GetOwnerInfo(nullptr, 0, nullptr, 0);
}

TEST(DialogHelpers, FontsAndPlacement) {
    HWND dialog = MakeWindow("STATIC", WS_POPUP, 200, 100);
    HWND label = MakeWindow("STATIC", WS_CHILD | SS_NOPREFIX, 50, 10, dialog);
    HWND edit = MakeWindow("EDIT", WS_CHILD, 50, 10, dialog);
    HFONT normal, bold;
    ASSERT_TRUE(CreateDialogFonts(dialog, &normal, &bold));
    LOGFONTA n, b;
    GetObjectA(normal, sizeof n, &n);
    GetObjectA(bold, sizeof b, &b);
    EXPECT_EQ(n.lfWeight, FW_NORMAL);
    EXPECT_EQ(b.lfWeight, FW_BOLD);
    SetChildFonts(dialog, normal, bold);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)), bold);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)), normal);

    RECT work, r;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    HWND reference = MakeWindow("STATIC", WS_POPUP, 40, 40);
    SetWindowPos(reference, nullptr, work.right - 40, work.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CenterWindowInWorkArea(dialog, reference);
    GetWindowRect(dialog, &r);
    EXPECT_EQ(r.right, work.right) << "kept inside the work area";
    EXPECT_EQ(r.top, work.top);
    CenterWindowInWorkArea(dialog, nullptr);
    GetWindowRect(dialog, &r);
    EXPECT_EQ(r.left, work.left + (work.right - work.left - 200) / 2);
    DestroyWindow(reference);
    DestroyWindow(dialog);
    DeleteObject(normal);
    DeleteObject(bold);
}

// Database maintenance: the days a profile's history database holds, and
// deleting them - everything, one day, or the days before, after or between
// dates.
#include "profile_sheet/database_maintenance.h"
#include "host/profile_list.h"
#include "report_dialog/report_pages.h"
#include "desk_services.h"
#include "resource_ids.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstring>
#include <ctime>
#include <initializer_list>

namespace {
enum {
    MASTER_HEADER = 448,
    MASTER_ENTRY = 64,
    ENTRY_NAME = 20,
    ENTRY_TIME = 20,
    ENTRY_IN_USE = 28
};
enum { DAY_SECONDS = 86400, DATE_EDIT_SIZE = 20 };

HFONT g_boldFont;

// The profile of the selected line: each line keeps its profile.
AnalysisProfile* SelectedProfile(HWND dialog) {
    LRESULT index = SendDlgItemMessageA(dialog, IDC_DM_PROFILES, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return nullptr;
    return (AnalysisProfile*)SendDlgItemMessageA(dialog, IDC_DM_PROFILES, LB_GETITEMDATA, index, 0);
}

// The profile's daily folder, where master.dat and the day files lie.
bool DailyFolder(const AnalysisProfile* profile, char* daily) {
    char datfiles[MAX_PATH];
    char path[MAX_PATH];
    char folder[MAX_PATH];
    if (ORB_GetDatfilesPath(datfiles) != 0)
        return false;
    if (snprintf(path, sizeof path, "%s%s.%s", datfiles, profile->BaseName, profile->Extension) >=
        (int)sizeof path)
        return false;
    return ConvertOrbisFileToRealTimeDir(profile, path, folder, daily, 0) != 0;
}

FILE* OpenMaster(const AnalysisProfile* profile, const char* mode, char* daily) {
    if (!profile || !DailyFolder(profile, daily))
        return nullptr;
    char master[MAX_PATH];
    if (snprintf(master, sizeof master, "%s\\master.dat", daily) >= (int)sizeof master)
        return nullptr;
    FILE* file = fopen(master, mode);
    if (file && fseek(file, MASTER_HEADER, SEEK_SET) != 0) {
        fclose(file);
        return nullptr;
    }
    return file;
}

DWORD Word(const unsigned char* entry, int offset) {
    DWORD value;
    memcpy(&value, entry + offset, sizeof value);
    return value;
}

void FillDays(HWND dialog) {
    HWND days = GetDlgItem(dialog, IDC_DM_DAYS);
    SendMessageA(days, LB_RESETCONTENT, 0, 0);
    char daily[MAX_PATH];
    FILE* file = OpenMaster(SelectedProfile(dialog), "rb", daily);
    if (!file)
        return;
    unsigned char entry[MASTER_ENTRY];
    while (fread(entry, 1, sizeof entry, file) == sizeof entry) {
        if (!Word(entry, ENTRY_IN_USE))
            continue;
        char time[DATE_TEXT_SIZE], date[DATE_TEXT_SIZE];
        desk::FormatUtcTimeTexts(time, date, (time_t)Word(entry, ENTRY_TIME));
        SendMessageA(days, LB_ADDSTRING, 0, (LPARAM)date);
    }
    fclose(file);
}

// A date text as the first second of its day; times are the wall clock
// read as UTC, so the conversion is the UTC one.
DWORD DayOf(const char* text) {
    int hour, minute, second, month, day, year;
    ParseDateTimeText("0:0:0", text, &hour, &minute, &second, &month, &day, &year);
    struct tm broken = {};
    broken.tm_mday = day;
    broken.tm_mon = month;
    broken.tm_year = year;
    broken.tm_isdst = 0;
    ORB_TIME value = Y2K_mkGMT(&broken);
    return (DWORD)(value - value % DAY_SECONDS);
}

bool ReadDate(HWND dialog, int item, DWORD* day) {
    char text[DATE_EDIT_SIZE];
    GetItemTextBounded(dialog, item, text, sizeof text);
    if (!IsValidDateText(text)) {
        DeskMessageBox(dialog, "The date field does not contain a valid date.", "Invalid Date",
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    *day = DayOf(text);
    return true;
}

// Purges every entry whose time lies strictly between low and high.
void Purge(HWND dialog, DWORD low, DWORD high) {
    char daily[MAX_PATH];
    FILE* file = OpenMaster(SelectedProfile(dialog), "r+b", daily);
    if (!file)
        return;
    unsigned char entry[MASTER_ENTRY];
    long at = MASTER_HEADER;
    while (fseek(file, at, SEEK_SET) == 0 && fread(entry, 1, sizeof entry, file) == sizeof entry) {
        DWORD time = Word(entry, ENTRY_TIME);
        if (time > low && time < high) {
            char name[ENTRY_NAME + 1] = "";
            memcpy(name, entry, ENTRY_NAME);
            char path[MAX_PATH];
            if (name[0] && snprintf(path, sizeof path, "%s\\%s", daily, name) < (int)sizeof path)
                DeleteFileA(path);
            memset(entry + ENTRY_IN_USE, 0, 4);
            fseek(file, at, SEEK_SET);
            fwrite(entry, 1, sizeof entry, file);
        }
        at += MASTER_ENTRY;
    }
    fclose(file);
}

void DeleteEverything(HWND dialog) {
    AnalysisProfile* profile = SelectedProfile(dialog);
    if (!profile)
        return;
    if (DeskMessageBox(dialog, "Do you want to delete every day of this profile's database?",
                       "Delete everything", MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES)
        ORB_DeleteRealtimeDatabase(profile);
}

void DeleteHighlighted(HWND dialog) {
    LRESULT index = SendDlgItemMessageA(dialog, IDC_DM_DAYS, LB_GETCURSEL, 0, 0);
    char text[DATE_EDIT_SIZE] = "";
    if (index == LB_ERR ||
        SendDlgItemMessageA(dialog, IDC_DM_DAYS, LB_GETTEXTLEN, index, 0) >= DATE_EDIT_SIZE)
        return;
    SendDlgItemMessageA(dialog, IDC_DM_DAYS, LB_GETTEXT, index, (LPARAM)text);
    DWORD day = DayOf(text);
    Purge(dialog, day - 1, day + 1);
}

void OnButton(HWND dialog, int id) {
    DWORD first = 0, last = 0;
    switch (id) {
    case IDC_DM_DELETE_ALL:
        DeleteEverything(dialog);
        break;
    case IDC_DM_DELETE_DAY:
        DeleteHighlighted(dialog);
        break;
    case IDC_DM_BEFORE:
        if (ReadDate(dialog, IDC_DM_BEFORE_DATE, &first))
            Purge(dialog, 0, first);
        break;
    case IDC_DM_AFTER:
        if (ReadDate(dialog, IDC_DM_AFTER_DATE, &first))
            Purge(dialog, first, 0xFFFFFFFF);
        break;
    case IDC_DM_BETWEEN:
        if (ReadDate(dialog, IDC_DM_BETWEEN_FIRST, &first) &&
            ReadDate(dialog, IDC_DM_BETWEEN_LAST, &last))
            Purge(dialog, first, last);
        break;
    }
    FillDays(dialog);
}

void StartDialog(HWND dialog) {
    g_boldFont = PrepWindowFonts(dialog);
    CenterWindowOnScreen(dialog);
    HWND list = GetDlgItem(dialog, IDC_DM_PROFILES);
    AnalysisProfile** profiles = GetLoadedProfiles();
    for (DWORD i = 0; i < GetLoadedProfileCount(); ++i) {
        if (!profiles[i] || !profiles[i]->SwiftmereFlag)
            continue;
        LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)profiles[i]->Description);
        SendMessageA(list, LB_SETITEMDATA, index, (LPARAM)profiles[i]);
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    for (int id :
         {IDC_DM_BEFORE_DATE, IDC_DM_AFTER_DATE, IDC_DM_BETWEEN_FIRST, IDC_DM_BETWEEN_LAST})
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, DATE_EDIT_SIZE - 1, 0);
    FillDays(dialog);
}
} // namespace

INT_PTR CALLBACK DBMaintDlg(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        StartDialog(dialog);
        return TRUE;
    case WM_DESTROY:
        if (g_boldFont && g_boldFont != (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0))
            DeleteObject(g_boldFont);
        g_boldFont = nullptr;
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        } else if (LOWORD(wParam) == IDC_DM_PROFILES) {
            if (HIWORD(wParam) == LBN_SELCHANGE)
                FillDays(dialog);
        } else if (HIWORD(wParam) == BN_CLICKED) {
            OnButton(dialog, LOWORD(wParam));
        }
        return TRUE;
    }
    return FALSE;
}

int __cdecl HostDatabaseMaintenance(HWND owner) {
    DialogBoxIndirectParamA(GetPluginInstance(), GetDialogTemplate(IDD_DB_MAINTENANCE), owner,
                            DBMaintDlg, 0);
    return 0;
}

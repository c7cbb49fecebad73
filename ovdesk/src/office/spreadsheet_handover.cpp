// Finding and starting the spreadsheet program with the macro workbook.
#include "office/office_handover.h"
#include "log_sources/registry_values.h"
#include "report_run/progress_messages.h"
#include "report_run/report_delivery.h"
#include "services/file_services.h"
#include "desk_services.h"
#include "ids_office.h"
#include "ids_report_run.h"
#include <cstdio>

namespace {
const char kUserKey[] = "Software\\Microsoft\\Office\\8.0\\Excel\\Microsoft Excel";
const char kNewUserKey[] =
    "Software\\Microsoft\\Office\\8.0\\New User Settings\\Excel\\Microsoft Excel";
const char kOptions6[] = "Options6";
const char kNoTabsAlert[] = "NoXL5ModuleTabsAlert";
enum : DWORD { OPTIONS6_MACRO_BIT = 8, NEW_USER_PAUSE_MS = 10000 };

// Set when the values came from the new-user defaults: they go back there too.
BOOL g_newUserDefaults = FALSE;

BOOL ReadNumber(HKEY root, const char* key, const char* name, DWORD* value) {
    DWORD type = 0, size = sizeof *value;
    return RegGetValueA(root, key, name, RRF_RT_REG_DWORD, &type, value, &size) == ERROR_SUCCESS;
}

BOOL WriteNumbers(HKEY root, const char* key, const DWORD values[2], const BOOL write[2],
                  BOOL marks[2]) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        return FALSE;
    const char* names[2] = {kOptions6, kNoTabsAlert};
    BOOL all = TRUE;
    for (int i = 0; i < 2; ++i) {
        if (!write[i])
            continue;
        BOOL done = RegSetValueExA(opened, names[i], 0, REG_DWORD, (const BYTE*)&values[i],
                                   sizeof values[i]) == ERROR_SUCCESS;
        if (marks && done)
            marks[i] = TRUE;
        all = all && done;
    }
    RegFlushKey(opened);
    RegCloseKey(opened);
    return all;
}

BOOL FileAt(const char* folder, const char* tail, char* path) {
    if (!folder[0] || strlen(folder) + strlen(tail) >= MAX_PATH)
        return FALSE;
    snprintf(path, MAX_PATH, "%s%s", folder, tail);
    return FileIsPresent(path);
}
} // namespace

int FindSpreadsheetProgram(char* path) {
    char value[MAX_PATH] = "";
    if (ReadRegistryText(HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Microsoft\\Microsoft Office\\95\\InstallRoot", nullptr, value,
                         sizeof value) &&
        FileAt(value, "\\EXCEL\\EXCEL.EXE", path))
        return 95;
    if (ReadRegistryText(HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\EXCEL.EXE",
                         nullptr, value, sizeof value) &&
        FileAt(value, "", path))
        return 97;
    path[0] = '\0';
    return 0;
}

int PrepareSpreadsheetSettings(DWORD* savedOptions6, DWORD* savedNoTabsAlert, BOOL* writtenOptions6,
                               BOOL* writtenNoTabsAlert, int restore) {
    BOOL marks[2] = {*writtenOptions6, *writtenNoTabsAlert};
    DWORD values[2] = {*savedOptions6, *savedNoTabsAlert};
    int result = 1;
    if (restore) {
        if (g_newUserDefaults && (marks[0] || marks[1])) {
            g_newUserDefaults = FALSE;
            WriteNumbers(HKEY_LOCAL_MACHINE, kNewUserKey, values, marks, nullptr);
        }
        return WriteNumbers(HKEY_CURRENT_USER, kUserKey, values, marks, nullptr) ? 1 : 0;
    }
    HKEY root = HKEY_CURRENT_USER;
    const char* key = kUserKey;
    if (!marks[0] && !ReadNumber(root, key, kOptions6, &values[0])) {
        root = HKEY_LOCAL_MACHINE;
        key = kNewUserKey;
        g_newUserDefaults = TRUE;
    }
    DWORD wanted[2] = {0, 1};
    BOOL write[2] = {!marks[0], !marks[1]};
    if (write[0]) {
        if (ReadNumber(root, key, kOptions6, &values[0])) {
            *savedOptions6 = values[0];
            wanted[0] = values[0] & ~OPTIONS6_MACRO_BIT;
        } else {
            write[0] = FALSE;
            result = 0;
        }
    }
    if (write[1]) {
        if (ReadNumber(root, key, kNoTabsAlert, &values[1])) {
            *savedNoTabsAlert = values[1];
        } else {
            write[1] = FALSE;
            result = 0;
        }
    }
    if ((write[0] || write[1]) && !WriteNumbers(root, key, wanted, write, marks))
        result = 0;
    *writtenOptions6 = marks[0];
    *writtenNoTabsAlert = marks[1];
    return result;
}

int StartSpreadsheetHandover(HWND progress) {
    char caption[LOADTEXT_SLOT_SIZE];
    if (progress)
        SendMessageA(progress, PROGRESS_SET_CAPTION, 0,
                     (LPARAM)LoadText(IDS_EXCEL_REPORT, caption, sizeof caption));
    char program[MAX_PATH];
    if (!FindSpreadsheetProgram(program)) {
        DisplayReportError(progress, OVDESK_CAPTION, nullptr, 0, IDS_EXCEL_MISSING, 0);
        return 0;
    }
    char workbook[MAX_PATH], command[3 * MAX_PATH];
    snprintf(workbook, sizeof workbook, "%sBase\\Template\\OV_XL95.XLS", GetModuleDirectory());
    snprintf(command, sizeof command, "%s /r \"%s\" /e", program, workbook);
    DWORD saved[2] = {0, 0};
    BOOL marks[2] = {FALSE, FALSE};
    // Settings that cannot be prepared do not stop the start.
    PrepareSpreadsheetSettings(&saved[0], &saved[1], &marks[0], &marks[1], 0);
    // Only values written under the new-user defaults need the pause.
    BOOL newUser = g_newUserDefaults && (marks[0] || marks[1]);
    if (!newUser)
        g_newUserDefaults = FALSE;
    if (progress) {
        SendMessageA(progress, PROGRESS_OFFICE_START_TIMER, 0, 0);
        SendMessageA(progress, PROGRESS_OFFICE_PERCENT, 0, 0);
        SetDlgItemTextA(progress, IDC_PROGRESS_STATUS, LoadTextSlot(IDS_LAUNCHING_EXCEL, 0));
    }
    PumpMessages();
    BOOL success = RunOfficeProgramAndWait(progress, program, command);
    if (newUser)
        Sleep(NEW_USER_PAUSE_MS); // the program reads its new-user defaults once started
    PrepareSpreadsheetSettings(&saved[0], &saved[1], &marks[0], &marks[1], 1);
    return success ? 1 : 0;
}

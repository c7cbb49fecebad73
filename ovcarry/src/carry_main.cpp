// ovcarry: copies profiles, saved reports, scheduled events, lists, settings
// and history databases of an older installation into this one.
#include "carry_resource.h"
#include "carry_state.h"
#include "carry_steps.h"
#include "choose_dialog.h"
#include "import_log.h"
#include "please_wait.h"
#include "size_survey.h"
#include "ovcore/registration.h"
#include "ovkit/strutil.h"
#include <stdio.h>
#include <string.h>

#define EXIT_REFUSED (-1)

static int Refuse(const char* text) {
    MessageBoxA(nullptr, text, CARRY_CAPTION, MB_OK | MB_ICONSTOP);
    return EXIT_REFUSED;
}

static void SetProgramFolder(void) {
    char* folder = g_carry.ProgramFolder;
    GetModuleFileNameA(nullptr, folder, MAX_PATH);
    char* slash = strrchr(folder, '\\');
    if (slash)
        *slash = '\0';
}

static void PreviousIniPath(char* path) {
    JoinPath(path, g_carry.ProgramFolder, "OV_PREV.INI");
}

// Both folders without a final backslash and compared without case.
static bool IsProgramFolder(const char* folder) {
    char a[MAX_PATH], b[MAX_PATH];
    OVKIT_BufCopy(a, folder, MAX_PATH);
    OVKIT_BufCopy(b, g_carry.ProgramFolder, MAX_PATH);
    for (char* s : {a, b}) {
        size_t n = strlen(s);
        while (n > 3 && (s[n - 1] == '\\' || s[n - 1] == '/'))
            s[--n] = '\0';
    }
    return _stricmp(a, b) == 0;
}

static const char kSameFolder[] =
    "The previous installation directory matches the current directory. The previous "
    "installation directory must be different than the current directory for the import to "
    "continue.";

// The old folder from the argument or OV_PREV.INI; 0, or the refusal's code.
static int FindOldFolder(const char* argument, const char* ini) {
    char* old = g_carry.OldFolder;
    if (argument && argument[0]) {
        OVKIT_BufCopy(old, argument + (argument[0] == '"'), MAX_PATH);
        size_t n = strlen(old);
        if (n && old[n - 1] == '"')
            old[n - 1] = '\0';
        // Importing from the program folder itself would append its lists
        // to themselves and import its own profiles again.
        if (IsProgramFolder(old))
            return Refuse(kSameFolder);
    } else {
        GetPrivateProfileStringA("Previous", "InstallPath", "", old, MAX_PATH, ini);
        if (old[0] && IsProgramFolder(old)) {
            GetPrivateProfileStringA("Previous", "InstallPath2", "", old, MAX_PATH, ini);
            if (old[0] && IsProgramFolder(old))
                return Refuse(kSameFolder);
        }
    }
    size_t n = strlen(old);
    while (n > 3 && old[n - 1] == '\\')
        old[--n] = '\0';
    if (!old[0])
        return Refuse("Ostrevane Import could not find old Ostrevane files to import.");
    DWORD attributes = GetFileAttributesA(old);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        char text[MAX_PATH + 80];
        snprintf(text, sizeof text, "The path to the old Ostrevane files (%s) could not be found.",
                 old);
        return Refuse(text);
    }
    return 0;
}

// Registers with the engine on the new data folder, which is made when
// missing.
static void RegisterWithEngine(void) {
    char data[MAX_PATH], module[MAX_PATH];
    JoinPath(module, g_carry.ProgramFolder, "ovdesk");
    CreateDirectoryA(module, nullptr);
    NewDataFolder(data);
    CreateDirectoryA(data, nullptr);
    strncat(data, "\\", MAX_PATH - strlen(data) - 1);
    ORB_Register(data, 0, 0, nullptr, nullptr, nullptr, 0, nullptr, nullptr);
}

static int Survey(void) {
    DisplayPleaseWait(g_carry.Owner, PleaseWaitDlgProc, 0, TRUE);
    ShowImportStep("Determining disk space requirements. Please wait.");
    if (!RunSizeSurvey()) {
        char text[MAX_PATH + 120];
        snprintf(text, sizeof text,
                 "The %s directory contains only sample profiles.\xA0 There are no user-defined "
                 "settings to import.",
                 g_carry.OldFolder);
        return Refuse(text);
    }
    ClosePleaseWait();
    return 0;
}

static int RunCarry(const char* argument) {
    char ini[MAX_PATH];
    SetProgramFolder();
    PreviousIniPath(ini);
    char version[32];
    GetPrivateProfileStringA("Previous", "Version", "Older", version, sizeof version, ini);
    g_carry.Newer = _stricmp(version, "Other") == 0;
    if (int refused = FindOldFolder(argument, ini))
        return refused;
    char marker[MAX_PATH];
    if (JoinPath(marker, g_carry.OldFolder, "ovdesk.dll") && FileExists(marker))
        g_carry.Newer = 1;
    g_carry.Owner = CreateWindowExA(0, "STATIC", "OVImport", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    if (!g_carry.Owner)
        return EXIT_REFUSED;
    StartImportLog();
    RegisterWithEngine();
    if (FindWindowA("OSTREVAN:MAIN", nullptr) &&
        MessageBoxA(nullptr,
                    "It appears that there is an old version of Ostrevane running. Please make "
                    "sure that there are no versions of Ostrevane running before proceeding "
                    "further. Select OK to continue the import program or Cancel to quit.",
                    CARRY_CAPTION, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL)
        return EXIT_REFUSED;
    if (int refused = Survey())
        return refused;
    INT_PTR chosen = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHOOSE),
                                     nullptr, ChooseDialog, 0);
    if (chosen == 1) {
        RunImport();
        char text[2 * MAX_PATH + 120];
        snprintf(text, sizeof text,
                 "The import is complete. A log of the import activities can be found in the "
                 "file:\r\n\r\n %s%s.",
                 g_carry.ProgramFolder, "\\ImportResults.txt");
        MessageBoxA(nullptr, text, CARRY_CAPTION, MB_OK | MB_ICONINFORMATION);
    }
    WritePrivateProfileStringA("Previous", "Migrated", "1", ini);
    return 0;
}

// The one optional argument, the old folder, possibly quoted.
static const char* Argument(const char* commandLine) {
    const char* s = commandLine;
    while (*s == ' ' || *s == '\t')
        ++s;
    return s;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    int result = RunCarry(Argument(commandLine));
    if (g_carry.Owner)
        DestroyWindow(g_carry.Owner);
    return result;
}

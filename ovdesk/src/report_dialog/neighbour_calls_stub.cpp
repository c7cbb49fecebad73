// Placeholders for the saved-definition and log-source-address functions
// until their areas land: small working versions over the Windows
// private-profile functions, enough for the dialog to list, read and write
// .MSS files.
#include "report_dialog/neighbour_calls.h"
#include "report_dialog/report_pages.h"
#include "report_run/report_delivery.h"
#include "desk_services.h"
#include "ovcore/ovcore.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern WORD* g_DefinitionFormatKinds;
extern int g_DefinitionFormatCount;

namespace {
const char* const kPrefixes[] = {"file:///", "ftp://", "http://", "mailto:", "odbc:"};

void ReadText(const char* path, const char* section, const char* key, char* out, DWORD size) {
    GetPrivateProfileStringA(section, key, "", out, size, path);
}
int ReadInt(const char* path, const char* section, const char* key) {
    return (int)GetPrivateProfileIntA(section, key, -1, path);
}

void ReadSections(const char* path, ReportDefinition* record) {
    int count = ReadInt(path, "Content", "ContentCount");
    if (count > 100)
        count = 0;
    record->ContentCount = count < 0 ? 0 : (WORD)count;
    ReadText(path, "Content", "ReportTitle", record->ReportTitle, sizeof record->ReportTitle);
    for (int i = 0; i < count && i < 99; ++i) {
        TemplateSection& s = record->Sections[i];
        char key[40];
        s.Include = 1;
        snprintf(key, sizeof key, "Section%d_Name", i);
        ReadText(path, "Content", key, s.Name, sizeof s.Name);
        snprintf(key, sizeof key, "Section%d_ItemType", i);
        s.Kind = (WORD)ReadInt(path, "Content", key);
        snprintf(key, sizeof key, "Section%d_GraphType", i);
        s.GraphType = (WORD)ReadInt(path, "Content", key);
        snprintf(key, sizeof key, "Section%d_3D", i);
        s.ThreeD = ReadInt(path, "Content", key) == 1;
        snprintf(key, sizeof key, "Section%d_Elements", i);
        s.Rows = (WORD)ReadInt(path, "Content", key);
        snprintf(key, sizeof key, "Section%d_SubElements", i);
        s.Columns = (WORD)ReadInt(path, "Content", key);
    }
}

void DefinitionFolder(char* folder) {
    folder[0] = '\0';
    ORB_GetDatfilesPath(folder);
}

// Calls visit(path, name, description) for each .mss file of the data
// folder until it answers false.
template <typename Visit> void ForEachDefinition(Visit visit) {
    char folder[MAX_PATH];
    DefinitionFolder(folder);
    char pattern[MAX_PATH];
    snprintf(pattern, sizeof pattern, "%s*.mss", folder);
    WIN32_FIND_DATAA found;
    HANDLE walk = FindFirstFileA(pattern, &found);
    if (walk == INVALID_HANDLE_VALUE)
        return;
    do {
        char file[MAX_PATH];
        char text[MAX_PATH];
        snprintf(file, sizeof file, "%s%s", folder, found.cFileName);
        ReadText(file, "General", "Description", text, sizeof text);
        if (!visit(file, found.cFileName, text))
            break;
    } while (FindNextFileA(walk, &found));
    FindClose(walk);
}
} // namespace

int BuildLogSourceUrl(int type, const char* path, char* address) {
    for (const char* prefix : kPrefixes)
        if (strncmp(path, prefix, strlen(prefix)) == 0) {
            CopyBounded(address, MAX_PATH, path);
            return 1;
        }
    if (type < 0 || type > 4) {
        CopyBounded(address, MAX_PATH, path);
        return 1;
    }
    if (type >= 1 && type <= 3 &&
        (!strchr(path, type == 3 ? '@' : '/') || strchr(path, '\\') || path[0] == '/'))
        return 0;
    snprintf(address, MAX_PATH, "%s%s", kPrefixes[type == 4 ? 4 : type], path);
    return 1;
}

int SplitLogSourceUrl(char* path, const char* address) {
    static const int kTypes[] = {0, 1, 2, 3, 4};
    for (int i = 0; i < 5; ++i) {
        size_t n = strlen(kPrefixes[i]);
        if (_strnicmp(address, kPrefixes[i], n) == 0) {
            CopyBounded(path, MAX_PATH, address + n);
            return kTypes[i];
        }
    }
    CopyBounded(path, MAX_PATH, address);
    return 0;
}

int ReadReportDefinition(const char* path, const char*, const char*, const char*, char*,
                         ReportDefinition* record) {
    memset(record, 0, sizeof *record);
    ReadText(path, "General", "Description", record->Description, sizeof record->Description);
    record->OrderBy = (WORD)ReadInt(path, "Range", "OrderBy");
    record->ReportRange = (WORD)ReadInt(path, "Range", "ReportRange");
    ReadText(path, "Range", "StartTime", record->StartTime, sizeof record->StartTime);
    ReadText(path, "Range", "StopTime", record->StopTime, sizeof record->StopTime);
    ReadText(path, "Range", "StartDate", record->StartDate, sizeof record->StartDate);
    ReadText(path, "Range", "StopDate", record->StopDate, sizeof record->StopDate);
    ReadText(path, "Style", "ReportLanguage", record->ReportLanguage,
             sizeof record->ReportLanguage);
    ReadText(path, "Style", "ReportStyle", record->ReportStyle, sizeof record->ReportStyle);
    ReadText(path, "SaveAs", "SaveReportAs", record->SaveReportAs, sizeof record->SaveReportAs);
    ReadText(path, "SaveAs", "SaveToUserName", record->SaveToUserName,
             sizeof record->SaveToUserName);
    ReadText(path, "SaveAs", "SaveToPassword", record->SaveToPassword,
             sizeof record->SaveToPassword);
    ReadSections(path, record);
    memset(record->DisplayFlags, 1, sizeof record->DisplayFlags);
    if (!record->SaveReportAs[0])
        strcpy(record->SaveReportAs, ".\\REPORT.HTM");
    return 1;
}

int WriteReportDefinition(const char* path, const ReportDefinition* r) {
    FILE* file = fopen(path, "wb");
    if (!file)
        return 0;
    fprintf(file, "[General]\r\nDescription=%s\r\n\r\n", r->Description);
    fprintf(file,
            "[Range]\r\nOrderBy=%d\r\nReportRange=%d\r\nStartTime=%s\r\nStopTime=%s\r\n"
            "StartDate=%s\r\nStopDate=%s\r\n\r\n",
            r->OrderBy, r->ReportRange, r->StartTime, r->StopTime, r->StartDate, r->StopDate);
    fprintf(file, "[Style]\r\nReportLanguage=%s\r\nReportStyle=%s\r\n\r\n", r->ReportLanguage,
            r->ReportStyle);
    fprintf(file, "[SaveAs]\r\nSaveReportAs=%s\r\nSaveToUserName=%s\r\nSaveToPassword=%s\r\n\r\n",
            r->SaveReportAs, r->SaveToUserName, r->SaveToPassword);
    fprintf(file, "[Content]\r\n");
    if (r->ContentCount >= 1 && r->ContentCount <= 99) {
        fprintf(file, "ContentCount=%d\r\nReportTitle=%s\r\n", r->ContentCount, r->ReportTitle);
        for (int i = 0; i < r->ContentCount; ++i) {
            const TemplateSection& s = r->Sections[i];
            fprintf(file,
                    "Section%d_Name=%s\r\nSection%d_ItemType=%d\r\nSection%d_GraphType=%d\r\n"
                    "Section%d_3D=%s\r\nSection%d_Elements=%d\r\n\r\n",
                    i, s.Name, i, s.Kind, i, s.GraphType, i, s.ThreeD == 1 ? "1" : "0", i, s.Rows);
            if (s.Columns)
                fprintf(file, "Section%d_SubElements=%d\r\n", i, s.Columns);
            fprintf(file, "\r\n");
        }
    }
    fclose(file);
    return 1;
}

int FindReportDefinition(int, const char* server, const char* setName, const char* extension,
                         const char* description, ReportDefinition* record, char* path, int) {
    int result = 0;
    ForEachDefinition([&](const char* file, const char*, const char* text) {
        if (_stricmp(text, description) != 0)
            return true;
        if (path)
            strcpy(path, file);
        ReportDefinition scratch;
        result = ReadReportDefinition(file, server, setName, extension, nullptr,
                                      record ? record : &scratch);
        return false;
    });
    return result;
}

int ListReportDefinitions(HWND control, int mode, int, const char* selectName) {
    SendMessageA(control, CB_RESETCONTENT, 0, 0);
    free(g_DefinitionFormatKinds);
    g_DefinitionFormatKinds = nullptr;
    g_DefinitionFormatCount = 0;
    if (mode == 0)
        SendMessageA(control, CB_ADDSTRING, 0, (LPARAM)LoadTextSlot(9257, 0));
    int listed = 0;
    ForEachDefinition([&](const char*, const char*, const char* text) {
        if (text[0]) {
            SendMessageA(control, CB_ADDSTRING, 0, (LPARAM)text);
            ++listed;
        }
        return true;
    });
    int selected = (int)SendMessageA(control, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)selectName);
    SendMessageA(control, CB_SETCURSEL, selected < 0 ? 0 : selected, 0);
    return listed > 0;
}

int NewReportDefinitionName(int, char* path) {
    unsigned long highest = 0;
    ForEachDefinition([&](const char*, const char* name, const char*) {
        unsigned long n = strtoul(name, nullptr, 16);
        if (n > highest)
            highest = n;
        return true;
    });
    char folder[MAX_PATH];
    DefinitionFolder(folder);
    snprintf(path, MAX_PATH, "%s%08lX.MSS", folder, highest + 1);
    return 1;
}

int GetListedDefinitionFormat(int index) {
    if (!g_DefinitionFormatKinds || index < 0 || index >= g_DefinitionFormatCount)
        return 0;
    return g_DefinitionFormatKinds[index];
}

// The memorized-report step: older headers and templates become saved
// report files; newer saved report files are copied with a marked
// description. Each imported report gets an entry in the report map.
#include "carry_state.h"
#include "carry_steps.h"
#include "file_image.h"
#include "folder_walk.h"
#include "import_log.h"
#include "old_template.h"
#include "please_wait.h"
#include "saved_report.h"
#include <string.h>

#define OLD_HEADER_SIZE 354
#define MAX_CONTENT_ENTRIES 99
#define DESCRIPTION_SIZE 101

int MapOldRange(WORD word) {
    static const int kRanges[22] = {0,  1,  2,  3,  4,  5,  7,  10, 13, 16, 16,
                                    18, 42, 42, 42, 42, 43, 44, 45, 46, 46, 47};
    if (!(word & 0x8000) && (word & 0x4000))
        return word & 0x0FFF;
    unsigned value = word & 0x8000 ? word & 0x0FFF : word;
    return value < 22 ? kRanges[value] : 0;
}

static std::string HeaderText(const FileImage& h, DWORD offset, DWORD width) {
    char text[128];
    h.Text(offset, width, text, sizeof text);
    return text;
}

static void AddContent(const std::string& templatePath, ImportedReport* r) {
    FileImage text;
    if (!ReadFileImage(templatePath.c_str(), &text))
        return;
    int dropped = 0;
    for (const OldSection& s : ReadOldReportTemplate(text.Bytes, &dropped)) {
        if (s.Kind == SECTION_NOEDIT_GRAPH || s.Kind == SECTION_NOEDIT_TABLE)
            continue;
        if (r->Content.size() == MAX_CONTENT_ENTRIES) {
            ++dropped;
            continue;
        }
        bool graph = s.Kind == SECTION_GRAPH;
        r->Content.push_back({s.Name, s.Kind, graph ? s.GraphType : 0, graph ? s.ThreeD : 0,
                              graph ? s.End - s.Start + 1 : s.Elements});
    }
    if (dropped)
        AppendImportLogf("\tTemplate %s: %d sections past the first %d left out",
                         templatePath.c_str(), dropped, MAX_CONTENT_ENTRIES);
}

// False when the header cannot be read whole.
static bool ImportOlderReport(const char* path) {
    FileImage h;
    if (!ReadFileImage(path, &h) || !h.Holds(0, OLD_HEADER_SIZE))
        return false;
    ImportedReport r;
    std::string old = HeaderText(h, 0, 40);
    r.Description = ImportedDescription(old);
    r.ReportTitle = old;
    r.SaveReportAs = HeaderText(h, 108, 100);
    r.SaveToUserName = HeaderText(h, 208, 36);
    r.SaveToPassword = HeaderText(h, 244, 36);
    r.ReportLanguage = HeaderText(h, 280, 10);
    r.OrderBy = h.Word(292);
    r.ReportRange = MapOldRange(h.Word(294));
    r.StartTime = HeaderText(h, 296, 12);
    r.StartDate = HeaderText(h, 308, 12);
    r.StopTime = HeaderText(h, 320, 12);
    r.StopDate = HeaderText(h, 332, 12);
    char templatePath[MAX_PATH];
    if (JoinPath(templatePath, g_carry.OldFolder, HeaderText(h, 93, 15).c_str()))
        AddContent(templatePath, &r);
    if (SaveImportedReport(r)) {
        AppendImportLogf("\tMemorized report \"%s\" converted", r.Description.c_str());
        g_carry.Reports.insert(g_carry.Reports.begin(), {old, r.Description});
    } else {
        AppendImportLogf("\tMemorized report \"%s\" conversion failed", old.c_str());
    }
    return true;
}

// A damaged header skips its file only: the later files are still read.
static void ImportOlderReports(const char* data) {
    ForEachFile(data, "*.ms", [&](const WIN32_FIND_DATAA& f) {
        char path[MAX_PATH];
        if (!JoinPath(path, data, f.cFileName))
            return;
        ShowImportFile(f.cFileName);
        if (!ImportOlderReport(path))
            AppendImportLogf("\tMemorized report file %s is damaged and was skipped", f.cFileName);
    });
}

static void ImportNewerReport(const char* path) {
    char old[DESCRIPTION_SIZE], data[MAX_PATH], target[MAX_PATH];
    GetPrivateProfileStringA("General", "Description", "No description", old, sizeof old, path);
    std::string description = ImportedDescription(old);
    bool ok = NewDataFolder(data) && BuildUniqueReportFileName(data, target) &&
              CopyFileA(path, target, TRUE) &&
              WritePrivateProfileStringA("General", "Description", description.c_str(), target);
    if (ok) {
        AppendImportLogf("\tMemorized report \"%s\" converted", description.c_str());
        g_carry.Reports.insert(g_carry.Reports.begin(), {old, description});
    } else {
        AppendImportLogf("\tMemorized report \"%s\" conversion failed", old);
    }
}

void ImportReports(void) {
    char data[MAX_PATH];
    if (!OldDataFolder(data))
        return;
    if (!g_carry.Newer) {
        ImportOlderReports(data);
        return;
    }
    ForEachFile(data, "*.mss", [&](const WIN32_FIND_DATAA& f) {
        char path[MAX_PATH];
        if (!JoinPath(path, data, f.cFileName))
            return;
        ShowImportFile(f.cFileName);
        ImportNewerReport(path);
    });
}

#include "saved_report.h"
#include "carry_state.h"
#include "folder_walk.h"
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

bool BuildUniqueReportFileName(const char* folder, char* path) {
    unsigned long highest = 0;
    ForEachFile(folder, "*.mss", [&](const WIN32_FIND_DATAA& f) {
        unsigned long value = strtoul(f.cFileName, nullptr, 16);
        if (value > highest)
            highest = value;
    });
    char name[16];
    snprintf(name, sizeof name, "%08lX.MSS", (highest + 1) & 0xFFFFFFFFul);
    return JoinPath(path, folder, name);
}

std::string ImportedDescription(const std::string& old) {
    return "(Imported) " + old.substr(0, 28);
}

static void Line(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out += line;
    out += "\r\n";
}

std::string SavedReportText(const ImportedReport& r) {
    std::string t;
    Line(t, "[General]");
    Line(t, "Description=%s", r.Description.c_str());
    Line(t, "[Range]");
    Line(t, "OrderBy=%d", r.OrderBy);
    Line(t, "ReportRange=%d", r.ReportRange);
    Line(t, "StartTime=%s", r.StartTime.c_str());
    Line(t, "StopTime=%s", r.StopTime.c_str());
    Line(t, "StartDate=%s", r.StartDate.c_str());
    Line(t, "StopDate=%s", r.StopDate.c_str());
    Line(t, "[Style]");
    Line(t, "ReportLanguage=%s", r.ReportLanguage.c_str());
    Line(t, "ReportStyle=%s", r.ReportStyle.c_str());
    Line(t, "[SaveAs]");
    Line(t, "SaveReportAs=%s", r.SaveReportAs.c_str());
    Line(t, "SaveToUserName=%s", r.SaveToUserName.c_str());
    Line(t, "SaveToPassword=%s", r.SaveToPassword.c_str());
    Line(t, "[Content]");
    if (r.Content.empty() || r.Content.size() > 99)
        return t;
    Line(t, "ContentCount=%d", (int)r.Content.size());
    Line(t, "ReportTitle=%s", r.ReportTitle.c_str());
    for (size_t n = 0; n < r.Content.size(); ++n) {
        const ImportedSection& s = r.Content[n];
        int i = (int)n;
        Line(t, "Section%d_Name=%s", i, s.Name.c_str());
        Line(t, "Section%d_ItemType=%d", i, s.ItemType);
        Line(t, "Section%d_GraphType=%d", i, s.GraphType);
        Line(t, "Section%d_3D=%s", i, s.ThreeD ? "1" : "0");
        Line(t, "Section%d_Elements=%d", i, s.Elements);
        Line(t, "");
        Line(t, "");
    }
    return t;
}

bool SaveImportedReport(const ImportedReport& report) {
    char data[MAX_PATH], path[MAX_PATH];
    if (!NewDataFolder(data) || !BuildUniqueReportFileName(data, path))
        return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string text = SavedReportText(report);
    DWORD wrote = 0;
    bool ok =
        WriteFile(file, text.data(), (DWORD)text.size(), &wrote, nullptr) && wrote == text.size();
    CloseHandle(file);
    if (!ok)
        DeleteFileA(path);
    return ok;
}

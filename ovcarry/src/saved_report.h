// Saved report files (.MSS) written for imported reports.
#pragma once
#include <string>
#include <vector>

struct ImportedSection {
    std::string Name;
    int ItemType, GraphType, ThreeD, Elements;
};

struct ImportedReport {
    std::string Description, ReportTitle;
    int OrderBy = 0, ReportRange = 0;
    std::string StartTime, StopTime, StartDate, StopDate;
    std::string ReportLanguage, ReportStyle = "(default)";
    std::string SaveReportAs, SaveToUserName, SaveToPassword;
    std::vector<ImportedSection> Content;
};

// The next free saved report name in folder: the highest hexadecimal name
// of its *.mss files plus one, "%08X.MSS". False when the path does not fit.
bool BuildUniqueReportFileName(const char* folder, char* path);
// The file's text: sections, keys and "\r\n" line ends as the plug-in reads
// them.
std::string SavedReportText(const ImportedReport& report);
// Writes the report as a new file of the data folder; false when it cannot
// be made or written.
bool SaveImportedReport(const ImportedReport& report);
// "(Imported) " and the first 28 characters of the old description.
std::string ImportedDescription(const std::string& old);

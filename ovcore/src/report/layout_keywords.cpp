#include "report/layout_keywords.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "ovcore/settings.h"
#include "run/report_handle.h"

namespace {

const char* const kMarkers[] = {
    "%%Keep%%",          "%%BookMark%%",       "%%Remove%%",       "%%BookMarkLine%%",
    "%%RemoveLine%%",    "%%BookMarkColumn%%", "%%RemoveColumn%%", "%%BookMarkChapter%%",
    "%%RemoveChapter%%", "%%TopOfFile%%",
};

bool Starts(const char* keyword, const char* prefix) {
    return _strnicmp(keyword, prefix, strlen(prefix)) == 0;
}

bool Is(const char* keyword, const char* word) {
    return _stricmp(keyword, word) == 0;
}

// The second number of a trailing "[n,m]"; 0 when absent.
long SecondIndex(const char* keyword) {
    const char* bracket = strrchr(keyword, '[');
    const char* comma = bracket ? strchr(bracket, ',') : NULL;
    return comma ? strtol(comma + 1, NULL, 10) : 0;
}

struct Value {
    char* text;
    int size;
    DWORD* markerFlag;

    int Text(const char* t) {
        lstrcpynA(text, t, size);
        return 1;
    }
    int Marker(int action) {
        *markerFlag = 1;
        return Text(kMarkers[action]);
    }
    int MarkerIf(bool condition, int action) { return condition ? Marker(action) : Text(""); }
};

int ServerCount(const RunContext* run, const ReportHandle* report) {
    const AnalysisProfile* profile = report && report->Profile ? report->Profile : run->Profile;
    return profile ? (int)profile->Servers.dwCount : 0;
}

bool RowmereHidden(const RunContext* run, const ReportHandle* report, bool authUsers) {
    const AnalysisProfile* profile = report && report->Profile ? report->Profile : run->Profile;
    const RowmereSettings* settings = !profile    ? NULL
                                      : authUsers ? profile->RowmereAuthUser
                                                  : profile->RowmereIP;
    return !settings || settings->RowmereEnabled == 0;
}

int EndLine(Value& v, const char* keyword, const RunContext* run, const ReportHandle* report) {
    static const char* const kPerServerRow[] = {
        "EndLine_TopClientErrorsDesc", "EndLine_TopServerErrorsDesc", "EndLine_Top404ErrorsDescURL",
        "EndLine_TopCountriesDesc"};
    static const char* const kServerLines[] = {
        "EndLine_TopCountriesServerName2Sorted", "EndLine_TopClientErrorsServerName2",
        "EndLine_Top404ErrorsServerName2", "EndLine_TopServerErrorsServerName2"};
    for (const char* prefix : kPerServerRow)
        if (Starts(keyword, prefix))
            return v.MarkerIf(SecondIndex(keyword) != 0, LAYOUT_REMOVE_LINE);
    for (const char* prefix : kServerLines)
        if (Starts(keyword, prefix))
            return v.MarkerIf(ServerCount(run, report) <= 1, LAYOUT_REMOVE_LINE);
    return v.Text("");
}

// Whether the column of an EndColumn_ word is hidden; false for words that
// name no column.
bool ColumnHidden(const char* word, const RunContext* run, const ReportHandle* report) {
    if (Is(word, "Hits"))
        return !run->Writer.ShowHits;
    if (Is(word, "PercentOfTotal"))
        return !run->Writer.ShowPercent;
    if (Is(word, "UserSessions"))
        return !run->Writer.ShowSessions;
    if (Is(word, "RowmereAuthUsers"))
        return RowmereHidden(run, report, true);
    if (Is(word, "RowmereDomain"))
        return RowmereHidden(run, report, false);
    return false;
}

// "ColumnCount_" letters "[n]": n less one for every listed column hidden.
int ColumnCount(Value& v, const char* letters, const RunContext* run, const ReportHandle* report) {
    const char* bracket = strchr(letters, '[');
    long count = bracket ? strtol(bracket + 1, NULL, 10) : 0;
    for (const char* p = letters; *p && *p != '['; ++p) {
        const char* word = NULL;
        switch (toupper((unsigned char)*p)) {
        case 'H':
            word = "Hits";
            break;
        case 'P':
            word = "PercentOfTotal";
            break;
        case 'U':
            word = "UserSessions";
            break;
        case 'D':
            if (toupper((unsigned char)p[1]) == 'A')
                word = "RowmereAuthUsers", ++p;
            else if (toupper((unsigned char)p[1]) == 'I')
                word = "RowmereDomain", ++p;
            break;
        }
        if (word && ColumnHidden(word, run, report))
            --count;
    }
    char text[16];
    snprintf(text, sizeof text, "%ld", count);
    return v.Text(text);
}

// The folder of path without its closing backslash (a bare drive keeps its
// colon); the whole text when it has neither separator.
void FolderOf(const char* path, char* out, int size) {
    const char* cut = NULL;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == ':')
            cut = p;
    if (!cut) {
        lstrcpynA(out, path, size);
        return;
    }
    int length = (int)(cut - path) + (*cut == ':' ? 1 : 0);
    lstrcpynA(out, path, length + 1 < size ? length + 1 : size);
}

int WordProcessor(Value& v, const char* keyword, const RunContext* run, ReportStatusProc status) {
    if (Is(keyword, "OstrevanePath")) {
        FolderOf(run->OutputPath, v.text, v.size);
        return 1;
    }
    if (Is(keyword, "OstrevaneINIFile")) {
        char path[MAX_PATH];
        if (!ORB_GetMainPath(path))
            path[0] = 0;
        snprintf(v.text, v.size, "%sovdesk.ini", path);
        return 1;
    }
    if (Is(keyword, "MSWordAutoExitOrNot"))
        return v.Text("");
    if (Is(keyword, "MSWordAutoPrintOrNot")) {
        *v.markerFlag = 1;
        return v.Text("");
    }
    if (Is(keyword, "MSWordProgressWindow")) {
        v.Text("");
        if (status)
            status(0, v.text, 1);
        return 1;
    }
    return 0;
}

} // namespace

int LayoutActionOf(const char* text) {
    for (int i = 0; i < (int)(sizeof kMarkers / sizeof kMarkers[0]); ++i)
        if (_stricmp(text, kMarkers[i]) == 0)
            return i;
    return -1;
}

int EvaluateLayoutKeyword(ReportHandle* report, RunContext* run, const char* keyword, char* value,
                          int size, DWORD* markerFlag, ReportStatusProc status) {
    Value v = {value, size, markerFlag};
    if (Starts(keyword, "BeginLine_"))
        return v.Marker(LAYOUT_BOOKMARK_LINE);
    if (Starts(keyword, "EndLine_"))
        return EndLine(v, keyword, run, report);
    if (Starts(keyword, "BeginColumn_"))
        return v.Marker(LAYOUT_BOOKMARK_COLUMN);
    if (Starts(keyword, "EndColumn_"))
        return v.MarkerIf(ColumnHidden(keyword + strlen("EndColumn_"), run, report),
                          LAYOUT_REMOVE_COLUMN);
    if (Starts(keyword, "ColumnCount_"))
        return ColumnCount(v, keyword + strlen("ColumnCount_"), run, report);
    if (Is(keyword, "BeginShortDescription") || Is(keyword, "BeginLongDescription"))
        return v.Marker(LAYOUT_BOOKMARK_COLUMN);
    if (Is(keyword, "EndShortDescription"))
        return v.MarkerIf(run->Style.LongDescription != 0, LAYOUT_REMOVE_COLUMN);
    if (Is(keyword, "EndLongDescription"))
        return v.MarkerIf(run->Style.LongDescription == 0, LAYOUT_REMOVE_COLUMN);
    if (Starts(keyword, "TopOfFile_")) {
        lstrcpynA(run->NextPageName, keyword + strlen("TopOfFile_"), MAX_PATH);
        return v.Marker(LAYOUT_TOP_OF_FILE);
    }
    if (Starts(keyword, "BottomOfFile_")) {
        *markerFlag = 1;
        return v.Text("");
    }
    return WordProcessor(v, keyword, run, status);
}

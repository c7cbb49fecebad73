// Layout keywords: line, column and description marks, the column count,
// page switches, the word-processor keywords and the page texts.
#include <string.h>

#include <string>

#include "ovcore/settings.h"
#include "header_call.h"
#include "keyword_text.h"
#include "table_keywords.h"
#include "table_values.h"
#include "write/toc_script.h"
#include "run/run_setup.h"
#include "ovkit/text_copy.h"
#include "write/report_output.h"

static bool ColumnShown(const RunContext* run, char digit) {
    return strchr(run->Output->Style.TableColumns, digit) != nullptr;
}

// A database column shows when its profile section exists and is on.
static bool DatabaseColumnShown(const RunContext* run, bool authUsers) {
    const AnalysisProfile* profile = run->Profile;
    const RowmereSettings* section =
        profile ? (authUsers ? profile->RowmereAuthUser : profile->RowmereIP) : nullptr;
    return section && section->RowmereEnabled;
}

static DWORD ServerCount(const RunContext* run) {
    return run->Servers ? run->Servers->dwCount : 0;
}

static bool IsSearchDetail(const char* prefix) {
    static const char* const kDetails[] = {
        "TopSearchEnginesKeywordDetail", "TopSearchKeywordsEngineDetail",
        "TopSearchEnginesKeyPhraseDetail", "TopSearchKeyPhrasesEngineDetail"};
    for (const char* detail : kDetails)
        if (KeywordIs(prefix, detail))
            return true;
    return false;
}

// A table line whose row (or, in the search details, whose sub-entry m)
// does not exist stays empty: it is taken back, so that a template may list
// more rows than a table holds.
static bool RowMissing(const HeaderCall& call, const char* rowKeyword) {
    KeywordTable found;
    if (!FindKeywordTable(rowKeyword, &found) || KeywordIs(found.prefix, "ServerStats"))
        return false;
    const AnalysisTable* table = found.number == NO_TABLE_NUMBER ? RunUserSessionsTable(call.run)
                                                                 : RunTable(call.run, found.number);
    if (!table)
        return false;
    DWORD n = GetBracketNumber(rowKeyword);
    if (!GetTableRowItem(table, found.order, n))
        return true;
    return IsSearchDetail(found.prefix) &&
           GetBracketSecondNumber(rowKeyword) >= GetTableItemSubCount(table, found.order, n);
}

// A row of the period tables: the template lists as many rows as a run can
// have intervals, and those past this run's intervals go.
static bool IntervalRowMissing(const HeaderCall& call) {
    DWORD count = call.run->Intervals.Count;
    return GetBracketNumber(call.keyword) >=
           (count < ANALYSIS_INTERVALS ? count : ANALYSIS_INTERVALS);
}

static int EndLine(const HeaderCall& call) {
    if (KeywordIsIndexed(call.keyword, "EndLine_Interval")) {
        if (IntervalRowMissing(call))
            SetHeaderMarker(call, "%%RemoveLine%%");
        return 1;
    }
    static const char* const kSecondIndexWords[] = {
        "EndLine_TopClientErrorsDesc", "EndLine_TopServerErrorsDesc", "EndLine_Top404ErrorsDescURL",
        "EndLine_TopCountriesDesc"};
    static const char* const kServerNameWords[] = {
        "EndLine_TopCountriesServerName2Sorted", "EndLine_TopClientErrorsServerName2",
        "EndLine_Top404ErrorsServerName2", "EndLine_TopServerErrorsServerName2"};
    for (const char* word : kSecondIndexWords)
        if (CompareKeywordPrefix(call.keyword, word) == 0 && GetBracketSecondNumber(call.keyword))
            SetHeaderMarker(call, "%%RemoveLine%%");
    for (const char* word : kServerNameWords)
        if (CompareKeywordPrefix(call.keyword, word) == 0 && ServerCount(call.run) <= 1)
            SetHeaderMarker(call, "%%RemoveLine%%");
    if (!(call.markerFlag && *call.markerFlag) &&
        RowMissing(call, call.keyword + strlen("EndLine_")))
        SetHeaderMarker(call, "%%RemoveLine%%");
    return 1;
}

static bool ColumnHidden(const RunContext* run, const char* column) {
    if (KeywordIs(column, "Hits"))
        return !ColumnShown(run, '0');
    if (KeywordIs(column, "PercentOfTotal"))
        return !ColumnShown(run, '1');
    if (KeywordIs(column, "UserSessions"))
        return !ColumnShown(run, '2');
    if (KeywordIs(column, "RowmereAuthUsers"))
        return !DatabaseColumnShown(run, true);
    if (KeywordIs(column, "RowmereDomain"))
        return !DatabaseColumnShown(run, false);
    // The page's background attribute, for a style that names a picture.
    if (KeywordIs(column, "BackgroundPicture"))
        return !run->Output->Style.BackgroundFilename[0];
    return false;
}

// n less one for each listed column that is hidden: H, P, U, DA, DI.
static void ColumnCount(const HeaderCall& call) {
    const RunContext* run = call.run;
    long count = (long)GetBracketNumber(call.keyword);
    for (const char* p = call.keyword + 12; *p && *p != '['; ++p) {
        char letter = (char)(*p & ~0x20);
        const char* column = nullptr;
        if (letter == 'D' && (p[1] & ~0x20) == 'A')
            column = "RowmereAuthUsers", ++p;
        else if (letter == 'D' && (p[1] & ~0x20) == 'I')
            column = "RowmereDomain", ++p;
        else if (letter == 'H')
            column = "Hits";
        else if (letter == 'P')
            column = "PercentOfTotal";
        else if (letter == 'U')
            column = "UserSessions";
        if (column && ColumnHidden(run, column))
            --count;
    }
    FormatValueText(call.value, call.size, "%ld", count);
}

int EvaluateLayoutKeyword(const HeaderCall& call) {
    const char* k = call.keyword;
    RunContext* run = call.run;
    if (CompareKeywordPrefix(k, "BeginLine_") == 0 || CompareKeywordPrefix(k, "BeginColumn_") == 0)
        SetHeaderMarker(call, CompareKeywordPrefix(k, "BeginLine_") == 0 ? "%%BookMarkLine%%"
                                                                         : "%%BookMarkColumn%%");
    else if (CompareKeywordPrefix(k, "EndLine_") == 0)
        return EndLine(call);
    else if (CompareKeywordPrefix(k, "EndColumn_") == 0) {
        if (ColumnHidden(run, k + 10))
            SetHeaderMarker(call, "%%RemoveColumn%%");
    } else if (CompareKeywordPrefix(k, "ColumnCount_") == 0)
        ColumnCount(call);
    else if (KeywordIs(k, "BeginShortDescription") || KeywordIs(k, "BeginLongDescription"))
        SetHeaderMarker(call, "%%BookMarkColumn%%");
    else if (KeywordIs(k, "EndShortDescription")) {
        if (run->Output->Style.LongDescription)
            SetHeaderMarker(call, "%%RemoveColumn%%");
    } else if (KeywordIs(k, "EndLongDescription")) {
        if (!run->Output->Style.LongDescription)
            SetHeaderMarker(call, "%%RemoveColumn%%");
    } else if (CompareKeywordPrefix(k, "TopOfFile_") == 0) {
        OvkitCopyText(run->Output->NextPageName, sizeof(run->Output->NextPageName), k + 10);
        SetHeaderMarker(call, "%%TopOfFile%%");
    } else if (CompareKeywordPrefix(k, "BottomOfFile_") == 0)
        SetHeaderMarker(call, "");
    else
        return 0;
    return 1;
}

// The folder of a path: cut behind its last "\" or ":", the "\" dropped.
static void FolderOf(const char* path, char* out, DWORD size) {
    OvkitCopyText(out, size, path);
    char* cut = nullptr;
    for (char* p = out; *p; ++p)
        if (*p == '\\' || *p == ':')
            cut = p;
    if (cut)
        cut[*cut == ':' ? 1 : 0] = 0;
}

int EvaluateDocumentKeyword(const HeaderCall& call) {
    const char* k = call.keyword;
    if (KeywordIs(k, "OstrevanePath"))
        FolderOf(call.run->Output->OutputPath, call.value, call.size);
    else if (KeywordIs(k, "OstrevaneINIFile")) {
        char folder[MAX_PATH] = "";
        ORB_GetMainPath(folder);
        SetHeaderText(call, folder);
        OvkitAppendText(call.value, call.size, "ovdesk.ini");
    } else if (KeywordIs(k, "MSWordAutoExitOrNot"))
        SetHeaderText(call, "");
    else if (KeywordIs(k, "MSWordAutoPrintOrNot"))
        SetHeaderMarker(call, "");
    else if (KeywordIs(k, "MSWordProgressWindow")) {
        // The run's status callback writes its progress caption into the value.
        if (call.status)
            call.status(0, call.value, 1);
    } else
        return 0;
    return 1;
}

// The table-of-contents script of a framed report, built from the run's
// page list; a script longer than the value buffer is left out whole.
static void TableOfContentsScript(const RunContext* run, char* out, DWORD size) {
    std::string script;
    if (!BuildTocScript(run->Output->PageList, script) || script.size() >= size)
        script.clear();
    OvkitCopyText(out, size, script.c_str());
}

int EvaluatePageKeyword(const HeaderCall& call) {
    const RunContext* run = call.run;
    if (KeywordIs(call.keyword, "ReportHeader"))
        SetHeaderText(call, run->ProfileTexts[1]);
    else if (KeywordIs(call.keyword, "TableOfContentsData")) {
        if (run->Output->Writer.FrameMode)
            TableOfContentsScript(run, call.value, call.size);
        if (call.markerFlag)
            *call.markerFlag = KEYWORD_VALUE_MARKUP;
    } else
        return 0;
    return 1;
}

// Keywords that show a row's name: the page or company title, the URL and
// referrer parts, the name as shown for its table, and the steps of a path.
#include <string.h>

#include "ovcore/company.h"
#include "ovcore/report_ini.h"
#include "text/html_escape.h"
#include "write/keyword_resolve.h"
#include "keyword_text.h"
#include "page_path_text.h"
#include "page_titles.h"
#include "table_call.h"
#include "table_values.h"
#include "ovkit/text_copy.h"
#include "write/report_output.h"

#define PATH_TEXT_SIZE 4096

static bool IsUrlTable(int number) {
    switch (number) {
    case TopForms:
    case TopDownloads:
    case TopDocuments:
    case TopDirectory:
    case TopReferers:
    case TopBottom:
    case TopEntry:
    case TopExit:
    case TopSinglePage:
    case TopUploads:
    case Top404Errors:
        return true;
    default:
        return false;
    }
}

// The company of a domain: the whole name first, then its last two labels.
static void CompanyTitle(const TableCall& c) {
    const RunContext* run = c.run;
    if (!run || !run->CompanyFile || run->CompanyFile == INVALID_HANDLE_VALUE)
        return;
    CompanyList list = {run->CompanyFile, 0, nullptr};
    CompanyRecord record;
    const char* name = RowName(c);
    const char* shortName = name + strlen(name);
    for (int dots = 0; shortName > name;)
        if (shortName[-1] == '.' && ++dots == 2)
            break;
        else
            --shortName;
    if (CompanyDb_Lookup(&list, run->CompanyFileSize, name, &record) ||
        (shortName != name && CompanyDb_Lookup(&list, run->CompanyFileSize, shortName, &record)))
        OvkitCopyText(c.value, c.size, record.Name);
}

// The page's own title, unless the run was cancelled: the page writes it as
// HTML, the report shows it as text (escaped again when written).
static void PageTitle(const TableCall& c) {
    if (!c.run || !c.run->Output || c.run->Output->Keywords.Cancelled)
        return;
    char url[MAX_PATH];
    CompletePageUrl(c.run, RowName(c), url, sizeof(url));
    FetchItemPageTitle(c.run, url, c.value, c.size);
    DecodeHtmlReferences(c.value);
}

static void Title(const TableCall& c) {
    if (c.number == TopCompanies)
        CompanyTitle(c);
    else if (c.number == TopDocuments || c.number == TopBottom || c.number == TopEntry ||
             c.number == TopExit || c.number == TopSinglePage)
        PageTitle(c);
}

// "file:" URLs are shown as local paths; "file:///.." is taken from the
// folder of the run's home page.
static void LocalPathName(const TableCall& c, const char* name) {
    const char* path = name + 5;
    if (strncmp(path, "///..", 5) == 0) {
        path += 3;
        OvkitCopyText(c.value, c.size, c.run ? c.run->HomePage : "");
        size_t length = strlen(c.value);
        if (length && c.value[length - 1] != '\\' && c.value[length - 1] != '/')
            OvkitAppendText(c.value, c.size, "\\");
        OvkitAppendText(c.value, c.size, path);
    } else {
        while (*path == '/')
            ++path;
        OvkitCopyText(c.value, c.size, path);
    }
    for (char* p = c.value; *p; ++p)
        if (*p == '/')
            *p = '\\';
}

static void PathText(const TableCall& c, char* out, DWORD size) {
    BuildPagePathText(c.run, RowName(c), out, size);
}

static void Desc(const TableCall& c) {
    const char* name = RowName(c);
    const ReportIniSettings* language = c.run ? c.run->Language : nullptr;
    if (c.number == TopStates)
        OvkitCopyText(c.value, c.size, language ? LookupStateName(language, name) : name);
    else if (c.number == TopCountries)
        OvkitCopyText(c.value, c.size, language ? LookupCountryName(language, name) : name);
    else if (c.number == TopPaths)
        PathText(c, c.value, c.size);
    else if (IsUrlTable(c.number) && _strnicmp(name, "file:", 5) == 0)
        LocalPathName(c, name);
    else
        OvkitCopyText(c.value, c.size, name);
}

// Each step numbered; the entry page in bold, the pages after it in
// italics. The value is mark-up around the escaped pages; a step that does
// not fit whole is left out with those after it.
static void Path(const TableCall& c) {
    char text[PATH_TEXT_SIZE];
    PathText(c, text, sizeof(text));
    if (c.markerFlag)
        *c.markerFlag = KEYWORD_VALUE_MARKUP;
    int step = 0;
    for (char* line = text; *line;) {
        char* end = strstr(line, "\r\n");
        if (end)
            *end = 0;
        char cell[PATH_TEXT_SIZE + 64];
        FormatValueText(cell, sizeof(cell), "%s%d. ", step == 0 ? "<B>" : "<I>", step + 1);
        const char* close = step == 0 ? "</B><BR>" : "</I><BR>";
        AppendHtmlText(cell, sizeof(cell) - strlen(close), line);
        OvkitAppendText(cell, sizeof(cell), close);
        if (strlen(c.value) + strlen(cell) >= c.size)
            break;
        OvkitAppendText(c.value, c.size, cell);
        ++step;
        line = end ? end + 2 : line + strlen(line);
    }
}

int EvaluateRowNameKeyword(const TableCall& c, const char* suffix) {
    static const struct {
        const char* word;
        void (*proc)(const TableCall&);
    } kWords[] = {
        {"Title", Title},
        {"DescURL", [](const TableCall& c) { CopyBeforeTab(RowName(c), c.value, c.size); }},
        {"DescReferrer", [](const TableCall& c) { CopyAfterTab(RowName(c), c.value, c.size); }},
        {"Desc2",
         [](const TableCall& c) {
             TableCall row = c;
             row.n = c.m;
             OvkitCopyText(c.value, c.size, RowName(row));
         }},
        {"Desc", Desc},
        {"Path", Path},
    };
    for (const auto& word : kWords) {
        if (CompareKeywordPrefix(suffix, word.word) != 0)
            continue;
        if (GetTableRowItem(c.table, c.order, c.n))
            word.proc(c);
        return 1;
    }
    return 0;
}

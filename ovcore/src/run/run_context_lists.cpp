// The word lists of a run context made from the module settings.
#include <stdlib.h>
#include <string.h>

#include "ovcore/filetypes.h"
#include "ovcore/settings.h"
#include "run/run_context_parts.h"
#include "run/run_setup.h"

namespace {

#define ORG_TYPE_TEXT 300

struct OrgTypeKey {
    const char* key;
    int code; // SuffixText index of the language table
};
const OrgTypeKey kOrgTypes[] = {
    {"gov_OrgType", SUF_GOV}, {"mil_OrgType", SUF_MIL}, {"net_OrgType", SUF_NET},
    {"org_OrgType", SUF_ORG}, {"int_OrgType", SUF_INT}, {"arpa_OrgType", SUF_ARPA},
    {"edu_OrgType", SUF_EDU}, {"com_OrgType", SUF_COM},
};

char** ReadWords(int* count, const char* key, const char* def) {
    char ini[MAX_PATH];
    GetModuleIniPath(ini);
    return ReadDefaultsList(ini, 0, count, key, def);
}

BOOL IsSeparator(char c) {
    return c == ' ' || c == ';' || c == ',' || c == '\t';
}

BOOL AppendOrgType(RunContext* context, const char* word, size_t length, int code) {
    WORD n = context->OrgTypeWords.Count;
    char** words = (char**)realloc(context->OrgTypeWords.Words, (n + 1) * sizeof(char*));
    if (words)
        context->OrgTypeWords.Words = words;
    int* codes = (int*)realloc(context->OrgTypeCodes, (n + 1) * sizeof(int));
    if (codes)
        context->OrgTypeCodes = codes;
    char* copy = words && codes ? (char*)malloc(length + 1) : nullptr;
    if (!copy)
        return FALSE;
    memcpy(copy, word, length);
    copy[length] = 0;
    words[n] = copy;
    codes[n] = code;
    context->OrgTypeWords.Count = n + 1;
    return TRUE;
}

} // namespace

int InitRunContextLists(int typeCode, RunContext* context, const char* text) {
    for (const char* p = text ? text : ""; *p;) {
        while (*p && IsSeparator(*p))
            p++;
        size_t length = 0;
        while (p[length] && !IsSeparator(p[length]))
            length++;
        if (length && !AppendOrgType(context, p, length, typeCode))
            return 0;
        p += length;
    }
    return 1;
}

int RunContext_ReadWordLists(RunContext* context) {
    int count = 0;
    context->DocumentTypes =
        GetFileTypesFromIniFile(&count, "DocumentTypes", GetDefaultsListDefault("DocumentTypes"));
    context->DocumentTypeCount = (WORD)count;
    count = 0;
    context->DownloadTypes =
        GetFileTypesFromIniFile(&count, "DownloadTypes", GetDefaultsListDefault("DownloadTypes"));
    context->DownloadTypeCount = (WORD)count;
    count = 0;
    context->USDomains.Words = ReadWords(&count, "USDomains", GetDefaultsListDefault("USDomains"));
    context->USDomains.Count = (WORD)count;
    count = 0;
    context->FetchTitleTypes =
        ReadWords(&count, "FetchTitleTypes", GetDefaultsListDefault("FetchTitleTypes"));
    context->FetchTitleTypeCount = (WORD)count;
    if (!context->DocumentTypes || !context->DownloadTypes || !context->USDomains.Words ||
        !context->FetchTitleTypes)
        return 0;
    for (const OrgTypeKey& t : kOrgTypes) {
        char value[ORG_TYPE_TEXT] = "";
        GetModuleProfileString("Defaults", t.key, GetDefaultsListDefault(t.key), value,
                               sizeof(value));
        if (!InitRunContextLists(t.code, context, value))
            return 0;
    }
    return 1;
}

void RunContext_FreeWordLists(RunContext* context) {
    FreeFileTypesArray(context->DocumentTypes, context->DocumentTypeCount);
    FreeFileTypesArray(context->DownloadTypes, context->DownloadTypeCount);
    FreeDefaultsList(context->USDomains.Words);
    FreeDefaultsList(context->FetchTitleTypes);
    for (WORD i = 0; i < context->OrgTypeWords.Count; i++)
        free(context->OrgTypeWords.Words[i]);
    free(context->OrgTypeWords.Words);
    free(context->OrgTypeCodes);
    context->DocumentTypes = context->DownloadTypes = nullptr;
    context->USDomains = {};
    context->FetchTitleTypes = nullptr;
    context->OrgTypeWords = {};
    context->OrgTypeCodes = nullptr;
    context->DocumentTypeCount = context->DownloadTypeCount = context->FetchTitleTypeCount = 0;
}

// The parts of a run context read from files of the install: the company
// file (only opened here), the ad views and the intranet list.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "ovcore/adviews.h"
#include "ovcore/intranet.h"
#include "ovcore/settings.h"
#include "ovkit/subnet.h"
#include "run/run_context_parts.h"

namespace {

#define INTRANET_FILE_LIMIT (16 * 1024 * 1024)

HANDLE OpenForReading(const char* folder, const char* name) {
    char path[MAX_PATH * 2];
    lstrcpynA(path, folder, MAX_PATH);
    lstrcatA(path, name);
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
}

// The whole file as a NUL-ended heap text; null when missing or empty.
char* ReadWholeFile(const char* folder, const char* name) {
    HANDLE file = OpenForReading(folder, name);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size = {};
    char* text = nullptr;
    DWORD read = 0;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < INTRANET_FILE_LIMIT &&
        (text = (char*)malloc((size_t)size.QuadPart + 1)) != nullptr &&
        ReadFile(file, text, (DWORD)size.QuadPart, &read, NULL))
        text[read] = 0;
    else if (text) {
        free(text);
        text = nullptr;
    }
    CloseHandle(file);
    return text;
}

// A field as the run keeps it: a stored lone blank is an empty field.
char* FieldCopy(const char* field) {
    return _strdup(strcmp(field, " ") == 0 ? "" : field);
}

// "city state" as a company record's second field.
char* CityAndState(const char* city, const char* state) {
    size_t n = strlen(city) + strlen(state) + 2;
    char* text = (char*)malloc(n);
    if (text)
        snprintf(text, n, "%s%s%s", city, *city && *state ? " " : "", state);
    return text;
}

void FreeIntranetEntry(IntranetEntry* entry) {
    for (char*& field : entry->Fields) {
        free(field);
        field = nullptr;
    }
    free(entry->CityState);
    entry->CityState = nullptr;
}

// An entry of the six fields of a line; FALSE when the line has no pattern
// or memory is short (nothing kept).
BOOL MakeIntranetEntry(const IntranetFields& fields, IntranetEntry* entry) {
    *entry = {};
    IntranetFields copy = fields;
    BOOL made = TRUE;
    for (int f = 0; f < INTRANET_FIELD_COUNT; f++)
        made = made && (entry->Fields[f] = FieldCopy(ORB_IntranetField(&copy, f, nullptr)));
    made = made && entry->Fields[INTRANET_FIELD_COUNT - 1][0] &&
           (entry->CityState = CityAndState(entry->Fields[2], entry->Fields[3]));
    if (!made) {
        FreeIntranetEntry(entry);
        return FALSE;
    }
    RunContext_TypeIntranetEntry(entry);
    return TRUE;
}

BOOL AddIntranetEntry(RunContext* context, const IntranetEntry& entry) {
    IntranetEntry* grown =
        (IntranetEntry*)realloc(context->Intranet, (context->IntranetCount + 1) * sizeof(entry));
    if (!grown)
        return FALSE;
    context->Intranet = grown;
    grown[context->IntranetCount++] = entry;
    return TRUE;
}

} // namespace

void RunContext_OpenCompanyFile(RunContext* context, const char* dataFolder) {
    context->CompanyIsLarge = 1;
    HANDLE file = OpenForReading(dataFolder, "COMPANY.BIG");
    if (file == INVALID_HANDLE_VALUE) {
        context->CompanyIsLarge = 0;
        file = OpenForReading(dataFolder, "COMPANY.SML");
    }
    LARGE_INTEGER size = {};
    if (file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size))
        context->CompanyFileSize = size.QuadPart;
    context->CompanyFile = file;
}

WORD AdView_AddWords(AdViewRecord* record, size_t* used, const char* text) {
    WORD added = 0;
    for (const char* p = text; *p;) {
        while (*p == ' ')
            p++;
        size_t length = strcspn(p, " ");
        if (length == 0)
            break;
        if (*used + length + 1 > sizeof(record->Words))
            break; // the record is full: later words are dropped
        char* word = record->Words + *used;
        memcpy(word, p, length);
        word[length] = 0;
        CharUpperA(word);
        *used += length + 1;
        added++;
        p += length;
    }
    return added;
}

void RunContext_ReadAdViews(RunContext* context) {
    FILE* stream = ORB_OpenAdViewsDataFile();
    if (!stream)
        return;
    for (;;) {
        char description[ADVIEW_DESCRIPTION_SIZE] = "";
        char viewName[ADVIEW_VIEWNAME_SIZE] = "";
        char clickId[ADVIEW_CLICKID_SIZE] = "";
        int got = ORB_GetAdViewsEntry(stream, description, viewName, clickId);
        if (got < 0)
            return; // the reader closed the stream after its message
        if (got == 0)
            break;
        if (!description[0] && !viewName[0] && !clickId[0])
            continue; // a line without quotes
        AdViewRecord* grown = (AdViewRecord*)realloc(context->AdViews, (context->AdViewCount + 1) *
                                                                           sizeof(AdViewRecord));
        if (!grown)
            break;
        context->AdViews = grown;
        AdViewRecord* record = &grown[context->AdViewCount++];
        memset(record, 0, sizeof(*record));
        lstrcpynA(record->Name, description, AD_VIEW_NAME_SIZE);
        size_t used = 0;
        record->ViewWordCount = AdView_AddWords(record, &used, viewName);
        record->ClickWordCount = AdView_AddWords(record, &used, clickId);
    }
    ORB_CloseAdViewsDataFile(stream);
}

void RunContext_TypeIntranetEntry(IntranetEntry* entry) {
    const char* pattern = entry->Fields[INTRANET_FIELD_COUNT - 1];
    if (OVKIT_ParseSubnetString(pattern, &entry->Subnet.Subnet))
        entry->Type = 2;
    else if (OVKIT_ParseAddressRangeString(pattern, &entry->Range.Range))
        entry->Type = 3;
    else
        entry->Type = 1;
}

void RunContext_ReadIntranet(RunContext* context) {
    char folder[MAX_PATH + 16] = "";
    if (!ORB_GetExePath(folder) || !folder[0])
        return;
    char* text = ReadWholeFile(folder, "OVINTRA.TXT");
    for (const char* line = text; line && *line;) {
        size_t length = strcspn(line, "\n");
        IntranetFields fields;
        IntranetEntry entry;
        if (ORB_SplitIntranetLine(line, &fields) && MakeIntranetEntry(fields, &entry) &&
            !AddIntranetEntry(context, entry)) {
            FreeIntranetEntry(&entry);
            break;
        }
        line += length;
        line += strspn(line, "\r\n");
    }
    free(text);
}

void RunContext_FreeFiles(RunContext* context) {
    if (context->CompanyFile && context->CompanyFile != INVALID_HANDLE_VALUE)
        CloseHandle(context->CompanyFile);
    context->CompanyFile = INVALID_HANDLE_VALUE;
    free(context->AdViews);
    context->AdViews = nullptr;
    context->AdViewCount = 0;
    for (int i = 0; i < context->IntranetCount; i++)
        FreeIntranetEntry(&context->Intranet[i]);
    free(context->Intranet);
    context->Intranet = nullptr;
    context->IntranetCount = 0;
}

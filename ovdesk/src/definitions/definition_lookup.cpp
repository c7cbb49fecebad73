// Listing and finding saved report definitions.
#include "definitions/report_definitions.h"
#include "definitions/definition_walk.h"
#include "report_run/report_delivery.h"
#include "desk_services.h"
#include "resource_ids.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern WORD* g_DefinitionFormatKinds;
extern int g_DefinitionFormatCount;

namespace {
struct ListContext {
    HWND Control;
    int Mode;
    int Listed;
};

bool IsCombo(int mode) {
    return mode != LIST_LISTBOX;
}

void AddFormatKind(WORD kind) {
    WORD* grown =
        (WORD*)realloc(g_DefinitionFormatKinds, (g_DefinitionFormatCount + 1) * sizeof(WORD));
    if (!grown)
        return;
    grown[g_DefinitionFormatCount++] = kind;
    g_DefinitionFormatKinds = grown;
}

int ListOne(const char* path, const char*, void* context) {
    ListContext* c = (ListContext*)context;
    char description[DEFINITION_DESCRIPTION_SIZE];
    ReadDefinitionDescription(path, description, sizeof description);
    if (!description[0])
        return 0;
    UINT add = IsCombo(c->Mode) ? CB_ADDSTRING : LB_ADDSTRING;
    LRESULT index = SendMessageA(c->Control, add, 0, (LPARAM)description);
    if (index < 0)
        return 0;
    ++c->Listed;
    if (IsCombo(c->Mode)) {
        char target[MAX_PATH];
        GetPrivateProfileStringA("SaveAs", "SaveReportAs", "", target, sizeof target, path);
        AddFormatKind((WORD)FormatKindOfName(target));
    }
    return 0;
}

struct FindContext {
    const char* Server;
    const char* Description;
    ReportDefinition* Record;
    char* Path;
    int ByFileName;
    int Result; // 1 found, 0 found but not readable
};

int TakeFile(FindContext* c, const char* path, const char* required) {
    char description[DEFINITION_DESCRIPTION_SIZE];
    snprintf(description, sizeof description, "%s", required);
    c->Result = ReadReportDefinition(path, c->Server, "", "", description, c->Record);
    if (c->Result && c->Path)
        snprintf(c->Path, MAX_PATH, "%s", path);
    return 1;
}

int FindOne(const char* path, const char* name, void* context) {
    FindContext* c = (FindContext*)context;
    // Read as the record keeps it, so that the look-up and the record agree.
    char description[DEFINITION_DESCRIPTION_SIZE];
    ReadDefinitionDescription(path, description, sizeof description);
    if (c->ByFileName && _stricmp(name, c->Description) == 0)
        return TakeFile(c, path, description);
    if (_stricmp(description, c->Description) == 0)
        return TakeFile(c, path, c->Description);
    return 0;
}
} // namespace

int ListReportDefinitions(HWND control, int mode, int kind, const char* select) {
    ListContext c = {control, mode, 0};
    SendMessageA(control, IsCombo(mode) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    if (IsCombo(mode)) {
        // Both combo modes feed an owner-drawn combo that asks for the icons.
        free(g_DefinitionFormatKinds);
        g_DefinitionFormatKinds = nullptr;
        g_DefinitionFormatCount = 0;
    }
    if (mode == LIST_COMBO_WITH_NONE) {
        SendMessageA(control, CB_ADDSTRING, 0, (LPARAM)LoadTextSlot(IDS_NONE_SELECTED, 0));
        AddFormatKind(0);
    }
    WalkDefinitionFiles(kind, ListOne, &c);
    if (IsCombo(mode)) {
        LRESULT index = select && *select
                            ? SendMessageA(control, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)select)
                            : CB_ERR;
        SendMessageA(control, CB_SETCURSEL, index == CB_ERR ? 0 : index, 0);
    }
    return c.Listed > 0;
}

int FillReportDefinitionCombo(HWND combo, const char* select) {
    return ListReportDefinitions(combo, LIST_COMBO, DEFINITION_SUMMARY, select);
}

int GetListedDefinitionFormat(int index) {
    return index >= 0 && index < g_DefinitionFormatCount ? g_DefinitionFormatKinds[index] : 0;
}

int FindReportDefinition(int kind, const char* server, const char*, const char*,
                         const char* description, ReportDefinition* record, char* path,
                         int byFileName) {
    if (!description || !*description)
        return 0;
    FindContext c = {server, description, record, path, byFileName, 0};
    if (!WalkDefinitionFiles(kind, FindOne, &c))
        return 0;
    return c.Result;
}

#include "history/top_paths.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tables/analysis_tables.h"

static DWORD Slots(const AnalysisTable* table) {
    return table && table->lpItems ? table->ovCount + table->DeleteCount : 0;
}

static char* PathName(const AnalysisTable* paths, DWORD i) {
    const AnalysisItem* item = paths->lpItems[i];
    return item && !item->ovDeleted ? item->ovString : nullptr;
}

static DWORD GroupValue(const char* group) {
    char text[9];
    memcpy(text, group, 8);
    text[8] = 0;
    return (DWORD)strtoul(text, nullptr, 16);
}

static void SetGroup(char* group, DWORD value) {
    char text[9];
    snprintf(text, sizeof(text), "%08x", (unsigned)value);
    memcpy(group, text, 8);
}

void RenumberPathSteps(AnalysisTable* paths, DWORD fromItem, DWORD oldValue, DWORD newItem,
                       int isForm) {
    DWORD newValue = PATH_STEP_DONE + (isForm ? PATH_STEP_FORM : 0) + newItem;
    for (DWORD i = fromItem; i < Slots(paths); ++i) {
        char* name = PathName(paths, i);
        for (size_t g = 0; name && g < strlen(name) / 8; ++g)
            if (GroupValue(name + g * 8) == oldValue)
                SetGroup(name + g * 8, newValue);
    }
}

void ClearPathStepMarks(AnalysisTable* paths) {
    for (DWORD i = 0; i < Slots(paths); ++i) {
        char* name = PathName(paths, i);
        for (size_t g = 0; name && g < strlen(name) / 8; ++g)
            SetGroup(name + g * 8, GroupValue(name + g * 8) & ~PATH_STEP_DONE);
    }
}

// The report's item number of the period's page, or -1.
static LONG ReportPage(AnalysisTable* report, const AnalysisTable* period, DWORD page) {
    if (page >= Slots(period) || !period->lpItems[page] || !period->lpItems[page]->ovString)
        return -1;
    LONG item;
    return FindTableItem(period->lpItems[page]->ovString, report, 0, &item) ? item : -1;
}

void RenumberPagePaths(AnalysisTable* reportDocuments, AnalysisTable* reportForms,
                       const AnalysisTable* periodDocuments, const AnalysisTable* periodForms,
                       AnalysisTable* periodPaths) {
    for (DWORD i = 0; i < Slots(periodPaths); ++i) {
        char* name = PathName(periodPaths, i);
        for (size_t g = 0; name && g < strlen(name) / 8; ++g) {
            DWORD value = GroupValue(name + g * 8);
            if (value & PATH_STEP_DONE)
                continue;
            int isForm = (value >> 16) == 1;
            LONG item = isForm ? ReportPage(reportForms, periodForms, value & 0xFFFF)
                               : ReportPage(reportDocuments, periodDocuments, value & 0xFFFF);
            if (item >= 0)
                RenumberPathSteps(periodPaths, i, value, (DWORD)item, isForm);
        }
    }
    ClearPathStepMarks(periodPaths);
}

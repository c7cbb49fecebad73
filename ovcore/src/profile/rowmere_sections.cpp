#include "profile/rowmere_sections.h"
#include "profile/profile_text.h"
#include <cstdio>

void WriteRowmere(const char* szName, const RowmereSettings* lpSettings, ProfileOut* out) {
    if (!lpSettings)
        return;
    ProfileOut_Format(out, "[%s]\r\n", szName);
    ProfileOut_KeyInt(out, "RowmereEnabled", static_cast<long>(lpSettings->RowmereEnabled));
    ProfileOut_KeyText(out, "RowmereDSN", lpSettings->RowmereDSN);
    ProfileOut_KeyText(out, "RowmereTable", lpSettings->RowmereTable);
    ProfileOut_KeyText(out, "RowmereKeyColumn", lpSettings->RowmereKeyColumn);
    ProfileOut_KeyText(out, "RowmereReportTitle", lpSettings->RowmereReportTitle);
    ProfileOut_KeyInt(out, "RowmereShowOnlyRowmere",
                      static_cast<long>(lpSettings->RowmereShowOnlyRowmere));
    int n = 1;
    for (const RowmereColumn* c = lpSettings->lpColumns; c; c = c->Next, n++) {
        ProfileOut_Format(out, "RowmereDataType%d=%ld\r\n", n,
                          static_cast<long>(c->RowmereDataType));
        char key[40];
        std::snprintf(key, sizeof key, "RowmereDataColumn%d", n);
        ProfileOut_KeyText(out, key, c->RowmereDataColumn);
        ProfileOut_Format(out, "RowmereColumnNumber%d=%ld\r\n", n,
                          static_cast<long>(c->RowmereColumnNumber));
        ProfileOut_Format(out, "RowmereReportSequence%d=%ld\r\n", n,
                          static_cast<long>(c->RowmereReportSequence));
    }
}

// Columns 1, 2, ... until the first missing data column. False when memory ran short.
static bool ReadRowmereColumns(const ProfileSection& s, RowmereSettings* settings) {
    RowmereColumn** tail = &settings->lpColumns;
    for (int n = 1;; n++) {
        char key[40];
        char column[ROWMERE_TEXT_SIZE];
        std::snprintf(key, sizeof key, "RowmereDataColumn%d", n);
        if (GetProfileTextString(s, key, "", column, sizeof column) == 0)
            return true;
        RowmereColumn* c = AllocRowmereData();
        if (!c)
            return false;
        std::snprintf(c->RowmereDataColumn, sizeof c->RowmereDataColumn, "%s", column);
        std::snprintf(key, sizeof key, "RowmereDataType%d", n);
        c->RowmereDataType = GetProfileTextInt(s, key, 0);
        std::snprintf(key, sizeof key, "RowmereColumnNumber%d", n);
        c->RowmereColumnNumber = GetProfileTextInt(s, key, 0);
        std::snprintf(key, sizeof key, "RowmereReportSequence%d", n);
        c->RowmereReportSequence = GetProfileTextInt(s, key, 0);
        *tail = c;
        tail = &c->Next;
    }
}

RowmereSettings* ReadRowmere(const char* szName, const char* szText) {
    ProfileSection s;
    if (!FindProfileSection(szText, szName, &s))
        return nullptr;
    RowmereSettings* settings = AllocRowmere();
    if (!settings)
        return nullptr;
    settings->RowmereEnabled = GetProfileTextInt(s, "RowmereEnabled", 0);
    bool complete =
        GetProfileTextString(s, "RowmereDSN", "", settings->RowmereDSN, ROWMERE_TEXT_SIZE) &&
        GetProfileTextString(s, "RowmereTable", "", settings->RowmereTable, ROWMERE_TEXT_SIZE) &&
        GetProfileTextString(s, "RowmereKeyColumn", "", settings->RowmereKeyColumn,
                             ROWMERE_TEXT_SIZE);
    GetProfileTextString(s, "RowmereReportTitle", "", settings->RowmereReportTitle,
                         ROWMERE_TITLE_SIZE);
    settings->RowmereShowOnlyRowmere = GetProfileTextInt(s, "RowmereShowOnlyRowmere", 0);
    if (!complete || !ReadRowmereColumns(s, settings)) {
        FreeRowmere(settings);
        return nullptr;
    }
    return settings;
}

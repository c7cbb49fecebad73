// The user and authenticated-user rows with their descriptions from the
// profile's Rowmere database.
#include <stdio.h>

#include "odbc/odbc_lookup.h"
#include "header_call.h"
#include "keyword_text.h"
#include "run/run_setup.h"
#include "ovkit/text_copy.h"

namespace {

// Sections whose database could not be reached in this report: asked once,
// not once per row.
bool g_lookupFailed[2];

} // namespace

// The database look-up of a user name (section 1, client addresses) or an
// authenticated user (section 2): its row's columns escaped and joined
// with "<BR>", bounded by the caller's buffer; empty when the profile names
// no database, no row matches or the database cannot be reached.
static void LookupRowmereText(const RunContext* run, bool authUsers, const char* name, char* out,
                              DWORD size) {
    OvkitCopyText(out, size, "");
    AnalysisProfile* profile = run ? run->Profile : nullptr;
    int section = authUsers ? 2 : 1;
    const RowmereSettings* settings = !profile    ? nullptr
                                      : authUsers ? profile->RowmereAuthUser
                                                  : profile->RowmereIP;
    if (!settings || g_lookupFailed[section - 1])
        return;
    if (!ConnectLookupDatabase(settings) || !PrepareLookup(profile, section)) {
        g_lookupFailed[section - 1] = true;
        return;
    }
    LookupRow(profile, section, name, out, size);
}

void EndReportLookups(void) {
    DisconnectLookupDatabase();
    g_lookupFailed[0] = g_lookupFailed[1] = false;
}

static int UsersFamily(const HeaderCall& call, const char* family, int number, bool authUsers) {
    char word[64];
    size_t length = strlen(family);
    const char* k = call.keyword;
    if (CompareKeywordPrefix(k, family) != 0)
        return 0;
    const char* suffix = k + length;
    DWORD n = GetBracketNumber(k);
    if (KeywordIsIndexed(suffix, "Desc")) {
        char name[MAX_PATH] = "";
        const AnalysisTable* table = RunTable(call.run, number);
        GetTableItemNameByOrder(table, 0, n, name, sizeof(name));
        if (name[0])
            LookupRowmereText(call.run, authUsers, name, call.value, call.size);
        if (call.markerFlag)
            *call.markerFlag = KEYWORD_VALUE_MARKUP; // escaped columns and "<BR>"
        return 1;
    }
    static const char* const kRebuilt[] = {"Hits", "AsPercent", "Users"};
    for (const char* rebuilt : kRebuilt) {
        if (!KeywordIsIndexed(suffix, rebuilt))
            continue;
        FormatValueText(word, sizeof(word), "%s%s[%d]", family, rebuilt, (int)n);
        HeaderCall table = call;
        table.keyword = word;
        return EvaluateHeaderTable(table, family, number, 0);
    }
    return 0;
}

int EvaluateUsersDatabaseKeyword(const HeaderCall& call) {
    static const char* const kDatabaseWords[] = {
        "TopUserRowmereTitle",     "TopUserRowmereData",  "TopAuthUsersRowmereTitle",
        "TopAuthUsersRowmereData", "Close_RowmereDomain", "Close_RowmereAuthUser",
    };
    for (const char* word : kDatabaseWords)
        if (KeywordIs(call.keyword, word))
            return 1;
    return UsersFamily(call, "TopAuthUsers", TopAuthUsers, true) ||
           UsersFamily(call, "TopUsers", TopUsers, false);
}

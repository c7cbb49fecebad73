// W3C logs without a "date" column: a damaged line with extra columns must
// not switch the file to the full field list when it does not parse with it.
#include <gtest/gtest.h>
#include "parse_fixture.h"
#include "ovcore/hitrecord.h"
#include "engine_settings_edit.h"
#include "logparse/w3c_map.h"
#include <string>
#include <vector>

TEST(W3CFullFieldSwap, ALineThatFailsWithTheFullListKeepsTheDeclaredFields) {
    ResetParserSettings();
    W3CFieldMap* map = nullptr;
    ParsedLog log;
    ParseLogText(11,
                 "#Version: 1.0\n"
                 "#Date: 1999-10-10 00:00:00\n"
                 "#Fields: time c-ip cs-method cs-uri-stem sc-status\n"
                 "13:01:36 1.2.3.1 [1]sent /g1.zip 226\n"
                 "13:01:36 1.2.3.1 [1]sent /g1.zip 226 13:01:36 1.2.3.1 [1]sent /g1.zip 226\n"
                 "13:02:36 1.2.3.2 [2]sent /g2.zip 226\n"
                 "13:03:36 1.2.3.3 [3]sent /g3.zip 226\n",
                 &map, FALSE, &log);
    ASSERT_EQ(3u, log.hits.size());
    EXPECT_STREQ("/g3.zip", log.hits[2]->lpszUrl);
    EXPECT_EQ(4, log.skipped); // three directives and the damaged line
    ASSERT_NE(nullptr, map);
    EXPECT_EQ(5u, map->dwColumns);
    W3CFieldMap_Free(map);
    ResetParserSettings();
}

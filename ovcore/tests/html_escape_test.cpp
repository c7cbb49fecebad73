// The report pages' escaping of text from logs, profiles, databases and
// fetched pages, and the decoding of a fetched title's references.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "text/html_escape.h"

namespace {

struct EscapeCase {
    const char* text;
    size_t size; // of the output buffer
    const char* escaped;
    size_t taken;
};

TEST(HtmlEscape, EscapesMarkupAndCutsOnlyBetweenReferences) {
    const EscapeCase cases[] = {
        {"plain /index.html?a=1", 64, "plain /index.html?a=1", 21},
        {"<img src=x onerror=alert(1)>", 64, "&lt;img src=x onerror=alert(1)&gt;", 28},
        {"a&b", 64, "a&amp;b", 3},
        {"\"quoted\" 'single'", 64, "&quot;quoted&quot; &#39;single&#39;", 17},
        {"<!-- hidden", 64, "&lt;!-- hidden", 11},
        {"&amp;", 64, "&amp;amp;", 5},
        // Bytes above 127 stay: the pages are windows-1252.
        {"caf\xe9 \x80", 64, "caf\xe9 \x80", 6},
        {"", 64, "", 0},
        // A reference that does not fit whole is left out with the rest.
        {"ab<cd", 6, "ab", 2},
        {"ab<cd", 7, "ab&lt;", 3},
        {"<", 4, "", 0},
        {"abc", 1, "", 0},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.text);
        char out[64];
        memset(out, 'x', sizeof out);
        EXPECT_EQ(EscapeHtmlText(c.text, out, c.size), c.taken);
        EXPECT_STREQ(out, c.escaped);
    }
}

TEST(HtmlEscape, AppendKeepsWhatIsThereAndCutsTheSameWay) {
    char out[16] = "<B>";
    AppendHtmlText(out, sizeof out, "x<y");
    EXPECT_STREQ(out, "<B>x&lt;y");
    AppendHtmlText(out, sizeof out, "&&");
    EXPECT_STREQ(out, "<B>x&lt;y&amp;"); // the second "&amp;" does not fit
}

TEST(HtmlEscape, DecodesTheReferencesOfAFetchedTitle) {
    const struct {
        const char* html;
        const char* text;
    } cases[] = {
        {"Tom &amp; Jerry", "Tom & Jerry"},
        {"&lt;b&gt; &quot;x&quot; &apos;y&#39;", "<b> \"x\" 'y'"},
        {"caf&#233; caf&#xE9; caf&eacute;", "caf\xe9 caf\xe9 caf&eacute;"},
        {"a&nbsp;b &mdash; &euro;5 &#8212;", "a\xa0"
                                             "b \x97 \x80"
                                             "5 \x97"},
        // Characters the code page lacks, and what is no reference, stay.
        {"&#x4E2D; &#0; &#; &amp AT&T; & ;", "&#x4E2D; &#0; &#; &amp AT&T; & ;"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html);
        char text[128];
        strcpy(text, c.html);
        DecodeHtmlReferences(text);
        EXPECT_STREQ(text, c.text);
    }
}

} // namespace

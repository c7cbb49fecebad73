#include <gtest/gtest.h>
#include "ovkit/cstring.h"
#include "debug_output_capture.h"
#include <string>

using ovkittest::DebugOutputCapture;

namespace {

std::string Text(const CString& s) {
    return static_cast<const char*>(s);
}

} // namespace

TEST(CStringBasics, NullAndZeroLengthTextsAreBothEmptyAndEqual) {
    CString null;
    CString zero("");
    for (const CString* s : {&null, &zero}) {
        EXPECT_EQ(s->GetLength(), 0);
        EXPECT_EQ(s->IsEmpty(), 1);
        EXPECT_TRUE(*s == "");
        ASSERT_NE(static_cast<const char*>(*s), nullptr);
    }
    EXPECT_TRUE(null == zero);
    EXPECT_TRUE(zero == null);
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)).IsEmpty(), 1);
}

TEST(CStringBasics, CompareUsesLocaleOrderAndTreatsEmptyAsLowest) {
    EXPECT_EQ(CString().Compare("x"), -1);
    EXPECT_GT(CString("x").Compare(""), 0);
    EXPECT_EQ(CString("x").Compare(nullptr), CString("x").Compare(""));
    EXPECT_EQ(CString().Compare(""), 0);
    // Word-sort order, not byte order: 'a' sorts before 'B'.
    EXPECT_EQ(CString("a") < "B", 1);
    EXPECT_EQ(CString("B") > CString("a"), 1);
    EXPECT_NE(CString("abc").Compare("ABC"), 0);
    EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
    EXPECT_EQ(CString("abc") != "abd", 1);
    EXPECT_EQ(CString("abc") <= "abc", 1);
    EXPECT_EQ(CString("abc") >= "abd", 0);
}

TEST(CStringBasics, AssignmentCopiesDeeplyAndSurvivesAliasing) {
    CString s;
    s = 'A';
    EXPECT_EQ(Text(s), "A");
    EXPECT_EQ(s.GetLength(), 1);

    CString copy(s);
    copy.SetAt(0, 'B');
    EXPECT_EQ(Text(s), "A");

    s = s;
    EXPECT_EQ(Text(s), "A");
    s = "abcdef";
    s = static_cast<const char*>(s) + 2; // a source inside the string's own text
    EXPECT_EQ(Text(s), "cdef");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s.IsEmpty(), 1);
}

TEST(CStringBasics, AppendingGrowsTheTextAndTreatsNullAsEmpty) {
    CString s("ab");
    s += s;
    EXPECT_EQ(Text(s), "abab");
    s += 'c';
    s += CString();
    s += static_cast<const char*>(nullptr);
    s += "d";
    EXPECT_EQ(Text(s), "ababcd");

    CString empty;
    empty += static_cast<const char*>(nullptr);
    EXPECT_EQ(empty.GetLength(), 0);
}

TEST(CStringBasics, OutOfRangeIndexReadsZeroWritesNothingAndAsserts) {
    CString s("ab");
    EXPECT_EQ(s.GetAt(1), 'b');
    EXPECT_EQ(s[0], 'a');
    DebugOutputCapture debug;
    EXPECT_EQ(s.GetAt(2), 0);
    EXPECT_EQ(s[-1], 0);
    s.SetAt(5, 'x');
    s.SetAt(-1, 'x');
    CString().SetAt(0, 'x');
    EXPECT_EQ(Text(s), "ab");
    EXPECT_TRUE(debug.Saw("nIndex < GetLength()"));
    EXPECT_TRUE(debug.Saw("nIndex >= 0"));
}

struct ExtractCase {
    const char* name;
    CString (*extract)(const CString&);
    const char* text;
    const char* expected;
};

TEST(CStringExtract, ClampsRangesAndFiltersSets) {
    const ExtractCase cases[] = {
        {"Mid(2,100)", [](const CString& s) { return s.Mid(2, 100); }, "abcdef", "cdef"},
        {"Mid(10,2)", [](const CString& s) { return s.Mid(10, 2); }, "abcdef", ""},
        {"Mid(-2,3)", [](const CString& s) { return s.Mid(-2, 3); }, "abcdef", "abc"},
        {"Mid(1,-1)", [](const CString& s) { return s.Mid(1, -1); }, "abcdef", ""},
        {"Mid(4)", [](const CString& s) { return s.Mid(4); }, "abcdef", "ef"},
        {"Left(-3)", [](const CString& s) { return s.Left(-3); }, "abcdef", ""},
        {"Left(2)", [](const CString& s) { return s.Left(2); }, "abcdef", "ab"},
        {"Right(99)", [](const CString& s) { return s.Right(99); }, "abcdef", "abcdef"},
        {"Right(2)", [](const CString& s) { return s.Right(2); }, "abcdef", "ef"},
        {"Left of null", [](const CString& s) { return s.Left(3); }, nullptr, ""},
        {"SpanIncluding", [](const CString& s) { return s.SpanIncluding("ab"); }, "abcab", "abab"},
        {"SpanExcluding", [](const CString& s) { return s.SpanExcluding("ab"); }, "abcab", "c"},
        {"Span null set", [](const CString& s) { return s.SpanIncluding(nullptr); }, "abc", ""},
    };
    for (const ExtractCase& c : cases) {
        SCOPED_TRACE(c.name);
        CString result = c.extract(CString(c.text));
        EXPECT_EQ(Text(result), c.expected);
    }
}

TEST(CStringExtract, TrimAndCaseChangesWorkInPlace) {
    CString s("ab  c  ");
    s.TrimRight();
    EXPECT_EQ(Text(s), "ab  c");
    s = "  \t x y ";
    s.TrimLeft();
    EXPECT_EQ(Text(s), "x y ");
    s = "  ";
    s.TrimLeft();
    EXPECT_EQ(s.GetLength(), 0);
    s = "AbC";
    s.MakeUpper();
    EXPECT_EQ(Text(s), "ABC");
    s.MakeLower();
    EXPECT_EQ(Text(s), "abc");
    s.MakeReverse();
    EXPECT_EQ(Text(s), "cba");
    CString null;
    null.TrimLeft();
    null.TrimRight();
    null.MakeUpper();
    EXPECT_EQ(null.IsEmpty(), 1);
}

struct FindCase {
    const char* name;
    int (*find)(const CString&);
    const char* text;
    int expected;
};

TEST(CStringSearch, FindsFirstAndLastOccurrences) {
    const FindCase cases[] = {
        {"Find char", [](const CString& s) { return s.Find('c'); }, "abcabc", 2},
        {"Find char absent", [](const CString& s) { return s.Find('z'); }, "abc", -1},
        {"Find text", [](const CString& s) { return s.Find("ca"); }, "abcabc", 2},
        {"Find empty text", [](const CString& s) { return s.Find(""); }, "abc", 0},
        {"Find null", [](const CString& s) { return s.Find(nullptr); }, "abc", -1},
        {"Find in empty", [](const CString& s) { return s.Find(""); }, nullptr, -1},
        {"FindNoCase", [](const CString& s) { return s.FindNoCase("CA"); }, "abcabc", 2},
        {"ReverseFind char", [](const CString& s) { return s.ReverseFind('a'); }, "abcabc", 3},
        {"ReverseFind text", [](const CString& s) { return s.ReverseFind("ab"); }, "abxab", 3},
        {"ReverseFind overlap", [](const CString& s) { return s.ReverseFind("aa"); }, "aaa", 1},
        {"ReverseFind absent", [](const CString& s) { return s.ReverseFind("ab"); }, "xyz", -1},
        {"ReverseFind null", [](const CString& s) { return s.ReverseFind(nullptr); }, "ab", -1},
        {"ReverseFindNoCase", [](const CString& s) { return s.ReverseFindNoCase("AB"); }, "abxAb",
         3},
        {"FindOneOf", [](const CString& s) { return s.FindOneOf("xc"); }, "abcx", 2},
        {"FindOneOf none", [](const CString& s) { return s.FindOneOf("z"); }, "abc", -1},
        {"FindOneOf null", [](const CString& s) { return s.FindOneOf(nullptr); }, "abc", -1},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.find(CString(c.text)), c.expected);
    }
}

struct ReplaceCase {
    const char* name;
    const CString& (CString::*replace)(const char*, const char*);
    const char* text;
    const char* oldText;
    const char* newText;
    const char* expected;
};

TEST(CStringReplace, ReplacesWithoutSearchingInsertedText) {
    const ReplaceCase cases[] = {
        {"all", &CString::Replace, "a.b.c", ".", "::", "a::b::c"},
        {"all grows", &CString::Replace, "aaa", "a", "aa", "aaaaaa"},
        {"all to nothing", &CString::Replace, "abab", "ab", "", ""},
        {"all absent", &CString::Replace, "abc", "x", "y", "abc"},
        {"nocase", &CString::ReplaceNoCase, "aAa", "A", "b", "bbb"},
        {"nocase keeps case", &CString::ReplaceNoCase, "Xa-XA", "xa", "yY", "yY-yY"},
        {"first", &CString::ReplaceFirst, "aaa", "a", "aa", "aaaa"},
        {"first nocase", &CString::ReplaceFirstNoCase, "bAa", "a", "c", "bca"},
        {"last", &CString::ReplaceLast, "aaa", "a", "b", "aab"},
        {"last nocase", &CString::ReplaceLastNoCase, "aAxA", "a", "b", "aAxb"},
        {"empty old", &CString::Replace, "abc", "", "x", "abc"},
        {"null new removes", &CString::Replace, "a-b", "-", nullptr, "ab"},
        {"null old", &CString::Replace, "abc", nullptr, "x", "abc"},
    };
    for (const ReplaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        DebugOutputCapture debug;
        CString s(c.text);
        const CString& result = (s.*c.replace)(c.oldText, c.newText);
        EXPECT_EQ(&result, &s);
        EXPECT_EQ(Text(s), c.expected);
        EXPECT_EQ(debug.Saw("IsBadStringPtr( lpcszOld, UINT_MAX ) == FALSE"), !c.oldText);
        EXPECT_EQ(debug.Saw("IsBadStringPtr( lpcszNew, UINT_MAX ) == FALSE"), !c.newText);
    }
}

TEST(CStringFormat, AppendsTheWholeResultHoweverLong) {
    CString s("n=");
    s.Format("%d", 5);
    EXPECT_EQ(Text(s), "n=5");

    // Longer than the old 260-byte buffer and wvsprintf's 1,024 limit.
    std::string part(1500, 'x');
    s.Format("[%s|%s]", part.c_str(), "end");
    EXPECT_EQ(Text(s), "n=5[" + part + "|end]");

    CString empty;
    empty.Format("%s", "");
    EXPECT_EQ(empty.GetLength(), 0);
}

TEST(CStringConvert, NumbersAndWideText) {
    EXPECT_EQ(CString(" 42abc").AsInt(), 42);
    EXPECT_EQ(CString("-7").AsInt(), -7);
    EXPECT_EQ(CString().AsInt(), 0);
    EXPECT_FLOAT_EQ(CString("2.5x").AsFloat(), 2.5f);
    EXPECT_EQ(CString().AsFloat(), 0.0f);

    const wchar_t* wide = L"wide text";
    CString s(reinterpret_cast<const unsigned short*>(wide));
    EXPECT_EQ(Text(s), "wide text");
    s = reinterpret_cast<const unsigned short*>(L"again");
    EXPECT_EQ(Text(s), "again");
    s = static_cast<const unsigned short*>(nullptr);
    EXPECT_EQ(s.IsEmpty(), 1);

    const wchar_t* view =
        reinterpret_cast<const wchar_t*>(static_cast<const unsigned short*>(CString("abc")));
    EXPECT_STREQ(view, L"abc");
}

static const unsigned short* Wide(const wchar_t* text) {
    return reinterpret_cast<const unsigned short*>(text);
}

// Guards the wide conversion that stopped at the first character the C
// runtime could not convert.
TEST(CStringConvert, WideTextIsNeverCut) {
    const struct {
        const wchar_t* wide;
        const char* ansi1252; // what the Western ANSI page gives
    } cases[] = {
        {L"5\u20AC report", "5\x80 report"},
        {L"a\u4E2D\u6587b", "a??b"},
        {L"caf\u00E9 \u0141\u00F3d\u017A", "caf\xE9 L\xF3"
                                           "dz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ansi1252);
        CString built(Wide(c.wide));
        CString assigned("x");
        assigned = Wide(c.wide);
        EXPECT_EQ(built.GetLength(), static_cast<int>(wcslen(c.wide)));
        EXPECT_STREQ(assigned, built);
        if (GetACP() == 1252) {
            EXPECT_STREQ(built, c.ansi1252);
        }
    }
    // Back through the same page: the euro sign returns.
    CString euro(Wide(L"5\u20AC report"));
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(static_cast<const unsigned short*>(euro)),
                 L"5\u20AC report");
}

TEST(CStringConvert, WideViewStopsAt519Characters) {
    CString longText(std::string(600, 'w').c_str());
    const wchar_t* view =
        reinterpret_cast<const wchar_t*>(static_cast<const unsigned short*>(longText));
    EXPECT_EQ(wcslen(view), 519u);
    EXPECT_EQ(view[518], L'w');
}

TEST(CStringConvert, DialogItemTextIsReadUpTo259Characters) {
    HWND parent =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND item = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 10, 10, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), nullptr, nullptr);
    ASSERT_NE(item, nullptr);
    SendMessageA(item, EM_LIMITTEXT, 1000, 0);

    SetWindowTextA(item, "item text");
    EXPECT_EQ(Text(CString(parent, 100)), "item text");
    SetWindowTextA(item, std::string(300, 'q').c_str());
    EXPECT_EQ(Text(CString(parent, 100)), std::string(259, 'q'));
    SetWindowTextA(item, "");
    EXPECT_EQ(CString(parent, 100).IsEmpty(), 1);
    EXPECT_EQ(CString(parent, 999).IsEmpty(), 1);
    DestroyWindow(parent);
}

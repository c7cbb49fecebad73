#include <gtest/gtest.h>

#include "splash_text.h"

using namespace bandolet;

TEST(SplashText, ColourLinesSetTheColourOfTheLinesAfterThem) {
    std::vector<SplashLine> lines = SplitSplashText("white\r\n%%color= 13%\r\nred\r\n"
                                                    "%%color=25%\r\n\r\n");
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("white", lines[0].text);
    EXPECT_EQ(0xFFFFFFu, lines[0].colour);
    EXPECT_EQ("red", lines[1].text);
    EXPECT_EQ(0x0000FFu, lines[1].colour);
    EXPECT_EQ("%%color=25%", lines[2].text); // out of range: drawn as text
    EXPECT_EQ(0x0000FFu, lines[2].colour);
    EXPECT_EQ("", lines[3].text);
    EXPECT_EQ(1u, SplitSplashText(std::string(300, 'x').c_str()).size());
    EXPECT_EQ(255u, SplitSplashText(std::string(300, 'x').c_str())[0].text.size());
}

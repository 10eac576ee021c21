#include "platform/Cp1252.h"
#include "platform/Format.h"

#include <gtest/gtest.h>

TEST(Cp1252, UmlautsAndEuroConvertBothWays)
{
    const std::string utf8 = "Förderstunden Ärger ß €";
    std::string bytes;
    ASSERT_TRUE(Utf8ZuCp1252(utf8, bytes));
    EXPECT_EQ(bytes, "F\xF6rderstunden \xC4rger \xDF \x80");
    EXPECT_EQ(Cp1252ZuUtf8(bytes), utf8);
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    std::string alle;
    for (int b = 1; b < 256; ++b)
        alle += static_cast<char>(b);
    std::string zurueck;
    ASSERT_TRUE(Utf8ZuCp1252(Cp1252ZuUtf8(alle), zurueck));
    EXPECT_EQ(zurueck, alle);
}

TEST(Cp1252, CharactersOutsideTheCodePageAreRefused)
{
    std::string bytes;
    EXPECT_FALSE(Utf8ZuCp1252("Feld\xE2\x88\x9E", bytes)); // ∞
    EXPECT_FALSE(IstCp1252Darstellbar("Поле"));
    EXPECT_FALSE(IstCp1252Darstellbar("\xC3")); // broken UTF-8
    EXPECT_TRUE(IstCp1252Darstellbar("Großes_Feld"));
}

TEST(Format, PaddingCountsCharactersNotBytes)
{
    EXPECT_EQ(AufBreite("Bär", 5), "Bär  ");
    EXPECT_EQ(AufBreite("ÄÖÜäöüßx", 3), "ÄÖÜ");
    EXPECT_EQ(AnzahlZeichen("Förder"), 6u);
    EXPECT_EQ(Format("%7.1f|%s", 3.25, "x"), "    3.2|x");
    EXPECT_EQ(Format("%s", std::string(5000, 'a').c_str()).size(), 5000u);
}

TEST(Format, NumberReadersAreStrict)
{
    int i = 0;
    float f = 0;
    EXPECT_TRUE(LiesInt("2003", i));
    EXPECT_EQ(i, 2003);
    EXPECT_FALSE(LiesInt("20x3", i));
    EXPECT_FALSE(LiesInt("99999999999", i));
    EXPECT_FALSE(LiesInt("", i));
    EXPECT_TRUE(LiesFloat("0.0125", f));
    EXPECT_EQ(f, 0.0125f);
    EXPECT_FALSE(LiesFloat("nan", f));
    EXPECT_FALSE(LiesFloat("inf", f));
    EXPECT_FALSE(LiesFloat("1e39", f));
    EXPECT_FALSE(LiesFloat("1,5", f));
}

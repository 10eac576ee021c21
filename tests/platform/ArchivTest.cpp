#include "platform/Archiv.h"

#include <gtest/gtest.h>

TEST(Archiv, TextLengthUsesOneByteBelow255AndFfPlus16BitFrom255)
{
    CArchivSchreiber kurz;
    kurz.Text(std::string(254, 'x'));
    EXPECT_EQ(kurz.Bytes().size(), 1u + 254u);
    EXPECT_EQ(static_cast<unsigned char>(kurz.Bytes()[0]), 0xFE);

    CArchivSchreiber lang;
    lang.Text(std::string(255, 'x'));
    ASSERT_EQ(lang.Bytes().size(), 3u + 255u);
    EXPECT_EQ(lang.Bytes().substr(0, 3), std::string("\xFF\xFF\x00", 3));

    CArchivSchreiber riesig;
    riesig.Text(std::string(0xFFFE, 'x'));
    EXPECT_EQ(riesig.Bytes().substr(0, 7), std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));
}

TEST(Archiv, EveryEncodingReadsBackAsWritten)
{
    CArchivSchreiber w;
    w.Int32(-5);
    w.Int32(2030);
    std::vector<std::string> texte{"", "a", std::string(254, 'b'), std::string(255, 'c'), std::string(70000, 'd')};
    w.TextArray(texte);
    CArchivLeser r(w.Bytes());
    int32_t a = 0, b = 0;
    std::vector<std::string> gelesen;
    ASSERT_TRUE(r.Int32(a) && r.Int32(b) && r.TextArray(gelesen));
    EXPECT_EQ(a, -5);
    EXPECT_EQ(b, 2030);
    EXPECT_EQ(gelesen, texte);
    EXPECT_TRUE(r.AmEnde());
}

TEST(Archiv, LargeCountsUseFfffAnd32Bit)
{
    CArchivSchreiber w;
    w.TextArray(std::vector<std::string>(0xFFFF, ""));
    EXPECT_EQ(w.Bytes().substr(0, 6), std::string("\xFF\xFF\xFF\xFF\x00\x00", 6));
    CArchivLeser r(w.Bytes());
    std::vector<std::string> gelesen;
    ASSERT_TRUE(r.TextArray(gelesen));
    EXPECT_EQ(gelesen.size(), 0xFFFFu);
}

TEST(Archiv, TruncatedOrLyingDataFailsWithoutReadingPastTheEnd)
{
    std::vector<std::string> t;
    std::string s;
    int32_t i = 0;
    EXPECT_FALSE(CArchivLeser(std::string("\x01\x02", 2)).Int32(i));
    // a count of 4 billion texts in a 6-byte buffer
    const std::string sechs("\xFF\xFF\xFF\xFF\xFF\xFF", 6);
    CArchivLeser zaehler(sechs);
    EXPECT_FALSE(zaehler.TextArray(t));
    EXPECT_FALSE(zaehler.Fehler().empty());
    // a text of 4 GB announced
    EXPECT_FALSE(CArchivLeser(std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7)).Text(s));
    // 0xFFFE as 16-bit length is not a length
    EXPECT_FALSE(CArchivLeser(std::string("\xFF\xFE\xFF\x00", 4)).Text(s));
    EXPECT_FALSE(CArchivLeser(std::string("\x05"
                                          "abc",
                                          4))
                     .Text(s));
}

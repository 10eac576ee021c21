#include "Testdaten.h"
#include "platform/Cp1252.h"
#include "platform/Datei.h"
#include "platform/Format.h"

#include <clocale>
#include <filesystem>

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
    EXPECT_FALSE(IstCp1252Darstellbar("\xC3"));         // truncated sequence
    EXPECT_FALSE(IstCp1252Darstellbar("F\xC3(ld"));     // bad continuation byte
    EXPECT_FALSE(IstCp1252Darstellbar("\xC3\xA4\xA4")); // a continuation byte without its lead
    EXPECT_FALSE(Utf8ZuCp1252("F\xC3(ld", bytes));
    EXPECT_FALSE(Utf8ZuCp1252("Feld\xC3", bytes));
    EXPECT_TRUE(IstCp1252Darstellbar("F\xC3\xA4ld")); // Fäld: the same bytes, well formed
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

TEST(Format, NumberTextIgnoresAGermanProcessLocale)
{
    // As on a German desktop after Qt has taken over its locale.
    const std::string alt = std::setlocale(LC_ALL, nullptr);
    const bool deutsch = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(Format("%8.3f|%.6g|%7.1f", 93.1, 0.0125, 1234.5), "  93.100|0.0125| 1234.5");
    float f = 0;
    EXPECT_TRUE(LiesFloat("93.100", f));
    EXPECT_EQ(f, 93.1f);
    EXPECT_FALSE(LiesFloat("93,100", f)); // files and reports carry a point
    EXPECT_TRUE(LiesEingabeFloat("93,100", f));
    EXPECT_EQ(f, 93.1f);
    int i = 0;
    EXPECT_TRUE(LiesInt("2003", i));
    std::setlocale(LC_ALL, alt.c_str());
    if (!deutsch)
        GTEST_SKIP() << "Die Locale de_DE.UTF-8 fehlt (scripts/install-deps.sh erzeugt sie).";
}

TEST(Format, TypedNumbersTakeAPointOrOneComma)
{
    float f = 0;
    EXPECT_TRUE(LiesEingabeFloat("0,5", f));
    EXPECT_EQ(f, 0.5f);
    EXPECT_TRUE(LiesEingabeFloat("-12,25", f));
    EXPECT_EQ(f, -12.25f);
    EXPECT_TRUE(LiesEingabeFloat("0.5", f));
    EXPECT_TRUE(LiesEingabeFloat("1,5e3", f));
    EXPECT_EQ(f, 1500.0f);
    for (const char* kein : {"1.000,5", "1,000,5", ",", "x,5", "nan", "inf", ""})
        EXPECT_FALSE(LiesEingabeFloat(kein, f)) << kein;
}

TEST(Datei, FailuresAreExplainedInGerman)
{
    const CErgebnis<std::string> gelesen = DateiLesen("/gibt/es/nicht.kvo");
    EXPECT_FALSE(gelesen);
    EXPECT_EQ(gelesen.Fehlertext(), "Die Datei kann nicht geöffnet werden (nicht gefunden).");
    CErgebnis<> geschrieben = DateiAtomarSchreiben("/gibt/es/nicht.kvo", "x");
    EXPECT_FALSE(geschrieben);
    EXPECT_EQ(geschrieben.Fehlertext(), "Die Datei kann nicht angelegt werden (nicht gefunden).");
    geschrieben = DateiAtomarSchreiben("/proc/kalvo.kvo", "x"); // no files can be made there
    EXPECT_FALSE(geschrieben);
    const std::string& grund = geschrieben.Fehlertext();
    EXPECT_NE(grund.find("Die Datei kann nicht angelegt werden ("), std::string::npos);
    EXPECT_EQ(grund.find("No such"), std::string::npos);
    EXPECT_EQ(grund.find("denied"), std::string::npos);
}

// Saving through a symbolic link renews the file it points to (the link stays
// a link); a write-protected file is refused and keeps its bytes.
TEST(Datei, WritingFollowsALinkAndRefusesAWriteProtectedFile)
{
    namespace fs = std::filesystem;
    const fs::path ordner = fs::temp_directory_path() / "kalvo_test_verweise";
    fs::remove_all(ordner);
    fs::create_directories(ordner / "echt");
    const fs::path echt = ordner / "echt" / "Plan.kvo";
    const fs::path verweis = ordner / "Plan.kvo";
    ASSERT_TRUE(DateiAtomarSchreiben(echt.string(), "alt"));
    fs::create_symlink(fs::path("echt") / "Plan.kvo", verweis);

    ASSERT_TRUE(DateiAtomarSchreiben(verweis.string(), "neu"));
    EXPECT_TRUE(fs::is_symlink(verweis));
    std::string bytes = DateiInhalt(echt.string());
    EXPECT_EQ(bytes, "neu");

    fs::permissions(echt, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const CErgebnis<> geschuetzt = DateiAtomarSchreiben(echt.string(), "verloren");
    EXPECT_FALSE(geschuetzt);
    EXPECT_EQ(geschuetzt.Fehlertext(), "Die Datei ist schreibgeschützt; sie wird nicht ersetzt.");
    EXPECT_FALSE(DateiAtomarSchreiben(verweis.string(), "verloren"));
    bytes = DateiInhalt(echt.string());
    EXPECT_EQ(bytes, "neu");
    fs::remove_all(ordner);
}

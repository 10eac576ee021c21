// The one rule for numbers a person types or a file from a person brings.
#include "platform/Zahlregel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr auto E = EZahlschreibung::Einzeln;
constexpr auto K = EZahlschreibung::Dezimalkomma;
constexpr auto P = EZahlschreibung::Dezimalpunkt;

} // namespace

// A row per text: how it reads alone, in a block of decimal commas and in a
// block of decimal points (NAN = refused).
TEST(Zahlregel, ASingleValueAndABlockReadTheirNumbersByOneRule)
{
    struct CFall {
        const char* text;
        float einzeln, komma, punkt;
    };
    const CFall faelle[] = {
        {"2,5", 2.5f, 2.5f, NAN},       {"2.5", 2.5f, NAN, 2.5f},   {" 860.5 ", 860.5f, NAN, 860.5f},
        {"14.000", NAN, NAN, 14.0f},    // a German thousands point alone; a point file's 14
        {"1.250.000", NAN, NAN, NAN},   // never a decimal number
        {"-1.250", NAN, NAN, -1.25f},   // thousands point, or the point file's decimal
        {"0.125", 0.125f, NAN, 0.125f}, // a leading 0 is a decimal fraction
        {"28000", 28000, 28000, 28000}, {"40", 40, 40, 40},         {"-0,5", -0.5f, -0.5f, NAN},
        {"1,5e3", 1500, 1500, NAN},     {"1.000,5", NAN, NAN, NAN}, {"1,000,5", NAN, NAN, NAN},
        {"0x10", NAN, NAN, NAN}, // C's hexadecimal is not a person's number
        {"inf", NAN, NAN, NAN},         {"nan", NAN, NAN, NAN},     {"", NAN, NAN, NAN},
        {"viel", NAN, NAN, NAN},
    };
    for (const CFall& f : faelle) {
        for (const auto& [schreibung, erwartet] : {std::pair{E, f.einzeln}, {K, f.komma}, {P, f.punkt}}) {
            const CErgebnis<float> z = ZahlLesen(f.text, schreibung);
            if (std::isnan(erwartet)) {
                EXPECT_FALSE(z) << f.text << " " << int(schreibung);
            } else {
                ASSERT_TRUE(z) << f.text << " " << int(schreibung) << ": " << z.Fehlertext();
                EXPECT_EQ(*z, erwartet) << f.text;
            }
        }
    }
}

TEST(Zahlregel, RefusalsSayWhyAndNameTheNumberMeant)
{
    EXPECT_EQ(MeldungTausenderpunkt("14.000"), "\"14.000\" ist nicht eindeutig: ein Tausenderpunkt wird nicht "
                                               "gelesen. Geben Sie die Zahl ohne Punkt ein (14000) oder mit "
                                               "Dezimalkomma.");
    EXPECT_EQ(ZahlLesen("28.000", K).Fehlertext(),
              "enthält einen Punkt, die übrigen Zahlen ein Dezimalkomma: ein Tausenderpunkt wird nicht gelesen "
              "(ohne Punkt: 28000).");
    EXPECT_EQ(ZahlLesen("2.5", K).Fehlertext(),
              "enthält einen Punkt, die übrigen Zahlen ein Dezimalkomma: ein Tausenderpunkt wird nicht gelesen.");
    EXPECT_EQ(ZahlLesen("viel").Fehlertext(), "ist keine Zahl.");
}

TEST(Zahlregel, ABlockIsGermanWhenAnyNumberCarriesADecimalComma)
{
    EXPECT_EQ(Zahlschreibung({"2027", "28.000", "1,5"}), K);
    EXPECT_EQ(Zahlschreibung({"2027", "28.000", "1.5"}), P);
    EXPECT_EQ(Zahlschreibung({"Feld,Nord", "1;2"}), P); // a comma in a word is no decimal comma
    EXPECT_EQ(Zahlschreibung({}), P);
}

// The small number boxes: digits are never dropped, the range is in the message.
TEST(Zahlregel, SmallNumberBoxesKeepEveryDigitAndNameTheirRange)
{
    struct CFall {
        const char* text;
        CZahlbereich bereich;
        double wert; // NAN: refused with `meldung`
        const char* meldung;
    };
    const CZahlbereich jahre{1, 33, true}, prozent{0, 100, false, true}, menge{0, 100000};
    const CFall faelle[] = {
        {"40", {1, 40, true}, 40, ""},
        {"40", jahre, NAN, "„40“ liegt nicht zwischen 1 und 33."},
        {"2.5", prozent, 2.5, ""},
        {"2,5", prozent, 2.5, ""},
        {"100", prozent, NAN, "„100“ liegt nicht im Bereich von 0 bis unter 100."},
        {"2000000", {0, 1e6}, NAN, "„2000000“ liegt nicht zwischen 0 und 1000000."},
        {"860.5", menge, 860.5, ""},
        {"860,5", menge, 860.5, ""},
        {"0,1", menge, 0.1, ""}, // read in double: 0.1, not float's 0.100000001
        {"14.000", menge, NAN,
         "„14.000“ ist nicht eindeutig: ein Tausenderpunkt wird nicht gelesen. Geben Sie die Zahl ohne Punkt ein "
         "(14000) oder mit Dezimalkomma. Geben Sie eine Zahl zwischen 0 und 100000 ein."},
        {"2,5", jahre, NAN, "„2,5“ ist keine ganze Zahl. Geben Sie eine ganze Zahl zwischen 1 und 33 ein."},
        {"", jahre, NAN, "„“ ist keine ganze Zahl. Geben Sie eine ganze Zahl zwischen 1 und 33 ein."},
    };
    for (const CFall& f : faelle) {
        const CErgebnis<double> z = ZahlImBereich(f.text, f.bereich);
        if (std::isnan(f.wert)) {
            EXPECT_EQ(z.Fehlertext(), f.meldung) << f.text;
        } else {
            ASSERT_TRUE(z) << f.text << ": " << z.Fehlertext();
            EXPECT_EQ(*z, f.wert) << f.text;
        }
    }
}

TEST(Zahlregel, AQuotedCellIsCutAtFortyCharacters)
{
    EXPECT_EQ(Zitat("kurz"), "kurz");
    EXPECT_EQ(Zitat(std::string(40, 'x')), std::string(40, 'x'));
    EXPECT_EQ(Zitat(std::string(5000, 'x')), std::string(40, 'x') + "…");
    EXPECT_EQ(Zitat("ä" + std::string(50, 'y')), "ä" + std::string(39, 'y') + "…"); // characters, not bytes
    EXPECT_EQ(Zitat("a\tb"), "a?b");
}

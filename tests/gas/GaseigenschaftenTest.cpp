#include "Testdaten.h"
#include "gas/CGaseigenschaften.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

namespace {

std::string F(const char* format, double v)
{
    return Format(format, v);
}

CGaseigenschaften Methan(float tcel = 100.0f)
{
    std::array<float, kAnzahlKomponenten> a{};
    a[3] = 100.0f;
    CGaseigenschaften g;
    g.Gaseigenschaften(a, tcel);
    return g;
}

} // namespace

TEST(Gaseigenschaften, PureMethane)
{
    const CGaseigenschaften g = Methan();
    EXPECT_EQ(F("%.3f", g.m_fMolgewicht), "16.042");
    EXPECT_EQ(F("%.4f", g.m_fMolgewicht / kMolgewichtLuft), "0.5539");
    EXPECT_EQ(F("%.4f", g.m_dRhoN), "0.7158");
    EXPECT_EQ(F("%.1f", g.m_dPca), "673.1");
    EXPECT_EQ(F("%.1f", g.m_dTca), "343.5");
    EXPECT_EQ(g.m_dEpsilon, 0.0);
    EXPECT_EQ(F("%.3f", g.m_dLeeK), "142.806");
    EXPECT_EQ(F("%.4f", g.m_dLeeX), "5.1277");
    EXPECT_EQ(F("%.4f", g.m_dLeeY), "1.3745");
    for (auto v : {EZwertVariante::Dialog, EZwertVariante::Dokument}) {
        EXPECT_EQ(F("%.4f", g.Zwert(100, 200, v)), "0.9376");
        EXPECT_EQ(F("%.5f", g.Viskos(100, 200, v)), "0.01829");
        EXPECT_EQ(F("%.4f", g.Zwert(100, 1, v)), "0.9992");
    }
    const double z = g.Zwert(100, 200, EZwertVariante::Dokument);
    EXPECT_EQ(F("%.2f", g.m_dRhoN * (200 / z) * 273 / (373 * 1.0134)), "110.28");
}

TEST(Gaseigenschaften, HalfMethaneOnlyIsNormalisedToPureMethane)
{
    std::array<float, kAnzahlKomponenten> a{};
    a[3] = 50.0f;
    CGaseigenschaften g;
    g.Gaseigenschaften(a, 100);
    const CGaseigenschaften m = Methan();
    EXPECT_EQ(g.m_fAnteilKorr[3], 100.0f);
    EXPECT_EQ(g.m_dPca, m.m_dPca);
    EXPECT_EQ(g.Zwert(100, 200, EZwertVariante::Dokument), m.Zwert(100, 200, EZwertVariante::Dokument));
}

TEST(Gaseigenschaften, SourGasIsCorrectedAfterWichertAziz)
{
    std::array<float, kAnzahlKomponenten> a{};
    a[0] = 5;
    a[1] = 10;
    a[2] = 2;
    a[3] = 80;
    a[4] = 3;
    CGaseigenschaften g;
    g.Gaseigenschaften(a, 80);
    EXPECT_EQ(F("%.3f", g.m_dEpsilon), "19.348");
    EXPECT_EQ(F("%.3f", g.m_dTca), "364.934");
    EXPECT_EQ(F("%.3f", g.m_dPca), "703.121");
    EXPECT_EQ(F("%.4f", g.Zwert(80, 250, EZwertVariante::Dokument)), "0.8998");
    EXPECT_EQ(F("%.4f", g.Zwert(80, 250, EZwertVariante::Dialog)), "0.8998");
}

TEST(Gaseigenschaften, ZwertFallsBackToBisectionWhereNewtonCycles)
{
    const CGaseigenschaften g = Methan();
    // Temperature and pressure of a pseudo-reduced state with methane's criticals.
    const auto zBei = [&](double tpr, double ppr, EZwertVariante v) {
        const double tcel = (tpr * 343.5 - 492.0) * 5.0 / 9.0;
        return g.Zwert(tcel, ppr * 673.1 / 14.503, v);
    };
    for (auto v : {EZwertVariante::Dialog, EZwertVariante::Dokument}) {
        EXPECT_EQ(F("%.3f", zBei(1.05, 17.0, v)), "1.957");
        EXPECT_EQ(F("%.3f", zBei(1.37, 24.25, v)), "2.273");
    }
}

TEST(Gaseigenschaften, DialogFormShowsTheResultText)
{
    CAufgezeichneteMeldungen m;
    CFeldwerte f = MethanFeld("Methan", 2003);
    f.m_fTcel = 100;
    f.m_fPi = 300;
    f.m_fReferenzdruck = 200;
    CGaseigenschaften g;
    std::string text;
    EXPECT_TRUE(GaseigenschaftenDialog(f, false, m, g, &text));
    EXPECT_TRUE(m.m_saTexte.empty());
    EXPECT_EQ(text, "Gaseigenschaften des Feldes: Methan\n"
                    "Konstante zur Berechnung der Viskosität nach Lee\n"
                    "K:  142.806 X: 5.128 Y: 1.374\n"
                    "Pseudokritische Werte für Druck und Temperatur\n"
                    "Druck(Bar):   46.41 Temperatur(°K):  190.50\n"
                    "NachKorrektur wegen CO2 und H2S\n"
                    "Druck(Bar):   46.41 Temperatur(°K):  190.50\n"
                    "Temperaturkor.(°K):  0.000 Pseudered.Temperatur(-):   1.956\n"
                    "Molekulargewicht:   16.04 Gasdichte unter Normalbedingung:  0.716\n"
                    "Relative Gasdichte (Luft=1):  0.554\n"
                    "Z-Wert beim Druck von  200 Bar:  0.938");
    EXPECT_TRUE(GaseigenschaftenDialog(f, true, m, g));
    EXPECT_EQ(m.m_saTexte, std::vector<std::string>{text});
}

TEST(Gaseigenschaften, DialogFormRefusesAReducedTemperatureAtOrBelowOne)
{
    CAufgezeichneteMeldungen m;
    CFeldwerte f = MethanFeld("Kalt", 2003);
    f.m_fTcel = -90; // below methane's critical temperature
    f.m_fPi = 20;
    f.m_fReferenzdruck = 20;
    CGaseigenschaften g;
    EXPECT_FALSE(GaseigenschaftenDialog(f, true, m, g));
    ASSERT_FALSE(m.m_saTexte.empty());
    EXPECT_EQ(m.m_saTexte.back(), "Pseudoreduzierte Temperatur<=1\nFalsche Gaszusammensetzng?");
}

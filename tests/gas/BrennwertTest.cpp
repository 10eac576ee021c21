// Calorific value, Wobbe index and gas family against published values.

#include "gas/Brennwert.h"

#include <gtest/gtest.h>

namespace {

enum Komponente { H2S, CO2, N2, CH4, C2H6, C3H8 };

std::array<float, kAnzahlKomponenten> Zusammensetzung(std::initializer_list<std::pair<Komponente, float>> werte)
{
    std::array<float, kAnzahlKomponenten> a{};
    for (auto [k, prozent] : werte)
        a[k] = prozent;
    return a;
}

} // namespace

// ISO 6976:2016, Annex D.2, example 1 (the five-component gas, combustion and
// metering at 15 °C): molar mass 17.3884301 kg/kmol, Z 0.99776224, molar
// gross calorific value 906.1799588 kJ/mol, volumetric 38.410611 MJ/m³, mass
// basis 52.113961 MJ/kg. The table values of the standard reproduce them.
TEST(Brennwert, ReproducesTheWorkedExampleOfTheStandard)
{
    std::array<double, kAnzahlKomponenten> x{};
    x[CH4] = 0.933212;
    x[C2H6] = 0.025656;
    x[C3H8] = 0.015368;
    x[N2] = 0.010350;
    x[CO2] = 0.015414;
    const CIso6976 e = Iso6976(x, EBezug::Verbrennung15Messung15);
    EXPECT_NEAR(e.molmasse, 17.3884301, 0.5e-7);
    EXPECT_NEAR(e.z, 0.99776224, 0.5e-8);
    EXPECT_NEAR(e.hsMolar, 906.1799588, 0.5e-7);
    EXPECT_NEAR(e.hsVolumen, 38.410611, 0.5e-6);
    EXPECT_NEAR(e.hsMolar / e.molmasse, 52.113961, 0.5e-6);
}

// Pure methane at 25 °C / 0 °C from the standard's methane row (890.58 kJ/mol,
// s = 0.04886, M = 16.04246; air 28.96546 kg/kmol, Z 0.999419), worked by hand:
// Z = 1 − 0.04886² = 0.9976127; Hs = 890.58 × 101.325 / (8.3144621 × 273.15)
// / Z = 39.8283 MJ/m³ = 11.063 kWh/m³; d = 16.04246 / 28.96546 × 0.999419 / Z
// = 0.55485; Ws = Hs / √d = 14.853 kWh/m³ — an H-gas.
TEST(Brennwert, PureMethaneAtGermanReferenceConditions)
{
    const CVerkaufsgas v = Verkaufsgas(Zusammensetzung({{CH4, 100}}));
    ASSERT_TRUE(v.brauchbar && v.hatVerkaufsgas);
    EXPECT_EQ(v.sauergas, 0);
    EXPECT_NEAR(v.hs, 11.063428, 0.5e-6);
    EXPECT_NEAR(v.wobbe, 14.852571, 0.5e-6);
    EXPECT_NEAR(v.dichteVerhaeltnis, 0.554851, 0.5e-6);
    EXPECT_STREQ(v.gasart, "H");
    EXPECT_EQ(VerkaufsgasKurztext(Zusammensetzung({{CH4, 100}})),
              "Verkaufsgas: Hs,n 11,063 · Ws,n 14,853 kWh/m³ · H-Gas");
}

// A sour raw gas of 10 % H2S, 10 % CO2, 5 % N2, 75 % CH4 sells the remaining
// 80 %: 6.25 % N2 and 93.75 % CH4, renormalised. By hand with the methane and
// nitrogen rows: Hs = 0.9375 × 890.58 × 101.325 / (8.3144621 × 273.15) / Z,
// Z = 1 − (0.0625 × 0.0214 + 0.9375 × 0.04886)² → 10.370 kWh/m³, Ws 13.609.
TEST(Brennwert, SourGasIsRenormalisedWithoutH2SAndCO2)
{
    const CVerkaufsgas sauer = Verkaufsgas(Zusammensetzung({{H2S, 10}, {CO2, 10}, {N2, 5}, {CH4, 75}}));
    const CVerkaufsgas verkauf = Verkaufsgas(Zusammensetzung({{N2, 6.25f}, {CH4, 93.75f}}));
    EXPECT_DOUBLE_EQ(sauer.sauergas, 20.0);
    EXPECT_DOUBLE_EQ(sauer.Ausbeute(), 0.8);
    EXPECT_NEAR(sauer.hs, 10.370251, 0.5e-6);
    EXPECT_NEAR(sauer.wobbe, 13.609396, 0.5e-6);
    EXPECT_DOUBLE_EQ(sauer.hs, verkauf.hs);
    EXPECT_DOUBLE_EQ(verkauf.Ausbeute(), 1.0);
}

// The families by their Wobbe ranges (G 260): L 10.5–13.0, H 12.8–15.7 kWh/m³,
// the overlap counted as L; a nitrogen-rich gas is L, a lean one neither.
TEST(Brennwert, GasFamilyByTheWobbeRanges)
{
    EXPECT_STREQ(Gasart(10.49), "–");
    EXPECT_STREQ(Gasart(10.5), "L");
    EXPECT_STREQ(Gasart(12.9), "L");
    EXPECT_STREQ(Gasart(13.01), "H");
    EXPECT_STREQ(Gasart(15.7), "H");
    EXPECT_STREQ(Gasart(15.71), "–");
    EXPECT_STREQ(Verkaufsgas(Zusammensetzung({{N2, 11.5f}, {CH4, 88.5f}})).gasart, "L");
    EXPECT_STREQ(Verkaufsgas(Zusammensetzung({{N2, 40}, {CH4, 60}})).gasart, "–");
}

// A composition off 100 % is not guessed at; a raw gas of only H2S and CO2
// has no sales gas and no calorific value, and nothing is divided by zero.
TEST(Brennwert, BadCompositionsGiveNoCalorificValue)
{
    const CVerkaufsgas falsch = Verkaufsgas(Zusammensetzung({{CH4, 87.3f}}));
    EXPECT_FALSE(falsch.brauchbar);
    EXPECT_EQ(falsch.grund, "die Gaszusammensetzung ergibt 87.30 % statt 100 %");
    EXPECT_TRUE(Verkaufsgas(Zusammensetzung({{CH4, 99.6f}})).brauchbar); // analysis rounding

    const CVerkaufsgas nurSauer = Verkaufsgas(Zusammensetzung({{H2S, 60}, {CO2, 40}}));
    EXPECT_TRUE(nurSauer.brauchbar);
    EXPECT_FALSE(nurSauer.hatVerkaufsgas);
    EXPECT_EQ(nurSauer.Ausbeute(), 0.0);
    EXPECT_EQ(nurSauer.hs, 0.0);
    EXPECT_EQ(VerkaufsgasKurztext(Zusammensetzung({{H2S, 60}, {CO2, 40}})), "Verkaufsgas: keins, nur H2S und CO2");
    EXPECT_FALSE(Verkaufsgas(Zusammensetzung({})).brauchbar);
}

// The edges of the gas families and of the composition's tolerance: a row
// per Wobbe index and its family, a row per methane share and whether it is valued.
TEST(Brennwert, EdgesOfTheFamiliesAndOfTheSumTolerance)
{
    const std::pair<double, const char*> familien[] = {
        {10.4999, "–"}, {10.5, "L"}, {12.8, "L"}, {13.0, "L"}, {13.0001, "H"}, {15.7, "H"}, {15.7001, "–"}, {0, "–"},
    };
    for (const auto& [wobbe, gasart] : familien)
        EXPECT_STREQ(Gasart(wobbe), gasart) << wobbe;
    const std::pair<float, bool> summen[] = {
        {99.5f, true}, {100.5f, true}, {99.49f, false}, {100.51f, false}, {100.0f, true},
    };
    for (const auto& [methan, brauchbar] : summen)
        EXPECT_EQ(Verkaufsgas(Zusammensetzung({{CH4, methan}})).brauchbar, brauchbar) << methan;
    // Sour gas counts against the whole raw gas: 10 % H2S and 10 % CO2 of 100.
    const CVerkaufsgas v = Verkaufsgas(Zusammensetzung({{H2S, 10}, {CO2, 10}, {CH4, 80}}));
    EXPECT_DOUBLE_EQ(v.sauergas, 20.0);
    EXPECT_DOUBLE_EQ(v.Ausbeute(), 0.8);
    EXPECT_NEAR(v.hs, Verkaufsgas(Zusammensetzung({{CH4, 100}})).hs, 1e-12); // the sales gas is methane
}

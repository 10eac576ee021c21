// The gas correlations against published values, each block naming its
// source. A failure names the inputs of the row that failed.

#include "gas/CGaseigenschaften.h"
#include "model/Einheiten.h"
#include "platform/Format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CGaseigenschaften Gas(std::array<float, kAnzahlKomponenten> anteil, double tcel)
{
    CGaseigenschaften g;
    g.Gaseigenschaften(anteil, tcel);
    return g;
}

// z at a pseudo-reduced state, reached with methane's pseudo-critical values.
double ZBei(double tpr, double ppr)
{
    std::array<float, kAnzahlKomponenten> methan{};
    methan[3] = 100;
    const CGaseigenschaften g = Gas(methan, 100);
    const double tcel = (tpr * g.m_dTca - 492.0) * 5.0 / 9.0;
    return g.Zwert(tcel, ppr * g.m_dPca / kPsiaJeBar, EZwertVariante::Dokument);
}

} // namespace

// Standing, M.B. and Katz, D.L.: Density of Natural Gases, Trans. AIME 146
// (1942) 140–149, the z-factor chart; values as digitised from the chart in
// the R package zFactor (A. Reyes, inst/extdata/sk_lp_tpr_*.txt). Tolerance:
// Hall, K.R. and Yarborough, L.: A New Equation of State for Z-factor
// Calculations, Oil & Gas Journal, 18 June 1973, state their fit to the chart
// as about 1 %, 2 % at worst (outside Tpr 1.05–1.15 none of these lie).
TEST(Referenzwerte, ZFactorFollowsTheStandingKatzChart)
{
    struct {
        double tpr, ppr, z, toleranz;
    } const chart[] = {
        {1.2, 1.000, 0.779, 0.02}, {1.2, 2.000, 0.554, 0.02}, {1.2, 3.005, 0.534, 0.02}, {1.2, 5.007, 0.695, 0.02},
        {1.5, 1.000, 0.900, 0.01}, {1.5, 2.006, 0.822, 0.01}, {1.5, 3.006, 0.776, 0.01}, {1.5, 4.006, 0.777, 0.01},
        {1.5, 5.008, 0.810, 0.01}, {1.5, 6.005, 0.863, 0.01}, {2.0, 1.002, 0.969, 0.01}, {2.0, 2.001, 0.947, 0.01},
        {2.0, 4.010, 0.939, 0.01}, {2.0, 6.008, 0.986, 0.01}, {2.0, 8.005, 1.059, 0.01},
    };
    for (const auto& p : chart) {
        const double z = ZBei(p.tpr, p.ppr);
        EXPECT_LE(std::abs(z - p.z) / p.z, p.toleranz)
            << Format("Tpr %.2f, Ppr %.3f: z %.4f, Standing-Katz %.3f", p.tpr, p.ppr, z, p.z);
    }
}

// Ahmed, T.: Reservoir Engineering Handbook, 4th ed. (2010), Example 2-13:
// the Lee–Gonzalez–Eakin correlation (J. Pet. Tech. 18 (1966) 997) for a gas
// of molar mass 20.85 at 140 °F (600 °R) and 8.3 lb/ft³ gives 0.0173 cP.
TEST(Referenzwerte, LeeViscosityOfTheHandbookExample)
{
    std::array<float, kAnzahlKomponenten> a{};
    a[3] = 65.721f; // methane and ethane in the ratio that gives 20.85 kg/kmol
    a[4] = 34.279f;
    const CGaseigenschaften g = Gas(a, 60.0); // 140 °F
    EXPECT_EQ(Format("%.2f", g.m_dMolgewicht), "20.85");
    const double rho = 8.3 * 16.0185; // lb/ft³ → kg/m³
    EXPECT_EQ(Format("%.4f", g.LeeViskositaet(rho)), "0.0173") << "M 20.85, 140 °F, 8.3 lb/ft³";
}

// Kay's mixing rule: Ahmed (as above), Example 2-2/2-3: CO2 2 %, N2 1 %,
// C1 85 %, C2 4 %, C3 3 %, iC4 3 %, nC4 2 % give Tpc 383.38 °R, ppc
// 666.38 psia, Ma 20.23, and at 3000 psia and 180 °F (Tpr 1.67, Ppr 4.50)
// the chart's z = 0.85. The handbook's critical constants differ from the
// older tables used here (methane 666.4 against 673.1 psia) by up to 1 %;
// z keeps the 2 % of the chart comparison.
TEST(Referenzwerte, PseudoCriticalValuesByKaysRule)
{
    std::array<float, kAnzahlKomponenten> a{};
    a[1] = 2, a[2] = 1, a[3] = 85, a[4] = 4, a[5] = 3, a[6] = 3, a[7] = 2;
    const CGaseigenschaften g = Gas(a, (180.0 - 32.0) / 1.8);
    EXPECT_EQ(Format("%.2f", g.m_dMolgewicht), "20.23");
    EXPECT_NEAR(g.m_dTpc, 383.38, 383.38 * 0.01);
    EXPECT_NEAR(g.m_dPpc, 666.38, 666.38 * 0.01);
    EXPECT_EQ(Format("%.2f", (180.0 + 460.0) / g.m_dTca), "1.68");
    EXPECT_EQ(Format("%.1f", 3000.0 / g.m_dPca), "4.5");
    const double z = g.Zwert((180.0 - 32.0) / 1.8, 3000.0 / kPsiaJeBar, EZwertVariante::Dokument);
    EXPECT_NEAR(z, 0.85, 0.85 * 0.02) << "3000 psia, 180 °F";
}

// Wichert, E. and Aziz, K.: Calculate Z's for sour gases, Hydrocarbon
// Processing 51 (May 1972) 119–122; worked in Ahmed (as above), Example 2-8:
// 10 % H2S and 5 % CO2 (A = 0.15, B = 0.10) give ε = 20.735 °R, subtracted
// from the pseudo-critical temperature; the pressure follows
// p'pc = ppc·T'pc / (Tpc + B(1 − B)ε).
TEST(Referenzwerte, WichertAzizCorrectionOfSourGas)
{
    std::array<float, kAnzahlKomponenten> a{};
    a[0] = 10, a[1] = 5, a[3] = 85;
    const CGaseigenschaften g = Gas(a, 71.1);
    EXPECT_EQ(Format("%.3f", g.m_dEpsilon), "20.735");
    EXPECT_EQ(Format("%.3f", g.m_dTpc - g.m_dTca), "20.735");
    const double b = 0.10;
    EXPECT_NEAR(g.m_dPca, g.m_dPpc * g.m_dTca / (g.m_dTpc + b * (1 - b) * g.m_dEpsilon), 1e-9);
    // Sweet gas is not corrected.
    std::array<float, kAnzahlKomponenten> suess{};
    suess[3] = 100;
    EXPECT_EQ(Gas(suess, 71.1).m_dEpsilon, 0.0);
}

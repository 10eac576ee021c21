// Half-year steps of the forecast worked by hand (a calculator, not the
// program), on a field whose p/z table is that of an ideal gas (p/z = p on
// the grid), so that the bottom-hole pressure is the material balance's p/z
// itself. Methane at 100 °C, 200 bar initial pressure: z_i = 0.937569,
// p/z_i = 213.3177 bar. Two wells, 8000 h a year, one project year (two steps).

#include "bericht/Laufbericht.h"
#include "forecast/CPrognose.h"
#include "forecast/DruckTabellen.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The inputs of a forecast on its own: no document.
struct CHandeingabe {
    CStilleMeldungen m;
    CGaseigenschaften gas;
    float pz[kDruckPunkte]{}, vis[kDruckPunkte]{};
    CPrognoseEingabe e;

    CHandeingabe(float ogip, float g0, float wasser, float c, float a1, float b1, float kopfdruck, float maxRate,
                 const CStufenzeile& stufe = {}, int ende = 2010)
    {
        e.stufen[1] = stufe;
        CFeldwerte& f = e.feld;
        f.m_sFeldname = "Hand";
        f.m_iFoerderbeginn = 2010;
        f.m_fAnteil[3] = 100;
        f.m_fTcel = 100;
        f.m_fPi = 200;
        f.m_fOGIP = ogip;
        f.m_fKumProdBeginn = g0;
        f.m_fWasserinvasion = wasser;
        f.m_fCWert = c;
        f.m_fA1 = a1;
        f.m_fB1 = b1;
        f.m_fKopfdruck = kopfdruck;
        f.m_fMaxRate = maxRate;
        f.m_iBohrungen = 2;
        f.m_iFoerderstunden = 8000;
        f.m_fKonsAnteil = 100;
        gas.Gaseigenschaften(f.m_fAnteil, f.m_fTcel);
        for (int i = 0; i < kDruckPunkte; ++i)
            pz[i] = GitterDruck(i);
        e.gas = &gas;
        e.pzTab = pz;
        e.visTab = vis;
        e.projektstart = 2010;
        e.projektende = ende;
        e.detail = true;
    }
    CHandeingabe(const CHandeingabe&) = delete; // e points into this object
};

// The forecast of those inputs, run at once.
struct CHandfeld : CHandeingabe {
    CPrognoseErgebnis r;

    CHandfeld(float ogip, float g0, float wasser, float c, float a1, float b1, float kopfdruck, float maxRate,
              const CStufenzeile& stufe = {}, int ende = 2010)
        : CHandeingabe(ogip, g0, wasser, c, a1, b1, kopfdruck, maxRate, stufe, ende)
    {
        r = Prognose(e, m);
        EXPECT_TRUE(r.berechnet);
        EXPECT_NEAR(r.zi, 0.937569, 1e-6);
    }
};

} // namespace

// Material balance with water invasion, p/z = p/z_i (1 − G/OGIP) / (1 − W·G/OGIP),
// and the end-of-step rate q_E = r0 (r0 + r1) / (3 r0 − r1):
//   OGIP 1000, G0 100, W 50 %: p = 213.3177 · 0.9 / 0.95 = 202.0904 bar.
//   Deliverability p² − 1.2 · 50² = q/C + q²/A1² per well, C 1, A1 100:
//   r0 = 30169.9 m³/h; predictor G' = 100 + 8000 · r0 / 2e6 = 220.68, p = 187.93 bar,
//   r1 = 27103.66; q_E = 27251.94; step 1 gives 8000 (r0 + q_E) / 4e6 = 114.8437 Mio m³.
//   Step 2 from G = 214.8437: p = 187.6449, r0 = 27261.56, r1 = 24127.50,
//   q_E = 24297.86, 103.1188 Mio m³. Year: 217.9625 Mio m³, end rate 24297.86 m³/h.
TEST(Handrechnung, MaterialBalanceWithWaterInvasionAndEndOfStepRate)
{
    CHandfeld h(1000, 100, 50, 1, 100, 1.2f, 50, 1e6f);
    EXPECT_NEAR(h.r.produktion[0], 217.9625, 0.002);
    EXPECT_FLOAT_EQ(h.r.reserve, h.r.produktion[0]);
    EXPECT_EQ(h.r.produktion[1], 0.0f); // one project year only
    EXPECT_NEAR(h.r.rate[0], 24297.86, 0.5);
    // Cumulative 317.96, pressure of the last evaluation (the predictor of step 2,
    // G' = 214.84 + 8000 · 27261.56 / 2e6 = 323.89: 213.3177 · 0.6761 / 0.8381 = 172.1),
    // first rate of the year, end rate, production.
    ASSERT_EQ(h.r.tabelle.jahre.size(), 1u);
    const CPrognosejahr& j = h.r.tabelle.jahre[0];
    const double erwartet[] = {2010, 317.96, 172.1, 30169.9, 24297.86, 217.9625};
    const double gerechnet[] = {double(j.jahr), j.kumuliert, j.bodendruck, j.anfangsrate, j.endrate, j.produktion};
    for (size_t k = 0; k < std::size(erwartet); ++k)
        EXPECT_NEAR(gerechnet[k], erwartet[k], 0.05 + 2e-5 * erwartet[k]) << k;
    // The report's year line prints them so.
    CBericht bericht;
    bericht.Tabelle(Jahrestabelle("Hand", h.r.tabelle));
    const std::vector<std::string> b = BerichtText(bericht);
    ASSERT_GE(b.size(), 9u);
    EXPECT_EQ(b[8].substr(0, 55), " 2010       318     172.1      30170    24298     218.0");
}

// At the cap both rates of a step are the cap: q_E = cap, and a half-year
// gives 8000 · (cap + cap) / 4e6. Two wells of 5000 m³/h: per step
// 8000 · (10000 + 10000) / 4e6 = 40, the year 80 Mio m³ at 10000 m³/h.
TEST(Handrechnung, CappedRateProducesTheCapForTheWholeStep)
{
    CHandfeld h(1000, 100, 0, 1, 100, 1.2f, 50, 5000);
    EXPECT_FLOAT_EQ(h.r.produktion[0], 80.0f);
    EXPECT_FLOAT_EQ(h.r.rate[0], 10000.0f);
}

// Near the end of the gas the predictor's cumulative G' = 990 + 8000 · r0 / 2e6
// passes the OGIP; the pressure is evaluated at the OGIP (p/z = 0), so r1 = 0,
// q_E = 0 and the step would produce 8000 · r0 / 4e6:
//   p = 213.3177 · 0.01 = 2.1332 bar, C 1000, A1 10000, pwh 1 bar:
//   r0 = 6490.27 m³/h, step 1: 12.9805 Mio m³.
// Only 10 Mio m³ are left, so the step produces 10 and the cumulative stops at
// the OGIP; step 2 has nothing left to produce.
TEST(Handrechnung, CumulativeStopsAtTheOgip)
{
    CHandfeld h(1000, 990, 0, 1000, 10000, 1.2f, 1, 1e6f);
    EXPECT_FLOAT_EQ(h.r.produktion[0], 10.0f);
    EXPECT_EQ(h.r.rate[0], 0.0f);
    EXPECT_FLOAT_EQ(h.r.reserve, 10.0f);
}

// A stage row from the second year on: 4 wells, share 50 %. At the cap the
// rate is wells · 5000 m³/h: year 1 2 · 5000 · 100 % = 10000 m³/h and
// 8000 · 10000 / 1e6 = 80 Mio m³; year 2 4 · 5000 · 50 % = 10000 m³/h and
// 8000 · 20000 / 1e6 · 50 % = 80 Mio m³. The working values end with the stage's.
TEST(Handrechnung, StageRowChangesWellsAndShareFromItsYear)
{
    CHandfeld h(5000, 100, 0, 1, 100, 1.2f, 50, 5000, {2011, 0, 0, 4, 0, 50}, 2011);
    EXPECT_FLOAT_EQ(h.r.produktion[0], 80.0f);
    EXPECT_FLOAT_EQ(h.r.rate[0], 10000.0f);
    EXPECT_FLOAT_EQ(h.r.produktion[1], 80.0f);
    EXPECT_FLOAT_EQ(h.r.rate[1], 10000.0f);
    EXPECT_FLOAT_EQ(h.r.reserve, 160.0f);
    EXPECT_EQ(h.r.feld.m_iBohrungen, 4);
    EXPECT_EQ(h.r.feld.m_fKonsAnteil, 50.0f);
    EXPECT_EQ(h.r.feld.m_fKopfdruck, 50.0f); // 0 in the row: unchanged
    ASSERT_EQ(h.r.tabelle.stufen.size(), 1u);
    EXPECT_EQ(h.r.tabelle.stufen[0].jahr, 2011);
    EXPECT_EQ(h.r.tabelle.stufen[0].vorJahr, 1u); // before the second year line
    EXPECT_EQ(StufenText(h.r.tabelle.stufen[0].stufe), " Bohrungen:4 Kons.Anteil: 50.0");
}

// Year by year the forecast gives what the whole forecast gives, and a copy
// of its state continues on its own: a caller can try a year from the same
// start and keep the original.
TEST(Handrechnung, YearByYearEqualsTheWholeAndACopyContinuesAlone)
{
    // From 2014 on 4 wells; the field starts in 2011, a share of 60 %.
    CHandeingabe h(3000, 0, 0, 1, 100, 1.2f, 50, 1e6f, {2014, 0, 0, 4, 0, 0}, 2030);
    CPrognoseEingabe& e = h.e;
    CStilleMeldungen& m = h.m;
    e.feld.m_sFeldname = "Stufen";
    e.feld.m_iFoerderbeginn = 2011;
    e.feld.m_fKonsAnteil = 60;
    const CPrognoseErgebnis ganz = Prognose(e, m);

    CPrognoseLauf lauf(e, m);
    ASSERT_TRUE(lauf.Berechenbar());
    for (int j = 0; j < 5; ++j)
        lauf.Jahr();
    EXPECT_EQ(lauf.NaechstesJahr(), 5);
    CPrognoseLauf kopie = lauf;
    kopie.Jahr();
    EXPECT_EQ(lauf.NaechstesJahr(), 5);
    while (!lauf.Fertig())
        lauf.Jahr();
    const CPrognoseErgebnis schritte = lauf.Abschliessen();
    EXPECT_EQ(schritte.tabelle, ganz.tabelle);
    EXPECT_TRUE(std::equal(std::begin(schritte.produktion), std::end(schritte.produktion), ganz.produktion));
    EXPECT_EQ(schritte.reserve, ganz.reserve);
    EXPECT_EQ(kopie.Ergebnis().produktion[5], ganz.produktion[5]);
    EXPECT_EQ(kopie.Ergebnis().produktion[6], 0.0f); // the copy has done one year more, no further
}

// Contracts per gas family: each family's fields deliver their contract, in
// energy or sales gas, the rest fields' part of it counted first.
#include "Testdaten.h"
#include "bericht/Laufbericht.h"
#include "gas/Brennwert.h"
#include "run/CLauf.h"
#include "studie/Plateau.h"
#include "studie/Studie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The sample: Altmark_Süd is L-gas among four H-gas fields, Wesermarsch is
// sour, Heidemoor starts later; the rest fields are 40 % L-gas.
CLaufEingabe MitVertraegen(double mengeL, double mengeH, bool bedarf, bool gwhH = true)
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    e.threads = 1;
    e.bedarf = bedarf;
    e.eigenverbrauch = 2;
    auto p = std::make_shared<CPlanung>();
    CVertrag l{"L-Gas Nord", EGasart::L, true, {}, MonateNachTagen(), 1};
    CVertrag h{"H-Gas Süd", EGasart::H, gwhH, {}, MonateNachTagen(), 1};
    for (int jahr = 2002; jahr <= 2030; ++jahr) {
        l.mengen[jahr] = mengeL;
        h.mengen[jahr] = mengeH;
    }
    p->vertraege = {l, h};
    p->restfelder = {{EGasart::L, 40, 9.77}, {EGasart::H, 60, 11.2}};
    e.planung = p;
    return e;
}

const CVertragsjahr& Jahr(const CLaufErgebnis& r, const std::string& vertrag, int jahr)
{
    const auto it = std::find_if(r.vertraege.begin(), r.vertraege.end(),
                                 [&](const CVertragsjahr& j) { return j.vertrag == vertrag && j.jahr == jahr; });
    EXPECT_NE(it, r.vertraege.end()) << vertrag << " " << jahr;
    return *it;
}

} // namespace

// With the demand limit each contract is delivered within 0.05 % wherever its
// fields could deliver more (at capacity), and everything they can elsewhere;
// where the rest fields' part alone covers it, its fields stay shut.
TEST(Vertraege, EachFamilyDeliversItsContractOrAllItCan)
{
    const struct {
        double mengeL, mengeH; // GWh a year
    } faelle[] = {{800, 9000}, {2000, 15000}, {300, 25000}, {0, 12000}};
    for (const auto& f : faelle) {
        const CLaufErgebnis voll = Lauf(MitVertraegen(f.mengeL, f.mengeH, false));
        const CLaufErgebnis r = Lauf(MitVertraegen(f.mengeL, f.mengeH, true));
        ASSERT_EQ(r.vertraege.size(), voll.vertraege.size());
        for (size_t k = 0; k < r.vertraege.size(); ++k) {
            const CVertragsjahr& j = r.vertraege[k];
            const CVertragsjahr& kann = voll.vertraege[k];
            ASSERT_EQ(kann.jahr, j.jahr);
            if (j.restfelder >= j.soll) {
                // The rest fields cover the contract: its fields stay shut.
                EXPECT_EQ(j.rohgas, 0.0) << j.vertrag << " " << j.jahr;
                EXPECT_EQ(j.geliefert, j.restfelder);
            } else if (kann.geliefert > j.soll * (1 + kVertragsgenauigkeit)) {
                EXPECT_NEAR(j.geliefert, j.soll, kVertragsgenauigkeit * j.soll)
                    << j.vertrag << " " << j.jahr << " " << f.mengeL;
            } else {
                // Short of the contract at capacity: the year takes all the
                // fields can (a year after fuller years may hold a little more).
                EXPECT_GE(j.geliefert, kann.geliefert * (1 - 1e-9)) << j.vertrag << " " << j.jahr;
                EXPECT_LE(j.geliefert, j.soll * (1 + kVertragsgenauigkeit)) << j.vertrag << " " << j.jahr;
            }
        }
    }
}

// No field serves the other family: without an L contract the L field stays
// shut while the H fields deliver theirs; an H contract in sales gas (Mio m³)
// is delivered in sales gas.
TEST(Vertraege, NoFieldServesTheOtherFamily)
{
    const CLaufErgebnis r = Lauf(MitVertraegen(0, 900, true, false));
    const auto altmark = std::find_if(r.feldreihen.begin(), r.feldreihen.end(),
                                      [](const CFeldreihe& f) { return f.name == "Altmark_Süd"; });
    ASSERT_NE(altmark, r.feldreihen.end());
    for (int i = 0; i < Projektjahre(r); ++i)
        EXPECT_EQ(altmark->produktion[i], 0.0f) << i;
    const CVertragsjahr& h = Jahr(r, "H-Gas Süd", 2006);
    EXPECT_FALSE(h.gwh);
    EXPECT_NEAR(h.geliefert, 900, 900 * kVertragsgenauigkeit);
    EXPECT_GT(h.rohgas, h.geliefert - h.restfelder); // sour gas and own use removed
    EXPECT_EQ(Jahr(r, "L-Gas Nord", 2006).rohgas, 0.0);
}

// The table after the summary, and the first year short per contract.
TEST(Vertraege, ReportTableAndFirstShortfall)
{
    const std::vector<std::string> t = LaufberichtText(Lauf(MitVertraegen(800, 25000, true)));
    const auto titel = std::find(t.begin(), t.end(), "                 LIEFERUNG NACH VERTRAG");
    ASSERT_NE(titel, t.end());
    EXPECT_EQ(*(titel + 2), "  JAHR  VERTRAG         GASART   SOLL GWH  GELIEFERT GWH  DIFFERENZ GWH  ROHGAS MIO M3");
    EXPECT_EQ((titel + 3)->substr(0, 30), "  2002  L-Gas Nord      L     ");
    EXPECT_EQ((titel + 3)->size(), (titel + 2)->size());
    EXPECT_NE(std::find(t.begin(), t.end(), "  Erste Unterdeckung H-Gas Süd: 2002"), t.end());
    const bool lKurz = std::any_of(
        t.begin(), t.end(), [](const std::string& z) { return z.rfind("  Erste Unterdeckung L-Gas Nord: ", 0) == 0; });
    EXPECT_TRUE(lKurz);
    // Without contracts nothing of it: the run is today's.
    CLaufEingabe ohne = LaufEingabeAus(KALVO_BEISPIEL);
    ohne.bedarf = true;
    CLaufEingabe leer = ohne;
    leer.planung = std::make_shared<CPlanung>();
    EXPECT_EQ(LaufberichtText(Lauf(leer)), LaufberichtText(Lauf(ohne)));
}

// The peak hour a contract asks: the year's quantity over 8760 h times the
// peak factor, in m³/h of sales gas at the family's Hs,n (Kalvo's m³ at
// 1.0134 bar hold kNormzustandJeIsoBezug times the energy of an ISO m³).
TEST(Vertraege, PeakRateOfAYearsQuantity)
{
    const struct {
        bool gwh;
        double menge, hs, faktor, rate;
    } faelle[] = {
        {true, 8.76, 10, 1.0, 100 / kNormzustandJeIsoBezug},
        {true, 8.76, 10, 1.3, 130 / kNormzustandJeIsoBezug},
        {true, 2500, 9.77, 1.3, 2500e6 / 8760 / (9.77 * kNormzustandJeIsoBezug) * 1.3},
        {false, 8.76, 0, 1.0, 1000},
        {true, 8.76, 0, 1.0, 0}, // no gas of the family to judge it by
    };
    for (const auto& f : faelle) {
        CVertrag v{"V", EGasart::L, f.gwh, {}, MonateNachTagen(), f.faktor};
        EXPECT_NEAR(Spitzenrate(v, f.menge, f.hs), f.rate, 1e-9 * std::max(1.0, f.rate)) << f.menge;
    }
    // The deliverable rate is the fields' at capacity, not the one held back
    // to the contract: in the first year both runs start from the same state.
    const CLaufErgebnis voll = Lauf(MitVertraegen(800, 5000, false));
    const CLaufErgebnis gedrosselt = Lauf(MitVertraegen(800, 5000, true));
    const CVertragsjahr& a = Jahr(voll, "H-Gas Süd", 2002);
    const CVertragsjahr& b = Jahr(gedrosselt, "H-Gas Süd", 2002);
    EXPECT_LT(b.geliefert, a.geliefert); // held back in 2002
    EXPECT_NEAR(b.lieferbarRate, a.lieferbarRate, 1e-6 * a.lieferbarRate);
    EXPECT_GT(a.lieferbarRate, 0);
    const std::vector<std::string> t = LaufberichtText(gedrosselt);
    const auto titel = std::find(t.begin(), t.end(), "                 SPITZENLEISTUNG");
    ASSERT_NE(titel, t.end());
    EXPECT_EQ(*(titel + 2), "  JAHR  VERTRAG         SPITZE M3/H  LIEFERBAR M3/H  RESERVE M3/H");
    EXPECT_EQ((titel + 3)->size(), (titel + 2)->size());
}

// The months of the budget year: each contract's quantity by its monthly
// shares (they sum to the year's), against what its fields could deliver at
// capacity: in the first year the same in a demand-limited run as at
// capacity, and within a
// half-year in proportion to the month's days. `--monate` asks for more years.
TEST(Vertraege, MonthsOfTheBudgetYearAtCapacity)
{
    const struct {
        double mengeL, mengeH;
        int von, bis; // 0: the budget year
        size_t jahre;
    } faelle[] = {{800, 9000, 0, 0, 1}, {2000, 15000, 2005, 2007, 3}, {300, 25000, 2030, 2030, 1}};
    for (const auto& f : faelle) {
        CLaufEingabe e = MitVertraegen(f.mengeL, f.mengeH, false);
        e.monateVon = f.von;
        e.monateBis = f.bis;
        const CLaufErgebnis voll = Lauf(e);
        e.bedarf = true;
        const CLaufErgebnis gedrosselt = Lauf(e);
        ASSERT_EQ(voll.monate.size(), f.jahre * 2 * 12) << f.mengeL;
        ASSERT_EQ(gedrosselt.monate.size(), voll.monate.size());
        std::map<std::pair<std::string, int>, double> summe;
        for (size_t k = 0; k < voll.monate.size(); ++k) {
            const CVertragsmonat& m = voll.monate[k];
            summe[{m.vertrag, m.jahr}] += m.soll;
            EXPECT_EQ(m.jahr, (f.von > 0 ? f.von : 2002) + int(k / 24)) << k;
            if (m.jahr == 2002) { // later years start from the held-back run's own state
                EXPECT_NEAR(gedrosselt.monate[k].lieferbar, m.lieferbar, 1e-6 * m.lieferbar) << m.monat;
            }
        }
        for (const auto& [schluessel, soll] : summe)
            EXPECT_NEAR(soll, schluessel.first == "L-Gas Nord" ? f.mengeL : f.mengeH, 1e-9 * f.mengeH);
        // July (31 days) and September (30), March and April: one rate each half.
        const auto monat = [&](size_t i) { return voll.monate[i].lieferbar; };
        for (size_t v = 0; v < voll.monate.size(); v += 12) {
            EXPECT_NEAR(monat(v + 6) / monat(v + 8), 31.0 / 30.0, 1e-12);
            EXPECT_NEAR(monat(v + 2) / monat(v + 3), 31.0 / 30.0, 1e-12);
        }
    }
    const std::vector<std::string> t = LaufberichtText(Lauf(MitVertraegen(800, 9000, false)));
    const auto titel = std::find(t.begin(), t.end(), "                 MONATE 2002");
    ASSERT_NE(titel, t.end());
    EXPECT_EQ(*(titel + 2), "  MONAT    VERTRAG          SOLL GWH  LIEFERBAR GWH  DIFFERENZ GWH");
    EXPECT_EQ((titel + 3)->substr(0, 30), "  2002-01  L-Gas Nord         ");
    EXPECT_EQ((titel + 3)->size(), (titel + 2)->size());
    EXPECT_EQ(*(titel + 28), "  Unterdeckung L-Gas Nord: keine");
    EXPECT_EQ((titel + 29)->substr(0, 44), "  Unterdeckung H-Gas Süd: 2002-01, 2002-02,");
}

// A contract's plateau in its unit, each contract on its own: the constant
// quantity its fields and the rest fields deliver in every year of the first
// JAHRE within 0.05 %, where 0.1 more falls short in some year.
TEST(Vertraege, PlateauPerContractHoldsAndATenthMoreDoesNot)
{
    const struct {
        size_t vertrag;
        int jahre;
    } faelle[] = {{0, 5}, {0, 12}, {1, 3}, {1, 10}};
    for (const auto& f : faelle) {
        const CLaufEingabe e = MitVertraegen(800, 9000, false);
        const CPlateau p = Vertragsplateau(e, f.jahre, f.vertrag);
        const CVertrag& v = e.planung->vertraege[f.vertrag];
        EXPECT_EQ(p.vertrag, v.name);
        EXPECT_TRUE(p.gwh);
        EXPECT_EQ(p.letztesJahr - p.erstesJahr + 1, f.jahre);
        EXPECT_GE(p.gehaltenBis, p.letztesJahr) << v.name << " " << f.jahre;
        const auto kurz = [&](double menge) {
            CLaufEingabe b = e;
            b.bedarf = true;
            auto plan = std::make_shared<CPlanung>(*e.planung);
            plan->vertraege = {v};
            for (auto& [jahr, wert] : plan->vertraege[0].mengen)
                wert = menge;
            b.planung = plan;
            const CLaufErgebnis r = Lauf(b);
            return std::any_of(r.vertraege.begin(), r.vertraege.end(),
                               [&](const CVertragsjahr& j) { return j.jahr <= p.letztesJahr && Unterdeckung(j); });
        };
        EXPECT_FALSE(kurz(p.menge)) << v.name << " " << f.jahre << " " << p.menge;
        EXPECT_TRUE(kurz(p.menge + 0.1)) << v.name << " " << f.jahre << " " << p.menge;
    }
    // With contracts the plan's plateau is each contract's; without, the portfolio's.
    const std::vector<CPlateau> beide = HoechstePlateaus(MitVertraegen(800, 9000, false), 10);
    ASSERT_EQ(beide.size(), 2u);
    EXPECT_EQ(beide[1].vertrag, "H-Gas Süd");
    const std::vector<CPlateau> ohne = HoechstePlateaus(LaufEingabeAus(KALVO_BEISPIEL), 10);
    ASSERT_EQ(ohne.size(), 1u);
    EXPECT_EQ(ohne[0].vertrag, "");
}

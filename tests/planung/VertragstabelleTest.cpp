// The contracts' table of the desktop: each cell by the number rule, the plan
// by the plan file's rules, a pasted block decided once.
#include "planung/Vertragstabelle.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CVertragseingabe Tabelle(const std::string& menge2028, const std::string& januar = "8,5",
                         const std::string& gasart = "L")
{
    CVertragseingabe t;
    t.projektstart = 2027;
    CVertragszeile z{"Nord", gasart, "GWh", "1,3", {}};
    z.monate = {januar, "8,5", "8,5", "8,5", "8,5", "8,5", "8,5", "8,5", "8", "8", "8", "8"};
    t.vertraege = {z};
    t.mengen = {{"2500"}, {menge2028}, {""}};
    return t;
}

} // namespace

// A row per case: the quantity typed for 2028 and the January share; the
// quantity taken or the refusal, word for word.
TEST(Vertragstabelle, EachCellByTheNumberRuleAndThePlanByTheFilesRules)
{
    const struct {
        std::string menge, januar, gasart;
        double erwartet; // GWh in 2028; < 0: none
        std::string meldung;
    } faelle[] = {
        {"2400", "8,5", "L", 2400, ""},
        {"2400,5", "8,5", "L", 2400.5, ""},
        {"2400.5", "8,5", "L", 2400.5, ""},
        {"", "8,5", "L", -1, ""},
        {"14.000", "8,5", "L", 0, "Vertrag „Nord“, 2028: "},
        {"-5", "8,5", "L", 0, "Vertrag „Nord“, 2028: "},
        {"viel", "8,5", "L", 0, "Vertrag „Nord“, 2028: "},
        {"2400", "9", "L", 0, "Vertrag „Nord“: die Monatsanteile ergeben 100,5 statt 100 %."},
        {"2400", "8,5", "X", 0, "Vertrag „Nord“: die Gasart ist L oder H, nicht „X“."},
    };
    for (const auto& f : faelle) {
        const CErgebnis<CPlanung> p =
            VertraegeUebernehmen(CPlanung{}, Tabelle(f.menge, f.januar, f.gasart), 2027, 2029);
        if (!f.meldung.empty()) {
            ASSERT_FALSE(p) << f.menge;
            EXPECT_EQ(p.Fehlertext().rfind(f.meldung, 0), 0u) << p.Fehlertext();
            continue;
        }
        ASSERT_TRUE(p) << p.Fehlertext();
        ASSERT_EQ(p->vertraege.size(), 1u);
        const CVertrag& v = p->vertraege[0];
        EXPECT_EQ(v.mengen.at(2027), 2500);
        EXPECT_EQ(v.mengen.contains(2028), f.erwartet >= 0) << f.menge;
        if (f.erwartet >= 0) {
            EXPECT_EQ(v.mengen.at(2028), f.erwartet);
        }
        EXPECT_EQ(v.spitzenfaktor, 1.3);
        EXPECT_EQ(v.monate[0], 8.5);
    }
}

// The table shows a plan as the plan holds it, and taking it over again
// gives the same plan (its other parts and unknown keys kept).
TEST(Vertragstabelle, APlansTableGivesThePlanBack)
{
    const CErgebnis<CPlanung> plan = PlanungLesen(R"({"format": "kalvo-planung", "version": 1, "eigen": 7,
        "optionen": {"bedarf": true},
        "vertraege": [{"name": "L-Gas Nord", "gasart": "L", "mengen": {"2027": 2500.25, "2029": 2400}},
                      {"name": "H-Gas", "gasart": "H", "einheit": "Mio m3", "spitzenfaktor": 1.25,
                       "mengen": {"2028": 900}}]})",
                                                  2027, 2030);
    ASSERT_TRUE(plan) << plan.Fehlertext();
    const CVertragseingabe t = Vertragseingabe(*plan, 2027, 2030);
    ASSERT_EQ(t.mengen.size(), 4u);
    EXPECT_EQ(t.mengen[0], (std::vector<std::string>{"2500,25", ""}));
    EXPECT_EQ(t.vertraege[1].einheit, "Mio m3");
    EXPECT_EQ(t.vertraege[1].spitzenfaktor, "1,25");
    const CErgebnis<CPlanung> zurueck = VertraegeUebernehmen(*plan, t, 2027, 2030);
    ASSERT_TRUE(zurueck) << zurueck.Fehlertext();
    EXPECT_EQ(zurueck->vertraege, plan->vertraege);
    EXPECT_EQ(zurueck->optionen, plan->optionen);
    EXPECT_NE(PlanungText(*zurueck).find("\"eigen\": 7"), std::string::npos);
}

// A pasted block: a row per case, its text and the numbers it gives (row by
// row, NAN for an empty cell) or the start of the refusal.
TEST(Vertragstabelle, APastedBlockDecidesOnceHowItWritesItsNumbers)
{
    const struct {
        std::string text;
        std::vector<std::vector<double>> erwartet;
        std::string meldung;
    } faelle[] = {
        {"2500\t900\n2400\t850\n", {{2500, 900}, {2400, 850}}, ""},
        {"L-Gas\tH-Gas\n2500,5\t900\n", {{2500.5, 900}}, ""},     // a heading without numbers
        {"28.000\t1.5\n", {{28, 1.5}}, ""},                       // no decimal comma: points are decimal points
        {"2500;;900\r\n", {{2500, NAN, 900}}, ""},                // an empty cell is no quantity
        {"2500,5\t28.000\n", {}, "Zeile 1, Spalte 2: „28.000“ "}, // under commas a point is a thousands point
        {"2027\t2500\nx\t1\n", {}, "Zeile 2, Spalte 1: „x“ "},
        {"\n\n", {}, "Der Block enthält keine Menge."},
    };
    for (const auto& f : faelle) {
        const auto block = MengenblockLesen(f.text);
        if (!f.meldung.empty()) {
            ASSERT_FALSE(block) << f.text;
            EXPECT_EQ(block.Fehlertext().rfind(f.meldung, 0), 0u) << block.Fehlertext();
            continue;
        }
        ASSERT_TRUE(block) << block.Fehlertext();
        ASSERT_EQ(block->size(), f.erwartet.size()) << f.text;
        for (size_t r = 0; r < f.erwartet.size(); ++r) {
            ASSERT_EQ((*block)[r].size(), f.erwartet[r].size()) << f.text;
            for (size_t c = 0; c < f.erwartet[r].size(); ++c) {
                if (std::isnan(f.erwartet[r][c])) {
                    EXPECT_FALSE((*block)[r][c]) << f.text;
                } else {
                    EXPECT_EQ((*block)[r][c], f.erwartet[r][c]) << f.text;
                }
            }
        }
    }
}

// The rest fields' energy: a row per family, both cells empty for none.
TEST(Vertragstabelle, RestFieldEnergyRows)
{
    const struct {
        std::array<CRestfeldzeile, 2> zeilen;
        size_t anteile;
        std::string meldung;
    } faelle[] = {
        {{{{"40", "9,77"}, {"60", "11,2"}}}, 2, ""},
        {{{{"", ""}, {"100", "11,2"}}}, 1, ""},
        {{{{"", ""}, {"", ""}}}, 0, ""},
        {{{{"40", "9,77"}, {"50", "11,2"}}}, 0, "Restfelder-Energie: die Anteile ergeben 90 statt 100 %."},
        {{{{"40", "0,5"}, {"60", "11,2"}}}, 0, "L-Gas, Brennwert: "},
        {{{{"40", ""}, {"60", "11,2"}}}, 0, "L-Gas, Brennwert: "},
    };
    for (const auto& f : faelle) {
        const CErgebnis<CPlanung> p = RestfelderUebernehmen(CPlanung{}, f.zeilen, 2027, 2030);
        if (!f.meldung.empty()) {
            ASSERT_FALSE(p);
            EXPECT_EQ(p.Fehlertext().rfind(f.meldung, 0), 0u) << p.Fehlertext();
            continue;
        }
        ASSERT_TRUE(p) << p.Fehlertext();
        EXPECT_EQ(p->restfelder.size(), f.anteile);
        EXPECT_EQ(Restfeldeingabe(*p), f.zeilen);
    }
}

// Ranges tied to what is measured: the OGIP drawn from its fit to measured
// pressures, and the fields' values drawn together.
#include "Testdaten.h"
#include "anpassung/Druckanpassung.h"
#include "bandbreiten/Bandbreiten.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CLaufEingabe Beispiel()
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    e.threads = 1;
    return e;
}

// Heidemoor's pressures as a survey gives them: its forecast's first four
// year lines, each pressure a little off (bar).
CPlanung Gemessen()
{
    CPlanung p;
    p.messungen["Heidemoor"] = {
        {"2002", 260.5, 1730}, {"2003", 235.1, 2610}, {"2004", 213.9, 3490}, {"2005", 190.4, 4370}};
    return p;
}

} // namespace

TEST(Messung, NormalQuantileToItsDigits)
{
    const struct {
        double u, z;
    } faelle[] = {
        {0.5, 0.0},
        {0.9, 1.2815515655446004},
        {0.1, -1.2815515655446004},
        {0.975, 1.959963984540054},
        {0.001, -3.090232306167813},
        {1e-10, -6.361340902404056},
        {0.999999, 4.753424308822899},
    };
    for (const auto& f : faelle)
        EXPECT_NEAR(NormalQuantil(f.u), f.z, 1e-12 * std::max(1.0, std::fabs(f.z))) << f.u;
}

// "Messung" takes the fit's OGIP: Tief and Hoch are its P90 and P10; the
// lines that cannot take it are refused with their line.
TEST(Messung, RangesLineTakesTheFitOrIsRefused)
{
    const CLaufEingabe e = Beispiel();
    const CPlanung plan = Gemessen();
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\nHeidemoor;OGIP;Messung;Messung\n", e.felder, &plan);
    ASSERT_TRUE(spannen) << spannen.Fehlertext();
    ASSERT_EQ(spannen->size(), 1u);
    const CSpanne& s = spannen->front();
    const int i = FeldIndex(e.felder, "Heidemoor");
    const CDruckanpassung a = Druckanpassung(e.felder[size_t(i)].Werte(), plan.messungen.at("Heidemoor"), false);
    EXPECT_TRUE(s.messung);
    EXPECT_DOUBLE_EQ(s.mittel, a.ogip);
    EXPECT_DOUBLE_EQ(s.sigma, a.ogipFehler);
    EXPECT_NEAR(s.tief, a.ogip - 1.2815515655446004 * a.ogipFehler, 1e-9);
    EXPECT_NEAR(s.hoch, a.ogip + 1.2815515655446004 * a.ogipFehler, 1e-9);
    EXPECT_DOUBLE_EQ(s.basis, 12000);
    EXPECT_LT(s.wasser, 0); // the water invasion stays the field's

    const struct {
        const char* zeile;
        const CPlanung* plan;
        const char* meldung;
    } schlecht[] = {
        {"Heidemoor;OGIP;Messung;Messung", nullptr,
         "Zeile 2: „Messung“ braucht gemessene Drücke in der Planung (oder --messungen)."},
        {"Heidemoor;C-Wert;Messung;Messung", &plan,
         "Zeile 2: „Messung“ gilt nur für das OGIP (aus den gemessenen Drücken)."},
        {"Heidemoor;OGIP;Messung;120 %", &plan, "Zeile 2: Tief und Hoch sind beide „Messung“ oder beide Werte."},
        {"Kleinfeld;OGIP;Messung;Messung", &plan,
         "Zeile 2: Für das Feld „Kleinfeld“ gibt es keine Messungen in der Planung."},
        {"Heidemoor;OGIP;80 %;120 %;gemeinsam", &plan,
         "Zeile 2: „gemeinsam“ gilt nur für * (alle Felder ziehen einen Wert)."},
        {"*;OGIP;80 %;120 %;paarweise", &plan,
         "Zeile 2: Die Art „paarweise“ gibt es nicht (gemeinsam, einzeln oder leer)."},
    };
    for (const auto& f : schlecht) {
        const auto r = BandbreitenLesen(std::string("Feld;Groesse;Tief;Hoch;Art\n") + f.zeile + "\n", e.felder, f.plan);
        ASSERT_FALSE(r) << f.zeile;
        EXPECT_EQ(r.Fehlertext(), f.meldung);
    }
}

// The OGIP from the measured pressures keeps the field's pressure where it
// was measured: its years' P10–P90 spread is at most a third of that of
// OGIP ±20 %.
TEST(Messung, MeasuredOgipNarrowsTheSpread)
{
    CLaufEingabe e = Beispiel();
    const auto plan = std::make_shared<CPlanung>(Gemessen());
    e.planung = plan;
    const auto gemessen =
        BandbreitenLesen("Feld;Groesse;Tief;Hoch\nHeidemoor;OGIP;Messung;Messung\n", e.felder, plan.get());
    const auto breit = BandbreitenLesen("Feld;Groesse;Tief;Hoch\nHeidemoor;OGIP;80 %;120 %\n", e.felder, plan.get());
    ASSERT_TRUE(gemessen && breit);
    const auto eng = MonteCarlo(e, *gemessen, 300, 11, 2);
    const auto weit = MonteCarlo(e, *breit, 300, 11, 2);
    ASSERT_TRUE(eng && weit);
    ASSERT_EQ(eng->jahre.size(), weit->jahre.size());
    double breiteste = 0;
    for (size_t k = 0; k < eng->jahre.size(); ++k) {
        const double spanneEng = eng->jahre[k].p10 - eng->jahre[k].p90;
        const double spanneWeit = weit->jahre[k].p10 - weit->jahre[k].p90;
        EXPECT_LE(spanneEng, spanneWeit / 3 + 0.05) << eng->jahre[k].jahr;
        breiteste = std::max(breiteste, spanneWeit);
    }
    EXPECT_GT(breiteste, 100); // the years where the field's OGIP tells
}

// "gemeinsam": one draw per run for all fields of the line, so each field's
// value stands at the same place of its own range; without it they differ.
TEST(Messung, CommonDrawMovesTheFieldsTogether)
{
    const CLaufEingabe e = Beispiel();
    const struct {
        const char* datei;
        bool zusammen;
    } faelle[] = {
        {"Feld;Groesse;Tief;Hoch;Art\n*;OGIP;80 %;120 %;gemeinsam\n", true},
        {"Feld;Groesse;Tief;Hoch;Art\n*;OGIP;80 %;120 %;\n", false},
        {"Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\n", false},
        {"Feld;Groesse;Tief;Hoch;Art\n*;C-Wert;70 %;130 %;gemeinsam\n*;OGIP;80 %;120 %;einzeln\n", true},
    };
    for (const auto& f : faelle) {
        const auto spannen = BandbreitenLesen(f.datei, e.felder);
        ASSERT_TRUE(spannen) << f.datei << spannen.Fehlertext();
        const CSpanne& erste = spannen->front();
        bool alleGleich = true;
        for (int lauf = 0; lauf < 20; ++lauf) {
            const std::vector<double> w = LaufWerte(*spannen, 5, lauf);
            for (size_t k = 0; k < spannen->size(); ++k)
                if ((*spannen)[k].zeile == erste.zeile)
                    alleGleich = alleGleich && std::fabs(w[k] / (*spannen)[k].basis - w[0] / erste.basis) < 1e-9;
        }
        EXPECT_EQ(alleGleich, f.zusammen) << f.datei;
    }
    // The dialog's rows keep the column: written only when a row has it.
    const std::vector<CBandbreitenZeile> zeilen = {{"*", "OGIP", "80 %", "120 %", "gemeinsam"},
                                                   {"Heidemoor", "C-Wert", "0,5", "0,6", ""}};
    const std::string datei = BandbreitenDatei(zeilen);
    EXPECT_EQ(datei, "Feld;Groesse;Tief;Hoch;Art\n*;OGIP;80 %;120 %;gemeinsam\nHeidemoor;C-Wert;0,5;0,6;\n");
    EXPECT_EQ(BandbreitenZeilen(datei), zeilen);
}

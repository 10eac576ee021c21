// The OGIP fitted to measured reservoir pressures: on pressures made by the
// forecast itself from a known OGIP it finds that OGIP again, with noise it
// stays within its standard error, and a measurement file with bad input is
// refused with its line.
#include "anpassung/Druckanpassung.h"
#include "Testdaten.h"
#include "planung/Messungen.h"
#include "run/CLauf.h"
#include "studie/Variation.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The sample's field `feld` with OGIP `ogip` (and water invasion `wasser`
// in %, < 0: its own): its year lines' cumulative and static pressure from
// its first year of production on, every `schritt`-th year, at most `anzahl`.
std::vector<CMessung> Gemessen(const CFeldsatz& satz, double ogip, double wasser, int schritt, int anzahl)
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    e.threads = 1;
    e.detail = true;
    std::vector<std::pair<EGroesse, double>> werte = {{EGroesse::OGIP, ogip}};
    if (wasser >= 0)
        werte.emplace_back(EGroesse::Wasserinvasion, wasser);
    const CFeldsatz anders = Abgewandelt(satz, werte);
    e.felder = {anders};
    const CLaufErgebnis r = Lauf(e);
    std::vector<CMessung> punkte;
    for (const CFeldausgabe& a : r.feldausgaben) {
        if (!a.prognose)
            continue;
        int k = 0;
        for (const CPrognosejahr& j : a.prognose->jahre)
            if (j.produktion > 0 && k++ % schritt == 0 && static_cast<int>(punkte.size()) < anzahl)
                punkte.push_back({std::to_string(j.jahr), j.bodendruck, j.kumuliert});
    }
    return punkte;
}

const CFeldsatz& Feld(const CLaufEingabe& e, const std::string& name)
{
    return e.felder[static_cast<size_t>(FeldIndex(e.felder, name))];
}

} // namespace

TEST(Druckanpassung, FindsTheOgipThePressuresWereMadeFrom)
{
    const CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    const struct {
        const char* feld;
        double faktor; // the true OGIP over the document's
        double wasser; // %, < 0: the field's own
        bool wasserAnpassen;
    } faelle[] = {
        {"Altmark_Süd", 1.0, -1, false}, // no water invasion: the straight p/z line
        {"Altmark_Süd", 0.8, -1, false}, {"Emsland_Tief", 1.25, -1, false},
        {"Heidemoor", 1.0, -1, false},   // 10 % water invasion, 850 Mio m³ produced before the start
        {"Wesermarsch", 0.9, -1, false}, // 25 %
        {"Wesermarsch", 1.0, -1, true},  // the water invasion fitted as well
        {"Kleinfeld", 1.0, -1, false},   // 45 %
    };
    for (const auto& f : faelle) {
        const CFeldsatz& satz = Feld(e, f.feld);
        const double wahr = satz.Werte().m_fOGIP * f.faktor;
        const std::vector<CMessung> punkte = Gemessen(satz, wahr, f.wasser, 2, 6);
        ASSERT_GE(punkte.size(), 3u) << f.feld;
        const CDruckanpassung a = Druckanpassung(satz.Werte(), punkte, f.wasserAnpassen);
        ASSERT_TRUE(a.Gelungen()) << f.feld << ": " << a.grund;
        // Within 0.5 % with the field's water invasion; fitting it too leaves the
        // OGIP less determined by the same points.
        EXPECT_NEAR(a.ogip / wahr, 1.0, f.wasserAnpassen ? 0.01 : 0.005) << f.feld << " × " << f.faktor;
        EXPECT_EQ(a.wasserAngepasst, f.wasserAnpassen) << f.feld;
        EXPECT_EQ(a.punkte, static_cast<int>(punkte.size()));
        EXPECT_DOUBLE_EQ(a.ogipDokument, satz.Werte().m_fOGIP);
        // bar: a year line's pressure is the last half-step's, at a cumulative
        // predicted from the half-step's first rate, a little past the year's.
        EXPECT_LT(a.abweichung, 2.0) << f.feld;
        if (f.wasserAnpassen) {
            EXPECT_NEAR(a.wasserinvasion, satz.Werte().m_fWasserinvasion, 2.0) << f.feld;
        }
    }
}

// With 2 % noise on the pressures the fit stays within two standard errors
// of the true OGIP in at least 9 of 10 seeds.
TEST(Druckanpassung, NoisyPressuresStayWithinTwoStandardErrors)
{
    const CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    for (const char* feld : {"Altmark_Süd", "Wesermarsch"}) {
        const CFeldsatz& satz = Feld(e, feld);
        const double wahr = satz.Werte().m_fOGIP;
        const std::vector<CMessung> genau = Gemessen(satz, wahr, -1, 1, 12);
        int innen = 0;
        for (unsigned seed = 1; seed <= 10; ++seed) {
            std::mt19937_64 zufall(seed);
            std::normal_distribution<double> rauschen(0.0, 0.02);
            std::vector<CMessung> punkte = genau;
            for (CMessung& m : punkte)
                m.druck *= 1 + rauschen(zufall);
            const CDruckanpassung a = Druckanpassung(satz.Werte(), punkte, false);
            ASSERT_TRUE(a.Gelungen()) << feld << ": " << a.grund;
            EXPECT_GT(a.ogipFehler, 0) << feld;
            innen += std::fabs(a.ogip - wahr) <= 2 * a.ogipFehler;
        }
        EXPECT_GE(innen, 9) << feld;
    }
}

TEST(Druckanpassung, NoFitWithoutEnoughInformation)
{
    const CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    const CFeldwerte& f = Feld(e, "Altmark_Süd").Werte();
    const struct {
        std::vector<CMessung> punkte;
        const char* grund;
    } faelle[] = {
        {{{"2010", 300, 2000}}, "mindestens zwei Messungen nötig"},
        {{{"2002", 420, 0}, {"2003", 420, 0}}, "keine Förderung zwischen den Messungen"},
        {{{"2005", 300, 2000}, {"2006", 450, 3000}}, "der Druck 450.0 bar liegt über dem Initialdruck"},
    };
    for (const auto& fall : faelle) {
        const CDruckanpassung a = Druckanpassung(f, fall.punkte, false);
        EXPECT_FALSE(a.Gelungen());
        EXPECT_EQ(a.grund, fall.grund);
    }
}

TEST(Messungen, TheFileIsReadByTheNumberRuleOfAFile)
{
    const struct {
        const char* text;
        double druck, kum; // of the first point
        const char* zeit;
    } gut[] = {
        {"Feld;Jahr;Druck;Kum\nA;2019;142,5;15200\n", 142.5, 15200, "2019"},
        {"Feld;Jahr;Druck;Kum\nA;2019;142.5;15200.25\n", 142.5, 15200.25, "2019"},
        {"feld;jahr;druck;kum;Bemerkung\nA;01.07.2019;142,5;15.200,0\n", 0, 0, nullptr}, // a thousands point: refused
        {"Feld;Jahr;Druck;Kum\nA;2019-07-01;142,5;15200\n;;;\n", 142.5, 15200, "2019-07-01"},
        {"Feld;Jahr;Druck;Kum\r\nA;01.07.2019;99;0\r\n", 99, 0, "2019-07-01"},
    };
    for (const auto& g : gut) {
        const CErgebnis<CMessungen> m = MessungenLesen(g.text);
        if (!g.zeit) {
            EXPECT_FALSE(m) << g.text;
            continue;
        }
        ASSERT_TRUE(m) << g.text << m.Fehlertext();
        ASSERT_EQ(m->at("A").size(), 1u);
        EXPECT_EQ(m->at("A")[0].zeit, g.zeit);
        EXPECT_DOUBLE_EQ(m->at("A")[0].druck, g.druck);
        EXPECT_DOUBLE_EQ(m->at("A")[0].kum, g.kum);
    }
    const struct {
        const char* text;
        const char* meldung;
    } schlecht[] = {
        {"Feld;Datum;Druck;Kum\nA;2019;1;1\n", "Zeile 1: Die Kopfzeile muss „Feld;Jahr;Druck;Kum“ lauten."},
        {"Feld;Jahr;Druck;Kum\n", "Die Datei enthält keine Messung."},
        {"Feld;Jahr;Druck;Kum\nA;2019;142,5\n", "Zeile 2: Es fehlen Angaben; erwartet werden Feld;Jahr;Druck;Kum."},
        {"Feld;Jahr;Druck;Kum\nA;1850;142;1\n",
         "Zeile 2: „Jahr“ („1850“) ist kein Jahr (1900 bis 2200) und kein Datum."},
        {"Feld;Jahr;Druck;Kum\nA;31.02.2019;142;1\n",
         "Zeile 2: „Jahr“ („31.02.2019“) ist kein Jahr (1900 bis 2200) und kein Datum."},
        {"Feld;Jahr;Druck;Kum\nA;2019;0;1\n", "Zeile 2: „Druck“ („0“) liegt nicht im Bereich über 0 bis 1000 bar."},
        {"Feld;Jahr;Druck;Kum\nA;2019;10;-5\n",
         "Zeile 2: „Kum“ („-5“) liegt nicht im Bereich von 0 bis 1000000000 Mio m³."},
        {"Feld;Jahr;Druck;Kum\nA;2019;1,5;1\nB;2020;1.425;2\n", "Zeile 3: „Druck“ („1.425“) enthält einen Punkt"},
        {"Feld;Jahr;Druck;Kum\nA;2019;hoch;1\n", "Zeile 2: „Druck“ („hoch“) ist keine Zahl."},
        {"Feld;Jahr;Druck;Kum\n;2019;1;1\n", "Zeile 2: Der Feldname fehlt."},
    };
    for (const auto& s : schlecht) {
        const CErgebnis<CMessungen> m = MessungenLesen(s.text);
        ASSERT_FALSE(m) << s.text;
        EXPECT_EQ(m.Fehlertext().rfind(s.meldung, 0), 0u) << m.Fehlertext();
    }
}

// Taking a fit into the field: its OGIP to 0.1 Mio m³, its water invasion
// only when fitted, the rest of the record as it was; a failed fit or an
// OGIP the field rules refuse changes nothing.
TEST(Druckanpassung, TakingTheFitSetsOgipAndFittedWaterOnly)
{
    const CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    const CFeldsatz& satz = Feld(e, "Heidemoor");
    const struct {
        double ogip, wasser;
        bool wasserAngepasst;
        const char* grund;
        float ogipNeu, wasserNeu; // < 0: refused
    } faelle[] = {
        {11989.64, 12.34, false, "", 11989.6f, satz.Werte().m_fWasserinvasion},
        {11989.66, 12.34, true, "", 11989.7f, 12.3f},
        {11000, 0, false, "mindestens zwei Messungen nötig", -1, -1},
        {1, 0, false, "", -1, -1}, // below the cumulative at start: the field rules refuse it
    };
    for (const auto& f : faelle) {
        CDruckanpassung a;
        a.feld = "Heidemoor";
        a.ogip = f.ogip;
        a.wasserinvasion = f.wasser;
        a.wasserAngepasst = f.wasserAngepasst;
        a.grund = f.grund;
        const CErgebnis<CFeldsatz> neu = MitAnpassung(satz, a);
        if (f.ogipNeu < 0) {
            EXPECT_FALSE(neu) << f.ogip;
            continue;
        }
        ASSERT_TRUE(neu) << neu.Fehlertext();
        EXPECT_EQ(neu->Werte().m_fOGIP, f.ogipNeu);
        EXPECT_EQ(neu->Werte().m_fWasserinvasion, f.wasserNeu);
        CFeldwerte ohne = neu->Werte(), vorher = satz.Werte();
        ohne.m_fOGIP = vorher.m_fOGIP;
        ohne.m_fWasserinvasion = vorher.m_fWasserinvasion;
        EXPECT_EQ(CFeldsatz(DatenInZeile(ohne, {})).Text(), CFeldsatz(DatenInZeile(vorher, {})).Text());
        EXPECT_EQ(neu->Stufen(), satz.Stufen());
    }
}

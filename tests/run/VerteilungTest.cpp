// The fields dispatched as operators dispatch them: plants, the rules that
// share the demand, minimum rates and the end of a field.
#include "Testdaten.h"
#include "bericht/Laufbericht.h"
#include "run/CLauf.h"
#include "studie/Plateau.h"
#include "summary/Profil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The sample (Altmark_Süd, Emsland_Tief, Heidemoor, Kleinfeld, Wesermarsch)
// under a plan, demand-limited to a constant Soll when `soll` >= 0.
CLaufEingabe Verteilt(const CPlanung& plan, float soll, bool detail = true)
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    e.threads = 1;
    e.detail = detail;
    e.bedarf = soll >= 0;
    e.sollKonstant = soll;
    e.planung = std::make_shared<CPlanung>(plan);
    return e;
}

const CFeldausgabe* Ausgabe(const CLaufErgebnis& r, const std::string& feld)
{
    for (const CFeldausgabe& a : r.feldausgaben)
        if (a.name == feld && a.prognose)
            return &a;
    return nullptr;
}

} // namespace

// Plants: the fields of a plant produce together at most its capacity in
// every year, with and without the demand limit; the table shows it.
TEST(Verteilung, NoPlantAboveItsCapacity)
{
    const struct {
        double kapazitaet;
        std::vector<std::string> felder;
        float soll; // < 0: no demand limit
    } faelle[] = {
        {300, {"Emsland_Tief", "Wesermarsch"}, -1},
        {120, {"Wesermarsch"}, -1},
        {300, {"Emsland_Tief", "Wesermarsch"}, 1200},
        {50, {"Altmark_Süd", "Kleinfeld", "Heidemoor"}, 900},
    };
    for (const auto& f : faelle) {
        CPlanung plan;
        plan.anlagen = {{"Sauergasanlage", f.kapazitaet, f.felder}};
        const CLaufErgebnis r = Lauf(Verteilt(plan, f.soll, false));
        ASSERT_EQ(r.anlagen.size(), size_t(Projektjahre(r))) << f.kapazitaet;
        bool voll = false;
        for (const CAnlagenjahr& a : r.anlagen) {
            EXPECT_LE(a.genutzt, a.kapazitaet * (1 + 1e-6)) << a.jahr;
            voll = voll || a.genutzt > a.kapazitaet * 0.999;
        }
        EXPECT_TRUE(voll) << "the plant is full in some year: " << f.kapazitaet;
        const std::vector<std::string> t = LaufberichtText(r);
        EXPECT_NE(std::find(t.begin(), t.end(), "                 ANLAGEN"), t.end());
    }
}

// Each rule with minimum rates, abandonment pressures and largest
// recoveries: in every year the demand is met where the fields can deliver
// it; under the rank rule a field stays below what it may produce only when
// every field of a later rank is shut; no year line's rate lies above 0 and
// below its field's minimum rate; no field produces after its abandonment
// year; no cumulative passes its largest recovery.
TEST(Verteilung, RulesAndLimitsHoldInEveryYear)
{
    const struct {
        EVerteilung regel;
        float soll;
        CFeldvorgabe altmark, emsland, wesermarsch;
    } faelle[] = {
        {EVerteilung::Lieferbar, 1100, {0, 0, 0, 0}, {0, 20000, 0, 0}, {0, 0, 150, 0}},
        {EVerteilung::Reserven, 1100, {0, 0, 0, 60}, {0, 0, 0, 0}, {0, 5000, 0, 0}},
        {EVerteilung::Rang, 1100, {1, 0, 0, 0}, {2, 0, 0, 0}, {3, 0, 0, 0}},
        {EVerteilung::Rang, 800, {2, 15000, 0, 0}, {1, 0, 200, 0}, {1, 0, 0, 55}},
        {EVerteilung::Lieferbar, -1, {0, 30000, 0, 0}, {0, 0, 250, 0}, {0, 0, 0, 40}},
        {EVerteilung::Plateau, 1100, {0, 10000, 0, 0}, {0, 0, 150, 0}, {0, 0, 0, 60}},
        {EVerteilung::Plateau, 700, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto& f : faelle) {
        CPlanung plan;
        plan.verteilung = f.regel;
        plan.feldVorgaben = {{"Altmark_Süd", f.altmark}, {"Emsland_Tief", f.emsland}, {"Wesermarsch", f.wesermarsch}};
        const CLaufErgebnis r = Lauf(Verteilt(plan, f.soll));
        const std::string fall = std::string(VerteilungName(f.regel)) + " " + std::to_string(f.soll);
        ASSERT_EQ(r.aufgaben.size(), r.feldreihen.size()) << fall;
        if (f.soll >= 0) {
            ASSERT_EQ(r.bedarf.size(), size_t(Projektjahre(r))) << fall;
            ASSERT_EQ(r.verteiljahre.size(), r.bedarf.size()) << fall;
            for (size_t y = 0; y < r.bedarf.size(); ++y) {
                // The demand, or all the fields may produce (fields shut for their minimum rate aside).
                const CBedarfsjahr& b = r.bedarf[y];
                const CVerteiljahr& v = r.verteiljahre[y];
                const bool alles = v.faktor == v.oben;
                EXPECT_TRUE(alles || std::fabs(b.gefoerdert - b.bedarf) <= BedarfsGenauigkeit(b.bedarf))
                    << fall << " " << b.jahr << " " << b.gefoerdert;
            }
        }
        std::vector<int> stufe;
        for (const CFeldreihe& reihe : r.feldreihen) {
            const auto v = plan.feldVorgaben.find(reihe.name);
            const CFeldvorgabe vorgabe = v != plan.feldVorgaben.end() ? v->second : CFeldvorgabe{};
            stufe.push_back(vorgabe.rang > 0 ? vorgabe.rang : 1000);
            const CAufgabe& aufgabe = r.aufgaben[stufe.size() - 1];
            const CFeldausgabe* a = Ausgabe(r, reihe.name);
            ASSERT_NE(a, nullptr) << reihe.name;
            const double ogip = a->gas ? a->gas->feld.m_fOGIP : 0;
            for (const CPrognosejahr& j : a->prognose->jahre) {
                if (vorgabe.mindestrate > 0) {
                    EXPECT_FALSE(j.endrate > 0 && j.endrate < vorgabe.mindestrate)
                        << fall << " " << reihe.name << j.jahr;
                }
                if (vorgabe.gewinnungMax > 0) {
                    EXPECT_LE(j.kumuliert, vorgabe.gewinnungMax / 100 * ogip * (1 + 1e-6)) << fall << reihe.name;
                }
                if (aufgabe.jahr > 0) {
                    EXPECT_LT(j.jahr, aufgabe.jahr) << fall << " " << reihe.name;
                }
            }
            for (int y = aufgabe.jahr > 0 ? aufgabe.jahr - r.projektstart : Projektjahre(r); y < Projektjahre(r); ++y)
                EXPECT_EQ(reihe.produktion[y], 0.0f) << fall << " " << reihe.name << " " << y;
        }
        if (f.regel == EVerteilung::Rang)
            for (const CVerteiljahr& v : r.verteiljahre)
                for (size_t k = 0; k < stufe.size(); ++k)
                    if (v.faktor[k] < v.oben[k] - 1e-9)
                        for (size_t i = 0; i < stufe.size(); ++i)
                            if (stufe[i] > stufe[k]) {
                                EXPECT_EQ(v.faktor[i], 0.0) << fall << " " << v.jahr << " " << k << " " << i;
                            }
    }
}

// A field stops for good and says why: its year lines end, the detailed
// report names the year and the reason, the table AUFGABE lists every field.
TEST(Verteilung, AnAbandonedFieldsYearLinesEndWithItsReason)
{
    CPlanung plan;
    plan.feldVorgaben = {{"Emsland_Tief", {0, 0, 300, 0}}};
    const CLaufErgebnis r = Lauf(Verteilt(plan, -1));
    const CAufgabe* aufgabe = nullptr;
    for (const CAufgabe& a : r.aufgaben)
        if (a.feld == "Emsland_Tief")
            aufgabe = &a;
    ASSERT_NE(aufgabe, nullptr);
    ASSERT_GT(aufgabe->jahr, r.projektstart);
    EXPECT_EQ(aufgabe->grund.rfind("Lagerstättendruck ", 0), 0u) << aufgabe->grund;
    const std::vector<std::string> t = LaufberichtText(r);
    const std::string zeile = " AUFGEGEBEN " + std::to_string(aufgabe->jahr) + ": " + aufgabe->grund;
    EXPECT_NE(std::find(t.begin(), t.end(), zeile), t.end()) << zeile;
    const auto titel = std::find(t.begin(), t.end(), "                 AUFGABE");
    ASSERT_NE(titel, t.end());
    EXPECT_EQ(*(titel + 2), "  FELD                JAHR  RESERVE MIO M3  GRUND");
    // Without dispatch values the run is today's: a plan with only the default rule changes nothing.
    CPlanung nurRegel;
    nurRegel.verteilung = EVerteilung::Lieferbar;
    EXPECT_EQ(LaufberichtText(Lauf(Verteilt(nurRegel, 1100))), LaufberichtText(Lauf(Verteilt(CPlanung{}, 1100))));
}

namespace {

// 33 fields with pressure-dependent factors, every one on in 2002, rest
// fields of 500 Mio m³ a year: the portfolio of the independent check.
CLaufEingabe Portfolio33Alle2002()
{
    CLaufEingabe e;
    e.projektende = 2034;
    e.threads = 1;
    for (int i = 0; i < 33; ++i) {
        CFeldwerte f;
        f.m_sFeldname = "Feld" + std::to_string(i);
        f.m_iFoerderbeginn = 2002;
        f.m_fAnteil = {0, 1.2f, 2.5f, 93.1f, 2.2f, 0.6f, 0.1f, 0.15f, 0.05f, 0.05f, 0.05f};
        f.m_fTcel = 100.0f + i % 40;
        f.m_fKopftemperatur = 35;
        f.m_fOGIP = 3000.0f + 100.0f * (i % 50);
        f.m_fPi = 250.0f + 5.0f * (i % 40);
        f.m_fReferenzdruck = f.m_fPi;
        f.m_fTeufe = 3000;
        f.m_fKopfdruck = 50;
        f.m_iBohrungen = 4;
        f.m_fMaxRate = 30000;
        f.m_fWasserinvasion = 10;
        f.m_iFoerderstunden = 8000;
        f.m_fKonsAnteil = 50;
        f.m_fA1 = 300;
        f.m_fB1 = 1.5f;
        f.m_fCWert = 1.5f;
        f.m_bDruckabhaengig = 1;
        const std::string t = StufenzeileText({2010, 0, 35, 6, 0, 0}, EStufenformat::Geaendert);
        e.felder.push_back(CFeldsatz(DatenInZeile(f, {t, t, t, t})));
    }
    for (int jahr = 2002; jahr <= 2034; ++jahr)
        e.restfelder.push_back(ProfilzeileEingabe(jahr, 500.0f, 57000.0f));
    return e;
}

} // namespace

// On every portfolio the plateau under the rule "plateau" is at least the
// one under the common factor; each rule's plateau is the search's answer
// under that rule and stands beside the plan's own.
TEST(Verteilung, ThePlateauRuleNeverHoldsLessThanTheCommonFactor)
{
    const struct {
        CLaufEingabe eingabe;
        int jahre;
    } faelle[] = {
        {LaufEingabeAus(KALVO_BEISPIEL), 10},
        {LaufEingabeAus(KALVO_GRENZFAELLE), 5},
        {Portfolio33Alle2002(), 5},
    };
    for (const auto& f : faelle) {
        CLaufEingabe e = f.eingabe;
        e.threads = 1;
        const double gemeinsam = HoechstesPlateau(e, f.jahre).menge;
        CPlanung plan;
        plan.verteilung = EVerteilung::Plateau;
        e.planung = std::make_shared<CPlanung>(plan);
        const std::vector<CPlateau> p = HoechstePlateaus(e, f.jahre);
        ASSERT_EQ(p.size(), 1u);
        EXPECT_GE(p[0].menge, gemeinsam);
        ASSERT_EQ(p[0].jeRegel.size(), 4u);
        EXPECT_EQ(p[0].jeRegel[0], std::pair(EVerteilung::Lieferbar, gemeinsam));
        EXPECT_EQ(p[0].jeRegel[3], std::pair(EVerteilung::Plateau, p[0].menge));
    }
}

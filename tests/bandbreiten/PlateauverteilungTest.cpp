// The plateau of a Monte Carlo study: its percentiles against every run's
// own plateau search, and the P90 held by the demand-limited runs.
#include "bandbreiten/Plateauverteilung.h"
#include "Testdaten.h"
#include "bericht/Planungsbericht.h"
#include "studie/Plateau.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct CFall {
    const char* dokument;
    const char* bandbreiten;
    int laeufe, jahre, ab;
};

const CFall kFaelle[] = {
    {KALVO_BEISPIEL, "Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\n*;C-Wert;70 %;130 %\n", 40, 10, 0},
    {KALVO_BEISPIEL, "Feld;Groesse;Tief;Hoch\n*;OGIP;95 %;105 %\nHeidemoor;Startverzoegerung;0;2\n", 30, 5, 2004},
    {KALVO_BEISPIEL, "Feld;Groesse;Tief;Hoch\n*;OGIP;60 %;110 %\n*;Startverzoegerung;0;3\n", 60, 20, 2003},
    {KALVO_BEISPIEL, "Feld;Groesse;Tief;Hoch\n*;OGIP;50 %;100 %\n*;Wasserinvasion;0;60\n", 60, 25, 0},
    {KALVO_GRENZFAELLE, "Feld;Groesse;Tief;Hoch\n*;OGIP;70 %;130 %\n*;A1;90 %;110 %\n", 30, 8, 0},
    {KALVO_BEISPIELE "/Beispiel_Variante.kvo", "Feld;Groesse;Tief;Hoch\n*;C-Wert;70 %;130 %\n", 25, 1, 0},
};

// Each run's plateau by the plain search from 0, and their percentiles.
CPlateauperzentile JederLauf(const CLaufEingabe& e, const std::vector<CSpanne>& spannen, const CFall& f)
{
    const CStudie studie(e, 2);
    std::vector<double> werte;
    for (int k = 0; k < f.laeufe; ++k)
        werte.push_back(HoechstesPlateau(studie.Eingabe(LaufVariationen(spannen, 1, k)), f.jahre, {}, f.ab).menge);
    return {"", false, Perzentil(werte, 0.1), Perzentil(werte, 0.5), Perzentil(werte, 0.9)};
}

// The share of runs that, demand-limited at the constant level `menge`,
// deliver it every year of the window.
double AnteilGehalten(CLaufEingabe e, const std::vector<CSpanne>& spannen, const CFall& f, double menge)
{
    e.bedarf = true;
    e.sollKonstant = static_cast<float>(menge);
    e.sollKonstantAb = f.ab;
    const CStudie studie(e, 2);
    int gehalten = 0;
    for (int k = 0; k < f.laeufe; ++k) {
        const CLaufErgebnis r = Lauf(studie.Eingabe(LaufVariationen(spannen, 1, k)));
        const int a = f.ab > 0 ? f.ab - r.projektstart : 0;
        gehalten += GehaltenBis(r, menge, a) >= r.projektstart + a + f.jahre - 1 ? 1 : 0;
    }
    return double(gehalten) / f.laeufe;
}

} // namespace

TEST(Plateauverteilung, PercentilesEqualThoseOfEveryRunsOwnSearch)
{
    for (const CFall& f : kFaelle) {
        SCOPED_TRACE(std::string(f.dokument) + " " + f.bandbreiten);
        CLaufEingabe e = LaufEingabeAus(f.dokument);
        e.threads = 1;
        const auto spannen = BandbreitenLesen(f.bandbreiten, e.felder);
        ASSERT_TRUE(spannen) << spannen.Fehlertext();
        const auto p = PlateauMonteCarlo(e, *spannen, f.laeufe, 1, f.jahre, f.ab, 2);
        ASSERT_TRUE(p) << p.Fehlertext();
        ASSERT_EQ(p->size(), 1u);
        const CPlateauperzentile soll = JederLauf(e, *spannen, f);
        EXPECT_EQ(p->front().p90, soll.p90);
        EXPECT_EQ(p->front().p50, soll.p50);
        EXPECT_EQ(p->front().p10, soll.p10);
        EXPECT_LE(soll.p90, soll.p50);
        EXPECT_LE(soll.p50, soll.p10);
        EXPECT_GE(AnteilGehalten(e, *spannen, f, soll.p90), 0.9);
    }
}

TEST(Plateauverteilung, ReportLineAfterTheTablePerContractInItsUnit)
{
    struct {
        CPlateauperzentile p;
        const char* zeile;
    } const faelle[] = {
        {{"", false, 765, 835.1, 860}, "  PLATEAU P90/P50/P10: 765.0 / 835.1 / 860.0 Mio m³/a"},
        {{"L-Gas Nord", true, 1200.25, 1310, 1402.9},
         "  PLATEAU L-Gas Nord P90/P50/P10: 1200.2 / 1310.0 / 1402.9 GWh/a"},
        {{"Verkauf", false, 0, 0, 0.1}, "  PLATEAU Verkauf P90/P50/P10: 0.0 / 0.0 / 0.1 Mio m³/a"},
    };
    for (const auto& f : faelle) {
        CUnsicherheit u;
        u.laeufe = 10;
        u.jahre = {{2002, 1, 2, 3, 2}};
        u.plateaus = {f.p};
        const std::vector<std::string> t = UnsicherheitsTabelle(u);
        EXPECT_NE(std::find(t.begin(), t.end(), f.zeile), t.end()) << f.zeile;
    }
    // Without the plateau asked the table ends with its years.
    CUnsicherheit ohne;
    ohne.jahre = {{2002, 1, 2, 3, 2}};
    for (const std::string& z : UnsicherheitsTabelle(ohne))
        EXPECT_EQ(z.find("PLATEAU"), std::string::npos);
}

// P(SOLL), the cumulative and the reserves against the runs themselves: a
// study of real spread (each year's share counted by hand over its runs)
// and one of zero width (every run the base run: 0 % or 100 %, the base's
// cumulative and reserves).
TEST(Plateauverteilung, ProbabilityOfMeetingTheSollAndPercentilesOfReserves)
{
    struct {
        const char* bandbreiten;
        bool bedarf;
    } const faelle[] = {
        {"Feld;Groesse;Tief;Hoch\n*;OGIP;60 %;110 %\n*;Startverzoegerung;0;3\n", false},
        {"Feld;Groesse;Tief;Hoch\n*;OGIP;60 %;110 %\n*;C-Wert;70 %;130 %\n", true},
        {"Feld;Groesse;Tief;Hoch\n*;OGIP;100 %;100 %\n", false},
    };
    constexpr int kLaeufe = 24;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.bandbreiten);
        CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
        e.threads = 1;
        e.bedarf = f.bedarf;
        const auto spannen = BandbreitenLesen(f.bandbreiten, e.felder);
        ASSERT_TRUE(spannen) << spannen.Fehlertext();
        const auto u = MonteCarlo(e, *spannen, kLaeufe, 3, 2, {}, true);
        ASSERT_TRUE(u) << u.Fehlertext();
        ASSERT_EQ(u->sollSpalten, std::vector<std::string>{""});
        ASSERT_EQ(u->pSoll.size(), 1u);
        const CStudie studie(e, 1);
        std::vector<int> treffer(u->jahre.size());
        std::vector<double> kumuliert;
        for (int k = 0; k < kLaeufe; ++k) {
            const CLaufErgebnis r = Lauf(studie.Eingabe(LaufVariationen(*spannen, 3, k)));
            kumuliert.push_back(KumulierteIst(r));
            for (size_t i = 0; i < treffer.size(); ++i) {
                const auto& j = r.zusammenfassung.jahre[i];
                treffer[i] += j.istProduktion >= double(j.sollProduktion) - (f.bedarf ? 0.05 : 0.0) ? 1 : 0;
            }
        }
        for (size_t i = 0; i < treffer.size(); ++i)
            EXPECT_DOUBLE_EQ(u->pSoll[0][i], treffer[i] / double(kLaeufe)) << u->jahre[i].jahr;
        ASSERT_TRUE(u->kumuliert);
        EXPECT_EQ(u->kumuliert->p50, Perzentil(kumuliert, 0.5));
        ASSERT_EQ(u->reserven.size(), 5u);
        EXPECT_EQ(u->reserven[0].name, "Altmark_Süd");
        for (const CPerzentile& p : u->reserven) {
            EXPECT_LE(p.p90, p.p50) << p.name;
            EXPECT_LE(p.p50, p.p10) << p.name;
        }
    }
}

// Named scenarios of a plan: each row equals a run of the document with the
// scenario's changes made by hand.
#include "szenarien/Szenarien.h"

#include "Testdaten.h"
#include "bericht/Planungsbericht.h"
#include "studie/Plateau.h"

#include <gtest/gtest.h>

namespace {

CLaufEingabe Beispiel()
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    e.threads = 1;
    e.bedarf = true;
    return e;
}

CErgebnis<CLaufEingabe> KeinDokument(const std::string& datei)
{
    return CFehler{datei + " gibt es nicht."};
}

CSzenarioaenderung Feld(const char* feld, const char* groesse, double wert)
{
    return {CSzenarioaenderung::EArt::Feld, feld, groesse, wert, EVerteilung::Lieferbar};
}

double Energie(const CLaufErgebnis& r)
{
    double summe = 0;
    for (const CEnergiejahr& j : r.energie)
        summe += j.energie;
    return summe;
}

} // namespace

// A field's quantity, by the names a ranges file gives it, and the dispatch
// rule: the row's figures are those of the document edited by hand (its
// OGIP, wells or start year changed, its plan's rule set), run on the same
// calendar with the energy table.
TEST(Szenarien, EachRowEqualsTheDocumentChangedByHand)
{
    const CLaufEingabe basis = Beispiel();
    const int klein = FeldIndex(basis.felder, "Kleinfeld");
    const int heide = FeldIndex(basis.felder, "Heidemoor");
    ASSERT_GE(klein, 0);
    ASSERT_GE(heide, 0);
    const struct {
        CSzenarioaenderung aenderung;
        std::function<void(CLaufEingabe&, CPlanung&)> vonHand;
    } faelle[] = {
        {Feld("Kleinfeld", "OGIP", 2000),
         [&](CLaufEingabe& e, CPlanung&) {
             e.felder[size_t(klein)] = Abgewandelt(e.felder[size_t(klein)], {{EGroesse::OGIP, 2000}});
         }},
        {Feld("Heidemoor", "bohrungen", 3),
         [&](CLaufEingabe& e, CPlanung&) {
             e.felder[size_t(heide)] = Abgewandelt(e.felder[size_t(heide)], {{EGroesse::Bohrungen, 3}});
         }},
        {Feld("Heidemoor", "Startverzögerung", 2),
         [&](CLaufEingabe& e, CPlanung&) {
             e.felder[size_t(heide)] = Abgewandelt(e.felder[size_t(heide)], {{EGroesse::Startverzoegerung, 2}});
         }},
        {{CSzenarioaenderung::EArt::Verteilung, "", "", 0, EVerteilung::Rang},
         [](CLaufEingabe&, CPlanung& p) { p.verteilung = EVerteilung::Rang; }},
    };
    CPlanung plan;
    for (const auto& f : faelle)
        plan.szenarien.push_back({AenderungText(f.aenderung), {f.aenderung}, ""});
    const CErgebnis<CSzenarienergebnis> s = SzenarienRechnen(basis, plan, KeinDokument, 5, 0, 2);
    ASSERT_TRUE(s) << s.Fehlertext();
    ASSERT_EQ(s->zeilen.size(), std::size(faelle) + 1);
    EXPECT_EQ(s->zeilen[0].name, "Basis");

    const int start = Lauf(basis).projektstart;
    for (size_t k = 0; k < std::size(faelle); ++k) {
        CLaufEingabe e = basis;
        CPlanung p;
        faelle[k].vonHand(e, p);
        e.energie = true;
        e.projektstartFest = start;
        if (p.verteilung != EVerteilung::Lieferbar)
            e.planung = std::make_shared<const CPlanung>(p);
        const CLaufErgebnis r = Lauf(e);
        const CSzenariozeile& z = s->zeilen[k + 1];
        SCOPED_TRACE(z.name);
        EXPECT_EQ(z.kumIst, KumulierteIst(r));
        EXPECT_EQ(z.energie, Energie(r));
        EXPECT_EQ(z.plateau, HoechstesPlateau(e, 5).menge);
        double reserven = 0;
        for (const CFeldreihe& f : r.feldreihen)
            reserven += f.reserve;
        EXPECT_EQ(z.reserven, reserven);
    }
    // The base row is the document's own run; its differences are 0.
    const CLaufErgebnis grund = Lauf([&] {
        CLaufEingabe e = basis;
        e.energie = true;
        return e;
    }());
    EXPECT_EQ(s->zeilen[0].kumIst, KumulierteIst(grund));
    const std::vector<std::string> t = SzenarienTabelle(*s);
    EXPECT_EQ(t[1], "                 SZENARIEN (2002-2030)");
    EXPECT_NE(t[6].find("0.0       0.0"), std::string::npos) << t[6];
}

// A change the document cannot take is refused before anything runs, named
// with its scenario; the plan file refuses what it can check itself.
TEST(Szenarien, ABadChangeIsRefusedWithItsScenario)
{
    const CLaufEingabe basis = Beispiel();
    const struct {
        CSzenario szenario;
        const char* meldung;
    } faelle[] = {
        {{"A", {Feld("Nirgendwo", "OGIP", 1)}, ""}, "Szenario „A“: das Feld „Nirgendwo“ steht nicht im Dokument."},
        {{"B", {Feld("Kleinfeld", "Farbe", 1)}, ""}, "Szenario „B“: „Farbe“ ist keine Größe"},
        {{"C", {Feld("Kleinfeld", "Bohrungen", 0)}, ""}, "Szenario „C“: Kleinfeld: die Bohrungsanzahl (0)"},
        {{"D", {Feld("Kleinfeld", "OGIP", -5)}, ""}, "Szenario „D“: Kleinfeld: "},
        {{"E", {}, "fehlt.kvo"}, "Szenario „E“: fehlt.kvo gibt es nicht."},
    };
    for (const auto& f : faelle) {
        CPlanung plan;
        plan.szenarien = {f.szenario};
        const CErgebnis<CSzenarienergebnis> s = SzenarienRechnen(basis, plan, KeinDokument);
        ASSERT_FALSE(s) << f.meldung;
        EXPECT_EQ(s.Fehlertext().rfind(f.meldung, 0), 0u) << s.Fehlertext();
    }
    const struct {
        const char* szenarien;
        const char* meldung;
    } datei[] = {
        {R"([{"name": "X", "aenderungen": [{"anlage": "Gibtsnicht", "kapazitaet": 5}]}])",
         "Planungsdatei, „szenarien[0].aenderungen[0].anlage“: die Anlage „Gibtsnicht“ steht nicht in „anlagen“."},
        {R"([{"name": "X", "aenderungen": [{"verteilung": "zufall"}]}])",
         "Planungsdatei, „szenarien[0].aenderungen[0].verteilung“: unbekannte Verteilung „zufall“"},
        {R"([{"name": "X"}])", "Planungsdatei, „szenarien[0]“: entweder „datei“ oder „aenderungen“ wird erwartet."},
        {R"([{"name": "Basis", "aenderungen": []}])", "Planungsdatei, „szenarien[0].name“: „Basis“ ist der Name"},
        {R"([{"name": "X", "aenderungen": []}, {"name": "X", "datei": "a.kvo"}])",
         "Planungsdatei, „szenarien[1].name“: das Szenario „X“ gibt es schon."},
    };
    for (const auto& f : datei) {
        const std::string text =
            std::string(R"({"format": "kalvo-planung", "version": 1, "szenarien": )") + f.szenarien + "}";
        const CErgebnis<CPlanung> p = PlanungLesen(text, 2002, 2030);
        ASSERT_FALSE(p) << f.meldung;
        EXPECT_EQ(p.Fehlertext().rfind(f.meldung, 0), 0u) << p.Fehlertext();
    }
}

// The scenarios as the plan file holds them come back unchanged, and a
// saved plan writes them to the same bytes.
TEST(Szenarien, PlanFileRoundTrip)
{
    const std::string text = R"({
  "format": "kalvo-planung",
  "version": 1,
  "anlagen": [{"name": "Sauergasanlage", "kapazitaet": 300, "felder": ["Heidemoor"]}],
  "vertraege": [{"name": "L-Gas Nord", "gasart": "L", "mengen": {"2027": 2500}}],
  "szenarien": [
    {"name": "Heidkamp später", "aenderungen": [{"feld": "Heidkamp_N", "groesse": "Startverzoegerung", "wert": 2},
      {"anlage": "Sauergasanlage", "kapazitaet": 250}, {"verteilung": "rang"},
      {"vertrag": "L-Gas Nord", "faktor": 0.95}]},
    {"name": "Vorjahr", "datei": "Plan 2026.kvo"}
  ]
}
)";
    const CErgebnis<CPlanung> p = PlanungLesen(text, 2002, 2030);
    ASSERT_TRUE(p) << p.Fehlertext();
    ASSERT_EQ(p->szenarien.size(), 2u);
    const CSzenario& s = p->szenarien[0];
    ASSERT_EQ(s.aenderungen.size(), 4u);
    const char* texte[] = {"Heidkamp_N: Startverzoegerung = 2", "Anlage Sauergasanlage: Kapazitaet = 250 Mio m³/a",
                           "Verteilung: rang", "Vertrag L-Gas Nord: Mengen x 0.95"};
    for (size_t k = 0; k < 4; ++k)
        EXPECT_EQ(AenderungText(s.aenderungen[k]), texte[k]);
    EXPECT_EQ(p->szenarien[1].datei, "Plan 2026.kvo");
    const std::string gespeichert = PlanungText(*p);
    const CErgebnis<CPlanung> wieder = PlanungLesen(gespeichert, 2002, 2030);
    ASSERT_TRUE(wieder);
    EXPECT_EQ(wieder->szenarien, p->szenarien);
    EXPECT_EQ(PlanungText(*wieder), gespeichert);
}

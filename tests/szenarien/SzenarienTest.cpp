// Named scenarios of a plan: each row equals a run of the document with the
// scenario's changes made by hand.
#include "szenarien/Szenarien.h"

#include "Testdaten.h"
#include "bericht/Planungsbericht.h"
#include "doc/CKalvoDoc.h"
#include "planung/Szenariotabelle.h"
#include "platform/Datei.h"
#include "platform/Meldungen.h"
#include "run/Vertraege.h"
#include "studie/Plateau.h"

#include <gtest/gtest.h>

#include <filesystem>

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

// A plant's capacity and a contract's quantities: the row is the run of the
// plan changed by hand, its shortfall years per contract those the run's
// contract table shows.
TEST(Szenarien, PlantAndContractChangesEqualThePlanChangedByHand)
{
    CLaufEingabe basis = Beispiel();
    basis.eigenverbrauch = 2;
    CPlanung plan;
    CVertrag l{"L-Gas Nord", EGasart::L, true, {}, MonateNachTagen(), 1};
    CVertrag h{"H-Gas Süd", EGasart::H, true, {}, MonateNachTagen(), 1};
    for (int jahr = 2002; jahr <= 2030; ++jahr) {
        l.mengen[jahr] = 800;
        h.mengen[jahr] = 5000;
    }
    plan.vertraege = {l, h};
    plan.restfelder = {{EGasart::L, 40, 9.77}, {EGasart::H, 60, 11.2}};
    plan.anlagen = {{"Sauergasanlage", 300, {"Emsland_Tief", "Wesermarsch"}}};
    basis.planung = std::make_shared<const CPlanung>(plan);
    using EArt = CSzenarioaenderung::EArt;
    const struct {
        CSzenarioaenderung aenderung;
        std::function<void(CPlanung&)> vonHand;
    } faelle[] = {
        {{EArt::Anlage, "Sauergasanlage", "", 120, EVerteilung::Lieferbar},
         [](CPlanung& p) { p.anlagen[0].kapazitaet = 120; }},
        {{EArt::Vertrag, "H-Gas Süd", "", 4, EVerteilung::Lieferbar},
         [](CPlanung& p) {
             for (auto& [jahr, menge] : p.vertraege[1].mengen)
                 menge *= 4;
         }},
    };
    for (const auto& f : faelle)
        plan.szenarien.push_back({AenderungText(f.aenderung), {f.aenderung}, ""});
    const CErgebnis<CSzenarienergebnis> s = SzenarienRechnen(basis, plan, KeinDokument, 0, 0, 2);
    ASSERT_TRUE(s) << s.Fehlertext();
    EXPECT_EQ(s->unterdeckung, (std::vector<std::string>{"L-Gas Nord", "H-Gas Süd"}));
    const int start = Lauf(basis).projektstart;
    for (size_t k = 0; k < std::size(faelle); ++k) {
        CPlanung p = plan;
        faelle[k].vonHand(p);
        CLaufEingabe e = basis;
        e.planung = std::make_shared<const CPlanung>(p);
        e.energie = true;
        e.projektstartFest = start;
        const CLaufErgebnis r = Lauf(e);
        const CSzenariozeile& z = s->zeilen[k + 1];
        SCOPED_TRACE(z.name);
        EXPECT_EQ(z.kumIst, KumulierteIst(r));
        EXPECT_EQ(z.energie, Energie(r));
        for (size_t v = 0; v < 2; ++v) {
            int erstes = 0;
            for (const CVertragsjahr& j : r.vertraege)
                if (j.vertrag == p.vertraege[v].name && Unterdeckung(j) && (!erstes || j.jahr < erstes))
                    erstes = j.jahr;
            EXPECT_EQ(z.ersteUnterdeckung.at(v), erstes) << p.vertraege[v].name;
        }
    }
    // A larger H contract falls short no later than the base's.
    const int grund = s->zeilen[0].ersteUnterdeckung[1], mehr = s->zeilen[2].ersteUnterdeckung[1];
    EXPECT_TRUE(mehr != 0 && (grund == 0 || mehr <= grund)) << grund << " " << mehr;
}

// The dialog's cells: a row per change, read by the number rule; a bad cell
// is named with its scenario and row, and nothing is taken.
TEST(Szenarien, TheDialogsTableTakesItsCellsByTheNumberRule)
{
    CPlanung plan;
    plan.anlagen = {{"Sauergasanlage", 300, {"Heidemoor"}}};
    plan.vertraege = {{"L-Gas Nord", EGasart::L, true, {{2005, 100}}, MonateNachTagen(), 1}};
    const struct {
        CAenderungszeile zeile;
        const char* meldung; // "" taken
        double wert;
    } faelle[] = {
        {{"Feld", "Heidemoor", "OGIP", "11000,5"}, "", 11000.5},
        {{"Feld", "Heidemoor", "OGIP", "11.000"}, "Szenario „S“, Zeile 1: „11.000“", 0},
        {{"Anlage", "Sauergasanlage", "", "250"}, "", 250},
        {{"Anlage", "Sauergasanlage", "", "-5"}, "Szenario „S“, Zeile 1: „-5“ liegt nicht", 0},
        {{"Anlage", "Gibtsnicht", "", "5"}, "Szenario „S“: die Anlage „Gibtsnicht“ steht nicht in „anlagen“.", 0},
        {{"Vertrag", "L-Gas Nord", "", "0,95"}, "", 0.95},
        {{"Verteilung", "rang", "", ""}, "", 0},
        {{"Verteilung", "zufall", "", ""}, "Szenario „S“, Zeile 1: unbekannte Verteilung „zufall“", 0},
        {{"Farbe", "x", "", "1"}, "Szenario „S“, Zeile 1: „Farbe“ ist keine Änderung", 0},
        {{"Feld", "", "OGIP", "1"}, "Szenario „S“, Zeile 1: der Name fehlt.", 0},
    };
    for (const auto& f : faelle) {
        const CErgebnis<CPlanung> p = SzenarienUebernehmen(plan, {{"S", "", {f.zeile, {}}}}, 2002, 2030);
        SCOPED_TRACE(f.zeile.wert + " " + f.zeile.art);
        if (*f.meldung) {
            ASSERT_FALSE(p);
            EXPECT_EQ(p.Fehlertext().rfind(f.meldung, 0), 0u) << p.Fehlertext();
            continue;
        }
        ASSERT_TRUE(p) << p.Fehlertext();
        ASSERT_EQ(p->szenarien.size(), 1u);
        ASSERT_EQ(p->szenarien[0].aenderungen.size(), 1u); // the empty row is none
        EXPECT_EQ(p->szenarien[0].aenderungen[0].wert, f.wert);
        // Shown again, the cells read back to the same plan.
        const CErgebnis<CPlanung> wieder = SzenarienUebernehmen(plan, Szenarieneingabe(*p), 2002, 2030);
        ASSERT_TRUE(wieder);
        EXPECT_EQ(wieder->szenarien, p->szenarien);
    }
    const CErgebnis<CPlanung> beides =
        SzenarienUebernehmen(plan, {{"S", "alt.kvo", {{"Feld", "Heidemoor", "OGIP", "1"}}}}, 2002, 2030);
    ASSERT_FALSE(beides);
    EXPECT_EQ(beides.Fehlertext(), "Szenario „S“: entweder ein Dokument oder Änderungen, nicht beides.");
}

// With ranges of no width every Monte Carlo run is the row's own input: the
// P90 plateau equals the row's plateau, on the base's calendar also for a
// field that now starts later (the study keeps that calendar). Another
// document has other fields than the ranges: no P90 there.
TEST(Szenarien, P90PlateauOfRangesWithoutWidthIsTheRowsPlateau)
{
    const CLaufEingabe basis = Beispiel();
    CPlanung plan;
    plan.szenarien = {{"Später", {Feld("Heidemoor", "Startverzoegerung", 2)}, ""},
                      {"Klein", {Feld("Kleinfeld", "OGIP", 900)}, ""},
                      {"Vorjahr", {}, "vorjahr.kvo"}};
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;OGIP;100 %;100 %\n", basis.felder);
    ASSERT_TRUE(spannen) << spannen.Fehlertext();
    const CSzenarioBandbreiten bandbreiten{*spannen, 20, 1};
    const CDokumentLaden vorjahr = [](const std::string&) -> CErgebnis<CLaufEingabe> {
        CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIELE "/Beispiel_Variante.kvo");
        e.threads = 1;
        e.bedarf = true;
        return e;
    };
    const CErgebnis<CSzenarienergebnis> s = SzenarienRechnen(basis, plan, vorjahr, 10, 0, 2, {}, &bandbreiten);
    ASSERT_TRUE(s) << s.Fehlertext();
    ASSERT_EQ(s->zeilen.size(), 4u);
    EXPECT_EQ(s->zeilen[1].plateau, 420.0); // 2002-2011 without Heidemoor's first two years
    for (size_t k = 0; k < 3; ++k) {
        ASSERT_TRUE(s->zeilen[k].plateauP90) << s->zeilen[k].name;
        EXPECT_EQ(*s->zeilen[k].plateauP90, *s->zeilen[k].plateau) << s->zeilen[k].name;
    }
    EXPECT_FALSE(s->zeilen[3].plateauP90);
    const std::vector<std::string> t = SzenarienTabelle(*s);
    EXPECT_NE(t[3].find("P90 PLAT."), std::string::npos) << t[3];
}

// A scenario naming another document takes that document's own plan (last
// year's contracts) with this document's options: its shortfall column is
// that of its contract of the same name. A plan beside it that cannot be
// read is refused with the scenario.
TEST(Szenarien, AnotherDocumentComesWithItsOwnPlan)
{
    const std::filesystem::path ordner = std::filesystem::temp_directory_path() / "kalvo_szenario_vorjahr";
    std::filesystem::create_directories(ordner);
    for (const char* name : {"Plan.kvo", "Alt.kvo"})
        std::filesystem::copy_file(KALVO_BEISPIEL, ordner / name, std::filesystem::copy_options::overwrite_existing);
    const auto vertrag = [](int menge) {
        return std::string(R"({"format": "kalvo-planung", "version": 1, "optionen": {"bedarf": true},
  "vertraege": [{"name": "H-Gas", "gasart": "H", "mengen": {"2010": )") +
               std::to_string(menge) + "}}]";
    };
    const std::string szenario = R"(, "szenarien": [{"name": "Vorjahr", "datei": "Alt.kvo"}]})";
    ASSERT_TRUE(DateiAtomarSchreiben((ordner / "Plan.planung.json").string(), vertrag(99000) + szenario));
    ASSERT_TRUE(DateiAtomarSchreiben((ordner / "Alt.planung.json").string(), vertrag(10) + "}"));
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    const CErgebnis<std::string> bytes = DateiLesen((ordner / "Plan.kvo").string());
    ASSERT_TRUE(bytes && doc.Laden(*bytes));
    doc.NachDemLaden();
    doc.SetPathName((ordner / "Plan.kvo").string());
    ASSERT_TRUE(doc.PlanungLaden(doc.GetPathName()));
    const CErgebnis<CSzenarienergebnis> s = doc.SzenarienRechnen();
    ASSERT_TRUE(s) << s.Fehlertext();
    ASSERT_EQ(s->zeilen.size(), 2u);
    EXPECT_EQ(s->unterdeckung, std::vector<std::string>{"H-Gas"});
    EXPECT_EQ(s->zeilen[0].ersteUnterdeckung, std::vector<int>{2010}); // 99000 GWh: short
    EXPECT_EQ(s->zeilen[1].ersteUnterdeckung, std::vector<int>{0});    // last year's 10 GWh: delivered

    ASSERT_TRUE(DateiAtomarSchreiben((ordner / "Alt.planung.json").string(), "{kaputt"));
    const CErgebnis<CSzenarienergebnis> kaputt = doc.SzenarienRechnen();
    ASSERT_FALSE(kaputt);
    EXPECT_EQ(kaputt.Fehlertext().rfind("Szenario „Vorjahr“: ", 0), 0u) << kaputt.Fehlertext();
    EXPECT_NE(kaputt.Fehlertext().find("kein gültiges JSON"), std::string::npos) << kaputt.Fehlertext();
    std::filesystem::remove_all(ordner);
}

// The plan file beside a document: its rules, its refusals and its round trip.
#include "planung/Planung.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

namespace {

constexpr const char* kPlan = R"({
  "format": "kalvo-planung",
  "version": 1,
  "kommentar": "Jahresplan 2027",
  "optionen": {"bedarf": true, "energie": true, "eigenverbrauch": 3.0, "deckung": true, "farbe": "blau"},
  "vertraege": [
    {"name": "L-Gas Nord", "gasart": "L", "einheit": "GWh", "mengen": {"2027": 2500, "2028": 2400},
     "monate": [12.5, 11, 10, 8, 6, 5, 5, 5, 6, 8, 10, 13.5], "spitzenfaktor": 1.3, "partner": "Stadtwerke"},
    {"name": "H-Gas Süd", "gasart": "H", "einheit": "Mio m3", "mengen": {"2027": 900.5}}
  ],
  "felder": {"Emstal_L": {"gasart": "L", "notiz": "Wobbe knapp"}},
  "restfelder": [{"gasart": "L", "anteil": 40, "brennwert": 9.77}, {"gasart": "H", "anteil": 60, "brennwert": 11.2}]
}
)";

CPlanung Gelesen(const std::string& text)
{
    const CErgebnis<CPlanung> p = PlanungLesen(text, 2027, 2036);
    EXPECT_TRUE(p) << p.Fehlertext();
    return p ? *p : CPlanung{};
}

} // namespace

TEST(Planung, ReadsOptionsContractsFieldFamiliesAndRestFieldEnergy)
{
    const CPlanung p = Gelesen(kPlan);
    EXPECT_EQ(p.optionen, (CPlanoptionen{true, true, true, 3.0}));
    ASSERT_EQ(p.vertraege.size(), 2u);
    const CVertrag& l = p.vertraege[0];
    EXPECT_EQ(l.name, "L-Gas Nord");
    EXPECT_EQ(l.gasart, EGasart::L);
    EXPECT_TRUE(l.gwh);
    EXPECT_EQ(l.mengen, (std::map<int, double>{{2027, 2500}, {2028, 2400}}));
    EXPECT_EQ(l.monate[0], 12.5);
    EXPECT_EQ(l.monate[11], 13.5);
    EXPECT_EQ(l.spitzenfaktor, 1.3);
    const CVertrag& h = p.vertraege[1];
    EXPECT_FALSE(h.gwh);
    EXPECT_EQ(h.spitzenfaktor, 1.0);
    // Months by default: equal by days, summing to 100 %.
    EXPECT_EQ(h.monate, MonateNachTagen());
    EXPECT_NEAR(h.monate[0], 100.0 * 31 / 365, 1e-12);
    EXPECT_NEAR(h.monate[1], 100.0 * 28 / 365, 1e-12);
    EXPECT_NEAR(std::accumulate(h.monate.begin(), h.monate.end(), 0.0), 100, 1e-9);
    EXPECT_EQ(p.feldGasart, (std::map<std::string, EGasart>{{"Emstal_L", EGasart::L}}));
    ASSERT_EQ(p.restfelder.size(), 2u);
    EXPECT_EQ(p.restfelder[1], (CRestfeldanteil{EGasart::H, 60, 11.2}));
}

// Saving keeps every key the plan does not know, and the spelling of the
// values it does not change; saving what was saved gives the same bytes.
TEST(Planung, RoundTripKeepsUnknownKeysAndItsBytes)
{
    const CPlanung p = Gelesen(kPlan);
    const std::string einmal = PlanungText(p);
    for (const char* bleibt :
         {"\"kommentar\": \"Jahresplan 2027\"", "\"farbe\": \"blau\"", "\"partner\": \"Stadtwerke\"",
          "\"notiz\": \"Wobbe knapp\"", "\"2027\": 2500", "\"eigenverbrauch\": 3.0"})
        EXPECT_NE(einmal.find(bleibt), std::string::npos) << bleibt << "\n" << einmal;
    const CPlanung wieder = Gelesen(einmal);
    EXPECT_EQ(wieder.optionen, p.optionen);
    EXPECT_EQ(wieder.vertraege, p.vertraege);
    EXPECT_EQ(wieder.feldGasart, p.feldGasart);
    EXPECT_EQ(wieder.restfelder, p.restfelder);
    EXPECT_EQ(PlanungText(wieder), einmal);

    // A changed value is written, a new plan starts with its format and version.
    CPlanung neu;
    neu.optionen.bedarf = true;
    neu.vertraege.push_back({"L", EGasart::L, true, {{2030, 12.25}}, MonateNachTagen(), 1});
    const std::string text = PlanungText(neu);
    EXPECT_EQ(text.rfind("{\n  \"format\": \"kalvo-planung\",\n  \"version\": 1,", 0), 0u) << text;
    EXPECT_EQ(text.find("monate"), std::string::npos) << "default months are not written";
    const CPlanung gelesen = Gelesen(text);
    EXPECT_EQ(gelesen.vertraege, neu.vertraege);
    EXPECT_TRUE(gelesen.optionen.bedarf);
}

// Every bad plan is refused with the line (syntax) or the key and a German reason.
TEST(Planung, BadPlansNameTheirLineOrKey)
{
    const struct {
        const char* text;
        const char* meldung;
    } faelle[] = {
        {"{\n  \"format\": \"kalvo-planung\",\n  \"version\": 1\n  \"optionen\": {}\n}",
         "Planungsdatei, Zeile 4: kein gültiges JSON."},
        {"{\"format\": \"kalvo-planung\",\n\"version\": 1,\n", "Planungsdatei, Zeile 3: kein gültiges JSON."},
        {"{\"format\": \"kalvo-planung\", \"version\": 1, \"optionen\": {\"eigenverbrauch\": 1e999}}",
         "Planungsdatei: eine Zahl ist zu groß für eine Rechnung."},
        {"2222222222E222222222", "Planungsdatei: eine Zahl ist zu groß für eine Rechnung."},
        {"[]", "Planungsdatei: ein Objekt { … } wird erwartet."},
        {R"({"format": "kalvo", "version": 1})", "Planungsdatei, „format“: „kalvo-planung“ wird erwartet."},
        {R"({"format": "kalvo-planung", "version": 2})",
         "Planungsdatei, „version“: Version 2 wird nicht unterstützt (nur 1)."},
        {R"({"format": "kalvo-planung", "version": 1, "optionen": {"bedarf": "ja"}})",
         "Planungsdatei, „optionen.bedarf“: true oder false wird erwartet."},
        {R"({"format": "kalvo-planung", "version": 1, "optionen": {"eigenverbrauch": 100}})",
         "Planungsdatei, „optionen.eigenverbrauch“: 100 liegt nicht im Bereich von 0 bis unter 100."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "X", "gasart": "M"}]})",
         "Planungsdatei, „vertraege[0].gasart“: unbekannte Gasart „M“ (L oder H)."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "X", "gasart": "L",
            "monate": [10, 10, 10, 10, 10, 10, 10, 10, 10, 5, 2, 1]}]})",
         "Planungsdatei, „vertraege[0].monate“: die Monatsanteile ergeben 98 statt 100 %."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "X", "gasart": "L", "monate": [100]}]})",
         "Planungsdatei, „vertraege[0].monate“: 12 Monatsanteile werden erwartet, nicht 1."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "X", "gasart": "L",
            "mengen": {"2040": 10}}]})",
         "Planungsdatei, „vertraege[0].mengen.2040“: das Jahr 2040 liegt außerhalb des Projekts (2027 bis 2036)."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "X", "gasart": "L",
            "mengen": {"2030": -1}}]})",
         "Planungsdatei, „vertraege[0].mengen.2030“: -1 liegt nicht im Bereich von 0 bis 1e+09."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "X", "gasart": "L", "einheit": "kWh"}]})",
         "Planungsdatei, „vertraege[0].einheit“: unbekannte Einheit „kWh“ (GWh oder Mio m3)."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "X", "gasart": "L"},
            {"name": "Y", "gasart": "L"}]})",
         "Planungsdatei, „vertraege[1].gasart“: für L-Gas gibt es schon einen Vertrag."},
        {R"({"format": "kalvo-planung", "version": 1, "felder": {"Emstal": {"gasart": "X"}}})",
         "Planungsdatei, „felder.Emstal.gasart“: unbekannte Gasart „X“ (L oder H)."},
        {R"({"format": "kalvo-planung", "version": 1, "restfelder": [{"gasart": "L", "anteil": 40,
            "brennwert": 9.77}]})",
         "Planungsdatei, „restfelder“: die Anteile ergeben 40 statt 100 %."},
        {R"({"format": "kalvo-planung", "version": 1, "verteilung": "gleich"})",
         "Planungsdatei, „verteilung“: unbekannte Verteilung „gleich“ (lieferbar, reserven, rang oder plateau)."},
        {R"({"format": "kalvo-planung", "version": 1, "anlagen": [{"name": "A", "felder": []}]})",
         "Planungsdatei, „anlagen[0]“: „kapazitaet“ fehlt."},
        {R"({"format": "kalvo-planung", "version": 1, "anlagen": [{"name": "A", "kapazitaet": 0, "felder": []}]})",
         "Planungsdatei, „anlagen[0].kapazitaet“: die Kapazität muss über 0 liegen."},
        {R"({"format": "kalvo-planung", "version": 1, "anlagen": [{"name": "A", "kapazitaet": 300,
            "felder": ["F"]}, {"name": "B", "kapazitaet": 100, "felder": ["G", "F"]}]})",
         "Planungsdatei, „anlagen[1].felder[1]“: das Feld „F“ gehört schon zu einer Anlage."},
        {R"({"format": "kalvo-planung", "version": 1, "felder": {"F": {"rang": 1.5}}})",
         "Planungsdatei, „felder.F.rang“: eine ganze Zahl (1 zuerst) wird erwartet."},
        {R"({"format": "kalvo-planung", "version": 1, "felder": {"F": {"rang": 0}}})",
         "Planungsdatei, „felder.F.rang“: 0 liegt nicht im Bereich von 1 bis 1000."},
        {R"({"format": "kalvo-planung", "version": 1, "felder": {"F": {"gewinnung_max": 120}}})",
         "Planungsdatei, „felder.F.gewinnung_max“: 120 liegt nicht im Bereich von 1 bis 100."},
        {R"({"format": "kalvo-planung", "version": 1, "felder": {"F": {"mindestrate": -5}}})",
         "Planungsdatei, „felder.F.mindestrate“: -5 liegt nicht im Bereich von 0 bis 1e+09."},
        {R"({"format": "kalvo-planung", "version": 1, "messungen": {"F": []}})",
         "Planungsdatei, „messungen.F“: die Liste der Messungen ist leer."},
        {R"({"format": "kalvo-planung", "version": 1, "messungen": {"F": [{"druck": 100, "kum": 5}]}})",
         "Planungsdatei, „messungen.F[0]“: „jahr“ oder „datum“ fehlt."},
        {R"({"format": "kalvo-planung", "version": 1, "messungen": {"F": [{"datum": "2019-13-01", "druck": 100,
            "kum": 5}]}})",
         "Planungsdatei, „messungen.F[0].datum“: „2019-13-01“ ist kein Datum der Form JJJJ-MM-TT."},
        {R"({"format": "kalvo-planung", "version": 1, "messungen": {"F": [{"jahr": 2019, "druck": 0, "kum": 5}]}})",
         "Planungsdatei, „messungen.F[0].druck“: der Druck muss über 0 bar liegen."},
        {R"({"format": "kalvo-planung", "version": 1, "messungen": {"F": [{"jahr": 2019, "druck": 100}]}})",
         "Planungsdatei, „messungen.F[0]“: „kum“ fehlt."},
        {R"({"format": "kalvo-planung", "version": 1, "wasser_anpassen": 1})",
         "Planungsdatei, „wasser_anpassen“: true oder false wird erwartet."},
    };
    for (const auto& f : faelle) {
        const CErgebnis<CPlanung> p = PlanungLesen(f.text, 2027, 2036);
        ASSERT_FALSE(p) << f.text;
        EXPECT_EQ(p.Fehlertext(), f.meldung) << f.text;
    }
}

// The dispatch: plants, the rule and the fields' values, read and written
// back with the keys the plan does not know.
TEST(Planung, DispatchValuesRoundTrip)
{
    const CPlanung p = Gelesen(R"({"format": "kalvo-planung", "version": 1, "verteilung": "rang",
        "anlagen": [{"name": "Sauergasanlage", "kapazitaet": 300.0, "felder": ["Hohenmoor_Z", "Süderheide_Z"],
                     "betreiber": "Nord"}],
        "felder": {"Hohenmoor_Z": {"rang": 1, "mindestrate": 2000, "aufgabedruck": 25, "gewinnung_max": 65,
                                   "notiz": "Wasser"},
                   "Emstal_L": {"gasart": "L", "rang": 2}}})");
    EXPECT_EQ(p.verteilung, EVerteilung::Rang);
    ASSERT_EQ(p.anlagen.size(), 1u);
    EXPECT_EQ(p.anlagen[0], (CAnlage{"Sauergasanlage", 300, {"Hohenmoor_Z", "Süderheide_Z"}}));
    EXPECT_EQ(p.feldVorgaben.at("Hohenmoor_Z"), (CFeldvorgabe{1, 2000, 25, 65}));
    EXPECT_EQ(p.feldVorgaben.at("Emstal_L"), (CFeldvorgabe{2, 0, 0, 0}));
    EXPECT_EQ(p.feldGasart.at("Emstal_L"), EGasart::L);
    EXPECT_TRUE(MitVerteilung(p));
    const std::string text = PlanungText(p);
    for (const char* bleibt : {"\"betreiber\": \"Nord\"", "\"notiz\": \"Wasser\"", "\"kapazitaet\": 300.0"})
        EXPECT_NE(text.find(bleibt), std::string::npos) << bleibt << "\n" << text;
    const CPlanung wieder = Gelesen(text);
    EXPECT_EQ(wieder.anlagen, p.anlagen);
    EXPECT_EQ(wieder.feldVorgaben, p.feldVorgaben);
    EXPECT_EQ(wieder.verteilung, p.verteilung);
    EXPECT_EQ(PlanungText(wieder), text);
    // A value the plan no longer sets leaves the file; the field's other keys stay.
    CPlanung ohne = wieder;
    ohne.feldVorgaben.erase("Hohenmoor_Z");
    const std::string weniger = PlanungText(ohne);
    EXPECT_EQ(weniger.find("mindestrate"), std::string::npos) << weniger;
    EXPECT_NE(weniger.find("\"notiz\": \"Wasser\""), std::string::npos) << weniger;
    EXPECT_FALSE(MitVerteilung(CPlanung{}));
}

// Measured pressures: a year or a date, kept as written; a changed list is
// written anew.
TEST(Planung, MeasurementsRoundTrip)
{
    const std::string text = R"({
  "format": "kalvo-planung",
  "version": 1,
  "messungen": {
    "Emstal_L": [
      {
        "jahr": 2019,
        "druck": 142.5,
        "kum": 15200
      },
      {
        "datum": "2021-07-01",
        "druck": 131.0,
        "kum": 16100.5
      }
    ]
  },
  "wasser_anpassen": true
}
)";
    const CPlanung p = Gelesen(text);
    ASSERT_EQ(p.messungen.at("Emstal_L").size(), 2u);
    EXPECT_EQ(p.messungen.at("Emstal_L")[0], (CMessung{"2019", 142.5, 15200}));
    EXPECT_EQ(p.messungen.at("Emstal_L")[1], (CMessung{"2021-07-01", 131, 16100.5}));
    EXPECT_TRUE(p.wasserAnpassen);
    EXPECT_FALSE(MitVerteilung(p));
    EXPECT_EQ(PlanungText(p), text);
    CPlanung mehr = p;
    mehr.messungen["Heidkamp_N"] = {{"2020", 88.25, 410}};
    const CPlanung wieder = Gelesen(PlanungText(mehr));
    EXPECT_EQ(wieder.messungen, mehr.messungen);
}

TEST(Planung, PlanFileLivesBesideTheDocument)
{
    const struct {
        const char* dokument;
        const char* plan;
    } faelle[] = {{"/daten/Beispiel.kvo", "/daten/Beispiel.planung.json"},
                  {"Plan 2027.kvo", "Plan 2027.planung.json"},
                  {"/daten.v2/Feld", "/daten.v2/Feld.planung.json"}};
    for (const auto& f : faelle)
        EXPECT_EQ(Planungspfad(f.dokument), f.plan);
}

// A plan opened from the file manager opens its document; a document stored
// as ".KVO" is found when only that exists.
TEST(Planung, PlanFileOpensTheDocumentBesideIt)
{
    const std::filesystem::path ordner = std::filesystem::temp_directory_path() / "kalvo_plan_zum_dokument";
    std::filesystem::create_directories(ordner);
    std::ofstream((ordner / "Alt.KVO").string()) << "x";
    const std::string o = ordner.string() + "/";
    const struct {
        std::string pfad, dokument;
    } faelle[] = {{"/daten/Beispiel.planung.json", "/daten/Beispiel.kvo"},
                  {o + "Alt.planung.json", o + "Alt.KVO"},
                  {o + "Neu.planung.json", o + "Neu.kvo"},
                  {"/daten/Beispiel.kvo", "/daten/Beispiel.kvo"},
                  {".planung.json", ".planung.json"},
                  {"/daten/Plan.json", "/daten/Plan.json"}};
    for (const auto& f : faelle)
        EXPECT_EQ(DokumentZurPlanung(f.pfad), f.dokument) << f.pfad;
    std::filesystem::remove_all(ordner);
}

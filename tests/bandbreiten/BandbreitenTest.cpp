// Ranges of field values: the file, sensitivities and Monte Carlo.
#include "bandbreiten/Bandbreiten.h"
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "bericht/Jahresreihentabelle.h"
#include "bericht/Planungsbericht.h"
#include "platform/Meldungen.h"
#include "summary/Jahresreihen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <tuple>

namespace {

CLaufEingabe Beispiel()
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    e.threads = 1;
    return e;
}

// A study's result; the test fails when the study failed.
template <class T>
T Wert(CErgebnis<T> r)
{
    EXPECT_TRUE(r) << r.Fehlertext();
    return r ? std::move(r).value() : T{};
}

std::string Fehler(std::string_view datei)
{
    const CErgebnis<std::vector<CSpanne>> r = BandbreitenLesen(datei, Beispiel().felder);
    return r ? "" : r.Fehlertext();
}

} // namespace

TEST(Bandbreiten, FileLinesResolvePerFieldInPercentOrValues)
{
    const CLaufEingabe e = Beispiel();
    // Windows-1252 bytes, decimal comma, a blank line a spreadsheet wrote.
    const CErgebnis<std::vector<CSpanne>> r = BandbreitenLesen("Feld;Groesse;Tief;Hoch\r\n"
                                                               "*;OGIP;80 %;120 %\r\n"
                                                               ";;;\r\n"
                                                               "Altmark_S\xFC"
                                                               "d;C-Wert;0,5;0,6\r\n"
                                                               "Heidemoor;Startverzoegerung;0;3\r\n",
                                                               e.felder);
    ASSERT_TRUE(r) << r.Fehlertext();
    ASSERT_EQ(r->size(), e.felder.size() + 2);
    const CSpanne& ogip = (*r)[0];
    EXPECT_EQ(ogip.zeile, 2);
    EXPECT_DOUBLE_EQ(ogip.tief, 0.8 * ogip.basis);
    EXPECT_DOUBLE_EQ(ogip.hoch, 1.2 * ogip.basis);
    const CSpanne& c = (*r)[e.felder.size()];
    EXPECT_EQ(c.zeile, 4);
    EXPECT_EQ(c.groesse, EGroesse::CWert);
    EXPECT_FLOAT_EQ(float(c.tief), 0.5f);
    EXPECT_FLOAT_EQ(float(c.basis), 0.5513f);
    EXPECT_EQ((*r)[e.felder.size() + 1].basis, 0);
}

TEST(Bandbreiten, BadLinesAreNamedAndNothingIsTaken)
{
    EXPECT_EQ(Fehler("Feld;Wert;Tief;Hoch\n"), "Zeile 1: Die Kopfzeile muss „Feld;Groesse;Tief;Hoch“ lauten.");
    EXPECT_EQ(Fehler("Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\nNirgendwo;OGIP;1;2\n"),
              "Zeile 3: Das Feld „Nirgendwo“ gibt es im Dokument nicht.");
    EXPECT_EQ(Fehler("Feld;Groesse;Tief;Hoch\nHeidemoor;Porositaet;1;2\n"),
              "Zeile 2: Die Größe „Porositaet“ gibt es nicht (OGIP, C-Wert, A1, Wasserinvasion, Kopfdruck, "
              "Bohrungen, Startverzoegerung).");
    EXPECT_EQ(Fehler("Feld;Groesse;Tief;Hoch\nHeidemoor;OGIP;viel;2\n"), "Zeile 2: Tief („viel“) ist keine Zahl.");
    EXPECT_EQ(Fehler("Feld;Groesse;Tief;Hoch\n*;OGIP;120 %;80 %\n"),
              "Zeile 2: Tief (120 %) ist größer als Hoch (80 %).");
    EXPECT_EQ(Fehler("Feld;Groesse;Tief;Hoch\nHeidemoor;Startverzoegerung;0 %;10 %\n"),
              "Zeile 2: Die Startverzögerung wird in Jahren angegeben, nicht in %.");
    EXPECT_EQ(Fehler("Feld;Groesse;Tief;Hoch\nHeidemoor;Wasserinvasion;0;150\n"),
              "Zeile 2: Heidemoor bei Hoch: die Wasserinvasion ist nicht kleiner als 100 %");
    EXPECT_NE(Fehler("Feld;Groesse;Tief;Hoch\nHeidemoor;OGIP;1;2\n").find("liegt nicht zwischen Tief (1) und Hoch (2)"),
              std::string::npos);
    EXPECT_EQ(Fehler("Feld;Groesse;Tief;Hoch\n*;OGIP;90 %;110 %\nHeidemoor;OGIP;80 %;120 %\n"),
              "Zeile 3: OGIP von Heidemoor steht schon in Zeile 2.");
}

// A sensitivity row is a run of the document edited to that value: the
// record's text changed as a user would change it.
TEST(Bandbreiten, SensitivityRowEqualsARunOfTheEditedDocument)
{
    const CLaufEingabe e = Beispiel();
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\nHeidemoor;OGIP;7000;12000\n", e.felder);
    ASSERT_TRUE(spannen) << spannen.Fehlertext();
    const CSensitivitaetsErgebnis s = Wert(Sensitivitaeten(e, *spannen, {}, 1));
    ASSERT_EQ(s.zeilen.size(), 1u);

    const int i = FeldIndex(e.felder, "Heidemoor");
    CFeldwerte f = e.felder[size_t(i)].Werte();
    CStufenTexte stufen;
    for (size_t k = 0; k < stufen.size(); ++k)
        stufen[k] = StufenzeileText(e.felder[size_t(i)].Stufen()[k], EStufenformat::Geaendert);
    for (const auto& [ogip, erwartet] : {std::pair{7000.0f, s.zeilen[0].tief}, std::pair{12000.0f, s.zeilen[0].hoch}}) {
        f.m_fOGIP = ogip;
        CLaufEingabe bearbeitet = e;
        bearbeitet.felder[size_t(i)] = DatenInZeile(f, stufen);
        const CLaufErgebnis r = Lauf(bearbeitet);
        float summe = 0;
        for (int j = 0; j < r.anzahl; ++j)
            summe = float(double(summe) + double(r.restProduktion[j]) + r.produktionFelder[j]);
        EXPECT_EQ(erwartet, summe) << ogip;
    }
    const std::vector<std::string> t = SensitivitaetsTabelle(s);
    EXPECT_EQ(t[1], "                 SENSITIVITAET (KUMULIERTE IST-PRODUKTION 2002-2030)");
    // "Startverzoegerung", the longest quantity, fits its column.
    EXPECT_EQ(t[3], "  FELD               GROESSE                  TIEF       BASIS        HOCH");
    EXPECT_EQ(t[5].substr(0, 50), "  Heidemoor          OGIP                  25448.6");
    CSensitivitaetsErgebnis verzoegert = s;
    verzoegert.zeilen[0].groesse = EGroesse::Startverzoegerung;
    const std::vector<std::string> mitVerzoegerung = SensitivitaetsTabelle(verzoegert);
    for (size_t k = 5; k < mitVerzoegerung.size(); ++k) // every row ends under HOCH
        EXPECT_EQ(mitVerzoegerung[k].size(), t[3].size()) << mitVerzoegerung[k];
}

// Nearest rank on the sorted runs, worked by hand for two runs {10, 20}:
// P90 is the ⌈0.2⌉ = 1st smallest (10), P50 the ⌈1.0⌉ = 1st (10), P10 the
// ⌈1.8⌉ = 2nd (20).
TEST(Bandbreiten, PercentilesByNearestRank)
{
    EXPECT_EQ(Perzentil({20, 10}, 0.1), 10);
    EXPECT_EQ(Perzentil({20, 10}, 0.5), 10);
    EXPECT_EQ(Perzentil({20, 10}, 0.9), 20);
    std::vector<double> hundert;
    for (int k = 100; k >= 1; --k)
        hundert.push_back(k);
    EXPECT_EQ(Perzentil(hundert, 0.1), 10);
    EXPECT_EQ(Perzentil(hundert, 0.5), 50);
    EXPECT_EQ(Perzentil(hundert, 0.9), 90);
    // The triangular draw: its ends, its mode, and a zero-width range.
    EXPECT_EQ(Dreieck(1, 2, 4, 0.0), 1);
    EXPECT_NEAR(Dreieck(1, 2, 4, 1.0 / 3.0), 2, 1e-12);
    EXPECT_EQ(Dreieck(5, 5, 5, 0.7), 5);
}

TEST(Bandbreiten, MonteCarloIsOrderedRepeatableAndExactAtZeroWidth)
{
    const CLaufEingabe e = Beispiel();
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\n*;C-Wert;70 %;130 %\n"
                                          "Heidemoor;Startverzoegerung;0;2\n",
                                          e.felder);
    ASSERT_TRUE(spannen) << spannen.Fehlertext();
    const CUnsicherheit eins = Wert(MonteCarlo(e, *spannen, 40, 7, 1));
    const CUnsicherheit zwei = Wert(MonteCarlo(e, *spannen, 40, 7, 2));
    EXPECT_EQ(UnsicherheitsTabelle(eins), UnsicherheitsTabelle(zwei));
    EXPECT_NE(UnsicherheitsTabelle(eins), UnsicherheitsTabelle(Wert(MonteCarlo(e, *spannen, 40, 8, 2))));
    ASSERT_EQ(eins.jahre.size(), 29u);
    for (const CUnsicherheitsjahr& j : eins.jahre) {
        EXPECT_LE(j.p90, j.p50) << j.jahr;
        EXPECT_LE(j.p50, j.p10) << j.jahr;
    }

    // Zero width: every run is the base run, to the summary's printed IST.
    const auto null =
        BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;OGIP;100 %;100 %\n*;Kopfdruck;100 %;100 %\n", e.felder);
    ASSERT_TRUE(null);
    const CUnsicherheit u = Wert(MonteCarlo(e, *null, 5, 1, 2));
    const CLaufErgebnis basis = Lauf(e);
    ASSERT_EQ(u.jahre.size(), size_t(basis.anzahl));
    for (int i = 0; i < basis.anzahl; ++i) {
        const CUnsicherheitsjahr& j = u.jahre[size_t(i)];
        const double ist = double(basis.restProduktion[i]) + basis.produktionFelder[i];
        EXPECT_EQ(j.p90, ist);
        EXPECT_EQ(j.p50, ist);
        EXPECT_EQ(j.p10, ist);
        EXPECT_EQ(j.basis, ist);
    }
    const std::vector<std::string> t = UnsicherheitsTabelle(u);
    EXPECT_EQ(t[1], "                 UNSICHERHEIT (5 LAEUFE)");
    EXPECT_EQ(t[3], "  JAHR         P90         P50         P10       BASIS");
    EXPECT_EQ(t[5], "  2002       860.0       860.0       860.0       860.0");
    // Cancelled: no result.
    EXPECT_TRUE(Wert(MonteCarlo(e, *spannen, 40, 7, 2, [](int fertig) { return fertig < 3; })).jahre.empty());
}

// A demand-limited year takes the factor of the plain bisection even where
// the fields' production falls as the factor rises: in one draw of this
// study year 2019 meets its demand at two factors (0.9169 and 0.9263), and
// the bisection's is the first. P90 of the rate, 2019, to the printed digit.
TEST(Bandbreiten, DemandLimitedRunsTakeTheBisectionsFactorWhereProductionIsNotMonotone)
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIELE "/Beispiel_Variante.kvo");
    e.bedarf = true;
    e.rate = true;
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\n*;C-Wert;70 %;130 %\n"
                                          "*;A1;90 %;110 %\n*;Wasserinvasion;50 %;150 %\n*;Startverzoegerung;0;2\n"
                                          "*;Kopfdruck;80 %;120 %\n*;Bohrungen;80 %;120 %\n",
                                          e.felder);
    ASSERT_TRUE(spannen) << spannen.Fehlertext();
    const std::vector<std::string> t = UnsicherheitsTabelle(Wert(MonteCarlo(e, *spannen, 30, 1, 2)));
    const auto zeile = std::find_if(t.begin(), t.end(), [](const std::string& z) { return z.starts_with("  2019"); });
    ASSERT_NE(zeile, t.end());
    EXPECT_EQ(*zeile, "  2019     32017.7     40522.3     41768.7     34471.0");
}

TEST(Bandbreiten, BatchRefusesABadRangesFileBeforeRunning)
{
    const auto pfad = std::filesystem::temp_directory_path() / "kalvo_bandbreiten_test.csv";
    std::ofstream(pfad) << "Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\nHeidemoor;C-Wert;zwei;3\n";
    std::ostringstream aus, fehler;
    EXPECT_EQ(KalvoBatch({"--monte-carlo", "10", "--bandbreiten", pfad.string(), KALVO_BEISPIEL}, aus, fehler), 1);
    EXPECT_EQ(aus.str(), "");
    EXPECT_EQ(fehler.str(), "kalvo-batch: " + pfad.string() + ": Zeile 3: Tief („zwei“) ist keine Zahl.\n");

    std::ofstream(pfad) << "Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\n";
    std::ostringstream aus2, fehler2;
    EXPECT_EQ(KalvoBatch({"--sensitivitaet", "--monte-carlo", "20", "--bandbreiten", pfad.string(), KALVO_BEISPIEL},
                         aus2, fehler2),
              0);
    EXPECT_NE(aus2.str().find("SENSITIVITAET (KUMULIERTE IST-PRODUKTION 2002-2030)"), std::string::npos);
    EXPECT_NE(aus2.str().find("UNSICHERHEIT (20 LAEUFE)"), std::string::npos);

    // A heading without a range: refused, as the desktop refuses it.
    std::ofstream(pfad) << "Feld;Groesse;Tief;Hoch\n";
    std::ostringstream aus3, fehler3;
    EXPECT_EQ(KalvoBatch({"--sensitivitaet", "--bandbreiten", pfad.string(), KALVO_BEISPIEL}, aus3, fehler3), 1);
    EXPECT_EQ(aus3.str(), "");
    EXPECT_EQ(fehler3.str(), "kalvo-batch: " + pfad.string() + ": Die Bandbreiten enthalten keine Zeile.\n");
    std::filesystem::remove(pfad);
}

// The file beside the document, and the dialog's rows written and read back.
TEST(Bandbreiten, FileBesideTheDocumentAndTheTableRoundTrip)
{
    EXPECT_EQ(BandbreitenPfad("/daten/Beispiel.kvo"), "/daten/Beispiel.bandbreiten.csv");
    EXPECT_EQ(BandbreitenPfad("/daten.alt/Beispiel"), "/daten.alt/Beispiel.bandbreiten.csv");
    const std::vector<CBandbreitenZeile> zeilen = {{"*", "OGIP", "80 %", "120 %"},
                                                   {"Heidemoor", "C-Wert", "0,5", "0,6"}};
    const std::string datei = BandbreitenDatei(zeilen);
    EXPECT_EQ(datei, "Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\nHeidemoor;C-Wert;0,5;0,6\n");
    EXPECT_EQ(BandbreitenZeilen(datei), zeilen);
}

// The CSV of a Monte Carlo study carries its percentiles, named with their unit.
TEST(Bandbreiten, CsvCarriesThePercentiles)
{
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    ASSERT_TRUE(doc.Laden(DateiInhalt(KALVO_BEISPIEL)));
    doc.NachDemLaden();
    doc.Berechnen();
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;OGIP;100 %;100 %\n", doc.m_saFelder);
    ASSERT_TRUE(spannen);
    doc.UnsicherheitSetzen(Wert(MonteCarlo(doc.LaufEingabe(), *spannen, 3, 1, 1)));
    const std::string csv = JahresreihenCsv(doc.Jahresreihen());
    EXPECT_NE(csv.find(";P90 Ist-Produktion (Mio m3);P50 Ist-Produktion (Mio m3);P10 Ist-Produktion (Mio m3);"),
              std::string::npos);
    EXPECT_NE(csv.find(";860,000;860,000;860,000;"), std::string::npos);
    EXPECT_EQ(doc.m_saBericht.back(), "  2030        54.2        54.2        54.2        54.2");
    doc.Berechnen(); // a new run makes the study stale
    EXPECT_FALSE(doc.m_Unsicherheit);
}

// The ranges file decides once between decimal comma and point; a row per
// file and the message (or "" when it is taken), and the ends of a range
// keep to the field rules.
TEST(Bandbreiten, TheFileFollowsTheNumberRuleAndTheFieldRules)
{
    const std::string kopf = "Feld;Groesse;Tief;Hoch\n";
    struct CFall {
        std::string zeilen, meldung;
    };
    const std::vector<CFall> faelle = {
        {"*;OGIP;80 %;120 %\nHeidemoor;C-Wert;0,5;0.600\n",
         "Zeile 3: Hoch („0.600“) enthält einen Punkt, die übrigen Zahlen ein Dezimalkomma: ein Tausenderpunkt wird "
         "nicht gelesen."},
        {"Heidemoor;OGIP;2,5;28.000\n",
         "Zeile 2: Hoch („28.000“) enthält einen Punkt, die übrigen Zahlen ein Dezimalkomma: ein Tausenderpunkt wird "
         "nicht gelesen (ohne Punkt: 28000)."},
        {"*;OGIP;80 %;120 %\nHeidemoor;C-Wert;2.5;3.500\n", ""}, // points only: decimal points
        {"Heidemoor;Kopfdruck;1;500\n", "Zeile 2: Heidemoor bei Hoch: der Kopffließdruck (500 bar) ist nicht kleiner "
                                        "als der Initialdruck"},
        {"Heidemoor;OGIP;1;1e9\n", "Zeile 2: Heidemoor bei Tief: die kumulative Anfangsproduktion"},
        // A well count below 1 is refused, not taken as the 1 a run would round it to.
        {"Heidemoor;Bohrungen;0;7\n",
         "Zeile 2: Heidemoor bei Tief: die Bohrungsanzahl (0) liegt nicht zwischen 1 und 100."},
        {"Heidemoor;Bohrungen;-3;7\n", "Zeile 2: Heidemoor bei Tief: die Bohrungsanzahl (-3) liegt nicht"},
        {"Heidemoor;Bohrungen;2,5;7\n", ""},
        {"Heidemoor;OGIP;" + std::string(300, '7') + ";1\n",
         "Zeile 2: Tief („" + std::string(40, '7') + "…“) ist keine Zahl."},
        {"Heidemoor;OGIP;1;2" + std::string(200, ';') + "\n", "Zeile 2: Die Zeile hat mehr als 100 Spalten."},
    };
    for (const CFall& f : faelle) {
        const std::string fehler = Fehler(kopf + f.zeilen);
        EXPECT_EQ(fehler.substr(0, f.meldung.size()), f.meldung) << f.zeilen;
        EXPECT_EQ(fehler.empty(), f.meldung.empty()) << fehler;
    }
}

namespace {

// The Ist of every calendar year of a run.
std::map<int, double> IstJeJahr(const CLaufErgebnis& r)
{
    std::map<int, double> ist;
    for (int i = 0; i < r.anzahl; ++i)
        ist[r.projektstart + i] = double(r.restProduktion[i]) + r.produktionFelder[i];
    return ist;
}

} // namespace

// A start moved earlier on the base run's calendar: the field enters the base
// run's first year as it stands then, and every year both runs hold is the
// edited document's own run (at capacity and demand-limited).
TEST(Bandbreiten, StartMovedEarlierOnTheBaseCalendarIsTheEditedDocumentsRun)
{
    // Beside the samples: a field whose stage row (2006) a delay of −3 moves
    // onto the base run's first year (2003), where it must still apply.
    CLaufEingabe stufe;
    stufe.projektende = 2015;
    stufe.felder.emplace_back(Feldsatz(FeldA()));
    CStufen zeilen{};
    zeilen[0] = {2006, 7000, 40, 3, 0.02f, 60};
    stufe.felder.emplace_back(Feldsatz(MethanFeld("Stufenfeld", 2005), zeilen));
    for (int profil = 2003; profil <= 2015; ++profil)
        stufe.verkaufsprofil.push_back(ProfilzeileEingabe(profil, 120, 120e6f / 8760));
    const std::pair<const char*, CLaufEingabe> eingaben[] = {
        {"Beispiel", LaufEingabeAus(KALVO_BEISPIEL)},
        {"Grenzfaelle", LaufEingabeAus(KALVO_GRENZFAELLE)},
        {"Stufenfeld", stufe},
    };
    for (const auto& [pfad, eingabe] : eingaben) {
        for (const auto& [bedarf, konstant] :
             {std::pair{false, -1.0f}, std::pair{true, -1.0f}, std::pair{true, 500.0f}}) {
            CLaufEingabe e = eingabe;
            e.threads = 1;
            e.bedarf = bedarf;
            e.sollKonstant = konstant;
            const CLaufErgebnis basis = Lauf(e);
            for (size_t feld = 0; feld < e.felder.size(); ++feld) {
                for (int jahre : {-3, -1, 2}) {
                    CLaufEingabe bearbeitet = e;
                    bearbeitet.felder[feld] = Abgewandelt(e.felder[feld], {{EGroesse::Startverzoegerung, jahre}});
                    const std::map<int, double> eigen = IstJeJahr(Lauf(bearbeitet));
                    bearbeitet.projektstartFest = basis.projektstart;
                    const CLaufErgebnis r = Lauf(bearbeitet);
                    ASSERT_EQ(r.projektstart, basis.projektstart);
                    ASSERT_EQ(r.anzahl, basis.anzahl);
                    const std::string fall =
                        std::string(pfad) + " " + std::string(e.felder[feld].Name()) + " " + std::to_string(jahre);
                    int gemeinsam = 0;
                    for (const auto& [jahr, ist] : IstJeJahr(r)) {
                        if (const auto it = eigen.find(jahr); it != eigen.end()) {
                            EXPECT_EQ(ist, it->second) << fall << " " << jahr << (bedarf ? " Bedarf" : "");
                            ++gemeinsam;
                        }
                    }
                    EXPECT_GE(gemeinsam, basis.anzahl - 3) << fall;
                }
            }
        }
    }
}

// Grenzfaelle's 33 years are the run's limit: a start moved earlier used to
// leave the variation's last years beyond its own 33, and P90 of 2033 showed
// the rest fields alone (56.0). Every percentile of the last years holds the
// fields that still produce.
TEST(Bandbreiten, StartMovedEarlierKeepsTheOtherFieldsInTheLastYears)
{
    CLaufEingabe e = LaufEingabeAus(KALVO_GRENZFAELLE);
    e.threads = 1;
    const CLaufErgebnis basis = Lauf(e);
    ASSERT_EQ(basis.projektstart + basis.anzahl - 1, 2033);
    struct Fall {
        const char* zeile;
        double mindestens2033; // Mio m³: the Ist of 2033 without the moved field is at least this
    };
    const Fall faelle[] = {
        {"Bergheide_Rest;Startverzoegerung;-2;0", 150},
        {"Tiefenrand;Startverzoegerung;-2;0", 150},
        {"*;Startverzoegerung;-2;2", 60},
    };
    for (const Fall& f : faelle) {
        const auto spannen = BandbreitenLesen(std::string("Feld;Groesse;Tief;Hoch\n") + f.zeile + "\n", e.felder);
        ASSERT_TRUE(spannen) << spannen.Fehlertext();
        const CUnsicherheit u = Wert(MonteCarlo(e, *spannen, 30, 3, 2));
        ASSERT_EQ(u.jahre.size(), size_t(basis.anzahl)) << f.zeile;
        for (int jahr : {2031, 2032, 2033}) {
            const CUnsicherheitsjahr& j = u.jahre[size_t(jahr - basis.projektstart)];
            const double rest = basis.restProduktion[jahr - basis.projektstart];
            EXPECT_GT(j.p90, rest + 1) << f.zeile << " " << jahr;
            EXPECT_GT(j.p50, rest + 1) << f.zeile << " " << jahr;
            EXPECT_GT(j.p10, rest + 1) << f.zeile << " " << jahr;
        }
        EXPECT_GE(u.jahre.back().p90, f.mindestens2033) << f.zeile;
    }
    // The sensitivities' Tief: the cumulative over the base run's 33 years
    // (a start two years earlier had given Bergheide_Rest 11930.8 and
    // Tiefenrand the base value, their last years cut).
    const auto spannen = BandbreitenLesen(
        "Feld;Groesse;Tief;Hoch\nBergheide_Rest;Startverzoegerung;-2;0\nTiefenrand;Startverzoegerung;-2;0\n", e.felder);
    ASSERT_TRUE(spannen) << spannen.Fehlertext();
    const CSensitivitaetsErgebnis s = Wert(Sensitivitaeten(e, *spannen, {}, 1));
    EXPECT_EQ(s.erstesJahr, 2001);
    EXPECT_EQ(s.letztesJahr, 2033);
    const std::vector<std::string> tabelle = SensitivitaetsTabelle(s);
    ASSERT_EQ(tabelle.size(), 7u);
    EXPECT_EQ(tabelle[5], "  Bergheide_Rest     Startverzoegerung     12254.8     12535.8     12535.8");
    EXPECT_EQ(tabelle[6], "  Tiefenrand         Startverzoegerung     12668.5     12535.8     12535.8");
}

// The triangular draw is the inverse of the distribution function: exact at
// known u (its ends, the mode at u = (c − a)/(b − a), the median), its mean
// (a + b + c)/3 and its mode at c.
TEST(Bandbreiten, TriangularDrawsAtKnownUTheirMeanAndTheirMode)
{
    struct Fall {
        double a, c, b, u, wert;
    };
    const double fastEins = 1.0 - 0x1.0p-53;
    const Fall faelle[] = {
        {1, 2, 4, 0.0, 1},
        {1, 2, 4, 1.0 / 3.0, 2},
        {1, 2, 4, 0.1, 1.547722557505166}, // a + √(u (b − a)(c − a))
        {1, 2, 4, 0.5, 2.267949192431123}, // b − √((1 − u)(b − a)(b − c)): the median
        {1, 2, 4, fastEins, 4 - std::sqrt(0x1.0p-53 * 6)},
        {0, 0, 1, 0.0, 0},                   // mode at the low end
        {0, 0, 1, 0.25, 0.1339745962155614}, // 1 − √0.75
        {0, 1, 1, 0.25, 0.5},                // mode at the high end: √u
        {0, 1, 1, 0.99, 0.99498743710662},
        {5, 5, 5, 0.7, 5},     // no width
        {-2, 0, 2, 0.5, 0},    // symmetric: the median is the mode
        {-2, 0, 2, 0.125, -1}, // −2 + √(0.125 · 4 · 2)
        {-2, 0, 2, 0.875, 1},
    };
    for (const Fall& f : faelle)
        EXPECT_NEAR(Dreieck(f.a, f.c, f.b, f.u), f.wert, 1e-12) << f.a << " " << f.c << " " << f.b << " " << f.u;

    for (const auto& [a, c, b] : {std::tuple{1.0, 2.0, 4.0}, std::tuple{0.0, 0.0, 1.0}, std::tuple{80.0, 100.0, 120.0},
                                  std::tuple{-2.0, 1.5, 2.0}}) {
        // Over an even grid of u the mean is the distribution's own.
        const int n = 200000;
        double summe = 0;
        for (int k = 0; k < n; ++k)
            summe += Dreieck(a, c, b, (k + 0.5) / n);
        EXPECT_NEAR(summe / n, (a + b + c) / 3, 1e-6 * (b - a)) << a << " " << c << " " << b;
        // The mode: where the values lie densest, the steps of u give the
        // smallest steps of the value, at u = (c − a)/(b − a).
        const int m = 10000;
        int dichtest = 0;
        double kleinster = b - a;
        for (int k = 0; k < m; ++k) {
            const double schritt = Dreieck(a, c, b, double(k + 1) / m) - Dreieck(a, c, b, double(k) / m);
            if (schritt < kleinster) {
                kleinster = schritt;
                dichtest = k;
            }
        }
        EXPECT_NEAR(double(dichtest) / m, (c - a) / (b - a), 2.0 / m) << a << " " << c << " " << b;
        // As the runs draw them (Tief, the document's value, Hoch): the mean
        // within 4.5 standard errors, half of them below the median.
        CSpanne spanne;
        spanne.tief = a;
        spanne.basis = c;
        spanne.hoch = b;
        const std::vector<CSpanne> zwei = {spanne, spanne};
        double gezogen = 0;
        int unten = 0;
        const int laeufe = 20000;
        const double median = Dreieck(a, c, b, 0.5);
        for (int k = 0; k < laeufe; ++k) {
            for (const double w : LaufWerte(zwei, 1, k)) {
                gezogen += w;
                unten += w < median ? 1 : 0;
            }
        }
        const double sigma = std::sqrt((a * a + b * b + c * c - a * b - a * c - b * c) / 18);
        EXPECT_NEAR(gezogen / (2 * laeufe), (a + b + c) / 3, 4.5 * sigma / std::sqrt(2.0 * laeufe))
            << a << " " << c << " " << b;
        EXPECT_NEAR(double(unten) / (2 * laeufe), 0.5, 4.5 * 0.5 / std::sqrt(2.0 * laeufe))
            << a << " " << c << " " << b;
    }
}

// The sensitivity table's order: widest |Hoch − Tief| first, whichever side is
// higher; rows of equal width keep the order of the ranges file.
TEST(Bandbreiten, SensitivitiesWidestFirstAndStableForTies)
{
    struct Zeile {
        const char* feld;
        double tief, hoch;
    };
    const std::vector<Zeile> eingang = {{"A", 10, 12}, {"B", 20, 10}, {"C", 5, 9},  {"D", 7, 5},
                                        {"E", 1, 1},   {"F", 3, 7},   {"G", 0, -10}};
    std::vector<CSensitivitaet> zeilen;
    for (const Zeile& z : eingang)
        zeilen.push_back({z.feld, EGroesse::OGIP, z.tief, 0, z.hoch});
    SensitivitaetenOrdnen(zeilen);
    std::string reihenfolge;
    for (const CSensitivitaet& z : zeilen)
        reihenfolge += z.feld;
    EXPECT_EQ(reihenfolge, "BGCFADE");
    // Many rows of a few widths (std::sort would mix a long run of ties).
    zeilen.clear();
    for (int k = 0; k < 60; ++k)
        zeilen.push_back({std::to_string(k), EGroesse::OGIP, 0, 0, double((k * 7) % 3) * ((k % 2) ? 1 : -1)});
    SensitivitaetenOrdnen(zeilen);
    for (size_t k = 1; k < zeilen.size(); ++k) {
        const double vorher = std::fabs(zeilen[k - 1].hoch), jetzt = std::fabs(zeilen[k].hoch);
        EXPECT_GE(vorher, jetzt) << k;
        if (vorher == jetzt) {
            EXPECT_LT(std::stoi(zeilen[k - 1].feld), std::stoi(zeilen[k].feld)) << k;
        }
    }

    // On the sample: every row is a run, the table in that order.
    const CLaufEingabe e = Beispiel();
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;C-Wert;90 %;110 %\n*;OGIP;80 %;120 %\n"
                                          "Heidemoor;Startverzoegerung;-1;2\n",
                                          e.felder);
    ASSERT_TRUE(spannen) << spannen.Fehlertext();
    const CSensitivitaetsErgebnis s = Wert(Sensitivitaeten(e, *spannen, {}, 2));
    ASSERT_EQ(s.zeilen.size(), spannen->size());
    for (size_t k = 1; k < s.zeilen.size(); ++k)
        EXPECT_GE(std::fabs(s.zeilen[k - 1].hoch - s.zeilen[k - 1].tief),
                  std::fabs(s.zeilen[k].hoch - s.zeilen[k].tief))
            << k;
    EXPECT_EQ(Wert(Sensitivitaeten(e, *spannen, {}, 1)).zeilen.size(), s.zeilen.size());
}

// A field's record at a ranged value: the head value, and the stage rows
// following it (C-Wert and Kopfdruck by the same factor, 0 kept; well counts
// by the factor of the rounded head count, rounded, at least 1; a start delay
// moves the start and every stage row by whole years).
TEST(Bandbreiten, VariedRecordScalesAndMovesItsStageRows)
{
    CFeldwerte f = FeldA(); // 2003, 6 wells, C 0.0125, 60 bar, OGIP 8000
    CStufen stufen{};
    stufen[0] = {2006, 0, 40, 3, 0.01f, 0};
    stufen[1] = {2009, 7000, 0, 5, 0, 0};
    stufen[2] = {2012, 0, 30, 1, 0.005f, 40};
    const CFeldsatz satz(Feldsatz(f, stufen));
    ASSERT_EQ(satz.Werte().m_iBohrungen, 6);
    struct Fall {
        EGroesse g;
        double wert;
        double kopf;                       // the head value after the change
        std::array<int, 3> jahr;           // stage rows' years
        std::array<int, 3> bohrungen;      // stage rows' wells
        std::array<float, 3> cwert, druck; // stage rows' C-Werte and wellhead pressures
        int beginn;
    };
    const Fall faelle[] = {
        {EGroesse::CWert, 0.025, 0.025, {2006, 2009, 2012}, {3, 5, 1}, {0.02f, 0, 0.01f}, {40, 0, 30}, 2003},
        {EGroesse::Kopfdruck, 30, 30, {2006, 2009, 2012}, {3, 5, 1}, {0.01f, 0, 0.005f}, {20, 0, 15}, 2003},
        {EGroesse::Bohrungen, 9, 9, {2006, 2009, 2012}, {5, 8, 2}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2003},
        {EGroesse::Bohrungen, 2.6, 3, {2006, 2009, 2012}, {2, 3, 1}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2003},
        {EGroesse::Bohrungen, 0.2, 1, {2006, 2009, 2012}, {1, 1, 1}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2003},
        {EGroesse::Startverzoegerung, 2, 0, {2008, 2011, 2014}, {3, 5, 1}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2005},
        {EGroesse::Startverzoegerung, -1.4, 0, {2005, 2008, 2011}, {3, 5, 1}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2002},
        {EGroesse::Startverzoegerung, -1.6, 0, {2004, 2007, 2010}, {3, 5, 1}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2001},
        {EGroesse::Startverzoegerung, 2.6, 0, {2009, 2012, 2015}, {3, 5, 1}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2006},
        {EGroesse::OGIP, 6000, 6000, {2006, 2009, 2012}, {3, 5, 1}, {0.01f, 0, 0.005f}, {40, 0, 30}, 2003},
    };
    for (const Fall& fall : faelle) {
        const CFeldsatz a = Abgewandelt(satz, {{fall.g, fall.wert}});
        const std::string name = std::string(GroessenName(fall.g)) + " " + std::to_string(fall.wert);
        if (fall.g != EGroesse::Startverzoegerung) {
            EXPECT_FLOAT_EQ(float(Grundwert(a, fall.g)), float(fall.kopf)) << name;
        }
        EXPECT_EQ(a.Werte().m_iFoerderbeginn, fall.beginn) << name;
        for (size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(a.Stufen()[k].m_iStufeAbJahr, fall.jahr[k]) << name << " " << k;
            EXPECT_EQ(a.Stufen()[k].m_iStufeBohrungen, fall.bohrungen[k]) << name << " " << k;
            EXPECT_FLOAT_EQ(a.Stufen()[k].m_fStufeCWert, fall.cwert[k]) << name << " " << k;
            EXPECT_FLOAT_EQ(a.Stufen()[k].m_fStufeKopfdruck, fall.druck[k]) << name << " " << k;
        }
        EXPECT_EQ(a.Stufen()[3].m_iStufeAbJahr, 0) << name; // an empty row stays empty
        EXPECT_EQ(a.Stufen()[3].m_iStufeBohrungen, 0) << name;
        EXPECT_EQ(a.Stufen()[3].m_fStufeCWert, 0.0f) << name;
        EXPECT_EQ(a.Stufen()[2].m_fStufeKonsAnteil, 40.0f) << name;
    }
    // Two values of one field together, and the untouched values stay.
    const CFeldsatz beide = Abgewandelt(satz, {{EGroesse::OGIP, 9000}, {EGroesse::A1, 90}});
    EXPECT_EQ(beide.Werte().m_fOGIP, 9000.0f);
    EXPECT_EQ(beide.Werte().m_fA1, 90.0f);
    EXPECT_EQ(beide.Werte().m_fCWert, satz.Werte().m_fCWert);
    EXPECT_EQ(beide.Werte().m_fWasserinvasion, satz.Werte().m_fWasserinvasion);
}

// The ends of a range as the file writes them: values, or percent of the
// field's own value ("80 %", "80%", "120,5 %").
TEST(Bandbreiten, RangeEndsInValuesOrPercentOfTheFieldsValue)
{
    const CLaufEingabe e = Beispiel();
    const int i = FeldIndex(e.felder, "Heidemoor");
    const double ogip = e.felder[size_t(i)].Werte().m_fOGIP;
    struct Fall {
        const char *tief, *hoch;
        double t, h;
    };
    const Fall faelle[] = {
        {"80 %", "120 %", 0.8 * ogip, 1.2 * ogip},
        {"80%", "120%", 0.8 * ogip, 1.2 * ogip},
        {"99,5 %", "100,5 %", 0.995 * ogip, 1.005 * ogip},
        {"7000", "12000", 7000, 12000},
        {"7000", "150 %", 7000, 1.5 * ogip},
        {"100 %", "100 %", ogip, ogip},
    };
    for (const Fall& f : faelle) {
        const auto r = BandbreitenLesen(
            std::string("Feld;Groesse;Tief;Hoch\nHeidemoor;OGIP;") + f.tief + ";" + f.hoch + "\n", e.felder);
        ASSERT_TRUE(r) << f.tief << " " << r.Fehlertext();
        ASSERT_EQ(r->size(), 1u);
        EXPECT_NEAR((*r)[0].tief, f.t, 1e-9 * ogip) << f.tief;
        EXPECT_NEAR((*r)[0].hoch, f.h, 1e-9 * ogip) << f.hoch;
        EXPECT_EQ((*r)[0].basis, ogip);
        EXPECT_EQ((*r)[0].feld, i);
    }
}

// Each run draws from its own stream (the seed and its number): one run is
// run 0 of every study with that seed, the table does not depend on the
// threads, and another seed gives other runs.
TEST(Bandbreiten, EachRunDrawsFromItsOwnStream)
{
    const CLaufEingabe e = Beispiel();
    const auto spannen = BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;OGIP;70 %;130 %\n*;C-Wert;70 %;130 %\n", e.felder);
    ASSERT_TRUE(spannen);
    const CUnsicherheit eins = Wert(MonteCarlo(e, *spannen, 1, 5, 1));
    const CUnsicherheit zwei = Wert(MonteCarlo(e, *spannen, 2, 5, 2));
    ASSERT_EQ(eins.jahre.size(), zwei.jahre.size());
    bool verschieden = false;
    for (size_t j = 0; j < eins.jahre.size(); ++j) {
        EXPECT_EQ(eins.jahre[j].p90, eins.jahre[j].p10);
        // Run 0 of the two runs is the one run: the lower or the higher.
        EXPECT_TRUE(zwei.jahre[j].p90 == eins.jahre[j].p50 || zwei.jahre[j].p10 == eins.jahre[j].p50) << j;
        verschieden = verschieden || zwei.jahre[j].p90 != zwei.jahre[j].p10;
    }
    EXPECT_TRUE(verschieden);
    const std::vector<std::string> t1 = UnsicherheitsTabelle(Wert(MonteCarlo(e, *spannen, 25, 5, 1)));
    EXPECT_EQ(t1, UnsicherheitsTabelle(Wert(MonteCarlo(e, *spannen, 25, 5, 2))));
    EXPECT_EQ(t1, UnsicherheitsTabelle(Wert(MonteCarlo(e, *spannen, 25, 5, 3))));
    EXPECT_NE(t1, UnsicherheitsTabelle(Wert(MonteCarlo(e, *spannen, 25, 6, 2))));
    // Streams of other runs and other seeds differ from their first number on.
    EXPECT_NE(LaufZufall(5, 0)(), LaufZufall(5, 1)());
    EXPECT_NE(LaufZufall(5, 0)(), LaufZufall(6, 0)());
    EXPECT_NE(LaufZufall(uint64_t{1} << 32, 0)(), LaufZufall(0, 0)());
}

// A job that throws (the memory ran out) stops the others and ends the study
// with a German message; the program goes on.
TEST(Bandbreiten, AllocationFailureOnAStudyThreadEndsTheStudyWithAMessage)
{
    for (int threads : {1, 2, 4}) {
        std::atomic<int> gelaufen{0};
        const CErgebnis<> r = Parallel(1000, threads, CFeldspeicher{}, [&](int k, CFeldspeicher&) {
            ++gelaufen;
            if (k == 3)
                throw std::bad_alloc();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            return true;
        });
        ASSERT_FALSE(r) << threads;
        EXPECT_EQ(r.Fehlertext(), "Der Arbeitsspeicher reicht für diese Studie nicht aus; sie wurde abgebrochen. "
                                  "Weniger Läufe oder weniger Bandbreiten brauchen weniger Speicher.");
        EXPECT_LT(gelaufen.load(), 100) << threads; // the others stopped
    }
    // Any other failure of a run ends the study too.
    const CErgebnis<> anders = Parallel(10, 2, CFeldspeicher{}, [](int k, CFeldspeicher&) -> bool {
        if (k == 5)
            throw std::runtime_error("x");
        return true;
    });
    EXPECT_EQ(anders.Fehlertext(), "Ein Lauf der Studie ist fehlgeschlagen; die Studie wurde abgebrochen.");
    // Every job runs once when none fails; false stops the rest.
    std::vector<std::atomic<int>> einmal(50);
    EXPECT_TRUE(Parallel(50, 3, CFeldspeicher{}, [&](int k, CFeldspeicher&) { return ++einmal[size_t(k)] > 0; }));
    for (const auto& z : einmal)
        EXPECT_EQ(z.load(), 1);
    std::atomic<int> bisHalt{0};
    EXPECT_TRUE(Parallel(50, 1, CFeldspeicher{}, [&](int k, CFeldspeicher&) {
        ++bisHalt;
        return k < 9;
    }));
    EXPECT_EQ(bisHalt.load(), 10);
}

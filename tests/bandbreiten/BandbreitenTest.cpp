// Ranges of field values: the file, sensitivities and Monte Carlo.
#include "bandbreiten/Bandbreiten.h"
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "platform/Meldungen.h"
#include "summary/Jahresreihen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

CLaufEingabe Beispiel()
{
    CLaufEingabe e = LaufEingabeAus(KALVO_BEISPIEL);
    e.threads = 1;
    return e;
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
    const CSensitivitaetsErgebnis s = Sensitivitaeten(e, *spannen, {}, 1);
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
    EXPECT_EQ(t[3], "  FELD               GROESSE               TIEF       BASIS        HOCH");
    EXPECT_EQ(t[5].substr(0, 47), "  Heidemoor          OGIP               25448.6");
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
    const CUnsicherheit eins = MonteCarlo(e, *spannen, 40, 7, 1);
    const CUnsicherheit zwei = MonteCarlo(e, *spannen, 40, 7, 2);
    EXPECT_EQ(UnsicherheitsTabelle(eins), UnsicherheitsTabelle(zwei));
    EXPECT_NE(UnsicherheitsTabelle(eins), UnsicherheitsTabelle(MonteCarlo(e, *spannen, 40, 8, 2)));
    ASSERT_EQ(eins.jahre.size(), 29u);
    for (const CUnsicherheitsjahr& j : eins.jahre) {
        EXPECT_LE(j.p90, j.p50) << j.jahr;
        EXPECT_LE(j.p50, j.p10) << j.jahr;
    }

    // Zero width: every run is the base run, to the summary's printed IST.
    const auto null =
        BandbreitenLesen("Feld;Groesse;Tief;Hoch\n*;OGIP;100 %;100 %\n*;Kopfdruck;100 %;100 %\n", e.felder);
    ASSERT_TRUE(null);
    const CUnsicherheit u = MonteCarlo(e, *null, 5, 1, 2);
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
    EXPECT_TRUE(MonteCarlo(e, *spannen, 40, 7, 2, [](int fertig) { return fertig < 3; }).jahre.empty());
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
    doc.UnsicherheitSetzen(MonteCarlo(doc.LaufEingabe(), *spannen, 3, 1, 1));
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

#include "Testdaten.h"
#include "batch/CBatch.h"
#include "platform/Datei.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

struct CAufruf {
    int status = -1;
    std::string aus, fehler;
};

CAufruf Batch(std::vector<std::string> args)
{
    std::ostringstream aus, fehler;
    CAufruf a;
    a.status = KalvoBatch(args, aus, fehler);
    a.aus = aus.str();
    a.fehler = fehler.str();
    return a;
}

std::string TempDatei(const std::string& name, const std::string& inhalt)
{
    const auto pfad = std::filesystem::temp_directory_path() / ("kalvo_test_" + name);
    EXPECT_TRUE(DateiAtomarSchreiben(pfad.string(), inhalt));
    return pfad.string();
}

} // namespace

TEST(Batch, UsageErrorsExitWithOneAndTheUsageText)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"--gibtsnicht", "a.kvo"}, {"--ende"}, {"--ende", "abc", "a.kvo"}, {"a.kvo", "b.kvo"}}) {
        const CAufruf a = Batch(args);
        EXPECT_EQ(a.status, 1);
        EXPECT_NE(a.fehler.find("Aufruf: kalvo-batch"), std::string::npos);
    }
    const CAufruf hilfe = Batch({"--help"});
    EXPECT_EQ(hilfe.status, 0);
    EXPECT_NE(hilfe.aus.find("--einzelfeld NAME"), std::string::npos);
}

TEST(Batch, UnreadableFileExitsWithTwoNamingTheFile)
{
    const std::string kaputt = TempDatei("kaputt.kvo", "kein Kalvo");
    const CAufruf a = Batch({kaputt});
    EXPECT_EQ(a.status, 2);
    EXPECT_NE(a.fehler.find(kaputt), std::string::npos);
    EXPECT_EQ(Batch({"/gibt/es/nicht.kvo"}).status, 2);
}

TEST(Batch, PrintsTheReportOfEachMode)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    CFeldwerte sued = MethanFeld("Süd", 2005);
    doc.m_saFelder = {Feldsatz(FeldA()), Feldsatz(sued)};
    const std::string pfad = TempDatei("zwei.kvo", doc.Speichern());

    const CAufruf alle = Batch({pfad});
    EXPECT_EQ(alle.status, 0);
    EXPECT_NE(alle.aus.find("ZUSAMMENFASSUNG DER ERGEBNISSE"), std::string::npos);
    EXPECT_NE(alle.aus.find("\n  2003 "), std::string::npos);
    EXPECT_NE(alle.aus.find("\n  2030 "), std::string::npos);

    const CAufruf reserven = Batch({"--reserven", pfad});
    EXPECT_NE(reserven.aus.find("Zusammenstellung der Feldesreserven"), std::string::npos);
    EXPECT_NE(reserven.aus.find("   Süd   "), std::string::npos);

    const CAufruf cp = Batch({"--reserven", "--cp1252", pfad});
    EXPECT_NE(cp.aus.find("   S\xFC"
                          "d   "),
              std::string::npos);

    const CAufruf einzeln = Batch({"--einzelfeld", "Süd", "--ende", "2010", pfad});
    EXPECT_EQ(einzeln.status, 0);
    EXPECT_EQ(einzeln.aus.substr(0, 39), "  PROJEKTSTART: 2005 PROJEKTENDE: 2010\n");
    EXPECT_EQ(Batch({"--einzelfeld", "Nord", pfad}).status, 1);

    const CAufruf detail = Batch({"--detail", pfad});
    EXPECT_NE(detail.aus.find("GASEIGENSCHAFTEN DES FELDES FeldA"), std::string::npos);
    EXPECT_NE(detail.aus.find("DAUERLASTRATEN DES FELDES Süd"), std::string::npos);
}

TEST(Batch, CsvIsASpreadsheetTableWithDecimalComma)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    doc.m_saFelder = {Feldsatz(FeldA())};
    doc.m_saVerkaufsprofil = {"2003  100.5  13000.0", "2004  100.5  13000.0"};
    doc.m_iProjektende = 2005;
    const std::string pfad = TempDatei("csv.kvo", doc.Speichern());
    const std::string csv = (std::filesystem::temp_directory_path() / "kalvo_test.csv").string();
    ASSERT_EQ(Batch({"--csv", csv, pfad}).status, 0);
    std::string inhalt = DateiInhalt(csv);
    EXPECT_EQ(inhalt.substr(0, 8), "\xEF\xBB\xBFJahr;");
    EXPECT_NE(inhalt.find("\r\n2003;0,000;0,0;"), std::string::npos);
    EXPECT_NE(inhalt.find(";100,500;13000,0;"), std::string::npos);
    EXPECT_NE(inhalt.find("\r\n2005;"), std::string::npos);
    EXPECT_EQ(inhalt.find("\r\n2006;"), std::string::npos);
    EXPECT_EQ(Batch({"--csv", "/gibt/es/nicht/x.csv", pfad}).status, 2);
}

TEST(Batch, ProposalForAFieldOrTheRefusalOfTheDialog)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    CFeldwerte zuHoch = FeldA();
    zuHoch.m_sFeldname = "ZuHoch";
    zuHoch.m_fKopfdruck = zuHoch.m_fPi;
    doc.m_saFelder = {Feldsatz(FeldA()), Feldsatz(zuHoch)};
    const std::string pfad = TempDatei("vorschlag.kvo", doc.Speichern());

    const CAufruf gut = Batch({"--vorschlag", "FeldA", pfad});
    EXPECT_EQ(gut.status, 0) << gut.fehler;
    EXPECT_EQ(gut.aus.substr(0, 35), "Gaseigenschaften des Feldes: FeldA\n");
    EXPECT_NE(gut.aus.find("\n\nA1: "), std::string::npos);
    EXPECT_EQ(gut.fehler, "");

    const CAufruf abgelehnt = Batch({"--vorschlag", "ZuHoch", pfad});
    EXPECT_EQ(abgelehnt.status, 2);
    EXPECT_EQ(abgelehnt.aus, "");
    EXPECT_EQ(abgelehnt.fehler, "kalvo-batch: Der Kopffliessdruck muß kleiner als der Initialdruck sein\n");
}

TEST(Batch, ChartSeriesAsJsonAndChartFiles)
{
    const std::string beispiel = KALVO_BEISPIEL;
    const CAufruf serien = Batch({"--serien", beispiel});
    EXPECT_EQ(serien.status, 0);
    EXPECT_EQ(serien.aus.substr(0, 48), "{\n  \"m_iProjektstart\": 2002,\n  \"m_iAnzahl\": 29,\n");
    EXPECT_NE(serien.aus.find("\"X\": [2002, 2003, "), std::string::npos);
    EXPECT_NE(serien.aus.find("\"m_sLegendeY\": \"Ist-Produktion (Mio m3/Jahr)\""), std::string::npos);
    EXPECT_NE(serien.aus.find("\"deltax\": 1,"), std::string::npos);
    EXPECT_NE(serien.aus.find("\"deltay1\": "), std::string::npos);
    EXPECT_EQ(serien.aus.substr(serien.aus.size() - 2), "}\n");

    const CAufruf reserven = Batch({"--serien", "--reserven", beispiel});
    EXPECT_NE(reserven.aus.find("\"m_sUntertitel\": \"Reserven aller Felder\""), std::string::npos);
    EXPECT_NE(reserven.aus.find("\"X\": [0, 1, 2, 3, 4]"), std::string::npos);

#ifdef KALVO_GRAFIK
    for (const char* endung : {".png", ".svg", ".pdf"}) {
        const std::string pfad =
            (std::filesystem::temp_directory_path() / (std::string("kalvo_test_grafik") + endung)).string();
        std::filesystem::remove(pfad);
        const CAufruf a = Batch({"--grafik", pfad, "--linien", beispiel});
        EXPECT_EQ(a.status, 0) << a.fehler;
        std::string inhalt = DateiInhalt(pfad);
        EXPECT_GT(inhalt.size(), 1000u);
        if (std::string(endung) == ".png") {
            EXPECT_EQ(inhalt.substr(1, 3), "PNG");
        } else if (std::string(endung) == ".pdf") {
            EXPECT_EQ(inhalt.substr(0, 5), "%PDF-");
        } else {
            EXPECT_NE(inhalt.find("Jahresproduktion aller Felder"), std::string::npos);
        }
    }
    EXPECT_EQ(Batch({"--grafik", "/tmp/kalvo_test_grafik.bmp", beispiel}).status, 2);
#endif
}

#ifdef KALVO_GRAFIK
TEST(Batch, ReservesChartOfOneFieldSaysSoOnce)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    doc.m_saFelder = {Feldsatz(FeldA())};
    const std::string pfad = TempDatei("eins.kvo", doc.Speichern());
    const std::string png = (std::filesystem::temp_directory_path() / "kalvo_test_eins.png").string();
    const CAufruf a = Batch({"--reserven", "--grafik", png, pfad});
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.fehler, "kalvo-batch: Das Diagramm benötigt mindestens 2 Felder\n");
}
#endif

// No output may replace the planning document or the variant it reads, also
// not through another spelling of the path or a link; nothing is written.
TEST(Batch, OutputOntoAnInputFileIsRefusedBeforeAnythingIsWritten)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    doc.m_saFelder = {Feldsatz(FeldA())};
    const std::string bytes = doc.Speichern();
    const std::string pfad = TempDatei("eingabe.kvo", bytes);
    const std::string variante = TempDatei("variante.kvo", bytes);
    const auto verweis = std::filesystem::temp_directory_path() / "kalvo_test_verweis.kvo";
    std::filesystem::remove(verweis);
    std::filesystem::create_symlink(pfad, verweis);
    const std::string umweg = (std::filesystem::temp_directory_path() / "." / "kalvo_test_eingabe.kvo").string();

    for (const auto& args : std::vector<std::vector<std::string>>{{"--csv", pfad, pfad},
                                                                  {"--csv", umweg, pfad},
                                                                  {"--csv", verweis.string(), pfad},
                                                                  {"--bericht-pdf", pfad, pfad},
                                                                  {"--grafik", pfad, pfad},
                                                                  {"--vergleich", variante, "--csv", variante, pfad}}) {
        const CAufruf a = Batch(args);
        EXPECT_EQ(a.status, 1) << args[1];
        EXPECT_NE(a.fehler.find("wird nicht überschrieben"), std::string::npos);
        EXPECT_TRUE(a.aus.empty());
    }
    std::string inhalt = DateiInhalt(pfad);
    EXPECT_EQ(inhalt, bytes);
    inhalt = DateiInhalt(variante);
    EXPECT_EQ(inhalt, bytes);
}

// A report that cannot be written (a full disk) is no success: status 2.
// A field the run leaves out is named at the report's end: status 3.
TEST(Batch, FailedStandardOutputAndIncompleteReportHaveTheirOwnStatus)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    CFeldwerte leer = MethanFeld("Leer", 2003);
    leer.m_fOGIP = 0;
    doc.m_saFelder = {Feldsatz(FeldA())};
    const std::string gut = TempDatei("gut.kvo", doc.Speichern());
    doc.m_saFelder.push_back(Feldsatz(leer));
    const std::string luecke = TempDatei("luecke.kvo", doc.Speichern());

    std::ostream voll(nullptr); // every write fails, as on /dev/full
    std::ostringstream fehler;
    EXPECT_EQ(KalvoBatch({gut}, voll, fehler), 2);
    EXPECT_NE(fehler.str().find("Die Standardausgabe konnte nicht geschrieben werden"), std::string::npos);

    const CAufruf a = Batch({luecke});
    EXPECT_EQ(a.status, 3);
    EXPECT_NE(a.aus.find("ZUSAMMENFASSUNG DER ERGEBNISSE"), std::string::npos);
    EXPECT_NE(a.aus.find("\n  Nicht berechnet: Leer – das OGIP ist nicht größer als 0\n"), std::string::npos);
    EXPECT_EQ(Batch({gut}).status, 0);
    EXPECT_NE(Batch({"--help"}).aus.find("3 Bericht unvollständig"), std::string::npos);
}

#include "Testdaten.h"
#include "batch/CBatch.h"
#include "platform/Cp1252.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

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
    // The version needs no document, as the installed package's check calls it.
    const CAufruf version = Batch({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.aus, std::string("kalvo-batch ") + KALVO_VERSION + "\n");
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

// --cp1252 holds for the proposal as for the report: the same text, in Windows-1252.
TEST(Batch, ProposalInWindows1252WithCp1252)
{
    const CAufruf utf8 = Batch({"--vorschlag", "Heidemoor", KALVO_BEISPIEL});
    const CAufruf cp = Batch({"--vorschlag", "Heidemoor", "--cp1252", KALVO_BEISPIEL});
    ASSERT_EQ(utf8.status, 0) << utf8.fehler;
    EXPECT_EQ(cp.status, 0) << cp.fehler;
    EXPECT_NE(utf8.aus.find("Viskosität nach Lee"), std::string::npos);
    EXPECT_NE(cp.aus.find("Viskosit\xE4t nach Lee"), std::string::npos);
    std::string erwartet;
    EXPECT_TRUE(Utf8ZuCp1252(utf8.aus, erwartet));
    EXPECT_EQ(cp.aus, erwartet);
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

namespace {

namespace fs = std::filesystem;

std::string Ersetzt(std::string text, const std::string& ordner)
{
    for (size_t p; (p = text.find("$O")) != std::string::npos;)
        text.replace(p, 2, ordner);
    return text;
}

} // namespace

// Every output asked for is written, or the call is refused before any file
// is: a combination that would drop an output, two outputs onto one file, a
// target that cannot be written, a check of the run that fails. A field that
// is not computed (status 3) still gets its files, as it gets its report.
TEST(Batch, EveryOutputIsWrittenOrTheCallIsRefusedBeforeAnyFile)
{
    const fs::path ordner = fs::temp_directory_path() / "kalvo_test_ausgaben";
    fs::remove_all(ordner);
    fs::create_directories(ordner / "ordner.csv");
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    doc.m_saFelder = {Feldsatz(FeldA())};
    const std::string gut = (ordner / "gut.kvo").string();
    ASSERT_TRUE(DateiAtomarSchreiben(gut, doc.Speichern()));
    CFeldwerte leer = MethanFeld("Leer", 2003);
    leer.m_fOGIP = 0;
    doc.m_saFelder.push_back(Feldsatz(leer));
    const std::string luecke = (ordner / "luecke.kvo").string();
    ASSERT_TRUE(DateiAtomarSchreiben(luecke, doc.Speichern()));
    fs::create_symlink("a.csv", ordner / "verweis.csv");

    struct CFall {
        std::vector<std::string> args; // $O is the test's folder
        int status;
        const char* meldung;              // a part of stderr ("" for none)
        std::vector<const char*> dateien; // written
    };
    const std::vector<CFall> faelle = {
        {{"--serien", "--csv", "$O/a.csv", "$O/gut.kvo"}, 0, "", {"a.csv"}},
        {{"--serien", "--felder-csv", "$O/f.csv", "--csv", "$O/a.csv", "$O/gut.kvo"}, 0, "", {"a.csv", "f.csv"}},
        {{"--vorschlag", "FeldA", "--felder-csv", "$O/f.csv", "$O/gut.kvo"}, 0, "", {"f.csv"}},
        {{"--vorschlag", "FeldA", "--csv", "$O/a.csv", "$O/gut.kvo"},
         1,
         "--csv gilt nicht mit --vorschlag: der Vorschlag für A1, B1, C-Wert rechnet keine Prognose.",
         {}},
        {{"--vorschlag", "FeldA", "--xlsx", "$O/a.xlsx", "$O/gut.kvo"}, 1, "--xlsx gilt nicht mit --vorschlag", {}},
        {{"--vorschlag", "FeldA", "--grafik", "$O/a.png", "$O/gut.kvo"}, 1, "--grafik gilt nicht mit --vorschlag", {}},
        {{"--vorschlag", "FeldA", "--serien", "$O/gut.kvo"}, 1, "--serien gilt nicht mit --vorschlag", {}},
        {{"--vorschlag", "FeldA", "--deckung", "$O/gut.kvo"}, 1, "--deckung gilt nicht mit --vorschlag", {}},
        {{"--vorschlag", "Nord", "--felder-csv", "$O/f.csv", "$O/gut.kvo"}, 1, "Das Feld „Nord“ gibt es nicht.", {}},
        {{"--csv", "$O/a.csv", "--felder-csv", "$O/a.csv", "$O/gut.kvo"},
         1,
         "--felder-csv und --csv schreiben beide in die Datei $O/a.csv; jede Ausgabe braucht ihre eigene Datei.",
         {}},
        {{"--csv", "$O/./a.csv", "--xlsx", "$O/a.csv", "$O/gut.kvo"}, 1, "schreiben beide in die Datei", {}},
        {{"--csv", "$O/verweis.csv", "--felder-csv", "$O/a.csv", "$O/gut.kvo"}, 1, "schreiben beide", {}},
        {{"--csv", "$O/gut.kvo", "$O/./gut.kvo"}, 1, "ist die Eingabedatei", {}},
        {{"--csv", "$O/fehlt/a.csv", "--felder-csv", "$O/f.csv", "$O/gut.kvo"},
         2,
         "kalvo-batch: $O/fehlt/a.csv: Die Datei kann nicht angelegt werden (der Ordner $O/fehlt: nicht gefunden).",
         {}},
        {{"--felder-csv", "$O/f.csv", "--csv", "$O/ordner.csv", "$O/gut.kvo"},
         2,
         "kalvo-batch: $O/ordner.csv: Das ist ein Verzeichnis, keine Datei; es wird nicht ersetzt.",
         {}},
        {{"--csv", "$O/a.csv", "--grafik", "$O/a.bmp", "$O/gut.kvo"},
         2,
#ifdef KALVO_GRAFIK
         "kalvo-batch: $O/a.bmp: Unbekanntes Grafikformat; möglich sind .png, .svg und .pdf.",
#else
         "--grafik: Diese Ausgabe wurde ohne Grafik gebaut.",
#endif
         {}},
        {{"--felder-csv", "$O/f.csv", "--einzelfeld", "Nord", "$O/gut.kvo"}, 1, "Das Feld „Nord“ gibt es nicht.", {}},
        {{"--felder-csv", "$O/f.csv", "--csv", "$O/a.csv", "--plateau", "99", "$O/gut.kvo"},
         1,
         "--plateau 99: das Projekt hat nur",
         {}},
        {{"--csv", "$O/a.csv", "--vergleich", "$O/fehlt.kvo", "$O/gut.kvo"}, 2, "$O/fehlt.kvo: ", {}},
        {{"--csv", "$O/a.csv", "--felder-csv", "$O/f.csv", "$O/luecke.kvo"}, 3, "", {"a.csv", "f.csv"}},
    };
    for (const CFall& f : faelle) {
        std::vector<std::string> args;
        for (const std::string& a : f.args)
            args.push_back(Ersetzt(a, ordner.string()));
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args[2]);
        for (const char* name : {"a.csv", "f.csv", "a.xlsx", "a.png"})
            fs::remove(ordner / name);
        const CAufruf a = Batch(args);
        EXPECT_EQ(a.status, f.status) << a.fehler;
        EXPECT_NE(a.fehler.find(Ersetzt(f.meldung, ordner.string())), std::string::npos) << a.fehler;
        for (const char* name : {"a.csv", "f.csv", "a.xlsx", "a.png"}) {
            const bool erwartet = std::find_if(f.dateien.begin(), f.dateien.end(), [&](const char* d) {
                                      return std::string(d) == name;
                                  }) != f.dateien.end();
            EXPECT_EQ(fs::exists(ordner / name), erwartet) << name;
        }
    }
    EXPECT_EQ(DateiInhalt(ordner / "a.csv").find("\xEF\xBB\xBFJahr;"), 0u);
    fs::remove_all(ordner);
}

// Outputs onto a pipe and onto a character device are written in place: the
// pipe's reader gets the bytes, the device stays a device.
TEST(Batch, OutputsOntoAPipeOrADeviceAreWrittenInPlace)
{
    const fs::path ordner = fs::temp_directory_path() / "kalvo_test_rohre";
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    // A device like /dev/null made here when the test may (root), so that the
    // system's own is never at stake.
    fs::path null = "/dev/null";
    if (::geteuid() == 0 && ::mknod((ordner / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        null = ordner / "null";

    struct CFall {
        const char* option;
        const char* anfang; // the first bytes the reader gets
    };
    const std::vector<CFall> faelle = {
        {"--csv", "\xEF\xBB\xBFJahr;"},
        {"--felder-csv", "\xEF\xBB\xBF"
                         "Feld;"},
#ifdef KALVO_GRAFIK
        {"--xlsx", "PK"},
        {"--bericht-pdf", "%PDF-"},
#endif
    };
    for (const CFall& f : faelle) {
        SCOPED_TRACE(f.option);
        const fs::path rohr = ordner / "rohr";
        fs::remove(rohr);
        ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
        CLeser leser(rohr);
        const CAufruf a = Batch({f.option, rohr.string(), KALVO_BEISPIEL});
        EXPECT_EQ(a.status, 0) << a.fehler;
        EXPECT_EQ(leser.Ende().substr(0, std::string(f.anfang).size()), f.anfang);
        EXPECT_TRUE(fs::is_fifo(rohr));

        const CAufruf n = Batch({f.option, null.string(), KALVO_BEISPIEL});
        EXPECT_EQ(n.status, 0) << n.fehler;
        EXPECT_TRUE(fs::is_character_file(null));
    }
    // Two outputs onto one device follow one another, as the report and
    // --csv /dev/stdout do; onto one pipe they are refused (its reader would
    // end with the first, the second wait for ever).
    const CAufruf zwei =
        Batch({"--felder-csv", (ordner / "rohr").string(), "--csv", (ordner / "rohr").string(), KALVO_BEISPIEL});
    EXPECT_EQ(zwei.status, 1);
    EXPECT_NE(zwei.fehler.find("--felder-csv und --csv schreiben beide in die Datei"), std::string::npos);
    const CAufruf null2 = Batch({"--csv", null.string(), "--felder-csv", null.string(), KALVO_BEISPIEL});
    EXPECT_EQ(null2.status, 0) << null2.fehler;
    EXPECT_TRUE(fs::is_character_file(null));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    fs::remove_all(ordner);
}

// A message quotes at most 40 characters of a bad value.
TEST(Batch, AMessageQuotesAtMostFortyCharactersOfABadValue)
{
    const std::string lang(5000, '7');
    struct CFall {
        std::vector<std::string> args;
        std::string meldung;
    };
    const std::vector<CFall> faelle = {
        {{"--ende", "abc", "a.kvo"}, "kalvo-batch: --ende braucht ein Jahr (1 bis 9999), nicht „abc“.\n"},
        {{"--ende", lang, "a.kvo"},
         "kalvo-batch: --ende braucht ein Jahr (1 bis 9999), nicht „" + std::string(40, '7') + "…“.\n"},
        {{"--monte-carlo", "0", "a.kvo"},
         "kalvo-batch: --monte-carlo braucht eine Zahl von Läufen (1 bis 1000000), nicht „0“.\n"},
        {{"--" + lang, "a.kvo"}, "kalvo-batch: Unbekannte Option „--" + std::string(38, '7') + "…“.\n"},
        {{"--eigenverbrauch", "2\x01", "a.kvo"},
         "kalvo-batch: --eigenverbrauch braucht einen Anteil in % (0 bis unter 100), nicht „2?“.\n"},
    };
    for (const CFall& f : faelle) {
        const CAufruf a = Batch(f.args);
        EXPECT_EQ(a.status, 1);
        EXPECT_EQ(a.fehler.substr(0, a.fehler.find('\n') + 1), f.meldung);
    }
}

// The command line's numbers follow the number rule of every typed number:
// a row per argument and the own use it gives (-1: refused with status 1).
TEST(Batch, OptionNumbersFollowTheNumberRule)
{
    const std::pair<const char*, double> faelle[] = {
        {"2,5", 2.5}, {"2.5", 2.5}, {"0", 0}, {"99,9", 99.9}, {"100", -1}, {"14.000", -1}, {"-1", -1}, {"x", -1},
    };
    for (const auto& [text, erwartet] : faelle) {
        std::ostringstream aus, fehler;
        const int status = KalvoBatch({"--energie", "--eigenverbrauch", text, KALVO_BEISPIEL}, aus, fehler);
        if (erwartet < 0) {
            EXPECT_EQ(status, 1) << text;
            EXPECT_NE(fehler.str().find("--eigenverbrauch braucht einen Anteil"), std::string::npos) << fehler.str();
        } else {
            EXPECT_EQ(status, 0) << text << fehler.str();
            EXPECT_NE(aus.str().find(Format("EIGENVERBRAUCH %.1f %%", erwartet)), std::string::npos) << text;
        }
    }
}

// The plan beside the document sets the options that change the figures: a
// run with it equals the run with those switches and no plan; --ohne-planung
// and a document without a plan file run with all of them off; a plan that
// cannot be read or breaks a rule ends with status 2 and no report.
TEST(Batch, ThePlanBesideTheDocumentSetsItsOptions)
{
    const auto ordner = std::filesystem::temp_directory_path() / "kalvo_test_planung";
    std::filesystem::remove_all(ordner);
    std::filesystem::create_directories(ordner);
    const std::string kvo = (ordner / "Plan.kvo").string();
    std::filesystem::copy_file(KALVO_BEISPIEL, kvo);
    const std::string plan = (ordner / "Plan.planung.json").string();
    const std::string andere = (ordner / "andere.json").string();
    const std::string mitOptionen = R"({"format": "kalvo-planung", "version": 1,
        "optionen": {"bedarf": true, "energie": true, "eigenverbrauch": 3.0}})";
    ASSERT_TRUE(DateiAtomarSchreiben(andere, R"({"format": "kalvo-planung", "version": 1,
        "optionen": {"deckung": true}})"));
    const struct {
        const char* planText; // beside the document; nullptr: none
        std::vector<std::string> args;
        int status;
        std::vector<std::string> wieOhnePlan; // the run without a plan it equals
        const char* meldung;                  // in stderr
    } faelle[] = {
        {nullptr, {}, 0, {}, ""},
        {mitOptionen.c_str(), {}, 0, {"--bedarf", "--energie", "--eigenverbrauch", "3"}, ""},
        {mitOptionen.c_str(), {"--eigenverbrauch", "0"}, 0, {"--bedarf", "--energie"}, ""},
        {mitOptionen.c_str(), {"--deckung"}, 0, {"--bedarf", "--energie", "--eigenverbrauch", "3", "--deckung"}, ""},
        {mitOptionen.c_str(), {"--ohne-planung"}, 0, {}, ""},
        {mitOptionen.c_str(), {"--planung", andere}, 0, {"--deckung"}, ""},
        {"{\"format\": \"kalvo-planung\",\n \"version\": 1,\n \"optionen\": {\"bedarf\": ja}}",
         {},
         2,
         {},
         "Plan.planung.json: Planungsdatei, Zeile 3: kein gültiges JSON."},
        {R"({"format": "kalvo-planung", "version": 1, "vertraege": [{"name": "Nord", "gasart": "X"}]})",
         {},
         2,
         {},
         "„vertraege[0].gasart“: unbekannte Gasart „X“ (L oder H)."},
        {nullptr, {"--planung", (ordner / "fehlt.json").string()}, 2, {}, "fehlt.json"},
    };
    for (const auto& f : faelle) {
        std::filesystem::remove(plan);
        if (f.planText) {
            ASSERT_TRUE(DateiAtomarSchreiben(plan, f.planText));
        }
        std::vector<std::string> args = f.args;
        args.push_back(kvo);
        const CAufruf a = Batch(args);
        EXPECT_EQ(a.status, f.status) << a.fehler;
        EXPECT_NE(a.fehler.find(f.meldung), std::string::npos) << a.fehler;
        if (f.status != 0) {
            EXPECT_TRUE(a.aus.empty());
            continue;
        }
        std::filesystem::remove(plan);
        std::vector<std::string> ohne = f.wieOhnePlan;
        ohne.push_back(kvo);
        EXPECT_EQ(a.aus, Batch(ohne).aus) << a.fehler;
    }
    std::filesystem::remove_all(ordner);
}

// --monate: the months of the years asked for, only with the plan's
// contracts and only years of the project; a refusal prints no report.
TEST(Batch, MonthsOfTheYearsAskedForWithContracts)
{
    const auto ordner = std::filesystem::temp_directory_path() / "kalvo_test_monate";
    std::filesystem::remove_all(ordner);
    std::filesystem::create_directories(ordner);
    const std::string kvo = (ordner / "Plan.kvo").string();
    std::filesystem::copy_file(KALVO_BEISPIEL, kvo);
    const std::string ohneVertrag = (ordner / "ohne.json").string();
    const std::string mitVertrag = (ordner / "mit.json").string();
    ASSERT_TRUE(DateiAtomarSchreiben(ohneVertrag, R"({"format": "kalvo-planung", "version": 1})"));
    ASSERT_TRUE(DateiAtomarSchreiben(mitVertrag, R"({"format": "kalvo-planung", "version": 1,
        "vertraege": [{"name": "Nord", "gasart": "L", "mengen": {"2003": 900, "2004": 800}}]})"));
    const struct {
        std::string plan, monate;
        int status;
        std::vector<std::string> titel; // the tables' headings, in order
        const char* meldung;
    } faelle[] = {
        {mitVertrag, "", 0, {}, ""}, // the budget year 2002 holds no quantity of the contract
        {mitVertrag, "2003-2004", 0, {"                 MONATE 2003", "                 MONATE 2004"}, ""},
        {mitVertrag, "2004", 0, {"                 MONATE 2004"}, ""},
        {mitVertrag, "2029-2031", 1, {}, "--monate 2029-2031: die Jahre liegen nicht im Projekt (2002 bis 2030)."},
        {ohneVertrag, "2003", 1, {}, "--monate gilt nur mit Verträgen der Planung."},
    };
    for (const auto& f : faelle) {
        std::vector<std::string> args = {"--planung", f.plan};
        if (!f.monate.empty())
            args.insert(args.end(), {"--monate", f.monate});
        args.push_back(kvo);
        const CAufruf a = Batch(args);
        EXPECT_EQ(a.status, f.status) << f.monate << a.fehler;
        EXPECT_NE(a.fehler.find(f.meldung), std::string::npos) << a.fehler;
        std::vector<std::string> titel;
        std::istringstream aus(a.aus);
        for (std::string zeile; std::getline(aus, zeile);)
            if (zeile.find("MONATE ") != std::string::npos)
                titel.push_back(zeile);
        EXPECT_EQ(titel, f.titel) << f.monate;
        if (f.status != 0) {
            EXPECT_TRUE(a.aus.empty());
        }
    }
    std::filesystem::remove_all(ordner);
}

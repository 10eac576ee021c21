// The field table as a spreadsheet file, out and in.
#include "model/Feldtabelle.h"
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "platform/Cp1252.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

CFeldsaetze Felder(const char* pfad)
{
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    EXPECT_TRUE(doc.Laden(DateiInhalt(pfad)));
    return doc.m_saFelder;
}

std::string Bericht(const std::vector<std::string>& argumente)
{
    std::ostringstream aus, fehler;
    KalvoBatch(argumente, aus, fehler);
    return aus.str();
}

} // namespace

// Written and read back, both samples give the same report byte for byte,
// a field named with an umlaut included.
TEST(Feldtabelle, WrittenAndReadBackGivesTheSameReport)
{
    const auto pfad = (std::filesystem::temp_directory_path() / "kalvo_feldtabelle.csv").string();
    for (const char* kvo : {KALVO_BEISPIEL, KALVO_GRENZFAELLE}) {
        const CFeldsaetze felder = Felder(kvo);
        const std::string csv = FeldtabelleCsv(felder);
        EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
        const CErgebnis<CFeldsaetze> gelesen = FeldtabelleLesen(csv);
        ASSERT_TRUE(gelesen) << gelesen.Fehlertext();
        ASSERT_EQ(gelesen->size(), felder.size());
        for (size_t i = 0; i < felder.size(); ++i) {
            EXPECT_EQ((*gelesen)[i].Name(), felder[i].Name());
            EXPECT_EQ((*gelesen)[i].Werte().m_fOGIP, felder[i].Werte().m_fOGIP);
            EXPECT_EQ((*gelesen)[i].Werte().m_fCWert, felder[i].Werte().m_fCWert);
        }
        std::ofstream(pfad, std::ios::binary) << csv;
        EXPECT_EQ(Bericht({"--felder-aus", pfad, kvo}), Bericht({kvo})) << kvo;
    }
    EXPECT_NE(FeldtabelleCsv(Felder(KALVO_BEISPIEL)).find("\r\nAltmark_Süd;2003;0,000;0,500;14,800;80,900;"),
              std::string::npos);
    std::filesystem::remove(pfad);
}

// What a spreadsheet saves: Windows-1252, decimal points, columns moved.
TEST(Feldtabelle, SpreadsheetFilesWithPointsAndOtherColumnOrderRead)
{
    const CFeldsaetze felder = Felder(KALVO_BEISPIEL);
    std::string csv = FeldtabelleCsv(felder).substr(3);
    std::replace(csv.begin(), csv.end(), ',', '.');
    // The first two columns swapped in the header and in every row.
    std::istringstream zeilen(csv);
    std::string neu, zeile;
    while (std::getline(zeilen, zeile)) {
        const size_t a = zeile.find(';'), b = zeile.find(';', a + 1);
        neu += zeile.substr(a + 1, b - a - 1) + ";" + zeile.substr(0, a) + zeile.substr(b) + "\n";
    }
    std::string cp1252;
    ASSERT_TRUE(Utf8ZuCp1252(neu, cp1252));
    const CErgebnis<CFeldsaetze> gelesen = FeldtabelleLesen(cp1252);
    ASSERT_TRUE(gelesen) << gelesen.Fehlertext();
    EXPECT_EQ((*gelesen)[0].Name(), "Altmark_Süd");
    EXPECT_EQ((*gelesen)[0].Werte().m_fPi, felder[0].Werte().m_fPi);
}

// A bad value in line 4 refuses the table with its line and rule.
TEST(Feldtabelle, ABadRowIsRefusedWithItsLine)
{
    const std::string csv = FeldtabelleCsv(Felder(KALVO_BEISPIEL));
    std::string falsch = csv;
    size_t zeile3 = 0;
    for (int k = 0; k < 3; ++k)
        zeile3 = falsch.find("\r\n", zeile3) + 2; // start of line 4
    std::string mitPi = falsch;
    // Line 4 is Heidemoor: its initial pressure beyond the table's 1000 bar.
    const size_t feld4 = zeile3;
    const size_t ende4 = falsch.find("\r\n", feld4);
    std::string z4 = falsch.substr(feld4, ende4 - feld4);
    std::vector<std::string> c;
    for (size_t v = 0, b; (b = z4.find(';', v)) != std::string::npos || v <= z4.size(); v = b + 1) {
        c.push_back(z4.substr(v, b == std::string::npos ? std::string::npos : b - v));
        if (b == std::string::npos)
            break;
    }
    c[20] = "5000";
    std::string z4neu;
    for (size_t k = 0; k < c.size(); ++k)
        z4neu += (k ? ";" : "") + c[k];
    mitPi.replace(feld4, ende4 - feld4, z4neu);
    EXPECT_EQ(FeldtabelleLesen(mitPi).Fehlertext(),
              "Zeile 4: " + c[0] + ": der Initialdruck (5000 bar) liegt nicht zwischen 1 und 1000 bar");
    c[20] = "viel";
    z4neu.clear();
    for (size_t k = 0; k < c.size(); ++k)
        z4neu += (k ? ";" : "") + c[k];
    std::string keineZahl = csv;
    keineZahl.replace(feld4, ende4 - feld4, z4neu);
    EXPECT_EQ(FeldtabelleLesen(keineZahl).Fehlertext(), "Zeile 4: „Initialdruck (bar)“ („viel“) ist keine Zahl.");
    EXPECT_EQ(FeldtabelleLesen("Feld;Startjahr\n").Fehlertext(), "Zeile 1: Die Spalte „H2S (mol-%)“ fehlt.");
}

// An import replaces a field of the same name in its place and appends the rest.
TEST(Feldtabelle, ImportReplacesSameNamesInPlaceAndAppendsTheRest)
{
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    ASSERT_TRUE(doc.Laden(DateiInhalt(KALVO_BEISPIEL)));
    doc.NachDemLaden();
    CFeldwerte heidemoor = doc.m_saFelder[size_t(doc.FeldIndex("Heidemoor"))].Werte();
    heidemoor.m_fOGIP = 7000;
    const CFeldsaetze neu = {CFeldsatz(Feldsatz(heidemoor)), CFeldsatz(Feldsatz(MethanFeld("Neufeld", 2010)))};
    EXPECT_EQ(doc.GleichnamigeFelder(neu), std::vector<std::string>{"Heidemoor"});
    const size_t vorher = doc.m_saFelder.size();
    doc.FelderUebernehmen(neu);
    ASSERT_EQ(doc.m_saFelder.size(), vorher + 1);
    EXPECT_EQ(doc.m_saFelder[size_t(doc.FeldIndex("Heidemoor"))].Werte().m_fOGIP, 7000.0f);
    EXPECT_EQ(doc.m_saFelder.back().Name(), "Neufeld");
    EXPECT_TRUE(doc.IsModified());
}

namespace {

// The sample's table with cell `spalte` of line `zeile` (1 = heading) set.
std::string MitZelle(std::string csv, int zeile, const std::string& spalte, const std::string& wert)
{
    const auto zellen = [](std::string_view z) {
        std::vector<std::string> c;
        for (size_t v = 0;;) {
            const size_t b = z.find(';', v);
            c.emplace_back(z.substr(v, b == std::string_view::npos ? std::string_view::npos : b - v));
            if (b == std::string_view::npos)
                return c;
            v = b + 1;
        }
    };
    std::vector<std::string> zeilen;
    for (size_t v = 0; v < csv.size();) {
        const size_t b = csv.find("\r\n", v);
        zeilen.push_back(csv.substr(v, b - v));
        v = b + 2;
    }
    std::vector<std::string> kopf = zellen(zeilen[0]);
    if (kopf[0].starts_with("\xEF\xBB\xBF"))
        kopf[0].erase(0, 3); // the byte order mark
    const size_t k = size_t(std::find(kopf.begin(), kopf.end(), spalte) - kopf.begin());
    std::vector<std::string> c = zellen(zeilen[size_t(zeile - 1)]);
    c.at(k) = wert;
    std::string neu;
    for (size_t i = 0; i < c.size(); ++i)
        neu += (i ? ";" : "") + c[i];
    zeilen[size_t(zeile - 1)] = neu;
    csv.clear();
    for (const std::string& z : zeilen)
        csv += z + "\r\n";
    return csv;
}

} // namespace

// A row per bad cell of line 3 (Emsland_Tief in the sample) and the message
// that refuses the table; a decimal-comma table reads a point as a thousands point.
TEST(Feldtabelle, EveryBadCellIsRefusedWithItsLineColumnAndReason)
{
    const std::string csv = FeldtabelleCsv(Felder(KALVO_BEISPIEL));
    const std::string feld = std::string(Felder(KALVO_BEISPIEL)[1].Name());
    struct CFall {
        std::string spalte, wert, meldung;
    };
    const std::vector<CFall> faelle = {
        {"OGIP (Mio m3)", "28.000",
         "Zeile 3: „OGIP (Mio m3)“ („28.000“) enthält einen Punkt, die übrigen Zahlen ein Dezimalkomma: ein "
         "Tausenderpunkt wird nicht gelesen (ohne Punkt: 28000)."},
        {"Kum. Anfangsproduktion (Mio m3)", "999999",
         "Zeile 3: " + feld + ": die kumulative Anfangsproduktion (999999 Mio m³) ist nicht kleiner als das OGIP"},
        {"Kopffließdruck (bar)", "999",
         "Zeile 3: " + feld + ": der Kopffließdruck (999 bar) ist nicht kleiner als der Initialdruck"},
        {"Max. Entnahmerate (m3/h)", "-5",
         "Zeile 3: " + feld + ": die maximale Entnahmerate (-5 m³/h) ist nicht größer als 0"},
        {"Max. Entnahmerate (m3/h)", "0",
         "Zeile 3: " + feld + ": die maximale Entnahmerate (0 m³/h) ist nicht größer als 0"},
        {"Initialdruck (bar)", std::string(500, '9'),
         "Zeile 3: „Initialdruck (bar)“ („" + std::string(40, '9') + "…“) ist keine Zahl."},
        {"Feld", "Łódź",
         "Zeile 3: Der Feldname „Łódź“ enthält Zeichen, die in einer Kalvo-Datei nicht gespeichert werden können"},
        {"Feld", "Nord\x01Süd", "Zeile 3: Der Feldname „Nord?Süd“ enthält Steuerzeichen."},
        {"Feld", "Altmark_Süd", "Zeile 3: Das Feld Altmark_Süd steht schon in Zeile 2."},
        {"Feld", "", "Zeile 3: Der Feldname „“ ist leer oder enthält Leerzeichen."},
    };
    for (const CFall& f : faelle) {
        const CErgebnis<CFeldsaetze> gelesen = FeldtabelleLesen(MitZelle(csv, 3, f.spalte, f.wert));
        ASSERT_FALSE(gelesen) << f.spalte << " " << f.wert;
        EXPECT_EQ(gelesen.Fehlertext().substr(0, f.meldung.size()), f.meldung) << f.spalte << " " << f.wert;
    }
}

TEST(Feldtabelle, APointTableKeepsItsDecimalPointsAndAnEmptyTableIsRefused)
{
    std::string punkte = FeldtabelleCsv(Felder(KALVO_BEISPIEL));
    std::replace(punkte.begin(), punkte.end(), ',', '.');
    const CErgebnis<CFeldsaetze> gelesen = FeldtabelleLesen(MitZelle(punkte, 3, "OGIP (Mio m3)", "28.000"));
    ASSERT_TRUE(gelesen) << gelesen.Fehlertext();
    EXPECT_EQ((*gelesen)[1].Werte().m_fOGIP, 28.0f);

    const std::string kopf = FeldtabelleCsv({}).substr(3);
    for (const std::string& leer : {std::string(), kopf, kopf + ";;;\r\n\r\n"})
        EXPECT_EQ(FeldtabelleLesen(leer).Fehlertext(), "Die Tabelle enthält kein Feld.") << leer;
    EXPECT_EQ(FeldtabelleLesen(kopf + std::string(5000, ';') + "\r\n").Fehlertext(),
              "Zeile 2: Die Zeile hat mehr als 1000 Spalten.");
}

// The heading is found in any case and order; a missing column is named.
TEST(Feldtabelle, HeadingIsMatchedWithoutCaseAndAMissingColumnIsNamed)
{
    const std::string csv = FeldtabelleCsv(Felder(KALVO_BEISPIEL));
    const size_t ende = csv.find("\r\n");
    std::string gross = csv;
    std::transform(gross.begin() + 3, gross.begin() + long(ende), gross.begin() + 3,
                   [](unsigned char c) { return c < 0x80 ? char(std::toupper(c)) : char(c); });
    const CErgebnis<CFeldsaetze> gelesen = FeldtabelleLesen(gross);
    ASSERT_TRUE(gelesen) << gelesen.Fehlertext();
    EXPECT_EQ(gelesen->size(), Felder(KALVO_BEISPIEL).size());
    std::string ohneOgip = csv;
    ohneOgip.replace(ohneOgip.find("OGIP (Mio m3)"), 4, "OGIX");
    EXPECT_EQ(FeldtabelleLesen(ohneOgip).Fehlertext(), "Zeile 1: Die Spalte „OGIP (Mio m3)“ fehlt.");
}

// A name a spreadsheet would take for a formula or split at its semicolon
// is written so that it reads back as the same name.
TEST(Feldtabelle, NamesAreQuotedAndGuardedAndReadBackUnchanged)
{
    const std::pair<std::string, std::string> namen[] = {
        {"=SUMME(A1)", "'=SUMME(A1)"},
        {"+Nord", "'+Nord"},
        {"-Süd", "'-Süd"},
        {"@Feld", "'@Feld"},
        {"A;B", "\"A;B\""},
        {"Zitat\"Feld", "\"Zitat\"\"Feld\""},
        {"0012", "0012"},
        {"1e5", "1e5"},
    };
    for (const auto& [name, geschrieben] : namen) {
        CFeldwerte f = MethanFeld(name, 2003);
        f.m_fA1 = 1;
        f.m_fB1 = 1.1f;
        f.m_fCWert = 1;
        f.m_fMaxRate = 1000;
        const std::string csv = FeldtabelleCsv({CFeldsatz(Feldsatz(f))});
        EXPECT_NE(csv.find("\r\n" + geschrieben + ";2003;"), std::string::npos) << name;
        const CErgebnis<CFeldsaetze> gelesen = FeldtabelleLesen(csv);
        ASSERT_TRUE(gelesen) << name << ": " << gelesen.Fehlertext();
        EXPECT_EQ((*gelesen)[0].Name(), name);
    }
}

// The field table as a spreadsheet file, out and in.
#include "model/Feldtabelle.h"
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "platform/Cp1252.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

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

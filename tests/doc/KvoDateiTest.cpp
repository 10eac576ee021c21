#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int x : b)
        s += static_cast<char>(x);
    return s;
}

} // namespace

TEST(KvoDatei, NewDocumentIs14Bytes)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    EXPECT_EQ(doc.Speichern(), Bytes({0xD2, 0x07, 0, 0, 0xEE, 0x07, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(KvoDatei, OneRecordOf40CharactersHasTheDocumentedLayout)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    const std::string satz(40, 'x');
    doc.m_saFelder = {satz};
    EXPECT_EQ(doc.Speichern(), Bytes({0xD2, 0x07, 0, 0, 0xEE, 0x07, 0, 0, 1, 0, 0x28}) + satz + Bytes({0, 0, 0, 0}));
}

TEST(KvoDatei, SaveLoadSaveIsByteIdenticalAndKeepsUmlauts)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    CFeldwerte f = FeldA();
    f.m_sFeldname = "Südfeld_Ölwiese";
    doc.m_saFelder = {Feldsatz(FeldA()), Feldsatz(f)};
    doc.m_saVerkaufsprofil = {"2003          95.0       13000.0"};
    doc.m_saRestfelder = {" 2003           10.0        1500.0", " 2004            9.0        1400.0"};
    doc.m_iProjektstart = 2003;
    doc.m_iProjektende = 2025;
    const std::string datei = doc.Speichern();
    EXPECT_NE(datei.find("S\xFC"
                         "dfeld_\xD6lwiese"),
              std::string::npos);

    CKalvoDoc zweites(m);
    ASSERT_TRUE(zweites.Laden(datei));
    EXPECT_EQ(zweites.m_saFelder, doc.m_saFelder);
    EXPECT_EQ(zweites.m_saRestfelder, doc.m_saRestfelder);
    EXPECT_EQ(zweites.m_iProjektende, 2025);
    EXPECT_EQ(zweites.Speichern(), datei);
}

TEST(KvoDatei, LoadingSetsBlockStyleProductionAndNoDetail)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    doc.m_bBlockdiagramm = 0;
    doc.m_iGrafikRate = 1;
    doc.m_bDetailausgabe = 1;
    ASSERT_TRUE(doc.Laden(doc.Speichern()));
    doc.NachDemLaden();
    EXPECT_EQ(doc.m_iGrafikRate, 0);
    EXPECT_EQ(doc.m_bDetailausgabe, 0);
    EXPECT_FALSE(doc.BlockdiagrammAktiv());
    EXPECT_TRUE(doc.LiniendiagrammAktiv());
    EXPECT_TRUE(doc.IsModified());
    doc.OnLiniendiagramm();
    EXPECT_TRUE(doc.BlockdiagrammAktiv());
    EXPECT_FALSE(doc.LiniendiagrammAktiv());
}

TEST(KvoDatei, BrokenFilesAreRefusedWithTheirReasonAndLeaveTheDocumentAsItWas)
{
    CStilleMeldungen m;
    const auto datei = [&](std::vector<std::string> felder, std::vector<std::string> verkauf = {},
                           std::vector<std::string> rest = {}, int ende = 2030) {
        CKalvoDoc d(m);
        d.m_saFelder = AusSatztexten(felder);
        d.m_saVerkaufsprofil = AusProfiltexten(verkauf);
        d.m_saRestfelder = AusProfiltexten(rest);
        d.m_iProjektende = ende;
        return d.Speichern();
    };
    const std::string gut = datei({Feldsatz(FeldA())});
    // The record's tail: all values after the name and the first year.
    const std::string rumpf = Feldsatz(FeldA()).substr(std::string("FeldA 2003").size());

    struct {
        const char* pruefung;
        std::string bytes;
        std::string meldung;
    } const kaputt[] = {
        {"leer", "", "Die Datei ist leer."},
        {"abgeschnitten", gut.substr(0, 5), "Die Datei endet vorzeitig."},
        {"letztes Byte fehlt", gut.substr(0, gut.size() - 1), "Die Datei endet vorzeitig"},
        {"Bytes danach", gut + "x", "Die Datei enthält nach den Daten weitere Bytes; sie ist keine Kalvo-Datei."},
        {"Anzahl über den Rest", Bytes({0xD2, 0x07, 0, 0, 0xEE, 0x07, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
         "Die Datei endet vorzeitig"},
        {"Textlänge über den Rest",
         Bytes({0xD2, 0x07, 0, 0, 0xEE, 0x07, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
         "Die Datei endet vorzeitig"},
        {"Projektjahr 0", datei({}, {}, {}, 0), "Die Datei enthält ein unmögliches Projektjahr (2002 bis 0)."},
        {"Projektjahr 10000", datei({}, {}, {}, 10000),
         "Die Datei enthält ein unmögliches Projektjahr (2002 bis 10000)."},
        {"Satz zu kurz", datei({"FeldA 2003 1 2 3"}),
         "Der 1. Feldsatz ist unlesbar: Feld \"FeldA\": der 6. von 65 Werten fehlt oder ist keine Zahl."},
        {"Name zu lang", datei({std::string(100, 'N') + " 2003" + rumpf}),
         "Der 1. Feldsatz ist unlesbar: der Feldname ist länger als 99 Zeichen."},
        {"Startjahr 0", datei({"FeldA 0" + rumpf}),
         "Der 1. Feldsatz ist unlesbar: Feld \"FeldA\": das Startjahr 0 ist unmöglich (ein Jahr von 1 bis 9999)."},
        {"Profiljahr kein Jahr", datei({}, {"zweitausend 95 13000"}),
         "Die 1. Zeile des Profils \"Verkaufsprofil\" beginnt nicht mit einem Jahr."},
        {"Profiljahr 0", datei({}, {"2002 95 13000", "0 95 13000"}),
         "Die 2. Zeile des Profils \"Verkaufsprofil\" beginnt nicht mit einem Jahr."},
        {"Profiljahr 10000", datei({}, {}, {"10000 95 13000"}),
         "Die 1. Zeile des Profils \"Restfelder\" beginnt nicht mit einem Jahr."},
    };
    for (const auto& k : kaputt) {
        CKalvoDoc doc(m);
        doc.m_saFelder = {"vorher"};
        doc.m_iProjektende = 2040;
        const CErgebnis<> geladen = doc.Laden(k.bytes);
        EXPECT_FALSE(geladen) << k.pruefung;
        EXPECT_EQ(geladen.Fehlertext().substr(0, k.meldung.size()), k.meldung) << k.pruefung;
        EXPECT_EQ(Satztexte(doc.m_saFelder), std::vector<std::string>{"vorher"}) << k.pruefung;
        EXPECT_EQ(doc.m_iProjektende, 2040) << k.pruefung;
    }

    // One past each limit is refused above; the limits themselves load.
    for (const auto& grenze : {datei({"FeldA 9999" + rumpf}, {"1 95 13000"}, {"9999 1 1"}, 9999),
                               datei({std::string(99, 'N') + " 1" + rumpf})}) {
        CKalvoDoc doc(m);
        EXPECT_TRUE(doc.Laden(grenze));
    }
}

TEST(KvoDatei, AFileWithANameTwiceLoadsAndSaysSo)
{
    CStilleMeldungen still;
    CKalvoDoc quelle(still);
    quelle.m_saFelder = {Feldsatz(MethanFeld("Zwilling", 2003)), Feldsatz(MethanFeld("Anders", 2003)),
                         Feldsatz(MethanFeld("Zwilling", 2004))};
    quelle.m_iProjektende = 2010;
    CAufgezeichneteMeldungen m;
    CKalvoDoc doc(m);
    ASSERT_TRUE(doc.Laden(quelle.Speichern()));
    EXPECT_EQ(doc.m_saFelder.size(), 3u);
    ASSERT_EQ(m.m_saTexte.size(), 1u);
    EXPECT_TRUE(m.m_saTexte[0].starts_with("Der Feldname Zwilling steht zweimal in der Datei (Feld 1 und 3)"))
        << m.m_saTexte[0];
}

// A name with a control character (no dialog lets one through): the file
// loads, the field is computed, and the message names it with '?'.
TEST(KvoDatei, AFileWithAControlCharacterInANameLoadsAndSaysSo)
{
    CStilleMeldungen still;
    CKalvoDoc quelle(still);
    quelle.m_saFelder = {Feldsatz(MethanFeld("Klein\x01"
                                             "feld",
                                             2003)),
                         Feldsatz(MethanFeld("Anders", 2003))};
    quelle.m_iProjektende = 2010;
    CAufgezeichneteMeldungen m;
    CKalvoDoc doc(m);
    ASSERT_TRUE(doc.Laden(quelle.Speichern()));
    EXPECT_EQ(doc.m_saFelder.size(), 2u);
    ASSERT_EQ(m.m_saTexte.size(), 1u);
    EXPECT_EQ(m.m_saTexte[0], "Der Feldname Klein?feld (Feld 1) enthält Steuerzeichen; Bericht und Tabellen zeigen "
                              "sie als „?“. Bitte das Feld umbenennen.");
}

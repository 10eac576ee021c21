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
    std::string fehler;
    ASSERT_TRUE(zweites.Laden(datei, fehler)) << fehler;
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
    std::string fehler;
    ASSERT_TRUE(doc.Laden(doc.Speichern(), fehler));
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

TEST(KvoDatei, BrokenFilesAreRefusedAndLeaveTheDocumentAsItWas)
{
    CStilleMeldungen m;
    CKalvoDoc gut(m);
    gut.m_saFelder = {Feldsatz(FeldA())};
    const std::string datei = gut.Speichern();

    std::string zuLang = datei;
    zuLang += 'x';
    CKalvoDoc mitFremdemFeld(m);
    mitFremdemFeld.m_saFelder = {"FeldA 2003 1 2 3"};
    CKalvoDoc mitLangemNamen(m);
    mitLangemNamen.m_saFelder = {std::string(100, 'N') + Feldsatz(FeldA()).substr(5)};
    CKalvoDoc mitSchlechtemProfil(m);
    mitSchlechtemProfil.m_saVerkaufsprofil = {"zweitausend 95 13000"};
    CKalvoDoc mitUnmoeglichemJahr(m);
    mitUnmoeglichemJahr.m_iProjektende = -2147483647;

    const std::vector<std::string> kaputt = {
        "",
        datei.substr(0, 5),
        datei.substr(0, datei.size() - 1),
        zuLang,
        Bytes({0xD2, 0x07, 0, 0, 0xEE, 0x07, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
        Bytes({0xD2, 0x07, 0, 0, 0xEE, 0x07, 0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
        mitFremdemFeld.Speichern(),
        mitLangemNamen.Speichern(),
        mitSchlechtemProfil.Speichern(),
        mitUnmoeglichemJahr.Speichern(),
        std::string(1000, '\x42'),
    };
    for (const auto& bytes : kaputt) {
        CKalvoDoc doc(m);
        doc.m_saFelder = {"vorher"};
        doc.m_iProjektende = 2040;
        std::string fehler;
        EXPECT_FALSE(doc.Laden(bytes, fehler));
        EXPECT_FALSE(fehler.empty());
        EXPECT_EQ(doc.m_saFelder, std::vector<std::string>{"vorher"});
        EXPECT_EQ(doc.m_iProjektende, 2040);
    }
}

#include "model/Feldsatz.h"
#include "Testdaten.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

TEST(Feldsatz, FeldAIsWrittenByteForByte)
{
    EXPECT_EQ(
        Feldsatz(FeldA()),
        "FeldA 2003    0.000    1.200    2.500   93.100    2.200     0.600    0.100    0.150    0.050    0.050    0.050    0.000    0.000    0.000    0.000   120.0   35.0  8000.0   380.0   25.000    2.500    30.0   30.0   800.0  3800.0   11.0     0.0      0.0    60.0 6 25000.0   0.000 8000    380.0  50.00  75.000   1.350   0.0125 0   2003          8000              60.0            6                 0.013           50.00 2003          8000              60.0            6                 0.013           50.00 2003          8000              60.0            6                 0.013           50.00 2003          8000              60.0            6                 0.013           50.00");
}

TEST(Feldsatz, ReadBackGives65ValuesRoundedToTheirWritePrecision)
{
    CFeldwerte f = FeldA();
    f.m_fCWert = 0.00004f;
    f.m_fWasserinvasion = 12.34567f;
    f.m_fKonsAnteil = 33.3333f;
    f.m_fOGIP = 123456789.0f; // wider than %7.1f
    CFeldwerte g;
    CStufen stufen;
    ASSERT_EQ(FeldzeileLesen(Feldsatz(f), g, stufen), 65);
    EXPECT_EQ(g.m_sFeldname, "FeldA");
    EXPECT_EQ(g.m_fCWert, 0.0f);
    EXPECT_EQ(g.m_fWasserinvasion, 12.346f);
    EXPECT_EQ(g.m_fKonsAnteil, 33.33f);
    EXPECT_EQ(g.m_fOGIP, 123456792.0f);
    EXPECT_EQ(g.m_fPi, 380.0f);
    EXPECT_EQ(stufen[3].m_iStufeAbJahr, 2003);
    EXPECT_EQ(stufen[3].m_fStufeCWert, 0.0f);
    EXPECT_EQ(stufen[0].m_iStufeBohrungen, 6);
}

TEST(Feldsatz, StageRowFormatsDifferInSpacingAndCWertDecimals)
{
    const CStufenzeile s{2010, 6000, 45.0f, 4, 0.0125f, 50.0f};
    EXPECT_EQ(StufenzeileText(s, EStufenformat::Vorgabe),
              "2010          6000              45.0            4                 0.013           50.00");
    EXPECT_EQ(StufenzeileText(s, EStufenformat::Gelesen),
              "2010      6000              45.0            4                 0.013        50.00");
    EXPECT_EQ(StufenzeileText(s, EStufenformat::Geaendert),
              "2010      6000              45.0            4                0.0125        50.00");
    CStufenzeile t;
    EXPECT_EQ(StufenzeileLesen(StufenzeileText(s, EStufenformat::Geaendert), t), 6);
    EXPECT_EQ(t.m_fStufeCWert, 0.0125f);
}

TEST(Feldsatz, FlagOtherThanOneReadsAsConstantFactors)
{
    CFeldwerte f = FeldA();
    f.m_bDruckabhaengig = 2;
    CFeldwerte g;
    CStufen s;
    ASSERT_EQ(FeldzeileLesen(Feldsatz(f), g, s), 65);
    EXPECT_EQ(g.m_bDruckabhaengig, 0);
    f.m_bDruckabhaengig = 1;
    ASSERT_EQ(FeldzeileLesen(Feldsatz(f), g, s), 65);
    EXPECT_EQ(g.m_bDruckabhaengig, 1);
}

TEST(Feldsatz, IncompleteOrHostileRecordsStopAtTheFirstBadValue)
{
    CFeldwerte g;
    CStufen s;
    EXPECT_EQ(FeldzeileLesen("", g, s), 0);
    EXPECT_EQ(FeldzeileLesen("Feld 2003 1.0 abc", g, s), 3);
    EXPECT_EQ(FeldzeileLesen(std::string(100, 'N') + " 2003", g, s), 0);
    EXPECT_EQ(FeldzeileLesen(std::string(99, 'N') + " 2003", g, s), 2);
    EXPECT_EQ(FeldzeileLesen("Feld 2003 nan", g, s), 2);

    EXPECT_EQ(FeldsatzPruefen(Feldsatz(FeldA())).Fehlertext(), "");
    EXPECT_NE(FeldsatzPruefen(Feldsatz(FeldA()) + " 7").Fehlertext(), "");
    EXPECT_NE(FeldsatzPruefen("FeldA 2003 1 2 3").Fehlertext(), "");
    EXPECT_NE(FeldsatzPruefen(std::string(100, 'N') + " 2003").Fehlertext(), "");
}

TEST(Feldsatz, DialogSideRebuildsStageRowsOrSaysEinlesefehler)
{
    CAufgezeichneteMeldungen m;
    CFeldwerte g;
    CStufenTexte t;
    ASSERT_TRUE(FeldzeileLesenDialog(Feldsatz(FeldA()), g, t, m));
    EXPECT_EQ(t[0], "2003      8000              60.0            6                 0.013        50.00");
    EXPECT_TRUE(m.m_saTexte.empty());
    EXPECT_FALSE(FeldzeileLesenDialog("FeldB 2004 1.0", g, t, m));
    ASSERT_EQ(m.m_saTexte.size(), 1u);
    EXPECT_EQ(m.m_saTexte[0], "Einlesefehler");
    EXPECT_EQ(g.m_sFeldname, "FeldB");
    EXPECT_EQ(g.m_iFoerderbeginn, 2004);
}

TEST(Feldsatz, NameMustBeExactlyOneToken)
{
    EXPECT_TRUE(FeldnameGueltig("Süd-Feld_3"));
    EXPECT_FALSE(FeldnameGueltig(""));
    EXPECT_FALSE(FeldnameGueltig("   "));
    EXPECT_FALSE(FeldnameGueltig("Feld A"));
    EXPECT_TRUE(FeldnameGueltig(" FeldA "));
}

TEST(Feldsatz, InitDataGivesTheDefaultsOfANewField)
{
    CFeldwerte f;
    f.m_iFoerderbeginn = 2002;
    CStufenzeile eingabe;
    eingabe.m_fStufeCWert = 0.5f;
    CStufenTexte t;
    InitDataWerte(f, eingabe, t);
    EXPECT_EQ(f.m_sFeldname, "Feldname");
    EXPECT_EQ(f.m_iFoerderstunden, 8740);
    EXPECT_EQ(f.m_fAnteil[3], 100.0f);
    EXPECT_EQ(eingabe.m_fStufeCWert, 0.5f);
    EXPECT_EQ(t[0], "2002          8740               1.0            1                 0.500          100.00");
    EXPECT_EQ(t[3], t[0]);
}

#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

namespace {

struct CDokument {
    CAufgezeichneteMeldungen meldungen;
    CKalvoDoc doc{meldungen};
};

} // namespace

TEST(Berechnen, ProjectStartIsTheEarliestFirstProductionYear)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("B", 2005)), Feldsatz(MethanFeld("A", 2003))};
    d.doc.m_iProjektende = 2030;
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_iProjektstart, 2003);
    EXPECT_EQ(d.doc.m_iAnzahl, 28);
    EXPECT_EQ(d.doc.m_sTitel, "Jahresproduktion aller Felder");
    EXPECT_EQ(d.doc.m_sUntertitel, "");
    EXPECT_EQ(d.doc.m_sAchseY, "Ist");
    EXPECT_EQ(d.doc.m_sAchseY1, "Soll");
    EXPECT_EQ(d.doc.m_sAchseX, "Jahre");
    EXPECT_EQ(d.doc.m_sLegendeY, "Ist-Produktion (Mio m3/Jahr)");
    EXPECT_EQ(d.doc.m_sLegendeY1, "Soll-Produktion (Mio m3/Jahr)");
    EXPECT_EQ(d.doc.X[0], 2003);
    EXPECT_EQ(d.doc.X[27], 2030);

    d.doc.m_iProjektende = 2043; // 41 years
    d.doc.m_iGrafikRate = 1;
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_iAnzahl, 33);
    EXPECT_EQ(d.doc.m_sTitel, "Rate aller Felder");
    EXPECT_EQ(d.doc.m_sLegendeY, "  Ist-Rate (m3/h)  ");
    EXPECT_EQ(d.doc.m_sLegendeY1, "  Soll-Rate (m3/h)  ");
}

TEST(Berechnen, ProjectEndBeforeEveryFieldGivesNoYears)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2010))};
    d.doc.m_iProjektende = 2000;
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_iAnzahl, 0);
}

TEST(Berechnen, SingleFieldRunStartsAtItsYearAndEndsWithProjectLines)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2003)), Feldsatz(MethanFeld("B", 2010))};
    d.doc.m_iProjektende = 2030;
    d.doc.m_sEinzelfeld = "B";
    d.doc.m_iEinzelfeld = 1;
    d.doc.m_iFoerderbeginn = 2010;
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_iProjektstart, 2010);
    EXPECT_EQ(d.doc.m_iAnzahl, 21);
    ASSERT_GE(d.doc.m_saBericht.size(), 3u);
    EXPECT_EQ(d.doc.m_saBericht[0], "  PROJEKTSTART: 2010 PROJEKTENDE: 2030");
    EXPECT_EQ(d.doc.m_saBericht[1], "");
    EXPECT_EQ(d.doc.m_saBericht[2], " ");
    EXPECT_EQ(d.doc.m_sTitel, "Einzelfeldberechnung");
    EXPECT_EQ(d.doc.m_sUntertitel, "B");
    EXPECT_EQ(d.doc.X[0], 2010);

    // With detail output the PROJEKTSTART line follows the field's own lines.
    d.doc.m_bDetailausgabe = 1;
    d.doc.Berechnen();
    const auto& b = d.doc.m_saBericht;
    ASSERT_GE(b.size(), 3u);
    EXPECT_EQ(b[b.size() - 3], "  PROJEKTSTART: 2010 PROJEKTENDE: 2030");
    EXPECT_EQ(b[b.size() - 2], "");
    EXPECT_EQ(b[b.size() - 1], " ");
    EXPECT_EQ(b[1], "   GASEIGENSCHAFTEN DES FELDES B: ");
}

TEST(Berechnen, SingleFieldRunPutsEachYearsProfileValuesInItsRow)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2002)), Feldsatz(MethanFeld("B", 2006))};
    d.doc.m_iProjektende = 2010;
    for (int jahr = 2002; jahr <= 2010; ++jahr) {
        d.doc.m_saVerkaufsprofil.push_back(std::to_string(jahr) + "  " + std::to_string(jahr - 1900) + ".0  1000.0");
        d.doc.m_saRestfelder.push_back(std::to_string(jahr) + "  " + std::to_string(jahr - 2000) + ".0  500.0");
    }
    d.doc.m_sEinzelfeld = "B";
    d.doc.m_iEinzelfeld = 1;
    d.doc.m_iFoerderbeginn = 2006;
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_iProjektstart, 2006);
    EXPECT_EQ(d.doc.m_iVerkaufJahr[0], 2006);
    EXPECT_EQ(d.doc.m_fSollProduktion[0], 106.0f);
    EXPECT_EQ(d.doc.m_iRestJahr[0], 2006);
    EXPECT_EQ(d.doc.m_fRestProduktion[0], 6.0f);
    EXPECT_EQ(d.doc.m_fSollProduktion[4], 110.0f);
    EXPECT_EQ(d.doc.Y1[0], 106.0f);
    EXPECT_EQ(d.meldungen.m_saTexte, std::vector<std::string>{});

    // A profile that ends before the field starts is reported against that start.
    d.doc.m_saVerkaufsprofil = {"2002  1.0  1.0", "2003  1.0  1.0", "2004  1.0  1.0", "2005  1.0  1.0"};
    d.doc.Berechnen();
    EXPECT_EQ(d.meldungen.m_saTexte, std::vector<std::string>{"Die Verkaufsdaten enden vor dem Projektbeginn!"});
    EXPECT_EQ(d.doc.m_fSollProduktion[0], 0.0f);
}

TEST(Berechnen, ReservesModeListsEveryFieldAndChartsThem)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2003, 1000)), Feldsatz(MethanFeld("B", 2005, 300))};
    d.doc.m_iProjektende = 2030;
    d.doc.m_bFeldesreserven = 1;
    d.doc.Berechnen();
    const auto& b = d.doc.m_saBericht;
    ASSERT_EQ(b.size(), 7u);
    EXPECT_EQ(b[0], "");
    EXPECT_EQ(b[1], "   Zusammenstellung der Feldesreserven");
    EXPECT_EQ(b[2], "");
    EXPECT_EQ(b[3], "     Feld                (Mio m3)");
    EXPECT_EQ(b[4], "");
    EXPECT_EQ(b[5].substr(0, 24), "   A                    ");
    EXPECT_EQ(d.doc.m_iAnzahl, 2);
    EXPECT_EQ(d.doc.X[1], 1);
    EXPECT_GT(d.doc.Y[0], 0.0f);
    EXPECT_LE(d.doc.Y[1], 300.0f);
    EXPECT_EQ(d.doc.m_sTitel, "");
    EXPECT_EQ(d.doc.m_sUntertitel, "Reserven aller Felder");
    EXPECT_EQ(d.doc.m_sAchseX, "Mio m3");
    EXPECT_EQ(d.doc.m_sAchseY, "Feld");
    EXPECT_EQ(d.doc.m_sAchseY1, "Soll");
    EXPECT_TRUE(d.meldungen.m_saTexte.empty());
}

TEST(Berechnen, ReservesChartTakesAtMost33Fields)
{
    for (int anzahl : {33, 34}) {
        CDokument d;
        for (int i = 0; i < anzahl; ++i)
            d.doc.m_saFelder.push_back(Feldsatz(MethanFeld("F" + std::to_string(i), 2003, 100)));
        d.doc.m_iProjektende = 2005;
        d.doc.m_bFeldesreserven = 1;
        d.doc.Berechnen();
        EXPECT_EQ(d.doc.m_iAnzahl, 33);
        EXPECT_EQ(d.doc.X[32], 32);
        EXPECT_EQ(d.doc.m_saBericht.size(), 5u + anzahl);
        if (anzahl == 33)
            EXPECT_TRUE(d.meldungen.m_saTexte.empty());
        else
            EXPECT_EQ(d.meldungen.m_saTexte,
                      std::vector<std::string>{"Es werden maximal 33 Felder in die Grafik aufgenommen"});
    }
}

TEST(Berechnen, ReservesWithASingleFieldLeaveTooFewLinesForAChart)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2003))};
    d.doc.m_iProjektende = 2010;
    d.doc.m_bFeldesreserven = 1;
    d.doc.m_sEinzelfeld = "A";
    d.doc.m_iEinzelfeld = 0;
    d.doc.m_iFoerderbeginn = 2003;
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_saBericht.size(), 3u);
    EXPECT_EQ(d.doc.m_iAnzahl, 0);
}

TEST(Berechnen, ASecondRunGivesTheSameResults)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(FeldA()), Feldsatz(MethanFeld("B", 2005))};
    d.doc.m_saVerkaufsprofil = {"2003  100.0  13000.0", "2004  100.0  13000.0"};
    d.doc.m_iProjektende = 2030;
    d.doc.Berechnen();
    const auto bericht = d.doc.m_saBericht;
    const std::vector<float> y(d.doc.Y, d.doc.Y + 33);
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_saBericht, bericht);
    EXPECT_EQ(std::vector<float>(d.doc.Y, d.doc.Y + 33), y);
}

TEST(Berechnen, UnreadableRecordIsNamedAndLeftOut)
{
    CDokument d;
    d.doc.m_saFelder = {"Kaputt 2003 1.0 2.0", Feldsatz(MethanFeld("B", 2003))};
    d.doc.m_iProjektende = 2010;
    d.doc.m_bFeldesreserven = 1;
    d.doc.Berechnen();
    ASSERT_EQ(d.meldungen.m_saTexte.size(), 1u);
    EXPECT_NE(d.meldungen.m_saTexte[0].find("Kaputt"), std::string::npos);
    ASSERT_EQ(d.doc.m_saBericht.size(), 6u);
    EXPECT_EQ(d.doc.m_saBericht[5].substr(0, 4), "   B");
}

#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// The chosen field is found by its name: its own first year starts the run,
// whatever field a dialog showed last and wherever the field now stands.
TEST(Berechnen, SingleFieldIsFoundByNameAndStartsInItsOwnYear)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2003)), Feldsatz(MethanFeld("B", 2010))};
    d.doc.m_iProjektende = 2030;
    d.doc.m_sEinzelfeld = "B";
    d.doc.m_iEinzelfeld = 0;       // stale position
    d.doc.m_iFoerderbeginn = 2003; // the year of the field shown last
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_iProjektstart, 2010);
    ASSERT_EQ(d.doc.m_Feldreihen.size(), 1u);
    EXPECT_EQ(d.doc.m_Feldreihen[0].name, "B");
    EXPECT_EQ(d.doc.m_iEinzelfeld, 1);

    // Gone from the list: the run covers all fields again and says so.
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2003))};
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_sTitel, "Jahresproduktion aller Felder");
    EXPECT_EQ(d.doc.m_iProjektstart, 2003);
    EXPECT_EQ(d.doc.m_iEinzelfeld, -1);
    ASSERT_FALSE(d.meldungen.m_saTexte.empty());
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Das Feld B gibt es nicht mehr; es werden alle Felder berechnet.");
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
    ASSERT_EQ(d.doc.m_saBericht.size(), 7u);
    EXPECT_EQ(d.doc.m_saBericht[5].substr(0, 4), "   B");
    // The report's end names the field its total lacks; the chart lists B alone.
    EXPECT_EQ(d.doc.m_saBericht[6], "  Nicht berechnet: Kaputt – der Feldsatz ist unlesbar");
    EXPECT_EQ(d.doc.m_iAnzahl, 1);
    ASSERT_EQ(d.doc.NichtBerechnet().size(), 1u);
}

TEST(Berechnen, FieldsLeftOutAreNamedAfterTheSummaryWithTheirReason)
{
    CDokument d;
    CFeldwerte ohneOgip = MethanFeld("Leer", 2003);
    ohneOgip.m_fOGIP = 0;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("B", 2003)), Feldsatz(ohneOgip)};
    d.doc.m_iProjektende = 2010;
    d.doc.Berechnen();
    ASSERT_GE(d.doc.m_saBericht.size(), 2u);
    EXPECT_EQ(d.doc.m_saBericht.back(), "  Nicht berechnet: Leer – das OGIP ist nicht größer als 0");
    EXPECT_EQ(d.doc.m_saBericht[d.doc.m_saBericht.size() - 2].substr(0, 8), "  Summe ");

    // Fixed, the field is computed and the line is gone, also from a kept result.
    d.doc.m_saFelder[1] = Feldsatz(MethanFeld("Leer", 2003));
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_saBericht.back().substr(0, 8), "  Summe ");
    EXPECT_TRUE(d.doc.NichtBerechnet().empty());
}

// A hand-edited file can hold control characters in a name: the report, the
// chart texts and the CSV columns show '?' in their place, never the raw byte.
TEST(Berechnen, ControlCharactersOfANameAreNotPrinted)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("Bad\x1b[2J", 2003))};
    d.doc.m_iProjektende = 2005;
    d.doc.m_bFeldesreserven = 1;
    d.doc.Berechnen();
    for (const auto& zeile : d.doc.m_saBericht)
        EXPECT_EQ(zeile.find('\x1b'), std::string::npos) << zeile;
    EXPECT_EQ(d.doc.m_saBericht.back().substr(0, 15), "   Bad?[2J     ");
    ASSERT_EQ(d.doc.m_Feldreihen.size(), 1u);
    EXPECT_EQ(d.doc.m_Feldreihen[0].name, "Bad?[2J");

    d.doc.m_bFeldesreserven = 0;
    ASSERT_TRUE(d.doc.EinzelfeldWaehlen("Bad\x1b[2J"));
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_sUntertitel, "Bad?[2J");
}

namespace {

// Everything a run leaves in the document that a view or a later run reads.
void GleicheErgebnisse(const CKalvoDoc& a, const CKalvoDoc& b, const std::string& fall)
{
    SCOPED_TRACE(fall);
    EXPECT_EQ(a.m_saBericht, b.m_saBericht);
    EXPECT_TRUE(std::equal(std::begin(a.m_fProduktionFelder), std::end(a.m_fProduktionFelder), b.m_fProduktionFelder));
    EXPECT_TRUE(std::equal(std::begin(a.m_fRateFelder), std::end(a.m_fRateFelder), b.m_fRateFelder));
    EXPECT_TRUE(std::equal(std::begin(a.Y), std::end(a.Y), b.Y));
    EXPECT_TRUE(std::equal(std::begin(a.Y1), std::end(a.Y1), b.Y1));
    EXPECT_TRUE(std::equal(std::begin(a.X), std::end(a.X), b.X));
    EXPECT_EQ(a.m_iAnzahl, b.m_iAnzahl);
    EXPECT_EQ(a.m_iFoerderbeginn, b.m_iFoerderbeginn);
    EXPECT_EQ(a.m_sFeldname, b.m_sFeldname);
    EXPECT_EQ(DatenInZeile(a.m_Feld, {}), DatenInZeile(b.m_Feld, {}));
    EXPECT_TRUE(std::equal(std::begin(a.m_fPzTab), std::end(a.m_fPzTab), b.m_fPzTab));
}

} // namespace

TEST(Berechnen, KeptFieldResultsGiveTheOutputOfAFullRecompute)
{
    CStilleMeldungen still;
    CKalvoDoc beispiel(still);
    const std::string bytes = DateiInhalt(KALVO_BEISPIEL);
    ASSERT_TRUE(beispiel.Laden(bytes));

    struct {
        const char* name;
        int detail, reserven, einzelfeld;
    } const modi[] = {
        {"Zusammenfassung", 0, 0, -1}, {"Detail", 1, 0, -1}, {"Reserven", 0, 1, -1}, {"Einzelfeld", 1, 0, 1}};
    for (const auto& modus : modi) {
        CKalvoDoc laufend(still);
        const auto einstellen = [&](CKalvoDoc& d) {
            d.m_saFelder = beispiel.m_saFelder;
            d.m_saVerkaufsprofil = beispiel.m_saVerkaufsprofil;
            d.m_saRestfelder = beispiel.m_saRestfelder;
            d.m_iProjektende = beispiel.m_iProjektende;
            d.m_bDetailausgabe = modus.detail;
            d.m_bFeldesreserven = modus.reserven;
            if (modus.einzelfeld >= 0) {
                d.m_iEinzelfeld = modus.einzelfeld;
                d.m_sEinzelfeld = std::string(d.m_saFelder[1].Name());
                d.m_iFoerderbeginn = 2006;
            }
        };
        einstellen(laufend);
        laufend.Berechnen();

        // Change one field (two more wells in Heidemoor), run again, and
        // compare with a document that computes everything afresh.
        CFeldwerte f;
        CStufen s;
        ASSERT_EQ(FeldzeileLesen(beispiel.m_saFelder[2].Text(), f, s), kWerteJeSatz);
        f.m_iBohrungen += 2;
        CStufenTexte t;
        for (int k = 0; k < kAnzahlStufen; ++k)
            t[k] = StufenzeileText(s[k], EStufenformat::Vorgabe);
        beispiel.m_saFelder[2] = DatenInZeile(f, t);
        einstellen(laufend);
        laufend.Berechnen();
        CKalvoDoc frisch(still);
        einstellen(frisch);
        frisch.Berechnen();
        GleicheErgebnisse(laufend, frisch, modus.name);
        // The project end changes every field's result.
        laufend.m_iProjektende = 2025;
        laufend.Berechnen();
        CKalvoDoc frisch2025(still);
        einstellen(frisch2025);
        frisch2025.m_iProjektende = 2025;
        frisch2025.Berechnen();
        GleicheErgebnisse(laufend, frisch2025, std::string(modus.name) + ", Ende 2025");
        ASSERT_TRUE(beispiel.Laden(bytes));
    }
}

// A field's kept result belongs to the project start it was computed for:
// when only another field moves the start, the unchanged field is computed
// again (its years shift), as a fresh document computes it.
TEST(Berechnen, KeptResultIsRecomputedWhenOnlyTheProjectStartChanges)
{
    CDokument laufend;
    laufend.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2003)), Feldsatz(MethanFeld("B", 2005))};
    laufend.doc.m_iProjektende = 2020;
    laufend.doc.Berechnen();
    laufend.doc.m_saFelder[0] = Feldsatz(MethanFeld("A", 2001));
    laufend.doc.Berechnen();

    CDokument frisch;
    frisch.doc.m_saFelder = laufend.doc.m_saFelder;
    frisch.doc.m_iProjektende = 2020;
    frisch.doc.Berechnen();
    EXPECT_EQ(laufend.doc.m_iProjektstart, 2001);
    GleicheErgebnisse(laufend.doc, frisch.doc, "Projektstart 2001");
    ASSERT_EQ(laufend.doc.m_Feldreihen.size(), 2u);
    EXPECT_EQ(laufend.doc.m_Feldreihen[1].produktion[3], 0.0f); // B's 2004: before its start
    EXPECT_GT(laufend.doc.m_Feldreihen[1].produktion[4], 0.0f); // B's 2005
}

TEST(Berechnen, AFieldThatShowsAMessageShowsItAtEveryRun)
{
    CDokument d;
    CFeldwerte ohneRate = MethanFeld("Ohne", 2003);
    ohneRate.m_fA1 = 0;
    d.doc.m_saFelder = {Feldsatz(ohneRate), Feldsatz(MethanFeld("Mit", 2003))};
    d.doc.m_iProjektende = 2010;
    d.doc.Berechnen();
    d.doc.Berechnen();
    ASSERT_EQ(d.meldungen.m_saTexte.size(), 2u);
    EXPECT_EQ(d.meldungen.m_saTexte[0], d.meldungen.m_saTexte[1]);
    EXPECT_NE(d.meldungen.m_saTexte[0].find("Das Feld Ohne liefert keine Rate"), std::string::npos);
}

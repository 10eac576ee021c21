#include "dialogs/DlgVerkauf.h"
#include "platform/Datei.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct CDialog {
    CAufgezeichneteMeldungen meldungen;
    DlgVerkauf dlg{meldungen};

    explicit CDialog(std::vector<std::string> zeilen = {}, int rest = 0)
    {
        dlg.m_saZeilen = std::move(zeilen);
        dlg.m_iProjektstart = 2002;
        dlg.m_iProjektende = 2030;
        dlg.m_bRestfelder = rest;
        dlg.OnInitDialog();
    }
    void Anhaengen(const std::string& zeile)
    {
        dlg.m_sTextZeile = zeile;
        dlg.ZeileAnhaengen();
    }
};

} // namespace

TEST(DlgVerkauf, TitleAndHeading)
{
    CDialog v;
    EXPECT_EQ(v.dlg.m_sTitel, "Verkaufsprofil eingeben");
    EXPECT_EQ(v.dlg.m_sTextKopf, "Startjahr: 2002 Projektende: 2030");
    CDialog r({}, 1);
    EXPECT_EQ(r.dlg.m_sTitel, "Dialogfeld zur Eingabe der Restfelder");
}

TEST(DlgVerkauf, LinesMustFollowTheYears)
{
    CDialog d;
    d.Anhaengen("2002 95 13000");
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Soll die Zeile 2002          95.0       13000.0 angehängt werden?");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(0), "2002          95.0       13000.0");
    EXPECT_EQ(d.dlg.m_sStatus, "Die 1.Zeile wurde ausgewählt");
    d.Anhaengen("2003 96 13100");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetCount(), 2);
    d.Anhaengen("2005 1 1");
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Bitte die Jahre aufsteigend eingeben!");
    d.Anhaengen("2001 1 1");
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Bitte die Jahre aufsteigend eingeben!");
    d.Anhaengen("2002 95");
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Die Zeile enthält keine 3 Werte!");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetCount(), 2);

    CDialog frei;
    frei.Anhaengen("2001 1 1");
    EXPECT_EQ(frei.meldungen.m_saTexte.back(), "Das Jahr:2001 ist kleiner als der Projektstart:2002");
    frei.Anhaengen("2031 1 1");
    EXPECT_EQ(frei.meldungen.m_saTexte.back(), "Das Jahr:2031 ist größer als das Projektende:2030");
    frei.Anhaengen("2010 1 1"); // the first line may carry any project year
    EXPECT_EQ(frei.dlg.m_lbZeilen.GetCount(), 1);
    frei.Anhaengen("2011 1 1"); // and the next follows it, not the project start
    EXPECT_EQ(frei.dlg.m_lbZeilen.GetCount(), 2);
}

// A profile that begins before the project (1998 in a project from 2002)
// and runs past its end can be edited line by line.
TEST(DlgVerkauf, LinesOfAProfileBeyondTheProjectCanBeChanged)
{
    CDialog d({"1998  1.0  1.0", "1999  1.0  1.0", "2000  1.0  1.0"});
    d.dlg.m_lbZeilen.SetCurSel(1);
    d.dlg.ZeileAuswaehlen();
    d.dlg.m_sTextZeile = "1999 7 7";
    d.dlg.ZeileAendern();
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(1), "1999           7.0           7.0");
    d.dlg.m_lbZeilen.SetCurSel(0);
    d.dlg.ZeileAuswaehlen();
    d.dlg.m_sTextZeile = "1998 5 5";
    d.dlg.ZeileAendern();
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(0), "1998           5.0           5.0");
    d.dlg.m_sTextZeile = "1997 5 5";
    d.dlg.ZeileAendern();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Bitte die Jahre aufsteigend eingeben!");
    d.Anhaengen("2001 3 3");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetCount(), 4);
}

TEST(DlgVerkauf, ChangingALineKeepsItsYear)
{
    CDialog d({"2002  1.0  1.0", "2003  1.0  1.0", "2004  1.0  1.0"});
    d.dlg.m_lbZeilen.SetCurSel(2);
    d.dlg.ZeileAuswaehlen();
    d.dlg.m_sTextZeile = "2005 7 7";
    d.dlg.ZeileAendern();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Bitte die Jahre aufsteigend eingeben!");
    d.dlg.m_sTextZeile = "2004 7 7";
    d.dlg.ZeileAendern();
    EXPECT_EQ(d.meldungen.m_saTexte[d.meldungen.m_saTexte.size() - 1], "Soll die 3.Zeile  geändert werden?");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(2), "2004           7.0           7.0");
    EXPECT_EQ(d.dlg.m_sStatus, "3.Feld wurde geändert");

    CDialog ohne({"2002  1.0  1.0"});
    ohne.dlg.ZeileAendern();
    EXPECT_EQ(ohne.meldungen.m_saTexte.back(), "Zeile durch Doppelklick anwählen");
}

TEST(DlgVerkauf, OnlyTheFirstOrTheLastLineIsDeleted)
{
    CDialog d({"2002  1.0  1.0", "2003  2.0  2.0", "2004  3.0  3.0"});
    d.dlg.ZeileLoeschen();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Soll die letzte Zeile 2004  3.0  3.0 gelöscht werden?");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetCount(), 2);
    d.dlg.ZeileLoeschen();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Soll die erste Zeile 2002  1.0  1.0 gelöscht werden?");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(0), "2003  2.0  2.0");
    d.meldungen.m_bAntworten = {false};
    d.dlg.ZeileLoeschen();
    EXPECT_EQ(d.dlg.m_lbZeilen.GetCount(), 1);
    EXPECT_EQ(d.dlg.m_sTextZeile, "");
    d.dlg.AlleZeilenLoeschen();
    EXPECT_EQ(d.dlg.m_lbZeilen.GetCount(), 0);
    EXPECT_EQ(d.dlg.m_bGeaendert, 1);
}

// OK hands back every line, also those past 33 (a profile 1998–2045), and
// without a change it is no change.
TEST(DlgVerkauf, OkKeepsEveryLine)
{
    std::vector<std::string> zeilen;
    for (int i = 0; i < 48; ++i)
        zeilen.push_back(std::to_string(1998 + i) + "  1.0  1.0");
    CDialog d(zeilen);
    d.dlg.OnOK();
    EXPECT_TRUE(d.meldungen.m_saTexte.empty());
    EXPECT_EQ(d.dlg.m_saZeilen, zeilen);
    EXPECT_EQ(d.dlg.m_bGeaendert, 0);
    EXPECT_EQ(d.dlg.m_Ende, DlgVerkauf::EEnde::OK);
}

TEST(DlgVerkauf, ImportFillsTheListFromAFile)
{
    const auto pfad = (std::filesystem::temp_directory_path() / "kalvo_test_profil.TXT").string();
    ASSERT_TRUE(DateiAtomarSchreiben(pfad, "Titel \xFC\r\n2002 95 13000\r\n2003 96 13100\r\n"));
    CDialog d({"2002  1.0  1.0"});
    d.dlg.m_fnDateiWaehlen = [&] { return pfad; };
    d.dlg.FileOpen();
    EXPECT_EQ(d.meldungen.m_saTexte,
              (std::vector<std::string>{pfad + " wird geöffnet", "Soll die Zeile der Liste durch die 2 neuen "
                                                                 "Zeilen ersetzt werden?"}));
    ASSERT_EQ(d.dlg.m_lbZeilen.GetCount(), 2);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(1), " 2003           96.0       13100.0");
    EXPECT_EQ(d.dlg.m_sTextStatus, "2 Zeilen wurden eingelesen");
    EXPECT_EQ(d.dlg.m_bGeaendert, 1);

    CDialog abgebrochen({"2002  1.0  1.0"});
    abgebrochen.dlg.m_fnDateiWaehlen = [] { return std::string(); };
    abgebrochen.dlg.FileOpen();
    EXPECT_EQ(abgebrochen.dlg.m_lbZeilen.GetCount(), 1);

    // A file that fails in its third line changes nothing.
    ASSERT_TRUE(DateiAtomarSchreiben(pfad, "Titel\n2002 95 13000\n2004 96 13100\n"));
    CDialog kaputt({"2002  1.0  1.0"});
    kaputt.dlg.m_fnDateiWaehlen = [&] { return pfad; };
    kaputt.dlg.FileOpen();
    EXPECT_EQ(kaputt.meldungen.m_saTexte.back(), "Die Jahre sind nichr aufsteigend");
    ASSERT_EQ(kaputt.dlg.m_lbZeilen.GetCount(), 1);
    EXPECT_EQ(kaputt.dlg.m_lbZeilen.GetText(0), "2002  1.0  1.0");
    EXPECT_EQ(kaputt.dlg.m_bGeaendert, 0);
}

TEST(DlgVerkauf, TypedLineMayCarryADecimalCommaAndIsStoredWithAPoint)
{
    CDialog d;
    d.Anhaengen("2002 190,5 25000");
    ASSERT_EQ(d.dlg.m_lbZeilen.GetCount(), 1);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(0), "2002         190.5       25000.0");
    d.Anhaengen("2003 14.000 25000");
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "\"14.000\" ist nicht eindeutig: ein Tausenderpunkt wird nicht gelesen. "
                                            "Geben Sie die Zahl ohne Punkt ein (14000) oder mit Dezimalkomma.");
    d.Anhaengen("2003 190,5,1 25000");
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Die Zeile enthält keine 3 Werte!");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetCount(), 1);
}

TEST(DlgVerkauf, PastedProfileTakesSemicolonsTabsAndCommasThroughTheImportChecks)
{
    CDialog d({"2002          95.0       13000.0"});
    d.dlg.Einfuegen("Jahr;Produktion;Rate\r\n2002;95,5;13000\r\n2003\t96,5\t13100,0\n2004 97 13200\n");
    ASSERT_EQ(d.dlg.m_lbZeilen.GetCount(), 3);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(0), " 2002           95.5       13000.0");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(1), " 2003           96.5       13100.0");
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "3 Zeilen wurden eingefügt");
    EXPECT_EQ(d.dlg.m_sStatus, "3 Zeilen wurden eingefügt");
    EXPECT_EQ(d.dlg.m_bGeaendert, 1);

    // Text that is not a profile: the import's message, nothing changes.
    CDialog k({"2002          95.0       13000.0"});
    k.dlg.Einfuegen("Sehr geehrte Damen und Herren,\nanbei die Zahlen.\n");
    EXPECT_EQ(k.meldungen.m_saTexte.back(), "Die Zeile enhält keine 3 Werte\n anbei die Zahlen.");
    ASSERT_EQ(k.dlg.m_lbZeilen.GetCount(), 1);
    EXPECT_EQ(k.dlg.m_bGeaendert, 0);
    // Lines on the list are replaced only when the user says so.
    k.meldungen.m_bAntworten = {false};
    k.dlg.Einfuegen("2005 1 1\n");
    EXPECT_EQ(k.meldungen.m_saTexte.back(), "Soll die Zeile der Liste durch die neue Zeile ersetzt werden?");
    ASSERT_EQ(k.dlg.m_lbZeilen.GetCount(), 1);
    EXPECT_EQ(k.dlg.m_lbZeilen.GetText(0), "2002          95.0       13000.0");
}

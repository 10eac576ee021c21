#include "dialogs/CDlgInput.h"
#include "Testdaten.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

using namespace IDC_Input;

namespace {

struct CDialog {
    CAufgezeichneteMeldungen meldungen;
    CDlgInput dlg{meldungen};

    explicit CDialog(std::vector<std::string> felder = {}, int ende = 2030)
    {
        dlg.m_saFelder = AusSatztexten(felder);
        dlg.m_Feld.m_iFoerderbeginn = 2002;
        dlg.m_iProjektende = ende;
        dlg.m_iGrafikRate = 0;
        dlg.OnInitDialog();
    }
    std::string& Text(int id) { return dlg.m_Austausch.m_Texte[id]; }
    void Antworten(std::vector<bool> a) { meldungen.m_bAntworten = std::move(a); }
    std::vector<std::string> Namen() const
    {
        std::vector<std::string> n;
        for (const auto& e : dlg.m_lbFelder.Eintraege())
            n.emplace_back(e.substr(0, e.find(' ')));
        return n;
    }
};

std::string Satz(const std::string& name)
{
    CFeldwerte f = FeldA();
    f.m_sFeldname = name;
    return Feldsatz(f);
}

// FeldA with a drilling schedule: from 2008 on 10 wells, from 2012 on a
// wellhead pressure of 40 bar; 0 leaves a value unchanged.
std::string Bohrplan()
{
    CStufen stufen;
    stufen.fill({2003, 8000, 60.0f, 6, 0.0125f, 50.0f});
    stufen[1] = {2008, 0, 0.0f, 10, 0.0f, 0.0f};
    stufen[2] = {2012, 0, 40.0f, 0, 0.0f, 0.0f};
    return Feldsatz(FeldA(), stufen);
}

} // namespace

TEST(DlgInput, FieldListIsSortedCaseInsensitivelyAndOkHandsItBack)
{
    CDialog d({Satz("Zeta"), Satz("alpha"), Satz("Beta")});
    EXPECT_EQ(d.Namen(), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
    EXPECT_EQ(d.dlg.m_iFeld, 0);
    EXPECT_EQ(d.dlg.m_sFeldStatus, "1.Feld ausgewählt");
    EXPECT_EQ(d.Text(Feld), "alpha");
    EXPECT_EQ(d.Text(Pi), "380");
    EXPECT_EQ(d.Text(CWert), "0.0125");
    EXPECT_EQ(d.dlg.m_sZeileStatus, "1.Zeile ausgewählt");
    d.dlg.OnOK();
    EXPECT_EQ(d.dlg.m_Ende, CDlgInput::EEnde::OK);
    ASSERT_EQ(d.dlg.m_saFelder.size(), 3u);
    EXPECT_EQ(d.dlg.m_saFelder[0].Text().substr(0, 6), "alpha ");
    EXPECT_EQ(d.dlg.m_saFelder[2].Text().substr(0, 5), "Zeta ");
}

TEST(DlgInput, AppendingPutsTheFieldInItsPlace)
{
    CDialog d({Satz("Anfang"), Satz("Zeit")});
    d.Text(Feld) = "Mitte";
    d.dlg.OnKillFocusFeldname();
    d.dlg.FeldAnhaengen();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Soll das Feld Mitte angehängt werden?");
    EXPECT_EQ(d.Namen(), (std::vector<std::string>{"Anfang", "Mitte", "Zeit"}));
    EXPECT_EQ(d.dlg.m_sFeldStatus, "3.Feld wurde angehängt");
    EXPECT_EQ(d.dlg.m_iFeld, -1);
    EXPECT_EQ(d.dlg.m_sAuswahl, "AUSWAHL FEHLT");
    EXPECT_EQ(d.dlg.m_bGeaendert, 1);
    // the stage rows are those read back into the dialog: 9-wide hours
    EXPECT_NE(d.dlg.m_lbFelder.GetText(1).find(" 0   2003      8000  "), std::string::npos);
}

TEST(DlgInput, ChangingTheNameKeepsThePositionAndAsksWithTheOldName)
{
    CDialog d({Satz("Anfang"), Satz("Zeit")});
    d.Text(Feld) = "Zzz";
    d.dlg.FeldAendern();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Soll das 1.Feld Anfang geändert werden?");
    EXPECT_EQ(d.Namen(), (std::vector<std::string>{"Zzz", "Zeit"}));
    EXPECT_EQ(d.dlg.m_sFeldStatus, "1.Feld wurde geändert");

    d.dlg.m_lbFelder.SetCurSel(1); // selected but not loaded
    d.dlg.FeldAendern();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "FELD durch Doppelklick auswählen!");
}

TEST(DlgInput, PressureOfTheCWertFollowsTheInitialPressure)
{
    CDialog d;
    // Passing through "Initialdruck" unchanged keeps a pressure of its own.
    d.Text(Referenzdruck) = "300";
    d.dlg.UpdateData(true);
    d.dlg.OnKillFocusInitialdruck();
    EXPECT_EQ(d.dlg.m_Feld.m_fReferenzdruck, 300.0f);
    EXPECT_EQ(d.Text(Referenzdruck), "300");

    d.Text(Pi) = "250";
    d.dlg.OnKillFocusInitialdruck();
    EXPECT_EQ(d.Text(Referenzdruck), "250");
    d.Text(Referenzdruck) = "260";
    d.dlg.OnKillFocusReferenzdruck();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Der Druck beim C-Wert muß kleiner als der Initialdruck sein!");
    EXPECT_EQ(d.Text(Referenzdruck), "250");
    d.Text(Referenzdruck) = "240";
    d.dlg.OnKillFocusReferenzdruck();
    EXPECT_EQ(d.dlg.m_Feld.m_fReferenzdruck, 240.0f);
    EXPECT_EQ(d.meldungen.m_saTexte.size(), 1u);
}

TEST(DlgInput, AtMost33YearsAndHeadValuesRegenerateTheStageRows)
{
    CDialog d;
    d.Text(Startjahr) = "1990";
    d.dlg.OnKillFocusKopfwerte();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Es werden maximal 33 Jahre verarbeitet!");
    EXPECT_EQ(d.Text(Startjahr), "2002");
    d.Text(Startjahr) = "1998";
    d.dlg.OnKillFocusKopfwerte();
    ASSERT_EQ(d.dlg.m_lbZeilen.GetCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(d.dlg.m_lbZeilen.GetText(i).substr(0, 5), "1998 ");
    EXPECT_EQ(d.Text(ZeileAbJahr), "1998");

    d.Text(LetztesJahr) = "2040";
    d.dlg.OnKillFocusLetztesJahr();
    EXPECT_EQ(d.Text(LetztesJahr), "2030");
    d.Text(Startjahr) = "2002";
    d.dlg.OnKillFocusKopfwerte();
    d.Text(LetztesJahr) = "2034";
    d.dlg.OnKillFocusLetztesJahr();
    EXPECT_EQ(d.dlg.m_iProjektende, 2034);
    EXPECT_EQ(d.meldungen.m_saTexte.size(), 2u);
}

TEST(DlgInput, MissingCompositionIsRefusedAndRestored)
{
    CDialog d;
    d.Text(CH4) = "0";
    d.dlg.OnKillFocusZusammensetzung();
    EXPECT_EQ(d.meldungen.m_saTexte, std::vector<std::string>{"Die Gaszusammensetzung fehlt"});
    EXPECT_EQ(d.Text(CH4), "100");
    EXPECT_EQ(d.dlg.m_Feld.m_fAnteil[3], 100.0f);
}

TEST(DlgInput, StageRowChangeAsksTwiceAndNoToTheFieldKeepsTheRecord)
{
    const std::string satz = Satz("Feld1");
    CDialog d({satz});
    d.dlg.m_lbZeilen.SetCurSel(1);
    d.dlg.ZeileAuswaehlen();
    d.Text(ZeileAbJahr) = "2010";
    d.Text(ZeileBohrungen) = "9";
    d.Text(ZeileCWert) = "0.0234";
    d.Antworten({true, false});
    d.dlg.ZeileAendern();
    EXPECT_EQ(d.meldungen.m_saTexte[0], "Soll die 2.Zeile des Feldes Feld1 geändert werden?");
    EXPECT_EQ(d.meldungen.m_saTexte[1], "Soll das 1.Feld Feld1 geändert werden?");
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(1),
              "2010      8000              60.0            9                0.0234        50.00");
    EXPECT_EQ(d.dlg.m_lbFelder.GetText(0), satz);
    EXPECT_EQ(d.dlg.m_bGeaendert, 1);

    d.meldungen.m_saTexte.clear();
    d.Antworten({true, true});
    d.dlg.ZeileAendern();
    EXPECT_NE(d.dlg.m_lbFelder.GetText(0).find(" 2010      8000              60.0            9                0.0234"),
              std::string::npos);
}

TEST(DlgInput, DeletingTheLastFieldResetsToANewField)
{
    CDialog d({Satz("Einzig")});
    d.dlg.FeldLoeschen();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Soll das 1.Feld Einzig gelöscht werden?");
    EXPECT_EQ(d.dlg.m_lbFelder.GetCount(), 0);
    EXPECT_EQ(d.Text(Feld), "Feldname");
    EXPECT_EQ(d.Text(Foerderstunden), "8740");
    d.dlg.OnOK();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Es wurden keine Felder angehängt!");
    EXPECT_EQ(d.dlg.m_Ende, CDlgInput::EEnde::Offen);
}

TEST(DlgInput, UnreadableOrOutOfRangeValuesGetTheStandardMessage)
{
    CDialog d({Satz("Feld1")});
    d.Text(Bohrungen) = "sechs";
    d.Text(OGIP) = "9000";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie eine ganze Zahl ein.");
    EXPECT_EQ(d.dlg.m_Austausch.m_iFokus, Bohrungen);
    EXPECT_EQ(d.dlg.m_Feld.m_iBohrungen, 6);
    EXPECT_EQ(d.dlg.m_Feld.m_fOGIP, 8000.0f); // after the refused value: not taken

    d.Text(Bohrungen) = "101";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie eine ganze Zahl zwischen 1 und 100 ein.");
    d.Text(Bohrungen) = " 6 ";
    d.Text(Pi) = "1000.5";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie eine Zahl zwischen 1 und 1000 ein.");
    d.Text(Pi) = "380";
    d.Text(Feld) = std::string(100, 'x');
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie nicht mehr als 99 Zeichen ein.");
    d.Text(Feld) = "Feld\xE2\x88\x9E"; // ∞ has no Windows-1252 byte
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.dlg.m_Austausch.m_iFokus, Feld);

    // OK with a refused value keeps the dialog open and the list intact (the
    // edits not taken are not to be taken now either).
    d.Antworten({false, false});
    d.dlg.OnOK();
    EXPECT_EQ(d.dlg.m_Ende, CDlgInput::EEnde::Offen);
    EXPECT_EQ(d.dlg.m_lbFelder.GetCount(), 1);
    d.Text(Feld) = "Feld1";
    d.dlg.OnOK();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Die Änderungen am 1.Feld Feld1 wurden noch nicht mit „Feld ändern“ "
                                            "übernommen. Sollen sie übernommen werden?");
    EXPECT_EQ(d.dlg.m_Ende, CDlgInput::EEnde::OK);
}

TEST(DlgInput, NameWithBlanksIsRefused)
{
    CDialog d;
    d.Text(Feld) = "Feld A";
    d.dlg.OnKillFocusFeldname();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Der Feldname enthält Leerzeichen");
    EXPECT_EQ(d.Text(Feld), "Feldname");
}

TEST(DlgInput, OptionsSingleFieldAndExclusiveChecks)
{
    CDialog d({Satz("Feld1"), Satz("Feld2")});
    d.dlg.m_Austausch.m_Haken[Detailausgabe] = 1;
    d.dlg.OnDetailausgabe();
    d.dlg.m_Austausch.m_Haken[Feldesreserven] = 1;
    d.dlg.OnFeldesreserven();
    EXPECT_EQ(d.dlg.m_bFeldesreserven, 1);
    EXPECT_EQ(d.dlg.m_bDetailausgabe, 0);
    EXPECT_EQ(d.dlg.m_Austausch.m_Haken[Detailausgabe], 0);

    d.dlg.OnEinzelfeldberechnung();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Soll das 1.ausgewählte Feld: Feld1 berechnet werden?");
    EXPECT_EQ(d.dlg.m_sEinzelfeld, "Feld1");
    EXPECT_EQ(d.dlg.m_iEinzelfeld, 0);
    EXPECT_EQ(d.dlg.m_bFeldesreserven, 0);

    CDialog leer;
    leer.dlg.OnEinzelfeldberechnung();
    EXPECT_EQ(leer.meldungen.m_saTexte.back(), "Es wurde kein Feld angehängt bzw. ausgewählt");
}

TEST(DlgInput, ProposalAndGasPropertiesButtons)
{
    CDialog d({Satz("Feld1")});
    d.dlg.OnComputeAbc();
    EXPECT_EQ(d.Text(Vorschlag).substr(0, 4), "A1: ");
    EXPECT_EQ(d.Text(A1), "75"); // the input fields stay
    d.dlg.OnGaseigenschaften();
    EXPECT_EQ(d.meldungen.m_saTexte.back().substr(0, 35), "Gaseigenschaften des Feldes: Feld1\n");
    float gezeigt = -1;
    d.dlg.m_fnWasserinvasion = [&](float we) { gezeigt = we; };
    d.Text(Wasserinvasion) = "35";
    d.dlg.OnKillFocusWasserinvasion();
    d.dlg.OnWasserinvasion();
    EXPECT_EQ(gezeigt, 35.0f);
}

TEST(DlgInput, DecimalCommaIsTakenAndShownWithAPoint)
{
    CDialog d({Satz("Feld1")});
    d.Text(OGIP) = "8000,5";
    d.Text(CWert) = "0,0125";
    d.Text(ZeileKonsAnteil) = "37,5";
    EXPECT_TRUE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.dlg.m_Feld.m_fOGIP, 8000.5f);
    EXPECT_EQ(d.dlg.m_Feld.m_fCWert, 0.0125f);
    EXPECT_EQ(d.dlg.m_Zeile.m_fStufeKonsAnteil, 37.5f);
    d.dlg.UpdateData(false);
    EXPECT_EQ(d.Text(OGIP), "8000.5");
    EXPECT_EQ(d.Text(CWert), "0.0125");

    // A thousands separator is not guessed at, and a range still holds.
    d.Text(OGIP) = "8.000,5";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie eine Zahl ein.");
    d.Text(OGIP) = "8000";
    d.Text(Pi) = "1000,5";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie eine Zahl zwischen 1 und 1000 ein.");
}

TEST(DlgInput, StageRowsWithZeroMeaningUnchangedLoadAndKeepTheDialogWorking)
{
    CDialog d({Bohrplan()});
    d.dlg.m_lbZeilen.SetCurSel(1); // the double-click on row 2
    d.dlg.ZeileAuswaehlen();
    EXPECT_EQ(d.Text(ZeileKopfdruck), "0");
    EXPECT_EQ(d.Text(ZeileBohrungen), "10");

    // Editing another value afterwards is taken, and the field can be changed.
    d.Text(OGIP) = "9000";
    EXPECT_TRUE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.dlg.m_Feld.m_fOGIP, 9000.0f);
    d.Antworten({true});
    d.dlg.FeldAendern();
    EXPECT_EQ(d.dlg.m_sFeldStatus, "1.Feld wurde geändert");
    CFeldwerte gelesen;
    CStufen gelesenStufen;
    ASSERT_EQ(FeldzeileLesen(d.dlg.m_lbFelder.GetText(0), gelesen, gelesenStufen), kWerteJeSatz);
    EXPECT_EQ(gelesen.m_fOGIP, 9000.0f);
    EXPECT_EQ(gelesenStufen[1].m_iStufeBohrungen, 10);
    EXPECT_EQ(gelesenStufen[1].m_fStufeKopfdruck, 0.0f);
    EXPECT_EQ(gelesenStufen[2].m_fStufeKopfdruck, 40.0f);

    // 0 is "unchanged"; any other value keeps its range.
    d.meldungen.m_saTexte.clear();
    d.Text(ZeileKopfdruck) = "0.5";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie 0 (unverändert) oder eine Zahl zwischen 1 und 1000 ein.");
    d.Text(ZeileKopfdruck) = "0";
    d.Text(ZeileBohrungen) = "101";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie 0 (unverändert) oder eine ganze Zahl zwischen 1 und 100 ein.");
    d.Text(ZeileBohrungen) = "-1";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    d.Text(ZeileBohrungen) = "0";
    EXPECT_TRUE(d.dlg.UpdateData(true));
    // The head values keep their ranges without exception.
    d.Text(Bohrungen) = "0";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Geben Sie eine ganze Zahl zwischen 1 und 100 ein.");
}

TEST(DlgInput, HeadValueChangeFollowsOnlyTheStageRowsThatEqualTheOldDefaults)
{
    CDialog d({Bohrplan()});
    const std::string geplant = d.dlg.m_lbZeilen.GetText(1);
    const std::string druck = d.dlg.m_lbZeilen.GetText(2);

    // Leaving a head value unchanged touches nothing.
    d.dlg.OnKillFocusKopfwerte();
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(1), geplant);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(0).substr(0, 5), "2003 ");

    d.Text(Bohrungen) = "8";
    d.dlg.OnKillFocusKopfwerte();
    ASSERT_EQ(d.dlg.m_lbZeilen.GetCount(), 4);
    // The default row's own form: "%d %13d %17.1f %12d %21.3f %15.2f".
    const std::string neu = "2003          8000              60.0            8                 0.013           50.00";
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(0), neu);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(1), geplant);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(2), druck);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(3), neu);
    EXPECT_EQ(d.Text(ZeileBohrungen), "8"); // the first row is selected and shown

    // A new field has four rows equal to its defaults: all follow.
    CDialog leer;
    leer.Text(Startjahr) = "2005";
    leer.dlg.OnKillFocusKopfwerte();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(leer.dlg.m_lbZeilen.GetText(i).substr(0, 5), "2005 ");
}

TEST(DlgInput, FieldListSortsUmlautsWithTheirBaseLetters)
{
    CDialog d({Satz("Zeta"), Satz("Öltal"), Satz("Ostfeld"), Satz("Ahrweiler"), Satz("Äskulap"), Satz("Strasse"),
               Satz("Straßberg"), Satz("Ulm"), Satz("übach")});
    EXPECT_EQ(d.Namen(), (std::vector<std::string>{"Ahrweiler", "Äskulap", "Öltal", "Ostfeld", "Straßberg", "Strasse",
                                                   "übach", "Ulm", "Zeta"}));
}

TEST(DlgInput, EveryRangeHoldsAtItsLimitAndRefusesOnePast)
{
    struct {
        int id;
        const char* grenze;
        const char* darueber;
        const char* meldung;
    } const bereiche[] = {
        {Bohrungen, "100", "101", "Geben Sie eine ganze Zahl zwischen 1 und 100 ein."},
        {Bohrungen, "1", "0", "Geben Sie eine ganze Zahl zwischen 1 und 100 ein."},
        {KonsAnteil, "100", "100.1", "Geben Sie eine Zahl zwischen 0 und 100 ein."},
        {Foerderstunden, "8760", "8761", "Geben Sie eine ganze Zahl zwischen 0 und 8760 ein."},
        {ZeileFoerderstunden, "8760", "8761", "Geben Sie eine ganze Zahl zwischen 0 und 8760 ein."},
        {ZeileAbJahr, "2200", "2201", "Geben Sie eine ganze Zahl zwischen 1950 und 2200 ein."},
        {ZeileAbJahr, "1950", "1949", "Geben Sie eine ganze Zahl zwischen 1950 und 2200 ein."},
        {Startjahr, "2200", "2201", "Geben Sie eine ganze Zahl zwischen 1950 und 2200 ein."},
        {ZeileBohrungen, "100", "101", "Geben Sie 0 (unverändert) oder eine ganze Zahl zwischen 1 und 100 ein."},
        {ZeileKonsAnteil, "100", "100.1", "Geben Sie eine Zahl zwischen 0 und 100 ein."},
        {Pi, "1000", "1000.1", "Geben Sie eine Zahl zwischen 1 und 1000 ein."},
        {Wasserinvasion, "100", "100.1", "Geben Sie eine Zahl zwischen 0 und 100 ein."},
        {Einflussradius, "10000", "10000.1", "Geben Sie eine Zahl zwischen 1 und 10000 ein."},
        {CH4, "0", "-0.1", "Geben Sie eine Zahl zwischen 0 und 100 ein."},
    };
    for (const auto& b : bereiche) {
        CDialog d({Satz("Feld1")});
        d.Text(b.id) = b.grenze;
        EXPECT_TRUE(d.dlg.UpdateData(true)) << b.id << " " << b.grenze;
        d.Text(b.id) = b.darueber;
        EXPECT_FALSE(d.dlg.UpdateData(true)) << b.id << " " << b.darueber;
        EXPECT_EQ(d.dlg.m_Austausch.m_iFokus, b.id);
        ASSERT_FALSE(d.meldungen.m_saTexte.empty());
        EXPECT_EQ(d.meldungen.m_saTexte.back(), b.meldung) << b.id;
    }
}

TEST(DlgInput, ProjectYearsAndPressureOfTheCWertAtTheirLimits)
{
    CDialog d;                  // last year 2030
    d.Text(Startjahr) = "1998"; // 33 project years
    d.dlg.OnKillFocusKopfwerte();
    EXPECT_EQ(d.dlg.m_Feld.m_iFoerderbeginn, 1998);
    EXPECT_TRUE(d.meldungen.m_saTexte.empty());
    d.Text(Startjahr) = "1997"; // 34
    d.dlg.OnKillFocusKopfwerte();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Es werden maximal 33 Jahre verarbeitet!");
    EXPECT_EQ(d.dlg.m_Feld.m_iFoerderbeginn, 1998);

    d.Text(LetztesJahr) = "2031"; // 1998 … 2031: 34 years
    d.dlg.OnKillFocusLetztesJahr();
    EXPECT_EQ(d.dlg.m_iProjektende, 2030);
    EXPECT_EQ(d.meldungen.m_saTexte.size(), 2u);

    // The pressure of the C-Wert may equal the initial pressure, not exceed it.
    d.Text(Pi) = "300";
    d.dlg.OnKillFocusInitialdruck();
    d.Text(Referenzdruck) = "300";
    d.dlg.OnKillFocusReferenzdruck();
    EXPECT_EQ(d.dlg.m_Feld.m_fReferenzdruck, 300.0f);
    d.Text(Referenzdruck) = "299.9";
    d.dlg.OnKillFocusReferenzdruck();
    EXPECT_EQ(d.dlg.m_Feld.m_fReferenzdruck, 299.9f);
    EXPECT_EQ(d.meldungen.m_saTexte.size(), 2u);
    d.Text(Referenzdruck) = "300.1";
    d.dlg.OnKillFocusReferenzdruck();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Der Druck beim C-Wert muß kleiner als der Initialdruck sein!");
    EXPECT_EQ(d.dlg.m_Feld.m_fReferenzdruck, 299.9f);
}

TEST(DlgInput, ProposalIsTakenOverAfterAQuestionWhenItReplacesOtherValues)
{
    CDialog d({Satz("Feld1"), Satz("Feld2")});
    EXPECT_FALSE(d.dlg.m_bVorschlagDa);
    d.dlg.OnComputeAbc();
    ASSERT_TRUE(d.dlg.m_bVorschlagDa);
    // The values are those the text shows ("A1: %6.1f B1:%6.3f C-Wert:%7.4f").
    EXPECT_EQ(d.dlg.m_sVorschlag, Format("A1: %6.1f B1:%6.3f C-Wert:%7.4f", double(d.dlg.m_fVorschlagA1),
                                         double(d.dlg.m_fVorschlagB1), double(d.dlg.m_fVorschlagCWert)));

    // FeldA has A1, B1, C-Wert of its own: the takeover asks; No keeps them.
    d.meldungen.m_saTexte.clear();
    d.Antworten({false});
    d.dlg.OnVorschlagUebernehmen();
    ASSERT_EQ(d.meldungen.m_saTexte.size(), 1u);
    EXPECT_EQ(d.meldungen.m_saTexte[0].rfind("Sollen A1 ", 0), 0u);
    EXPECT_EQ(d.Text(CWert), "0.0125");
    d.Antworten({true});
    d.dlg.OnVorschlagUebernehmen();
    EXPECT_EQ(d.dlg.m_Feld.m_fA1, d.dlg.m_fVorschlagA1);
    EXPECT_EQ(d.dlg.m_Feld.m_fCWert, d.dlg.m_fVorschlagCWert);
    EXPECT_EQ(d.Text(B1), Format("%.6g", double(d.dlg.m_fVorschlagB1)));

    // Equal values are taken without a question; another field drops the proposal.
    d.meldungen.m_saTexte.clear();
    d.dlg.OnVorschlagUebernehmen();
    EXPECT_TRUE(d.meldungen.m_saTexte.empty());
    d.dlg.m_lbFelder.SetCurSel(1);
    d.dlg.FeldAuswaehlen();
    EXPECT_FALSE(d.dlg.m_bVorschlagDa);
    EXPECT_EQ(d.Text(Vorschlag), "");
}

// Names identify fields: a second field of a name is refused, and the field
// chosen for a single-field run is followed through a rename and a delete.
TEST(DlgInput, FieldNamesAreUniqueAndTheSingleFieldChoiceFollowsItsField)
{
    CDialog d({Satz("Anfang"), Satz("Zeit")});
    d.Text(Feld) = "Zeit";
    d.dlg.FeldAnhaengen();
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Ein Feld dieses Namens gibt es schon.");
    EXPECT_EQ(d.dlg.m_lbFelder.GetCount(), 2);
    d.dlg.FeldAendern(); // field 1 (Anfang) under the name of field 2
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Ein Feld dieses Namens gibt es schon.");
    EXPECT_EQ(d.Namen(), (std::vector<std::string>{"Anfang", "Zeit"}));

    d.dlg.OnEinzelfeldberechnung(); // the selected field, whatever its name box shows
    ASSERT_EQ(d.dlg.m_sEinzelfeld, "Anfang");
    d.Text(Feld) = "Zzz"; // renamed in its place
    d.dlg.FeldAendern();
    EXPECT_EQ(d.dlg.m_sEinzelfeld, "Zzz");
    d.Text(Feld) = "Mitte"; // a new field before it moves it to the second place
    d.dlg.FeldAnhaengen();
    ASSERT_EQ(d.Namen(), (std::vector<std::string>{"Mitte", "Zzz", "Zeit"}));
    d.dlg.OnOK();
    EXPECT_EQ(d.dlg.m_iEinzelfeld, 1);

    CDialog e({Satz("Anfang"), Satz("Zeit")});
    e.dlg.OnEinzelfeldberechnung();
    e.dlg.FeldLoeschen();
    EXPECT_EQ(e.dlg.m_sEinzelfeld, "");
    EXPECT_EQ(e.dlg.m_iEinzelfeld, -1);
    EXPECT_NE(e.meldungen.m_saTexte.back().find("werden wieder alle Felder berechnet"), std::string::npos);
}

// The proposal's C-Wert reaches the stage rows that follow the head, as a
// typed C-Wert does; a row of a drilling schedule keeps its own values.
TEST(DlgInput, TakingOverTheProposalRenewsTheStageRowsThatFollowTheHead)
{
    CDialog d({Bohrplan()});
    const std::string geplant = d.dlg.m_lbZeilen.GetText(1);
    d.dlg.OnComputeAbc();
    ASSERT_TRUE(d.dlg.m_bVorschlagDa);
    d.Antworten({true});
    d.dlg.OnVorschlagUebernehmen();
    const std::string cwert = Format("%.3f", double(d.dlg.m_fVorschlagCWert));
    ASSERT_NE(cwert, "0.013");
    EXPECT_NE(d.dlg.m_lbZeilen.GetText(0).find(" " + cwert + " "), std::string::npos) << d.dlg.m_lbZeilen.GetText(0);
    EXPECT_NE(d.dlg.m_lbZeilen.GetText(3).find(" " + cwert + " "), std::string::npos);
    EXPECT_EQ(d.dlg.m_lbZeilen.GetText(1), geplant);
}

// A new field typed over a field with a drilling schedule does not take the
// schedule silently; a row from a year not after the start is named useless.
TEST(DlgInput, NewFieldAsksBeforeTakingAnotherFieldsScheduleAndUselessRowsAreNamed)
{
    CDialog d({Bohrplan()});
    d.Text(Feld) = "Neu";
    d.Antworten({true, false}); // append: yes; take the other rows: no
    d.dlg.FeldAnhaengen();
    ASSERT_EQ(d.dlg.m_lbFelder.GetCount(), 2);
    EXPECT_NE(d.meldungen.m_saTexte.back().find("2 Stufenzeilen weichen von den Kopfwerten ab"), std::string::npos);
    CFeldwerte f;
    CStufen stufen;
    ASSERT_EQ(FeldzeileLesen(d.dlg.m_lbFelder.GetText(1), f, stufen), kWerteJeSatz);
    ASSERT_EQ(f.m_sFeldname, "Neu");
    for (const auto& s : stufen)
        EXPECT_EQ(s.m_iStufeAbJahr, 2003);

    CDialog z({Satz("Feld1")});
    z.dlg.m_lbZeilen.SetCurSel(1);
    z.dlg.ZeileAuswaehlen();
    z.Text(ZeileBohrungen) = "9"; // the year stays 2003, the field's start
    z.dlg.ZeileAendern();
    const auto& t = z.meldungen.m_saTexte;
    EXPECT_NE(std::find(t.begin(), t.end(),
                        "Die 2.Zeile (ab 2003) wird nie angewendet: das Jahr liegt nicht nach dem Startjahr 2003."),
              t.end());
}

// A German thousands point ("14.000") typed into a number is refused, never
// read as 14; a value shown by the dialog ("43.873") passes untouched.
TEST(DlgInput, TypedThousandsPointIsRefusedShownValuesPass)
{
    CDialog d({Satz("Feld1")});
    d.Text(OGIP) = "14.000";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "\"14.000\" ist nicht eindeutig: ein Tausenderpunkt wird nicht gelesen. "
                                            "Geben Sie die Zahl ohne Punkt ein (14000) oder mit Dezimalkomma.");
    d.dlg.m_Feld.m_fCWert = 43.873f;
    d.dlg.UpdateData(false);
    EXPECT_EQ(d.Text(CWert), "43.873");
    d.Text(OGIP) = "14000";
    EXPECT_TRUE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.dlg.m_Feld.m_fOGIP, 14000.0f);
    for (const char* eindeutig : {"0.125", "14.5", "1234.567", "14,000"}) {
        d.Text(OGIP) = eindeutig;
        EXPECT_TRUE(d.dlg.UpdateData(true)) << eindeutig;
    }
    d.Text(OGIP) = "1.250.000";
    EXPECT_FALSE(d.dlg.UpdateData(true));

    d.Text(OGIP) = "14000";
    d.Text(Feld) = "Feld\x1b";
    EXPECT_FALSE(d.dlg.UpdateData(true));
    EXPECT_EQ(d.meldungen.m_saTexte.back(), "Der Text enthält Steuerzeichen (etwa einen Tabulator); bitte entfernen.");
}

// The line beside the composition follows the percentages as typed, decimal
// comma included, and says nothing misleading while a text is no number.
TEST(CDlgInput, SalesGasLineFollowsTheCompositionAsTyped)
{
    std::array<std::string, kAnzahlKomponenten> texte{};
    texte[3] = "100";
    EXPECT_EQ(VerkaufsgasAnzeige(texte), "Verkaufsgas: Hs,n 11,063 · Ws,n 14,853 kWh/m³ · H-Gas");
    texte[0] = "12";
    texte[1] = "8";
    texte[3] = "80,0";
    EXPECT_EQ(VerkaufsgasAnzeige(texte), "Verkaufsgas: Hs,n 11,063 · Ws,n 14,853 kWh/m³ · H-Gas");
    // 14.8 % N2 in 80 % sales gas: 18.5 % N2, 81.5 % CH4 (by hand as in the
    // methane case: Hs 9.012, Ws 11.344 kWh/m³, an L-gas).
    texte[2] = "14.8";
    texte[3] = "65,2";
    EXPECT_EQ(VerkaufsgasAnzeige(texte), "Verkaufsgas: Hs,n 9,012 · Ws,n 11,344 kWh/m³ · L-Gas");
    texte[3] = "65,2x";
    EXPECT_EQ(VerkaufsgasAnzeige(texte), "Verkaufsgas: –");
    texte[3] = "";
    EXPECT_EQ(VerkaufsgasAnzeige(texte), "Verkaufsgas: Summe 34,80 % statt 100 %");
}

// OK with values typed into the loaded field but not taken with "Feld
// ändern" asks; a row per case: what is typed, the answer, the well count the
// document gets and whether it was asked.
TEST(DlgInput, OkAsksForValuesNotYetTakenAndKeepsWhatWasAnswered)
{
    struct CFall {
        const char* bohrungen;
        bool antwort;
        int erwartet;
        bool gefragt;
    };
    const CFall faelle[] = {
        {"9", true, 9, true},
        {"9", false, 6, true},
        {"6", true, 6, false},  // nothing changed: nothing to ask
        {"500", true, 6, true}, // refused by the range: the dialog stays open
    };
    for (const CFall& f : faelle) {
        CDialog d({Satz("Feld1")});
        d.Text(Bohrungen) = f.bohrungen;
        d.Antworten({f.antwort});
        const size_t vorher = d.meldungen.m_saTexte.size();
        d.dlg.OnOK();
        const bool gefragt = d.meldungen.m_saTexte.size() > vorher &&
                             d.meldungen.m_saTexte[vorher].starts_with("Die Änderungen am 1.Feld Feld1");
        EXPECT_EQ(gefragt, f.gefragt) << f.bohrungen;
        if (std::string(f.bohrungen) == "500") {
            EXPECT_EQ(d.dlg.m_Ende, CDlgInput::EEnde::Offen);
            continue;
        }
        ASSERT_EQ(d.dlg.m_Ende, CDlgInput::EEnde::OK) << f.bohrungen;
        EXPECT_EQ(d.dlg.m_saFelder.at(0).Werte().m_iBohrungen, f.erwartet) << f.bohrungen;
    }
}

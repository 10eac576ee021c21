#include "Testdaten.h"
#include "dialogs/CDatenbefehle.h"
#include "dialogs/CDlgInput.h"
#include "dialogs/CDlgWasserinvasion.h"
#include "dialogs/DlgVerkauf.h"
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the dialogs with scripted actions.
struct CSkript : IDialoge {
    std::function<bool(CDlgInput&)> daten = [](CDlgInput& d) {
        d.OnInitDialog();
        d.OnOK();
        return d.m_Ende == CDlgInput::EEnde::OK;
    };
    std::function<bool(DlgVerkauf&)> profil = [](DlgVerkauf&) { return false; };
    bool sichern = true;
    int sichernGefragt = 0;

    bool DatenDialog(CDlgInput& d) override { return daten(d); }
    bool ProfilDialog(DlgVerkauf& d) override { return profil(d); }
    bool GeaendertesDokumentSichern() override
    {
        ++sichernGefragt;
        return sichern;
    }
};

struct CDokument {
    CAufgezeichneteMeldungen meldungen;
    CKalvoDoc doc{meldungen};
    CSkript skript;
    CDatenbefehle befehle{doc, &skript};
    int gezeichnet = 0;
    CDokument()
    {
        doc.BeobachterHinzufuegen([this] { ++gezeichnet; });
    }
};

// The dialog's script: the first field gets 9 wells with "Feld ändern", then OK.
bool NeunBohrungen(CDlgInput& dlg)
{
    dlg.OnInitDialog();
    dlg.m_Austausch.m_Texte[IDC_Input::Bohrungen] = "9";
    dlg.FeldAendern();
    dlg.OnOK();
    return true;
}

} // namespace

TEST(Datenbefehle, OkWithoutChangeRunsOnlyWhenSomethingDiffers)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    d.befehle.OnDatenAendern(); // FeldA starts 2003, the document holds 2002
    EXPECT_EQ(d.doc.m_bNeuBerechnen, 1);
    EXPECT_FALSE(d.doc.m_saBericht.empty());
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ(d.gezeichnet, 1);

    CDokument gleich;
    gleich.doc.m_iFoerderbeginn = 2003;
    gleich.doc.m_saFelder = {Feldsatz(FeldA())};
    gleich.befehle.OnDatenAendern();
    EXPECT_EQ(gleich.doc.m_bNeuBerechnen, 0);
    EXPECT_TRUE(gleich.doc.m_saBericht.empty());
}

TEST(Datenbefehle, CancelKeepsTheDocumentAndChangesMarkIt)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    d.doc.m_sEinzelfeld = "FeldA";
    d.skript.daten = [](CDlgInput& dlg) {
        dlg.OnInitDialog();
        dlg.OnCancel();
        return false;
    };
    d.befehle.OnDatenAendern();
    EXPECT_EQ(d.doc.m_saFelder.size(), 1u);
    EXPECT_EQ(d.doc.m_sEinzelfeld, "FeldA"); // "Abbrechen" changes nothing, not even the choice

    d.skript.daten = NeunBohrungen;
    d.befehle.OnDatenAendern();
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_NE(d.doc.m_saFelder[0].Text().find(" 9 25000.0 "), std::string::npos);
}

TEST(Datenbefehle, NewAsksToSaveAndForgetsTheFileName)
{
    CDokument d;
    d.doc.SetPathName("/tmp/alt.kvo");
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    d.doc.SetModifiedFlag(true);
    d.skript.sichern = false; // the user cancels
    d.befehle.OnFileNew();
    EXPECT_EQ(d.doc.m_saFelder.size(), 1u);
    EXPECT_EQ(d.doc.GetPathName(), "/tmp/alt.kvo");

    d.skript.sichern = true;
    d.skript.daten = [](CDlgInput& dlg) {
        dlg.OnInitDialog();
        dlg.OnCancel();
        return false;
    };
    d.befehle.OnFileNew();
    EXPECT_EQ(d.skript.sichernGefragt, 2);
    EXPECT_TRUE(d.doc.m_saFelder.empty());
    EXPECT_EQ(d.doc.GetPathName(), "");
    EXPECT_EQ(d.doc.GetTitle(), "Unbenannt");
    EXPECT_EQ(d.doc.m_iProjektende, 2030);
}

TEST(Datenbefehle, ProfileCommandsNeedFieldsAndRecomputeOnChange)
{
    CDokument d;
    d.befehle.OnVerkaufsprofil();
    EXPECT_EQ(d.meldungen.m_saTexte, std::vector<std::string>{"Bitte zuerst Felddaten eingeben!"});

    d.doc.m_saFelder = {Feldsatz(FeldA())};
    d.doc.m_iProjektstart = 2003;
    d.skript.profil = [](DlgVerkauf& dlg) {
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.m_bRestfelder, 1);
        dlg.m_sTextZeile = "2003 10 1000";
        dlg.ZeileAnhaengen();
        dlg.m_sTextZeile = "2004 10 1000";
        dlg.ZeileAnhaengen();
        dlg.OnOK();
        return true;
    };
    d.befehle.OnRestfelder();
    ASSERT_EQ(d.doc.m_saRestfelder.size(), 2u);
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_EQ(d.doc.m_bNeuBerechnen, 1);
    EXPECT_EQ(d.doc.m_fRestProduktion[0], 10.0f);
}

// A profile of 48 lines (1998–2045) opened and closed with OK keeps every
// line, and without a change nothing happens: no run, no modified mark.
TEST(Datenbefehle, ProfileDialogOkWithoutChangeKeepsEveryLineAndChangesNothing)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    for (int jahr = 1998; jahr <= 2045; ++jahr)
        d.doc.m_saVerkaufsprofil.push_back(std::to_string(jahr) + "         500.0       62500.0");
    const auto profil = d.doc.m_saVerkaufsprofil;
    d.skript.profil = [](DlgVerkauf& dlg) {
        dlg.OnInitDialog();
        dlg.OnOK();
        return true;
    };
    const unsigned laeufe = d.doc.Laeufe();
    d.befehle.OnVerkaufsprofil();
    EXPECT_EQ(d.doc.m_saVerkaufsprofil, profil);
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ(d.doc.Laeufe(), laeufe);
    EXPECT_EQ(d.doc.m_bNeuBerechnen, 0);
}

TEST(Datenbefehle, OpeningMarksModifiedExactlyWhenTheDialogChangedAField)
{
    CStilleMeldungen still;
    CKalvoDoc quelle(still);
    quelle.m_saFelder = {Feldsatz(FeldA())};
    const std::string datei = quelle.Speichern();

    CDokument d;
    ASSERT_TRUE(d.befehle.OnOpenDocument(datei, "/tmp/x.kvo"));
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ(d.doc.GetTitle(), "x.kvo");

    d.skript.daten = [](CDlgInput& dlg) {
        dlg.OnInitDialog();
        dlg.FeldLoeschen(); // the only field
        dlg.m_Austausch.m_Texte[IDC_Input::Feld] = "Neu";
        dlg.m_Austausch.m_Texte[IDC_Input::Pi] = "300";
        dlg.m_Austausch.m_Texte[IDC_Input::Kopfdruck] = "50";
        dlg.m_Austausch.m_Texte[IDC_Input::OGIP] = "100";
        dlg.m_Austausch.m_Texte[IDC_Input::A1] = "300";
        dlg.m_Austausch.m_Texte[IDC_Input::B1] = "1.4";
        dlg.m_Austausch.m_Texte[IDC_Input::CWert] = "1";
        dlg.m_Austausch.m_Texte[IDC_Input::MaxRate] = "10000";
        dlg.m_Austausch.m_Texte[IDC_Input::Tcel] = "100";
        dlg.FeldAnhaengen();
        dlg.OnOK();
        return dlg.m_Ende == CDlgInput::EEnde::OK;
    };
    ASSERT_TRUE(d.befehle.OnOpenDocument(datei, "/tmp/x.kvo"));
    EXPECT_TRUE(d.doc.IsModified());
    ASSERT_EQ(d.doc.m_saFelder.size(), 1u);
    EXPECT_EQ(d.doc.m_saFelder[0].Text().substr(0, 4), "Neu ");

    EXPECT_FALSE(d.befehle.OnOpenDocument("kaputt", "/tmp/y.kvo"));
    EXPECT_EQ(d.doc.GetTitle(), "x.kvo");
}

TEST(Wasserinvasion, LineEndsFollowTheInvasion)
{
    const auto ende = [](float we) {
        CDlgWasserinvasion dlg;
        dlg.m_fWe = we;
        CAufzeichnungsDC dc;
        dlg.OnPaint(dc, 200, 100);
        std::vector<std::string> linien;
        for (const auto& a : dc.m_saAufrufe)
            if (a.rfind("LineTo", 0) == 0 || a.rfind("TextOut 60 10", 0) == 0)
                linien.push_back(a);
        return linien;
    };
    EXPECT_EQ(ende(0)[4], "LineTo 160 80");
    EXPECT_EQ(ende(100)[4], "LineTo 160 30");
    EXPECT_EQ(ende(50)[4], "LineTo 160 55");
    EXPECT_EQ(ende(35).back(), "TextOut 60 10 We:  35.0 %");
    CDlgWasserinvasion dlg;
    CAufzeichnungsDC dc;
    dlg.OnPaint(dc, 200, 100);
    EXPECT_EQ(dc.m_saAufrufe[2], "Rectangle 10 5 189 94");
}

TEST(Datenbefehle, OpeningShowsTheOpenedFilesResultsAlsoAfterCancel)
{
    CStilleMeldungen still;
    CKalvoDoc quelle(still);
    quelle.m_saFelder = {Feldsatz(MethanFeld("Neues_Feld", 2004))};
    const std::string datei = quelle.Speichern();

    CDokument d;
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    d.doc.Berechnen(); // the results of the document open before
    const auto alterBericht = d.doc.m_saBericht;
    d.skript.daten = [](CDlgInput& dlg) {
        dlg.OnInitDialog();
        dlg.OnCancel();
        return false;
    };
    ASSERT_TRUE(d.befehle.OnOpenDocument(datei, "/tmp/neu.kvo"));
    EXPECT_NE(d.doc.m_saBericht, alterBericht);
    EXPECT_EQ(d.doc.m_iProjektstart, 2004);
    EXPECT_EQ(d.doc.X[0], 2004);
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_GE(d.gezeichnet, 1);

    // OK without a change that asks for a run: the results are the file's too.
    CDokument ok;
    ok.doc.m_iFoerderbeginn = 2004; // no difference for the recompute decision
    ASSERT_TRUE(ok.befehle.OnOpenDocument(datei, "/tmp/neu.kvo"));
    EXPECT_EQ(ok.doc.m_saBericht, d.doc.m_saBericht);
}

TEST(Datenbefehle, NewCancelledRedrawsSoThatTheTitleNamesTheUntitledDocument)
{
    CDokument d;
    d.doc.SetPathName("/tmp/alt.kvo");
    d.skript.daten = [](CDlgInput& dlg) {
        dlg.OnInitDialog();
        dlg.OnCancel();
        return false;
    };
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    d.doc.Berechnen();
    ASSERT_FALSE(d.doc.m_saBericht.empty());
    d.befehle.OnFileNew();
    EXPECT_EQ(d.doc.GetTitle(), "Unbenannt");
    EXPECT_EQ(d.gezeichnet, 1);
    // The old document's results are gone with it.
    EXPECT_TRUE(d.doc.m_saBericht.empty());
    EXPECT_EQ(d.doc.m_iAnzahl, 0);
    EXPECT_EQ(d.doc.m_sTitel, "");
}

// Undo restores every part of the state (fields, both profiles, options), and
// a state without fields shows no results of another state.
TEST(Datenbefehle, PuttingAStateBackRestoresAllOfItAndItsResults)
{
    CDokument d;
    const CKalvoDoc::CStand leer = d.doc.Stand();
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    d.doc.m_saVerkaufsprofil = {"2003  100.0  13000.0", "2004  100.0  13000.0"};
    d.doc.m_saRestfelder = {"2003  10.0  1000.0", "2004  10.0  1000.0"};
    d.doc.m_iProjektende = 2010;
    d.doc.m_iGrafikRate = 1;
    d.doc.Berechnen();
    const CKalvoDoc::CStand voll = d.doc.Stand();
    const auto bericht = d.doc.m_saBericht;

    d.doc.StandSetzen(leer);
    EXPECT_TRUE(d.doc.m_saFelder.empty());
    EXPECT_TRUE(d.doc.m_saVerkaufsprofil.empty());
    EXPECT_TRUE(d.doc.m_saRestfelder.empty());
    EXPECT_TRUE(d.doc.m_saBericht.empty());
    EXPECT_EQ(d.doc.m_iAnzahl, 0);
    EXPECT_EQ(d.doc.Stand(), leer);

    d.doc.StandSetzen(voll);
    EXPECT_EQ(d.doc.Stand(), voll);
    EXPECT_EQ(d.doc.m_saVerkaufsprofil, voll.verkaufsprofil);
    EXPECT_EQ(d.doc.m_saRestfelder, voll.restfelder);
    EXPECT_EQ(d.doc.m_saBericht, bericht);
    EXPECT_EQ(d.doc.m_fRestProduktion[0], 10.0f);
}

// A dialog confirmed without a change is no step to undo, even where the
// run's working values move (the first year of the field shown).
TEST(Datenbefehle, OkWithoutChangeIsNoUndoStep)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(FeldA())};
    const CKalvoDoc::CStand vorher = d.doc.Stand();
    d.befehle.OnDatenAendern(); // FeldA starts 2003, the document held 2002
    EXPECT_NE(d.doc.Stand(), vorher);
    EXPECT_TRUE(d.doc.Stand().GleicheEingaben(vorher));

    d.skript.daten = NeunBohrungen;
    const CKalvoDoc::CStand davor = d.doc.Stand();
    d.befehle.OnDatenAendern();
    EXPECT_FALSE(d.doc.Stand().GleicheEingaben(davor));
}

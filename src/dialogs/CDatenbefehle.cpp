// The document's data commands: each copies the document's arrays into a
// modal dialog, runs it, takes the arrays back on OK, decides whether to
// recompute, runs the calculation if so and redraws all views.

#include "dialogs/CDatenbefehle.h"

#include "dialogs/CDlgInput.h"
#include "dialogs/DlgVerkauf.h"
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

int CDatenbefehle::OnDatenAendern(int feld)
{
    CKalvoDoc& d = m_Doc;
    if (!m_pDialoge)
        return 0;
    CDlgInput dlg(d.Meldungen());
    dlg.m_Feld.m_iFoerderbeginn = d.m_iFoerderbeginn;
    dlg.m_iProjektende = d.m_iProjektende;
    dlg.m_bDetailausgabe = d.m_bDetailausgabe;
    dlg.m_iGrafikRate = d.m_iGrafikRate;
    dlg.m_bFeldesreserven = 0; // reserves mode is never preselected
    const std::string einzelfeldVorher = d.m_sEinzelfeld;
    d.m_sEinzelfeld = "";
    dlg.m_saFelder = d.m_saFelder;
    dlg.m_iStartfeld = feld;
    if (!m_pDialoge->DatenDialog(dlg)) {
        d.m_sEinzelfeld = einzelfeldVorher; // "Abbrechen" changes nothing
        return 0;
    }

    d.m_saFelder.clear();
    if (dlg.m_bGeaendert == 1 || dlg.m_Feld.m_iFoerderbeginn != d.m_iFoerderbeginn ||
        dlg.m_iProjektende != d.m_iProjektende || dlg.m_iGrafikRate != d.m_iGrafikRate ||
        dlg.m_bDetailausgabe != d.m_bDetailausgabe || dlg.m_bFeldesreserven != d.m_bFeldesreserven ||
        dlg.m_iEinzelfeld != d.m_iEinzelfeld)
        d.m_bNeuBerechnen = 1;
    if (!dlg.m_saFelder.empty()) {
        d.m_saFelder = dlg.m_saFelder;
        d.m_iFoerderbeginn = dlg.m_Feld.m_iFoerderbeginn;
        d.m_iProjektende = dlg.m_iProjektende;
        d.m_iGrafikRate = dlg.m_iGrafikRate;
        d.m_bFeldesreserven = dlg.m_bFeldesreserven;
        d.m_sEinzelfeld = dlg.m_sEinzelfeld;
        if (dlg.m_iEinzelfeld >= 0) // a chosen field stays chosen until another is chosen
            d.m_iEinzelfeld = dlg.m_iEinzelfeld;
    }
    if (dlg.m_bGeaendert == 1)
        d.SetModifiedFlag(true);
    d.m_bDetailausgabe = dlg.m_bDetailausgabe;
    if (d.m_bNeuBerechnen == 1)
        d.Berechnen();
    d.UpdateAllViews();
    return dlg.m_bGeaendert;
}

bool CDatenbefehle::OnFileNew()
{
    CKalvoDoc& d = m_Doc;
    // A modified document is saved first (or deliberately dropped), and the
    // new one has no file name, so that the next save asks for one.
    if (m_pDialoge && d.IsModified() && !m_pDialoge->GeaendertesDokumentSichern())
        return false;
    d.SetPathName("");
    d.VergleichBeenden();
    d.PlanungSetzen(std::nullopt);
    d.m_sUnlesbarePlanung.clear();
    d.m_sPlanungsdatei.clear();
    d.m_saFelder.clear();
    d.m_saRestfelder.clear();
    d.m_saVerkaufsprofil.clear();
    d.ErgebnisseLoeschen();
    d.m_iFoerderbeginn = 2002;
    d.m_iProjektstart = 2002;
    d.m_iProjektende = 2030;
    d.m_iEinzelfeld = -1;
    d.m_iGrafikRate = 0;
    d.m_sFeldname = "";
    OnDatenAendern();
    d.UpdateAllViews(); // also after "Abbrechen": the title names the untitled document
    return true;
}

void CDatenbefehle::ProfilBefehl(bool restfelder)
{
    CKalvoDoc& d = m_Doc;
    if (d.m_saFelder.empty()) {
        d.Meldungen().Meldung("Bitte zuerst Felddaten eingeben!");
        return;
    }
    if (!m_pDialoge)
        return;
    auto& profil = restfelder ? d.m_saRestfelder : d.m_saVerkaufsprofil;
    DlgVerkauf dlg(d.Meldungen());
    dlg.m_saZeilen = Profiltexte(profil);
    dlg.m_iProjektstart = d.m_iProjektstart; // the first project year of the last run
    dlg.m_iProjektende = d.m_iProjektende;
    dlg.m_bRestfelder = restfelder ? 1 : 0;
    if (!m_pDialoge->ProfilDialog(dlg))
        return;
    // OK without a change is no change: no recompute, no modified mark.
    if (dlg.m_bGeaendert == 1 && dlg.m_saZeilen != Profiltexte(profil)) {
        profil = AusProfiltexten(dlg.m_saZeilen);
        d.SetModifiedFlag(true);
        d.m_bNeuBerechnen = 1;
        d.Berechnen();
    }
    d.UpdateAllViews();
}

CErgebnis<> CDatenbefehle::OnOpenDocument(std::string_view bytes, const std::string& pfad)
{
    CKalvoDoc& d = m_Doc;
    if (CErgebnis<> geladen = d.Laden(bytes); !geladen)
        return geladen;
    d.VergleichBeenden(); // the variant was chosen for the document before
    d.NachDemLaden();
    d.SetPathName(pfad);
    // The plan beside the file: one that cannot be read is named, and the
    // document opens without it (its file stays as it is).
    d.m_sUnlesbarePlanung.clear();
    if (const CErgebnis<> plan = d.PlanungLaden(pfad); !plan) {
        d.m_sUnlesbarePlanung = Planungspfad(pfad);
        d.Meldungen().Warnung("Das Dokument wird ohne seine Planung geöffnet (alle Planungsoptionen aus); die "
                              "Planungsdatei bleibt unverändert.\n" +
                              plan.Fehlertext());
    }
    const unsigned laeufe = d.Laeufe();
    const int geaendert = OnDatenAendern();
    // Whatever the dialog decided, the results on view must be this file's,
    // not those of the document opened before it.
    if (d.Laeufe() == laeufe && !d.m_saFelder.empty())
        d.Berechnen();
    // The open completes: the document counts as modified exactly when the
    // dialog changed a field or stage row.
    d.SetModifiedFlag(geaendert == 1);
    d.UpdateAllViews();
    return {};
}

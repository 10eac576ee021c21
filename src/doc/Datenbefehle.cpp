// The document's data commands: each copies its arrays into a modal dialog,
// runs it, takes the arrays back on OK, decides whether to recompute, runs
// the calculation if so and redraws all views.

#include "doc/CKalvoDoc.h"

#include "dialogs/CDlgInput.h"
#include "dialogs/DlgVerkauf.h"
#include "platform/Meldungen.h"

#include <filesystem>

int CKalvoDoc::OnDatenAendern()
{
    if (!m_pDialoge)
        return 0;
    CDlgInput dlg(m_Meldungen);
    dlg.m_iFoerderbeginn = m_iFoerderbeginn;
    dlg.m_iProjektende = m_iProjektende;
    dlg.m_bDetailausgabe = m_bDetailausgabe;
    dlg.m_iGrafikRate = m_iGrafikRate;
    dlg.m_bFeldesreserven = 0; // reserves mode is never preselected
    m_sEinzelfeld = "";
    dlg.m_saFelder = m_saFelder;
    if (!m_pDialoge->DatenDialog(dlg))
        return 0;

    m_saFelder.clear();
    if (dlg.m_bGeaendert == 1 || dlg.m_iFoerderbeginn != m_iFoerderbeginn || dlg.m_iProjektende != m_iProjektende ||
        dlg.m_iGrafikRate != m_iGrafikRate || dlg.m_bDetailausgabe != m_bDetailausgabe ||
        dlg.m_bFeldesreserven != m_bFeldesreserven || dlg.m_iEinzelfeld != m_iEinzelfeld)
        m_bNeuBerechnen = 1;
    if (!dlg.m_saFelder.empty()) {
        m_saFelder = dlg.m_saFelder;
        m_iFoerderbeginn = dlg.m_iFoerderbeginn;
        m_iProjektende = dlg.m_iProjektende;
        m_iGrafikRate = dlg.m_iGrafikRate;
        m_bFeldesreserven = dlg.m_bFeldesreserven;
        m_sEinzelfeld = dlg.m_sEinzelfeld;
        if (dlg.m_iEinzelfeld >= 0) // a chosen field stays chosen until another is chosen
            m_iEinzelfeld = dlg.m_iEinzelfeld;
    }
    if (dlg.m_bGeaendert == 1)
        SetModifiedFlag(true);
    m_bDetailausgabe = dlg.m_bDetailausgabe;
    if (m_bNeuBerechnen == 1)
        Berechnen();
    UpdateAllViews();
    return dlg.m_bGeaendert;
}

void CKalvoDoc::OnFileNew()
{
    // A modified document is saved first (or deliberately dropped), and the
    // new one has no file name, so that the next save asks for one.
    if (m_pDialoge && IsModified() && !m_pDialoge->GeaendertesDokumentSichern())
        return;
    SetPathName("");
    m_saFelder.clear();
    m_saRestfelder.clear();
    m_saVerkaufsprofil.clear();
    JahresreihenLoeschen();
    m_iFoerderbeginn = 2002;
    m_iProjektstart = 2002;
    m_iProjektende = 2030;
    m_iEinzelfeld = -1;
    m_iGrafikRate = 0;
    m_sFeldname = "";
    OnDatenAendern();
    UpdateAllViews(); // also after "Abbrechen": the title names the untitled document
}

void CKalvoDoc::ProfilBefehl(bool restfelder)
{
    if (m_saFelder.empty()) {
        m_Meldungen.Meldung("Bitte zuerst Felddaten eingeben!");
        return;
    }
    if (!m_pDialoge)
        return;
    auto& profil = restfelder ? m_saRestfelder : m_saVerkaufsprofil;
    DlgVerkauf dlg(m_Meldungen);
    dlg.m_saZeilen = profil;
    dlg.m_iProjektstart = m_iProjektstart; // the first project year of the last run
    dlg.m_iProjektende = m_iProjektende;
    dlg.m_bRestfelder = restfelder ? 1 : 0;
    if (!m_pDialoge->ProfilDialog(dlg))
        return;
    profil = dlg.m_saZeilen;
    if (dlg.m_bGeaendert == 1) {
        SetModifiedFlag(true);
        m_bNeuBerechnen = 1;
        Berechnen();
    }
    UpdateAllViews();
}

bool CKalvoDoc::OnOpenDocument(std::string_view bytes, const std::string& pfad, std::string& fehler)
{
    if (!Laden(bytes, fehler))
        return false;
    NachDemLaden();
    SetPathName(pfad);
    const unsigned laeufe = m_nLaeufe;
    const int geaendert = OnDatenAendern();
    // Whatever the dialog decided, the results on view must be this file's,
    // not those of the document opened before it.
    if (m_nLaeufe == laeufe && !m_saFelder.empty())
        Berechnen();
    // The open completes: the document counts as modified exactly when the
    // dialog changed a field or stage row.
    SetModifiedFlag(geaendert == 1);
    UpdateAllViews();
    return true;
}

void CKalvoDoc::SetPathName(const std::string& pfad)
{
    m_sPfad = pfad;
    m_sDokumentTitel = pfad.empty() ? "Unbenannt" : std::filesystem::path(pfad).filename().string();
}

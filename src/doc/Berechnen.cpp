// The document's side of a calculation run: its data into the run's inputs,
// the run's results into the members the views read, the messages to the user.

#include "doc/CKalvoDoc.h"

#include "platform/Meldungen.h"

#include <algorithm>
#include <iterator>

void CKalvoDoc::JahresreihenLoeschen()
{
    for (auto* reihe :
         {m_fRestProduktion, m_fRestRate, m_fSollProduktion, m_fSollRate, m_fProduktionFelder, m_fRateFelder, Y, Y1})
        std::fill_n(reihe, kMaxJahre, 0.0f);
    for (auto* reihe : {X, m_iVerkaufJahr, m_iRestJahr})
        std::fill_n(reihe, kMaxJahre, 0);
    for (auto* stufe : {m_fStufeKopfdruck, m_fStufeCWert, m_fStufeKonsAnteil})
        std::fill_n(stufe, kMaxStufen, 0.0f);
    for (auto* stufe : {m_iStufeAbJahr, m_iStufeBohrungen, m_iStufeFoerderstunden})
        std::fill_n(stufe, kMaxStufen, 0);
    m_Feldreihen.clear();
}

void CKalvoDoc::ErgebnisseLoeschen()
{
    JahresreihenLoeschen();
    m_saBericht.clear();
    m_NichtBerechnet.clear();
    m_iAnzahl = 0;
    m_nBerichtLaenge = 0;
    m_sTitel.clear();
    m_sUntertitel.clear();
    m_VarianteWerte = {};
}

CLaufEingabe CKalvoDoc::LaufEingabe() const
{
    CLaufEingabe e;
    e.felder = m_saFelder;
    e.verkaufsprofil = m_saVerkaufsprofil;
    e.restfelder = m_saRestfelder;
    e.projektende = m_iProjektende;
    e.projektstart = m_iProjektstart;
    if (m_iEinzelfeld >= 0)
        e.einzelfeld = m_sEinzelfeld;
    e.detail = m_bDetailausgabe == 1;
    e.reserven = m_bFeldesreserven == 1;
    e.rate = m_iGrafikRate == 1;
    CArbeitswerte& w = e.arbeitswerte;
    w.feld = m_Feld;
    w.feldname = m_sFeldname;
    w.foerderbeginn = m_iFoerderbeginn;
    w.gas = m_Gas;
    std::copy(std::begin(m_fPzTab), std::end(m_fPzTab), w.pzTab);
    std::copy(std::begin(m_fVisTab), std::end(m_fVisTab), w.visTab);
    std::copy(std::begin(m_fZTabRohr), std::end(m_fZTabRohr), w.zTabRohr);
    w.zi = m_fZi;
    w.text = m_sText;
    return e;
}

void CKalvoDoc::Berechnen()
{
    ++m_nLaeufe;
    const CLaufEingabe eingabe = LaufEingabe();
    CLaufErgebnis r = Lauf(eingabe, &m_Feldspeicher);
    ErgebnisUebernehmen(r, !eingabe.einzelfeld.empty());
    for (const CLaufMeldung& m : r.meldungen) {
        if (m.warnung)
            m_Meldungen.Warnung(m.text);
        else
            m_Meldungen.Meldung(m.text);
    }
    m_nBerichtLaenge = m_saBericht.size();
    VergleichAktualisieren();
}

void CKalvoDoc::ErgebnisUebernehmen(CLaufErgebnis& r, bool einzelfeldGewaehlt)
{
    const auto kopie = [](const auto& von, auto& nach) { std::copy(std::begin(von), std::end(von), std::begin(nach)); };
    m_iProjektstart = r.projektstart;
    m_iAnzahl = r.anzahl;
    m_saBericht = std::move(r.bericht);
    kopie(r.restProduktion, m_fRestProduktion);
    kopie(r.restRate, m_fRestRate);
    kopie(r.sollProduktion, m_fSollProduktion);
    kopie(r.sollRate, m_fSollRate);
    kopie(r.produktionFelder, m_fProduktionFelder);
    kopie(r.rateFelder, m_fRateFelder);
    kopie(r.verkaufJahr, m_iVerkaufJahr);
    kopie(r.restJahr, m_iRestJahr);
    kopie(r.X, X);
    kopie(r.Y, Y);
    kopie(r.Y1, Y1);
    m_sTitel = r.titel;
    m_sUntertitel = r.untertitel;
    m_sAchseX = r.achseX;
    m_sAchseY = r.achseY;
    m_sAchseY1 = r.achseY1;
    m_sLegendeY = r.legendeY;
    m_sLegendeY1 = r.legendeY1;
    m_Feldreihen = std::move(r.feldreihen);
    m_NichtBerechnet = std::move(r.nichtBerechnet);
    // The single field is found by its name; one that is gone ends the choice.
    if (einzelfeldGewaehlt) {
        m_iEinzelfeld = r.einzelfeld;
        if (r.einzelfeld < 0)
            m_sEinzelfeld.clear();
    }
    const CArbeitswerte& w = r.arbeitswerte;
    m_Feld = w.feld;
    m_sFeldname = w.feldname;
    m_iFoerderbeginn = w.foerderbeginn;
    m_Gas = w.gas;
    kopie(w.pzTab, m_fPzTab);
    kopie(w.visTab, m_fVisTab);
    kopie(w.zTabRohr, m_fZTabRohr);
    m_fZi = w.zi;
    kopie(w.stufeAbJahr, m_iStufeAbJahr);
    kopie(w.stufeFoerderstunden, m_iStufeFoerderstunden);
    kopie(w.stufeKopfdruck, m_fStufeKopfdruck);
    kopie(w.stufeBohrungen, m_iStufeBohrungen);
    kopie(w.stufeCWert, m_fStufeCWert);
    kopie(w.stufeKonsAnteil, m_fStufeKonsAnteil);
    m_sText = w.text;
}

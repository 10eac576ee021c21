// The document's side of a calculation run: its data into the run's inputs,
// the run's results into the members the views read, the messages to the user.

#include "doc/CKalvoDoc.h"

#include "bericht/Laufbericht.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "run/Hinweise.h"

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
    m_Zusammenfassung = {};
    m_Bedarfsjahre.clear();
    m_Energiejahre.clear();
}

void CKalvoDoc::ErgebnisseLoeschen()
{
    JahresreihenLoeschen();
    m_saBericht.clear();
    m_Laufbericht = {};
    m_Bericht = {};
    m_Berichtskoepfe.clear();
    m_NichtBerechnet.clear();
    m_saHinweise.clear();
    m_iAnzahl = 0;
    m_sTitel.clear();
    m_sUntertitel.clear();
    m_VarianteWerte = {};
}

namespace {

// An array of the run into the document's array of the same length.
template <class A, class B>
void Kopieren(const A& von, B& nach)
{
    std::copy(std::begin(von), std::end(von), std::begin(nach));
}

} // namespace

// The working values the run's last field left: the document's read-only
// face of them (the field data dialog takes its first year from it).
void CKalvoDoc::ArbeitswerteUebernehmen(const CArbeitswerte& w)
{
    m_Feld = w.feld;
    m_sFeldname = w.feldname;
    m_iFoerderbeginn = w.foerderbeginn;
    m_Gas = w.gas;
    Kopieren(w.pzTab, m_fPzTab);
    Kopieren(w.visTab, m_fVisTab);
    Kopieren(w.zTabRohr, m_fZTabRohr);
    m_fZi = w.zi;
    Kopieren(w.stufeAbJahr, m_iStufeAbJahr);
    Kopieren(w.stufeFoerderstunden, m_iStufeFoerderstunden);
    Kopieren(w.stufeKopfdruck, m_fStufeKopfdruck);
    Kopieren(w.stufeBohrungen, m_iStufeBohrungen);
    Kopieren(w.stufeCWert, m_fStufeCWert);
    Kopieren(w.stufeKonsAnteil, m_fStufeKonsAnteil);
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
    e.bedarf = m_bBedarf;
    e.sollKonstant = m_fSollKonstant;
    e.energie = m_bEnergie;
    e.eigenverbrauch = m_dEigenverbrauch;
    if (m_Planung && (!m_Planung->vertraege.empty() || MitVerteilung(*m_Planung) || !m_Planung->messungen.empty()))
        e.planung = std::make_shared<const CPlanung>(*m_Planung);
    e.monateVon = m_iMonateVon;
    e.monateBis = m_iMonateBis;
    return e;
}

void CKalvoDoc::Berechnen()
{
    ++m_nLaeufe;
    m_Sensitivitaet.reset();
    m_Unsicherheit.reset();
    m_Plateaus.clear();
    m_Szenarien.reset();
    const CLaufEingabe eingabe = LaufEingabe();
    CLaufErgebnis r = Lauf(eingabe, &m_Feldspeicher);
    m_saHinweise = Eingabehinweise(eingabe, r);
    ErgebnisUebernehmen(r, !eingabe.einzelfeld.empty());
    for (const CLaufMeldung& m : r.meldungen) {
        if (m.warnung)
            m_Meldungen.Warnung(m.text);
        else
            m_Meldungen.Meldung(m.text);
    }
    VergleichAktualisieren();
}

void CKalvoDoc::ErgebnisUebernehmen(CLaufErgebnis& r, bool einzelfeldGewaehlt)
{
    m_iProjektstart = r.projektstart;
    m_iAnzahl = r.anzahl;
    m_Laufbericht = Laufbericht(r);
    // The run's text at once: the messages that follow may show over the
    // window; the planning answers join it after them.
    m_saBericht = BerichtText(m_Laufbericht, &m_Berichtskoepfe);
    m_Zusammenfassung = std::move(r.zusammenfassung);
    m_Bedarfsjahre = std::move(r.bedarf);
    m_Energiejahre = std::move(r.energie);
    m_Aufgaben = std::move(r.aufgaben);
    m_Druckanpassungen = std::move(r.druckanpassungen);
    Kopieren(r.restProduktion, m_fRestProduktion);
    Kopieren(r.restRate, m_fRestRate);
    Kopieren(r.sollProduktion, m_fSollProduktion);
    Kopieren(r.sollRate, m_fSollRate);
    Kopieren(r.produktionFelder, m_fProduktionFelder);
    Kopieren(r.rateFelder, m_fRateFelder);
    Kopieren(r.verkaufJahr, m_iVerkaufJahr);
    Kopieren(r.restJahr, m_iRestJahr);
    Kopieren(r.X, X);
    Kopieren(r.Y, Y);
    Kopieren(r.Y1, Y1);
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
    // A run that took up no field leaves the document's working values.
    if (r.arbeitswerte)
        ArbeitswerteUebernehmen(*r.arbeitswerte);
}

std::vector<std::string> CKalvoDoc::HinweiseZumFeld(std::string_view name) const
{
    std::vector<std::string> h = Feldhinweise(m_saHinweise, name);
    for (std::string& t : h)
        t.erase(0, Anzeigename(name).size() + 2); // "<Feld>: "
    return h;
}

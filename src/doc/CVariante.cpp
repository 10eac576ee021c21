#include "doc/CVariante.h"

#include "platform/Datei.h"
#include "studie/Studie.h"

CVariante::CVariante(IMeldungen& meldungen) : m_Meldungen(meldungen), m_Doc(m_Meldungen)
{}

CErgebnis<> CVariante::Laden(const std::string& pfad)
{
    const CErgebnis<std::string> bytes = DateiLesen(pfad);
    if (!bytes)
        return CFehler{bytes.Fehlertext()};
    if (CErgebnis<> geladen = m_Doc.Laden(*bytes); !geladen)
        return geladen;
    m_Doc.NachDemLaden();
    m_Doc.SetPathName(pfad);
    m_sName = m_Doc.GetTitle();
    return {};
}

CJahreswerte CVariante::Berechnen(const CKalvoDoc& a)
{
    CKalvoDoc& b = m_Doc;
    b.m_iGrafikRate = a.m_iGrafikRate;
    b.m_bFeldesreserven = 0;
    b.m_bDetailausgabe = 0; // the same figures; the variant's report is not shown
    b.m_bBedarf = a.m_bBedarf;
    b.m_fSollKonstant = a.m_fSollKonstant;
    b.m_iEinzelfeld = -1;
    b.m_sEinzelfeld.clear();
    if (a.m_iEinzelfeld >= 0 && !a.m_sEinzelfeld.empty() && !b.EinzelfeldWaehlen(a.m_sEinzelfeld)) {
        m_Meldungen.Meldung("Das Feld " + a.m_sEinzelfeld + " gibt es in dieser Variante nicht.");
        return {};
    }
    // Numbers only: the variant's report is not shown. Its fields' results
    // stay for the next comparison, its start for its next run.
    const CLaufErgebnis r = Lauf(b.LaufEingabe(), &m_Speicher);
    for (const CLaufMeldung& m : r.meldungen) {
        if (m.warnung)
            m_Meldungen.Warnung(m.text);
        else
            m_Meldungen.Meldung(m.text);
    }
    b.m_iProjektstart = r.projektstart;
    return Jahreswerte(Jahresreihen(r, a.m_iGrafikRate == 1));
}

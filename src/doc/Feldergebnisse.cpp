// The fields' results kept from one calculation run to the next. A field is
// computed again only when its record, the project period or the report
// options changed; otherwise its kept result is replayed: the same report
// lines, the same shares added in the same order, the same working values
// left behind. The run's output is byte for byte that of a full recompute.

#include "doc/CKalvoDoc.h"

#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>

namespace {

template <class T, size_t N>
void Kopieren(const T (&von)[N], T (&nach)[N])
{
    std::copy(std::begin(von), std::end(von), nach);
}

} // namespace

// Everything a field's computation depends on besides its record.
std::string CKalvoDoc::FeldSchluessel(int i) const
{
    return Format("%d|%d|%d|%d|", m_iProjektstart, m_iProjektende, m_bDetailausgabe, m_bFeldesreserven) +
           m_saFelder[static_cast<size_t>(i)];
}

int CKalvoDoc::Feldberechnung(int i)
{
    const std::string schluessel = FeldSchluessel(i);
    const auto gehalten = m_Feldergebnisse.find(schluessel);
    if (gehalten != m_Feldergebnisse.end()) {
        gehalten->second.lauf = m_nLaeufe;
        FeldergebnisWiederholen(gehalten->second);
        return 0;
    }

    m_Feldergebnis = CFeldergebnis{};
    const size_t ersteZeile = m_saBericht.size();
    const unsigned meldungen = m_nFeldMeldungen;
    const int status = FeldNeuBerechnen(i);
    // A computation that showed a message is not kept: the next run shows it again.
    if (status != 0 || m_nFeldMeldungen != meldungen)
        return status;
    CFeldergebnis& e = m_Feldergebnis;
    e.bericht.assign(m_saBericht.begin() + static_cast<long>(ersteZeile), m_saBericht.end());
    e.feld = m_Feld;
    e.feldname = m_sFeldname;
    e.foerderbeginn = m_iFoerderbeginn;
    e.gas = m_Gas;
    Kopieren(m_fPzTab, e.pzTab);
    Kopieren(m_fVisTab, e.visTab);
    Kopieren(m_fZTabRohr, e.zTabRohr);
    e.zi = m_fZi;
    Kopieren(m_iStufeAbJahr, e.stufeAbJahr);
    Kopieren(m_iStufeFoerderstunden, e.stufeFoerderstunden);
    Kopieren(m_fStufeKopfdruck, e.stufeKopfdruck);
    Kopieren(m_iStufeBohrungen, e.stufeBohrungen);
    Kopieren(m_fStufeCWert, e.stufeCWert);
    Kopieren(m_fStufeKonsAnteil, e.stufeKonsAnteil);
    e.text = m_sText;
    e.lauf = m_nLaeufe;
    m_Feldergebnisse[schluessel] = std::move(e);
    return 0;
}

void CKalvoDoc::FeldergebnisWiederholen(const CFeldergebnis& e)
{
    m_saBericht.insert(m_saBericht.end(), e.bericht.begin(), e.bericht.end());
    AnteilHinzufuegen(e.produktion, e.rate);
    m_Feld = e.feld;
    m_sFeldname = e.feldname;
    m_iFoerderbeginn = e.foerderbeginn;
    m_Gas = e.gas;
    Kopieren(e.pzTab, m_fPzTab);
    Kopieren(e.visTab, m_fVisTab);
    Kopieren(e.zTabRohr, m_fZTabRohr);
    m_fZi = e.zi;
    Kopieren(e.stufeAbJahr, m_iStufeAbJahr);
    Kopieren(e.stufeFoerderstunden, m_iStufeFoerderstunden);
    Kopieren(e.stufeKopfdruck, m_fStufeKopfdruck);
    Kopieren(e.stufeBohrungen, m_iStufeBohrungen);
    Kopieren(e.stufeCWert, m_fStufeCWert);
    Kopieren(e.stufeKonsAnteil, m_fStufeKonsAnteil);
    m_sText = e.text;
}

// Adds a field's share to the year series of all fields, in single precision.
void CKalvoDoc::AnteilHinzufuegen(const float (&produktion)[kMaxJahre], const float (&rate)[kMaxJahre])
{
    for (int j = 0; j < kMaxJahre; ++j) {
        m_fProduktionFelder[j] = static_cast<float>(double(m_fProduktionFelder[j]) + produktion[j]);
        m_fRateFelder[j] = static_cast<float>(double(m_fRateFelder[j]) + rate[j]);
    }
}

void CKalvoDoc::FeldMeldung(const std::string& text)
{
    ++m_nFeldMeldungen;
    m_Meldungen.Meldung(text);
}

// Results no field of this run asked for are dropped: the memory stays that
// of one portfolio.
void CKalvoDoc::FeldergebnisseAufraeumen()
{
    std::erase_if(m_Feldergebnisse, [this](const auto& eintrag) { return eintrag.second.lauf != m_nLaeufe; });
}

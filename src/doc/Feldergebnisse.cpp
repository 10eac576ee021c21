// The fields' results kept from one calculation run to the next. A field is
// computed again only when its record, the project period or the report
// options changed; otherwise its kept result is replayed: the same report
// lines, the same shares added in the same order, the same working values
// left behind. The run's output is byte for byte that of a full recompute.

#include "doc/CKalvoDoc.h"

#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

// The working values a field's computation leaves in the document and their
// copies in a kept result, one pair each: the one table both directions use.
template <class Fn>
void CKalvoDoc::Arbeitswerte(CFeldergebnis& e, Fn&& paar)
{
    const auto feld = [&](auto& doc, auto& kopie) {
        if constexpr (std::is_array_v<std::remove_reference_t<decltype(doc)>>)
            for (size_t k = 0; k < std::size(doc); ++k)
                paar(doc[k], kopie[k]);
        else
            paar(doc, kopie);
    };
    feld(m_Feld, e.feld);
    feld(m_sFeldname, e.feldname);
    feld(m_iFoerderbeginn, e.foerderbeginn);
    feld(m_Gas, e.gas);
    feld(m_fPzTab, e.pzTab);
    feld(m_fVisTab, e.visTab);
    feld(m_fZTabRohr, e.zTabRohr);
    feld(m_fZi, e.zi);
    feld(m_iStufeAbJahr, e.stufeAbJahr);
    feld(m_iStufeFoerderstunden, e.stufeFoerderstunden);
    feld(m_fStufeKopfdruck, e.stufeKopfdruck);
    feld(m_iStufeBohrungen, e.stufeBohrungen);
    feld(m_fStufeCWert, e.stufeCWert);
    feld(m_fStufeKonsAnteil, e.stufeKonsAnteil);
    feld(m_sText, e.text);
}

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
    Arbeitswerte(e, [](const auto& doc, auto& kopie) { kopie = doc; });
    e.lauf = m_nLaeufe;
    m_Feldergebnisse[schluessel] = std::move(e);
    return 0;
}

void CKalvoDoc::FeldergebnisWiederholen(CFeldergebnis& e)
{
    m_saBericht.insert(m_saBericht.end(), e.bericht.begin(), e.bericht.end());
    AnteilHinzufuegen(e.feldname, e.produktion, e.rate, e.reserve);
    Arbeitswerte(e, [](auto& doc, const auto& kopie) { doc = kopie; });
}

// Adds a field's share to the year series of all fields, in single precision,
// and keeps it as the field's own series.
void CKalvoDoc::AnteilHinzufuegen(const std::string& name, const float (&produktion)[kMaxJahre],
                                  const float (&rate)[kMaxJahre], float reserve)
{
    CFeldreihe& reihe = m_Feldreihen.emplace_back();
    reihe.name = name;
    reihe.reserve = reserve;
    std::copy(std::begin(produktion), std::end(produktion), reihe.produktion);
    std::copy(std::begin(rate), std::end(rate), reihe.rate);
    for (int j = 0; j < kMaxJahre; ++j) {
        m_fProduktionFelder[j] = static_cast<float>(double(m_fProduktionFelder[j]) + produktion[j]);
        m_fRateFelder[j] = static_cast<float>(double(m_fRateFelder[j]) + rate[j]);
    }
}

void CKalvoDoc::FeldMeldung(const std::string& text)
{
    ++m_nFeldMeldungen;
    m_Meldungen.Warnung(text);
}

// Results no field of this run asked for are dropped: the memory stays that
// of one portfolio.
void CKalvoDoc::FeldergebnisseAufraeumen()
{
    std::erase_if(m_Feldergebnisse, [this](const auto& eintrag) { return eintrag.second.lauf != m_nLaeufe; });
}

// The document's plan: the options that change the figures, kept in the
// plan file beside the document rather than in the user's settings.

#include "doc/CKalvoDoc.h"

#include "anpassung/Druckanpassung.h"
#include "platform/Datei.h"
#include "platform/Format.h"

#include <algorithm>
#include <filesystem>

void CKalvoDoc::PlanungSetzen(std::optional<CPlanung> planung)
{
    m_Planung = std::move(planung);
    const CPlanoptionen o = Planoptionen();
    m_bBedarf = o.bedarf;
    m_bEnergie = o.energie;
    m_dEigenverbrauch = o.eigenverbrauch;
    m_bDeckung = o.deckung;
}

std::string CKalvoDoc::Planungszeile(bool dezimalkomma) const
{
    if (!m_Planung)
        return {};
    std::vector<std::string> teile;
    std::string vertraege;
    for (const CVertrag& v : m_Planung->vertraege)
        vertraege += (vertraege.empty() ? "Verträge " : ", ") + v.name + " (" + GasartName(v.gasart) + ")";
    if (!vertraege.empty())
        teile.push_back(vertraege);
    if (MitVerteilung(*m_Planung)) {
        std::string anlagen;
        for (const CAnlage& a : m_Planung->anlagen)
            anlagen += (anlagen.empty() ? "Anlagen " : ", ") + a.name;
        teile.push_back(std::string("Verteilung ") + VerteilungName(m_Planung->verteilung) +
                        (anlagen.empty() ? "" : "; " + anlagen));
    }
    const CPlanoptionen& o = m_Planung->optionen;
    if (o.bedarf)
        teile.emplace_back("Förderung nach Bedarf");
    if (o.energie)
        teile.emplace_back("Verkaufsgas und Energie");
    if (o.eigenverbrauch > 0) {
        std::string zahl = Format("%.1f", o.eigenverbrauch);
        if (dezimalkomma)
            std::replace(zahl.begin(), zahl.end(), '.', ',');
        teile.push_back("Eigenverbrauch " + zahl + " %");
    }
    if (o.deckung)
        teile.emplace_back("Deckung");
    if (const size_t n = m_Planung->messungen.size(); n > 0)
        teile.push_back(n == 1 ? "Druckmessungen eines Feldes" : Format("Druckmessungen von %zu Feldern", n));
    std::string zeile;
    for (const std::string& t : teile)
        zeile += (zeile.empty() ? "Planung: " : "; ") + t;
    return zeile;
}

CPlanoptionen CKalvoDoc::Planoptionen() const
{
    return m_Planung ? m_Planung->optionen : CPlanoptionen{};
}

void CKalvoDoc::PlanoptionenSetzen(const CPlanoptionen& optionen)
{
    if (optionen == Planoptionen())
        return;
    CPlanung p = m_Planung.value_or(CPlanung{});
    p.optionen = optionen;
    PlanungAendern(std::move(p));
}

void CKalvoDoc::PlanungAendern(CPlanung planung)
{
    if (m_Planung && planung == *m_Planung)
        return;
    PlanungSetzen(std::move(planung));
    SetModifiedFlag();
    if (!m_saFelder.empty())
        Berechnen();
    else
        PlanungstabellenAnhaengen();
}

CErgebnis<CFeldsatz> CKalvoDoc::MitAnpassung(const std::string& feld) const
{
    const int i = FeldIndex(feld);
    for (const CDruckanpassung& a : m_Druckanpassungen)
        if (a.feld == feld && i >= 0)
            return ::MitAnpassung(m_saFelder[static_cast<size_t>(i)], a);
    return CFehler{"Für " + feld + " gibt es keine Anpassung an gemessene Drücke."};
}

CErgebnis<> CKalvoDoc::PlanungLaden(const std::string& pfad, bool nebenDokument)
{
    const std::string datei = nebenDokument ? Planungspfad(pfad) : pfad;
    PlanungSetzen(std::nullopt);
    m_sPlanungsdatei.clear();
    std::error_code fehler;
    if (nebenDokument && !std::filesystem::exists(datei, fehler))
        return {}; // the document has no plan
    const CErgebnis<std::string> text = DateiLesen(datei);
    if (!text)
        return CFehler{datei + ": " + text.Fehlertext()};
    CErgebnis<CPlanung> p = PlanungLesen(*text, m_iProjektstart, m_iProjektende);
    if (!p)
        return CFehler{datei + ": " + p.Fehlertext()};
    PlanungSetzen(std::move(*p));
    m_sPlanungsdatei = std::filesystem::path(datei).filename().string();
    return {};
}

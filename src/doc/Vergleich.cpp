// The planning answers after a run: the comparison with variant B and the
// coverage of the sales profile, appended to the report as tables.

#include "doc/CKalvoDoc.h"

#include "platform/Format.h"

#include "bericht/Planungsbericht.h"
#include "doc/CVariante.h"

CErgebnis<> CKalvoDoc::VarianteLaden(const std::string& pfad)
{
    auto variante = std::make_unique<CVariante>(m_Meldungen);
    if (CErgebnis<> geladen = variante->Laden(pfad); !geladen)
        return geladen;
    m_pVariante = std::move(variante);
    return {};
}

void CKalvoDoc::VergleichBeenden()
{
    m_pVariante.reset();
    m_VarianteWerte = {};
    PlanungstabellenAnhaengen();
}

std::string CKalvoDoc::VarianteName() const
{
    return m_pVariante ? m_pVariante->Name() : std::string();
}

CKalvoDoc* CKalvoDoc::VarianteDokument()
{
    return m_pVariante ? &m_pVariante->Dokument() : nullptr;
}

void CKalvoDoc::VergleichAktualisieren()
{
    m_VarianteWerte = {};
    if (m_pVariante && m_bFeldesreserven == 0)
        m_VarianteWerte = m_pVariante->Berechnen(*this);
    PlanungstabellenAnhaengen();
}

void CKalvoDoc::BedarfSetzen(bool an)
{
    if (m_bBedarf == an)
        return;
    m_bBedarf = an;
    if (!m_saFelder.empty())
        Berechnen();
}

std::vector<std::string> CKalvoDoc::GleichnamigeFelder(const CFeldsaetze& neu) const
{
    std::vector<std::string> namen;
    for (const CFeldsatz& f : neu)
        if (FeldIndex(f.Name()) >= 0)
            namen.emplace_back(f.Name());
    return namen;
}

void CKalvoDoc::FelderUebernehmen(const CFeldsaetze& neu)
{
    for (const CFeldsatz& f : neu) {
        if (const int i = FeldIndex(f.Name()); i >= 0)
            m_saFelder[static_cast<size_t>(i)] = f;
        else
            m_saFelder.push_back(f);
    }
    SetModifiedFlag();
    Berechnen();
}

void CKalvoDoc::EnergieSetzen(bool an)
{
    if (m_bEnergie == an)
        return;
    m_bEnergie = an;
    if (!m_saFelder.empty())
        Berechnen();
}

void CKalvoDoc::EigenverbrauchSetzen(double prozent)
{
    if (m_dEigenverbrauch == prozent)
        return;
    m_dEigenverbrauch = prozent;
    if (m_bEnergie && !m_saFelder.empty())
        Berechnen();
}

void CKalvoDoc::KonstantesVerkaufsprofil(double menge)
{
    CProfil profil;
    for (int i = 0; i < AnzahlJahre(m_iProjektstart, m_iProjektende); ++i)
        profil.push_back(ProfilzeileEingabe(m_iProjektstart + i, static_cast<float>(menge),
                                            static_cast<float>(menge * 1e6 / 8760.0)));
    m_saVerkaufsprofil = std::move(profil);
    CPlanung plan = m_Planung.value_or(CPlanung{});
    plan.optionen.bedarf = true; // the plan's option: saved with it, undone with the profile
    PlanungSetzen(std::move(plan));
    SetModifiedFlag(true);
    Berechnen();
    UpdateAllViews();
}

void CKalvoDoc::DeckungSetzen(bool an)
{
    m_bDeckung = an;
    PlanungstabellenAnhaengen();
}

// The tables follow the report of the run: coverage first (it belongs to this
// document's summary), then the comparison.
void CKalvoDoc::PlanungstabellenAnhaengen()
{
    m_Bericht = m_Laufbericht;
    // The reserves list has no years; before a run there is nothing to add to.
    if (m_bFeldesreserven == 0 && m_nLaeufe > 0) {
        const bool rate = m_iGrafikRate == 1;
        const CJahreswerte werte = Grafikwerte();
        if (m_bDeckung) {
            DeckungBericht(m_Bericht, werte, rate);
            if (!m_Bedarfsjahre.empty()) {
                CJahresreihen reihen = Jahresreihen();
                reihen.rate = false;
                const CJahreswerte menge = Jahreswerte(reihen);
                reihen.rate = true;
                m_Bericht.Zeile(UnterdeckungMengeUndRate(menge, Deckungswerte(reihen)));
            }
        }
        if (m_pVariante)
            VergleichBericht(m_Bericht, GetTitle(), werte, m_pVariante->Name(), m_VarianteWerte, rate);
        if (m_Sensitivitaet)
            SensitivitaetBericht(m_Bericht, *m_Sensitivitaet);
        if (m_Unsicherheit)
            UnsicherheitBericht(m_Bericht, *m_Unsicherheit);
        for (const CPlateau& p : m_Plateaus)
            PlateauBericht(m_Bericht, p);
        if (m_Szenarien)
            SzenarienBericht(m_Bericht, *m_Szenarien);
    }
    m_saBericht = BerichtText(m_Bericht, &m_Berichtskoepfe);
}

void CKalvoDoc::PlateauSetzen(std::vector<CPlateau> p)
{
    m_Plateaus = std::move(p);
    PlanungstabellenAnhaengen();
}

void CKalvoDoc::SensitivitaetSetzen(CSensitivitaetsErgebnis s)
{
    m_Sensitivitaet = std::move(s);
    PlanungstabellenAnhaengen();
}

void CKalvoDoc::UnsicherheitSetzen(CUnsicherheit u)
{
    m_Unsicherheit = std::move(u);
    PlanungstabellenAnhaengen();
}

namespace {

// A text broken at blanks into lines of at most `breite` characters, each
// indented by two blanks (a word longer than a line stands alone).
void Umbrechen(const std::string& text, size_t breite, std::vector<std::string>& zeilen)
{
    std::string zeile;
    for (const std::string_view wort : Woerter(text)) {
        if (!zeile.empty() && AnzahlZeichen(zeile) + 1 + AnzahlZeichen(wort) > breite) {
            zeilen.push_back("  " + zeile);
            zeile.clear();
        }
        zeile += (zeile.empty() ? "" : " ") + std::string(wort);
    }
    if (!zeile.empty())
        zeilen.push_back("  " + zeile);
}

} // namespace

std::vector<std::pair<std::string, std::string>> CKalvoDoc::Optionswerte() const
{
    const auto janein = [](bool b) { return std::string(b ? "ja" : "nein"); };
    std::vector<std::pair<std::string, std::string>> w = {
        {"Dokument", GetTitle()},
        {"Zeitraum", Format("%d-%d", m_iProjektstart, m_iProjektende)},
        {"Einzelfeld", m_iEinzelfeld >= 0 ? m_sEinzelfeld : "nein (alle Felder)"},
        {"Foerderung nach Bedarf", janein(m_bBedarf)},
        {"Detailausgabe", janein(m_bDetailausgabe != 0)},
        {"Feldesreserven", janein(m_bFeldesreserven != 0)},
        {"Grafik", m_iGrafikRate == 1 ? "Rate" : "Produktion"},
        {"Eigenverbrauch", Format("%.1f %%", m_dEigenverbrauch)},
    };
    // The settings of what else the report holds, only when it holds it.
    if (m_Planung)
        w.emplace_back("Planung", m_sPlanungsdatei.empty() ? std::string("nicht gespeichert") : m_sPlanungsdatei);
    if (m_Planung && !m_Planung->messungen.empty()) {
        size_t punkte = 0;
        for (const auto& [feld, liste] : m_Planung->messungen)
            punkte += liste.size();
        w.emplace_back("Messungen", Format("%zu Punkte, %zu Felder", punkte, m_Planung->messungen.size()));
    }
    if (m_iMonateVon > 0)
        w.emplace_back("Monate", Format("%d-%d", m_iMonateVon, m_iMonateBis));
    if (m_fSollKonstant >= 0)
        w.emplace_back("Soll konstant", Format("%.1f Mio m*3/a", double(m_fSollKonstant)));
    if ((m_Sensitivitaet || m_Unsicherheit) && !m_sBandbreitenDatei.empty())
        w.emplace_back("Bandbreiten", m_sBandbreitenDatei);
    if (m_Unsicherheit)
        w.emplace_back("Monte Carlo",
                       Format("%d Laeufe, Startwert ", m_Unsicherheit->laeufe) + std::to_string(m_nSeed));
    if (!m_Plateaus.empty()) {
        const CPlateau& p = m_Plateaus.front();
        w.emplace_back("Plateau",
                       Format("%d Jahre (%d-%d)", p.letztesJahr - p.erstesJahr + 1, p.erstesJahr, p.letztesJahr));
    }
    if (m_pVariante)
        w.emplace_back("Variante", m_pVariante->Name());
    if (m_Szenarien)
        w.emplace_back("Szenarien", Format("%zu", m_Szenarien->szenarien.size()));
    return w;
}

std::vector<std::string> CKalvoDoc::Berichtsanhang() const
{
    // Lines no wider than the report's tables: they must not shrink its font.
    std::vector<std::string> anhang = {
        "",
        "                 EINHEITEN, BEZUGSZUSTAND UND OPTIONEN",
        "",
        "  Mengen in Mio m*3 (0 Grad C, 1.0134 bar), Raten in m*3/h,",
        "  Druecke in bar.",
        "  Energie: Hs,n nach ISO 6976:2016, Verbrennung 25 Grad C, je m*3",
        "  bei 0 Grad C und 1.01325 bar (reales Gas), kWh/m*3; die Energie",
        "  der Mengen (1.0134 bar) mit 1.0134/1.01325 umgerechnet, GWh.",
        "  Gasart nach dem Wobbe-Index, DVGW G 260 (Maerz 2013).",
    };
    // The options two or three to a line (the document's name heads the page), the rest one a line.
    const std::vector<std::pair<std::string, std::string>> w = Optionswerte();
    const size_t gruppen[] = {2, 2, 3};
    size_t k = 1;
    for (const size_t n : gruppen) {
        std::string zeile;
        for (size_t i = 0; i < n && k < w.size(); ++i, ++k)
            zeile += (i ? "   " : "  ") + w[k].first + ": " + w[k].second;
        anhang.push_back(zeile);
    }
    for (; k < w.size(); ++k)
        anhang.push_back("  " + w[k].first + ": " + w[k].second);
    // What each scenario changes, so that the table can be read from the file alone.
    if (m_Szenarien && !m_Szenarien->szenarien.empty()) {
        for (const char* z : {"", "                 SZENARIEN UND IHRE AENDERUNGEN", ""})
            anhang.emplace_back(z);
        for (const CSzenario& s : m_Szenarien->szenarien) {
            anhang.push_back("  " + s.name + ":");
            if (!s.datei.empty())
                anhang.push_back("    das Dokument " + s.datei);
            for (const CSzenarioaenderung& a : s.aenderungen)
                anhang.push_back("    " + AenderungText(a));
        }
    }
    if (!m_saHinweise.empty()) {
        for (const char* z : {"", "                 HINWEISE ZU DEN EINGABEN", ""})
            anhang.emplace_back(z);
        for (const std::string& h : m_saHinweise)
            Umbrechen(h, 66, anhang);
    }
    return anhang;
}
